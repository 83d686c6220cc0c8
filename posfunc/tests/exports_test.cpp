#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"
#include "kbxfunc.h"
#include "tests/support/symbols.h"

namespace {

constexpr char kLibrary[] = KBX_LIBRARY_DIR "/libkbxfunc.so";

// Every call of the library, sorted as the symbol list is.
constexpr const char* kExports[] = {
    "CaptureTimerProc",
    "KeyTimerProc",
    "KeybrdHook",
    "RefreshTimerProc",
    "TimerProc",
    "kbx_bar_autoinput_off",
    "kbx_bar_autoinput_on",
    "kbx_bar_read_data",
    "kbx_barcode_config",
    "kbx_barcode_data",
    "kbx_beep",
    "kbx_callback_barcode",
    "kbx_callback_data_capture",
    "kbx_callback_displaycomplete",
    "kbx_callback_functioncard",
    "kbx_callback_keylock",
    "kbx_capture_data",
    "kbx_close",
    "kbx_display",
    "kbx_display_close",
    "kbx_display_data",
    "kbx_display_open",
    "kbx_fat_finger_off",
    "kbx_fat_finger_on",
    "kbx_fc_autoinput_off",
    "kbx_fc_autoinput_on",
    "kbx_fc_read_data",
    "kbx_get_barcode",
    "kbx_get_char_barcode",
    "kbx_get_char_functioncard",
    "kbx_get_char_keylock",
    "kbx_get_char_track1",
    "kbx_get_char_track2",
    "kbx_get_char_track3",
    "kbx_get_data_capture",
    "kbx_get_functioncard",
    "kbx_get_keylock",
    "kbx_get_language",
    "kbx_kl_autoinput_off",
    "kbx_kl_autoinput_on",
    "kbx_kl_read_data",
    "kbx_kvk_mode1",
    "kbx_kvk_mode2",
    "kbx_kvk_read_data",
    "kbx_msr_autoinput_off",
    "kbx_msr_autoinput_on",
    "kbx_msr_callback_track1",
    "kbx_msr_callback_track2",
    "kbx_msr_callback_track3",
    "kbx_msr_cancel_read",
    "kbx_msr_delete_data",
    "kbx_msr_get_track1",
    "kbx_msr_get_track2",
    "kbx_msr_get_track3",
    "kbx_msr_read_data",
    "kbx_msr_set_leds",
    "kbx_msr_set_tracks",
    "kbx_open",
    "kbx_sendstring",
    "kbx_snd_data",
    "kbx_set_interface",
    "kbx_set_language",
    "kbx_vba_display",
    "load_kbxi32",
    "sendbyte",
    "unload_kbxi32",
};

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

TEST(Exports, FunctionLibraryExportsItsCallsOnly) {
    std::vector<std::string> expected(std::begin(kExports), std::end(kExports));
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    EXPECT_EQ(lines(kbxtest::definedSymbols(kLibrary)), expected);
}

// The input calls through the boundary, loaded as the interface library loads them.
TEST(Exports, InputCallsAnswerThroughTheBoundary) {
    kbx::platform::DynamicLibrary library(kLibrary);
    ASSERT_TRUE(library.isOpen()) << library.error();
    auto setCapture = library.symbol<int(KBX_CALL*)(KbxfuncCallback)>("kbx_callback_data_capture");
    auto setLanguage = library.symbol<int(KBX_CALL*)(int)>("kbx_set_language");
    auto getLanguage = library.symbol<int(KBX_CALL*)()>("kbx_get_language");
    auto charOfTrack2 = library.symbol<unsigned char(KBX_CALL*)(int)>("kbx_get_char_track2");
    auto track1 = library.symbol<char*(KBX_CALL*)()>("kbx_msr_get_track1");
    auto track2 = library.symbol<char*(KBX_CALL*)()>("kbx_msr_get_track2");
    auto hook = library.symbol<intptr_t(KBX_CALL*)(int, uintptr_t, intptr_t)>("KeybrdHook");
    ASSERT_TRUE(setCapture && setLanguage && getLanguage && charOfTrack2 && track1 && track2 && hook);
    EXPECT_EQ(setCapture(nullptr), 1);
    EXPECT_EQ(setLanguage(8), 1);
    EXPECT_EQ(getLanguage(), 1);
    EXPECT_EQ(charOfTrack2(600), 0);
    EXPECT_EQ(track1(), track1());
    EXPECT_NE(track1(), track2());
    // A marker opens a frame; a key inside it is swallowed.
    EXPECT_EQ(hook(0, 0, intptr_t(0x00620001)), 1);
    EXPECT_EQ(hook(0, 0, intptr_t(0x00020001)), 1);
    EXPECT_EQ(hook(0, 0, intptr_t(0x00620001)), 1);
    EXPECT_EQ(hook(0, 0, intptr_t(0x00020001)), 0);
}

}  // namespace
