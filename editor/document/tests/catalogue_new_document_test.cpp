// The new-document flow: countries, buttons, template paths and the model a
// document without a template gets.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "editor/document/catalogue.h"
#include "editor/document/new_document.h"

namespace kbxdoc {
namespace {

TEST(NewDocumentCountries, LanguageCodesAreTheFirstTwoCharacters) {
    const std::vector<std::string_view> codes{"GR", "US", "IT", "FR", "SF", "SG", "UK", "SP"};
    ASSERT_EQ(countryEntries().size(), codes.size());
    for (std::size_t index = 0; index < codes.size(); ++index) {
        EXPECT_EQ(languageCode(static_cast<int>(index)), codes[index]);
    }
    EXPECT_EQ(countryEntries()[4], "SF - Schweiz franz\xF6sisch");  // Windows-1252
    EXPECT_EQ(languageCode(-1), "GR");  // an empty selection
    EXPECT_EQ(languageCode(8), "GR");
}

TEST(NewDocumentChoice, OpensOnTheFirstButtonAndTheInternationalEntry) {
    const NewDocumentChoice initial;
    EXPECT_EQ(modelButton(initial.buttonPosition)->id, kFirstModelButtonId);
    EXPECT_EQ(countryEntries()[static_cast<std::size_t>(initial.countryIndex)], "US - International");
}

struct PathCase {
    int position;
    int country;
    bool glidepoint;
    std::string path;
};

TEST(TemplatePath, IsFolderLayNameCodeNameAndGlidepointOnlyForItsVariants) {
    const std::vector<PathCase> cases{
        {16, 1, true, "/opt/key/LAY/VelkA/USVelkAg.kbf"},
        {16, 1, false, "/opt/key/LAY/VelkA/USVelkA.kbf"},
        {14, 1, true, "/opt/key/LAY/Quin/USQuin.kbf"},
        {12, 0, true, "/opt/key/LAY/Orsk/GROrskg.kbf"},
        {18, 6, true, "/opt/key/LAY/TarnA/UKTarnAg.kbf"},
        {2, 1, true, "/opt/key/LAY/Gorm/USGorm.kbf"},
        {0, -1, false, "/opt/key/LAY/dalo/GRdalo.kbf"},
        {19, 7, false, "/opt/key/LAY/Rill/SPRill.kbf"},
        {25, 1, false, "/opt/key/LAY/dalo/USdalo.kbf"},
    };
    for (const PathCase& c : cases) {
        EXPECT_EQ(templatePath("/opt/key/", NewDocumentChoice{c.position, c.country, c.glidepoint, false}), c.path);
    }
    EXPECT_EQ(templatePath("/opt/key", NewDocumentChoice{2, 1, false, false}), "/opt/key/LAY/Gorm/USGorm.kbf");
    EXPECT_EQ(templatePath("", NewDocumentChoice{2, 1, false, false}), "LAY/Gorm/USGorm.kbf");
    int variants = 0;
    for (const ModelButton& button : modelButtons()) variants += button.glidepointVariant ? 1 : 0;
    EXPECT_EQ(variants, 3);
}

TEST(ModelButtons, AreNumberedFromTheFirstIdWithTheirTexts) {
    ASSERT_EQ(modelButtons().size(), static_cast<std::size_t>(kModelButtonCount));
    for (int position = 0; position < kModelButtonCount; ++position) {
        EXPECT_EQ(modelButton(position)->id, kFirstModelButtonId + position);
    }
    EXPECT_EQ(modelButton(4)->text, "Hask W/X");
    EXPECT_EQ(modelButton(16)->text, "Quin V1");
    EXPECT_EQ(modelButton(-1), nullptr);
    EXPECT_EQ(modelButton(kModelButtonCount), nullptr);
}

TEST(ModelButtons, GiveTheModelOfTheirTemplateNotTheirPosition) {
    const std::vector<int> expected{9, 10, 6, 5, 0, 1, 2, 3, 7, 8, 12, 12, 4, 5, 13, 13, 4, 14, 4, 3};
    for (int position = 0; position < kModelButtonCount; ++position) {
        const int model = modelForButton(position);
        EXPECT_EQ(model, expected[static_cast<std::size_t>(position)]) << position;
        ASSERT_NE(findKeyboardModel(model), nullptr);
        EXPECT_NE(findKeyboardModel(model)->layout, LayoutKind::None) << position;
    }
    EXPECT_EQ(modelForButton(40), 9);
}

class ConfirmNewDocument : public ::testing::Test {
protected:
    ConfirmNewDocument() {
        folder = std::filesystem::temp_directory_path() /
                 ("catalogue_new_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder / "LAY" / "Gorm");
        std::ofstream(folder / "LAY" / "Gorm" / "USGorm.kbf") << "TYPE GORM\r\n";
        prefix = folder.string() + "/";
    }
    ~ConfirmNewDocument() override { std::filesystem::remove_all(folder); }

    TemplateOpener recording(bool opens) {
        return [this, opens](const std::string& path) {
            opened.push_back(path);
            return opens;
        };
    }

    std::filesystem::path folder;
    std::string prefix;
    std::vector<std::string> opened;
};

TEST_F(ConfirmNewDocument, AnExistingTemplateIsOpened) {
    const NewDocumentResult result = confirmNewDocument(prefix, NewDocumentChoice{2, 1, false, true}, recording(true));
    EXPECT_TRUE(result.confirmed);
    EXPECT_TRUE(result.templateOpened);
    EXPECT_TRUE(result.oposRequested);
    EXPECT_EQ(result.buttonPosition, 2);
    EXPECT_EQ(opened, std::vector<std::string>{prefix + "LAY/Gorm/USGorm.kbf"});
}

TEST_F(ConfirmNewDocument, ATemplateThatDoesNotOpenCountsAsMissing) {
    const NewDocumentResult result = confirmNewDocument(prefix, NewDocumentChoice{2, 1, false, false}, recording(false));
    EXPECT_FALSE(result.templateOpened);
    EXPECT_EQ(result.model, 6);
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(ConfirmNewDocument, AMissingTemplateOpensNothingAndGivesTheButtonsModel) {
    const NewDocumentResult result = confirmNewDocument(prefix, NewDocumentChoice{18, 1, true, false}, recording(true));
    EXPECT_TRUE(result.confirmed);
    EXPECT_FALSE(result.templateOpened);
    EXPECT_FALSE(result.oposRequested);
    EXPECT_EQ(result.model, 4);
    EXPECT_TRUE(opened.empty());

    const NewDocumentResult other = confirmNewDocument(prefix, NewDocumentChoice{2, 0, false, false}, recording(true));
    EXPECT_FALSE(other.templateOpened);  // only the US template is there
}

TEST_F(ConfirmNewDocument, AButtonOutsideTheDialogCountsAsTheFirst) {
    const NewDocumentResult result = confirmNewDocument(prefix, NewDocumentChoice{-3, 1, false, false}, recording(true));
    EXPECT_EQ(result.buttonPosition, 0);
    EXPECT_EQ(result.model, 9);
    EXPECT_FALSE(cancelNewDocument().confirmed);
}

}  // namespace
}  // namespace kbxdoc
