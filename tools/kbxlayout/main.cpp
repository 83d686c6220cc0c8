// kbxlayout: creates, re-saves and summarises layout files without the editor.
#include <cstdio>
#include <span>

#include "cli/options.h"
#include "cli/standard_output.h"
#include "tools/kbxlayout/command_line.h"
#include "tools/kbxlayout/commands.h"
#include "tools/kbxlayout/help.h"
#include "tools/kbxlayout/outcomes.h"
#include "tools/kbxlayout/program_folder.h"

namespace {

kbxlayout::Outcome run(const kbxlayout::Request& request) {
    using namespace kbxlayout;
    switch (request.kind) {
        case Request::Kind::help: std::fputs(helpText().c_str(), stdout); return Outcome::success;
        case Request::Kind::version: std::fputs(cli::versionText(kProgramName).c_str(), stdout); return Outcome::success;
        case Request::Kind::usage: cli::reportUsageProblem(kProgramName, request.problem); return Outcome::usage;
        case Request::Kind::create: return runNew(request, programFolder(), stdout, stderr);
        case Request::Kind::resave: return runResave(request, stderr);
        case Request::Kind::show: return runShow(request, stdout, stderr);
        case Request::Kind::templates: return runTemplates(request, stderr);
    }
    return Outcome::usage;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kbxlayout;
    const std::span<const char* const> arguments(argv + (argc > 0 ? 1 : 0), argc > 0 ? std::size_t(argc - 1) : 0);
    const Outcome outcome = run(parseArguments(arguments));
    return cli::finishStandardOutput(kProgramName, exitCode(outcome), exitCode(Outcome::outputFailed));
}
