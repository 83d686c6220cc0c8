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
