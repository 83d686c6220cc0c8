// kbx32 --upload and --header over a serial line whose replies the simulated
// keyboard spoils: each failure has its own exit status and names the block
// error in words, instead of borrowing the download's texts (a NUL in a
// reply used to read as an invalid image, a failed read as a missing file
// name).
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/background.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxsim = fs::path(KBX_BIN_DIR) / "kbxsim";
constexpr char kInterface[] = "COM1:9600,O,8";
constexpr int kUploadFailed = 15;
constexpr int kHeaderFailed = 16;

struct SpoiledReply {
    std::string corruption;  // kbxsim --corrupt-reply
    std::string named;       // what the failure says
};

class Kbx32ReadFailures : public ::testing::TestWithParam<SpoiledReply> {
protected:
    void SetUp() override {
        const fs::path link = dir / "ttyKBX";
        // Every reply spoiled: each block fails its five tries. (A short reply
        // would cost five read time-outs, 9.5 s, for block error 2.)
        keyboard = std::make_unique<kbxtest::Background>(
            kKbxsim,
            std::vector<std::string>{"serial", "--link", link.string(), "--corrupt-reply", GetParam().corruption,
                                     "--corrupt-replies", "0"},
            dir / "kbxsim.err");
        ASSERT_FALSE(keyboard->readLine().empty()) << kbxtest::readFile(dir / "kbxsim.err");
        arguments = {"--port", link.string()};
    }

    kbxtest::ProcessResult kbx32(const std::vector<std::string>& operation) {
        std::vector<std::string> all = arguments;
        all.insert(all.end(), operation.begin(), operation.end());
        kbxtest::ProcessOptions options;
        options.timeout = std::chrono::seconds(20);
        return kbxtest::runProgram(kKbx32, all, options);
    }

    kbxtest::TempDir dir;
    std::unique_ptr<kbxtest::Background> keyboard;
    std::vector<std::string> arguments;
};

TEST_P(Kbx32ReadFailures, AnUploadSaysWhichBlockErrorEndedIt) {
    const fs::path image = dir / "back.kbx";
    const kbxtest::ProcessResult upload = kbx32({"--upload", image.string(), kInterface});
    EXPECT_EQ(upload.exitCode, kUploadFailed) << upload.err;
    EXPECT_EQ(upload.err, "kbx32: " + image.string() + ": upload failed (" + GetParam().named + ")\n");
    EXPECT_FALSE(fs::exists(image));
}

TEST_P(Kbx32ReadFailures, AHeaderQuerySaysWhichBlockErrorEndedIt) {
    const kbxtest::ProcessResult header = kbx32({"--header", kInterface});
    EXPECT_EQ(header.exitCode, kHeaderFailed) << header.err;
    EXPECT_EQ(header.err, std::string("kbx32: ") + kInterface + ": header query failed (" + GetParam().named + ")\n");
    EXPECT_EQ(header.out, "");
}

INSTANTIATE_TEST_SUITE_P(
    Replies, Kbx32ReadFailures,
    testing::Values(SpoiledReply{"nul:0", "block error 0x06: the reply held a NUL character"},
                    SpoiledReply{"checksum-high", "block error 0x03: the high digit of the reply's checksum was wrong"},
                    SpoiledReply{"non-hex:0", "block error 0x05: a data character of the reply was not a hex digit"}),
    [](const testing::TestParamInfo<SpoiledReply>& spoiled) { return "Case" + std::to_string(spoiled.index); });

}  // namespace
