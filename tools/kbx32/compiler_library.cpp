#include "tools/kbx32/compiler_library.h"

#include <array>

#include "platform/library_entries.h"

namespace kbx32 {
namespace {

constexpr std::array kCompilerEntries{kbx::platform::entry<&CompilerEntries::compile>("kbxc")};

}  // namespace

CompilerLibrary::CompilerLibrary(const std::string& fileName) : library_(fileName) {
    const auto resolved = kbx::platform::resolveEntries(library_, kCompilerEntries);
    entries_ = resolved.entries;
    usable_ = resolved.complete();
}

}  // namespace kbx32
