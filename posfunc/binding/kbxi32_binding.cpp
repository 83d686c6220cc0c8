#include "posfunc/binding/kbxi32_binding.h"

#include <array>
#include <utility>

#include "platform/dynamic_library.h"
#include "platform/library_entries.h"
#include "platform/system_info.h"

namespace kbxfunc {
namespace {

using kbx::platform::entry;

// In the order load_kbxi32 takes them; the first missing one ends the load.
constexpr std::array kEntries{
    entry<&Kbxi32Functions::vddSendbyte>("vdd_sendbyte"),
    entry<&Kbxi32Functions::vddKbdCapture>("vdd_kbd_capture"),
    entry<&Kbxi32Functions::vddEfAvailable>("vdd_EF_available"),
    entry<&Kbxi32Functions::vddKbdClr>("vdd_kbd_clr"),
    entry<&Kbxi32Functions::vddKbdRelease>("vdd_kbd_release"),
    entry<&Kbxi32Functions::vddEfGet>("vdd_EF_get"),
    entry<&Kbxi32Functions::download>("kbx_download"),
    entry<&Kbxi32Functions::upload>("kbx_upload"),
    entry<&Kbxi32Functions::setInterface>("kbx_set_interface"),
    entry<&Kbxi32Functions::getInterface>("kbx_get_interface"),
    entry<&Kbxi32Functions::chkInterface>("kbx_chk_interface"),
    entry<&Kbxi32Functions::sndInterface>("kbx_snd_interface"),
};

// load_kbxi32 reports a missing entry point by its place in kEntries, from 1.
int codeOfMissing(const kbx::platform::MissingEntry& missing) { return static_cast<int>(missing.position) + 1; }

}  // namespace

Kbxi32Binding::Kbxi32Binding() = default;
Kbxi32Binding::~Kbxi32Binding() = default;

int Kbxi32Binding::load() {
    if (loaded_) return 0;
    auto library = std::make_unique<kbx::platform::DynamicLibrary>(libraryName_);
    if (!library->isOpen()) return kKbxi32NotLoadable;
    const auto resolved = kbx::platform::resolveEntries(*library, kEntries);
    if (resolved.firstMissing) return codeOfMissing(*resolved.firstMissing);
    library_ = std::move(library);
    functions_ = resolved.entries;
    loaded_ = true;
    loadedHere_ = true;
    ntFamily_ = kbx::platform::systemVersion().nt;
    return 0;
}

void Kbxi32Binding::unload() {
    if (loadedHere_) library_.reset();
    functions_ = Kbxi32Functions{};
    loaded_ = false;
    loadedHere_ = false;
}

void Kbxi32Binding::setLibraryName(std::string name) { libraryName_ = std::move(name); }

void Kbxi32Binding::useFunctions(const Kbxi32Functions& functions, bool ntFamily) {
    library_.reset();
    functions_ = functions;
    loaded_ = true;
    loadedHere_ = false;
    ntFamily_ = ntFamily;
}

}  // namespace kbxfunc
