// kbxsim: the simulated keyboard on a pseudo-terminal. "kbxsim --help"
// describes the protocol, the options and the exit codes.

#include <iostream>
#include <string_view>
#include <vector>

#include "tools/kbxsim/run.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argc > 0 ? argv + 1 : argv, argv + argc);
    return kbxsim::runKbxsim(arguments, std::cout, std::cerr);
}
