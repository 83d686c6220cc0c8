#include "editor/document/key_geometry.h"

#include <gtest/gtest.h>

namespace kbxdoc {
namespace {

struct GeometryFixture {
    KeyboardData keyboard{};
    GeometryFixture() {
        keyboard.scaleX = 3.3;
        keyboard.scaleY = 2.9;
        keyboard.originX = 5;
        keyboard.originY = 7;
    }
    KeyRecord& place(int slot, Rect current) {
        KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
        key.current = current;
        return key;
    }
};

TEST(KeyPixelRect, TruncatesEachProductAndAddsTheOrigin) {
    GeometryFixture f;
    KeyRecord& key = f.place(0, {10.5, 3.1, 12.9, 12.9});
    key.templateGeometry = {1, 1, 2, 2};
    EXPECT_EQ(keyPixelRect(f.keyboard, key), (PixelRect{5 + 34, 7 + 8, 42, 37}));
    EXPECT_EQ(keyPixelRect(f.keyboard, key, Geometry::Template), (PixelRect{8, 9, 6, 5}));
}

TEST(KeyPixelRect, ASlotOutsideTheTableIsEmpty) {
    GeometryFixture f;
    ActiveContext context;
    context.keyboard = &f.keyboard;
    EXPECT_EQ(keyPixelRect(context, 201), PixelRect{});
    EXPECT_EQ(keyPixelRect(context, -1), PixelRect{});
    EXPECT_EQ(keyPixelRect(ActiveContext{}, 0), PixelRect{});
}

TEST(KeyAtPixel, LeftAndTopEdgesBelongToTheKeyRightAndBottomDoNot) {
    GeometryFixture f;
    f.keyboard.scaleX = f.keyboard.scaleY = 3.0;
    f.place(4, {10, 10, 13, 13});  // pixels 35..73 x 37..75
    EXPECT_EQ(keyAtPixel(f.keyboard, 35, 37), 4);
    EXPECT_EQ(keyAtPixel(f.keyboard, 73, 75), 4);
    EXPECT_EQ(keyAtPixel(f.keyboard, 74, 50), -1);
    EXPECT_EQ(keyAtPixel(f.keyboard, 50, 76), -1);
    EXPECT_EQ(keyAtPixel(f.keyboard, 34, 50), -1);
}

TEST(KeyAtPixel, TheLowestSlotWinsAndTheWorkingCopyIsNeverHit) {
    GeometryFixture f;
    f.place(kCurrentKeySlot, {0, 0, 50, 50});
    EXPECT_EQ(keyAtPixel(f.keyboard, 20, 20), -1);
    f.place(9, {0, 0, 20, 20});
    f.place(3, {0, 0, 20, 20});
    EXPECT_EQ(keyAtPixel(f.keyboard, 20, 20), 3);
}

TEST(ScopedDrawingScale, LendsItsScalesAndOriginAndPutsTheEarlierOnesBack) {
    GeometryFixture f;
    KeyRecord& key = f.place(0, {10, 10, 10, 10});
    {
        const ScopedDrawingScale outer(&f.keyboard, 6.0, 6.0, 0, 0);
        {
            const ScopedDrawingScale inner(&f.keyboard, 2.0, 4.0, -100, 1);
            EXPECT_EQ(keyPixelRect(f.keyboard, key), (PixelRect{-80, 41, 20, 40}));
        }
        EXPECT_EQ(keyPixelRect(f.keyboard, key), (PixelRect{60, 60, 60, 60}));
    }
    EXPECT_EQ(f.keyboard.scaleX, 3.3);
    EXPECT_EQ(f.keyboard.scaleY, 2.9);
    EXPECT_EQ(f.keyboard.originX, 5);
    EXPECT_EQ(f.keyboard.originY, 7);
    const ScopedDrawingScale none(nullptr, 1.0, 1.0, 0, 0);  // lends nothing, touches nothing
}

}  // namespace
}  // namespace kbxdoc
