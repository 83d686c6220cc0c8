#pragma once

// The entry points the interface library takes from the point-of-sale
// library when it binds it, in the order it resolves them. All must be
// there; only six are called.

#include <array>
#include <string_view>

namespace kbxi {

inline constexpr std::array<std::string_view, 47> kBridgeEntryNames{
    "load_kbxi32",           "unload_kbxi32",           "kbx_msr_autoinput_on",     "kbx_msr_autoinput_off",
    "kbx_msr_read_data",     "kbx_fc_autoinput_on",     "kbx_fc_autoinput_off",     "kbx_fc_read_data",
    "kbx_kl_autoinput_on",   "kbx_kl_autoinput_off",    "kbx_kl_read_data",         "kbx_bar_autoinput_on",
    "kbx_bar_autoinput_off", "kbx_bar_read_data",       "kbx_kvk_mode2",            "kbx_kvk_mode1",
    "kbx_kvk_read_data",     "kbx_display_data",        "kbx_beep",                 "kbx_open",
    "kbx_close",             "kbx_msr_get_track1",      "kbx_msr_get_track2",       "kbx_msr_get_track3",
    "kbx_msr_callback_track1", "kbx_msr_callback_track2", "kbx_msr_callback_track3", "kbx_get_barcode",
    "kbx_get_keylock",       "kbx_get_functioncard",    "kbx_callback_barcode",     "kbx_callback_keylock",
    "kbx_callback_functioncard", "kbx_display_open",    "kbx_display",              "kbx_callback_displaycomplete",
    "kbx_display_close",     "kbx_msr_delete_data",     "kbx_barcode_data",         "kbx_barcode_config",
    "sendbyte",              "kbx_set_language",        "kbx_get_language",         "kbx_vba_display",
    "kbx_callback_data_capture", "kbx_get_data_capture", "kbx_capture_data",
};

}  // namespace kbxi
