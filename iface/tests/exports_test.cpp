#include <gtest/gtest.h>

#include "tests/support/symbols.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "kbxi32.h"
#include "platform/dynamic_library.h"

namespace {


constexpr char kLibrary[] = KBX_LIBRARY_DIR "/libkbxi32.so";

TEST(Exports, InterfaceLibraryExportsItsCallsOnly) {
    EXPECT_EQ(kbxtest::definedSymbols(kLibrary),
              "TimeoutTimerProc\n"
              "UploadTimerProc\n"
              "get_kbx_header\n"
              "kbx_chk_interface\n"
              "kbx_close_USB\n"
              "kbx_download\n"
              "kbx_echo_check\n"
              "kbx_get_interface\n"
              "kbx_refresh\n"
              "kbx_set_interface\n"
              "kbx_snd_cmd\n"
              "kbx_snd_direct\n"
              "kbx_snd_interface\n"
              "kbx_upload\n"
              "vdd_EF_available\n"
              "vdd_EF_get\n"
              "vdd_kbd_capture\n"
              "vdd_kbd_clr\n"
              "vdd_kbd_release\n"
              "vdd_sendbyte\n"
              "vdd_translate_off\n"
              "vdd_translate_on\n");
}

// The boundary itself, loaded as its callers load it.
class LoadedInterfaceLibrary : public testing::Test {
protected:
    kbx::platform::DynamicLibrary library_{kLibrary};
};

TEST_F(LoadedInterfaceLibrary, DownloadWithoutPathAnswersInTheCallersBuffer) {
    auto download = library_.symbol<int(KBX_CALL*)(const char*, char*, KbxiProgress)>("kbx_download");
    ASSERT_NE(download, nullptr) << library_.error();
    char message[KBXI_MESSAGE_CAPACITY] = "XYZ";
    EXPECT_EQ(download(nullptr, message, nullptr), -1);
    EXPECT_STREQ(message, "no file specified");
}

TEST_F(LoadedInterfaceLibrary, UnknownInterfaceAndNullBuffersAreAnswered) {
    auto upload = library_.symbol<int(KBX_CALL*)(const char*, char*, KbxiProgress)>("kbx_upload");
    auto header = library_.symbol<int(KBX_CALL*)(unsigned char*, char*)>("get_kbx_header");
    ASSERT_NE(upload, nullptr);
    ASSERT_NE(header, nullptr);
    char message[KBXI_MESSAGE_CAPACITY] = "lpt1";
    EXPECT_EQ(upload("x.kbx", message, nullptr), -10);
    EXPECT_STREQ(message, "Unknown interface!");
    EXPECT_EQ(upload(nullptr, nullptr, nullptr), -10);
    EXPECT_EQ(header(nullptr, nullptr), -10);
}

TEST_F(LoadedInterfaceLibrary, SelectionRoundTrips) {
    auto set = library_.symbol<unsigned char(KBX_CALL*)(unsigned char)>("kbx_set_interface");
    auto get = library_.symbol<unsigned char(KBX_CALL*)()>("kbx_get_interface");
    auto closeUsb = library_.symbol<int(KBX_CALL*)()>("kbx_close_USB");
    ASSERT_NE(set, nullptr);
    ASSERT_NE(get, nullptr);
    ASSERT_NE(closeUsb, nullptr);
    EXPECT_EQ(set(2), 0);
    EXPECT_EQ(get(), 2);
    EXPECT_EQ(set(7), 1);
    EXPECT_EQ(get(), 0);
    EXPECT_EQ(closeUsb(), 0);
}

TEST_F(LoadedInterfaceLibrary, KeyboardDeviceRequestsWithoutTheDeviceGiveTheirFailureValues) {
    unsetenv("KBX_KEYBOARD");
    const char* switches[] = {"vdd_translate_on", "vdd_translate_off", "vdd_kbd_capture", "vdd_kbd_release",
                              "vdd_kbd_clr"};
    for (const char* name : switches) {
        auto request = library_.symbol<int(KBX_CALL*)()>(name);
        ASSERT_NE(request, nullptr) << name;
        EXPECT_EQ(request(), -1) << name;
    }
    auto available = library_.symbol<uint32_t(KBX_CALL*)()>("vdd_EF_available");
    auto get = library_.symbol<unsigned char(KBX_CALL*)()>("vdd_EF_get");
    auto send = library_.symbol<int(KBX_CALL*)(unsigned char)>("vdd_sendbyte");
    ASSERT_NE(available, nullptr);
    ASSERT_NE(get, nullptr);
    ASSERT_NE(send, nullptr);
    EXPECT_EQ(available(), 0u);
    EXPECT_EQ(get(), 0xFF);
    EXPECT_EQ(send(0x41), -1);
}

}  // namespace
