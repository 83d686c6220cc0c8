#include <gtest/gtest.h>

#include "compiler/conversion/ascii_conversion.h"
#include "tests/support/files.h"

namespace kbxc {
namespace {

struct AsciiRow {
    std::string_view text;
    std::string_view bytes;
    bool complete = true;
};

void PrintTo(const AsciiRow& row, std::ostream* os) { *os << '"' << row.text << '"'; }

class Ascii : public testing::TestWithParam<AsciiRow> {};

TEST_P(Ascii, GivesTheCharacterCodes) {
    const AsciiRow& row = GetParam();
    const AsciiResult result = convertToAscii(row.text);
    EXPECT_EQ(kbxtest::hex(result.bytes), row.bytes);
    EXPECT_EQ(result.complete, row.complete);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Ascii,
    testing::Values(AsciiRow{"aB1+", "61 42 31 2B"}, AsciiRow{"{CTRL+c}", "03"}, AsciiRow{"{ctrl+C}", "03"},
                    AsciiRow{"{SHIFT+x}", "58"}, AsciiRow{"{Shift+1}", "31"}, AsciiRow{"a{{b", "61 7B 62"},
                    AsciiRow{"\\{\\\\\\}", "7B 5C 7D"}, AsciiRow{"}", "7D"}, AsciiRow{"x\\", "78 5C"},
                    AsciiRow{"{CTRL+}}", "1D"},
                    AsciiRow{"{ESC}{TAB}{HT}{BS}{BACKSPACE}{RETURN}{ENTER}{CR}{LF}{LINEFEED}{DEL}",
                             "1B 09 09 08 08 0D 0D 0D 0A 0A 7F"},
                    AsciiRow{"{esc}", "1B"},
                    // A zero byte cannot be stored.
                    AsciiRow{"{CTRL+@}a", "61"}, AsciiRow{std::string_view("a\0b", 3), "61 62"}));

INSTANTIATE_TEST_SUITE_P(
    Failures, Ascii,
    testing::Values(AsciiRow{"{F1}", "", false}, AsciiRow{"a{SHIFT+xy}", "61", false},
                    AsciiRow{"{CTRL+}", "", false}, AsciiRow{"{SHIFT}", "", false}, AsciiRow{"{", "", false},
                    AsciiRow{"{}", "", false}, AsciiRow{"x{ESC", "78", false}, AsciiRow{"{ESC+TAB}", "", false},
                    AsciiRow{"{SHIFT+x", "", false}));

}  // namespace
}  // namespace kbxc
