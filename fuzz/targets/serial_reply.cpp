// The interface library's decoder of reply text read from the serial port.
// The first byte of an input is the number of bytes the reply should hold;
// the rest is the reply text.

#include <array>
#include <cstdint>

#include "fuzz/targets/fuzz_input.h"
#include "iface/protocol/frames.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::array<std::uint8_t, 256> out{};
    const std::size_t expected = data[0];
    const std::string_view text = kbxfuzz::textOf(data + 1, size - 1);
    kbxi::decodeReply(std::span(text.data(), text.size()), std::span(out).first(expected),
                      kbxi::ErrorRule::firstEnds);
    return 0;
}
