// kbxpos: a terminal point-of-sale monitor over the point-of-sale library.

#include <unistd.h>

#include <iostream>
#include <string_view>

#include "platform/key_events.h"
#include "tools/kbxpos/help.h"
#include "tools/kbxpos/interpreter.h"
#include "tools/kbxpos/library_point_of_sale.h"
#include "tools/kbxpos/terminal_loop.h"

namespace {

constexpr int kUsageError = 2;
constexpr int kCannotOpen = 3;
constexpr char kNoKeySource[] =
    "kbxpos: no key event source is configured (KBX_KEYBOARD_EVENTS=evdev:/dev/input/eventN or sim:PATH, or "
    "KBX_KEYBOARD or KBX_USB naming a simulated keyboard): no module data will arrive; commands and the display "
    "still work\n";

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
    if (!kbx::platform::keyEventSourceConfigured()) std::cerr << kNoKeySource;
    kbxpos::Session session{pointOfSale, std::cout, std::cerr, &kbxpos::runLibraryFor};
    return kbxpos::runTerminal(STDIN_FILENO,
                               [&](std::string_view line) { return kbxpos::runCommandLine(line, session); });
}
