#include "tools/kbxdump/dump_command.h"

#include <string>
#include <vector>

#include "format/image_layout.h"
#include "cli/options.h"
#include "tools/kbxdump/image_file.h"
#include "kbxdump/image_printer.h"
#include "kbxdump/image_reader.h"

namespace kbxdump {
namespace {

constexpr std::string_view kNoImage = "no image given";
constexpr std::string_view kEmptyPath = "the image path is empty";
constexpr std::string_view kUnexpectedArgument = "unexpected argument ";

// kbxdump has no options of its own, only the ones every tool knows.
constexpr std::span<const cli::Option> kNoOptions{};

// One more byte than the longest image, so that a longer file is noticed.
constexpr std::size_t kReadLimit = kbx::image::kMaxImageLength + 1;

void complain(std::ostream& err, std::string_view path, std::string_view message) {
    err << kProgramName << ": " << path << ": " << message << '\n';
}

// What is wrong with the operands: one image path, not empty.
std::string operandProblem(const std::vector<std::string>& operands) {
    if (operands.empty()) return std::string(kNoImage);
    if (operands.size() > 1) return std::string(kUnexpectedArgument) + '"' + operands[1] + '"';
    if (operands.front().empty()) return std::string(kEmptyPath);
    return {};
}

int dumpFile(std::string_view path, std::ostream& out, std::ostream& err) {
    const FileContents file = readImageFile(std::string(path), kReadLimit);
    if (!file.error.empty()) {
        complain(err, path, file.error);
        return kExitUsageOrFile;
    }
    const ReadResult result = readImage(file.bytes);
    if (!result.ok()) {
        complain(err, path, result.error.message);
        return kExitDamagedImage;
    }
    out << formatImage(*result.image);
    return kExitPrinted;
}

}  // namespace

int runDump(std::span<const std::string_view> arguments, std::string_view helpText, std::ostream& out,
            std::ostream& err) {
    const cli::Parsed parsed = cli::parseArguments(arguments, kNoOptions);
    std::string problem = parsed.problem;
    if (problem.empty() && parsed.help) {
        out << helpText;
        return kExitPrinted;
    }
    if (problem.empty() && parsed.version) {
        out << cli::versionText(kProgramName);
        return kExitPrinted;
    }
    if (problem.empty()) problem = operandProblem(parsed.operands);
    if (!problem.empty()) {
        err.flush();
        cli::reportUsageProblem(kProgramName, problem);
        return kExitUsageOrFile;
    }
    return dumpFile(parsed.operands.front(), out, err);
}

}  // namespace kbxdump
