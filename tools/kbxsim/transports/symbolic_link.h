#pragma once

// A symbolic link to the pseudo-terminal's slave, so that a test or a user
// names the keyboard's port by a fixed path. A symbolic link already at the
// path (left by an earlier run) is replaced; any other file is not touched.
// The link goes with its owner, if it still points where it was made to.

#include <filesystem>
#include <string>

namespace kbxsim {

class SymbolicLink {
public:
    // Throws std::runtime_error when the link cannot be made.
    SymbolicLink(std::filesystem::path path, std::string target);
    ~SymbolicLink();
    SymbolicLink(const SymbolicLink&) = delete;
    SymbolicLink& operator=(const SymbolicLink&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::string target_;
};

}  // namespace kbxsim
