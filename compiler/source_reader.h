#pragma once

#include <cstdio>
#include <memory>
#include <array>
#include <string>
#include <string_view>

namespace kbxc {

// Reads a layout source as text, one physical line at a time. A line ends at
// LF; a CR directly before the LF belongs to the line end and is delivered as
// part of a single "\n". A line longer than kMaxPiece characters (its line end
// counted) is delivered in pieces of kMaxPiece characters, each a line of its
// own.
class SourceReader {
public:
    static constexpr std::size_t kMaxPiece = 199;

    bool open(const std::string& path);
    void close() { file_.reset(); }

    // The next physical line (with its "\n" when it has one); false at the
    // end of the file. The line stays valid until the next call.
    bool next(std::string_view& line);
    // Passes over the next physical line; false at the end of the file.
    bool skip();

private:
    // Reads the next piece into `piece` (kMaxPiece bytes, or null to only
    // pass over it); its length, 0 at the end of the file.
    std::size_t readPiece(char* piece);
    // The next byte without taking it (refilling the buffer), or EOF.
    int peek();

    struct FileCloser {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    std::unique_ptr<std::FILE, FileCloser> file_;
    static constexpr std::size_t kBufferSize = 1 << 16;
    std::unique_ptr<unsigned char[]> buffer_;
    std::array<char, kMaxPiece> piece_{};
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
};

}  // namespace kbxc
