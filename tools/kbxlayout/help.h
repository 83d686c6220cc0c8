#pragma once

#include <string>

namespace kbxlayout {

std::string usageText();  // the usage lines
std::string helpText();   // usage, subcommands, the summary's layout, exit codes

}  // namespace kbxlayout
