#include "tools/kbx32/command_line.h"

#include <vector>

#include "tools/kbx32/paths.h"
#include "tools/kbx32/port_diagnosis.h"

namespace kbx32 {

namespace {

constexpr std::string_view kCompileLogExtension = ".TXT";
constexpr std::string_view kDownloadLogExtension = ".LOG";
constexpr std::size_t kJobOperands = 2;
// The options that choose what the run does; a run does one of them, or
// compiles (and downloads) without any.
constexpr std::array kOperations{kIfChangedOption, kUploadOption, kHeaderOption, kListPortsOption};

constexpr char kOneOperation[] = "--if-changed, --upload, --header and --list-ports exclude each other";
constexpr char kListPortsAlone[] = "--list-ports takes nothing";
constexpr char kUploadOperands[] = "--upload takes an image file and an interface";
constexpr char kHeaderOperands[] = "--header takes an interface";
constexpr char kIfChangedOperands[] = "--if-changed takes a source and an interface";
constexpr char kMissingOperand[] = "missing operand";
constexpr char kTooManyOperands[] = "too many operands";
constexpr char kPortDevice[] = "--port takes a device";
constexpr char kPortInterface[] = "--port needs a serial interface string (COMn)";

Request refused(std::string problem) {
    Request request;
    request.problem = std::move(problem);
    return request;
}

// The operation the options choose, or none for a plain run; several are refused.
struct Chosen {
    bool several = false;
    int operation = -1;
};

Chosen chosenOperation(const cli::Parsed& parsed) {
    Chosen chosen;
    for (const OptionId operation : kOperations) {
        if (!parsed.has(operation)) continue;
        if (chosen.operation >= 0) chosen.several = true;
        chosen.operation = operation;
    }
    return chosen;
}

// The operation with its operands, before --port is looked at.
Request operationOf(const cli::Parsed& parsed, int operation) {
    const std::vector<std::string>& operands = parsed.operands;
    Request request;
    switch (operation) {
        case kListPortsOption:
            if (!operands.empty() || parsed.has(kPortOption)) return refused(kListPortsAlone);
            request.kind = Request::Kind::listPorts;
            return request;
        case kUploadOption:
            if (operands.size() != 1) return refused(kUploadOperands);
            request.kind = Request::Kind::upload;
            request.image = parsed.valueOf(kUploadOption);
            request.interfaceString = operands[0];
            return request;
        case kHeaderOption:
            if (!operands.empty()) return refused(kHeaderOperands);
            request.kind = Request::Kind::header;
            request.interfaceString = parsed.valueOf(kHeaderOption);
            return request;
        case kIfChangedOption:
            if (operands.size() != kJobOperands || operands[1] == kCompileOnly) return refused(kIfChangedOperands);
            request.kind = Request::Kind::ifChanged;
            request.job = Job{operands[0], operands[1]};
            return request;
        default:
            if (operands.size() != kJobOperands)
                return refused(operands.size() < kJobOperands ? kMissingOperand : kTooManyOperands);
            request.kind = Request::Kind::run;
            request.job = Job{operands[0], operands[1]};
            return request;
    }
}

}  // namespace

std::string Job::logPath() const {
    return withExtension(source, compileOnly() ? kCompileLogExtension : kDownloadLogExtension);
}

Request parseArguments(std::span<const char* const> arguments) {
    std::vector<cli::Option> options;
    for (const OptionRow& row : kOptionRows) options.push_back(row.option);
    // An unknown option is refused here, before anything runs; after "--" a
    // dash starts a file name.
    const cli::Parsed parsed = cli::parseArguments(arguments, options);
    if (!parsed.ok()) return refused(parsed.problem);

    Request request;
    if (parsed.help) {
        request.kind = Request::Kind::help;
        return request;
    }
    if (parsed.version) {
        request.kind = Request::Kind::version;
        return request;
    }
    const Chosen chosen = chosenOperation(parsed);
    if (chosen.several) return refused(kOneOperation);
    request = operationOf(parsed, chosen.operation);
    if (request.kind == Request::Kind::usage) return request;
    request.messageLines = parsed.has(kMessagesOption);

    if (parsed.has(kPortOption)) {
        request.portDevice = parsed.valueOf(kPortOption);
        if (request.portDevice.empty()) return refused(kPortDevice);
        if (serialPortNameOf(request.interface()).empty()) return refused(kPortInterface);
    }
    return request;
}

}  // namespace kbx32
