#include "tools/kbxpos/help.h"

#include <ostream>

#include "cli/exit_status.h"
#include "tools/kbxpos/exit_status.h"
#include "tools/kbxpos/interpreter.h"

namespace kbxpos {

void printHelp(std::ostream& out) {
    out << "Usage: kbxpos [--help | --version]\n"
           "\n"
           "Opens the point-of-sale library, prints the data of the keyboard's modules as\n"
           "it arrives (\"track1 5: 12345\": module, character count, text) and runs the\n"
           "commands read from standard input, one a line, printing \"ok\" or the failure\n"
           "code of each. The input may be a terminal or a script; its end quits. A\n"
           "command that was refused or failed does not stop the run, but makes its exit\n"
           "status 1 at the end.\n"
           "\n"
           "Commands:\n";
    printCommands(out);
    out << "\n"
           "The keyboard is reached as the interface library finds it (KBX_KEYBOARD, KBX_USB);\n"
           "key events come from KBX_KEYBOARD_EVENTS.\n"
           "\n"
        << cli::exitStatusText(cli::exitCodesOf(kExitRows, &ExitRow::exitCode, &ExitRow::description));
}

}  // namespace kbxpos
