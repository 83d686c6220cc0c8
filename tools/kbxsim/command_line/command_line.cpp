#include "tools/kbxsim/command_line/command_line.h"

#include <array>
#include <charconv>
#include <string>
#include <vector>

#include "cli/options.h"
#include "tools/kbxsim/modules/module_input.h"

namespace kbxsim {
namespace {

constexpr std::string_view kOptionPrefix = "--";
constexpr int kHexBase = 16;
constexpr std::size_t kIdentificationDigits = 4;

// A handler stores the option's value; on a bad value it returns what the
// option needs instead.
using Handler = std::string (*)(std::string_view value, CommandLine& options);

struct Option {
    const char* name;  // without the leading "--"
    bool takesValue;
    Handler handle;
};

template <typename Number>
std::optional<Number> numberOf(std::string_view text, int base = 10) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc{} || stop != end) return std::nullopt;
    return value;
}

std::string setFlag(bool& flag) {
    flag = true;
    return {};
}

std::string setPath(std::string_view value, std::filesystem::path& path) {
    if (value.empty()) return "a path";
    path = value;
    return {};
}

std::string setBytePosition(std::string_view value, std::optional<std::uint64_t>& position) {
    position = numberOf<std::uint64_t>(value);
    if (!position || *position == 0) return "a byte number from 1 on";
    return {};
}

std::string setDisplaySize(std::string_view value, CommandLine& options) {
    constexpr char kSeparator = ',';
    constexpr std::string_view kNeed = "ROWS,COLUMNS such as 2,24 (at most 8,80)";
    const std::size_t separator = value.find(kSeparator);
    if (separator == std::string_view::npos) return std::string(kNeed);
    const auto rows = numberOf<std::size_t>(value.substr(0, separator));
    const auto columns = numberOf<std::size_t>(value.substr(separator + 1));
    if (!rows || !columns || *rows == 0 || *columns == 0 || *rows > kMostDisplayRows ||
        *columns > kMostDisplayColumns) {
        return std::string(kNeed);
    }
    options.displayRows = *rows;
    options.displayColumns = *columns;
    return {};
}

constexpr std::array kOptions{
    Option{"link", true, [](std::string_view v, CommandLine& o) { return setPath(v, o.link); }},
    Option{"settings", true,
           [](std::string_view v, CommandLine& o) {
               o.echoSettings = parseLineSettings(v);
               return o.echoSettings ? std::string{} : std::string("BAUD,PARITY,DATABITS such as 9600,O,8");
           }},
    Option{"line-rate", false, [](std::string_view, CommandLine& o) { return setFlag(o.lineRate); }},
    Option{"adapter-latency", true,
           [](std::string_view v, CommandLine& o) {
               constexpr int kMostLatencyMs = 1000;
               const auto milliseconds = numberOf<int>(v);
               if (!milliseconds || *milliseconds > kMostLatencyMs) return std::string("milliseconds 0-1000");
               o.adapterLatency = std::chrono::milliseconds(*milliseconds);
               return std::string{};
           }},
    Option{"load", true, [](std::string_view v, CommandLine& o) { return setPath(v, o.load); }},
    Option{"save", true, [](std::string_view v, CommandLine& o) { return setPath(v, o.save); }},
    Option{"id", true,
           [](std::string_view v, CommandLine& o) {
               const auto number = numberOf<std::uint16_t>(v, kHexBase);
               if (!number || v.size() != kIdentificationDigits) return std::string("four hex digits such as 5631");
               o.identification = *number;
               return std::string{};
           }},
    Option{"verbose", false, [](std::string_view, CommandLine& o) { return setFlag(o.verbose); }},
    Option{"channel", true, [](std::string_view v, CommandLine& o) { return setPath(v, o.channel); }},
    Option{"language", true,
           [](std::string_view v, CommandLine& o) {
               const auto number = numberOf<int>(v);
               const auto language = number ? languageOf(*number) : std::nullopt;
               if (!language) return std::string("a keyboard language 0-7");
               o.language = *language;
               return std::string{};
           }},
    Option{"do", true,
           [](std::string_view v, CommandLine& o) {
               const ModuleInput input = parseModuleInput(v, kDefaultLanguage);
               if (!input.error.empty()) return "module input (" + input.error + ")";
               o.input.emplace_back(v);
               return std::string{};
           }},
    Option{"display", true, setDisplaySize},
    Option{"refuse-byte", true, [](std::string_view v, CommandLine& o) { return setBytePosition(v, o.refuseByte); }},
    Option{"refuse-all", false, [](std::string_view, CommandLine& o) { return setFlag(o.refuseAll); }},
    Option{"lose-ack", true,
           [](std::string_view v, CommandLine& o) { return setBytePosition(v, o.loseAcknowledgement); }},
    Option{"silent-from", true, [](std::string_view v, CommandLine& o) { return setBytePosition(v, o.silentFrom); }},
    Option{"silent-for", true, [](std::string_view v, CommandLine& o) { return setBytePosition(v, o.silentFor); }},
    Option{"corrupt-reply", true,
           [](std::string_view v, CommandLine& o) {
               o.replyCorruption = parseReplyCorruption(v);
               return o.replyCorruption ? std::string{} : "KIND[:NUMBER] with KIND one of " + replyDamageNames();
           }},
    Option{"corrupt-replies", true,
           [](std::string_view v, CommandLine& o) {
               const auto number = numberOf<int>(v);
               if (!number || *number < 0) return std::string("a count (0: every reply)");
               o.corruptedReplies = *number == 0 ? FaultPlan::kEveryReply : *number;
               return std::string{};
           }},
};

// The table in the form the shared reader takes: an option's id is its row.
constexpr std::array<cli::Option, kOptions.size()> readerTable() {
    std::array<cli::Option, kOptions.size()> table{};
    for (std::size_t row = 0; row < kOptions.size(); ++row)
        table[row] = cli::Option{kOptions[row].name, 0, kOptions[row].takesValue, static_cast<int>(row)};
    return table;
}

constexpr std::array kReaderTable = readerTable();

// Stores every option's value in order; the first bad value is the problem.
std::string storeOptions(const cli::Parsed& read, CommandLine& options) {
    for (const cli::GivenOption& given : read.options) {
        const Option& option = kOptions[static_cast<std::size_t>(given.id)];
        const std::string need = option.handle(given.value, options);
        if (!need.empty())
            return std::string(kOptionPrefix) + option.name + " needs " + need + ", not \"" + given.value + '"';
    }
    return {};
}

std::string checkMode(const std::vector<std::string>& operands) {
    if (operands.empty()) return "no mode given (kbxsim serial ...)";
    if (operands.front() != kSerialMode) return "unexpected argument \"" + operands.front() + '"';
    if (operands.size() > 1) return "unexpected argument \"" + operands[1] + '"';
    return {};
}

}  // namespace

ParsedCommandLine parseCommandLine(std::span<const std::string_view> arguments) {
    ParsedCommandLine parsed;
    const cli::Parsed read = cli::parseArguments(arguments, kReaderTable);
    parsed.options.help = read.help;
    parsed.options.version = read.version;
    parsed.error = read.problem;
    if (parsed.error.empty()) parsed.error = storeOptions(read, parsed.options);
    if (!parsed.error.empty() || parsed.options.help || parsed.options.version) return parsed;
    parsed.error = checkMode(read.operands);
    if (parsed.error.empty() && !parsed.options.input.empty() && parsed.options.channel.empty()) {
        parsed.error = "--do needs --channel: module input is typed on the keyboard channel";
    }
    return parsed;
}

void armFaults(const CommandLine& options, Firmware& firmware) {
    if (options.refuseAll) {
        firmware.refuseEveryByte();
    } else if (options.refuseByte) {
        firmware.refuseBytes(*options.refuseByte);
    }
    if (options.loseAcknowledgement) firmware.loseAnswers(*options.loseAcknowledgement);
    if (options.silentFrom || options.silentFor) {
        firmware.goSilent(options.silentFrom.value_or(1), options.silentFor.value_or(ByteWindow::kForever));
    }
    if (options.replyCorruption) firmware.corruptReplies(*options.replyCorruption, options.corruptedReplies);
}

}  // namespace kbxsim
