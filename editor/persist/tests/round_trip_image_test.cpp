#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "compiler/driver.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/tests/persist_fixture.h"
#include "tests/support/files.h"

// A layout read and written again compiles to the same keyboard image, and a
// document written, read and written again gives the same bytes with every
// caption and text as it was typed.

namespace kbxdoc::testing {
namespace {

struct Compiled {
    int result = -1;
    std::string image;
    std::string log;
};

Compiled compileText(const std::string& source) {
    kbxtest::TempDir dir;
    kbxtest::writeFile(dir / "layout.kbf", source);
    const std::string image = (dir / "layout.kbx").string();
    const std::string log = (dir / "layout.TXT").string();
    Compiled compiled;
    compiled.result = kbxcCompileLayout((dir / "layout.kbf").string().c_str(), image.c_str(), log.c_str(), nullptr);
    compiled.log = kbxtest::readFile(log);
    if (std::filesystem::exists(image)) compiled.image = kbxtest::readFile(image);
    return compiled;
}

std::string rewritten(const std::string& source) {
    PersistDocument doc;
    persist::readLayoutText(doc.context, source);
    return doc.text();
}

// The original and what the editor writes of it compile alike, byte for
// byte, or fail alike; writing that again changes nothing.
void expectSameImage(const std::string& source, const std::string& name) {
    const std::string once = rewritten(source);
    const Compiled original = compileText(source);
    const Compiled copy = compileText(once);
    EXPECT_EQ(copy.result, original.result) << name << "\n" << original.log << "\n" << copy.log << "\n" << once;
    EXPECT_TRUE(copy.image == original.image) << name << "\n" << once;
    EXPECT_EQ(rewritten(once), once) << name;
}

TEST(RoundTripImage, TheExampleAndEveryTemplate) {
    const std::filesystem::path data = std::filesystem::path(KBX_SOURCE_DIR) / "data";
    const std::string example = kbxtest::readFile(data / "examples" / "bakery.kbf");
    ASSERT_EQ(compileText(example).result, 0);
    expectSameImage(example, "bakery.kbf");
    int templates = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(data / "LAY")) {
        if (entry.path().extension() != ".kbf") continue;
        expectSameImage(kbxtest::readFile(entry.path()), entry.path().filename().string());
        ++templates;
    }
    EXPECT_EQ(templates, 184);
}

// The keyboard-wide lines as the editor writes them, so that the lines
// after them are what the cases are about.
constexpr char kSettings[] =
    "VERSION  LAYOMAT 1.8\r\nINTERFACE AT\r\nSOUND 33,40,100,400\r\nRATE 20,500,DEFAULT\r\n"
    "HOTKEY0 : \"{EMPTY}\"\r\nHOTKEY1 : \"{EMPTY}\"\r\nMODE +BA1-IEK\r\nMSR : \"\"\r\n";

TEST(RoundTripImage, HandWrittenLinesKeepTheirMeaning) {
    const std::string source = std::string("TYPE KESPW/X\r\nLANGUAGE GR\r\n") + kSettings +
                               "DEFINE /K\r\n"
                               "A01-C-S-A-L/P: \"clicks\"\r\n"
                               "A02-C-S-A-L/P \"no colon\"\r\n"
                               "a03 -c -s -a -l /p : \"lower\" ! note\r\n"
                               "A04-C-S-A: \"no L\"\r\n"
                               "A05-C-S-A-L: \"a\" %13 \"b\"\r\n"
                               "A06-C-S-A-L/C: \"{CR}\"\r\n"
                               "A07-C-S-A-L: \"C:\\\"\r\n"
                               "DEFINE +NL/A\r\n"
                               "A08-C-S-A-L: \"numlock\"\r\n"
                               "A09-C-S-A-L: \"{KEY-LEFT}\"\r\n"
                               "DEF\r\n"
                               "BASE H\r\n"
                               "A10-C-S-A-L: #41 #0DH\r\n"
                               "A11-C-S-A-L/M: \"layer without make/break\"\r\n"
                               "A12-C-S-A-L: \"Sa\\\"g\\\" \\\\ ok\"\r\n";
    ASSERT_EQ(compileText(source).result, 0) << compileText(source).log;
    expectSameImage(source, "hand-written");
    expectSameImage(std::string("TYPE SORN\r\nLANGUAGE US\r\n") + kSettings + "A01: \"x\"\r\nG05+S: \"y\"\r\n",
                    "TYPE SORN");
    // A second line for the same key and conditions stays the compiler's error.
    expectSameImage(std::string("TYPE KESPW/X\r\nLANGUAGE US\r\n") + kSettings +
                        "MODE -MSR+GCA-T1,+MCO-T2\r\nMSR N2,: \"x\"\r\nMODE -T3+M3\r\nA01-C-S-A-L: \"{F1}ab\"\r\n",
                    "mode switches");
    expectSameImage("TYPE KESPW/X\r\nKBID GR\r\nA01-C-S-A-L: \"yz\"\r\nHOTKEY0 +A: \"{F12}\"\r\n", "KBID, hot key");
    expectSameImage("TYPE KESPW/X\r\nHOTKEY1 : \"{EMPTY}\"\r\nA01-C-S-A-L: \"a\"\r\n", "one hot key");
    for (const char* interface : {"INTERFACE COM", "INTERFACE COM:19200", "interface com : 4800 , e", "INTERFACE USB"})
        expectSameImage(std::string("TYPE KESPW/X\r\n") + interface + "\r\nA01-C-S-A-L: \"a\"\r\n", interface);
    // A bare LANGUAGE is refused by the compiler; what the editor writes of it
    // compiles to the language the compiler kept.
    const std::string bare = rewritten("TYPE KESPW/X\r\nLANGUAGE\r\nA01-C-S-A-L: \"a\"\r\n");
    const Compiled bareCopy = compileText(bare);
    EXPECT_EQ(bareCopy.result, 0) << bareCopy.log;
    EXPECT_EQ(bareCopy.image.substr(4, 1), compileText("TYPE KESPW/X\r\nA01-C-S-A-L: \"a\"\r\n").image.substr(4, 1));
    // Statements a file has none of keep the compiler's defaults.
    expectSameImage("A01-C-S-A-L: \"ok\"\r\n", "no statements");
    expectSameImage("TYPE MIRK\r\nRATE 10,250,F\r\nA01-C-S-A-L: \"ok\"\r\n", "few statements");
    const std::string twice = std::string("TYPE KESPW/X\r\n") + "A12: \"twice\"\r\nA12: \"again\"\r\n";
    EXPECT_NE(compileText(rewritten(twice)).log.find("multiple keyassignment"), std::string::npos);
}

TEST(RoundTripImage, TheSeventeenthConditionSetChangesNoLayer) {
    std::string source = std::string("TYPE KESPW/X\r\nLANGUAGE US,C\r\n") + kSettings;
    // Ten more layers fill the table, then a seventeenth set of conditions.
    const char* sets[] = {"+SL", "+NL", "+CL", "+SL+NL", "+SL+CL", "+NL+CL", "+SL+NL+CL", "+A+C", "+A+S", "+C+S"};
    for (const char* set : sets) source += std::string("!@KEYLAYER:x\r\nA01") + set + ": \"x\"\r\n";
    source += "A02+C+S/K: \"fifteen\"\r\n!@KEYATTRIB:A02 00000AA9\r\n";
    source += "A02+A+S+C/P: \"seventeenth\"\r\n!@KEYATTRIB:A02 00000015\r\n";
    PersistDocument doc;
    persist::readLayoutText(doc.context, source);
    EXPECT_EQ(doc.key("A02").layers[15].programming, "fifteen");
    EXPECT_EQ(doc.key("A02").layers[15].attributes, 0x0AA9u);
    expectSameImage(source, "seventeen");
}

// Documents as the editor makes them: captions of every character, texts
// with quotes, backslashes and tokens, many layers, module keys.
class DocumentMaker {
public:
    explicit DocumentMaker(unsigned seed) : random_(seed) {}

    std::string caption() {
        std::string text;
        const std::size_t length = pick(0, 511);
        while (text.size() < length) {
            switch (pick(0, 6)) {
                case 0: text += '"'; break;
                case 1: text += '\\'; break;
                case 2: text += "\\line"; break;
                default: text += static_cast<char>(pick(0x20, 0xFF));
            }
        }
        text.resize(std::min(text.size(), std::size_t{511}));
        // A backslash alone at the end starts no code; the caption editor refuses it.
        std::size_t backslashes = 0;
        while (backslashes < text.size() && text[text.size() - 1 - backslashes] == '\\') ++backslashes;
        if (backslashes % 2 == 1) text.back() = 'x';
        return text;
    }

    // Long texts on layers with make/break, where a character is one byte;
    // a national character the US keyboard lacks is typed with an Alt code
    // of eight bytes, so such a text holds only a few.
    std::string programming(bool makeBreak) {
        static const std::vector<std::string> pieces{
            "a", "Z", "7", " ", "\"", "\\\"", "\\\\", "\\{", "\\}", "\\+", "{F1}", "{Enter}", ",", "!", "#", "%",
        };
        static const std::vector<std::string> national{"\xE4", "\xDF"};
        std::string text;
        const std::size_t length = makeBreak ? pick(1, kMaxEditedProgramming) : pick(1, 40);
        int nationalLeft = 3;
        while (text.size() < length) {
            const bool takeNational = nationalLeft > 0 && pick(0, 19) == 0;
            const std::string& piece = takeNational ? national[pick(0, 1)] : pieces[pick(0, pieces.size() - 1)];
            if (text.size() + piece.size() > length) break;
            text += piece;
            if (takeNational) --nationalLeft;
        }
        if (text.empty()) text = "a";
        return text;
    }

    void fill(PersistDocument& doc) {
        doc.keyboard->memoryText = "8000";
        std::set<std::uint32_t> used;
        for (const LayerDefinition& layer : doc.layers) {
            if (!layer.name.empty()) used.insert(layer.conditions);
        }
        for (int index = 6; index < kLayerCount; ++index) {
            std::uint32_t conditions = 0;
            do {
                conditions = 0;
                for (int field = 0; field < 16; field += 2) conditions |= static_cast<std::uint32_t>(pick(0, 2)) << field;
            } while (!used.insert(conditions).second);
            LayerDefinition& layer = doc.layers[index];
            layer.name = "Layer" + std::to_string(index);
            layer.conditions = conditions;
            for (int field = 0; field < 12; field += 2) layer.defaultAttributes |= static_cast<std::uint32_t>(pick(0, 1)) << field;
        }
        for (int slot = 0; slot < kLastModuleSlot + 1; ++slot) {
            KeyRecord& key = doc.slot(slot);
            if (slot == kFirstModuleSlot || (slot < kFirstModuleSlot && key.templateGeometry.width == 0)) continue;
            if (slot < kFirstModuleSlot && pick(0, 3) == 0) key.caption = caption();
            for (int layer = 0; layer < kLayerCount; ++layer) {
                if (pick(0, 49) != 0) continue;  // the image fits the keyboard's memory
                LayerEntry& entry = key.layers[layer];
                const bool makeBreak = fieldValue(doc.layers[layer].defaultAttributes, kFieldMakeBreak) == persist::kFieldOn;
                entry.programming = programming(makeBreak);
                entry.attributes = 0;
                for (int field = 0; field < 12; field += 2) entry.attributes |= static_cast<std::uint32_t>(pick(0, 2)) << field;
            }
        }
    }

private:
    std::size_t pick(std::size_t low, std::size_t high) {
        return std::uniform_int_distribution<std::size_t>(low, high)(random_);
    }
    std::mt19937 random_;
};

TEST(RoundTripImage, GeneratedDocumentsReadBackAsTypedAndCompile) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        PersistDocument original;
        DocumentMaker(seed).fill(original);
        const std::string once = original.text();
        PersistDocument copy;
        copy.layers = original.layers;  // the layer table belongs to the application, not the file
        persist::readLayoutText(copy.context, once);
        EXPECT_EQ(copy.text(), once) << "seed " << seed;

        for (int slot = 0; slot <= kLastModuleSlot; ++slot) {
            EXPECT_EQ(copy.slot(slot).caption, original.slot(slot).caption) << "seed " << seed << " slot " << slot;
            for (int layer = 0; layer < kLayerCount; ++layer) {
                EXPECT_EQ(copy.slot(slot).layers[layer].programming, original.slot(slot).layers[layer].programming)
                    << "seed " << seed << " slot " << slot << " layer " << layer;
            }
        }
        EXPECT_EQ(copy.layers, original.layers) << "seed " << seed;
        const Compiled compiled = compileText(once);
        EXPECT_EQ(compiled.result, 0) << "seed " << seed << "\n" << compiled.log;
    }
}

}  // namespace
}  // namespace kbxdoc::testing
