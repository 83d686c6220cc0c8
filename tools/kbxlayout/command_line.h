#pragma once

// The arguments of kbxlayout: which subcommand, its files and options, read
// with the tools' common convention (tools/cli): --help, --version,
// --opt=value or --opt value, "--" before a file that starts with a dash.

#include <optional>
#include <span>
#include <string>

namespace kbxlayout {

// The name the program reports itself by.
inline constexpr char kProgramName[] = "kbxlayout";

struct NewOptions {
    std::optional<std::string> model;         // --model NAME
    std::optional<std::string> templateName;  // --template NAME
    std::optional<std::string> country;       // --country CC
    std::optional<std::string> templateFolder;  // --templates DIR
    bool glidepoint = false;
    bool opos = false;
};

struct Request {
    enum class Kind { help, version, usage, create, resave, show, templates };
    Kind kind = Kind::usage;
    std::string problem;  // what is wrong with the arguments (usage)
    std::string input;    // resave, show
    std::string output;   // new, resave; the folder of templates
    NewOptions options;   // new
};

// The arguments without the program name.
Request parseArguments(std::span<const char* const> arguments);

}  // namespace kbxlayout
