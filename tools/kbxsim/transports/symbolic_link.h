#pragma once

// A symbolic link to the pseudo-terminal's slave, so that a test or a user
// names the keyboard's port by a fixed path. A symbolic link already at the
// path (left by an earlier run) is replaced; any other file is not touched,
// and neither is the link of a simulator that still runs: the path is locked
// (PathLock, the file PATH.lock beside it) for as long as its link lives.
// The link goes with its owner, if it still points where it was made to.

#include <filesystem>
#include <string>

#include "tools/kbxsim/transports/served_path.h"

namespace kbxsim {

class SymbolicLink {
public:
    // Throws std::runtime_error when the link cannot be made or another
    // simulator serves the path.
    SymbolicLink(std::filesystem::path path, std::string target);
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    PathLock lock_;  // first made, last gone
    std::filesystem::path path_;
    std::string target_;
};

}  // namespace kbxsim
