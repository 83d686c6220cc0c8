#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/document/key_table.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/layout_writer.h"
#include "tests/support/files.h"
#include "tools/kbxlayout/template_catalogue.h"
#include "tools/kbxlayout/templates.h"
#include "tools/kbxlayout/tool_document.h"

#include "compiler/driver.h"

namespace kbxlayout {
namespace {

const std::filesystem::path kCommittedTree = std::filesystem::path(KBX_SOURCE_DIR) / "data" / "LAY";
constexpr std::size_t kTemplateFileCount = 184;
constexpr int kNormalLayer = 0;  // "Normal-Layer" of the default layer table
constexpr int kShiftLayer = 1;   // "Shift-Layer"
constexpr int kMakeBreakLayer = 4;  // "StdKey-Layer"

TemplateFile fileOf(std::string_view name, std::string_view code, bool glidepoint = false) {
    for (const TemplateFile& file : templateFiles()) {
        if (file.name == name && file.country->code == code && file.glidepoint == glidepoint) return file;
    }
    throw std::runtime_error("no template " + std::string(name));
}

// Empty when both texts are equal, else the first line where they differ.
std::string firstDifference(const std::string& written, const std::string& expected) {
    if (written == expected) return {};
    std::size_t start = 0;
    while (true) {
        const std::size_t a = written.find('\n', start);
        const std::size_t b = expected.find('\n', start);
        const std::string lineA = written.substr(start, a == std::string::npos ? a : a - start);
        const std::string lineB = expected.substr(start, b == std::string::npos ? b : b - start);
        if (lineA != lineB || a == std::string::npos || b == std::string::npos) {
            return "written '" + lineA + "', expected '" + lineB + "'";
        }
        start = a + 1;
    }
}

// A template built in memory, as generateTemplates builds it before saving.
struct BuiltTemplate {
    ToolDocument document;
    explicit BuiltTemplate(const TemplateFile& file) { buildTemplate(document.context, file); }
    explicit BuiltTemplate(std::string_view name, std::string_view code, bool glidepoint = false)
        : BuiltTemplate(fileOf(name, code, glidepoint)) {}

    kbxdoc::KeyRecord& key(int column, int row) {
        kbxdoc::KeyRecord* found = kbxdoc::keyAt(document.context, column, row);
        if (found == nullptr) throw std::runtime_error("no key there");
        return *found;
    }
    std::string typed(int column, int row, int layer) {
        return key(column, row).layers[static_cast<std::size_t>(layer)].programming.str();
    }
    // The grid position whose normal layer types `text`.
    std::pair<int, int> keyTyping(std::string_view text) {
        for (const kbxdoc::KeyRecord& k : document.keyboard->keys) {
            if (k.templateGeometry.width != 0 && k.layers[kNormalLayer].programming.view() == text) {
                return {k.column, k.row};
            }
        }
        throw std::runtime_error("no key types " + std::string(text));
    }
};

TEST(TemplateFiles, EveryButtonAndCountryWithThreeGlidepointVariants) {
    const auto files = templateFiles();
    EXPECT_EQ(files.size(), kTemplateFileCount);
    std::vector<std::string> glidepointNames;
    for (const TemplateFile& file : files) {
        if (file.glidepoint && file.country->code == "US") glidepointNames.emplace_back(file.name);
    }
    EXPECT_EQ(glidepointNames, (std::vector<std::string>{"Orsk", "VelkA", "TarnA"}));
    EXPECT_EQ(templateRelativePath(fileOf("VelkA", "US", true)), "VelkA/USVelkAg.kbf");
    EXPECT_EQ(templateRelativePath(fileOf("dalo", "GR")), "dalo/GRdalo.kbf");
}

TEST(GeneratedTemplates, MatchTheCommittedTreeByteForByte) {
    kbxtest::TempDir dir;
    ASSERT_EQ(generateTemplates(dir.path().string()), "");
    std::size_t committed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kCommittedTree)) {
        if (entry.path().extension() == ".kbf") ++committed;
    }
    EXPECT_EQ(committed, kTemplateFileCount) << "data/LAY holds files the generator does not write";
    for (const TemplateFile& file : templateFiles()) {
        const std::string relative = templateRelativePath(file);
        ASSERT_TRUE(std::filesystem::exists(kCommittedTree / relative)) << relative;
        EXPECT_EQ(firstDifference(kbxtest::readFile(dir / relative), kbxtest::readFile(kCommittedTree / relative)),
                  "")
            << relative << " differs: run kbxlayout templates data/LAY";
    }
}

TEST(GeneratedTemplates, EveryTemplateReadsBackAsTheSameDocumentAndWritesTheSameBytes) {
    kbxtest::TempDir dir;
    for (const TemplateFile& file : templateFiles()) {
        const std::string relative = templateRelativePath(file);
        ToolDocument document;
        ASSERT_TRUE(kbxdoc::loadLayout(document.context, (kCommittedTree / relative).string())) << relative;
        const std::string again = (dir / "again.kbf").string();
        ASSERT_TRUE(kbxdoc::saveLayout(document.context, again));
        EXPECT_EQ(firstDifference(kbxtest::readFile(again), kbxtest::readFile(kCommittedTree / relative)), "")
            << relative;
        ToolDocument reread;
        ASSERT_TRUE(kbxdoc::loadLayout(reread.context, again));
        EXPECT_TRUE(*reread.keyboard == *document.keyboard) << relative;
        EXPECT_EQ(reread.layers, document.layers) << relative;
    }
}

TEST(GeneratedTemplates, EveryTemplateCompilesWithoutErrors) {
    kbxtest::TempDir dir;
    const std::string image = (dir / "template.kbx").string();
    const std::string log = (dir / "kbxc.out").string();
    for (const TemplateFile& file : templateFiles()) {
        const std::string source = (kCommittedTree / templateRelativePath(file)).string();
        const int result = kbxcCompileLayout(source.c_str(), image.c_str(), log.c_str(), nullptr);
        const std::string messages = kbxtest::readFile(log);
        EXPECT_EQ(result, 0) << source << "\n" << messages;
        EXPECT_EQ(messages.find("ERROR"), std::string::npos) << source << "\n" << messages;
    }
}

TEST(GenerateTemplates, ReportsAFolderItCannotWriteInto) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "plain", "not a folder");
    EXPECT_NE(generateTemplates((dir / "plain").string()), "");
    EXPECT_NE(generateTemplates(""), "");
}

// The letters that move between national keyboards, on the key the US
// keyboard types the first letter with.
struct MovedLetter {
    std::string_view code;
    std::string_view usLetter;
    std::string_view normal;
    std::string_view shifted;
};
void PrintTo(const MovedLetter& moved, std::ostream* out) {
    *out << moved.code << " on the US " << moved.usLetter << " key";
}
class NationalLetters : public ::testing::TestWithParam<MovedLetter> {};

TEST_P(NationalLetters, TypeWhatTheCountrysKeyboardTypes) {
    const MovedLetter& moved = GetParam();
    BuiltTemplate us("Pell", "US");
    const auto [column, row] = us.keyTyping(moved.usLetter);
    BuiltTemplate national("Pell", moved.code);
    EXPECT_EQ(national.typed(column, row, kNormalLayer), moved.normal);
    EXPECT_EQ(national.typed(column, row, kShiftLayer), moved.shifted);
}

INSTANTIATE_TEST_SUITE_P(Templates, NationalLetters,
                         ::testing::Values(MovedLetter{"GR", "y", "z", "Z"}, MovedLetter{"GR", "z", "y", "Y"},
                                           MovedLetter{"SG", "y", "z", "Z"}, MovedLetter{"FR", "q", "a", "A"},
                                           MovedLetter{"FR", "a", "q", "Q"}, MovedLetter{"FR", "1", "&", "1"},
                                           MovedLetter{"US", "y", "y", "Y"}, MovedLetter{"UK", "2", "2", "\""},
                                           MovedLetter{"GR", ";", "\xF6", "\xD6"},  // o umlaut
                                           MovedLetter{"IT", "=", "\xEC", "^"}));

TEST(AlphanumericTemplates, EscapeBracesAndBackslashInProgrammingAndLegends) {
    BuiltTemplate us("Orsk", "US");
    const auto [column, row] = us.keyTyping("[");
    EXPECT_EQ(us.typed(column, row, kShiftLayer), "\\{");
    EXPECT_EQ(us.key(column, row).caption, "\\{\\line[");
    const auto backslash = us.keyTyping("\\\\");
    EXPECT_EQ(us.typed(backslash.first, backslash.second, kShiftLayer), "|");
    EXPECT_EQ(us.key(backslash.first, backslash.second).caption, "\\|\\line\\\\");
}

TEST(AlphanumericTemplates, AnAccentKeyShowsItsAccentsAndTypesNothingByItself) {
    BuiltTemplate fr("Pell", "FR");
    BuiltTemplate us("Pell", "US");
    const auto [column, row] = us.keyTyping("[");  // right of P
    EXPECT_EQ(fr.key(column, row).caption, "\xA8\\line^");  // diaeresis above circumflex
    EXPECT_EQ(fr.typed(column, row, kNormalLayer), "");
    EXPECT_EQ(fr.typed(column, row, kShiftLayer), "");
    BuiltTemplate gr("Pell", "GR");
    const auto equals = us.keyTyping("=");  // left of Backspace: acute, with Shift grave
    EXPECT_EQ(gr.key(equals.first, equals.second).caption, "`\\line\xB4");
    EXPECT_EQ(gr.typed(equals.first, equals.second, kShiftLayer), "`");
}

TEST(AlphanumericTemplates, SpecialKeysSendTokens) {
    BuiltTemplate gr("Nabe", "GR");
    BuiltTemplate us("Nabe", "US");
    // Ctrl row: Ctrl, Alt, space, right Alt, Ctrl; the lock key left of A.
    EXPECT_EQ(gr.typed(2, 0, kShiftLayer), " ");
    EXPECT_EQ(gr.typed(0, 2, kNormalLayer), "{ShiftLock}");
    EXPECT_EQ(us.typed(0, 2, kNormalLayer), "{CapsLock}");
    EXPECT_EQ(us.typed(12, 2, kShiftLayer), "{Return}");  // the typing block's Enter, not the keypad's
    EXPECT_EQ(us.typed(13, 4, kNormalLayer), "{BS}");
    EXPECT_EQ(us.typed(0, 3, kNormalLayer), "{Tab}");
}

TEST(AlphanumericTemplates, ModifiersSendTheirMakeTokenOnTheMakeBreakLayerAlone) {
    BuiltTemplate gr("Nabe", "GR");
    BuiltTemplate us("Nabe", "US");
    EXPECT_EQ(gr.typed(0, 0, kMakeBreakLayer), "{MakeCtrl}");
    EXPECT_EQ(gr.typed(0, 0, kNormalLayer), "");
    EXPECT_EQ(gr.typed(0, 0, kShiftLayer), "");
    EXPECT_EQ(gr.typed(4, 0, kMakeBreakLayer), "{MakeRCtrl}");
    EXPECT_EQ(gr.typed(1, 0, kMakeBreakLayer), "{MakeAlt}");
    // The right Alt sends E0 38 everywhere, named after AltGr where the
    // country has one.
    EXPECT_EQ(gr.typed(3, 0, kMakeBreakLayer), "{MakeAltGr}");
    EXPECT_EQ(gr.key(3, 0).caption, "Alt Gr");
    EXPECT_EQ(us.typed(3, 0, kMakeBreakLayer), "{MakeAltGr}");
    EXPECT_EQ(us.key(3, 0).caption, "Alt");
    EXPECT_EQ(us.typed(0, 1, kMakeBreakLayer), "{MakeShift}");
    EXPECT_EQ(us.typed(12, 1, kMakeBreakLayer), "{MakeShift}");
    EXPECT_EQ(us.typed(12, 1, kShiftLayer), "");
    // A typing key stays off the make/break layer.
    EXPECT_EQ(us.typed(2, 1, kMakeBreakLayer), "");
}

struct CountryLock {
    std::string_view code;
    int shiftLock;
    int capsLock;
};
void PrintTo(const CountryLock& lock, std::ostream* out) { *out << lock.code; }
class TemplateLanguage : public ::testing::TestWithParam<CountryLock> {};

TEST_P(TemplateLanguage, SetsTheCodeAndTheLockOfTheCountry) {
    BuiltTemplate built("Gorm", GetParam().code);
    EXPECT_EQ(built.document.keyboard->languageCode.view(), GetParam().code);
    EXPECT_EQ(built.document.keyboard->shiftLock, GetParam().shiftLock);
    EXPECT_EQ(built.document.keyboard->capsLock, GetParam().capsLock);
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateLanguage,
                         ::testing::Values(CountryLock{"GR", 1, 0}, CountryLock{"FR", 1, 0}, CountryLock{"US", 0, 1},
                                           CountryLock{"IT", 0, 1}, CountryLock{"SF", 0, 1}, CountryLock{"SG", 0, 1},
                                           CountryLock{"UK", 0, 1}, CountryLock{"SP", 0, 1}));

TEST(AlphanumericTemplates, TheNumericBlockTypesItsLegends) {
    BuiltTemplate orsk("Orsk", "FR");
    EXPECT_EQ(orsk.key(9, 0).caption, "00");
    EXPECT_EQ(orsk.typed(9, 0, kNormalLayer), "00");
    EXPECT_EQ(orsk.typed(17, 3, kShiftLayer), "7");
}

TEST(GridTemplates, CaptionEveryKeyWithItsIdentifierAndProgramNothing) {
    BuiltTemplate lumo("Rill", "SP");
    int captioned = 0;
    for (const kbxdoc::KeyRecord& key : lumo.document.keyboard->keys) {
        if (key.templateGeometry.width == 0) continue;
        ++captioned;
        EXPECT_EQ(key.caption.size(), 3u);
        for (const kbxdoc::LayerEntry& entry : key.layers) EXPECT_TRUE(entry.programming.empty());
    }
    EXPECT_EQ(captioned, 16 * 8);
    EXPECT_EQ(lumo.key(0, 0).caption, "A01");
    EXPECT_EQ(lumo.key(15, 7).caption, "H16");
}

TEST(GlidepointTemplates, DifferOnlyInTheThreeMouseButtonKeys) {
    BuiltTemplate plain("TarnA", "SG");
    BuiltTemplate glidepoint("TarnA", "SG", true);
    const std::array<std::pair<int, std::string_view>, 3> buttons{
        {{5, "Maus\\lineLinks"}, {6, "Maus\\lineMitte"}, {7, "Maus\\lineRechts"}}};
    for (const auto& [column, caption] : buttons) {
        EXPECT_EQ(glidepoint.key(column, 0).caption, caption);
        EXPECT_TRUE(plain.key(column, 0).caption.empty());
        for (const kbxdoc::LayerEntry& entry : glidepoint.key(column, 0).layers) {
            EXPECT_TRUE(entry.programming.empty());
        }
    }
    int differing = 0;
    for (std::size_t slot = 0; slot < plain.document.keyboard->keys.size(); ++slot) {
        if (!(plain.document.keyboard->keys[slot] == glidepoint.document.keyboard->keys[slot])) ++differing;
    }
    EXPECT_EQ(differing, 3);
}

}  // namespace
}  // namespace kbxlayout
