#include "platform/text/utf8.h"

namespace kbx::platform {

namespace {

constexpr char32_t kLastOneByte = 0x7F;
constexpr char32_t kLastTwoBytes = 0x7FF;
constexpr char32_t kLastThreeBytes = 0xFFFF;
constexpr char32_t kLastCharacter = 0x10FFFF;
constexpr char32_t kReplacement = 0xFFFD;

char byteOf(char32_t bits) { return static_cast<char>(static_cast<unsigned char>(bits)); }
char continuation(char32_t character, int shift) { return byteOf(0x80 | ((character >> shift) & 0x3F)); }

}  // namespace

void appendUtf8(std::string& out, char32_t character) {
    if (character > kLastCharacter || (character >= 0xD800 && character <= 0xDFFF)) character = kReplacement;
    if (character <= kLastOneByte) {
        out += byteOf(character);
    } else if (character <= kLastTwoBytes) {
        out += byteOf(0xC0 | (character >> 6));
        out += continuation(character, 0);
    } else if (character <= kLastThreeBytes) {
        out += byteOf(0xE0 | (character >> 12));
        out += continuation(character, 6);
        out += continuation(character, 0);
    } else {
        out += byteOf(0xF0 | (character >> 18));
        out += continuation(character, 12);
        out += continuation(character, 6);
        out += continuation(character, 0);
    }
}

}  // namespace kbx::platform
