#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "editor/document/key_table.h"
#include "editor/ui/dialogs/keyboard/keyboard_sheet.h"
#include "editor/ui/dialogs/keyboard/rate_positions.h"

namespace keyui::dialogs {
namespace {

enum Page { kCountry, kInterface, kSound, kRate, kKeyShape };

class KeyboardSheetTest : public ::testing::Test {
protected:
    void SetUp() override {
        context_ = document_.documentContext();
        kbxdoc::resetKeyboardData(context_);
        document_.setModified(false);
    }

    kbxdoc::KeyboardData& keyboard() { return document_.keyboard(); }
    void open() {
        sheet_ = buildKeyboardSettingsSheet(nullptr, document_, context_);
        sheet_->show();
    }
    // Shows the page (so that OK writes it back) and finds one of its controls.
    template <typename Control>
    Control* control(Page page, const char* name) {
        sheet_->setActivePage(page);
        return sheet_->page(page)->findChild<Control*>(QString::fromLatin1(name));
    }
    void clickOk() { QTest::mouseClick(sheet_->okButton(), Qt::LeftButton); }

    KeyDocument document_;
    kbxdoc::ActiveContext context_;
    std::unique_ptr<PropertySheet> sheet_;
};

TEST_F(KeyboardSheetTest, SheetHasTheFivePagesInOrder) {
    open();
    EXPECT_EQ(sheet_->windowTitle(), "Keyboard Parameter einstellen");
    ASSERT_EQ(sheet_->pageCount(), 5);
    const QStringList titles{"Land", "Schnittstelle", "Ton", "Tastenwiederholung", "Tastenform"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(sheet_->pageTitle(i), titles[i]);
}

TEST_F(KeyboardSheetTest, CountryCodeSelectsItsEntryAndUnknownCodesTheFirst) {
    keyboard().languageCode = "SF";
    open();
    auto* list = control<QComboBox>(kCountry, "combo11002");
    EXPECT_EQ(list->currentText(), "SF - Schweiz (Französisch)");
    EXPECT_EQ(list->itemText(0), "FR - Frankreich (FR189)");  // sorted

    keyboard().languageCode = "XX";
    open();
    EXPECT_EQ(control<QComboBox>(kCountry, "combo11002")->currentIndex(), 0);
}

TEST_F(KeyboardSheetTest, CountryPageStoresTheCodeTheLockModeAndTheHotkeys) {
    open();
    EXPECT_TRUE(control<QRadioButton>(kCountry, "radio11003")->isChecked());  // ShiftLock 1
    auto* list = control<QComboBox>(kCountry, "combo11002");
    list->setCurrentIndex(list->findText("UK - Großbritannien (UK166)"));
    control<QRadioButton>(kCountry, "radio11004")->click();
    control<QCheckBox>(kCountry, "check11053")->setChecked(true);
    clickOk();
    EXPECT_EQ(keyboard().languageCode, "UK");
    EXPECT_EQ(keyboard().shiftLock, 0);
    EXPECT_EQ(keyboard().capsLock, 1);
    EXPECT_EQ(keyboard().hotkeyMode, 1);
    EXPECT_TRUE(document_.isModified());
}

TEST_F(KeyboardSheetTest, SerialSettingsAreOpenOnlyForCom) {
    keyboard().interfaceName = "PC";
    open();
    EXPECT_TRUE(control<QRadioButton>(kInterface, "radio11010")->isChecked());
    for (const char* name : {"combo11005", "combo11006", "combo11007", "check11008"})
        EXPECT_FALSE(control<QWidget>(kInterface, name)->isEnabled()) << name;
    control<QRadioButton>(kInterface, "radio11011")->click();
    for (const char* name : {"combo11005", "combo11006", "combo11007", "check11008"})
        EXPECT_TRUE(control<QWidget>(kInterface, name)->isEnabled()) << name;
    control<QRadioButton>(kInterface, "radio11009")->click();
    EXPECT_FALSE(control<QWidget>(kInterface, "combo11005")->isEnabled());
}

TEST_F(KeyboardSheetTest, InterfacePageReadsAndStoresTheSerialSettings) {
    keyboard().interfaceName = "com";
    keyboard().parity = "N";
    keyboard().baud = 19200;
    keyboard().dataBits = 7;
    open();
    EXPECT_TRUE(control<QRadioButton>(kInterface, "radio11011")->isChecked());
    EXPECT_EQ(control<QComboBox>(kInterface, "combo11006")->currentText(), "N - Keine Parität");
    EXPECT_EQ(control<QComboBox>(kInterface, "combo11005")->currentText(), "19200");
    auto* baud = control<QComboBox>(kInterface, "combo11005");
    baud->setCurrentIndex(baud->findText("2400"));
    control<QComboBox>(kInterface, "combo11006")->setCurrentIndex(0);
    control<QCheckBox>(kInterface, "check11008")->setChecked(true);
    control<QCheckBox>(kInterface, "check11052")->setChecked(true);
    clickOk();
    EXPECT_EQ(keyboard().interfaceName, "COM");
    EXPECT_EQ(keyboard().parity, "E");
    EXPECT_EQ(keyboard().baud, 2400);
    EXPECT_EQ(keyboard().dataBits, 7);
    EXPECT_EQ(keyboard().handshake, 1);
    EXPECT_EQ(keyboard().chainedKeyboardInit, 1);
}

TEST_F(KeyboardSheetTest, DurationsMoveInStepsOfTwenty) {
    keyboard().clickDuration = 45;
    keyboard().alarmDuration = 400;
    keyboard().clickVolume = 33;
    open();
    auto* click = control<QSlider>(kSound, "slider11015");
    EXPECT_EQ(click->value(), 2);
    EXPECT_EQ(click->maximum(), 255);
    EXPECT_EQ(click->tickInterval(), 10);
    EXPECT_EQ(control<QSlider>(kSound, "slider11017")->value(), 20);
    EXPECT_EQ(control<QSlider>(kSound, "slider11014")->value(), 33);
    // Each slider shows the value it stands for, and follows its moves.
    EXPECT_EQ(control<QLabel>(kSound, "value11015")->text(), "40 ms");
    EXPECT_EQ(control<QLabel>(kSound, "value11014")->text(), "33 %");
    control<QSlider>(kSound, "slider11016")->setValue(70);
    EXPECT_EQ(control<QLabel>(kSound, "value11016")->text(), "70 %");
    clickOk();
    EXPECT_EQ(keyboard().clickDuration, 40);
    EXPECT_EQ(keyboard().alarmDuration, 400);
    EXPECT_EQ(keyboard().clickVolume, 33);
    EXPECT_EQ(keyboard().alarmVolume, 70);
}

TEST(RatePositions, RatesAndDelaysMapToTheirSliderPositionsAndBack) {
    EXPECT_EQ(ratePosition(2), 0);
    EXPECT_EQ(ratePosition(10), 1);
    EXPECT_EQ(ratePosition(20), 2);
    EXPECT_EQ(ratePosition(30), 3);
    EXPECT_EQ(ratePosition(15), 2);
    for (auto [position, rate] : {std::pair{0, 2}, {1, 10}, {2, 20}, {3, 30}})
        EXPECT_EQ(rateOfPosition(position), rate) << position;
    EXPECT_EQ(delayPosition(500), 2);
    EXPECT_EQ(delayPosition(999), 3);
    EXPECT_EQ(delayPosition(100), 1);   // below the slider's range
    EXPECT_EQ(delayPosition(5000), 4);  // above it
    EXPECT_EQ(delayOfPosition(1), 250);
    EXPECT_EQ(delayOfPosition(4), 1000);
}

TEST(RatePositions, SlowKeyModeIsTheTextBeforeTheDash) {
    EXPECT_EQ(slowKeyModeOf("DEFAULT -  Normal"), "DEFAULT");
    EXPECT_EQ(slowKeyModeOf("VERY SLOW - Sehr langsam"), "VERY SLOW");
    EXPECT_EQ(slowKeyModeOf("FAST - Schnell"), "FAST");
    EXPECT_EQ(slowKeyModeOf("OHNE"), "OHNE");
    EXPECT_EQ(slowKeyModeOf("-x"), "");
}

TEST_F(KeyboardSheetTest, RatePageRoundsAnUnknownRateToTwentyAndStoresTheMode) {
    keyboard().rate = 15;
    keyboard().delay = 750;
    keyboard().slowKeyRate = "VERY SLOW";
    open();
    EXPECT_EQ(control<QSlider>(kRate, "slider11019")->value(), 2);
    EXPECT_EQ(control<QSlider>(kRate, "slider11020")->value(), 3);
    EXPECT_EQ(control<QLabel>(kRate, "value11019")->text(), "20 Zeichen/s");
    EXPECT_EQ(control<QLabel>(kRate, "value11020")->text(), "750 ms");
    EXPECT_EQ(control<QComboBox>(kRate, "combo11021")->currentText(), "VERY SLOW - Sehr langsam");
    clickOk();
    EXPECT_EQ(keyboard().rate, 20);
    EXPECT_EQ(keyboard().delay, 750);
    EXPECT_EQ(keyboard().slowKeyRate, "VERY SLOW");
}

class KeyShapeTest : public KeyboardSheetTest {
protected:
    void SetUp() override {
        KeyboardSheetTest::SetUp();
        keyboard().capWidth = 13;
        keyboard().capHeight = 13;
        for (kbxdoc::KeyRecord& key : keyboard().keys) key.templateGeometry = key.current = {};
        keyboard().keys[0].templateGeometry = keyboard().keys[0].current = {10, 10, 13, 13};
        keyboard().keys[1].templateGeometry = keyboard().keys[1].current = {30, 10, 28, 13};
        keyboard().keys[2].templateGeometry = keyboard().keys[2].current = {60, 10, 15, 15};
    }
};

TEST_F(KeyShapeTest, SwitchingTo12mmResizesSingleSizeKeysOnly) {
    open();
    EXPECT_TRUE(control<QRadioButton>(kKeyShape, "radio11039")->isChecked());
    QSignalSpy redraws(&document_, &KeyDocument::allChanged);
    control<QRadioButton>(kKeyShape, "radio11038")->click();
    clickOk();
    EXPECT_EQ(keyboard().capWidth, 12);
    EXPECT_EQ(keyboard().capHeight, 12);
    EXPECT_EQ(keyboard().keys[0].current, (kbxdoc::Rect{10, 10, 12, 12}));
    EXPECT_EQ(keyboard().keys[0].templateGeometry, (kbxdoc::Rect{10, 10, 12, 12}));
    EXPECT_EQ(keyboard().keys[2].current, (kbxdoc::Rect{60, 10, 12, 12}));
    EXPECT_EQ(keyboard().keys[1].current, (kbxdoc::Rect{30, 10, 28, 13}));
    EXPECT_EQ(keyboard().keys[3].current, kbxdoc::Rect{});
    EXPECT_GE(redraws.count(), 1);
}

TEST_F(KeyShapeTest, KeepingTheSizeResizesNothing) {
    keyboard().keys[0].current.width = 14;  // an edited key keeps its size
    open();
    control<QWidget>(kKeyShape, "radio11039");
    clickOk();
    EXPECT_EQ(keyboard().keys[0].current.width, 14);
    EXPECT_TRUE(document_.isModified());
}

TEST_F(KeyShapeTest, AbbrechenChangesNothing) {
    const kbxdoc::KeyboardData before = keyboard();
    open();
    control<QRadioButton>(kKeyShape, "radio11038")->click();
    control<QRadioButton>(kInterface, "radio11011")->click();
    control<QSlider>(kSound, "slider11014")->setValue(1);
    control<QSlider>(kRate, "slider11019")->setValue(0);
    control<QRadioButton>(kCountry, "radio11004")->click();
    QTest::mouseClick(sheet_->cancelButton(), Qt::LeftButton);
    EXPECT_EQ(keyboard(), before);
    EXPECT_FALSE(document_.isModified());
}

TEST_F(KeyboardSheetTest, NineteenMillimetreCapsShowNoChoiceAndKeepTheirSizeUnlessOneIsMade) {
    ASSERT_EQ(keyboard().capWidth, 19);  // the grid-only model of a new keyboard
    const kbxdoc::Rect firstKey = keyboard().keys[0].current;
    open();
    EXPECT_FALSE(control<QRadioButton>(kKeyShape, "radio11038")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(kKeyShape, "radio11039")->isChecked());
    control<QRadioButton>(kKeyShape, "radio11038")->click();
    clickOk();
    EXPECT_EQ(keyboard().capWidth, 12);
    EXPECT_EQ(keyboard().keys[0].current, firstKey);  // wider than 15 mm
}

TEST_F(KeyboardSheetTest, OkWithoutChangesKeepsTheDefaults) {
    const kbxdoc::KeyboardData before = keyboard();
    open();
    for (Page page : {kCountry, kInterface, kSound, kRate, kKeyShape}) sheet_->setActivePage(page);
    clickOk();
    EXPECT_EQ(keyboard(), before);
}

TEST_F(KeyboardSheetTest, TheCommandRunsTheSheetModallyAndOkMarksTheDocumentModified) {
    QTimer::singleShot(0, [] {
        auto* sheet = qobject_cast<PropertySheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        sheet->setActivePage(kSound);
        sheet->findChild<QSlider*>("slider11014")->setValue(50);
        QTest::mouseClick(sheet->okButton(), Qt::LeftButton);
    });
    runKeyboardSettingsSheet(nullptr, document_, context_);
    EXPECT_EQ(keyboard().clickVolume, 50);
    EXPECT_TRUE(document_.isModified());
}

}  // namespace
}  // namespace keyui::dialogs
