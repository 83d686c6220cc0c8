#pragma once

#include <string>
#include <type_traits>

namespace kbx::platform {

// A shared library loaded at run time (dlopen), closed when the object goes.
// The file name is searched the normal way: a name without a slash through
// the run path of libkbxplatform.so and of the program, LD_LIBRARY_PATH and
// the system folders; a name with a slash is taken as a path.
class DynamicLibrary {
public:
    DynamicLibrary() = default;  // holds no library
    explicit DynamicLibrary(const std::string& fileName);
    ~DynamicLibrary();

    DynamicLibrary(DynamicLibrary&& other) noexcept;
    DynamicLibrary& operator=(DynamicLibrary&& other) noexcept;
    DynamicLibrary(const DynamicLibrary&) = delete;
    DynamicLibrary& operator=(const DynamicLibrary&) = delete;

    bool isOpen() const { return handle_ != nullptr; }
    const std::string& fileName() const { return fileName_; }

    // The loader's text for the last failed open or symbol look-up of this
    // object (for example "libx.so: cannot open shared object file: No such
    // file or directory"); empty while nothing failed.
    const std::string& error() const { return error_; }

    // The function `name` as a pointer of type `FunctionPointer`, or null
    // when the library is not open or has no such symbol.
    template <typename FunctionPointer>
    FunctionPointer symbol(const char* name) {
        static_assert(std::is_pointer_v<FunctionPointer> &&
                          std::is_function_v<std::remove_pointer_t<FunctionPointer>>,
                      "symbol<T> takes a function pointer type");
        return reinterpret_cast<FunctionPointer>(address(name));
    }

private:
    void* address(const char* name);
    void close();

    void* handle_ = nullptr;
    std::string fileName_;
    std::string error_;
};

}  // namespace kbx::platform
