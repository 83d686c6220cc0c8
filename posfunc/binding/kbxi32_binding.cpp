#include "posfunc/binding/kbxi32_binding.h"

#include <type_traits>
#include <utility>

#include "platform/dynamic_library.h"
#include "platform/system_info.h"

namespace kbxfunc {
Kbxi32Binding::Kbxi32Binding() = default;
Kbxi32Binding::~Kbxi32Binding() = default;

int Kbxi32Binding::load() {
    if (loaded_) return 0;
    auto library = std::make_unique<kbx::platform::DynamicLibrary>(libraryName_);
    if (!library->isOpen()) return kKbxi32NotLoadable;
    Kbxi32Functions taken;
    int code = 0;
    // Takes the next entry point into its slot; false (with its code) when it is missing.
    auto take = [&](const char* name, auto& slot) {
        ++code;
        slot = library->symbol<std::remove_reference_t<decltype(slot)>>(name);
        return slot != nullptr;
    };
    const bool complete = take("vdd_sendbyte", taken.vddSendbyte) && take("vdd_kbd_capture", taken.vddKbdCapture) &&
                          take("vdd_EF_available", taken.vddEfAvailable) && take("vdd_kbd_clr", taken.vddKbdClr) &&
                          take("vdd_kbd_release", taken.vddKbdRelease) && take("vdd_EF_get", taken.vddEfGet) &&
                          take("kbx_download", taken.download) && take("kbx_upload", taken.upload) &&
                          take("kbx_set_interface", taken.setInterface) &&
                          take("kbx_get_interface", taken.getInterface) &&
                          take("kbx_chk_interface", taken.chkInterface) &&
                          take("kbx_snd_interface", taken.sndInterface);
    if (!complete) return code;
    library_ = std::move(library);
    functions_ = taken;
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
