// kbx32 --if-changed as a deployment to many tills runs it: the first run
// downloads, a second run with the same layout writes nothing to the
// keyboard, and a changed layout is downloaded again; each told by its exit
// code.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "kbxsim/simulator.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
constexpr int kAlreadyHeld = 0;
constexpr int kDownloaded = 13;

class Kbx32IfChanged : public ::testing::Test {
protected:
    int deploy() {
        const kbxtest::ProcessResult run = kbxtest::runProgram(
            kKbx32, {"--port", keyboard.portPath(), "--if-changed", (dir / "till.kbf").string(), "COM1:9600,O,8"});
        lastErr = run.err;
        return run.exitCode;
    }
    kbxsim::Simulator keyboard;
    kbxtest::TempDir dir;
    std::string lastErr;
};

TEST_F(Kbx32IfChanged, DownloadsOnlyWhenTheKeyboardHoldsAnotherImage) {
    kbxtest::writeFile(dir / "till.kbf", "TYPE MIRK\nA01: \"a\"\n");
    EXPECT_EQ(deploy(), kDownloaded) << lastErr;
    EXPECT_GT(keyboard.counters().writeFrames, 0u);

    keyboard.resetCounters();
    EXPECT_EQ(deploy(), kAlreadyHeld) << lastErr;
    EXPECT_EQ(keyboard.counters().writeFrames, 0u) << "nothing is written to a keyboard that is up to date";
    EXPECT_NE(lastErr.find("holds this image already"), std::string::npos) << lastErr;

    kbxtest::writeFile(dir / "till.kbf", "TYPE MIRK\nA01: \"b\"\n");
    EXPECT_EQ(deploy(), kDownloaded) << lastErr;
    keyboard.resetCounters();
    EXPECT_EQ(deploy(), kAlreadyHeld) << lastErr;
}

}  // namespace
