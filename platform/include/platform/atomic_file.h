#pragma once

#include <span>
#include <string>

namespace kbx {

// Writes `contents` to a temporary file in the target's folder and renames it
// over the target, so that readers see the old file or the whole new one and
// an older file survives any failure. False (with errno set) on failure;
// nothing is left behind then.
bool writeFileAtomically(const std::string& path, std::span<const unsigned char> contents);

}  // namespace kbx
