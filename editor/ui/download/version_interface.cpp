#include "editor/ui/download/version_interface.h"

#include <array>
#include <type_traits>

namespace keyui::download {
namespace {

// The program's own texts for a library that cannot be used ("Can´t" with
// the acute accent U+00B4).
constexpr char kLoadFailed[] = "Can´t load KBXI32.DLL!";

template <auto Member>
bool resolveInto(InterfaceEntries& entries, kbx::platform::DynamicLibrary& library, const char* name) {
    using Pointer = std::remove_reference_t<decltype(entries.*Member)>;
    entries.*Member = library.symbol<Pointer>(name);
    return entries.*Member != nullptr;
}

struct EntryPoint {
    const char* name;
    const char* missingText;
    bool (*resolve)(InterfaceEntries&, kbx::platform::DynamicLibrary&, const char*);
};

// In the order of resolution; the first one missing ends the binding.
constexpr std::array kEntryPoints{
    EntryPoint{"kbx_snd_cmd", "Can´t get ProcAddress (KBXI32.DLL)!", resolveInto<&InterfaceEntries::sendCommand>},
    EntryPoint{"get_kbx_header", "Can´t get ProcAddress (KBXI32.DLL,get_kbx_header)!",
               resolveInto<&InterfaceEntries::readHeader>},
    EntryPoint{"kbx_chk_interface", "Can´t get ProcAddress (KBXI32.DLL,kbx_chk_interface)!",
               resolveInto<&InterfaceEntries::checkInterface>},
    EntryPoint{"kbx_set_interface", "Can´t get ProcAddress (KBXI32.DLL,kbx_set_interface)!",
               resolveInto<&InterfaceEntries::setInterface>},
    EntryPoint{"kbx_close_USB", "Can´t get ProcAddress (KBXI32.DLL,kbx_close_USB)!",
               resolveInto<&InterfaceEntries::closeUsb>},
};

}  // namespace

BoundInterfaceLibrary::BoundInterfaceLibrary(const std::string& fileName) : library_(fileName) {
    if (!library_.isOpen()) {
        failure_ = QString::fromUtf8(kLoadFailed);
        return;
    }
    for (const EntryPoint& entry : kEntryPoints) {
        if (!entry.resolve(entries_, library_, entry.name)) {
            failure_ = QString::fromUtf8(entry.missingText);
            entries_ = {};
            library_ = kbx::platform::DynamicLibrary{};
            return;
        }
    }
}

}  // namespace keyui::download
