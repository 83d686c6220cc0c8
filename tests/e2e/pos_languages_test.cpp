// Module data typed on each of the eight national keyboards arrives as it
// was typed: the simulated keyboard types every character its national
// keyboard can type (Shift, AltGr, dead keys, and Alt with the numeric pad
// for the characters without a key) inside barcode frames, and a C program's
// callback and kbxpos get those characters back.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "kbxsim/key_typing.h"
#include "kbxsim/simulator.h"
#include "platform/code_pages.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kProbe = fs::path(KBX_BIN_DIR) / "pos_module_probe";
const fs::path kKbxpos = fs::path(KBX_BIN_DIR) / "kbxpos";
constexpr std::size_t kCharactersPerFrame = 40;

constexpr int kFirstPrintable = 0x20;
constexpr int kLastCharacter = 0xFF;
constexpr unsigned char kDelete = 0x7F;
// Printable ASCII and the Latin-1 letters and signs code page 437 has.
constexpr std::size_t kCharactersBothHave = 149;

// The keyboard types code page 437; the library hands module texts out in
// Windows-1252. The characters both have that the keyboard of `language`
// can type, as Windows-1252.
std::string typeableCharacters(kbxsim::KeyboardLanguage language) {
    std::string characters;
    for (int code = kFirstPrintable; code <= kLastCharacter; ++code) {
        const auto ansi = static_cast<unsigned char>(code);
        const unsigned char oem = kbx::platform::ansiToOem(ansi);
        if (ansi == kDelete || kbx::platform::oemToAnsi(oem) != ansi) continue;
        if (!kbxsim::typeText(std::string(1, char(oem)), language).empty()) characters += char(ansi);
    }
    return characters;
}

std::vector<std::string> framesOf(const std::string& text) {
    std::vector<std::string> frames;
    for (std::size_t at = 0; at < text.size(); at += kCharactersPerFrame) frames.push_back(text.substr(at, kCharactersPerFrame));
    return frames;
}

std::string probeLine(const std::string& frame) {
    std::string line = "barcode " + std::to_string(frame.size()) + ":";
    char hex[4];
    for (const char c : frame) {
        std::snprintf(hex, sizeof hex, " %02X", unsigned(static_cast<unsigned char>(c)));
        line += hex;
    }
    return line;
}

class PosLanguages : public testing::TestWithParam<int> {
protected:
    void SetUp() override { ::setenv("KBX_KEYBOARD", ("sim:" + keyboard.channelPath().string()).c_str(), 1); }
    void TearDown() override { ::unsetenv("KBX_KEYBOARD"); }
    // The frames come once the program has opened the library and chosen
    // the keyboard, one at a time, as a scanner reads them.
    void typeOnceTheProgramReads(const std::vector<std::string>& frames) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1000));
        for (const std::string& frame : frames) {
            keyboard.barcode(kbx::platform::ansiToOem(frame));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }

    kbxsim::Simulator keyboard;
    kbxtest::TempDir folder;
};

TEST_P(PosLanguages, EveryTypeableCharacterReachesTheCallbackAsTyped) {
    const auto language = static_cast<kbxsim::KeyboardLanguage>(GetParam());
    keyboard.setLanguage(language);
    const std::string characters = typeableCharacters(language);
    EXPECT_EQ(characters.size(), kCharactersBothHave) << "every one of them can be typed";
    const std::vector<std::string> frames = framesOf(characters);
    kbxtest::ProcessResult result;
    std::thread program(
        [&] { result = kbxtest::runProgram(kProbe, {std::to_string(GetParam()), std::to_string(frames.size())}); });
    typeOnceTheProgramReads(frames);
    program.join();
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = kbxtest::splitLines(result.out);
    ASSERT_EQ(lines.size(), frames.size()) << result.out;
    for (std::size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(lines[i], probeLine(frames[i])) << "frame " << i;
}

TEST_P(PosLanguages, KbxposPrintsTheFramesAsTyped) {
    const auto language = static_cast<kbxsim::KeyboardLanguage>(GetParam());
    keyboard.setLanguage(language);
    const std::vector<std::string> frames = framesOf(typeableCharacters(language));
    kbxtest::writeFile(folder / "script", "language " + std::to_string(GetParam()) + "\nwait 3000\nquit\n");
    kbxtest::ProcessOptions options;
    options.standardInput = folder / "script";
    kbxtest::ProcessResult result;
    std::thread program([&] { result = kbxtest::runProgram(kKbxpos, {}, options); });
    typeOnceTheProgramReads(frames);
    program.join();
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const std::string& frame : frames)
        EXPECT_NE(result.out.find("barcode " + std::to_string(frame.size()) + ": " + kbx::platform::ansiToUtf8(frame) + "\n"),
                  std::string::npos)
            << frame << "\n" << result.out;
}

INSTANTIATE_TEST_SUITE_P(EightKeyboards, PosLanguages, testing::Range(0, kbxsim::kLanguageCount));

}  // namespace
