// The compiler and the image printer as a user runs them: kbx32 compiles a
// source into an image that is checked byte for byte, and kbxdump reads it.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxdump = fs::path(KBX_BIN_DIR) / "kbxdump";
const fs::path kExample = fs::path(KBX_SOURCE_DIR) / "data" / "examples" / "bakery.kbf";

std::vector<unsigned char> bytesOf(std::initializer_list<int> values) {
    std::vector<unsigned char> bytes;
    for (int v : values) bytes.push_back((unsigned char)v);
    return bytes;
}

// Compiles a source with kbx32 in its own folder; the image's bytes, or
// nothing when kbx32 failed.
std::vector<unsigned char> compiledImage(const kbxtest::TempDir& folder, const std::string& source) {
    kbxtest::writeFile(folder / "layout.kbf", source);
    const auto run = kbxtest::runProgram(kKbx32, {(folder / "layout.kbf").string(), "COMP"});
    EXPECT_EQ(run.exitCode, 0) << kbxtest::readFile(folder / "layout.TXT");
    return kbxtest::readBytes(folder / "layout.kbx");
}

TEST(CompiledImage, DirectivesAndKeysGiveTheExactImage) {
    kbxtest::TempDir folder;
    const auto image = compiledImage(folder,
                                     "TYPE HASK\r\n"
                                     "LANGUAGE GR,S\r\n"
                                     "INTERFACE COM:9600,N,8,H\r\n"
                                     "SOUND 33,40,100,400\r\n"
                                     "RATE 20,250,F\r\n"
                                     "MODE -MSR-BCR+BA2\r\n"
                                     "MSR LRC,: \"E\"\r\n"
                                     "!@KEYLAYER:Normal-Layer\r\n"
                                     "DEF/S\r\n"
                                     "A01: \"a\"\r\n"
                                     "A02+S: \"b\"\r\n");
    std::vector<unsigned char> expected = bytesOf({'V', 'y', 'r', 'n', 0x1A, 0x9A, 0x01, 0x49});
    expected.resize(292, 0);
    expected[8] = 0x00;  // A01: short form, make code 1E
    expected[9] = 0x1E;
    expected[10] = 0x01;  // A02: record at 322
    expected[11] = 0x42;
    const auto rest = bytesOf({84, 2, 255, 20, 0, 4, 0x54, 4, 4, 0x54, 0x01, 0x30,  // sounds, hot keys, chain
                               0x01, 0x38, 1, 3, 0, 0x77, 0x11, 0x20,               // block 1: model, modes
                               0x01, 0x3D, 2, 0, 0x04,                               // block 2: rate
                               0x01, 0x2E, 5, 0, 'E',                                // block 5: reader text
                               0x00, 0x00, 0x02, 0x02, 0x1B, 0x30, 0x00});           // A02 +S, make only
    expected.insert(expected.end(), rest.begin(), rest.end());
    EXPECT_EQ(kbxtest::hex(image), kbxtest::hex(expected));
}

TEST(CompiledImage, NationalCharactersFollowTheChosenLanguage) {
    kbxtest::TempDir folder;
    // 0x84 is a-umlaut in code page 437: its own key on the German keyboard.
    const auto german = compiledImage(folder, "LANGUAGE GR\nA01: \"y\x84\"\n");
    const auto us = compiledImage(folder, "LANGUAGE US\nA01: \"y\"\n");
    ASSERT_GE(german.size(), 323u);
    EXPECT_EQ(std::vector<unsigned char>(german.begin() + 322, german.end() - 1), bytesOf({0x2C, 0xAC, 0x28, 0xA8}));
    EXPECT_EQ(std::vector<unsigned char>(us.begin() + 322, us.end() - 1), bytesOf({0x15, 0x95}));
}

TEST(CompiledImage, TheExampleLayoutDumpsWithEveryKindOfKey) {
    kbxtest::TempDir folder;
    fs::copy_file(kExample, folder / "bakery.kbf");
    const auto compile = kbxtest::runProgram(kKbx32, {(folder / "bakery.kbf").string(), "COMP"});
    ASSERT_EQ(compile.exitCode, 0) << kbxtest::readFile(folder / "bakery.TXT");
    const auto dump = kbxtest::runProgram(kKbxdump, {(folder / "bakery.kbx").string()});
    ASSERT_EQ(dump.exitCode, 0) << dump.err;
    for (const char* expected : {"language GR", "model    1 KESP", "key A01", "key M1H", "key BCH", "key KLT"}) {
        EXPECT_NE(dump.out.find(expected), std::string::npos) << expected;
    }
}

TEST(CompiledImage, DamagedImageIsRefusedByTheDump) {
    kbxtest::TempDir folder;
    auto image = compiledImage(folder, "TYPE MIRK\nA01: \"a\"\n");
    image.resize(image.size() - 3);
    kbxtest::writeFile(folder / "cut.kbx", std::string(image.begin(), image.end()));
    const auto dump = kbxtest::runProgram(kKbxdump, {(folder / "cut.kbx").string()});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_TRUE(dump.out.empty());
    EXPECT_NE(dump.err.find("cut.kbx"), std::string::npos);
}

}  // namespace
