#include <gtest/gtest.h>

#include <string>

#include "compiler/conversion/character_tables.h"
#include "compiler/conversion/convert.h"
#include "tests/support/files.h"

namespace kbxc {
namespace {

// Definition bytes: state, mask, attributes.
constexpr DefinitionBytes kPlain{0x00, 0x80, 0x00};
constexpr DefinitionBytes kShifted{0x02, 0x82, 0x00};     // +S
constexpr DefinitionBytes kCapsLocked{0x40, 0xC0, 0x00};  // +CL
constexpr DefinitionBytes kNumLocked{0x20, 0xA0, 0x00};   // +NL
constexpr DefinitionBytes kMakeBreak{0x00, 0x80, kAttributeMakeBreak};
constexpr DefinitionBytes kShiftedMakeBreak{0x02, 0x82, kAttributeMakeBreak};

struct Row {
    std::string_view text;
    std::string_view bytes;
    DefinitionBytes definition = kPlain;
    ConversionFailure failure = ConversionFailure::none;
    int language = kUS;
    bool shiftLock = false;
};

void PrintTo(const Row& row, std::ostream* os) { *os << '"' << row.text << '"'; }

class Scancodes : public testing::TestWithParam<Row> {};

TEST_P(Scancodes, TypeTheText) {
    const Row& row = GetParam();
    DefinitionBytes definition = row.definition;
    const ConversionSettings settings{row.language, row.shiftLock, false};
    const Conversion result = convertText(row.text, definition, true, settings);
    EXPECT_EQ(kbxtest::hex(result.bytes), row.bytes);
    EXPECT_EQ(result.failure, row.failure);
    EXPECT_EQ(definition, row.definition);
}

constexpr auto kScancodeFailure = ConversionFailure::scancode;

INSTANTIATE_TEST_SUITE_P(
    DocumentedCases, Scancodes,
    testing::Values(Row{"A", "2A 1E 9E AA"}, Row{"aA", "1E 9E 2A 1E 9E AA"},
                    Row{"a", "AA 1E 9E 2A", kShifted}, Row{"{Shift+F1}", "2A 3B BB AA"},
                    Row{"{Ctrl+c}", "1D 2E AE 9D"}, Row{"{Ctrl+C}", "1D 2A 2E AE AA 9D"},
                    Row{"{ALT65}", "38 4D CD 4C CC B8"}, Row{"{Shift}", "2A", kMakeBreak},
                    Row{"{F1}", "3B", kMakeBreak}, Row{"{EMPTY}", ""}, Row{"{Foo}", "", kPlain, kScancodeFailure},
                    Row{"{\\xE0}{\\x4B}", "E0 4B"}, Row{"\\x41", "2B AB 2D AD 05 85 02 82"},
                    Row{"+", "2A 0D 8D AA"}, Row{"{a++}", "1E 9E 2A 0D 8D AA"}));

INSTANTIATE_TEST_SUITE_P(
    CharactersAndEscapes, Scancodes,
    testing::Values(Row{"}", "2A 1B 9B AA"}, Row{"\\{\\}", "2A 1A 9A 1B 9B AA"}, Row{"\\\\", "2B AB"},
                    Row{"\\+", "2A 0D 8D AA"}, Row{"a\\", "1E 9E 2B AB"},
                    // A backslash ending the text inside braces ends it well.
                    Row{"{a+\\", "1E 9E"}, Row{"{Shift+\\+}", "2A 0D 8D AA"},
                    Row{"{\\q}", "", kPlain, kScancodeFailure},
                    // One hex digit is read and gives nothing.
                    Row{"{\\x4}a", "1E 9E"},
                    // What the US keyboard cannot type goes as an Alt code.
                    Row{"\x80", "38 4F CF 50 D0 48 C8 B8"}, Row{"\x80", "AA 38 4F CF 50 D0 48 C8 B8 2A", kShifted},
                    // ESC typed is Control with [; in braces it is the arrow glyph.
                    Row{"\x1B", "1D 1A 9A 9D"}, Row{"{\x1B}", "E0 4B E0 CB"}, Row{"{\x19}", "E0 50 E0 D0"},
                    Row{std::string_view("a\0b", 3), "1E 9E 1D 03 83 9D 30 B0"},
                    Row{"ab{Empty}cd", ""}, Row{"x{Foo}y", "2D AD", kPlain, kScancodeFailure}));

INSTANTIATE_TEST_SUITE_P(
    GroupsAndTokens, Scancodes,
    testing::Values(Row{"{Shift+{Ctrl+a}b}", "2A 1D 1E 9E 9D 30 B0 AA"}, Row{"{Shift+a", "2A 1E 9E AA"},
                    Row{"{a}", "AA 1E 9E 2A", kShifted}, Row{"{Ctrl}a", "1E 9E"}, Row{"{Shift+}", ""},
                    Row{"{}", ""}, Row{"{Pause}", "E1 1D 45 E1 9D C5"},
                    Row{"{Pause}{#5}", "E1 1D 45 E1 9D C5 2A 4C CC AA"}, Row{"{F1}", "AA 3B BB 2A", kShifted},
                    Row{"{ctrl+pause}", "1D E0 46 E0 C6 9D"}, Row{"{FS1}", "2A 3B BB AA"},
                    Row{"{FA2}", "38 3C BC B8"}, Row{"{F1+Shift+F2}", "3B BB 2A 3C BC AA"},
                    // The first named item of the text starts from no modifiers.
                    Row{"{\\x2AF1}", "3B BB"}, Row{"{RCtrl+c}", "E0 1D 2E AE E0 9D"},
                    Row{"{AltGr+q}", "E0 38 10 90 E0 B8"}, Row{"{Alt+F4}", "38 3E BE B8"},
                    Row{"{Shift+ALT65}", "2A 38 4D CD 4C CC B8 AA"}, Row{"{ALT}", "38 B8"},
                    Row{"{ALTX}", "", kPlain, kScancodeFailure}, Row{"{ALT6x}", "", kPlain, kScancodeFailure},
                    Row{"{E0Shift+Left}", "E0 2A E0 4B E0 CB E0 AA"}, Row{"{Reset}", "1D 38 53 D3 B8 9D"},
                    Row{"{POSKEY078}", "68 E0 01"}, Row{"{Beep}{Led_On}", "FF FC"},
                    Row{"{#5}", "2A 4C CC AA"}, Row{"{#5}", "4C CC", kNumLocked}, Row{"{N5}", "4C CC"},
                    Row{"{ABCDEFGHIJKLMNOPQRSTUVWXYZ}", "", kPlain, kScancodeFailure}));

INSTANTIATE_TEST_SUITE_P(
    MakeOnly, Scancodes,
    testing::Values(Row{"a", "1E", kMakeBreak}, Row{"A", "1E", kMakeBreak}, Row{"a", "1E", kShiftedMakeBreak},
                    Row{"{Ctrl}", "1D", kMakeBreak}, Row{"{Ins}", "E0 52", kMakeBreak},
                    Row{"{Pause}", "E1 1D 45", kMakeBreak}, Row{"{E0Shift+Left}", "E0 2A E0 4B", kMakeBreak},
                    // A modifier sends its make only where it stands alone in its group.
                    Row{"{Shift+F1}", "3B", kMakeBreak}, Row{"{ALT65}", "38 4D CD 4C CC B8", kMakeBreak}));

INSTANTIATE_TEST_SUITE_P(
    Locks, Scancodes,
    testing::Values(Row{"a", "2A 1E 9E AA", kCapsLocked}, Row{"A", "1E 9E", kCapsLocked},
                    Row{"{CapsLock}a", "3A BA 2A 1E 9E AA"},
                    // ShiftLock: a Shift tap ends the lock, the lock types capitals.
                    Row{"a", "36 B6 1E 9E", kCapsLocked, ConversionFailure::none, kUS, true},
                    Row{"A", "1E 9E", kCapsLocked, ConversionFailure::none, kUS, true},
                    Row{"{ShiftLock}a", "3A BA 36 B6 1E 9E", kPlain, ConversionFailure::none, kUS, true},
                    Row{"{ShiftLock}A", "3A BA 1E 9E", kPlain, ConversionFailure::none, kUS, true}));

constexpr auto kOk = ConversionFailure::none;

INSTANTIATE_TEST_SUITE_P(
    NationalKeyboards, Scancodes,
    testing::Values(Row{"yz", "2C AC 15 95", kPlain, kOk, kGR}, Row{"@", "E0 38 10 90 E0 B8", kPlain, kOk, kGR},
                    // Accent key first, then the letter.
                    Row{"\x82", "0D 8D 12 92", kPlain, kOk, kGR},
                    Row{"\x81", "2A 1A 9A AA 16 96", kPlain, kOk, kFR}, Row{"a", "10 90", kPlain, kOk, kFR},
                    Row{"\x9C", "2A 04 84 AA", kPlain, kOk, kUK}, Row{"\x84", "28 A8", kPlain, kOk, kSG},
                    Row{"\x84", "2A 28 A8 AA", kPlain, kOk, kSF},
                    // The CapsLock characters switch CapsLock on for themselves.
                    Row{"\x8E", "3A BA 28 A8 3A BA", kPlain, kOk, kSG},
                    Row{"\x8E\x8E", "3A BA 28 A8 28 A8 3A BA", kPlain, kOk, kSG},
                    Row{"\x8E" "a", "3A BA 28 A8 2A 1E 9E 3A BA AA", kPlain, kOk, kSG},
                    Row{"\x8E" "1", "3A BA 28 A8 3A BA 02 82", kPlain, kOk, kSG},
                    Row{"\x8E", "3A BA 2A 28 A8 3A BA AA", kPlain, kOk, kSF},
                    Row{"\x8E", "28 A8", kCapsLocked, kOk, kSG}));

}  // namespace
}  // namespace kbxc
