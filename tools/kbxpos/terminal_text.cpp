#include "tools/kbxpos/terminal_text.h"

#include <array>
#include <cstdint>

namespace kbxpos {
namespace {

constexpr char kUnknown = '?';

// The characters Windows-1252 keeps at 0x80-0x9F.
struct AnsiExtra {
    char32_t character;
    unsigned char code;
};

constexpr std::array kAnsiExtras{
    AnsiExtra{0x20AC, 0x80}, AnsiExtra{0x201A, 0x82}, AnsiExtra{0x0192, 0x83}, AnsiExtra{0x201E, 0x84},
    AnsiExtra{0x2026, 0x85}, AnsiExtra{0x2020, 0x86}, AnsiExtra{0x2021, 0x87}, AnsiExtra{0x02C6, 0x88},
    AnsiExtra{0x2030, 0x89}, AnsiExtra{0x0160, 0x8A}, AnsiExtra{0x2039, 0x8B}, AnsiExtra{0x0152, 0x8C},
    AnsiExtra{0x017D, 0x8E}, AnsiExtra{0x2018, 0x91}, AnsiExtra{0x2019, 0x92}, AnsiExtra{0x201C, 0x93},
    AnsiExtra{0x201D, 0x94}, AnsiExtra{0x2022, 0x95}, AnsiExtra{0x2013, 0x96}, AnsiExtra{0x2014, 0x97},
    AnsiExtra{0x02DC, 0x98}, AnsiExtra{0x2122, 0x99}, AnsiExtra{0x0161, 0x9A}, AnsiExtra{0x203A, 0x9B},
    AnsiExtra{0x0153, 0x9C}, AnsiExtra{0x017E, 0x9E}, AnsiExtra{0x0178, 0x9F},
};

char ansiOf(char32_t character) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) return static_cast<char>(character);
    for (const AnsiExtra& extra : kAnsiExtras) {
        if (extra.character == character) return static_cast<char>(extra.code);
    }
    return kUnknown;
}

// The number of bytes a sequence starting with `lead` has, 0 for a byte that
// cannot start one.
int sequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

}  // namespace

std::string utf8ToAnsi(std::string_view text) {
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = sequenceLength(lead);
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            out.push_back(kUnknown);
            ++i;
            continue;
        }
        char32_t character = length == 1 ? lead : lead & (0x7F >> length);
        bool valid = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = valid && (next & 0xC0) == 0x80;
            character = (character << 6) | (next & 0x3F);
        }
        out.push_back(valid ? ansiOf(character) : kUnknown);
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return out;
}

}  // namespace kbxpos
