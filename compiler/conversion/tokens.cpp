#include "compiler/conversion/tokens.h"

#include <string>

#include "compiler/conversion/keypad.h"
#include "compiler/conversion/letter_case.h"
#include "compiler/conversion/scan_codes.h"
#include "compiler/conversion/shift_modes.h"

namespace kbxc {
namespace {

using G = TokenGroup;
using M = Modifier;

constexpr ByteSequence keystroke(std::uint8_t make) { return {make, breakCode(make)}; }
constexpr ByteSequence extendedKeystroke(std::uint8_t make) {
    return {kPrefixE0, make, kPrefixE0, breakCode(make)};
}

constexpr std::array<std::uint8_t, 12> kFunctionKeyMakes{0x3B, 0x3C, 0x3D, 0x3E, 0x3F, 0x40,
                                                         0x41, 0x42, 0x43, 0x44, 0x57, 0x58};
constexpr ByteSequence functionKey(std::size_t number) { return keystroke(kFunctionKeyMakes[number - 1]); }
constexpr ByteSequence keypadDigit(std::size_t digit) { return keystroke(kKeypadDigitMakes[digit]); }
constexpr ByteSequence keypadPoint() { return keystroke(kKeypadPointMake); }

constexpr std::uint8_t kWithShift = pressing(M::leftShift);
constexpr std::uint8_t kWithControl = pressing(M::control);
constexpr std::uint8_t kWithAlt = pressing(M::alt);

// Every name up to EMPTY, in table order.
constexpr auto kNamedTokens = std::to_array<Token>({
    {"SHIFT", {}, pressing(M::leftShift), G::heldModifier},
    {"RSHIFT", {}, pressing(M::rightShift), G::heldModifier},
    {"CTRL", {}, pressing(M::control), G::heldModifier},
    {"RCTRL", {}, pressing(M::rightControl), G::heldModifier},
    {"ALT", {}, pressing(M::alt), G::heldModifier},
    {"ALTGR", {}, pressing(M::altGr), G::heldModifier},
    {"LWIN", {}, pressing(M::leftWindows), G::heldModifier},
    {"RWIN", {}, pressing(M::rightWindows), G::heldModifier},
    {"APP", {}, pressing(M::application), G::heldModifier},
    {"E0SHIFT", {}, pressing(M::fakeShift), G::fakeShift},

    {"MAKESHIFT", {0x2A}, kModeNone, G::modifierMake},
    {"MAKERSHIFT", {0x36}, kModeNone, G::modifierMake},
    {"MAKECTRL", {0x1D}, kModeNone, G::modifierMake},
    {"MAKERCTRL", {0xE0, 0x1D}, kModeNone, G::modifierMake},
    {"MAKEALT", {0x38}, kModeNone, G::modifierMake},
    {"MAKEALTGR", {0xE0, 0x38}, kModeNone, G::modifierMake},
    {"MAKELWIN", {0xE0, 0x5B}, kModeNone, G::modifierMake},
    {"MAKERWIN", {0xE0, 0x5C}, kModeNone, G::modifierMake},
    {"MAKEAPP", {0xE0, 0x5D}, kModeNone, G::modifierMake},
    {"MAKEE0SHIFT", {0xE0, 0x2A}, kModeNone, G::modifierMake},

    {"BREAKSHIFT", {0xAA}, kModeNone, G::modifierBreak},
    {"BREAKRSHIFT", {0xB6}, kModeNone, G::modifierBreak},
    {"BREAKCTRL", {0x9D}, kModeNone, G::modifierBreak},
    {"BREAKRCTRL", {0xE0, 0x9D}, kModeNone, G::modifierBreak},
    {"BREAKALT", {0xB8}, kModeNone, G::modifierBreak},
    {"BREAKALTGR", {0xE0, 0xB8}, kModeNone, G::modifierBreak},
    {"BREAKLWIN", {0xE0, 0xDB}, kModeNone, G::modifierBreak},
    {"BREAKRWIN", {0xE0, 0xDC}, kModeNone, G::modifierBreak},
    {"BREAKAPP", {0xE0, 0xDD}, kModeNone, G::modifierBreak},
    {"BREAKE0SHIFT", {0xE0, 0xAA}, kModeNone, G::modifierBreak},

    {"NORMAL", {}, kModePlain},
    {"SPACE", keystroke(0x39)},

    {"F1", functionKey(1)},    {"F2", functionKey(2)},    {"F3", functionKey(3)},
    {"F4", functionKey(4)},    {"F5", functionKey(5)},    {"F6", functionKey(6)},
    {"F7", functionKey(7)},    {"F8", functionKey(8)},    {"F9", functionKey(9)},
    {"F10", functionKey(10)},  {"F11", functionKey(11)},  {"F12", functionKey(12)},

    {"FS1", functionKey(1), kWithShift},    {"FS2", functionKey(2), kWithShift},
    {"FS3", functionKey(3), kWithShift},    {"FS4", functionKey(4), kWithShift},
    {"FS5", functionKey(5), kWithShift},    {"FS6", functionKey(6), kWithShift},
    {"FS7", functionKey(7), kWithShift},    {"FS8", functionKey(8), kWithShift},
    {"FS9", functionKey(9), kWithShift},    {"FS10", functionKey(10), kWithShift},
    {"FS11", functionKey(11), kWithShift},  {"FS12", functionKey(12), kWithShift},

    {"FC1", functionKey(1), kWithControl},    {"FC2", functionKey(2), kWithControl},
    {"FC3", functionKey(3), kWithControl},    {"FC4", functionKey(4), kWithControl},
    {"FC5", functionKey(5), kWithControl},    {"FC6", functionKey(6), kWithControl},
    {"FC7", functionKey(7), kWithControl},    {"FC8", functionKey(8), kWithControl},
    {"FC9", functionKey(9), kWithControl},    {"FC10", functionKey(10), kWithControl},
    {"FC11", functionKey(11), kWithControl},  {"FC12", functionKey(12), kWithControl},

    {"FA1", functionKey(1), kWithAlt},    {"FA2", functionKey(2), kWithAlt},
    {"FA3", functionKey(3), kWithAlt},    {"FA4", functionKey(4), kWithAlt},
    {"FA5", functionKey(5), kWithAlt},    {"FA6", functionKey(6), kWithAlt},
    {"FA7", functionKey(7), kWithAlt},    {"FA8", functionKey(8), kWithAlt},
    {"FA9", functionKey(9), kWithAlt},    {"FA10", functionKey(10), kWithAlt},
    {"FA11", functionKey(11), kWithAlt},  {"FA12", functionKey(12), kWithAlt},

    {"N.", keypadPoint()},    {"N,", keypadPoint()},
    {"N0", keypadDigit(0)},   {"N1", keypadDigit(1)},   {"N2", keypadDigit(2)},
    {"N3", keypadDigit(3)},   {"N4", keypadDigit(4)},   {"N5", keypadDigit(5)},
    {"N6", keypadDigit(6)},   {"N7", keypadDigit(7)},   {"N8", keypadDigit(8)},
    {"N9", keypadDigit(9)},

    {"#.", keypadPoint(), kModeKeypadDigit},   {"#,", keypadPoint(), kModeKeypadDigit},
    {"#0", keypadDigit(0), kModeKeypadDigit},  {"#1", keypadDigit(1), kModeKeypadDigit},
    {"#2", keypadDigit(2), kModeKeypadDigit},  {"#3", keypadDigit(3), kModeKeypadDigit},
    {"#4", keypadDigit(4), kModeKeypadDigit},  {"#5", keypadDigit(5), kModeKeypadDigit},
    {"#6", keypadDigit(6), kModeKeypadDigit},  {"#7", keypadDigit(7), kModeKeypadDigit},
    {"#8", keypadDigit(8), kModeKeypadDigit},  {"#9", keypadDigit(9), kModeKeypadDigit},

    {"BACKSPACE", keystroke(0x0E)},
    {"BS", keystroke(0x0E)},
    {"PAUSE", {0xE1, 0x1D, 0x45, 0xE1, 0x9D, 0xC5}, kModePlain},
    {"BREAK", extendedKeystroke(0x46), kModeControl},
    {"INS", extendedKeystroke(0x52)},
    {"DEL", extendedKeystroke(0x53)},
    {"PGUP", extendedKeystroke(0x49)},
    {"PGDN", extendedKeystroke(0x51)},
    {"HOME", extendedKeystroke(0x47)},
    {"END", extendedKeystroke(0x4F)},
    {"SYS", {0x54}},
    {"MAKESYS", {0x54}},
    {"BREAKSYS", {0xD4}},
    {"NUMLOCK", keystroke(0x45)},
    {"NUM", keystroke(0x45)},
    {"MAKENUM", {0x45}},
    {"BREAKNUM", {0xC5}},
    {"SCROLL-LOCK", keystroke(0x46)},
    {"SCROLL", keystroke(0x46)},
    {"MAKESCROLL", {0x46}},
    {"BREAKSCROLL", {0xC6}},
    {"SHIFTLOCK", keystroke(0x3A)},
    {"MAKESHIFTLOCK", {0x3A}},
    {"BREAKSHIFTLOCK", {0xBA}},
    {"CAPSLOCK", keystroke(0x3A)},
    {"CAPS", keystroke(0x3A)},
    {"MAKECAPS", {0x3A}},
    {"BREAKCAPS", {0xBA}},
    {"PRTSC", extendedKeystroke(0x37)},
    {"ESC", keystroke(0x01)},
    {"TAB", keystroke(0x0F)},
    {"LEFT", extendedKeystroke(0x4B)},
    {"RIGHT", extendedKeystroke(0x4D)},
    {"UP", extendedKeystroke(0x48)},
    {"DOWN", extendedKeystroke(0x50)},
    // The arrow glyphs of code page 437: left, right, up, down.
    {"\x1B", extendedKeystroke(0x4B)},
    {"\x1A", extendedKeystroke(0x4D)},
    {"\x18", extendedKeystroke(0x48)},
    {"\x19", extendedKeystroke(0x50)},
    {"RETURN", keystroke(0x1C)},
    {"ENTER", extendedKeystroke(0x1C)},  // keypad Enter
    {"PLUS", keystroke(0x4E)},
    {"MINUS", keystroke(0x4A)},
    {"STAR", keystroke(0x37)},
    {"MUL", keystroke(0x37)},
    {"DIV", extendedKeystroke(0x35)},
    // Commands to the keyboard itself.
    {"BEEP", {0xFF}},
    {"DELAY", {0xFE}},
    {"LED_ON", {0xFC}},
    {"LED_OFF", {0xFD}},
    {"NO_DATA", {0xFB}},
    {"RESET", {0x38, 0x53, 0xD3, 0xB8}, kModeControl},
    {"NUL", keystroke(0x03), kModeControl},
    {"EMPTY", {}, kModeNone, G::empty},
});

// Point-of-sale keys: POSKEY001 to POSKEY128 send 68 and a code, the codes
// taken in turn from these runs, first plain, then after E0.
struct CodeRun {
    std::uint8_t first;
    std::uint8_t last;
};
constexpr std::uint8_t kPosKeyLead = 0x68;
constexpr std::array<CodeRun, 6> kPosKeyCodes{{
    {0x01, 0x1C}, {0x1E, 0x29}, {0x2B, 0x35}, {0x3B, 0x44}, {0x47, 0x53}, {0x56, 0x58},
}};
constexpr std::array<CodeRun, 12> kPosKeyExtendedCodes{{
    {0x01, 0x0F}, {0x11, 0x18}, {0x1A, 0x1B}, {0x1E, 0x1F}, {0x23, 0x23}, {0x25, 0x29},
    {0x2B, 0x2D}, {0x2F, 0x2F}, {0x31, 0x32}, {0x34, 0x34}, {0x39, 0x39}, {0x3B, 0x44},
}};
constexpr std::size_t kPosKeyCount = 128;

template <std::size_t N>
constexpr std::size_t codeCount(const std::array<CodeRun, N>& runs) {
    std::size_t count = 0;
    for (const CodeRun& run : runs) count += static_cast<std::size_t>(run.last - run.first + 1);
    return count;
}
static_assert(codeCount(kPosKeyCodes) + codeCount(kPosKeyExtendedCodes) == kPosKeyCount);

constexpr std::string_view kPosKeyPrefix = "POSKEY";
constexpr std::size_t kPosKeyNumberDigits = 3;
constexpr std::size_t kPosKeyNameLength = 9;
static_assert(kPosKeyPrefix.size() + kPosKeyNumberDigits == kPosKeyNameLength);

using PosKeyName = std::array<char, kPosKeyNameLength>;
constexpr auto kPosKeyNames = [] {
    std::array<PosKeyName, kPosKeyCount> names{};
    for (std::size_t i = 0; i < kPosKeyCount; ++i) {
        PosKeyName& name = names[i];
        for (std::size_t c = 0; c < kPosKeyPrefix.size(); ++c) name[c] = kPosKeyPrefix[c];
        std::size_t number = i + 1;
        for (std::size_t d = kPosKeyNameLength; d > kPosKeyPrefix.size(); --d) {
            name[d - 1] = static_cast<char>('0' + number % 10);
            number /= 10;
        }
    }
    return names;
}();

constexpr auto kClosingTokens = std::to_array<Token>({
    {"POSKEYLOCK", {0x66}},
    {"POSMSR1", {0x62}},
    {"POSMSR2", {0x63}},
    {"POSMSR3", {0x64}},
    {"POSBARCODE", {0x65}},
    {"POSFC", {0x67}},
    {"FN_ON", {0xFC}},
    {"FN_OFF", {0xFD}},
    {"RESETSTATUS", {0xAA, 0x9D, 0xB6, 0xE0, 0x9D, 0xB8, 0xE0, 0xB8, 0xE0, 0xDB, 0xE0, 0xDC}},
});

static_assert(kNamedTokens.size() + kPosKeyCount + kClosingTokens.size() == kTokenCount);

constexpr auto kTokens = [] {
    std::array<Token, kTokenCount> tokens{};
    std::size_t next = 0;
    for (const Token& token : kNamedTokens) tokens[next++] = token;
    std::size_t posKey = 0;
    auto posKeyName = [&posKey] {
        return std::string_view(kPosKeyNames[posKey].data(), kPosKeyNameLength);
    };
    for (const CodeRun& run : kPosKeyCodes) {
        for (int code = run.first; code <= run.last; ++code) {
            tokens[next++] = Token{posKeyName(), {kPosKeyLead, static_cast<std::uint8_t>(code)}};
            ++posKey;
        }
    }
    for (const CodeRun& run : kPosKeyExtendedCodes) {
        for (int code = run.first; code <= run.last; ++code) {
            tokens[next++] =
                Token{posKeyName(), {kPosKeyLead, kPrefixE0, static_cast<std::uint8_t>(code)}};
            ++posKey;
        }
    }
    for (const Token& token : kClosingTokens) tokens[next++] = token;
    return tokens;
}();

constexpr std::string_view kMakePrefix = "MAKE";

}  // namespace

std::span<const Token> tokenTable() { return kTokens; }

const Token* findToken(std::string_view name) {
    for (const Token& token : kTokens) {
        if (equalsIgnoringCase(name, token.name)) return &token;
    }
    return nullptr;
}

const Token* makeTokenOf(const Token& modifier) {
    if (modifier.group != TokenGroup::heldModifier) return nullptr;
    std::string name(kMakePrefix);
    name += modifier.name;
    return findToken(name);
}

}  // namespace kbxc
