#pragma once

// The entry points the interface library takes from the point-of-sale
// library when it binds it, in the order it resolves them. All must be
// there; only six are called.

#include <array>

#include "kbxi32.h"
#include "platform/library_entries.h"

namespace kbxi {

// The called six. Their types are written here: kbxfunc.h cannot be included
// beside kbxi32.h (both declare kbx_set_interface).
struct PointOfSaleEntries {
    using CaptureCallback = void(KBX_CALL*)(int count);

    int(KBX_CALL* open)() = nullptr;
    int(KBX_CALL* setLanguage)(int language) = nullptr;
    int(KBX_CALL* callbackDataCapture)(CaptureCallback callback) = nullptr;
    int(KBX_CALL* captureData)(int count, int reserved, int timeout) = nullptr;
    unsigned char*(KBX_CALL* getDataCapture)() = nullptr;
    int(KBX_CALL* close)() = nullptr;
};

namespace point_of_sale {
using kbx::platform::entry;
// A name that must be there although it is not called.
inline constexpr auto required = kbx::platform::requiredEntry<PointOfSaleEntries>;

inline constexpr std::array kEntries{
    required("load_kbxi32"),
    required("unload_kbxi32"),
    required("kbx_msr_autoinput_on"),
    required("kbx_msr_autoinput_off"),
    required("kbx_msr_read_data"),
    required("kbx_fc_autoinput_on"),
    required("kbx_fc_autoinput_off"),
    required("kbx_fc_read_data"),
    required("kbx_kl_autoinput_on"),
    required("kbx_kl_autoinput_off"),
    required("kbx_kl_read_data"),
    required("kbx_bar_autoinput_on"),
    required("kbx_bar_autoinput_off"),
    required("kbx_bar_read_data"),
    required("kbx_kvk_mode2"),
    required("kbx_kvk_mode1"),
    required("kbx_kvk_read_data"),
    required("kbx_display_data"),
    required("kbx_beep"),
    entry<&PointOfSaleEntries::open>("kbx_open"),
    entry<&PointOfSaleEntries::close>("kbx_close"),
    required("kbx_msr_get_track1"),
    required("kbx_msr_get_track2"),
    required("kbx_msr_get_track3"),
    required("kbx_msr_callback_track1"),
    required("kbx_msr_callback_track2"),
    required("kbx_msr_callback_track3"),
    required("kbx_get_barcode"),
    required("kbx_get_keylock"),
    required("kbx_get_functioncard"),
    required("kbx_callback_barcode"),
    required("kbx_callback_keylock"),
    required("kbx_callback_functioncard"),
    required("kbx_display_open"),
    required("kbx_display"),
    required("kbx_callback_displaycomplete"),
    required("kbx_display_close"),
    required("kbx_msr_delete_data"),
    required("kbx_barcode_data"),
    required("kbx_barcode_config"),
    required("sendbyte"),
    entry<&PointOfSaleEntries::setLanguage>("kbx_set_language"),
    required("kbx_get_language"),
    required("kbx_vba_display"),
    entry<&PointOfSaleEntries::callbackDataCapture>("kbx_callback_data_capture"),
    entry<&PointOfSaleEntries::getDataCapture>("kbx_get_data_capture"),
    entry<&PointOfSaleEntries::captureData>("kbx_capture_data"),
};
static_assert(kEntries.size() == 47);
}  // namespace point_of_sale

}  // namespace kbxi
