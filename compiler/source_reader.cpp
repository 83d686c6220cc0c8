#include "compiler/source_reader.h"

#include <algorithm>
#include <cstring>

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

bool SourceReader::next(std::string_view& line) {
    const std::size_t length = readPiece(piece_.data());
    line = std::string_view(piece_.data(), length);
    return length > 0;
}

bool SourceReader::skip() { return readPiece(nullptr) > 0; }

std::size_t SourceReader::readPiece(char* piece) {
    std::size_t length = 0;
    char last = '\0';
    while (length < kMaxPiece) {
        if (peek() == EOF) break;
        const unsigned char* start = buffer_.get() + position_;
        const std::size_t window = std::min(filled_ - position_, kMaxPiece - length);
        const void* newline = std::memchr(start, '\n', window);
        const std::size_t taken = newline ? std::size_t(static_cast<const unsigned char*>(newline) - start) : window;
        if (piece) std::memcpy(piece + length, start, taken);
        if (taken > 0) last = char(start[taken - 1]);
        length += taken;
        position_ += taken;
        if (newline) {
            ++position_;
            // CR LF is one line end; the CR may have come with the buffer before.
            if (length > 0 && last == '\r') --length;
            if (piece) piece[length] = '\n';
            ++length;
            return length;
        }
    }
    // A CR in the last place of a full piece still pairs with the LF after it.
    if (length == kMaxPiece && last == '\r' && peek() == '\n') {
        if (piece) piece[length - 1] = '\n';
        ++position_;
    }
    return length;
}

}  // namespace kbxc
