#include "compiler/source_reader.h"

namespace kbxc {

bool SourceReader::open(const std::string& path) {
    file_.reset(std::fopen(path.c_str(), "rb"));
    if (!file_) return false;
    if (!buffer_) buffer_ = std::make_unique<unsigned char[]>(kBufferSize);
    position_ = filled_ = 0;
    return true;
}

int SourceReader::peek() {
    if (position_ == filled_) {
        if (!file_) return EOF;
        filled_ = std::fread(buffer_.get(), 1, kBufferSize, file_.get());
        position_ = 0;
        if (filled_ == 0) return EOF;
    }
    return buffer_[position_];
}

int SourceReader::get() {
    const int c = peek();
    if (c != EOF) ++position_;
    return c;
}

bool SourceReader::next(std::string& line) {
    line.clear();
    while (line.size() < kMaxPiece) {
        int c = get();
        if (c == EOF) break;
        if (c == '\r' && peek() == '\n') c = get();
        line.push_back(char(c));
        if (c == '\n') break;
    }
    return !line.empty();
}

}  // namespace kbxc
