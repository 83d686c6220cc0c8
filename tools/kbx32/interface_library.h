#pragma once

#include <string>

#include "kbxi32.h"
#include "kbx_sonames.h"
#include "platform/dynamic_library.h"

// The keyboard interface library, bound at run time: libkbxi32.so and the
// entries kbx32 uses.
namespace kbx32 {

inline constexpr char kInterfaceLibraryName[] = KBX_SONAME_KBXI32;

struct InterfaceEntries {
    decltype(&kbx_download) download = nullptr;
    decltype(&kbx_upload) upload = nullptr;
    decltype(&get_kbx_header) header = nullptr;
};

class InterfaceLibrary {
public:
    explicit InterfaceLibrary(const std::string& fileName = kInterfaceLibraryName);

    bool usable() const { return usable_; }
    // Why the library is not usable, in the loader's words.
    const std::string& error() const { return library_.error(); }

    int download(const char* path, char* message, KbxiProgress progress) const {
        return entries_.download(path, message, progress);
    }
    int upload(const char* path, char* message, KbxiProgress progress) const {
        return entries_.upload(path, message, progress);
    }
    int header(unsigned char* header, char* message) const { return entries_.header(header, message); }

private:
    kbx::platform::DynamicLibrary library_;
    InterfaceEntries entries_;
    bool usable_ = false;
};

}  // namespace kbx32
