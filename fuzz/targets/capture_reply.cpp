// The interface library's decoder of a reply the keyboard typed as key
// presses: each captured key code becomes its reply character, and the text
// is decoded under the capture path's error rule. The first byte of an input
// is the number of bytes the reply should hold; the rest are key codes.

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "fuzz/targets/fuzz_input.h"
#include "iface/protocol/frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::array<std::uint8_t, 256> out{};
    const std::size_t expected = data[0];
    std::vector<char> text(size - 1);
    std::transform(data + 1, data + size, text.begin(), kbxi::replyCharacter);
    kbxi::decodeReply(text, std::span(out).first(expected), kbxi::ErrorRule::lastStands);
    return 0;
}
