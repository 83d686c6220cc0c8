#include "tools/kbxlayout/command_line.h"

#include <array>
#include <string_view>
#include <vector>

namespace kbxlayout {
namespace {

constexpr std::string_view kHelpOption = "--help";

struct Subcommand {
    std::string_view name;
    Request::Kind kind;
    std::size_t files;  // plain arguments after the options
};

constexpr std::array kSubcommands{
    Subcommand{"new", Request::Kind::create, 1},
    Subcommand{"resave", Request::Kind::resave, 2},
    Subcommand{"show", Request::Kind::show, 1},
    Subcommand{"templates", Request::Kind::templates, 1},
};

struct ValueOption {
    std::string_view name;
    std::optional<std::string> NewOptions::*field;
};
constexpr std::array kValueOptions{
    ValueOption{"--model", &NewOptions::model},
    ValueOption{"--template", &NewOptions::templateName},
    ValueOption{"--country", &NewOptions::country},
    ValueOption{"--templates", &NewOptions::templateFolder},
};

struct FlagOption {
    std::string_view name;
    bool NewOptions::*field;
};
constexpr std::array kFlagOptions{
    FlagOption{"--glidepoint", &NewOptions::glidepoint},
    FlagOption{"--opos", &NewOptions::opos},
};

Request usage(std::string problem) {
    Request request;
    request.kind = Request::Kind::usage;
    request.problem = std::move(problem);
    return request;
}

const Subcommand* findSubcommand(std::string_view name) {
    for (const Subcommand& subcommand : kSubcommands)
        if (subcommand.name == name) return &subcommand;
    return nullptr;
}

// Reads the options of `new` out of the arguments; the rest are files.
// Empty when every option was understood, else the problem.
std::string readNewOptions(std::span<const char* const> arguments, NewOptions& options,
                           std::vector<std::string>& files) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        bool taken = false;
        for (const ValueOption& option : kValueOptions) {
            if (argument != option.name) continue;
            if (i + 1 >= arguments.size()) return std::string(option.name) + " needs a value";
            options.*option.field = arguments[++i];
            taken = true;
        }
        for (const FlagOption& option : kFlagOptions) {
            if (argument != option.name) continue;
            options.*option.field = true;
            taken = true;
        }
        if (taken) continue;
        if (argument.size() > 1 && argument.front() == '-') return "unknown option " + std::string(argument);
        files.emplace_back(argument);
    }
    if (options.model.has_value() == options.templateName.has_value())
        return "new needs either --model NAME or --template NAME";
    return {};
}

}  // namespace

Request parseArguments(std::span<const char* const> arguments) {
    if (arguments.empty()) return usage("no subcommand given");
    for (const char* argument : arguments) {
        if (argument == kHelpOption) {
            Request request;
            request.kind = Request::Kind::help;
            return request;
        }
    }
    const Subcommand* subcommand = findSubcommand(arguments[0]);
    if (subcommand == nullptr) return usage("unknown subcommand " + std::string(arguments[0]));

    Request request;
    request.kind = subcommand->kind;
    std::vector<std::string> files;
    const std::span<const char* const> rest = arguments.subspan(1);
    if (subcommand->kind == Request::Kind::create) {
        std::string problem = readNewOptions(rest, request.options, files);
        if (!problem.empty()) return usage(std::move(problem));
    } else {
        for (const char* argument : rest) {
            const std::string_view text = argument;
            if (text.size() > 1 && text.front() == '-') return usage("unknown option " + std::string(text));
            files.emplace_back(text);
        }
    }
    if (files.size() != subcommand->files)
        return usage(std::string(subcommand->name) + " takes " + std::to_string(subcommand->files) +
                     (subcommand->files == 1 ? " file" : " files"));

    switch (subcommand->kind) {
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
