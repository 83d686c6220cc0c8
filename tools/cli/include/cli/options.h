#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The options of a tool, read with glibc's getopt_long. Every tool knows
// --help (-h) and --version besides its own table; an option's value may
// follow as "--opt=value" or as the next argument; "--" ends the options, so
// an operand may start with a dash after it. Options and operands may be
// mixed ("kbxlayout show --quiet FILE"); the operands keep their order.
namespace cli {

struct Option {
    const char* longName;  // without the leading "--"
    char shortName;        // 0 when the option has no short form
    bool takesValue;
    int id;                // what the tool sees in Parsed::options
};

struct GivenOption {
    int id;
    std::string value;  // empty for an option without a value
};

struct Parsed {
    bool help = false;
    bool version = false;
    std::vector<GivenOption> options;  // in the order given
    std::vector<std::string> operands;
    std::string problem;  // "unknown option --bogus"; empty when the line is sound

    bool ok() const { return problem.empty(); }
    bool has(int id) const;
    // The value of the last occurrence of the option, or an empty text.
    std::string valueOf(int id) const;
};

// Reads argv[1..argc) against the table. The arguments themselves are not
// changed (getopt_long reorders a copy).
Parsed parse(int argc, const char* const* argv, std::span<const Option> options);

// The same for the arguments after the program's name.
Parsed parseArguments(std::span<const char* const> arguments, std::span<const Option> options);
Parsed parseArguments(std::span<const std::string_view> arguments, std::span<const Option> options);

// "kbx32 1.0.0\n": what --version prints.
std::string versionText(std::string_view program);

// "Try 'kbx32 --help' for more information.\n"
std::string tryHelpText(std::string_view program);

// Writes "PROGRAM: PROBLEM" and the try-help line to standard error, the
// answer of every tool to a command line it cannot use.
void reportUsageProblem(std::string_view program, std::string_view problem);

}  // namespace cli
