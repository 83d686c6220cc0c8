#include "tools/kbxlayout/command_line.h"

#include <array>
#include <string_view>
#include <vector>

#include "cli/options.h"

namespace kbxlayout {
namespace {

struct Subcommand {
    std::string_view name;
    Request::Kind kind;
    std::size_t files;  // operands after the subcommand
    bool takesNewOptions;
};

constexpr std::array kSubcommands{
    Subcommand{"new", Request::Kind::create, 1, true},
    Subcommand{"resave", Request::Kind::resave, 2, false},
    Subcommand{"show", Request::Kind::show, 1, false},
    Subcommand{"templates", Request::Kind::templates, 1, false},
};

enum OptionId : int { kModel, kTemplate, kCountry, kTemplates, kGlidepoint, kOpos };

constexpr std::array kOptions{
    cli::Option{"model", 0, true, kModel},
    cli::Option{"template", 0, true, kTemplate},
    cli::Option{"country", 0, true, kCountry},
    cli::Option{"templates", 0, true, kTemplates},
    cli::Option{"glidepoint", 0, false, kGlidepoint},
    cli::Option{"opos", 0, false, kOpos},
};

// Where each option of `new` lands in NewOptions.
struct ValueField {
    int id;
    std::optional<std::string> NewOptions::*field;
};
constexpr std::array kValueFields{
    ValueField{kModel, &NewOptions::model},
    ValueField{kTemplate, &NewOptions::templateName},
    ValueField{kCountry, &NewOptions::country},
    ValueField{kTemplates, &NewOptions::templateFolder},
};

struct FlagField {
    int id;
    bool NewOptions::*field;
};
constexpr std::array kFlagFields{
    FlagField{kGlidepoint, &NewOptions::glidepoint},
    FlagField{kOpos, &NewOptions::opos},
};

Request only(Request::Kind kind) {
    Request request;
    request.kind = kind;
    return request;
}

Request usage(std::string problem) {
    Request request = only(Request::Kind::usage);
    request.problem = std::move(problem);
    return request;
}

const Subcommand* findSubcommand(std::string_view name) {
    for (const Subcommand& subcommand : kSubcommands)
        if (subcommand.name == name) return &subcommand;
    return nullptr;
}

std::string_view optionName(int id) {
    for (const cli::Option& option : kOptions)
        if (option.id == id) return option.longName;
    return {};
}

// The options of `new`, the last of each when one is given twice.
NewOptions newOptionsOf(const cli::Parsed& parsed) {
    NewOptions options;
    for (const ValueField& value : kValueFields)
        if (parsed.has(value.id)) options.*value.field = parsed.valueOf(value.id);
    for (const FlagField& flag : kFlagFields) options.*flag.field = parsed.has(flag.id);
    return options;
}

}  // namespace

Request parseArguments(std::span<const char* const> arguments) {
    const cli::Parsed parsed = cli::parseArguments(arguments, kOptions);
    if (!parsed.ok()) return usage(parsed.problem);
    if (parsed.help) return only(Request::Kind::help);
    if (parsed.version) return only(Request::Kind::version);
    if (parsed.operands.empty()) return usage("no subcommand given");

    const Subcommand* subcommand = findSubcommand(parsed.operands[0]);
    if (subcommand == nullptr) return usage("unknown subcommand " + parsed.operands[0]);
    if (!subcommand->takesNewOptions && !parsed.options.empty())
        return usage("option --" + std::string(optionName(parsed.options.front().id)) + " is for new only");
    const std::span<const std::string> files = std::span(parsed.operands).subspan(1);
    if (files.size() != subcommand->files)
        return usage(std::string(subcommand->name) + " takes " + std::to_string(subcommand->files) +
                     (subcommand->files == 1 ? " file" : " files"));

    Request request = only(subcommand->kind);
    switch (subcommand->kind) {
        case Request::Kind::create:
            request.options = newOptionsOf(parsed);
            if (request.options.model.has_value() == request.options.templateName.has_value())
                return usage("new needs either --model NAME or --template NAME");
            request.output = files[0];
            break;
        case Request::Kind::resave:
            request.input = files[0];
            request.output = files[1];
            break;
        case Request::Kind::show: request.input = files[0]; break;
        default: request.output = files[0]; break;
    }
    return request;
}

}  // namespace kbxlayout
