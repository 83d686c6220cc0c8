#include "tools/kbxdump/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace kbxdump {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

std::string withReason(const char* what, int error) { return std::string(what) + ": " + std::strerror(error); }

}  // namespace

FileContents readImageFile(const std::filesystem::path& path, std::size_t limit) {
    FileContents contents;
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        contents.error = withReason("cannot open", errno);
        return contents;
    }
    contents.bytes.resize(limit);
    const std::size_t got = std::fread(contents.bytes.data(), 1, limit, file.get());
    if (std::ferror(file.get())) {
        contents.bytes.clear();
        contents.error = withReason("cannot read", errno);
        return contents;
    }
    contents.bytes.resize(got);
    return contents;
}

}  // namespace kbxdump
