#include <gtest/gtest.h>

#include <string>

#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/document/tests/model_fixture.h"

namespace kbxdoc {
namespace {

using testing::ModelFixture;

TEST(DefaultLayerTable, HoldsTheSixStandardLayersAndTenFreeDefinitions) {
    struct Row {
        const char* name;
        std::uint32_t conditions;
        std::uint32_t attributes;
    };
    const Row rows[] = {
        {"Normal-Layer", 0x8A80, 0x10},  {"Shift-Layer", 0x8A81, 0x10},  {"Control-Layer", 0x8A86, 0x10},
        {"ALT-Layer", 0x8A9A, 0x10},     {"StdKey-Layer", 0x4AAA, 0x514}, {"AlwaysActive", 0xAAAA, 0x11},
    };
    const LayerTable table = defaultLayerTable();
    for (std::size_t i = 0; i < std::size(rows); ++i) {
        EXPECT_EQ(table[i].name, rows[i].name);
        EXPECT_EQ(table[i].conditions, rows[i].conditions) << rows[i].name;
        EXPECT_EQ(table[i].defaultAttributes, rows[i].attributes) << rows[i].name;
    }
    for (std::size_t i = std::size(rows); i < table.size(); ++i) EXPECT_EQ(table[i], LayerDefinition{}) << i;
}

TEST(AddLayer, TakesTheFirstFreeDefinitionAndRefreshesTheLayerList) {
    ModelFixture f;
    f.layers = defaultLayerTable();
    f.layers[7].name = "Later";
    EXPECT_EQ(addLayer(f.context, "Kasse"), 6);
    EXPECT_EQ(layerName(f.layers, 6), "Kasse");
    EXPECT_EQ(addLayer(f.context, "Kasse2"), 8);
    EXPECT_EQ(f.observer.layerListRefreshes, 2);
}

TEST(AddLayer, AReservedNameGetsTempAppendedOnlyWhenItMatchesExactly) {
    struct Case {
        const char* given;
        const char* stored;
    };
    const Case cases[] = {
        {"Shift-Layer", "Shift-Layertemp"}, {"shift-layer", "shift-layer"}, {"START", "STARTtemp"},
        {"Alt-Layer", "Alt-Layertemp"},     {"ALT-Layer", "ALT-Layertemp"}, {"FN-Key-Layer", "FN-Key-Layertemp"},
        {"END", "END"},                     {"Shift-Layer ", "Shift-Layer "}, {"AlwaysActive", "AlwaysActive"},
    };
    for (const Case& c : cases) {
        ModelFixture f;
        ASSERT_EQ(addLayer(f.context, c.given), 0) << c.given;
        EXPECT_EQ(layerName(f.layers, 0), c.stored) << c.given;
    }
}

TEST(AddLayer, ASeventeenthLayerIsRefused) {
    ModelFixture f;
    for (int i = 0; i < kLayerCount; ++i) ASSERT_EQ(addLayer(f.context, "L" + std::to_string(i)), i);
    const LayerTable full = f.layers;
    EXPECT_EQ(addLayer(f.context, "One too many"), -1);
    EXPECT_EQ(f.layers, full);
}

TEST(AddLayer, AnEmptyNameAddsNothingAndMakesTheFreeDefinitionCurrent) {
    ModelFixture f;
    f.layers = defaultLayerTable();
    f.context.currentLayer = 2;
    EXPECT_EQ(addLayer(f.context, ""), -1);
    EXPECT_EQ(f.context.currentLayer, 6);
    EXPECT_TRUE(f.layers[6].name.empty());
    EXPECT_EQ(f.observer.layerListRefreshes, 0);
}

TEST(AddLayer, AnEmptyNameOnAFullTableLeavesTheCurrentLayer) {
    ModelFixture f;
    for (LayerDefinition& definition : f.layers) definition.name = "x";
    f.context.currentLayer = 4;
    EXPECT_EQ(addLayer(f.context, ""), -1);
    EXPECT_EQ(f.context.currentLayer, 4);
}

TEST(AddLayer, ALongNameIsCutToTheNameField) {
    ModelFixture f;
    ASSERT_EQ(addLayer(f.context, std::string(200, 'n')), 0);
    EXPECT_EQ(layerName(f.layers, 0).size(), kNameField - 1);
}

TEST(AddLayer, WithoutALayerTableNothingHappens) {
    ModelFixture f;
    f.context.layers = nullptr;
    EXPECT_EQ(addLayer(f.context, "Kasse"), -1);
}

TEST(LayerName, IsEmptyForIndexesOutsideTheTable) {
    const LayerTable table = defaultLayerTable();
    EXPECT_EQ(layerName(table, 3), "ALT-Layer");
    EXPECT_EQ(layerName(table, -1), "");
    EXPECT_EQ(layerName(table, kLayerCount), "");
}

}  // namespace
}  // namespace kbxdoc
