#pragma once

// Where the running program lives, and the folders of layout templates it
// looks in.

#include <filesystem>
#include <optional>
#include <vector>

namespace kbxlayout {

// The folder of the running program; empty when the system does not say.
std::filesystem::path programFolder();

// The template folders to try, in order: "LAY" beside the program (as the
// editor keeps it), "LAY" in the installed data folder (share/kbx/), then
// the "data/LAY" of the source tree the program was built from.
std::vector<std::filesystem::path> defaultTemplateFolders(const std::filesystem::path& programFolder);

// The first of the folders that exists.
std::optional<std::filesystem::path> firstExistingFolder(const std::vector<std::filesystem::path>& folders);

}  // namespace kbxlayout
