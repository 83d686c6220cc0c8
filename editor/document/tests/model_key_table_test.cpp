#include <gtest/gtest.h>

#include "editor/document/key_table.h"
#include "editor/document/tests/model_fixture.h"

namespace kbxdoc {
namespace {

using testing::fillContent;
using testing::ModelFixture;

TEST(KeyBySlot, GivesSlotsZeroToTwoHundredAndNothingElse) {
    ModelFixture f;
    EXPECT_EQ(keyBySlot(f.context, 0), &f.key(0));
    EXPECT_EQ(keyBySlot(f.context, kCurrentKeySlot), &f.key(kCurrentKeySlot));
    EXPECT_EQ(keyBySlot(f.context, -1), nullptr);
    EXPECT_EQ(keyBySlot(f.context, kKeySlotCount), nullptr);
    ActiveContext empty;
    EXPECT_EQ(keyBySlot(empty, 0), nullptr);
}

TEST(KeyAt, FindsTheFirstTableSlotAtTheGridPositionButNeverTheCurrentKeyCopy) {
    ModelFixture f;
    f.placeKey(7, 3, 2, {});
    f.placeKey(9, 3, 2, {});
    f.placeKey(kCurrentKeySlot, 5, 5, {});
    EXPECT_EQ(slotAt(f.context, 3, 2), 7);
    EXPECT_EQ(keyAt(f.context, 3, 2), &f.key(7));
    EXPECT_EQ(slotAt(f.context, 5, 5), -1);
    EXPECT_EQ(keyAt(f.context, 5, 5), nullptr);
}

struct AdjustCase {
    unsigned flags;
    Rect expected;
};

TEST(AdjustKeyGeometry, EachFlagSetsOrAddsItsValueToTemplateAndCurrentAlike) {
    const Rect start{10, 20, 12, 13};
    const AdjustCase cases[] = {
        {kSetLeft, {1, 20, 12, 13}},
        {kAddLeft, {11, 20, 12, 13}},
        {kSetTop, {10, 2, 12, 13}},
        {kAddTop, {10, 22, 12, 13}},
        {kSetWidth, {10, 20, 3, 13}},
        {kAddWidth, {10, 20, 15, 13}},
        {kSetHeight, {10, 20, 12, 4}},
        {kAddHeight, {10, 20, 12, 17}},
        {kSetLeft | kAddTop | kSetWidth | kAddHeight, {1, 22, 3, 17}},
        {0, start},
    };
    for (const AdjustCase& c : cases) {
        ModelFixture f;
        KeyRecord& key = f.placeKey(4, 1, 1, start);
        key.current.left = 30;  // an edited key moves from where it is now
        adjustKeyGeometry(f.context, 1, 1, c.flags, 1, 2, 3, 4);
        EXPECT_EQ(key.templateGeometry, c.expected) << "flags " << c.flags;
        Rect expectedCurrent = c.expected;
        if ((c.flags & (kSetLeft | kAddLeft)) == 0) expectedCurrent.left = 30;
        if ((c.flags & kAddLeft) != 0) expectedCurrent.left = 31;
        EXPECT_EQ(key.current, expectedCurrent) << "flags " << c.flags;
    }
}

TEST(AdjustKeyGeometry, AGridPositionWithoutAKeyChangesNothing) {
    ModelFixture f;
    f.placeKey(0, 0, 0, {10, 20, 12, 13});
    adjustKeyGeometry(f.context, 9, 9, kSetLeft | kSetWidth, 1, 2, 3, 4);
    EXPECT_EQ(f.key(0).current, (Rect{10, 20, 12, 13}));
}

TEST(HasProgramming, IsTheLayerTextNotBeingEmptyAndFalseForLayersOutsideTheTable) {
    KeyRecord key;
    key.layers[3].programming = "{F1}";
    EXPECT_TRUE(hasProgramming(key, 3));
    EXPECT_FALSE(hasProgramming(key, 2));
    EXPECT_FALSE(hasProgramming(key, -1));
    EXPECT_FALSE(hasProgramming(key, kLayerCount));
}

TEST(ResetKeyAttributes, OneKeyFollowsTheLayerInAllSixFieldsAndKeepsBitsTwelveUp) {
    ModelFixture f;
    KeyRecord& key = f.placeKey(2, 4, 1, {0, 0, 12, 12});
    KeyRecord& other = f.placeKey(3, 5, 1, {19, 0, 12, 12});
    for (LayerEntry& entry : key.layers) entry.attributes = 0xFFFF5555u;
    other.layers[0].attributes = 0x5;
    resetKeyAttributes(f.context, std::pair{4, 1});
    for (const LayerEntry& entry : key.layers) EXPECT_EQ(entry.attributes, 0xFFFF5AAAu);
    EXPECT_EQ(other.layers[0].attributes, 0x5u);
    EXPECT_EQ(key.current, (Rect{0, 0, 12, 12}));
}

TEST(ResetKeyAttributes, EveryKeyAlsoLosesItsGeometryButKeepsItsGridPosition) {
    ModelFixture f;
    KeyRecord& key = f.placeKey(2, 4, 1, {5, 6, 12, 12});
    key.layers[15].attributes = 0x1001;
    resetKeyAttributes(f.context, std::nullopt);
    EXPECT_EQ(key.layers[15].attributes, 0x1AAAu);
    EXPECT_EQ(f.key(150).layers[0].attributes, kAllFollowLayer);
    EXPECT_EQ(f.key(kCurrentKeySlot).layers[0].attributes, 0u);
    EXPECT_EQ(key.templateGeometry, Rect{});
    EXPECT_EQ(key.current, Rect{});
    EXPECT_EQ(key.column, 4);
    EXPECT_EQ(key.row, 1);
}

TEST(ClearKeyContent, EmptiesLegendAndProgrammingButKeepsIdentityGeometryOptionsAndAttributes) {
    KeyRecord key;
    key.column = 6;
    key.row = 2;
    key.templateGeometry = {1, 2, 3, 4};
    key.current = {5, 6, 7, 8};
    fillContent(key, "A");
    key.moduleOption2 = 1;
    clearKeyContent(key);
    EXPECT_EQ(key.captionSize, 0u);
    EXPECT_TRUE(key.caption.empty());
    EXPECT_EQ(key.captionSettings, CaptionSettings{});
    for (std::size_t layer = 0; layer < key.layers.size(); ++layer) {
        EXPECT_TRUE(key.layers[layer].programming.empty());
        EXPECT_EQ(key.layers[layer].attributes, 0x15 + layer);
    }
    EXPECT_EQ(key.column, 6);
    EXPECT_EQ(key.row, 2);
    EXPECT_EQ(key.templateGeometry, (Rect{1, 2, 3, 4}));
    EXPECT_EQ(key.current, (Rect{5, 6, 7, 8}));
    EXPECT_EQ(key.moduleOption1, 3);
    EXPECT_EQ(key.moduleOption2, 1);
}

TEST(CopyKeyContent, TargetKeepsItsPlaceAndTakesSizeLegendAndProgramming) {
    KeyRecord source;
    source.column = 1;
    source.row = 1;
    source.templateGeometry = {0, 0, 12, 12};
    source.current = {0, 0, 31, 12};
    fillContent(source, "Total");
    KeyRecord target;
    target.column = 8;
    target.row = 3;
    target.templateGeometry = {152, 57, 12, 12};
    target.current = {150, 55, 12, 12};
    fillContent(target, "Old");
    copyKeyContent(target, source);
    EXPECT_EQ(target.column, 8);
    EXPECT_EQ(target.row, 3);
    EXPECT_EQ(target.templateGeometry, (Rect{152, 57, 12, 12}));
    EXPECT_EQ(target.current, (Rect{150, 55, 31, 12}));
    EXPECT_EQ(target.caption, "Total");
    EXPECT_EQ(target.captionSize, source.captionSize);
    EXPECT_EQ(target.captionSettings, source.captionSettings);
    EXPECT_EQ(target.layers, source.layers);
}

TEST(CopyKeyContent, ASourceWithoutCaptionBufferLeavesTheTargetWithoutOne) {
    KeyRecord source;
    KeyRecord target;
    fillContent(target, "Old");
    copyKeyContent(target, source);
    EXPECT_EQ(target.captionSize, 0u);
    EXPECT_TRUE(target.caption.empty());
}

TEST(CountSelection, CountsSelectedSlotsAndNamesTheHighest) {
    ModelFixture f;
    EXPECT_EQ(countSelection(f.context).count, 0);
    EXPECT_EQ(countSelection(f.context).highest, -1);
    f.select(4);
    f.select(120);
    f.select(9);
    EXPECT_EQ(countSelection(f.context).count, 3);
    EXPECT_EQ(countSelection(f.context).highest, 120);
}

// Two keys side by side at 2 pixels per mm, drawn 10 pixels in and scrolled
// 6 pixels to the right: the first covers view pixels 4-27, the second 42-65.
struct SelectFixture : ModelFixture {
    SelectFixture() {
        keyboard->scaleX = 2;
        keyboard->scaleY = 2;
        keyboard->originX = 10;
        keyboard->originY = 10;
        context.scrollX = 6;
        context.scrollY = 0;
        placeKey(0, 0, 0, {0, 0, 12, 12});
        fillContent(placeKey(1, 1, 0, {19, 0, 12, 12}), "Second");
    }
};

TEST(SelectAtPoint, HitsTheKeyWhereTheViewDrawsIt) {
    SelectFixture f;
    f.selectAtPoint(41, 20);
    EXPECT_EQ(countSelection(f.context).count, 0);
    f.selectAtPoint(42, 10);
    EXPECT_EQ(f.selection[1], 1);
    f.selectAtPoint(66, 20);
    EXPECT_EQ(countSelection(f.context).count, 0);
    f.selectAtPoint(4, 33);
    EXPECT_EQ(f.selection[0], 1);
    EXPECT_EQ(countSelection(f.context).count, 1);
}

TEST(SelectAtPoint, WithoutShiftRedrawsAndClearsTheOldSelectionEvenOnAMiss) {
    SelectFixture f;
    f.select(0);
    f.select(77);
    f.selectAtPoint(300, 300);
    EXPECT_EQ(countSelection(f.context).count, 0);
    EXPECT_EQ(f.observer.redrawnKeys, (std::vector<int>{0, 77}));
}

TEST(SelectAtPoint, WithShiftTogglesTheHitKeyAndKeepsTheOthers) {
    SelectFixture f;
    f.select(0);
    f.selectAtPoint(50, 20, true);
    EXPECT_EQ(countSelection(f.context).count, 2);
    f.selectAtPoint(50, 20, true);
    EXPECT_EQ(f.selection[1], 0);
    EXPECT_EQ(f.selection[0], 1);
}

TEST(SelectAtPoint, ASingleSelectedKeyBecomesTheCurrentKeyCopy) {
    SelectFixture f;
    f.selectAtPoint(50, 20);
    EXPECT_EQ(f.key(kCurrentKeySlot), f.key(1));
    f.selectAtPoint(10, 20, true);  // two selected: the copy stays as it was
    EXPECT_EQ(f.key(kCurrentKeySlot).caption, "Second");
}

// Copy, cut, paste and write-back with the selection given.
struct ClipboardCase {
    const char* name;
    std::vector<int> selected;
};

TEST(KeyClipboardOperations, DoNothingUnlessExactlyOneKeyIsSelected) {
    const ClipboardCase cases[] = {{"none", {}}, {"two", {0, 1}}};
    for (const ClipboardCase& c : cases) {
        SelectFixture f;
        fillContent(f.key(0), "First");
        for (int slot : c.selected) f.select(slot);
        const KeyRecord before0 = f.key(0);
        const KeyRecord before1 = f.key(1);
        KeyClipboard clipboard;
        EXPECT_FALSE(copyKey(f.context, clipboard)) << c.name;
        EXPECT_FALSE(clipboard.key.has_value()) << c.name;
        EXPECT_FALSE(cutKey(f.context, clipboard)) << c.name;
        clipboard.key.emplace();
        fillContent(*clipboard.key, "Clip");
        EXPECT_FALSE(pasteKey(f.context, clipboard)) << c.name;
        EXPECT_FALSE(writeBackCurrentKey(f.context)) << c.name;
        EXPECT_EQ(f.key(0), before0) << c.name;
        EXPECT_EQ(f.key(1), before1) << c.name;
        EXPECT_TRUE(f.observer.redrawnKeys.empty()) << c.name;
    }
}

TEST(KeyClipboardOperations, PasteNeedsAnEarlierCopyOrCut) {
    SelectFixture f;
    f.select(0);
    const KeyClipboard empty;
    EXPECT_FALSE(pasteKey(f.context, empty));
}

TEST(KeyClipboardOperations, PasteKeepsIdentityAndPositionAndTakesEverythingElse) {
    SelectFixture f;
    f.key(1).current.width = 31;
    KeyClipboard clipboard;
    f.select(1);
    ASSERT_TRUE(copyKey(f.context, clipboard));
    f.selection = {};
    f.select(0);
    ASSERT_TRUE(pasteKey(f.context, clipboard));
    const KeyRecord& pasted = f.key(0);
    EXPECT_EQ(pasted.column, 0);
    EXPECT_EQ(pasted.row, 0);
    EXPECT_EQ(pasted.templateGeometry, (Rect{0, 0, 12, 12}));
    EXPECT_EQ(pasted.current, (Rect{0, 0, 31, 12}));
    EXPECT_EQ(pasted.caption, "Second");
    EXPECT_EQ(pasted.captionSettings, f.key(1).captionSettings);
    EXPECT_EQ(pasted.layers, f.key(1).layers);
    EXPECT_EQ(f.observer.redrawnKeys, (std::vector<int>{0, 0}));
}

TEST(KeyClipboardOperations, CutEmptiesTheKeyAndAPasteBringsItsContentBack) {
    SelectFixture f;
    f.select(1);
    KeyClipboard clipboard;
    ASSERT_TRUE(cutKey(f.context, clipboard));
    EXPECT_TRUE(f.key(1).caption.empty());
    EXPECT_FALSE(hasProgramming(f.key(1), 0));
    EXPECT_EQ(f.key(1).current, (Rect{19, 0, 12, 12}));
    EXPECT_EQ(f.observer.redrawnKeys, (std::vector<int>{1, 1}));
    ASSERT_TRUE(pasteKey(f.context, clipboard));
    EXPECT_EQ(f.key(1).caption, "Second");
    EXPECT_EQ(f.key(1).layers[4].programming, "Second4");
}

TEST(KeyClipboardOperations, WriteBackCopiesTheWholeCurrentKeyOverTheSelectedKey) {
    SelectFixture f;
    f.selectAtPoint(50, 20);
    f.key(kCurrentKeySlot).current = {25, 0, 12, 31};
    f.key(kCurrentKeySlot).caption = "Moved";
    ASSERT_TRUE(writeBackCurrentKey(f.context));
    EXPECT_EQ(f.key(1).current, (Rect{25, 0, 12, 31}));
    EXPECT_EQ(f.key(1).caption, "Moved");
}

TEST(SetKeyShape, ResizesOnlyKeysOfAtMostFifteenByFifteenMillimetres) {
    ModelFixture f;
    struct ShapeCase {
        Rect rect;
        bool resized;
    };
    const ShapeCase cases[] = {
        {{0, 0, 12, 12}, true},    {{0, 0, 15, 15}, true},    {{0, 0, 15.01, 12}, false},
        {{0, 0, 12, 31}, false},   {{0, 0, 0, 12}, false},    {{0, 0, 12, 0}, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) f.placeKey(static_cast<int>(i), static_cast<int>(i), 0, cases[i].rect);
    setKeyShape(f.context, 19, 19);
    EXPECT_EQ(f.keyboard->capWidth, 19);
    EXPECT_EQ(f.keyboard->capHeight, 19);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const KeyRecord& key = f.key(static_cast<int>(i));
        const Rect expected = cases[i].resized ? Rect{0, 0, 19, 19} : cases[i].rect;
        EXPECT_EQ(key.templateGeometry, expected) << "case " << i;
        EXPECT_EQ(key.current, expected) << "case " << i;
    }
    EXPECT_EQ(f.observer.fullRedraws, 1);
}

// Before a save a widened key hands its programming to the keys it covers.
TEST(CoveredKeys, TakeTheEnlargedKeysLayersAndKeepCaptionAndGeometry) {
    ModelFixture f;
    f.keyboard->capWidth = 12;
    f.keyboard->capHeight = 12;
    KeyRecord& wide = f.placeKey(0, 0, 0, {0, 0, 31, 12});
    fillContent(wide, "Wide");
    KeyRecord& neighbour = f.placeKey(1, 1, 0, {19, 0, 12, 12});
    fillContent(neighbour, "Neighbour");
    KeyRecord& beyond = f.placeKey(2, 2, 0, {38, 0, 12, 12});
    fillContent(beyond, "Beyond");
    const KeyRecord neighbourBefore = neighbour;
    copyProgrammingUnderEnlargedKeys(f.context);
    EXPECT_EQ(neighbour.layers, wide.layers);
    EXPECT_EQ(neighbour.caption, neighbourBefore.caption);
    EXPECT_EQ(neighbour.current, neighbourBefore.current);
    EXPECT_EQ(neighbour.templateGeometry, neighbourBefore.templateGeometry);
    EXPECT_EQ(beyond.layers[0].programming, "Beyond0");
}

TEST(CoveredKeys, ACentreOnTheEdgeIsNotCoveredAndSlotsWithoutSizeAreLeftAlone) {
    ModelFixture f;
    f.keyboard->capWidth = 12;
    f.keyboard->capHeight = 12;
    fillContent(f.placeKey(0, 0, 0, {0, 0, 25, 12}), "Wide");
    fillContent(f.placeKey(1, 1, 0, {19, 0, 12, 12}), "Edge");  // centre x 25: on the edge
    KeyRecord& pseudo = f.key(kFirstModuleSlot + 8);
    pseudo.current = {5, 5, 0, 0};
    pseudo.layers[0].programming = "{POSBarcode}";
    copyProgrammingUnderEnlargedKeys(f.context);
    EXPECT_EQ(f.key(1).layers[0].programming, "Edge0");
    EXPECT_EQ(pseudo.layers[0].programming, "{POSBarcode}");
}

}  // namespace
}  // namespace kbxdoc
