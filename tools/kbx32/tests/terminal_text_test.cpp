#include <gtest/gtest.h>

#include "platform/terminal_text.h"
#include "tools/kbx32/run_summary.h"

namespace {

using kbx::platform::terminalText;

// Windows-1252 byte B4 is U+00B4 ACUTE ACCENT, 80 is U+20AC EURO SIGN, and
// 81 is unassigned (Unicode's mapping table for the code page,
// MAPPINGS/VENDORS/MICSFT/WINDOWS/CP1252.TXT). The serial port's messages
// write "Can\xB4t".
TEST(TerminalText, TheLibrariesWindows1252TextsBecomeUtf8) {
    EXPECT_EQ(terminalText("Can\xB4t set com state of COM1."), "Can\u00B4t set com state of COM1.");
    EXPECT_EQ(terminalText("Preis 5 \x80"), "Preis 5 \u20AC");
    EXPECT_EQ(terminalText("Gr\xF6\xDF" "e"), "Gr\u00F6\u00DF" "e");
}

// File names and kbx32's own texts are UTF-8 already and stay as they are,
// also beside a Windows-1252 byte of the library.
TEST(TerminalText, Utf8StaysAsItIs) {
    EXPECT_EQ(terminalText("Ausgabedatei konnte nicht ge\u00F6ffnet werden"),
              "Ausgabedatei konnte nicht ge\u00F6ffnet werden");
    EXPECT_EQ(terminalText("Can\xB4t write '/home/j\u00FCrgen/b\u00E4ckerei.kbx'"),
              "Can\u00B4t write '/home/j\u00FCrgen/b\u00E4ckerei.kbx'");
    // An overlong form (C0 AF for '/') and a cut sequence are not UTF-8:
    // their bytes are read as Windows-1252.
    EXPECT_EQ(terminalText("\xC0\xAF"), "\u00C0\u00AF");
    EXPECT_EQ(terminalText("x\xE2\x82"), "x\u00E2\u201A");
}

TEST(TerminalText, ControlCharactersCannotSteerTheTerminal) {
    EXPECT_EQ(terminalText("a\x1B[2Jb"), "a?[2Jb");
    EXPECT_EQ(terminalText("\x81"), "?");
    EXPECT_EQ(terminalText("one\ttwo\nthree"), "one\ttwo\nthree");
}

TEST(TerminalText, TheSummaryLineIsUtf8) {
    EXPECT_EQ(kbx32::summaryLine({"COM1", "COM - Port konnte nicht ge\u00F6ffnet werden", "Can\xB4t open COM1."}),
              "COM1: COM - Port konnte nicht ge\u00F6ffnet werden (Can\u00B4t open COM1.)\n");
}

}  // namespace
