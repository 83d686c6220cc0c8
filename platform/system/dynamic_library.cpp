#include "platform/dynamic_library.h"

#include <dlfcn.h>

#include "kbxplatform.h"

#include <utility>

namespace kbx::platform {

namespace {

constexpr char kNotOpen[] = "no library is open";

// dlerror() hands out the text of the thread's last failure once; null when
// there was none.
std::string takeLoaderError(const char* fallback) {
    const char* text = dlerror();
    return text != nullptr ? std::string(text) : std::string(fallback);
}

// The folder the shared platform library was loaded from, with its "/";
// empty when unknown. This code is linked into each library and program,
// so its own address would name the program's folder; a function of the
// shared library names the folder the system's libraries share.
std::string platformLibraryFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&kbx_platform_dispatch), &info) == 0 || info.dli_fname == nullptr) return {};
    const std::string path(info.dli_fname);
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

DynamicLibrary::DynamicLibrary(const std::string& fileName) : fileName_(fileName) {
    dlerror();
    handle_ = dlopen(fileName.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ != nullptr) return;
    error_ = takeLoaderError("cannot open the library");
    // The system's libraries lie beside the platform library. The run path
    // normally finds them, but not when a wrapper around dlopen (a
    // sanitizer's, for one) makes the loader see another caller; so look
    // there as well.
    const std::string folder = platformLibraryFolder();
    if (fileName.find('/') != std::string::npos || folder.empty()) return;
    dlerror();
    handle_ = dlopen((folder + fileName).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ != nullptr) error_.clear();
}

DynamicLibrary::~DynamicLibrary() { close(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)),
      fileName_(std::move(other.fileName_)),
      error_(std::move(other.error_)) {}

DynamicLibrary& DynamicLibrary::operator=(DynamicLibrary&& other) noexcept {
    if (this != &other) {
        close();
        handle_ = std::exchange(other.handle_, nullptr);
        fileName_ = std::move(other.fileName_);
        error_ = std::move(other.error_);
    }
    return *this;
}

void* DynamicLibrary::address(const char* name) {
    if (handle_ == nullptr) {
        if (error_.empty()) error_ = kNotOpen;  // keep why the open failed
        return nullptr;
    }
    if (name == nullptr) {
        error_ = "no symbol name";
        return nullptr;
    }
    dlerror();
    void* found = dlsym(handle_, name);
    // A symbol may legitimately have the value null; only a loader error
    // text says that it is missing. For functions both mean "not there".
    if (found == nullptr) error_ = takeLoaderError("symbol has no address");
    return found;
}

void DynamicLibrary::close() {
    if (handle_ != nullptr) dlclose(handle_);
    handle_ = nullptr;
}

}  // namespace kbx::platform
