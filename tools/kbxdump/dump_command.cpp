#include "tools/kbxdump/dump_command.h"

#include <string>

#include "compiler/image_format.h"
#include "tools/kbxdump/image_file.h"
#include "tools/kbxdump/image_printer.h"
#include "tools/kbxdump/image_reader.h"

namespace kbxdump {
namespace {

constexpr std::string_view kProgramName = "kbxdump";
constexpr std::string_view kUsage = "usage: kbxdump IMAGE.kbx (kbxdump --help describes the printout)";
constexpr std::string_view kHelpOption = "--help";
constexpr std::string_view kShortHelpOption = "-h";
constexpr std::string_view kEndOfOptions = "--";

// One more byte than the longest image, so that a longer file is noticed.
constexpr std::size_t kReadLimit = kbx::image::kMaxImageLength + 1;

void complain(std::ostream& err, std::string_view path, std::string_view message) {
    err << kProgramName << ": ";
    if (!path.empty()) err << path << ": ";
    err << message << '\n';
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
    out.flush();
    if (!out) {
        complain(err, "", "cannot write the printout");
        return kExitUsageOrFile;
    }
    return kExitPrinted;
}

}  // namespace

int runDump(std::span<const std::string_view> arguments, std::string_view helpText, std::ostream& out,
            std::ostream& err) {
    if (arguments.size() == 1 && (arguments[0] == kHelpOption || arguments[0] == kShortHelpOption)) {
        out << helpText;
        return kExitPrinted;
    }
    if (arguments.size() == 2 && arguments[0] == kEndOfOptions) return dumpFile(arguments[1], out, err);
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0].front() == '-') {
        complain(err, "", kUsage);
        return kExitUsageOrFile;
    }
    return dumpFile(arguments[0], out, err);
}

}  // namespace kbxdump
