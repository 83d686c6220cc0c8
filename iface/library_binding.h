#pragma once

// Libraries the interface library binds at run time (the point-of-sale
// library, the USB library), seen through one small seam so that tests can
// hand in libraries of their own.

#include <functional>
#include <memory>
#include <string>

#include "platform/library_entries.h"

namespace kbxi {

// A function of a bound library, before it gets its real type.
using AnyFunction = kbx::platform::AnyFunction;

class LoadedLibrary {
public:
    virtual ~LoadedLibrary() = default;
    // The function `name`, or null when the library has none.
    virtual AnyFunction function(const char* name) = 0;

    // The function `name` as a pointer of type `FunctionPointer`, as
    // DynamicLibrary gives it.
    template <typename FunctionPointer>
    FunctionPointer symbol(const char* name) {
        return reinterpret_cast<FunctionPointer>(function(name));
    }
};

// Loads a library by file name: null when it cannot be loaded.
using LibraryOpener = std::function<std::unique_ptr<LoadedLibrary>(const std::string& fileName)>;

// Loads a shared library the normal way (run path, LD_LIBRARY_PATH, ...).
std::unique_ptr<LoadedLibrary> openSharedLibrary(const std::string& fileName);

}  // namespace kbxi
