#include "tools/kbxsim/transports/symbolic_link.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <system_error>

namespace kbxsim {
namespace {

constexpr std::string_view kTemporaryInfix = ".kbxsim-link-";
constexpr int kTemporaryAttempts = 100;

[[noreturn]] void fail(const std::filesystem::path& path, std::string_view what, int error) {
    throw std::runtime_error(path.string() + ": " + std::string(what) + ": " + std::strerror(error));
}

// Makes the link under a fresh name beside `path`; that name.
std::filesystem::path makeTemporaryLink(const std::filesystem::path& path, const std::string& target) {
    for (int attempt = 0; attempt < kTemporaryAttempts; ++attempt) {
        std::filesystem::path candidate = path;
        candidate += std::string(kTemporaryInfix) + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        if (::symlink(target.c_str(), candidate.c_str()) == 0) return candidate;
        if (errno != EEXIST) fail(path, "cannot make the link", errno);
    }
    fail(path, "cannot make the link", EEXIST);
}

}  // namespace

SymbolicLink::SymbolicLink(std::filesystem::path path, std::string target)
    : lock_(path), path_(std::move(path)), target_(std::move(target)) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(path_, error);
    if (!error && std::filesystem::exists(status) && !std::filesystem::is_symlink(status)) {
        fail(path_, "exists and is not a symbolic link", EEXIST);
    }
    // Renaming over an old link replaces it in one step.
    const std::filesystem::path temporary = makeTemporaryLink(path_, target_);
    if (::rename(temporary.c_str(), path_.c_str()) != 0) {
        const int renameError = errno;
        ::unlink(temporary.c_str());
        fail(path_, "cannot make the link", renameError);
    }
}

SymbolicLink::~SymbolicLink() {
    std::error_code error;
    const auto target = std::filesystem::read_symlink(path_, error);
    if (!error && target == target_) std::filesystem::remove(path_, error);
}

}  // namespace kbxsim
