#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace kbxtest {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::string readFile(const std::filesystem::path& path);
std::vector<unsigned char> readBytes(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view contents);

// Bytes written as hex pairs separated by blanks ("1E 9E"), for messages.
std::string hex(const std::vector<unsigned char>& bytes);

}  // namespace kbxtest
