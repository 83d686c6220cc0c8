#pragma once

#include <string>

#include "kbxdump/image.h"

// The readable printout of an image, in the layout described in main.cpp
// and in `kbxdump --help`: one item per line, a label in the first eleven
// columns, lines inside a block or key indented by two blanks.
namespace kbxdump {

std::string formatImage(const Image& image);

}  // namespace kbxdump
