#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace kbxc {

// Reads a layout source as text, one physical line at a time. A line ends at
// LF; a CR directly before the LF belongs to the line end and is delivered as
// part of a single "\n". A line of up to kMaxLine characters (its line end
// counted) is delivered whole; a longer one is delivered in pieces of
// kMaxLine characters, so that no line needs more room than that.
class SourceReader {
public:
    static constexpr std::size_t kMaxLine = 4096;

    // False for a file that cannot be opened, that is no regular file or
    // that is larger than any layout source.
    bool open(const std::string& path);
    void close() { file_.reset(); }

    // The next physical line, or the next piece of a longer one (with its
    // "\n" when it has one); false at the end of the file. The text stays
    // valid until the next call.
    bool next(std::string_view& line);
    // Whether the text last delivered by next() continues the physical line
    // of the text before it (a second or later piece of an over-long line).
    bool continuesLine() const { return continuesLine_; }
    // Passes over the rest of the file; the number of physical lines in it,
    // whatever their lengths.
    long long countLines();

private:
    // Reads on until at least `wanted` bytes are buffered or the file ends;
    // the bytes not yet taken move to the start of the buffer first.
    void fill(std::size_t wanted);
    std::size_t buffered() const { return filled_ - position_; }

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    static constexpr std::size_t kBufferSize = 1 << 16;
    static_assert(kBufferSize > kMaxLine, "a whole line and the byte after it fit the buffer");
    // Lines are delivered in place; the CR of a CR LF is overwritten there.
    std::unique_ptr<char[]> buffer_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    bool pieceOpen_ = false;  // the last piece ended without its line end
    bool continuesLine_ = false;
};

}  // namespace kbxc
