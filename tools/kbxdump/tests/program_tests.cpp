// The kbxdump program as a user runs it: its output must reach standard
// output, and its manual page tells the same exit codes as its help.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/manual_page.h"
#include "tests/support/process.h"
#include "tools/kbxdump/exit_codes.h"
#include "tools/kbxdump/help.h"
#include "tools/kbxdump/tests/image_builder.h"

namespace kbxdump::test {
namespace {

const std::filesystem::path kProgram = std::filesystem::path(KBX_BIN_DIR) / "kbxdump";
const std::filesystem::path kManualPage = std::filesystem::path(KBX_SOURCE_DIR) / "doc/man/kbxdump.1";

// kbxdump with its standard output on /dev/full, where every write fails
// with ENOSPC (the kernel's drivers/char/mem.c, write_full).
kbxtest::ProcessResult runOnAFullDevice(const std::vector<std::string>& arguments) {
    return kbxtest::runProgram(kProgram, arguments, kbxtest::withOutputTo("/dev/full"));
}

TEST(Program, AFullStandardOutputIsAFailure) {
    kbxtest::TempDir dir;
    const Bytes image = mirkBuilder().build();
    kbxtest::writeFile(dir / "mirk.kbx", std::string(image.begin(), image.end()));
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{(dir / "mirk.kbx").string()}, std::vector<std::string>{"--help"},
          std::vector<std::string>{"--version"}}) {
        const kbxtest::ProcessResult result = runOnAFullDevice(arguments);
        EXPECT_EQ(result.exitCode, kExitUsageOrFile) << arguments.front();
        EXPECT_EQ(result.err.rfind("kbxdump: write error", 0), 0u) << result.err;
    }
}

TEST(Program, AnUnknownOptionPrintsNothingOnStandardOutput) {
    const kbxtest::ProcessResult result = kbxtest::runProgram(kProgram, {"--bogus", "image.kbx"});
    EXPECT_EQ(result.exitCode, kExitUsageOrFile);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "kbxdump: unknown option --bogus\nTry 'kbxdump --help' for more information.\n");
}

TEST(Program, TheManualPageTellsTheExitCodesOfTheHelp) {
    EXPECT_EQ(kbxtest::manualSection(kbxtest::readFile(kManualPage), "EXIT STATUS"),
              kbxtest::manualExitStatus(kExitCodes));
}

}  // namespace
}  // namespace kbxdump::test
