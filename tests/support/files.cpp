#include "tests/support/files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace kbxtest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kbxtest-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<unsigned char> readBytes(const std::filesystem::path& path) {
    const std::string text = readFile(path);
    return {text.begin(), text.end()};
}

void writeFile(const std::filesystem::path& path, std::string_view contents) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(contents.data(), std::streamsize(contents.size()));
}

std::string hex(const std::vector<unsigned char>& bytes) {
    std::string text;
    for (unsigned char b : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02X", b);
        if (!text.empty()) text += ' ';
        text += pair;
    }
    return text;
}

}  // namespace kbxtest
