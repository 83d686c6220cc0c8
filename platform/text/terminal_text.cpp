#include "platform/terminal_text.h"

#include "platform/text/code_page_tables.h"
#include "platform/text/utf8.h"

namespace kbx::platform {

namespace {

constexpr char32_t kUnsafeStandIn = U'?';

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

struct Decoded {
    char32_t character;
    std::size_t length;  // 0: no well-formed sequence starts here
};

// The UTF-8 sequence at the start of `text`, by the table of well-formed
// sequences (no overlong forms, no surrogates, nothing above U+10FFFF).
Decoded decodeUtf8(std::string_view text) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t character = 0;
    unsigned char lowestSecond = 0x80;
    unsigned char highestSecond = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        character = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        character = lead & 0x0F;
        if (lead == 0xE0) lowestSecond = 0xA0;
        if (lead == 0xED) highestSecond = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        character = lead & 0x07;
        if (lead == 0xF0) lowestSecond = 0x90;
        if (lead == 0xF4) highestSecond = 0x8F;
    } else {
        return {0, 0};
    }
    if (text.size() < length || byte(1) < lowestSecond || byte(1) > highestSecond) return {0, 0};
    for (std::size_t i = 1; i < length; ++i) {
        if (!isContinuation(byte(i))) return {0, 0};
        character = (character << 6) | (byte(i) & 0x3F);
    }
    return {character, length};
}

bool isSafeOnTerminal(char32_t character) {
    if (character == U'\t' || character == U'\n') return true;
    return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
}

}  // namespace

std::string terminalText(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    while (!text.empty()) {
        Decoded decoded = decodeUtf8(text);
        if (decoded.length == 0) decoded = {ansiToUnicode(static_cast<unsigned char>(text.front())), 1};
        appendUtf8(result, isSafeOnTerminal(decoded.character) ? decoded.character : kUnsafeStandIn);
        text.remove_prefix(decoded.length);
    }
    return result;
}

}  // namespace kbx::platform
