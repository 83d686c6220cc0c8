// kbxdump: prints a keyboard image (.kbx) so that a person can check it.
// "kbxdump --help" describes the printout and the exit codes.

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/standard_output.h"
#include "tools/kbxdump/dump_command.h"
#include "tools/kbxdump/help.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argc > 0 ? argv + 1 : argv, argv + argc);
    const int code = kbxdump::runDump(arguments, kbxdump::helpText(), std::cout, std::cerr);
    return cli::finishStandardOutput(kbxdump::kProgramName, code, kbxdump::kExitUsageOrFile);
}
