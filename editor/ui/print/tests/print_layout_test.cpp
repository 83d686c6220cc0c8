// The layout passes of printing: where every key goes, on which page, and
// how large the whole print is.

#include "editor/ui/print/print_layout.h"

#include <set>

#include <gtest/gtest.h>

#include "editor/ui/print/tests/print_keyboard.h"

namespace keyui::print {
namespace {

using testing::PrintKeyboard;

constexpr double kPortraitWidth = 200;  // printable A4 with 5 mm margins
constexpr double kPortraitHeight = 287;
constexpr int kTarn = 14;  // 459 mm wide

LayoutPass layOut(PrintKeyboard& board, std::uint8_t options, PrintMode mode, double width = kPortraitWidth,
                  double height = kPortraitHeight) {
    return layOutPrint(*board.keyboard, board.selection.get(), options, mode, width, height);
}

std::set<int> slotsOf(const LayoutPass& pass, int page = 0) {
    std::set<int> slots;
    for (const PlacedKey& k : pass.keys) {
        if (page == 0 || k.page == page) slots.insert(k.slot);
    }
    return slots;
}

std::set<int> keyboardSlots(PrintKeyboard& board) {
    std::set<int> slots;
    for (int slot = 0; slot <= kbxdoc::kLastModuleSlot; ++slot) {
        if (board.key(slot).current.width != 0) slots.insert(slot);
    }
    return slots;
}

TEST(PrintTemplate, AWideKeyboardContinuesOnPagesStartingFiveMillimetresBeforeThePreviousRightEdge) {
    PrintKeyboard board;
    board.layOutModel(kTarn);
    const double landscape = kPortraitHeight;
    const LayoutPass pass = layOut(board, 0, PrintMode::KeyboardTemplate, landscape, kPortraitWidth);
    ASSERT_EQ(pass.pageCount, 2);
    for (const PlacedKey& k : pass.keys) {
        const kbxdoc::Rect& r = board.key(k.slot).current;
        EXPECT_DOUBLE_EQ(k.leftMm, r.left - (k.page - 1) * (landscape - 5)) << k.slot;
    }
    for (int slot : keyboardSlots(board)) {
        const kbxdoc::Rect& r = board.key(slot).current;
        EXPECT_EQ(slotsOf(pass, 1).count(slot) == 1, r.left < landscape) << slot;
        EXPECT_EQ(slotsOf(pass, 2).count(slot) == 1, r.left + r.width > landscape - 5) << slot;
    }
    // Too wide for two portrait pages: a third one instead of lost keys.
    const LayoutPass portrait = layOut(board, 0, PrintMode::KeyboardTemplate);
    EXPECT_EQ(portrait.pageCount, 3);
    EXPECT_FALSE(slotsOf(portrait, 3).empty());
}

TEST(PrintTemplate, ExtentsReachThreeMillimetresBeyondTheKeysAndTheCutLineFramesThem) {
    PrintKeyboard board;
    board.clearKeys();
    board.addKey(4, {10, 20, 30, 15});
    board.addKey(190, {50, 5, 12, 60});  // module keys print in the template
    const LayoutPass pass = layOut(board, kPrintCutLines, PrintMode::KeyboardTemplate);
    EXPECT_EQ(pass.pageCount, 1);
    EXPECT_DOUBLE_EQ(pass.extentWidthMm, 65);
    EXPECT_DOUBLE_EQ(pass.extentHeightMm, 68);
    EXPECT_EQ(pass.keys.front().slot, 190);  // drawn from slot 199 down
    ASSERT_TRUE(pass.cutLines.has_value());
    EXPECT_EQ((std::array{pass.cutLines->left, pass.cutLines->top, pass.cutLines->right, pass.cutLines->bottom}),
              (std::array{10.0, 5.0, 62.0, 65.0}));
    EXPECT_FALSE(layOut(board, 0, PrintMode::KeyboardTemplate).cutLines.has_value());
}

TEST(PrintLayout, SelectedOnlyPlacesTheSelectedKeysAndNothingSelectedPrintsNoPage) {
    PrintKeyboard board;
    board.clearKeys();
    for (int slot : {1, 2, 3, 186}) board.addKey(slot, {slot * 15.0, 0, 12, 12});
    for (PrintMode mode : {PrintMode::KeyboardTemplate, PrintMode::SortedBySize}) {
        EXPECT_EQ(layOut(board, kPrintSelectedOnly, mode).pageCount, 0);
    }
    for (int slot : {2, 186}) board.select(slot);
    EXPECT_EQ(slotsOf(layOut(board, kPrintSelectedOnly, PrintMode::KeyboardTemplate)), (std::set<int>{2, 186}));
    // The sorted sheet holds the cut-out caps of slots 0-184 only.
    const LayoutPass sorted = layOut(board, kPrintSelectedOnly, PrintMode::SortedBySize);
    EXPECT_EQ(slotsOf(sorted), (std::set<int>{2}));
    EXPECT_DOUBLE_EQ(sorted.keys[0].leftMm, 0);
}

class SortedSheet : public ::testing::Test {
protected:
    void SetUp() override { board.clearKeys(); }
    std::vector<int> order(const LayoutPass& pass) const {
        std::vector<int> slots;
        for (const PlacedKey& k : pass.keys) slots.push_back(k.slot);
        return slots;
    }
    PrintKeyboard board;
};

TEST_F(SortedSheet, TwentyCaptionedKeysFormOneRunAndTheFiveWithoutCaptionFollowOnlyWhenAskedFor) {
    std::set<int> uncaptioned;
    for (int i = 0; i < 25; ++i) {
        const int slot = 3 + i * 7;
        board.addKey(slot, {double(i), 0, 12, 12}, i % 5 == 2 ? "" : "Nr");
        if (i % 5 == 2) uncaptioned.insert(slot);
    }
    const double width = 50;  // four columns of 12 mm
    LayoutPass pass = layOut(board, 0, PrintMode::SortedBySize, width);
    ASSERT_EQ(pass.keys.size(), 20u);
    for (std::size_t i = 0; i < pass.keys.size(); ++i) {
        EXPECT_EQ(uncaptioned.count(pass.keys[i].slot), 0u);
        EXPECT_DOUBLE_EQ(pass.keys[i].leftMm, double(i % 4) * 12) << i;
        EXPECT_DOUBLE_EQ(pass.keys[i].topMm, double(i / 4) * 12) << i;
    }
    EXPECT_DOUBLE_EQ(pass.extentHeightMm, 0.5 + 5 * 12);

    pass = layOut(board, kPrintUnusedKeys, PrintMode::SortedBySize, width);
    ASSERT_EQ(pass.keys.size(), 25u);
    const std::vector<int> slots = order(pass);
    EXPECT_EQ(std::set<int>(slots.begin() + 20, slots.end()), uncaptioned);
    EXPECT_DOUBLE_EQ(pass.keys[20].leftMm, 0);  // a row of their own
    EXPECT_DOUBLE_EQ(pass.keys[20].topMm, 5 * 12);
}

// With the frame and the surround, every cap's drawn rectangle (its face
// grown by the surround and the frame's line) stays inside the page and off
// its neighbours.
TEST_F(SortedSheet, FramedCapsWithTheirSurroundNeitherOverlapNorCrossThePageEdge) {
    board.keyboard->capSurroundX = 3;
    board.keyboard->capSurroundY = 2;
    for (int i = 0; i < 30; ++i) board.addKey(i, {double(i), 0, i < 20 ? 12.0 : 24.0, 12}, "Nr");
    const double width = 80;
    const double height = 60;
    const LayoutPass pass = layOut(board, kPrintKeyBorder | kPrintKeySurround, PrintMode::SortedBySize, width, height);
    ASSERT_EQ(pass.keys.size(), 30u);
    struct Drawn {
        int page;
        double left, top, right, bottom;
    };
    std::vector<Drawn> drawn;
    for (const PlacedKey& k : pass.keys) {
        const kbxdoc::Rect& face = board.key(k.slot).current;
        const double x = 3 + kFrameAllowanceMm;
        const double y = 2 + kFrameAllowanceMm;
        drawn.push_back({k.page, k.leftMm - x, k.topMm - y, k.leftMm + face.width + x, k.topMm + face.height + y});
    }
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_GE(drawn[i].left, 0) << i;
        EXPECT_GE(drawn[i].top, 0) << i;
        EXPECT_LE(drawn[i].right, width) << i;
        EXPECT_LE(drawn[i].bottom, height) << i;
        for (std::size_t j = i + 1; j < drawn.size(); ++j) {
            if (drawn[i].page != drawn[j].page) continue;
            const bool apart = drawn[i].right <= drawn[j].left + 1e-9 || drawn[j].right <= drawn[i].left + 1e-9 ||
                               drawn[i].bottom <= drawn[j].top + 1e-9 || drawn[j].bottom <= drawn[i].top + 1e-9;
            EXPECT_TRUE(apart) << i << " and " << j;
        }
    }
}

TEST_F(SortedSheet, KeysGoByWidthThenHeightWithCaptionedOnesFirst) {
    board.addKey(0, {0, 0, 24, 12}, "wide");
    board.addKey(1, {0, 0, 12, 24}, "tall");
    board.addKey(2, {0, 0, 12, 12}, "");
    board.addKey(3, {0, 0, 12, 12}, "small");
    board.addKey(4, {0, 0, 6, 30}, "narrow");
    board.addKey(5, {0, 0, 0, 0}, "free slot");  // no cap to print
    EXPECT_EQ(order(layOut(board, kPrintUnusedKeys, PrintMode::SortedBySize)), (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST_F(SortedSheet, TheCuttingDistanceMakesEveryCellOneMillimetreWiderAndHigher) {
    for (int slot = 0; slot < 6; ++slot) board.addKey(slot, {0, 0, 15, 10});
    const LayoutPass tight = layOut(board, 0, PrintMode::SortedBySize, 50);
    const LayoutPass apart = layOut(board, kPrintCuttingDistance, PrintMode::SortedBySize, 50);
    EXPECT_DOUBLE_EQ(tight.keys[2].leftMm, 30);
    EXPECT_DOUBLE_EQ(apart.keys[2].leftMm, 32);
    EXPECT_DOUBLE_EQ(tight.keys[3].topMm, 10);
    EXPECT_DOUBLE_EQ(apart.keys[3].topMm, 11);
    EXPECT_DOUBLE_EQ(apart.extentHeightMm, 0.5 + 22);
}

TEST_F(SortedSheet, ARowThatWouldPassThePageBottomStartsANewPage) {
    for (int slot = 0; slot < 7; ++slot) board.addKey(slot, {0, 0, 30, 40});
    board.addKey(50, {0, 0, 40, 40});
    board.addKey(60, {0, 0, 60, 150});  // taller than a page: a page of its own, and no more
    const LayoutPass pass = layOut(board, 0, PrintMode::SortedBySize, 70, 100);
    ASSERT_EQ(pass.pageCount, 4);
    std::vector<std::pair<int, double>> places;
    for (const PlacedKey& k : pass.keys) places.emplace_back(k.page, k.topMm);
    EXPECT_EQ(places, (std::vector<std::pair<int, double>>{
                          {1, 0}, {1, 0}, {1, 40}, {1, 40}, {2, 0}, {2, 0}, {2, 40}, {3, 0}, {4, 0}}));
    EXPECT_DOUBLE_EQ(pass.extentHeightMm, 0.5 + 80 + 80 + 40 + 150);
}

TEST(PrintPreparation, ScaleToPageFitsTheWholeTemplateOrSheetOnOnePage) {
    PrintKeyboard board;
    board.layOutModel(kTarn);
    constexpr double kPage = 100;
    const PrinterMetrics small{kPage, kPage, 10, 10};
    for (PrintMode mode : {PrintMode::KeyboardTemplate, PrintMode::SortedBySize}) {
        const PrintLayout unscaled = preparePrint(*board.keyboard, nullptr, kPrintUnusedKeys, mode, small);
        ASSERT_GT(unscaled.lastPage, 1);
        const PrintLayout layout =
            preparePrint(*board.keyboard, nullptr, kPrintUnusedKeys | kPrintScaleToPage, mode, small);
        EXPECT_EQ(layout.lastPage, 1);
        const double factor =
            std::min(kPage / unscaled.pass.extentWidthMm, kPage / unscaled.pass.extentHeightMm);
        EXPECT_DOUBLE_EQ(layout.metrics.pixelsPerMmX, 10 * factor);
        EXPECT_DOUBLE_EQ(layout.metrics.pixelsPerMmY, 10 * factor);
        EXPECT_EQ(slotsOf(layout.pass), keyboardSlots(board));
        for (const PlacedKey& k : layout.pass.keys) {
            const kbxdoc::Rect& r = board.key(k.slot).current;
            EXPECT_LE((k.leftMm + r.width) * layout.metrics.pixelsPerMmX, kPage * 10) << k.slot;
            EXPECT_LE((k.topMm + r.height) * layout.metrics.pixelsPerMmY, kPage * 10) << k.slot;
        }
    }
}

}  // namespace
}  // namespace keyui::print
