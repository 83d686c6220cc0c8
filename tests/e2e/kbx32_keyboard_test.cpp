// kbx32 programming the simulated keyboard through a serial port, as the
// editor's send command does: compile, download, and the upload and header
// query a user runs to check what the keyboard holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "kbxsim/simulator.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxlayout = fs::path(KBX_BIN_DIR) / "kbxlayout";
const fs::path kExample = fs::path(KBX_SOURCE_DIR) / "data" / "examples" / "bakery.kbf";

class Kbx32Keyboard : public testing::Test {
protected:
    void SetUp() override { ::setenv("KBX_COM1", keyboard.portPath().c_str(), 1); }
    void TearDown() override { ::unsetenv("KBX_COM1"); }

    static kbxsim::SimulatorOptions options(const fs::path& link) {
        kbxsim::SimulatorOptions result;
        result.link = link;
        result.echoSettings = kbxsim::LineSettings{9600, kbxsim::Parity::odd, 8};
        return result;
    }

    kbxtest::ProcessResult kbx32(const std::vector<std::string>& arguments) {
        return kbxtest::runProgram(kKbx32, arguments);
    }

    std::vector<std::string> phaseLines(const kbxtest::ProcessResult& run) {
        std::vector<std::string> lines;
        for (const std::string& line : kbxtest::splitLines(run.out))
            if (line.rfind("kbx_message 0 ", 0) != 0) lines.push_back(line);
        return lines;
    }

    kbxtest::TempDir dir;
    kbxsim::Simulator keyboard{options(dir / "COM1")};
};

TEST_F(Kbx32Keyboard, ExampleIsCompiledDownloadedAndUploadedBackUnchanged) {
    fs::copy_file(kExample, dir / "bakery.kbf");
    const auto download = kbx32({(dir / "bakery.kbf").string(), "COM1:9600,O,8"});
    ASSERT_EQ(download.exitCode, 0) << download.err << kbxtest::readFile(dir / "bakery.LOG");
    EXPECT_EQ(phaseLines(download), (std::vector<std::string>{"kbx_message 2 0", "kbx_message 1 0",
                                                              "kbx_message 3 0", "kbx_message 1 0"}));
    const auto image = kbxtest::readBytes(dir / "bakery.kbx");
    EXPECT_EQ(kbxtest::readFile(dir / "bakery.LOG"), "OK\n " + std::to_string(image.size()) + " bytes sent\n");

    const auto upload = kbx32({"--upload", (dir / "back.kbx").string(), "COM1:9600,O,8"});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(kbxtest::readBytes(dir / "back.kbx"), image);
}

// As a user resaves a layout with the layout tool and sends the result: the
// keyboard holds the image of the original file.
TEST_F(Kbx32Keyboard, AResavedExampleProgramsTheKeyboardWithTheOriginalsImage) {
    fs::copy_file(kExample, dir / "bakery.kbf");
    ASSERT_EQ(kbx32({(dir / "bakery.kbf").string(), "COMP"}).exitCode, 0);
    const auto original = kbxtest::readBytes(dir / "bakery.kbx");
    const auto resave = kbxtest::runProgram(kKbxlayout, {"resave", (dir / "bakery.kbf").string(),
                                                         (dir / "resaved.kbf").string()});
    ASSERT_EQ(resave.exitCode, 0) << resave.err;
    ASSERT_EQ(kbx32({(dir / "resaved.kbf").string(), "COMP"}).exitCode, 0) << kbxtest::readFile(dir / "resaved.TXT");
    EXPECT_EQ(kbxtest::readBytes(dir / "resaved.kbx"), original);
    const auto download = kbx32({(dir / "resaved.kbf").string(), "COM1:9600,O,8"});
    ASSERT_EQ(download.exitCode, 0) << download.err << kbxtest::readFile(dir / "resaved.LOG");
    const auto upload = kbx32({"--upload", (dir / "back.kbx").string(), "COM1:9600,O,8"});
    ASSERT_EQ(upload.exitCode, 0) << upload.err;
    EXPECT_EQ(kbxtest::readBytes(dir / "back.kbx"), original);
}

TEST_F(Kbx32Keyboard, DownloadFindsTheLineSettingsWhenNoneAreGiven) {
    kbxtest::writeFile(dir / "layout.kbf", "TYPE MIRK\nA01: \"a\"\n");
    const auto download = kbx32({(dir / "layout.kbf").string(), "COM1"});
    ASSERT_EQ(download.exitCode, 0) << download.err;
    const auto image = kbxtest::readBytes(dir / "layout.kbx");
    ASSERT_GT(image.size(), 8u);
    EXPECT_EQ(keyboard.memory(4, image.size() - 4), std::vector<std::uint8_t>(image.begin() + 4, image.end()));
}

TEST_F(Kbx32Keyboard, HeaderShowsIdentificationAndTheDownloadedLength) {
    kbxtest::writeFile(dir / "layout.kbf", "TYPE MIRK\nA01: \"a\"\n");
    ASSERT_EQ(kbx32({(dir / "layout.kbf").string(), "COM1:9600,O,8"}).exitCode, 0);
    const auto header = kbx32({"--header", "COM1:9600,O,8"});
    ASSERT_EQ(header.exitCode, 0) << header.err;
    const auto memory = keyboard.memory(0, 8);
    char expected[64];
    std::snprintf(expected, sizeof expected, "header %02X %02X %02X %02X %02X %02X %02X %02X\n", memory[0],
                  memory[1], memory[2], memory[3], memory[4], memory[5], memory[6], memory[7]);
    EXPECT_EQ(header.out, expected);
    EXPECT_EQ(memory[6] * 256 + memory[7], 0x145);
}

TEST_F(Kbx32Keyboard, KeyboardThatRefusesEveryByteIsReportedAsDownloadNotPossible) {
    kbxtest::writeFile(dir / "layout.kbf", "TYPE MIRK\n");
    keyboard.refuseEveryByte();
    const auto download = kbx32({(dir / "layout.kbf").string(), "COM1:9600,O,8"});
    EXPECT_EQ(download.exitCode, 8);
    EXPECT_EQ(phaseLines(download).back(), "kbx_message 5 -5");
    EXPECT_EQ(kbxtest::readFile(dir / "layout.LOG"), "OK\nDownload not possible (0x95)\n");
}

}  // namespace
