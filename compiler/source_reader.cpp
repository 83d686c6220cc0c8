#include "compiler/source_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/input_file.h"

namespace kbxc {

bool SourceReader::open(const std::string& path) {
    // A FIFO, a device or a folder is no source (/dev/zero would never end),
    // nor is a file larger than any layout.
    kbx::OpenedInput opened = kbx::openRegularFile(path);
    if (opened.failure) {
        file_.reset();
        return false;
    }
    file_.reset(::fdopen(opened.file.get(), "rb"));
    if (!file_) return false;
    opened.file.release();
    if (!buffer_) buffer_ = std::make_unique<char[]>(kBufferSize);
    position_ = filled_ = 0;
    pieceOpen_ = continuesLine_ = false;
    return true;
}

void SourceReader::fill(std::size_t wanted) {
    if (buffered() >= wanted || !file_) return;
    std::memmove(buffer_.get(), buffer_.get() + position_, buffered());
    filled_ = buffered();
    position_ = 0;
    while (filled_ < wanted) {
        const std::size_t read = std::fread(buffer_.get() + filled_, 1, kBufferSize - filled_, file_.get());
        if (read == 0) break;
        filled_ += read;
    }
}

bool SourceReader::next(std::string_view& line) {
    // One byte beyond a full piece tells whether a CR in its last place is
    // the first half of its line end.
    fill(kMaxLine + 1);
    if (buffered() == 0) return false;
    continuesLine_ = pieceOpen_;
    char* const start = buffer_.get() + position_;
    const std::size_t window = std::min(buffered(), kMaxLine);
    if (char* const newline = static_cast<char*>(std::memchr(start, '\n', window))) {
        std::size_t length = std::size_t(newline - start) + 1;
        position_ += length;
        if (length >= 2 && newline[-1] == '\r') {
            newline[-1] = '\n';
            --length;
        }
        pieceOpen_ = false;
        line = std::string_view(start, length);
        return true;
    }
    position_ += window;
    // A line that ends with the file has no line end; a full piece is
    // followed by more of its line, unless only the LF of a CR LF is left.
    pieceOpen_ = window == kMaxLine;
    if (pieceOpen_ && start[window - 1] == '\r' && buffered() > 0 && buffer_[position_] == '\n') {
        start[window - 1] = '\n';
        ++position_;
        pieceOpen_ = false;
    }
    line = std::string_view(start, window);
    return true;
}

long long SourceReader::countLines() {
    long long lines = 0;
    bool lineOpen = false;  // bytes after the last line end
    for (fill(1); buffered() > 0; fill(1)) {
        const char* at = buffer_.get() + position_;
        const char* const end = buffer_.get() + filled_;
        while (const void* newline = std::memchr(at, '\n', std::size_t(end - at))) {
            ++lines;
            at = static_cast<const char*>(newline) + 1;
        }
        lineOpen = at != end;
        position_ = filled_;
    }
    pieceOpen_ = continuesLine_ = false;
    return lines + (lineOpen ? 1 : 0);
}

}  // namespace kbxc
