// The model enumeration, the type keywords and the grid models' layouts.

#include <cmath>

#include "editor/document/tests/catalogue_fixture.h"

namespace kbxdoc::testing {
namespace {

TEST(ModelEnumeration, EveryIndexWritesItsTypeStatement) {
    const std::array<std::string_view, kModelCount> expected{
        "TYPE HASK", "TYPE JALMW/X", "TYPE KESPW/X", "TYPE LUMO", "TYPE ORSK",  "TYPE PELL",
        "TYPE GORM", "TYPE MIRK",    "TYPE NABE",    "TYPE DALO", "TYPE FENK",  "",
        "TYPE NABE2", "TYPE VELK",   "TYPE TARN"};
    for (int model = 0; model < kModelCount; ++model) {
        EXPECT_EQ(typeStatement(model), expected[static_cast<std::size_t>(model)]) << model;
        EXPECT_EQ(keyboardModels()[static_cast<std::size_t>(model)].index, model);
    }
    EXPECT_EQ(typeStatement(-1), "");
    EXPECT_EQ(typeStatement(15), "");
    EXPECT_EQ(findKeyboardModel(15), nullptr);
    EXPECT_EQ(findKeyboardModel(kModelWithoutLayout)->layout, LayoutKind::None);
}

TEST(TypeKeywords, EveryWrittenStatementReadsBackAsItsModel) {
    for (const KeyboardModel& model : keyboardModels()) {
        if (model.typeStatement.empty()) continue;
        EXPECT_EQ(modelForTypeKeyword(model.typeStatement.substr(5)), model.index) << model.typeStatement;
    }
}

TEST(TypeKeywords, MatchAsPrefixesWithTheLongerNabeFirst) {
    EXPECT_EQ(modelForTypeKeyword("NABE2"), 12);
    EXPECT_EQ(modelForTypeKeyword("NABE"), 8);
    EXPECT_EQ(modelForTypeKeyword("NABE3"), 8);
    EXPECT_EQ(modelForTypeKeyword("JALM"), 1);
    EXPECT_EQ(modelForTypeKeyword("KESPXYZ"), 2);
    EXPECT_EQ(modelForTypeKeyword("hask"), std::nullopt);
    EXPECT_EQ(modelForTypeKeyword(" HASK"), std::nullopt);
    EXPECT_EQ(modelForTypeKeyword(""), std::nullopt);
    EXPECT_EQ(modelForTypeKeyword("NAB"), std::nullopt);
}

struct GridCase {
    int model;
    int columns;
    int rows;
    double originLeft;
    double originTop;
    double cap;
    double surround;
    double fontHeight;
    double width;
    double height;
};

class GridLayout : public CatalogueDocument, public ::testing::WithParamInterface<GridCase> {};

TEST_P(GridLayout, PlacesEveryKeyOnTheGridWithTheModelsSizes) {
    const GridCase& c = GetParam();
    layOut(c.model);
    EXPECT_EQ(placedKeys(), c.columns * c.rows);
    EXPECT_EQ(keyboard->width, c.width);
    EXPECT_EQ(keyboard->height, c.height);
    EXPECT_EQ(keyboard->capWidth, c.cap);
    EXPECT_EQ(keyboard->capHeight, c.cap);
    EXPECT_EQ(keyboard->capSurroundX, c.surround);
    EXPECT_EQ(keyboard->capSurroundY, c.surround);
    EXPECT_DOUBLE_EQ(keyboard->captionDefaults.fontHeight, c.fontHeight);
    EXPECT_EQ(keyboard->pitchX, 19);
    EXPECT_EQ(keyboard->pitchY, 19);

    // The top-left key carries the top row's letter, the bottom-right one row A.
    const std::string topLeft = std::string(1, static_cast<char>('A' + c.rows - 1)) + "01";
    char bottomRight[8];
    std::snprintf(bottomRight, sizeof bottomRight, "A%02d", c.columns);
    const KeyRecord* first = key(topLeft);
    const KeyRecord* last = key(bottomRight);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(first->templateGeometry, (Rect{c.originLeft, c.originTop, c.cap, c.cap}));
    EXPECT_EQ(last->templateGeometry,
              (Rect{c.originLeft + 19.0 * (c.columns - 1), c.originTop + 19.0 * (c.rows - 1), c.cap, c.cap}));
    EXPECT_EQ(last->current, last->templateGeometry);
    EXPECT_EQ(key(std::string(1, static_cast<char>('A' + c.rows)) + "01"), nullptr);

    for (const KeyRecord& placed : keyboard->keys) {
        if (placed.templateGeometry.width == 0) continue;
        EXPECT_EQ(placed.captionSize, 80u) << identifierOf(placed);
        EXPECT_EQ(placed.caption, "") << identifierOf(placed);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryGridModel, GridLayout,
                         ::testing::Values(GridCase{0, 12, 7, 33.5, 33.5, 12, 3.5, 4.0, 288, 188},
                                           GridCase{1, 17, 7, 33.5, 33.5, 12, 3.5, 4.0, 383, 188},
                                           GridCase{2, 16, 8, 33.5, 33.5, 12, 3.5, 4.0, 364, 207},
                                           GridCase{7, 16, 8, 33.5, 33.5, 12, 3.5, 4.0, 364, 207},
                                           GridCase{3, 16, 8, 5, 8, 19, 0, 19.0 / 3, 314, 168},
                                           GridCase{6, 16, 5, 33.5, 33.5, 12, 3.5, 4.0, 364, 150},
                                           GridCase{9, 5, 5, 13.5, 13.5, 12, 3.5, 4.0, 115, 115},
                                           GridCase{10, 5, 7, 13.5, 13.5, 12, 3.5, 4.0, 115, 153},
                                           GridCase{13, 20, 7, 33.5, 33.5, 12, 3.5, 4.0, 440, 207},
                                           GridCase{14, 21, 7, 33.5, 33.5, 12, 3.5, 4.0, 459, 207}));

TEST_F(CatalogueDocument, GridRowsAreLetteredFromTheBottom) {
    layOut(0);
    const KeyRecord* g12 = key("G12");
    ASSERT_NE(g12, nullptr);
    EXPECT_EQ(g12->column, 11);
    EXPECT_EQ(g12->row, 6);
    EXPECT_EQ(g12->templateGeometry.left, 33.5 + 19 * 11);
    EXPECT_EQ(g12->templateGeometry.top, 33.5);
    EXPECT_EQ(key("D05")->templateGeometry.top, 33.5 + 19 * 3);
}

TEST_F(CatalogueDocument, LayoutSetsTheCaptionDefaults) {
    keyboard->captionDefaults.leftMargin = 7;
    keyboard->captionDefaults.topMargin = 7;
    keyboard->captionDefaults.textColour = 1;
    keyboard->captionDefaults.keyColour = 1;
    layOut(9);
    EXPECT_EQ(keyboard->captionDefaults.leftMargin, 1.0);
    EXPECT_EQ(keyboard->captionDefaults.topMargin, 0.0);
    EXPECT_EQ(keyboard->captionDefaults.textColour, 0x0000FFu);
    EXPECT_EQ(keyboard->captionDefaults.keyColour, 0xFFFFFFu);
}

}  // namespace
}  // namespace kbxdoc::testing
