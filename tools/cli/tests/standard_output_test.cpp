#include "cli/standard_output.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace {

// /dev/full takes no byte: every write fails with ENOSPC (the kernel's
// drivers/char/mem.c, write_full).
TEST(StandardOutput, AWriteThatCannotReachTheOutputIsAFailure) {
    const int saved = dup(STDOUT_FILENO);
    const int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    std::fflush(stdout);
    dup2(full, STDOUT_FILENO);
    std::cout << "lost\n";
    testing::internal::CaptureStderr();
    const int code = cli::finishStandardOutput("tool", 0, 7);
    const std::string complaint = testing::internal::GetCapturedStderr();
    dup2(saved, STDOUT_FILENO);
    close(full);
    close(saved);
    std::cout.clear();
    std::clearerr(stdout);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(complaint.rfind("tool: write error", 0), 0u) << complaint;
    EXPECT_EQ(cli::finishStandardOutput("tool", 3, 7), 3) << "intact output keeps the exit code";
}

}  // namespace
