#pragma once

#include <string>

namespace kbxlayout {

std::string helpText();   // usage, option forms, subcommands, the summary's layout, exit codes

}  // namespace kbxlayout
