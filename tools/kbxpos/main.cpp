// kbxpos: a terminal point-of-sale monitor over the point-of-sale library.

#include <unistd.h>

#include <iostream>
#include <span>
#include <string_view>

#include "platform/key_events.h"
#include "cli/options.h"
#include "cli/standard_output.h"
#include "tools/kbxpos/exit_status.h"
#include "tools/kbxpos/help.h"
#include "tools/kbxpos/interpreter.h"
#include "tools/kbxpos/library_point_of_sale.h"
#include "tools/kbxpos/terminal_loop.h"

namespace {

constexpr char kProgram[] = "kbxpos";
constexpr char kCannotOpen[] =
    "kbxpos: the point-of-sale library cannot be opened (its keyboard event source cannot be opened)\n";
constexpr char kNoKeySource[] =
    "kbxpos: no key event source is configured (KBX_KEYBOARD_EVENTS=evdev:/dev/input/eventN or sim:PATH, or "
    "KBX_KEYBOARD or KBX_USB naming a simulated keyboard): no module data will arrive; commands and the display "
    "still work\n";

// The program has no options of its own: --help, -h and --version only.
constexpr std::span<const cli::Option> kOptions{};

// The commands of standard input against the library, until the input ends
// or quit. The library is closed again before the output is finished.
kbxpos::Ending monitor() {
    kbxpos::LibraryPointOfSale pointOfSale(std::cout);
    if (!pointOfSale.opened()) {
        std::cerr << kCannotOpen;
        return kbxpos::Ending::cannotOpen;
    }
    if (!kbx::platform::keyEventSourceConfigured()) std::cerr << kNoKeySource;
    kbxpos::Session session{pointOfSale, std::cout, std::cerr, &kbxpos::runLibraryFor};
    const bool polled = kbxpos::runTerminal(
        STDIN_FILENO, [&](std::string_view line) { return kbxpos::runCommandLine(line, session); });
    if (!polled) return kbxpos::Ending::loopFailed;
    return session.failedCommands == 0 ? kbxpos::Ending::success : kbxpos::Ending::commandFailed;
}

kbxpos::Ending run(int argc, const char* const* argv) {
    const cli::Parsed parsed = cli::parse(argc, argv, kOptions);
    if (!parsed.ok()) {
        cli::reportUsageProblem(kProgram, parsed.problem);
        return kbxpos::Ending::usage;
    }
    if (parsed.help) {
        kbxpos::printHelp(std::cout);
        return kbxpos::Ending::success;
    }
    if (parsed.version) {
        std::cout << cli::versionText(kProgram);
        return kbxpos::Ending::success;
    }
    if (!parsed.operands.empty()) {
        cli::reportUsageProblem(kProgram, "unexpected argument '" + parsed.operands.front() + "'");
        return kbxpos::Ending::usage;
    }
    return monitor();
}

}  // namespace

int main(int argc, char** argv) {
    using kbxpos::Ending;
    const Ending ending = run(argc, argv);
    return cli::finishStandardOutput(kProgram, kbxpos::exitCode(ending), kbxpos::exitCode(Ending::outputFailed));
}
