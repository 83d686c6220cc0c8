#pragma once

// The subcommands of kbxlayout. Each writes its results to `out`, its
// complaints ("kbxlayout: FILE: reason") to `err`, and tells how it ended.

#include <cstdio>
#include <filesystem>

#include "tools/kbxlayout/command_line.h"
#include "tools/kbxlayout/outcomes.h"

namespace kbxlayout {

// `programFolder` is where the default template folders are looked for.
Outcome runNew(const Request& request, const std::filesystem::path& programFolder, std::FILE* out, std::FILE* err);
Outcome runResave(const Request& request, std::FILE* err);
Outcome runShow(const Request& request, std::FILE* out, std::FILE* err);
Outcome runTemplates(const Request& request, std::FILE* err);

}  // namespace kbxlayout
