#pragma once

#include <string>

#include "iface/include/kbxi32.h"
#include "kbx_sonames.h"
#include "platform/dynamic_library.h"

// The keyboard interface library, bound at run time: libkbxi32.so and the
// entries kbx32 uses.
namespace kbx32 {

inline constexpr char kInterfaceLibraryName[] = KBX_SONAME_KBXI32;

class InterfaceLibrary {
public:
    using Download = int(KBX_CALL*)(const char* path, char* message, KbxiProgress progress);
    using Upload = int(KBX_CALL*)(const char* path, char* message, KbxiProgress progress);
    using Header = int(KBX_CALL*)(unsigned char* header, char* message);

    explicit InterfaceLibrary(const std::string& fileName = kInterfaceLibraryName);

    bool usable() const { return download_ && upload_ && header_; }
    // Why the library is not usable, in the loader's words.
    const std::string& error() const { return library_.error(); }

    int download(const char* path, char* message, KbxiProgress progress) const {
        return download_(path, message, progress);
    }
    int upload(const char* path, char* message, KbxiProgress progress) const {
        return upload_(path, message, progress);
    }
    int header(unsigned char* header, char* message) const { return header_(header, message); }

private:
    kbx::platform::DynamicLibrary library_;
    Download download_ = nullptr;
    Upload upload_ = nullptr;
    Header header_ = nullptr;
};

}  // namespace kbx32
