#include "tools/kbxsim/command_line/run.h"

#include <signal.h>
#include <fcntl.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>

#include "cli/options.h"
#include "tools/kbxsim/command_line/command_input.h"
#include "tools/kbxsim/command_line/command_line.h"
#include "tools/kbxsim/command_line/help.h"
#include "tools/kbxsim/command_line/program_report.h"
#include "tools/kbxsim/firmware/image_file.h"
#include "tools/kbxsim/firmware/shared_firmware.h"
#include "tools/kbxsim/modules/module_input.h"
#include "tools/kbxsim/transports/keyboard_socket.h"
#include "tools/kbxsim/transports/pseudo_terminal.h"
#include "tools/kbxsim/transports/serial_channel.h"
#include "tools/kbxsim/transports/server.h"
#include "tools/kbxsim/transports/symbolic_link.h"
#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim {
namespace {

void complain(std::ostream& err, std::string_view message) {
    err << kProgramName << ": " << message << '\n';
    err.flush();
}

// SIGINT and SIGTERM stop the keyboard, SIGUSR1 saves the image; all three are
// taken through a descriptor that the serving loop watches.
sigset_t handledSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGUSR1);
    return signals;
}

UniqueDescriptor takeSignals() {
    const sigset_t signals = handledSignals();
    if (::sigprocmask(SIG_BLOCK, &signals, nullptr) != 0) return UniqueDescriptor{};
    return UniqueDescriptor(::signalfd(-1, &signals, SFD_CLOEXEC));
}

// The next signal from the descriptor; nothing when none could be read.
std::optional<int> nextSignal(int descriptor) {
    signalfd_siginfo info{};
    for (;;) {
        const ssize_t count = ::read(descriptor, &info, sizeof info);
        if (count == static_cast<ssize_t>(sizeof info)) return static_cast<int>(info.ssi_signo);
        if (count < 0 && errno == EINTR) continue;
        return std::nullopt;
    }
}

bool save(const CommandLine& options, SharedFirmware& firmware, std::ostream& err) {
    if (options.save.empty()) return true;
    const std::string error =
        firmware.access([&](const Firmware& f) { return saveImage(options.save, f.memory()); });
    if (error.empty()) return true;
    complain(err, options.save.string() + ": " + error);
    return false;
}

// Whether standard input is open. Checked before anything is opened: with it
// closed, the next descriptor made would take its number.
bool standardInputOpen() { return ::fcntl(STDIN_FILENO, F_GETFD) != -1; }

int serve(const CommandLine& options, Firmware firmware, bool readInput, std::ostream& out, std::ostream& err) {
    const UniqueDescriptor signals = takeSignals();
    if (!signals.valid()) {
        complain(err, std::string("cannot take the signals: ") + std::strerror(errno));
        return kExitFailed;
    }
    SharedFirmware shared(std::move(firmware));
    PseudoTerminal terminal;
    std::optional<SymbolicLink> link;
    if (!options.link.empty()) link.emplace(options.link, terminal.slavePath());

    SerialChannel channel(terminal, shared,
                          SerialChannelOptions{options.lineRate, options.adapterLatency, options.verbose ? &err : nullptr});
    Server server;
    server.add(channel);

    ProgramReport report(out);
    shared.access([&](Firmware& f) { f.setObserver(&report); });
    std::optional<KeyboardSocketChannel> keyboard;
    std::optional<CommandInput> commands;
    if (!options.channel.empty()) {
        KeyboardChannelOptions channelOptions;
        channelOptions.log = options.verbose ? &err : nullptr;
        channelOptions.onDesktopInput = [&](std::uint32_t keyData) { report.desktopInput(keyData); };
        keyboard.emplace(options.channel, shared, channelOptions);
        server.add(*keyboard);
        for (const std::string& line : options.input) keyboard->post(parseModuleInput(line, options.language).events);
        if (readInput) {
            commands.emplace(STDIN_FILENO, *keyboard, options.language,
                             [&](const std::string& message) { complain(err, message); });
            server.add(*commands);
        }
    }

    // The first line tells that everything listens.
    out << terminal.slavePath();
    if (link) out << ' ' << link->path().string();
    out << std::endl;
    if (!out) {
        // Nobody learns where the keyboard is: no use serving it.
        shared.access([](Firmware& f) { f.setObserver(nullptr); });
        return kExitFailed;
    }
    bool saved = true;
    const std::string error = server.run(signals.get(), [&] {
        const auto signal = nextSignal(signals.get());
        if (signal != SIGUSR1) return false;
        saved = save(options, shared, err);
        return true;
    });
    shared.access([](Firmware& f) { f.setObserver(nullptr); });
    if (!error.empty()) {
        complain(err, error);
        save(options, shared, err);
        return kExitFailed;
    }
    return save(options, shared, err) && saved ? kExitStopped : kExitFailed;
}

}  // namespace

int runKbxsim(std::span<const std::string_view> arguments, std::ostream& out, std::ostream& err) {
    const bool readInput = standardInputOpen();
    const ParsedCommandLine parsed = parseCommandLine(arguments);
    if (!parsed.error.empty()) {
        err.flush();
        cli::reportUsageProblem(kProgramName, parsed.error);
        return kExitUsage;
    }
    const CommandLine& options = parsed.options;
    if (options.help) {
        out << usageText() << helpText();
        return kExitStopped;
    }
    if (options.version) {
        out << cli::versionText(kProgramName);
        return kExitStopped;
    }

    Firmware firmware(options.identification);
    firmware.answerEchoOnlyAt(options.echoSettings);
    firmware.display().resize(options.displayRows, options.displayColumns);
    if (!options.load.empty()) {
        const std::string error = loadImage(options.load, firmware.memory());
        if (!error.empty()) {
            complain(err, options.load.string() + ": " + error);
            return kExitFailed;
        }
    }
    if (!options.save.empty()) {
        const std::string error = checkImageCanBeSaved(options.save);
        if (!error.empty()) {
            complain(err, options.save.string() + ": " + error);
            return kExitFailed;
        }
    }
    armFaults(options, firmware);
    try {
        return serve(options, std::move(firmware), readInput, out, err);
    } catch (const std::runtime_error& failure) {
        complain(err, failure.what());
        return kExitFailed;
    }
}

}  // namespace kbxsim
