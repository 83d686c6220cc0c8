// The alphanumeric models: legends, shifted rows, wide keys, removed keys,
// model 12's rows and model 4's blocks.

#include "editor/document/tests/catalogue_fixture.h"

namespace kbxdoc::testing {
namespace {

constexpr double kThird = 1.0 / 3.0;

struct KeyCase {
    std::string identifier;
    double left;
    double top;
    double width;
    std::string caption;
};

class AlphanumericLayout : public CatalogueDocument {
protected:
    void expectKeys(const std::vector<KeyCase>& cases) {
        for (const KeyCase& c : cases) {
            const KeyRecord* found = key(c.identifier);
            ASSERT_NE(found, nullptr) << c.identifier;
            EXPECT_DOUBLE_EQ(found->templateGeometry.left, c.left) << c.identifier;
            EXPECT_DOUBLE_EQ(found->templateGeometry.top, c.top) << c.identifier;
            EXPECT_DOUBLE_EQ(found->templateGeometry.width, c.width) << c.identifier;
            EXPECT_EQ(found->templateGeometry.height, 13) << c.identifier;
            EXPECT_EQ(found->current, found->templateGeometry) << c.identifier;
            EXPECT_EQ(found->caption, c.caption) << c.identifier;
        }
    }
    void expectRemoved(const std::vector<std::string>& identifiers) {
        for (const std::string& identifier : identifiers) {
            EXPECT_EQ(key(identifier), nullptr) << identifier;
            const KeyRecord* slot = keyAt(context, std::stoi(identifier.substr(1)) - 1, identifier[0] - 'A');
            ASSERT_NE(slot, nullptr) << identifier;
            EXPECT_EQ(slot->current, Rect{}) << identifier;
            EXPECT_EQ(slot->layers[0].attributes & kAttributeFieldsMask, kAllFollowLayer) << identifier;
        }
    }
    void expectShape(double width, double height) {
        EXPECT_EQ(keyboard->capWidth, 13);
        EXPECT_EQ(keyboard->capHeight, 13);
        EXPECT_EQ(keyboard->capSurroundX, 3.0);
        EXPECT_EQ(keyboard->capSurroundY, 3.0);
        EXPECT_EQ(keyboard->captionDefaults.fontHeight, 6.5);
        EXPECT_EQ(keyboard->width, width);
        EXPECT_EQ(keyboard->height, height);
    }
};

// Rows E to A of models 5 and 8, top 60 to 136.
const std::vector<KeyCase> kTypingBlock{
    {"E01", 3, 60, 13, R"(~\line\\)"},
    {"E02", 22, 60, 13, R"(!\line1)"},
    {"E13", 231, 60, 13, R"(+\line=)"},
    {"E14", 250, 60, 32, "BackSpace"},
    {"E15", 269, 60, 13, ""},
    {"D01", 7.75, 79, 17.75, "Tab"},
    {"D02", 31.5, 79, 13, "Q"},
    {"D12", 221.5, 79, 13, R"(\{\line[)"},
    {"D14", 264.375, 79, 17.75, R"(\|\line\\)"},
    {"D15", 288, 79, 13, ""},
    {"C01", 7.75, 98, 17.75, R"(Caps\lineLock)"},
    {"C02", 36.25, 98, 13, "A"},
    {"C12", 226.25, 98, 13, R"(\"\line')"},
    {"C13", 245.25, 98, 36.75, "Enter"},
    {"C15", 288, 98, 13, ""},
    {"B01", 3, 117, 36.75, "Shift"},
    {"B02", 26.75, 117, 13, ""},
    {"B03", 45.75, 117, 13, "Z"},
    {"B13", 240.5, 117, 36.75, "Shift"},
    {"B15", 288, 117, 13, ""},
    {"A01", 7.75, 136, 17.75, "Ctrl"},
    {"A02", 50.5, 136, 17.75, "Alt"},
    {"A03", 88.5, 136, 108, " "},
    {"A04", 216.75, 136, 17.75, "Alt"},
    {"A05", 259.5, 136, 17.75, "Ctrl"},
    {"A06", 288, 136, 13, ""},
};
const std::vector<std::string> kTypingBlockRemoved{"A07", "A10", "A16", "D16", "C16", "B16"};

TEST_F(AlphanumericLayout, ModelsFiveAndEightHaveTheTypingBlockBelowThreeEmptyRows) {
    for (int model : {5, 8}) {
        SCOPED_TRACE(model);
        layOut(model);
        EXPECT_EQ(placedKeys(), 8 * 16 - 10 - 3);
        expectShape(304, 152);
        expectKeys(kTypingBlock);
        expectKeys({{"H01", 3, 3, 13, ""}, {"G16", 288, 22, 13, ""}, {"F16", 288, 41, 13, ""}});
        expectRemoved(kTypingBlockRemoved);
    }
}

TEST_F(AlphanumericLayout, ModelTwelveHasTheTypingBlockAboveTheEmptyRows) {
    layOut(12);
    EXPECT_EQ(placedKeys(), 8 * 16 - 10 - 3);
    expectShape(304, 152);
    for (const auto& [row, top] : std::vector<std::pair<char, double>>{
             {'H', 136}, {'G', 117}, {'F', 98}, {'E', 79}, {'D', 3}, {'C', 22}, {'B', 41}, {'A', 60}}) {
        const KeyRecord* found = key(std::string(1, row) + "03");
        ASSERT_NE(found, nullptr) << row;
        EXPECT_EQ(found->templateGeometry.top, top) << row;
    }
    EXPECT_EQ(key("D01")->caption, "Tab");
    EXPECT_EQ(key("A03")->templateGeometry.width, 108);
    expectRemoved(kTypingBlockRemoved);
}

TEST_F(AlphanumericLayout, ModelFourSplitsItsRowsIntoBlocksWithANumericBlock) {
    layOut(4);
    EXPECT_EQ(placedKeys(), 6 * 23 - 10 - 3);
    expectShape(475, 133);
    const double lower = 19 * kThird;  // rows below the function row
    expectKeys({
        {"F01", 3, 3, 13, ""},
        {"F15", 269, 3, 13, ""},
        {"F16", 285 + 28 * kThird, 3, 13, ""},
        {"F19", 342 + 47 * kThird, 3, 13, ""},
        {"F22", 421, 3, 13, ""},
        {"F23", 440, 3, 13, ""},
        {"E01", 3, 22 + lower, 13, R"(~\line\\)"},
        {"E14", 250, 22 + lower, 32, "BackSpace"},
        {"E16", 285 + 28 * kThird, 22 + lower, 13, ""},
        {"D01", 7.75, 41 + lower, 17.75, "Tab"},
        {"D14", 264.375, 41 + lower, 17.75, R"(\|\line\\)"},
        {"D15", 285 + 28 * kThird, 41 + lower, 13, ""},
        {"D18", 342 + 47 * kThird, 41 + lower, 13, "7"},
        {"D20", 380 + 47 * kThird, 41 + lower, 13, "9"},
        {"D22", 440, 41 + lower, 13, ""},
        {"C13", 245.25, 60 + lower, 36.75, "Enter"},
        {"C19", 361 + 47 * kThird, 60 + lower, 13, "5"},
        {"B13", 240.5, 79 + lower, 36.75, "Shift"},
        {"B18", 342 + 47 * kThird, 79 + lower, 13, "1"},
        {"A01", 7.75, 98 + lower, 17.75, "Ctrl"},
        {"A03", 88.5, 98 + lower, 108, " "},
        {"A06", 285 + 28 * kThird, 98 + lower, 13, ""},
        {"A09", 342 + 47 * kThird, 98 + lower, 13, "0"},
        {"A10", 361 + 47 * kThird, 98 + lower, 13, "00"},
        {"A11", 380 + 47 * kThird, 98 + lower, 13, "."},
        {"A12", 421, 98 + lower, 13, ""},
        {"A13", 440, 98 + lower, 13, ""},
    });
    expectRemoved({"A14", "A23", "D23", "C23", "B23"});
    EXPECT_NE(key("D16"), nullptr);  // column 15 stays in model 4
}

TEST_F(AlphanumericLayout, ALegendTheUserWroteSurvivesAnotherLayout) {
    layOut(5);
    key("D02")->caption = "Menu";
    key("D03")->caption.clear();
    layOut(5);
    EXPECT_EQ(key("D02")->caption, "Menu");
    EXPECT_EQ(key("D03")->caption, "W");
}

TEST_F(AlphanumericLayout, SwitchingToAGridModelKeepsThePositionsLegends) {
    layOut(5);
    layOut(0);
    EXPECT_EQ(key("D02")->caption, "Q");
    EXPECT_EQ(key("D02")->templateGeometry.width, 12);
    EXPECT_EQ(placedKeys(), 12 * 7);
}

}  // namespace
}  // namespace kbxdoc::testing
