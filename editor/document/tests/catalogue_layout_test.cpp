// Laying out keys: what survives, the default layer name, free slots and a
// full key table.

#include <vector>

#include "editor/document/model_layouts.h"
#include "editor/document/tests/catalogue_fixture.h"

namespace kbxdoc::testing {
namespace {

TEST_F(CatalogueDocument, LayingOutTwiceKeepsCaptionsAndProgrammingInTheirSlots) {
    layOut(0);
    const int slot = slotAt(context, 3, 4);
    KeyRecord& d04 = *keyBySlot(context, slot);
    d04.caption = "Total";
    d04.layers[2].programming = "{ENTER}";
    d04.layers[2].attributes = 0x1000 | 0x5;
    d04.current = Rect{1, 2, 30, 30};
    layOut(0);
    EXPECT_EQ(slotAt(context, 3, 4), slot);
    EXPECT_EQ(d04.caption, "Total");
    EXPECT_EQ(d04.layers[2].programming, "{ENTER}");
    EXPECT_EQ(d04.layers[2].attributes, 0x1000u | kAllFollowLayer);  // the fields follow the layer again
    EXPECT_EQ(d04.current, d04.templateGeometry);
    EXPECT_EQ(placedKeys(), 84);
}

TEST_F(CatalogueDocument, ASmallerModelFreesTheOtherKeysButKeepsTheirContent) {
    layOut(14);
    KeyRecord* outside = key("G21");
    outside->caption = "Void";
    layOut(9);
    EXPECT_EQ(placedKeys(), 25);
    EXPECT_EQ(outside->templateGeometry, Rect{});
    EXPECT_EQ(outside->current, Rect{});
    EXPECT_EQ(outside->caption, "Void");
}

TEST_F(CatalogueDocument, ModelElevenLaysOutNothingAndCopiesTemplateToCurrent) {
    layOut(0);
    KeyRecord* a01 = key("A01");
    a01->caption = "Keep";
    a01->current = Rect{5, 5, 40, 40};
    keyboard->width = 123;
    layOut(kModelWithoutLayout);
    EXPECT_EQ(keyboard->model, kModelWithoutLayout);
    EXPECT_EQ(placedKeys(), 0);
    EXPECT_EQ(a01->current, Rect{});
    EXPECT_EQ(a01->caption, "Keep");
    EXPECT_EQ(keyboard->width, 123);  // no model size to set
    for (int model : {-1, 15, 99}) {
        layOut(model);
        EXPECT_EQ(placedKeys(), 0) << model;
    }
}

TEST_F(CatalogueDocument, SetModelStoresTheIndexAndRedrawsOnce) {
    setModelAndLayOut(context, 13, false);
    EXPECT_EQ(keyboard->model, 13);
    EXPECT_EQ(observer.redraws, 1);
    EXPECT_EQ(observer.beeps, 0);
    EXPECT_EQ(placedKeys(), 140);
}

TEST_F(CatalogueDocument, AnUnnamedFirstLayerIsNamedAndMadeCurrentWhenAsked) {
    context.currentLayer = 3;
    layOutKeys(context, false);
    EXPECT_TRUE((*layers)[0].name.empty());
    EXPECT_EQ(context.currentLayer, 3);

    layOutKeys(context, true);
    EXPECT_EQ((*layers)[0].name, "Normal-Layer");
    EXPECT_EQ(context.currentLayer, 0);
    EXPECT_EQ(observer.layerLists, 1);
}

TEST_F(CatalogueDocument, ANamedFirstLayerStaysAsItIs) {
    (*layers)[0].name = "Kasse";
    context.currentLayer = 2;
    layOutKeys(context, true);
    EXPECT_EQ((*layers)[0].name, "Kasse");
    EXPECT_EQ(context.currentLayer, 2);
}

TEST_F(CatalogueDocument, NewKeysTakeSlotsWithoutCaptionsBeforeOnesWithOldContent) {
    KeyRecord& old = keyboard->keys[0];
    old.column = 40;
    old.row = 7;
    old.captionSize = 80;
    old.caption = "Old";
    old.layers[0].programming = "old";
    keyboard->capWidth = keyboard->capHeight = 12;
    const std::vector<KeyPlacement> two{{0, 1, 10, 10}, {1, 1, 30, 10}};
    placeKeys(context, two);
    EXPECT_EQ(slotAt(context, 0, 1), 1);
    EXPECT_EQ(slotAt(context, 1, 1), 2);
    EXPECT_EQ(old.caption, "Old");
}

TEST_F(CatalogueDocument, AReusedSlotDoesNotPassOnItsOldLegendOrProgramming) {
    for (int slot = 0; slot < kOrdinaryKeyCount; ++slot) {
        KeyRecord& key = keyboard->keys[static_cast<std::size_t>(slot)];
        key.column = 40;
        key.row = 7;
        key.captionSize = 80;
        key.caption = "Old";
        key.layers[1].programming = "old";
    }
    keyboard->capWidth = keyboard->capHeight = 12;
    const std::vector<KeyPlacement> one{{2, 2, 10, 10}};
    placeKeys(context, one);
    const int slot = slotAt(context, 2, 2);
    EXPECT_EQ(slot, kOrdinaryKeyCount - 1);  // the last free slot with a caption
    const KeyRecord& placed = *keyBySlot(context, slot);
    EXPECT_EQ(placed.caption, "");
    EXPECT_EQ(placed.captionSize, 80u);
    EXPECT_TRUE(placed.layers[1].programming.empty());
}

TEST_F(CatalogueDocument, AFullKeyTableBeepsOncePerPositionAndGoesOn) {
    keyboard->capWidth = keyboard->capHeight = 12;
    std::vector<KeyPlacement> tooMany;
    for (int index = 0; index < kOrdinaryKeyCount + 5; ++index) {
        tooMany.push_back(KeyPlacement{index % 25, index / 25, 1.0 + index, 2.0});
    }
    placeKeys(context, tooMany);
    EXPECT_EQ(observer.beeps, 5);
    EXPECT_EQ(placedKeys(), kOrdinaryKeyCount);
    for (int slot = kFirstModuleSlot; slot < kKeySlotCount; ++slot) {
        EXPECT_EQ(keyboard->keys[static_cast<std::size_t>(slot)].templateGeometry.width, 0) << slot;
    }
}

TEST_F(CatalogueDocument, ModulePseudoKeysAreNeverTakenForAGridPosition) {
    for (int slot = 0; slot < kOrdinaryKeyCount; ++slot) {
        keyboard->keys[static_cast<std::size_t>(slot)].column = 40;  // none at column 0, row 0
    }
    keyboard->keys[kLastModuleSlot].layers[0].programming = "{POSMSR1}";
    keyboard->keys[kLastModuleSlot].moduleOption1 = 1;
    layOut(0);
    EXPECT_EQ(placedKeys(), 84);
    EXPECT_LT(slotAt(context, 0, 0), kOrdinaryKeyCount);
    const KeyRecord& msr = keyboard->keys[kLastModuleSlot];
    EXPECT_EQ(msr.templateGeometry.width, 0);
    EXPECT_EQ(msr.captionSize, 0u);
    EXPECT_EQ(msr.layers[0].programming, "{POSMSR1}");
    EXPECT_EQ(msr.moduleOption1, 1);
}

TEST_F(CatalogueDocument, EveryModelWithALayoutFitsTheKeyTableWithoutABeep) {
    for (const KeyboardModel& model : keyboardModels()) {
        layOut(model.index);
        layOut(0);
    }
    EXPECT_EQ(observer.beeps, 0);
}

TEST(LayoutWithoutKeyboard, DoesNothing) {
    ActiveContext empty;
    layOutKeys(empty, true);
    setModelAndLayOut(empty, 0, true);
    SUCCEED();
}

}  // namespace
}  // namespace kbxdoc::testing
