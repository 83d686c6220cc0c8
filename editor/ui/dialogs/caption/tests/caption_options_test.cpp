#include <QSignalSpy>

#include <gtest/gtest.h>

#include "editor/ui/dialogs/caption/caption_commands.h"
#include "editor/ui/dialogs/caption/caption_number.h"
#include "editor/ui/dialogs/caption/caption_options_dialog.h"
#include "editor/ui/dialogs/caption/caption_preview.h"
#include "editor/ui/dialogs/caption/tests/caption_test_support.h"
#include "editor/ui/testing/qt_test_support.h"

namespace keyui::dialogs {
namespace {

using testing::CaptionFixture;
using testing::click;
using testing::control;
using testing::retype;
using testing::whenModalShows;

TEST(CaptionNumbers, ReadAsMuchOfANumberAsTheTextBeginsWith) {
    EXPECT_EQ(captionNumber(QStringLiteral("1,5")), 1.0);
    EXPECT_EQ(captionNumber(QStringLiteral("  2.25mm")), 2.25);
    EXPECT_EQ(captionNumber(QStringLiteral("-3")), -3.0);
    EXPECT_EQ(captionNumber(QStringLiteral("+4.5")), 4.5);
    EXPECT_EQ(captionNumber(QStringLiteral("1e1")), 10.0);
}

TEST(CaptionNumbers, InitialTextsHaveTwoDecimalsAndAPoint) {
    EXPECT_EQ(captionNumberText(0), QStringLiteral("0.00"));
    EXPECT_EQ(captionNumberText(6.3333), QStringLiteral("6.33"));
    EXPECT_EQ(captionNumberText(-1.5), QStringLiteral("-1.50"));
}

TEST(CaptionNumbers, WhatIsNotAFiniteNumberGivesZero) {
    for (const char* text : {"abc", "", ",5", "+-1", "inf", "nan", "1e999", "\xC3\xA4" "1"})
        EXPECT_EQ(captionNumber(QString::fromUtf8(text)), 0.0) << text;
    EXPECT_EQ(captionNumber(QString(100000, QLatin1Char('x'))), 0.0);
}

TEST(CaptionNumbers, AreHeldWithinTheLargestCaptionLength) {
    // Unbounded, "1e300" would be 300 digits in each field of the saved line.
    EXPECT_EQ(captionNumber(QStringLiteral("1e300")), kLargestCaptionLength);
    EXPECT_EQ(captionNumber(QStringLiteral("-1e300")), -kLargestCaptionLength);
    EXPECT_EQ(captionNumber(QStringLiteral("999.5")), 999.5);
}

class CaptionOptionsTest : public ::testing::Test, public CaptionFixture {
protected:
    kbxdoc::CaptionSettings& defaults() { return document.keyboard().captionDefaults; }
};

TEST_F(CaptionOptionsTest, TheGlobalDialogShowsTheDefaultsAndWritesTypedNumbersBackOnOk) {
    defaults().lineSpacing = 0;
    defaults().leftMargin = 1;
    defaults().topMargin = 0.25;
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Global);
    dialog.show();
    EXPECT_EQ(control<QLineEdit>(dialog, "edit11040").text(), QStringLiteral("0.00"));
    EXPECT_EQ(control<QLineEdit>(dialog, "edit11041").text(), QStringLiteral("1.00"));
    EXPECT_EQ(control<QLineEdit>(dialog, "edit11042").text(), QStringLiteral("0.25"));

    retype(dialog, "edit11040", QStringLiteral("1,5"));
    EXPECT_EQ(dialog.workingCopy().lineSpacing, 1.0);
    retype(dialog, "edit11041", QStringLiteral("abc"));
    EXPECT_EQ(dialog.workingCopy().leftMargin, 0.0);
    retype(dialog, "edit11042", QStringLiteral("2.5"));
    EXPECT_EQ(defaults().topMargin, 0.25);  // nothing written before OK

    QSignalSpy redrawn(&document, &KeyDocument::allChanged);
    click(dialog, "button1");
    EXPECT_EQ(defaults().lineSpacing, 1.0);
    EXPECT_EQ(defaults().leftMargin, 0.0);
    EXPECT_EQ(defaults().topMargin, 2.5);
    EXPECT_FALSE(redrawn.isEmpty());
}

TEST_F(CaptionOptionsTest, TheGlobalCommandMarksTheDocumentModifiedOnlyWhenItChangedSomething) {
    whenModalShows([&](QDialog& dialog) { click(dialog, "button2"); });
    runGlobalCaptionOptions(nullptr, document, view, prompts);
    EXPECT_FALSE(document.isModified()) << "cancelled";
    whenModalShows([&](QDialog& dialog) {
        retype(dialog, "edit11042", QStringLiteral("2.5"));
        click(dialog, "button1");
    });
    runGlobalCaptionOptions(nullptr, document, view, prompts);
    EXPECT_TRUE(document.isModified());
    EXPECT_EQ(document.history().undoText(), "Beschriftungsoptionen");
}

TEST_F(CaptionOptionsTest, ColoursStartAtTheCurrentOneAndAreStoredOnOk) {
    defaults().textColour = 0x0000FF;
    defaults().keyColour = 0xFFFFFF;
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Global);
    dialog.show();
    prompts.colour = 0x00FF00;
    click(dialog, "button11029");
    EXPECT_EQ(prompts.colourAskedWith, 0x0000FFu);
    prompts.colour = 0x123456;
    click(dialog, "button11030");
    EXPECT_EQ(prompts.colourAskedWith, 0xFFFFFFu);
    prompts.colour.reset();  // a cancelled colour dialog changes nothing
    click(dialog, "button11030");
    click(dialog, "button1");
    EXPECT_EQ(defaults().textColour, 0x00FF00u);
    EXPECT_EQ(defaults().keyColour, 0x123456u);
}

TEST_F(CaptionOptionsTest, AbbruchRestoresNumbersAndColoursButAChosenFontStays) {
    defaults().fontHeight = 4;
    defaults().textColour = 0x0000FF;
    defaults().lineSpacing = 3;
    const kbxdoc::CaptionSettings before = defaults();
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Global);
    dialog.show();

    FontChoice choice;
    choice.font.faceName.assign("Liberation Serif");
    choice.font.height = -120;
    choice.font.weight = 700;
    choice.colour = 0x008000;
    choice.pointSizeTenths = 120;
    prompts.font = choice;
    click(dialog, "button11032");
    ASSERT_TRUE(prompts.fontAskedWith.has_value());
    EXPECT_EQ(prompts.fontAskedWith->font.height, 40);  // font height x 10
    EXPECT_EQ(prompts.fontAskedWith->colour, 0x0000FFu);
    EXPECT_EQ(dialog.workingCopy().fontHeight, 12.0);
    EXPECT_EQ(dialog.workingCopy().textColour, 0x008000u);

    prompts.colour = 0x00FFFF;
    click(dialog, "button11030");
    retype(dialog, "edit11040", QStringLiteral("7"));
    click(dialog, "button2");

    EXPECT_EQ(defaults().font.faceName.view(), "Liberation Serif");
    EXPECT_EQ(defaults().font.weight, 700);
    EXPECT_EQ(defaults().fontHeight, before.fontHeight);
    EXPECT_EQ(defaults().textColour, before.textColour);
    EXPECT_EQ(defaults().keyColour, before.keyColour);
    EXPECT_EQ(defaults().lineSpacing, before.lineSpacing);
}

TEST_F(CaptionOptionsTest, TheCurrentKeyCopyKeepsTheFontChosenForTheSingleSelectedKey) {
    select(11);
    key(kbxdoc::kCurrentKeySlot) = key(11);
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Key, 11);
    dialog.show();
    FontChoice choice;
    choice.font.faceName.assign("Liberation Mono");
    choice.pointSizeTenths = 50;
    prompts.font = choice;
    click(dialog, "button11032");
    click(dialog, "button2");
    EXPECT_EQ(key(11).captionSettings.font.faceName.view(), "Liberation Mono");
    EXPECT_EQ(key(kbxdoc::kCurrentKeySlot).captionSettings, key(11).captionSettings);
}

TEST_F(CaptionOptionsTest, AFontWithoutPointSizeMeansTheDefaultFont) {
    defaults().font.faceName.assign("Liberation Mono");
    defaults().fontHeight = 5;
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Global);
    dialog.show();
    FontChoice choice;
    choice.font.faceName.assign("Liberation Serif");
    choice.pointSizeTenths = 0;
    prompts.font = choice;
    click(dialog, "button11032");
    click(dialog, "button1");
    EXPECT_EQ(defaults().fontHeight, 0.0);
    EXPECT_TRUE(defaults().font.faceName.empty());
}

TEST_F(CaptionOptionsTest, TheGroupStartsFromTheHighestSelectedKeyAndWritesOnlyOrdinaryKeys) {
    select(5);
    select(20);
    select(190);
    key(190).captionSettings.leftMargin = 2;
    key(190).captionSettings.font.faceName.assign("Liberation Mono");
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Group);
    dialog.show();
    EXPECT_EQ(control<QLineEdit>(dialog, "edit11041").text(), QStringLiteral("2.00"));
    retype(dialog, "edit11042", QStringLiteral("1.75"));
    prompts.colour = 0x00AA00;
    click(dialog, "button11030");
    click(dialog, "button1");

    for (int slot : {5, 20}) {
        EXPECT_EQ(key(slot).captionSettings.leftMargin, 2.0) << slot;
        EXPECT_EQ(key(slot).captionSettings.topMargin, 1.75) << slot;
        EXPECT_EQ(key(slot).captionSettings.keyColour, 0x00AA00u) << slot;
        EXPECT_EQ(key(slot).captionSettings.font.faceName.view(), "Liberation Mono") << slot;
    }
    EXPECT_EQ(key(190).captionSettings.topMargin, 0.0);
    EXPECT_EQ(key(6).captionSettings.topMargin, 0.0);
    EXPECT_EQ(defaults().topMargin, 0.0);
}

TEST_F(CaptionOptionsTest, TheGroupCommandWithNothingSelectedOpensNothing) {
    bool opened = false;
    whenModalShows([&](QDialog& dialog) {
        opened = true;
        dialog.reject();
    });
    QSignalSpy redrawn(&document, &KeyDocument::allChanged);
    runGroupCaptionOptions(nullptr, document, view, prompts);
    QTest::qWait(20);
    EXPECT_FALSE(opened);
    EXPECT_TRUE(redrawn.isEmpty());
    EXPECT_FALSE(document.isModified());
}

TEST_F(CaptionOptionsTest, TheGroupCommandRepaintsTheViewAfterTheDialog) {
    select(5);
    select(6);
    whenModalShows([&](QDialog& dialog) {
        retype(dialog, "edit11040", QStringLiteral("2"));
        click(dialog, "button1");
    });
    QSignalSpy redrawn(&document, &KeyDocument::allChanged);
    runGroupCaptionOptions(nullptr, document, view, prompts);
    EXPECT_EQ(key(5).captionSettings.lineSpacing, 2.0);
    EXPECT_EQ(key(6).captionSettings.lineSpacing, 2.0);
    EXPECT_FALSE(redrawn.isEmpty());
    EXPECT_TRUE(document.isModified());
}

// The preview: the cap face in the key colour, the legend in the text colour.
class CaptionPreviewTest : public CaptionOptionsTest {
protected:
    static constexpr std::uint32_t kTextColour = 0x0000FF;
    static constexpr std::uint32_t kKeyColour = 0xFFCC00;
    static constexpr int kTolerance = 40;

    QImage previewOf(CaptionOptionsDialog& dialog) { return dialog.preview().rendered(); }
    // A pixel of the cap face away from the legend, near its bottom-right corner.
    std::uint32_t faceCorner(const QImage& image) {
        const auto& keyboard = document.keyboard();
        const int x = static_cast<int>(kScale * keyboard.capSurroundX);
        const int side = static_cast<int>(kScale * kPreviewKeySide);
        return keyui::testing::pixelValue(image, x + side - 3, x + side - 3);
    }
};

TEST_F(CaptionPreviewTest, DrawsThe13MillimetreKeyInTheWorkingColoursWithTheSampleText) {
    defaults().textColour = kTextColour;
    defaults().keyColour = kKeyColour;
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Global);
    dialog.show();
    EXPECT_EQ(dialog.workingCopy().previewText, kPreviewSample);
    const QImage image = previewOf(dialog);
    const auto& keyboard = document.keyboard();
    EXPECT_EQ(image.width(), static_cast<int>(std::ceil(kScale * (2 * keyboard.capSurroundX + kPreviewKeySide))));
    EXPECT_EQ(faceCorner(image), kKeyColour);
    EXPECT_GT(testing::pixelsNear(image, kTextColour, kTolerance), 20);

    prompts.colour = 0x00FF00;
    click(dialog, "button11030");
    EXPECT_EQ(faceCorner(previewOf(dialog)), 0x00FF00u);
}

TEST_F(CaptionPreviewTest, AKeyShowsItsOwnCaptionUnlessItIsEmptyOrStartsWithABackslash) {
    struct Case {
        const char* caption;
        const char* previewed;
    };
    for (const Case& c : {Case{"Tab", "Tab"}, Case{"", kPreviewSample},
                          Case{"\\*picfile:/nowhere/not-a-bitmap.bmp", kPreviewSample}}) {
        key(8).caption = c.caption;
        key(8).captionSettings.keyColour = kKeyColour;
        key(8).captionSettings.textColour = kTextColour;
        CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Key, 8);
        dialog.show();
        EXPECT_EQ(dialog.workingCopy().previewText, c.previewed);
        const QImage image = previewOf(dialog);
        EXPECT_EQ(faceCorner(image), kKeyColour) << c.caption;
        EXPECT_GT(testing::pixelsNear(image, kTextColour, kTolerance), 10) << c.caption;
    }
}

TEST_F(CaptionPreviewTest, TypedMarginsMoveTheLegend) {
    defaults().textColour = kTextColour;
    defaults().keyColour = kKeyColour;
    CaptionOptionsDialog dialog(nullptr, document, view, prompts, CaptionScope::Global);
    dialog.show();
    const auto leftmostText = [&](const QImage& image) {
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (testing::pixelNear(image, x, y, kTextColour, kTolerance)) return x;
        return -1;
    };
    const int before = leftmostText(previewOf(dialog));
    retype(dialog, "edit11041", QStringLiteral("4"));
    const int after = leftmostText(previewOf(dialog));
    ASSERT_GE(before, 0);
    EXPECT_NEAR(after - before, static_cast<int>(kScale * 3), 2);
}

}  // namespace
}  // namespace keyui::dialogs
