#include "cli/exit_status.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TEST(ExitStatus, MeaningsStartInOneColumnAndWrapWithinTheHelpsWidth) {
    constexpr std::array<cli::ExitCode, 3> codes{{
        {0, "done"},
        {14, "the standard output cannot be written (a full disk, a closed pipe); the run itself may have worked"},
        {2, "usage"},
    }};
    EXPECT_EQ(cli::exitStatusText(codes),
              "Exit status:\n"
              "  0   done\n"
              "  14  the standard output cannot be written (a full disk, a closed pipe); the\n"
              "      run itself may have worked\n"
              "  2   usage\n");
}

}  // namespace
