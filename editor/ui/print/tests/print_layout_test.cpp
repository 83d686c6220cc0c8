// The layout passes of printing: where every key goes, on which page, and
// how large the whole print is.

#include "editor/ui/print/print_layout.h"

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "editor/ui/print/tests/print_keyboard.h"

namespace keyui::print {
namespace {

using testing::PrintKeyboard;

constexpr double kPortraitWidth = 200;  // printable A4 with 5 mm margins
constexpr double kPortraitHeight = 287;
constexpr int kTarn = 14;

LayoutPass layOut(PrintKeyboard& board, std::uint8_t options, PrintMode mode, double width = kPortraitWidth,
                  double height = kPortraitHeight) {
    return layOutPrint(*board.keyboard, board.selection.get(), options, mode, width, height);
}

std::vector<PlacedKey> keysOnPage(const LayoutPass& pass, int page) {
    std::vector<PlacedKey> keys;
    std::copy_if(pass.keys.begin(), pass.keys.end(), std::back_inserter(keys),
                 [&](const PlacedKey& k) { return k.page == page; });
    return keys;
}

std::set<int> slotsOf(const std::vector<PlacedKey>& keys) {
    std::set<int> slots;
    for (const PlacedKey& k : keys) slots.insert(k.slot);
    return slots;
}

std::set<int> placedSlots(const kbxdoc::KeyboardData& keyboard) {
    std::set<int> slots;
    for (int slot = 0; slot <= kbxdoc::kLastModuleSlot; ++slot) {
        if (keyboard.keys[static_cast<std::size_t>(slot)].current.width != 0) slots.insert(slot);
    }
    return slots;
}

const PlacedKey* find(const std::vector<PlacedKey>& keys, int slot) {
    auto it = std::find_if(keys.begin(), keys.end(), [&](const PlacedKey& k) { return k.slot == slot; });
    return it == keys.end() ? nullptr : &*it;
}

TEST(PrintTemplate, AKeyboardWiderThanTheLandscapePageContinuesFiveMillimetresBeforeItsRightEdge) {
    PrintKeyboard board;
    board.layOutModel(kTarn);
    const double landscapeWidth = kPortraitHeight;
    const LayoutPass pass = layOut(board, 0, PrintMode::KeyboardTemplate, landscapeWidth, kPortraitWidth);
    ASSERT_EQ(pass.pageCount, 2);
    EXPECT_DOUBLE_EQ(pass.pageShiftMm, landscapeWidth - 5);

    // A key is drawn on page 2 at its own place seen from 5 mm before the
    // right edge of page 1; the two pages together hold every key.
    const std::vector<PlacedKey> second = keysOnPage(pass, 2);
    ASSERT_FALSE(second.empty());
    for (const PlacedKey& k : second) {
        EXPECT_DOUBLE_EQ(k.leftMm, board.key(k.slot).current.left - (landscapeWidth - 5)) << k.slot;
    }
    const std::set<int> first = slotsOf(keysOnPage(pass, 1));
    for (int slot : placedSlots(*board.keyboard)) {
        const kbxdoc::Rect& r = board.key(slot).current;
        EXPECT_EQ(first.count(slot) == 1, r.left < landscapeWidth) << slot;
        EXPECT_EQ(find(second, slot) != nullptr, r.left + r.width > landscapeWidth - 5) << slot;
    }
}

TEST(PrintTemplate, AKeyboardTooWideForTwoPagesGoesOnAsManyAsItNeeds) {
    PrintKeyboard board;
    board.layOutModel(kTarn);
    const LayoutPass pass = layOut(board, 0, PrintMode::KeyboardTemplate);
    EXPECT_GT(pass.extentWidthMm, 2 * kPortraitWidth - 5);
    ASSERT_EQ(pass.pageCount, 3);
    // The last page reaches beyond the right edge of the keyboard.
    EXPECT_GE(2 * pass.pageShiftMm + kPortraitWidth, pass.extentWidthMm - 3);
    std::set<int> onLastPage = slotsOf(keysOnPage(pass, 3));
    EXPECT_FALSE(onLastPage.empty());
    EXPECT_EQ(slotsOf(pass.keys), placedSlots(*board.keyboard));
}

TEST(PrintTemplate, ANarrowKeyboardFitsOnePageWithItsExtentsThreeMillimetresBeyondTheKeys) {
    PrintKeyboard board;
    board.clearKeys();
    board.addKey(4, {10, 20, 30, 15});
    board.addKey(9, {50, 5, 12, 60});
    const LayoutPass pass = layOut(board, kPrintCutLines, PrintMode::KeyboardTemplate);
    EXPECT_EQ(pass.pageCount, 1);
    EXPECT_DOUBLE_EQ(pass.extentWidthMm, 62 + 3);
    EXPECT_DOUBLE_EQ(pass.extentHeightMm, 65 + 3);
    EXPECT_EQ(slotsOf(pass.keys), (std::set<int>{4, 9}));
    // Drawn from slot 199 down.
    EXPECT_EQ(pass.keys.front().slot, 9);
    ASSERT_TRUE(pass.cutLines.has_value());
    EXPECT_DOUBLE_EQ(pass.cutLines->left, 10);
    EXPECT_DOUBLE_EQ(pass.cutLines->top, 5);
    EXPECT_DOUBLE_EQ(pass.cutLines->right, 62);
    EXPECT_DOUBLE_EQ(pass.cutLines->bottom, 65);

    EXPECT_FALSE(layOut(board, 0, PrintMode::KeyboardTemplate).cutLines.has_value());
}

TEST(PrintTemplate, SelectedOnlyDrawsTheSelectedKeysWithinTheWholeKeyboardsCutLines) {
    PrintKeyboard board;
    board.clearKeys();
    board.addKey(1, {0, 0, 20, 20});
    board.addKey(2, {30, 0, 20, 20});
    board.addKey(190, {60, 40, 20, 20});  // a module key prints too
    board.select(2);
    board.select(190);
    const auto options = static_cast<std::uint8_t>(kPrintSelectedOnly | kPrintCutLines);
    const LayoutPass pass = layOut(board, options, PrintMode::KeyboardTemplate);
    EXPECT_EQ(slotsOf(pass.keys), (std::set<int>{2, 190}));
    ASSERT_TRUE(pass.cutLines.has_value());
    EXPECT_DOUBLE_EQ(pass.cutLines->left, 0);
    EXPECT_DOUBLE_EQ(pass.cutLines->right, 80);
}

TEST(PrintLayout, NothingSelectedWithSelectedOnlyPrintsNoPageAndAnEmptyKeyboardOneEmptyPage) {
    PrintKeyboard board;
    board.clearKeys();
    board.addKey(1, {0, 0, 20, 20});
    for (PrintMode mode : {PrintMode::KeyboardTemplate, PrintMode::SortedBySize}) {
        EXPECT_EQ(layOut(board, kPrintSelectedOnly, mode).pageCount, 0);
    }
    board.keyboard->width = 0;
    for (PrintMode mode : {PrintMode::KeyboardTemplate, PrintMode::SortedBySize}) {
        const LayoutPass pass = layOut(board, kPrintCutLines, mode);
        EXPECT_EQ(pass.pageCount, 1);
        EXPECT_TRUE(pass.keys.empty());
        EXPECT_FALSE(pass.cutLines.has_value());
    }
}

class SortedSheet : public ::testing::Test {
protected:
    void SetUp() override { board.clearKeys(); }
    PrintKeyboard board;
};

TEST_F(SortedSheet, TwentyCaptionedKeysFormOneRunAndTheFiveUncaptionedOnesPrintOnlyWhenAskedFor) {
    // Slots mixed so that the sort, not the slot order, groups them.
    std::set<int> captioned;
    std::set<int> uncaptioned;
    for (int i = 0; i < 25; ++i) {
        const int slot = 3 + i * 7;
        const bool hasText = i % 5 != 2;
        board.addKey(slot, {double(i), 0, 12, 12}, hasText ? "Nr" : "");
        (hasText ? captioned : uncaptioned).insert(slot);
    }
    const double width = 50;  // four columns of 12 mm
    LayoutPass pass = layOut(board, 0, PrintMode::SortedBySize, width);
    ASSERT_EQ(pass.keys.size(), 20u);
    EXPECT_EQ(slotsOf(pass.keys), captioned);
    for (std::size_t i = 0; i < pass.keys.size(); ++i) {
        EXPECT_DOUBLE_EQ(pass.keys[i].leftMm, double(i % 4) * 12) << i;
        EXPECT_DOUBLE_EQ(pass.keys[i].topMm, double(i / 4) * 12) << i;
    }
    EXPECT_DOUBLE_EQ(pass.extentHeightMm, 0.5 + 5 * 12);
    EXPECT_DOUBLE_EQ(pass.extentWidthMm, 0.5 + 4 * 12);

    pass = layOut(board, kPrintUnusedKeys, PrintMode::SortedBySize, width);
    ASSERT_EQ(pass.keys.size(), 25u);
    const std::vector<PlacedKey> last(pass.keys.begin() + 20, pass.keys.end());
    EXPECT_EQ(slotsOf(last), uncaptioned);
    // Their run starts a row of its own below the twenty.
    EXPECT_DOUBLE_EQ(last[0].leftMm, 0);
    EXPECT_DOUBLE_EQ(last[0].topMm, 5 * 12);
    EXPECT_DOUBLE_EQ(last[4].topMm, 6 * 12);
}

TEST_F(SortedSheet, KeysAreSortedByWidthThenHeightWithCaptionedOnesFirst) {
    board.addKey(0, {0, 0, 24, 12}, "wide");
    board.addKey(1, {0, 0, 12, 24}, "tall");
    board.addKey(2, {0, 0, 12, 12}, "");
    board.addKey(3, {0, 0, 12, 12}, "small");
    board.addKey(4, {0, 0, 6, 30}, "narrow");
    const LayoutPass pass = layOut(board, kPrintUnusedKeys, PrintMode::SortedBySize);
    std::vector<int> order;
    for (const PlacedKey& k : pass.keys) order.push_back(k.slot);
    EXPECT_EQ(order, (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST_F(SortedSheet, TheCuttingDistanceMakesEveryCellOneMillimetreWiderAndHigher) {
    for (int slot = 0; slot < 6; ++slot) board.addKey(slot, {0, 0, 15, 10});
    const double width = 50;
    const LayoutPass tight = layOut(board, 0, PrintMode::SortedBySize, width);
    const LayoutPass apart = layOut(board, kPrintCuttingDistance, PrintMode::SortedBySize, width);
    ASSERT_EQ(apart.keys.size(), 6u);
    // Three columns both times (50 / 15 and 50 / 16).
    EXPECT_DOUBLE_EQ(tight.keys[2].leftMm, 30);
    EXPECT_DOUBLE_EQ(apart.keys[2].leftMm, 32);
    EXPECT_DOUBLE_EQ(tight.keys[3].topMm, 10);
    EXPECT_DOUBLE_EQ(apart.keys[3].topMm, 11);
    EXPECT_DOUBLE_EQ(apart.extentHeightMm, 0.5 + 22);

    // A cell just too wide for four columns once the distance is added.
    PrintKeyboard narrow;
    narrow.clearKeys();
    for (int slot = 0; slot < 4; ++slot) narrow.addKey(slot, {0, 0, 12.5, 10});
    EXPECT_EQ(layOut(narrow, 0, PrintMode::SortedBySize, width).keys[3].topMm, 0);
    EXPECT_EQ(layOut(narrow, kPrintCuttingDistance, PrintMode::SortedBySize, width).keys[3].topMm, 11);
}

TEST_F(SortedSheet, ARowThatWouldPassThePageBottomStartsANewPage) {
    for (int slot = 0; slot < 7; ++slot) board.addKey(slot, {0, 0, 30, 40});
    board.addKey(50, {0, 0, 40, 40});
    // Two columns of 30 mm, two rows of 40 mm per 100 mm page.
    const LayoutPass pass = layOut(board, 0, PrintMode::SortedBySize, 70, 100);
    ASSERT_EQ(pass.pageCount, 3);
    std::vector<int> pages;
    std::vector<double> tops;
    for (const PlacedKey& k : pass.keys) {
        pages.push_back(k.page);
        tops.push_back(k.topMm);
    }
    EXPECT_EQ(pages, (std::vector<int>{1, 1, 1, 1, 2, 2, 2, 3}));
    EXPECT_EQ(tops, (std::vector<double>{0, 0, 40, 40, 0, 0, 40, 0}));
    EXPECT_DOUBLE_EQ(pass.extentHeightMm, 0.5 + 80 + 80 + 40);
}

TEST_F(SortedSheet, AKeyTallerThanThePageStandsAloneInsteadOfOpeningEndlessPages) {
    board.addKey(0, {0, 0, 60, 150});
    board.addKey(1, {0, 0, 60, 150});
    board.addKey(2, {0, 0, 0, 0}, "free slot");
    const LayoutPass pass = layOut(board, kPrintUnusedKeys, PrintMode::SortedBySize, 100, 100);
    EXPECT_EQ(pass.pageCount, 2);
    EXPECT_EQ(slotsOf(pass.keys), (std::set<int>{0, 1}));
}

TEST_F(SortedSheet, SelectedOnlyListsJustTheSelectedOrdinaryKeys) {
    for (int slot = 0; slot < 5; ++slot) board.addKey(slot, {0, 0, 12, 12});
    board.addKey(186, {0, 0, 12, 12});  // module keys are no cap to cut out
    board.select(1);
    board.select(3);
    board.select(186);
    const LayoutPass pass = layOut(board, kPrintSelectedOnly, PrintMode::SortedBySize);
    EXPECT_EQ(slotsOf(pass.keys), (std::set<int>{1, 3}));
    EXPECT_DOUBLE_EQ(pass.keys[1].leftMm, 12);
}

TEST(PrintPreparation, PixelsPerMillimetreComeFromTheResolutionAndTheSizeFromThePrintableArea) {
    const PrinterMetrics metrics = printerMetrics(4800, 6600, 600, 300);
    EXPECT_DOUBLE_EQ(metrics.pixelsPerMmX, 600 * 0.03937007874015748);
    EXPECT_DOUBLE_EQ(metrics.pixelsPerMmY, 300 * 0.03937007874015748);
    EXPECT_NEAR(metrics.printableWidthMm, 8 * 25.4, 1e-9);
    EXPECT_NEAR(metrics.printableHeightMm, 22 * 25.4, 1e-9);
}

TEST(PrintPreparation, ScaleToPageFitsTheWholeTemplateOnOnePage) {
    PrintKeyboard board;
    board.layOutModel(kTarn);
    const PrinterMetrics a4{kPortraitWidth, kPortraitHeight, 10, 10};
    const PrintLayout unscaled = preparePrint(*board.keyboard, nullptr, 0, PrintMode::KeyboardTemplate, a4);
    EXPECT_EQ(unscaled.lastPage, 3);

    const PrintLayout layout = preparePrint(*board.keyboard, nullptr, kPrintScaleToPage, PrintMode::KeyboardTemplate, a4);
    EXPECT_EQ(layout.lastPage, 1);
    const double factor = kPortraitWidth / unscaled.pass.extentWidthMm;  // the width is the tighter one
    EXPECT_DOUBLE_EQ(layout.scaleFactor, factor);
    EXPECT_DOUBLE_EQ(layout.metrics.pixelsPerMmX, 10 * factor);
    EXPECT_DOUBLE_EQ(layout.metrics.pixelsPerMmY, 10 * factor);
    EXPECT_EQ(slotsOf(layout.pass.keys), placedSlots(*board.keyboard));
    for (const PlacedKey& k : layout.pass.keys) {
        const kbxdoc::Rect& r = board.key(k.slot).current;
        EXPECT_LE((r.left + r.width) * layout.metrics.pixelsPerMmX, kPortraitWidth * 10) << k.slot;
    }
}

TEST(PrintPreparation, ScaleToPagePacksAManyPageSortedSheetOntoOnePage) {
    PrintKeyboard board;
    board.layOutModel(kTarn);
    const PrinterMetrics small{100, 100, 8, 8};
    const PrintLayout unscaled = preparePrint(*board.keyboard, nullptr, kPrintUnusedKeys, PrintMode::SortedBySize, small);
    ASSERT_GT(unscaled.lastPage, 2);

    const auto options = static_cast<std::uint8_t>(kPrintUnusedKeys | kPrintScaleToPage);
    const PrintLayout layout = preparePrint(*board.keyboard, nullptr, options, PrintMode::SortedBySize, small);
    EXPECT_EQ(layout.lastPage, 1);
    EXPECT_LT(layout.scaleFactor, 1);
    EXPECT_EQ(slotsOf(layout.pass.keys), slotsOf(unscaled.pass.keys));
    for (const PlacedKey& k : layout.pass.keys) {
        const kbxdoc::Rect& r = board.key(k.slot).current;
        EXPECT_LE((k.topMm + r.height) * layout.metrics.pixelsPerMmY, 100 * 8 + 1e-6) << k.slot;
        EXPECT_LE((k.leftMm + r.width) * layout.metrics.pixelsPerMmX, 100 * 8 + 1e-6) << k.slot;
    }
}

TEST(PrintPreparation, ScaleToPageLeavesAnEmptyKeyboardAlone) {
    PrintKeyboard board;
    board.keyboard->width = 0;
    const PrinterMetrics a4{kPortraitWidth, kPortraitHeight, 10, 10};
    const PrintLayout layout = preparePrint(*board.keyboard, nullptr, kPrintScaleToPage, PrintMode::SortedBySize, a4);
    EXPECT_EQ(layout.lastPage, 1);
    EXPECT_DOUBLE_EQ(layout.metrics.pixelsPerMmX, 10);
}

}  // namespace
}  // namespace keyui::print
