#include "tools/kbx32/command_line.h"

#include <array>

#include "tools/kbx32/paths.h"
#include "tools/kbx32/port_diagnosis.h"

namespace kbx32 {

namespace {

constexpr std::string_view kCompileLogExtension = ".TXT";
constexpr std::string_view kDownloadLogExtension = ".LOG";
constexpr std::array<std::string_view, 2> kHelpOptions{"--help", "-h"};
constexpr std::size_t kOperandCount = 2;
constexpr std::string_view kEndOfOptions = "--";

bool asksForHelp(std::string_view argument) {
    for (std::string_view option : kHelpOptions)
        if (argument == option) return true;
    return false;
}

}  // namespace

std::string Job::logPath() const {
    return withExtension(source, compileOnly() ? kCompileLogExtension : kDownloadLogExtension);
}

namespace {

Request parseOperation(std::span<const char* const> arguments);

}  // namespace

// [--port DEVICE] before the operation; --list-ports alone.
Request parseArguments(std::span<const char* const> arguments) {
    for (const char* argument : arguments) {
        if (argument != nullptr && asksForHelp(argument)) {
            Request request;
            request.kind = Request::Kind::help;
            return request;
        }
    }
    if (!arguments.empty() && arguments[0] != nullptr && arguments[0] == kListPortsOption) {
        Request request;
        if (arguments.size() == 1) request.kind = Request::Kind::listPorts;
        else request.problem = "--list-ports takes nothing";
        return request;
    }
    if (!arguments.empty() && arguments[0] != nullptr && arguments[0] == kPortOption) {
        if (arguments.size() < 2 || arguments[1] == nullptr || *arguments[1] == '\0') {
            Request request;
            request.problem = "--port takes a device";
            return request;
        }
        Request request = parseOperation(arguments.subspan(2));
        request.portDevice = arguments[1];
        if (request.kind != Request::Kind::usage && serialPortNameOf(request.interface()).empty()) {
            request.kind = Request::Kind::usage;
            request.problem = "--port needs a serial interface string (COMn)";
        }
        return request;
    }
    return parseOperation(arguments);
}

namespace {

Request parseOperation(std::span<const char* const> arguments) {
    Request request;
    const bool hasFirst = !arguments.empty() && arguments[0] != nullptr;
    if (hasFirst && arguments[0] == kUploadOption) {
        if (arguments.size() != 3 || arguments[1] == nullptr || arguments[2] == nullptr) {
            request.problem = "--upload takes an image file and an interface";
            return request;
        }
        request.kind = Request::Kind::upload;
        request.image = arguments[1];
        request.interfaceString = arguments[2];
        return request;
    }
    if (hasFirst && arguments[0] == kIfChangedOption) {
        if (arguments.size() != 3 || arguments[1] == nullptr || arguments[2] == nullptr ||
            arguments[2] == kCompileOnly) {
            request.problem = "--if-changed takes a source and an interface";
            return request;
        }
        request.kind = Request::Kind::ifChanged;
        request.job = Job{arguments[1], arguments[2]};
        return request;
    }
    if (hasFirst && arguments[0] == kHeaderOption) {
        if (arguments.size() != 2 || arguments[1] == nullptr) {
            request.problem = "--header takes an interface";
            return request;
        }
        request.kind = Request::Kind::header;
        request.interfaceString = arguments[1];
        return request;
    }
    // "--" ends the options: what follows is a source and an interface even
    // when it starts with a dash. Before it, a dash starts an option kbx32
    // does not know, refused before any file is written.
    if (hasFirst && arguments[0] == kEndOfOptions) {
        arguments = arguments.subspan(1);
    } else if (hasFirst && arguments[0][0] == '-' && arguments[0][1] != '\0') {
        request.problem = std::string("unknown option ") + arguments[0];
        return request;
    }
    if (arguments.size() != kOperandCount) {
        request.problem = arguments.size() < kOperandCount ? "missing operand" : "too many operands";
        return request;
    }
    if (arguments[0] == nullptr || arguments[1] == nullptr) {
        request.problem = "missing operand";
        return request;
    }
    request.kind = Request::Kind::run;
    request.job = Job{arguments[0], arguments[1]};
    return request;
}

}  // namespace

}  // namespace kbx32
