// kbx32: the compile-and-download program that the editor starts.
#include <stdlib.h>

#include <csignal>
#include <cstdio>
#include <span>

#include "platform/serial_devices.h"
#include "tools/kbx32/command_line.h"
#include "tools/kbx32/help.h"
#include "tools/kbx32/port_diagnosis.h"
#include "tools/kbx32/run.h"
#include "tools/kbx32/serial_port_list.h"

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
    switch (request.kind) {
        case Request::Kind::help:
            std::fputs(helpText().c_str(), stdout);
            return outcomeRow(Outcome::success).exitCode;
        case Request::Kind::usage:
            std::fprintf(stderr, "kbx32: %s\n%s", request.problem.c_str(), usageText().c_str());
            return outcomeRow(Outcome::usage).exitCode;
        case Request::Kind::header:
            return outcomeRow(runHeader(request.interfaceString, stdout, stderr)).exitCode;
        case Request::Kind::listPorts:
            std::fputs(serialPortListText(listSerialPorts()).c_str(), stdout);
            return outcomeRow(Outcome::success).exitCode;
        case Request::Kind::upload: {
            MessageChannel messages(stdout);
            return outcomeRow(runUpload(request.image, request.interfaceString, messages, stderr)).exitCode;
        }
        case Request::Kind::ifChanged: {
            MessageChannel messages(stdout);
            return outcomeRow(runIfChanged(request.job, messages, stderr)).exitCode;
        }
        case Request::Kind::run: break;
    }
    MessageChannel messages(stdout);
    return outcomeRow(runJob(request.job, messages, stderr)).exitCode;
}
