// kbxsim: the simulated keyboard on a pseudo-terminal. "kbxsim --help"
// describes the protocol, the options and the exit codes.

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/standard_output.h"
#include "tools/kbxsim/command_line/command_line.h"
#include "tools/kbxsim/command_line/run.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argc > 0 ? argv + 1 : argv, argv + argc);
    const int code = kbxsim::runKbxsim(arguments, std::cout, std::cerr);
    return cli::finishStandardOutput(kbxsim::kProgramName, code, kbxsim::kExitFailed);
}
