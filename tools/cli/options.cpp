#include "cli/options.h"

#include <getopt.h>

#include <cstdio>
#include <utility>

namespace cli {

namespace {

constexpr int kHelpId = -1000;
constexpr int kVersionId = -1001;
// getopt_long's answers besides an option: a missing value, an unknown option.
constexpr int kMissingValue = ':';
constexpr int kUnknownOption = '?';

// Long options hand back an index above the character range, so that a
// short option's character and a long option's answer never meet.
constexpr int kLongIndexBase = 0x10000;

struct Table {
    std::vector<option> longOptions;
    std::string shortOptions;
    std::vector<const Option*> byIndex;
};

Table tableOf(std::span<const Option> options) {
    static constexpr Option kCommon[] = {
        {"help", 'h', false, kHelpId},
        {"version", 0, false, kVersionId},
    };
    Table table;
    // '+' would stop at the first operand; options and operands are mixed
    // instead. ':' first makes a missing value its own answer.
    table.shortOptions = ":";
    const auto add = [&table](const Option& entry) {
        const int index = static_cast<int>(table.byIndex.size());
        table.byIndex.push_back(&entry);
        table.longOptions.push_back(
            {entry.longName, entry.takesValue ? required_argument : no_argument, nullptr, kLongIndexBase + index});
        if (entry.shortName != 0) {
            table.shortOptions += entry.shortName;
            if (entry.takesValue) table.shortOptions += ':';
        }
    };
    for (const Option& entry : kCommon) add(entry);
    for (const Option& entry : options) add(entry);
    table.longOptions.push_back({nullptr, 0, nullptr, 0});
    return table;
}

const Option* byShortName(const Table& table, int shortName) {
    for (const Option* entry : table.byIndex)
        if (entry->shortName != 0 && entry->shortName == shortName) return entry;
    return nullptr;
}

// getopt_long names the offending option in optopt: its own answer for a
// known option (a long one's index, a short one's character), the character
// of an unknown short option, or 0 for an unknown long one, which then
// stands in the argument itself.
std::string problemOf(const Table& table, int answer, const char* argument) {
    const bool known = optopt >= kLongIndexBase || byShortName(table, optopt) != nullptr;
    std::string option;
    if (optopt >= kLongIndexBase) {
        option = std::string("--") + table.byIndex[static_cast<std::size_t>(optopt - kLongIndexBase)]->longName;
    } else if (optopt != 0) {
        option = std::string("-") + static_cast<char>(optopt);
    } else {
        option = argument != nullptr ? argument : "";
        if (const std::size_t equals = option.find('='); option.rfind("--", 0) == 0 && equals != std::string::npos)
            option.resize(equals);
    }
    if (answer == kMissingValue) return "option " + option + " needs a value";
    if (known) return "option " + option + " takes no value";
    return "unknown option " + option;
}

void record(Parsed& parsed, const Option& entry, const char* value) {
    if (entry.id == kHelpId) parsed.help = true;
    else if (entry.id == kVersionId) parsed.version = true;
    else parsed.options.push_back({entry.id, value != nullptr ? value : ""});
}

}  // namespace

bool Parsed::has(int id) const {
    for (const GivenOption& given : options)
        if (given.id == id) return true;
    return false;
}

std::string Parsed::valueOf(int id) const {
    std::string value;
    for (const GivenOption& given : options)
        if (given.id == id) value = given.value;
    return value;
}

namespace {

// `storage` holds the program's name and its arguments; getopt_long
// permutes the vector it reads, so it reads pointers into this copy.
Parsed parseWords(std::vector<std::string> storage, std::span<const Option> options) {
    const Table table = tableOf(options);
    std::vector<char*> arguments;
    if (storage.empty()) storage.emplace_back("");
    for (std::string& argument : storage) arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    Parsed parsed;
    // getopt_long keeps its place in globals of the C library: start afresh
    // (optind 0 also resets its internal state) and keep it quiet, the
    // problem is reported in the tool's own form.
    optind = 0;
    opterr = 0;
    const int count = static_cast<int>(storage.size());
    for (;;) {
        const int answer =
            getopt_long(count, arguments.data(), table.shortOptions.c_str(), table.longOptions.data(), nullptr);
        if (answer == -1) break;
        if (answer >= kLongIndexBase) {
            record(parsed, *table.byIndex[static_cast<std::size_t>(answer - kLongIndexBase)], optarg);
            continue;
        }
        if (answer == kMissingValue || answer == kUnknownOption) {
            parsed.problem = problemOf(table, answer, arguments[static_cast<std::size_t>(optind - 1)]);
            return parsed;
        }
        if (const Option* entry = byShortName(table, answer)) record(parsed, *entry, optarg);
    }
    for (int index = optind; index < count; ++index) parsed.operands.emplace_back(arguments[static_cast<std::size_t>(index)]);
    return parsed;
}

// getopt_long reports problems with the program's name in front; the name
// itself plays no part in the reading.
constexpr char kProgramStandIn[] = "program";

}  // namespace

Parsed parse(int argc, const char* const* argv, std::span<const Option> options) {
    return parseWords(std::vector<std::string>(argv, argv + (argc > 0 ? argc : 0)), options);
}

Parsed parseArguments(std::span<const char* const> arguments, std::span<const Option> options) {
    std::vector<std::string> words{kProgramStandIn};
    for (const char* argument : arguments) words.emplace_back(argument != nullptr ? argument : "");
    return parseWords(std::move(words), options);
}

Parsed parseArguments(std::span<const std::string_view> arguments, std::span<const Option> options) {
    std::vector<std::string> words{kProgramStandIn};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return parseWords(std::move(words), options);
}

std::string versionText(std::string_view program) { return std::string(program) + " " + KBX_VERSION + "\n"; }

std::string tryHelpText(std::string_view program) {
    return "Try '" + std::string(program) + " --help' for more information.\n";
}

void reportUsageProblem(std::string_view program, std::string_view problem) {
    std::fprintf(stderr, "%.*s: %.*s\n%s", static_cast<int>(program.size()), program.data(),
                 static_cast<int>(problem.size()), problem.data(), tryHelpText(program).c_str());
}

}  // namespace cli
