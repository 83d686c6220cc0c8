#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/files.h"
#include "tools/kbx32/run_log.h"

namespace kbx32 {
namespace {

TEST(RunLog, TheLibrarysMessageIsAddedAsALine) {
    kbxtest::TempDir dir;
    const std::string log = (dir / "till.LOG").string();
    kbxtest::writeFile(log, "compiled\n");
    EXPECT_EQ(appendToLog(log, " 302 bytes sent"), "");
    EXPECT_EQ(kbxtest::readFile(log), "compiled\n 302 bytes sent\n");
}

// Every step can fail: the open (a folder, a missing folder) and the write,
// which on /dev/full fails with ENOSPC only when the buffer is written at the
// close (the kernel's drivers/char/mem.c, write_full).
TEST(RunLog, ALogThatCannotBeWrittenIsNamedWithTheReason) {
    kbxtest::TempDir dir;
    EXPECT_EQ(appendToLog(dir.path().string(), "text"), dir.path().string() + ": Is a directory");
    const std::string missing = (dir / "gone" / "till.LOG").string();
    EXPECT_EQ(appendToLog(missing, "text"), missing + ": No such file or directory");
    EXPECT_EQ(appendToLog("/dev/full", "text"), "/dev/full: No space left on device");
}

TEST(RunLog, AFailureBeforeTheLogStaysTheOutcome) {
    const std::string problem = "/tmp/till.LOG: Is a directory";
    const StepResult worked = withLogProblem({}, problem);
    EXPECT_EQ(worked.outcome, Outcome::logNotOpened);
    EXPECT_EQ(worked.detail, "cannot write the log " + problem);

    const StepResult failed = withLogProblem({Outcome::transferFailed, "Download not possible (0x95)\n"}, problem);
    EXPECT_EQ(failed.outcome, Outcome::transferFailed);
    EXPECT_EQ(failed.detail, "Download not possible (0x95); cannot write the log " + problem);

    const StepResult untouched = withLogProblem({Outcome::imageInvalid, "kbx fileformat invalid"}, "");
    EXPECT_EQ(untouched.outcome, Outcome::imageInvalid);
    EXPECT_EQ(untouched.detail, "kbx fileformat invalid");
}

}  // namespace
}  // namespace kbx32
