#include <gtest/gtest.h>

#include <string>

#include "editor/document/layer_table.h"
#include "editor/document/settings_file.h"
#include "tests/support/files.h"

namespace kbxdoc {
namespace {

using kbxtest::readFile;
using kbxtest::TempDir;
using kbxtest::writeFile;

const WindowPlacement kMaximised{3, 1, -1, -1, -8, -8, 40, 30, 1064, 800};

TEST(SettingsFilePath, LiesInTheProgramFolderOrTheCurrentFolder) {
    EXPECT_EQ(settingsFilePath("/opt/vyrn/bin"), std::filesystem::path("/opt/vyrn/bin/Vyrn.Ini"));
    EXPECT_EQ(settingsFilePath({}), std::filesystem::path("Vyrn.Ini"));
}

TEST(SettingsFile, TheWindowPlacementIsWrittenInLowerCaseHexAndReadBack) {
    TempDir dir;
    const auto path = settingsFilePath(dir.path());
    WindowPlacement placement = kMaximised;
    LayerTable layers{};
    ASSERT_TRUE(accessSettingsFile(path, kWriteWindowPlacement, placement, layers));
    EXPECT_EQ(readFile(path), "[VyrnKey]\nWindow=3 1 ffffffff ffffffff fffffff8 fffffff8 28 1e 428 320\n");
    WindowPlacement read;
    ASSERT_TRUE(accessSettingsFile(path, kReadWindowPlacement, read, layers));
    EXPECT_EQ(read, kMaximised);
}

TEST(SettingsFile, WithoutAWindowKeyThePlacementStaysAsItWas) {
    TempDir dir;
    WindowPlacement placement = kMaximised;
    LayerTable layers{};
    EXPECT_FALSE(accessSettingsFile(dir / "Vyrn.Ini", kReadWindowPlacement, placement, layers));
    EXPECT_EQ(placement, kMaximised);
}

TEST(SettingsFile, ADamagedWindowValueGivesNoPlacement) {
    const char* damaged[] = {"", "1 2 3", "1 2 3 4 5 6 7 8 9 zz", "garbage", "1,2,3,4,5,6,7,8,9,10"};
    for (const char* value : damaged) EXPECT_FALSE(parseWindowPlacement(value)) << value;
    EXPECT_EQ(parseWindowPlacement("  0X3 1\t-1 ffffffff 0 0 1 2 3 4 trailing"),
              (WindowPlacement{3, 1, -1, -1, 0, 0, 1, 2, 3, 4}));
    EXPECT_EQ(parseWindowPlacement("123456789 0 0 0 0 0 0 0 0 0")->flags, 0xFFFFFFFFu);
}

TEST(SettingsFile, TheLayerTableRoundTripsWithEmptyDefinitionsWrittenAsEmptyNames) {
    TempDir dir;
    const auto path = settingsFilePath(dir.path());
    WindowPlacement placement;
    LayerTable layers = defaultLayerTable();
    layers[7].name = "Kasse";
    layers[7].conditions = 0x1A2B;
    layers[7].defaultAttributes = 0x5;
    ASSERT_TRUE(accessSettingsFile(path, kWriteLayerTable, placement, layers));
    const std::string text = readFile(path);
    EXPECT_NE(text.find("Layer0=\"Normal-Layer\",8A80,10\n"), std::string::npos);
    EXPECT_NE(text.find("Layer4=\"StdKey-Layer\",4AAA,514\n"), std::string::npos);
    EXPECT_NE(text.find("Layer6=\"\",0,0\n"), std::string::npos);
    EXPECT_NE(text.find("Layer15=\"\",0,0\n"), std::string::npos);
    LayerTable read{};
    read[6].name = "stale";
    ASSERT_TRUE(accessSettingsFile(path, kReadLayerTable, placement, read));
    EXPECT_EQ(read, layers);
}

TEST(SettingsFile, WindowAndLayersShareTheFileWithoutDisturbingEachOther) {
    TempDir dir;
    const auto path = dir / "Vyrn.Ini";
    writeFile(path, "[Other]\nkeep=me\n");
    WindowPlacement placement = kMaximised;
    LayerTable layers = defaultLayerTable();
    ASSERT_TRUE(accessSettingsFile(path, kWriteWindowPlacement | kWriteLayerTable, placement, layers));
    WindowPlacement readPlacement;
    LayerTable readLayers{};
    ASSERT_TRUE(accessSettingsFile(path, kReadWindowPlacement | kReadLayerTable, readPlacement, readLayers));
    EXPECT_EQ(readPlacement, kMaximised);
    EXPECT_EQ(readLayers, layers);
    EXPECT_EQ(kbx::readProfileString(path, "Other", "keep", ""), "me");
}

TEST(SettingsFile, AbsentLayerKeysLeaveTheirDefinitionsEmpty) {
    const kbx::ProfileFile file = kbx::ProfileFile::parse("[VyrnKey]\nLayer3=\"Third\",8A81,10\n");
    LayerTable layers = defaultLayerTable();
    ASSERT_TRUE(readLayerTable(file, layers));
    EXPECT_EQ(layers[3].name, "Third");
    EXPECT_TRUE(layers[0].name.empty());
    EXPECT_EQ(layers[0].conditions, 0u);
}

TEST(LayerDefinitionValue, HostileValuesAreReadWithinTheFields) {
    struct Case {
        std::string value;
        std::string name;
        std::uint32_t conditions;
        std::uint32_t attributes;
    };
    const Case cases[] = {
        {"\"Kasse\",8A80,10", "Kasse", 0x8A80, 0x10},
        {"xKasse\"?1,2", "Kasse", 1, 2},                     // any first character, numbers two after the quote
        {"\"No closing quote", "No closing quote", 0, 0},
        {"\"", "", 0, 0},
        {"\"Name\"", "Name", 0, 0},
        {"\"Name\",", "Name", 0, 0},
        {"\"Name\",zz,10", "Name", 0, 0},
        {"\"Name\",8A80", "Name", 0x8A80, 0},
        {"\"Name\",8A80;10", "Name", 0x8A80, 0},
        {"\"Name\",123456789ABC,-1", "Name", 0xFFFFFFFF, 0xFFFFFFFF},
        {"\"" + std::string(300, 'n') + "\",1,2", std::string(kNameField - 1, 'n'), 1, 2},
    };
    for (const Case& c : cases) {
        const LayerDefinition definition = parseLayerDefinition(c.value);
        EXPECT_EQ(definition.name, c.name) << c.value;
        EXPECT_EQ(definition.conditions, c.conditions) << c.value;
        EXPECT_EQ(definition.defaultAttributes, c.attributes) << c.value;
    }
}

TEST(LayerDefinitionValue, NamesWithQuotesOrLineBreaksStillReadBackWithTheirNumbers) {
    LayerDefinition definition;
    definition.name = "Say \"hi\"\nnow";
    definition.conditions = 0x8A81;
    definition.defaultAttributes = 0x10;
    const std::string value = formatLayerDefinition(definition);
    EXPECT_EQ(value, "\"Say 'hi' now\",8A81,10");
    const LayerDefinition read = parseLayerDefinition(value);
    EXPECT_EQ(read.conditions, 0x8A81u);
    EXPECT_EQ(read.defaultAttributes, 0x10u);
}

TEST(StartupLayerTable, AFileWithoutLayerKeysGetsTheDefaultTableWritten) {
    TempDir dir;
    const auto path = settingsFilePath(dir.path());
    writeFile(path, "[VyrnKey]\nWindow=0 1 0 0 0 0 0 0 0 0\nLayer0=\n");
    const StartupLayers first = loadStartupLayerTable(path);
    EXPECT_TRUE(first.defaultsBuilt);
    EXPECT_EQ(first.table, defaultLayerTable());
    EXPECT_NE(readFile(path).find("Window=0 1 0 0"), std::string::npos);
    const StartupLayers second = loadStartupLayerTable(path);
    EXPECT_FALSE(second.defaultsBuilt);
    EXPECT_EQ(second.table, defaultLayerTable());
}

TEST(StartupLayerTable, ATableWithAGapIsKeptAsItIs) {
    TempDir dir;
    const auto path = dir / "Vyrn.Ini";
    writeFile(path, "[vyrnkey]\nlayer0=\"A\",8A80,10\nLAYER2=\"C\",8A86,10\n");
    const StartupLayers layers = loadStartupLayerTable(path);
    EXPECT_FALSE(layers.defaultsBuilt);
    EXPECT_EQ(layers.table[0].name, "A");
    EXPECT_TRUE(layers.table[1].name.empty());
    EXPECT_EQ(layers.table[2].name, "C");
}

}  // namespace
}  // namespace kbxdoc
