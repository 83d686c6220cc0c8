// A point-of-sale program that ends with the library open exits normally,
// whichever key event source the library has: its state is destroyed after
// the thread's event loop, and must not reach into that loop again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"
#include "tools/kbxsim/simulator.h"

namespace {

namespace fs = std::filesystem;

const fs::path kProbe = fs::path(KBX_BIN_DIR) / "pos_exit_probe";

class PosExit : public testing::Test {
protected:
    void TearDown() override {
        ::unsetenv("KBX_KEYBOARD");
        ::unsetenv("KBX_USB");
    }
    kbxsim::Simulator keyboard;
};

TEST_F(PosExit, ReturningFromMainOrCallingExitWithTheLibraryOpenEndsNormally) {
    const std::string channel = "sim:" + keyboard.channelPath().string();
    struct Source {
        const char* variable;  // null: no key event source
        const char* name;
    };
    for (const Source source : {Source{nullptr, "none"}, Source{"KBX_KEYBOARD", "keyboard channel"},
                                Source{"KBX_USB", "USB"}}) {
        ::unsetenv("KBX_KEYBOARD");
        ::unsetenv("KBX_USB");
        if (source.variable != nullptr) ::setenv(source.variable, channel.c_str(), 1);
        for (const char* ending : {"return", "exit"}) {
            const kbxtest::ProcessResult run = kbxtest::runProgram(kProbe, {ending});
            EXPECT_EQ(run.exitCode, 0) << source.name << ", " << ending << ": " << run.err;
        }
    }
}

}  // namespace
