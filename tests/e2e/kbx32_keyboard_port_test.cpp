// kbx32 programming the simulated keyboard over the keyboard port (driver,
// keyboard device, controller ports) and USB: the download goes out through
// the keyboard channel or the USB library, and the upload and header query
// come back as key presses that the point-of-sale library captures.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"
#include "platform/dynamic_library.h"
#include "kbxsim/simulator.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kLibraries = fs::path(KBX_LIBRARY_DIR);
constexpr char kSmallLayout[] = "TYPE MIRK\nA01: \"a\"\nA02: \"{F1}\"\n";
constexpr int kUploadFailed = 15;
constexpr std::uint32_t kKeyUp = 1u << 31;

struct PortCase {
    const char* name;
    const char* platform;   // KBX_PLATFORM: which keyboard-port transport "AT" chooses
    const char* interface;  // the interface string
};

const PortCase kPortCases[] = {
    {"Driver", "", "AT"},
    {"KeyboardDevice", "nt4", "AT"},
    {"ControllerPorts", "w95", "AT"},
    {"Usb", "", "USB"},
};

class Kbx32OverKeyboardPort : public testing::TestWithParam<PortCase> {
protected:
    void SetUp() override {
        const std::string channel = "sim:" + keyboard.channelPath().string();
        ::setenv("KBX_KEYBOARD", channel.c_str(), 1);
        ::setenv("KBX_USB", channel.c_str(), 1);
        ::setenv("KBX_PLATFORM", GetParam().platform, 1);
        ::unsetenv("KBX_KEYBOARD_EVENTS");
    }
    void TearDown() override {
        for (const char* variable : {"KBX_KEYBOARD", "KBX_USB", "KBX_PLATFORM"}) ::unsetenv(variable);
    }

    kbxtest::ProcessResult kbx32(const std::vector<std::string>& arguments) {
        return kbxtest::runProgram(kKbx32, arguments);
    }

    std::string headerLine() const {
        const auto memory = keyboard.memory(0, 8);
        char line[64];
        std::snprintf(line, sizeof line, "header %02X %02X %02X %02X %02X %02X %02X %02X\n", memory[0], memory[1],
                      memory[2], memory[3], memory[4], memory[5], memory[6], memory[7]);
        return line;
    }

    kbxtest::TempDir dir;
    kbxsim::Simulator keyboard;
};

TEST_P(Kbx32OverKeyboardPort, DownloadHeaderAndUploadGiveBackTheImage) {
    kbxtest::writeFile(dir / "layout.kbf", kSmallLayout);
    const auto download = kbx32({(dir / "layout.kbf").string(), GetParam().interface});
    ASSERT_EQ(download.exitCode, 0) << download.err << kbxtest::readFile(dir / "layout.LOG");
    const auto image = kbxtest::readBytes(dir / "layout.kbx");
    EXPECT_EQ(kbxtest::readFile(dir / "layout.LOG"), "OK\n " + std::to_string(image.size()) + " bytes sent\n");
    EXPECT_EQ(keyboard.memory(4, image.size() - 4), std::vector<std::uint8_t>(image.begin() + 4, image.end()));

    const auto header = kbx32({"--header", GetParam().interface});
    ASSERT_EQ(header.exitCode, 0) << header.err;
    EXPECT_EQ(header.out, headerLine());

    const auto upload = kbx32({"--upload", (dir / "back.kbx").string(), GetParam().interface});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(kbxtest::readBytes(dir / "back.kbx"), image);
    // The reply keys were captured, not typed into the desktop: at most the
    // release of a block's last key, after its capture ended, is passed on.
    for (std::uint32_t keyData : keyboard.desktopInput()) EXPECT_NE(keyData & kKeyUp, 0u) << std::hex << keyData;
}

INSTANTIATE_TEST_SUITE_P(Transports, Kbx32OverKeyboardPort, testing::ValuesIn(kPortCases),
                         [](const testing::TestParamInfo<PortCase>& test) { return std::string(test.param.name); });

class Kbx32UploadFaults : public Kbx32OverKeyboardPort {};

// A reply whose checksum is wrong on every try: five failures of one block
// end the upload with the capture path's error (bit 4 set), and no file is
// written.
TEST_P(Kbx32UploadFaults, ABadChecksumOnEveryReplyFailsTheUpload) {
    keyboard.corruptReplies(kbxsim::ReplyCorruption{kbxsim::ReplyDamage::wrongChecksumLow, 0}, 5);
    const auto upload = kbx32({"--upload", (dir / "back.kbx").string(), GetParam().interface});
    EXPECT_EQ(upload.exitCode, kUploadFailed) << upload.out << upload.err;
    EXPECT_NE(upload.err.find("upload failed (block error 0x14: the low digit of the reply's checksum was wrong, "
                              "over the keyboard port)"),
              std::string::npos)
        << upload.err;
    EXPECT_FALSE(fs::exists(dir / "back.kbx"));
}

// One corrupted reply costs one retry of its block.
TEST_P(Kbx32UploadFaults, OneBadReplyIsReadAgain) {
    kbxtest::writeFile(dir / "layout.kbf", kSmallLayout);
    ASSERT_EQ(kbx32({(dir / "layout.kbf").string(), GetParam().interface}).exitCode, 0);
    keyboard.corruptReplies(kbxsim::ReplyCorruption{kbxsim::ReplyDamage::wrongDataDigit, 3}, 1);
    const auto upload = kbx32({"--upload", (dir / "back.kbx").string(), GetParam().interface});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(kbxtest::readBytes(dir / "back.kbx"), kbxtest::readBytes(dir / "layout.kbx"));
}

const PortCase kFaultCases[] = {
    {"Driver", "", "AT"},
    {"Usb", "", "USB"},
};
INSTANTIATE_TEST_SUITE_P(Transports, Kbx32UploadFaults, testing::ValuesIn(kFaultCases),
                         [](const testing::TestParamInfo<PortCase>& test) { return std::string(test.param.name); });

// A command through the interface library itself: the bytes reach the
// keyboard as one device command; off the serial line no reply is read.
TEST_P(Kbx32OverKeyboardPort, CommandBytesReachTheKeyboard) {
    kbx::platform::DynamicLibrary library((kLibraries / "libkbxi32.so").string());
    ASSERT_TRUE(library.isOpen());
    using SendCommand = int (*)(int*, unsigned char*, char*);
    const auto sendCommand = library.symbol<SendCommand>("kbx_snd_cmd");
    ASSERT_NE(sendCommand, nullptr);
    std::array<unsigned char, 257> bytes{0xEF, 0x36, 0x05};
    std::array<char, 128> message{};
    std::snprintf(message.data(), message.size(), "%s", GetParam().interface);
    int length = 3;
    EXPECT_EQ(sendCommand(&length, bytes.data(), message.data()), 0) << message.data();
    EXPECT_EQ(length, 0);
    EXPECT_EQ(bytes[0], 0);
    const auto commands = keyboard.commandLog();
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].code, 0x36);
    EXPECT_EQ(commands[0].arguments, std::vector<std::uint8_t>{5});
}

// kbx32 and its libraries copied without the point-of-sale library: the
// upload over the keyboard port tells the user it is missing and fails.
TEST(Kbx32WithoutPointOfSaleLibrary, UploadOverTheKeyboardPortReportsTheMissingLibrary) {
    kbxtest::TempDir dir;
    fs::create_directories(dir / "bin");
    fs::create_directories(dir / "lib");
    fs::copy_file(kKbx32, dir / "bin" / "kbx32");
    for (const auto& entry : fs::directory_iterator(kLibraries)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("libkbxfunc", 0) == 0 || entry.is_directory()) continue;
        if (entry.is_symlink())
            fs::create_symlink(fs::read_symlink(entry.path()), dir / "lib" / name);
        else
            fs::copy_file(entry.path(), dir / "lib" / name);
    }
    kbxsim::Simulator keyboard;
    ::setenv("KBX_KEYBOARD", ("sim:" + keyboard.channelPath().string()).c_str(), 1);
    const auto upload = kbxtest::runProgram(dir / "bin" / "kbx32", {"--upload", (dir / "back.kbx").string(), "AT"});
    ::unsetenv("KBX_KEYBOARD");
    EXPECT_EQ(upload.exitCode, kUploadFailed);
    EXPECT_NE(upload.err.find("Unable to load KBXFUNC.DLL "), std::string::npos) << upload.err;
    EXPECT_NE(upload.err.find("Upload Error."), std::string::npos) << upload.err;
    EXPECT_FALSE(fs::exists(dir / "back.kbx"));
}

}  // namespace
