// kbxpos: a terminal point-of-sale monitor over the point-of-sale library.

#include <unistd.h>

#include <iostream>
#include <string_view>

#include "tools/kbxpos/help.h"
#include "tools/kbxpos/interpreter.h"
#include "tools/kbxpos/library_point_of_sale.h"
#include "tools/kbxpos/terminal_loop.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kCannotOpen = 3;

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            kbxpos::printHelp(std::cout);
            return 0;
        }
        std::cerr << "kbxpos: unknown argument '" << argument << "' (kbxpos --help)\n";
        return kUsageError;
    }

    kbxpos::LibraryPointOfSale pointOfSale(std::cout);
    if (!pointOfSale.opened()) {
        std::cerr << "kbxpos: the point-of-sale library cannot be opened (its keyboard event source cannot be opened)\n";
        return kCannotOpen;
    }
    kbxpos::Session session{pointOfSale, std::cout, std::cerr, &kbxpos::runLibraryFor};
    return kbxpos::runTerminal(STDIN_FILENO,
                               [&](std::string_view line) { return kbxpos::runCommandLine(line, session); });
}
