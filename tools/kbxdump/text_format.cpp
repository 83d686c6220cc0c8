#include "tools/kbxdump/text_format.h"

#include <string_view>

namespace kbxdump {
namespace {

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::uint8_t kFirstPrintable = 0x20;
constexpr std::uint8_t kLastPrintable = 0x7E;
constexpr std::string_view kEscapedCharacters = "\"<";

void appendHex(std::string& text, std::uint8_t value) {
    text += kHexDigits[value >> 4];
    text += kHexDigits[value & 0x0F];
}

bool printsAsItself(std::uint8_t value) {
    return value >= kFirstPrintable && value <= kLastPrintable &&
           kEscapedCharacters.find(char(value)) == std::string_view::npos;
}

}  // namespace

std::string hexByte(std::uint8_t value) {
    std::string text;
    appendHex(text, value);
    return text;
}

std::string hexBytes(std::span<const std::uint8_t> bytes) {
    std::string text;
    for (std::uint8_t value : bytes) {
        if (!text.empty()) text += ' ';
        appendHex(text, value);
    }
    return text;
}

std::string quotedText(std::span<const std::uint8_t> bytes) {
    std::string text = "\"";
    for (std::uint8_t value : bytes) {
        if (printsAsItself(value)) {
            text += char(value);
        } else {
            text += '<';
            appendHex(text, value);
            text += '>';
        }
    }
    text += '"';
    return text;
}

}  // namespace kbxdump
