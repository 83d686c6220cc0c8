#include <gtest/gtest.h>

#include "editor/ui/dialogs/caption/caption_prompts.h"
#include "editor/ui/dialogs/caption/tests/caption_test_support.h"

namespace keyui::dialogs {
namespace {

using testing::whenModalShows;

TEST(QtCaptionPrompts, TheFontDialogStartsFromTheRecordAndAnswersInTenthsOfAPoint) {
    QtCaptionPrompts prompts;
    FontRequest request;
    request.font.faceName.assign("Liberation Serif");
    request.font.height = 120;  // a font height of 12 x 10
    request.font.weight = 700;
    request.font.italic = 1;
    request.colour = 0x0000FF;
    whenModalShows([](QDialog& dialog) { dialog.accept(); });
    const std::optional<FontChoice> choice = prompts.chooseFont(nullptr, request);
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->font.faceName.view(), "Liberation Serif");
    EXPECT_EQ(choice->pointSizeTenths, 120);
    EXPECT_EQ(choice->font.height, -120);
    EXPECT_EQ(choice->font.weight, 700);
    EXPECT_EQ(choice->font.italic, 1);
    EXPECT_EQ(choice->colour, 0x0000FFu);
}

TEST(QtCaptionPrompts, ACancelledColourDialogGivesNothingAndAConfirmedOneItsColour) {
    QtCaptionPrompts prompts;
    whenModalShows([](QDialog& dialog) { dialog.reject(); });
    EXPECT_FALSE(prompts.chooseColour(nullptr, 0x123456).has_value());
    whenModalShows([](QDialog& dialog) { dialog.accept(); });
    EXPECT_EQ(prompts.chooseColour(nullptr, 0x123456), 0x123456u);
}

}  // namespace
}  // namespace keyui::dialogs
