#pragma once

// Faults the simulated keyboard can be told to make, so that tests see how
// the host copes with a keyboard that refuses, loses, garbles or stays quiet.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace kbxsim {

// A run of received bytes, by their numbers (the first byte the keyboard ever
// receives is number 1).
struct ByteWindow {
    static constexpr std::uint64_t kForever = std::numeric_limits<std::uint64_t>::max();

    std::uint64_t first = 0;  // 0: the window is closed
    std::uint64_t count = 0;  // kForever: every byte from `first` on

    bool covers(std::uint64_t byteNumber) const;
};

// What goes wrong in a read reply.
enum class ReplyDamage {
    wrongDataDigit,     // the data digit at `at` replaced by another digit
    wrongChecksumHigh,  // the high checksum digit replaced by another digit
    wrongChecksumLow,   // the low checksum digit replaced by another digit
    nul,                // a NUL character at `at`
    notHexDigit,        // the character "G" at `at`
    tooFew,             // the last `at` characters left out (at least one)
    tooMany,            // `at` digits "0" added at the end (at least one)
};

struct ReplyCorruption {
    ReplyDamage damage = ReplyDamage::wrongDataDigit;
    std::size_t at = 0;  // position from 0 (clamped to the text), or a number of characters
    friend bool operator==(const ReplyCorruption&, const ReplyCorruption&) = default;
};

// The reply text `text` (data digits and two checksum digits) with the damage
// done.
std::string corruptReply(std::string text, const ReplyCorruption& corruption);

// "KIND[:NUMBER]" with KIND one of data, checksum-high, checksum-low, nul,
// non-hex, short, long (the names of `replyDamageNames`).
std::optional<ReplyCorruption> parseReplyCorruption(std::string_view text);
std::string replyDamageNames();  // "data, checksum-high, ..."

// Everything armed at a time. Replies are corrupted while
// `corruptedRepliesLeft` is above zero (kEveryReply: without end).
struct FaultPlan {
    static constexpr int kEveryReply = -1;

    ByteWindow refuse;                // answered with 0xFE and otherwise ignored
    ByteWindow loseAcknowledgement;   // taken as usual, but the answer is not sent
    ByteWindow silence;               // neither taken nor answered
    ReplyCorruption replyCorruption;
    int corruptedRepliesLeft = 0;
};

}  // namespace kbxsim
