// kbxlayout: creates, re-saves and summarises layout files without the editor.
#include <cstdio>
#include <span>

#include "tools/kbxlayout/command_line.h"
#include "tools/kbxlayout/commands.h"
#include "tools/kbxlayout/help.h"
#include "tools/kbxlayout/outcomes.h"
#include "tools/kbxlayout/program_folder.h"

int main(int argc, char** argv) {
    using namespace kbxlayout;
    const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0), argc > 0 ? std::size_t(argc - 1) : 0);
    const Request request = parseArguments(arguments);
    Outcome outcome = Outcome::success;
    switch (request.kind) {
        case Request::Kind::help: std::fputs(helpText().c_str(), stdout); break;
        case Request::Kind::usage:
            std::fprintf(stderr, "kbxlayout: %s\n%s", request.problem.c_str(), usageText().c_str());
            outcome = Outcome::usage;
            break;
        case Request::Kind::create: outcome = runNew(request, programFolder(), stdout, stderr); break;
        case Request::Kind::resave: outcome = runResave(request, stderr); break;
        case Request::Kind::show: outcome = runShow(request, stdout, stderr); break;
        case Request::Kind::templates: outcome = runTemplates(request, stderr); break;
    }
    return exitCode(outcome);
}
