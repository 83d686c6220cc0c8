#include "tools/kbx32/command_line.h"

#include <array>

#include "tools/kbx32/paths.h"

namespace kbx32 {

namespace {

constexpr std::string_view kCompileLogExtension = ".TXT";
constexpr std::string_view kDownloadLogExtension = ".LOG";
constexpr std::array<std::string_view, 2> kHelpOptions{"--help", "-h"};
constexpr std::size_t kOperandCount = 2;

bool asksForHelp(std::string_view argument) {
    for (std::string_view option : kHelpOptions)
        if (argument == option) return true;
    return false;
}

}  // namespace

std::string Job::logPath() const {
    return withExtension(source, compileOnly() ? kCompileLogExtension : kDownloadLogExtension);
}

Request parseArguments(std::span<const char* const> arguments) {
    Request request;
    for (const char* argument : arguments) {
        if (argument != nullptr && asksForHelp(argument)) {
            request.kind = Request::Kind::help;
            return request;
        }
    }
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
    if (hasFirst && arguments[0] == kHeaderOption) {
        if (arguments.size() != 2 || arguments[1] == nullptr) {
            request.problem = "--header takes an interface";
            return request;
        }
        request.kind = Request::Kind::header;
        request.interfaceString = arguments[1];
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

}  // namespace kbx32
