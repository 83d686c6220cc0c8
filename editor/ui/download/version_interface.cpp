#include "editor/ui/download/version_interface.h"

#include <array>

#include "platform/library_entries.h"

namespace keyui::download {
namespace {

// The program's own texts for a library that cannot be used ("Can´t" with
// the acute accent U+00B4).
constexpr char kLoadFailed[] = "Can´t load KBXI32.DLL!";

using kbx::platform::entry;

// In the order of resolution; the first one missing ends the binding.
constexpr std::array kEntries{
    entry<&InterfaceEntries::sendCommand>("kbx_snd_cmd"),
    entry<&InterfaceEntries::readHeader>("get_kbx_header"),
    entry<&InterfaceEntries::checkInterface>("kbx_chk_interface"),
    entry<&InterfaceEntries::setInterface>("kbx_set_interface"),
    entry<&InterfaceEntries::closeUsb>("kbx_close_USB"),
};

// The text for each entry point of kEntries that is missing, in its order.
constexpr std::array kMissingTexts{
    "Can´t get ProcAddress (KBXI32.DLL)!",
    "Can´t get ProcAddress (KBXI32.DLL,get_kbx_header)!",
    "Can´t get ProcAddress (KBXI32.DLL,kbx_chk_interface)!",
    "Can´t get ProcAddress (KBXI32.DLL,kbx_set_interface)!",
    "Can´t get ProcAddress (KBXI32.DLL,kbx_close_USB)!",
};
static_assert(kMissingTexts.size() == kEntries.size());

}  // namespace

BoundInterfaceLibrary::BoundInterfaceLibrary(const std::string& fileName) : library_(fileName) {
    if (!library_.isOpen()) {
        failure_ = QString::fromUtf8(kLoadFailed);
        return;
    }
    const auto resolved = kbx::platform::resolveEntries(library_, kEntries);
    if (resolved.firstMissing) {
        failure_ = QString::fromUtf8(kMissingTexts[resolved.firstMissing->position]);
        library_ = kbx::platform::DynamicLibrary{};
        return;
    }
    entries_ = resolved.entries;
}

}  // namespace keyui::download
