#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Why a block of the keyboard memory could not be read during an upload or a
// header query: the block error the interface library reports (the upload
// returns it negated, the header query only names it in its message), in
// words.
namespace kbx32 {

struct BlockErrorRow {
    int error;
    std::string_view meaning;
};

// The block errors of a read, one row each; the capture read over the
// keyboard port adds kOverKeyboardPort to any of them. Any other value is the
// send result of a read frame the keyboard did not take.
inline constexpr std::array kBlockErrors{
    BlockErrorRow{1, "the reply could not be read, or the key capture could not be started"},
    BlockErrorRow{2, "the reply had the wrong number of characters"},
    BlockErrorRow{3, "the high digit of the reply's checksum was wrong"},
    BlockErrorRow{4, "the low digit of the reply's checksum was wrong"},
    BlockErrorRow{5, "a data character of the reply was not a hex digit"},
    BlockErrorRow{6, "the reply held a NUL character"},
};
inline constexpr int kOverKeyboardPort = 0x10;

// "block error 0x06: the reply held a NUL character".
std::string blockErrorText(int error);

// The block error that the library's message " Upload Error (06)" names;
// nothing when the message names none.
std::optional<int> blockErrorOfMessage(std::string_view message);

}  // namespace kbx32
