#pragma once

// Libraries the interface library binds at run time (the point-of-sale
// library, the USB library), seen through one small seam so that tests can
// hand in libraries of their own.

#include <functional>
#include <memory>
#include <string>

namespace kbxi {

// A function of a bound library, to be cast to its real type.
using AnyFunction = void (*)();

class LoadedLibrary {
public:
    virtual ~LoadedLibrary() = default;
    // The function `name`, or null when the library has none.
    virtual AnyFunction function(const char* name) = 0;
};

// Loads a library by file name: null when it cannot be loaded.
using LibraryOpener = std::function<std::unique_ptr<LoadedLibrary>(const std::string& fileName)>;

// Loads a shared library the normal way (run path, LD_LIBRARY_PATH, ...).
std::unique_ptr<LoadedLibrary> openSharedLibrary(const std::string& fileName);

template <typename Function>
Function functionAs(AnyFunction function) {
    return reinterpret_cast<Function>(function);
}

}  // namespace kbxi
