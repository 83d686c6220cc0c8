#pragma once

#include <string>

#include "kbxc32.h"
#include "kbx_sonames.h"
#include "platform/dynamic_library.h"

// The layout compiler, bound at run time: libkbxc32.so and its entry kbxc.
namespace kbx32 {

inline constexpr char kCompilerLibraryName[] = KBX_SONAME_KBXC32;

struct CompilerEntries {
    decltype(&kbxc) compile = nullptr;
};

class CompilerLibrary {
public:
    explicit CompilerLibrary(const std::string& fileName = kCompilerLibraryName);

    bool usable() const { return usable_; }
    // Why the library is not usable, in the loader's words.
    const std::string& error() const { return library_.error(); }

    // kbxc's result (0, -1, -2, -3); the library must be usable.
    int compile(const char* source, const char* output, const char* log, KbxcProgress progress) const {
        return entries_.compile(source, output, log, progress);
    }

private:
    kbx::platform::DynamicLibrary library_;
    CompilerEntries entries_;
    bool usable_ = false;
};

}  // namespace kbx32
