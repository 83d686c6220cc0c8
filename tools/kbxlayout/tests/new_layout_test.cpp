#include "tools/kbxlayout/new_layout.h"

#include <gtest/gtest.h>

#include "editor/document/key_table.h"
#include "editor/persist/layout_names.h"
#include "tests/support/files.h"
#include "tools/kbxlayout/catalogue_names.h"

namespace kbxlayout {
namespace {

struct NameCase {
    std::string_view typed;
    std::optional<int> found;
};

TEST(CatalogueNames, ModelsAreFoundByNameInAnyLetterCase) {
    const std::vector<NameCase> cases{
        {"Tarn", 14}, {"tarn", 14}, {"NABE", 8}, {"nabe2", 12}, {"Hask", 0}, {"Nabe3", {}}, {"", {}}, {"Tar", {}},
    };
    for (const NameCase& c : cases) EXPECT_EQ(modelByName(c.typed), c.found) << c.typed;
}

TEST(CatalogueNames, TemplatesAreFoundByTemplateNameOrButtonText) {
    const std::vector<NameCase> cases{
        {"dalo", 0}, {"GormA", 3}, {"gorm alpha", 3}, {"Quin", 14}, {"Quin V1", 16}, {"VelkA", 16},
        {"TarnA", 18}, {"Hask W/X", 4}, {"Rill", 19}, {"Quin V2", {}}, {"", {}},
    };
    for (const NameCase& c : cases) EXPECT_EQ(buttonByTemplateName(c.typed), c.found) << c.typed;
}

TEST(CatalogueNames, CountriesAreFoundByTheirTwoLetterCode) {
    EXPECT_EQ(countryByCode("GR"), 0);
    EXPECT_EQ(countryByCode("us"), 1);
    EXPECT_EQ(countryByCode("SP"), 7);
    EXPECT_EQ(countryByCode("DE"), std::nullopt);
    EXPECT_EQ(countryByCode("G"), std::nullopt);
    EXPECT_EQ(countryByCode("GR - Deutschland"), std::nullopt);
}

struct FileCase {
    int button;
    int country;
    bool glidepoint;
    std::string_view file;
};

TEST(TemplateFile, IsTheCataloguesPathInsideTheGivenFolder) {
    const std::vector<FileCase> cases{
        {16, 1, true, "VelkA/USVelkAg.kbf"},
        {14, 1, true, "Quin/USQuin.kbf"},
        {2, 0, false, "Gorm/GRGorm.kbf"},
        {18, 6, false, "TarnA/UKTarnA.kbf"},
    };
    for (const FileCase& c : cases) {
        kbxdoc::NewDocumentChoice choice;
        choice.buttonPosition = c.button;
        choice.countryIndex = c.country;
        choice.glidepoint = c.glidepoint;
        EXPECT_EQ(templateFileIn("/t/LAY", choice), std::filesystem::path("/t/LAY") / c.file);
    }
}

TEST(NewLayout, ATemplateFolderEarlierInTheListWins) {
    kbxtest::TempDir dir;
    std::filesystem::create_directories(dir / "first" / "Dalo");
    std::filesystem::create_directories(dir / "second" / "dalo");
    kbxtest::writeFile(dir / "second" / "dalo" / "USdalo.kbf", "TYPE DALO\r\n");
    ToolDocument document;
    NewOptions options;
    options.templateName = "Dalo";
    const NewLayout made = makeNewLayout(document, options, {dir / "missing", dir / "first", dir / "second"});
    EXPECT_EQ(made.outcome, Outcome::success);
    // "first" exists and is the folder used; it has no such template.
    EXPECT_FALSE(made.templateFile.has_value());
    EXPECT_EQ(document.keyboard->model, 9);
}

TEST(NewLayout, ATemplateThatReadsReplacesTheResetDocument) {
    kbxtest::TempDir dir;
    std::filesystem::create_directories(dir / "Fenk");
    kbxtest::writeFile(dir / "Fenk" / "FRFenk.kbf", "TYPE FENK\r\nLANGUAGE FR,S\r\n");
    ToolDocument document;
    NewOptions options;
    options.templateName = "fenk";
    options.country = "FR";
    const NewLayout made = makeNewLayout(document, options, {dir.path()});
    ASSERT_TRUE(made.templateFile.has_value());
    EXPECT_EQ(*made.templateFile, dir / "Fenk" / "FRFenk.kbf");
    EXPECT_EQ(document.keyboard->model, 10);
    EXPECT_EQ(document.keyboard->languageCode, "FR");
}

TEST(NewLayout, OposLinesLandOnTheModulePseudoKeys) {
    ToolDocument document;
    NewOptions options;
    options.model = "Lumo";
    options.opos = true;
    ASSERT_EQ(makeNewLayout(document, options, {}).outcome, Outcome::success);
    const auto slotOf = [](std::string_view name) { return *kbxdoc::persist::pseudoKeySlot(name); };
    const kbxdoc::KeyRecord& m1h = document.keyboard->keys[static_cast<std::size_t>(slotOf("M1H"))];
    bool programmed = false;
    for (const kbxdoc::LayerEntry& entry : m1h.layers) programmed |= entry.programming == "{POSMSR1}";
    EXPECT_TRUE(programmed);
    EXPECT_EQ(document.keyboard->msrLrc, 1);
    EXPECT_EQ(document.keyboard->msrBadRead, "Err\\#");  // the escape stays for the compiler
}

}  // namespace
}  // namespace kbxlayout
