#pragma once

// The point-of-sale library's binding of the keyboard interface library,
// loaded at run time by name on first need: its twelve entry points, taken
// in a fixed order, and whether the system is of the NT family (which
// decides how bytes reach the keyboard).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "kbxfunc.h"
#include "kbx_sonames.h"

namespace kbx::platform {
class DynamicLibrary;
}

namespace kbxfunc {

inline constexpr char kKbxi32LibraryName[] = KBX_SONAME_KBXI32;
inline constexpr int kKbxi32NotLoadable = 99;

// The entry points load_kbxi32 takes. Their types are written here: kbxi32.h
// cannot be included beside kbxfunc.h (both declare kbx_set_interface).
struct Kbxi32Functions {
    int(KBX_CALL* vddSendbyte)(unsigned char byte) = nullptr;
    int(KBX_CALL* vddKbdCapture)() = nullptr;
    std::uint32_t(KBX_CALL* vddEfAvailable)() = nullptr;
    int(KBX_CALL* vddKbdClr)() = nullptr;
    int(KBX_CALL* vddKbdRelease)() = nullptr;
    unsigned char(KBX_CALL* vddEfGet)() = nullptr;
    int(KBX_CALL* download)(const char* path, char* message, void(KBX_CALL* progress)(int)) = nullptr;
    int(KBX_CALL* upload)(const char* path, char* message, void(KBX_CALL* progress)(int)) = nullptr;
    unsigned char(KBX_CALL* setInterface)(unsigned char selector) = nullptr;
    unsigned char(KBX_CALL* getInterface)() = nullptr;
    unsigned char(KBX_CALL* chkInterface)() = nullptr;
    unsigned char(KBX_CALL* sndInterface)(unsigned char byte) = nullptr;
};

class Kbxi32Binding {
public:
    Kbxi32Binding();
    ~Kbxi32Binding();
    Kbxi32Binding(const Kbxi32Binding&) = delete;
    Kbxi32Binding& operator=(const Kbxi32Binding&) = delete;

    // load_kbxi32: 0 (also at once while loaded), 99, or the code 1-12 of
    // the first missing entry point (the library is released then).
    int load();
    // unload_kbxi32: frees the library when this binding loaded it.
    void unload();

    bool loaded() const { return loaded_; }
    bool ntFamily() const { return ntFamily_; }
    const Kbxi32Functions& functions() const { return functions_; }

    // Tests: a library other than the installed one, or functions of their
    // own (a recording interface library) that count as loaded.
    void setLibraryName(std::string name);
    void useFunctions(const Kbxi32Functions& functions, bool ntFamily);

private:
    std::string libraryName_ = kKbxi32LibraryName;
    std::unique_ptr<kbx::platform::DynamicLibrary> library_;
    Kbxi32Functions functions_;
    bool loaded_ = false;
    bool loadedHere_ = false;
    bool ntFamily_ = false;
};

}  // namespace kbxfunc
