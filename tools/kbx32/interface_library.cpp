#include "tools/kbx32/interface_library.h"

#include <array>

#include "platform/library_entries.h"

namespace kbx32 {
namespace {

using kbx::platform::entry;

// Every name is looked up, whichever is missing.
constexpr std::array kInterfaceEntries{
    entry<&InterfaceEntries::download>("kbx_download"),
    entry<&InterfaceEntries::upload>("kbx_upload"),
    entry<&InterfaceEntries::header>("get_kbx_header"),
};

}  // namespace

InterfaceLibrary::InterfaceLibrary(const std::string& fileName) : library_(fileName) {
    const auto resolved = kbx::platform::resolveAllEntries(library_, kInterfaceEntries);
    entries_ = resolved.entries;
    usable_ = resolved.complete();
}

}  // namespace kbx32
