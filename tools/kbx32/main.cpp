// kbx32: the compile-and-download program that the editor starts.
#include <stdlib.h>

#include <csignal>
#include <cstdio>
#include <memory>
#include <span>

#include "platform/serial_devices.h"
#include "cli/options.h"
#include "cli/standard_output.h"
#include "tools/kbx32/command_line.h"
#include "tools/kbx32/help.h"
#include "tools/kbx32/message_output.h"
#include "tools/kbx32/port_diagnosis.h"
#include "tools/kbx32/port_release.h"
#include "tools/kbx32/run.h"
#include "tools/kbx32/serial_port_list.h"

namespace kbx32 {
namespace {

std::unique_ptr<MessageChannel> channelFor(const Request& request, Transfer transfer) {
    return openMessageChannel(stdout, messageFormFor(stdout, request.messageLines), transfer);
}

// What the run did, before its output is known to be written.
Outcome perform(const Request& request) {
    switch (request.kind) {
        case Request::Kind::help: std::fputs(helpText().c_str(), stdout); return Outcome::success;
        case Request::Kind::version:
            std::fputs(cli::versionText(kProgramName).c_str(), stdout);
            return Outcome::success;
        case Request::Kind::usage:
            cli::reportUsageProblem(kProgramName, usageProblem(request.problem));
            return Outcome::usage;
        case Request::Kind::header: return runHeader(request.interfaceString, stdout, stderr);
        case Request::Kind::listPorts:
            std::fputs(serialPortListText(listSerialPorts()).c_str(), stdout);
            return Outcome::success;
        case Request::Kind::upload:
            return runUpload(request.image, request.interfaceString, *channelFor(request, Transfer::upload), stderr);
        case Request::Kind::ifChanged:
            return runIfChanged(request.job, *channelFor(request, Transfer::download), stderr);
        case Request::Kind::run: break;
    }
    return runJob(request.job, *channelFor(request, Transfer::download), stderr);
}

// The exit status: the run's, unless its output could not be written; a
// failure of the run itself tells more than the lost output and is kept.
int exitCodeOf(Outcome outcome) {
    const bool worked = outcome == Outcome::success || outcome == Outcome::imageReplaced;
    const int failed = outcomeRow(Outcome::outputNotWritten).exitCode;
    const int code = outcomeRow(outcome).exitCode;
    if (!worked) return cli::finishStandardOutput(kProgramName, code, failed);
    return cli::finishStandardOutput(kProgramName, 0, failed) == 0 ? code : failed;
}

}  // namespace
}  // namespace kbx32

int main(int argc, char** argv) {
    using namespace kbx32;
    // A dialog that goes away must not stop the compilation half-way.
    std::signal(SIGPIPE, SIG_IGN);

    const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0), argc > 0 ? std::size_t(argc - 1) : 0);
    const Request request = parseArguments(arguments);
    // --port: the interface's COM port is that device for this run.
    if (!request.portDevice.empty()) {
        const std::string variable = kbx::platform::serialDeviceVariable(serialPortNameOf(request.interface()));
        ::setenv(variable.c_str(), request.portDevice.c_str(), 1);
    }
    releasePortWhenStopped(request.interface());
    return exitCodeOf(perform(request));
}
