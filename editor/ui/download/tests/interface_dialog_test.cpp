// The download-interface dialog: what it opens with, which controls the
// interface radios switch, and the interface string of its choice.
#include <gtest/gtest.h>

#include <map>

#include <cstdlib>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "editor/document/keyboard_data.h"
#include "editor/ui/download/interface_dialog.h"
#include "editor/ui/download/tests/download_test_support.h"

namespace keyui::download {
namespace {

using testing::control;

class InterfaceDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        // No USB switch unless a test makes one.
        ::setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
        keyboard.interfaceName = "COM";
        keyboard.baud = 2400;
        keyboard.parity = "O";
        keyboard.dataBits = 7;
        keyboard.handshake = 1;
    }
    void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

    QRadioButton* radio(InterfaceDialog& dialog, const char* name) { return control<QRadioButton>(dialog, name); }
    QComboBox* combo(InterfaceDialog& dialog, const char* name) { return control<QComboBox>(dialog, name); }

    kbxtest::TempDir config;
    kbxdoc::KeyboardData keyboard;
};

TEST_F(InterfaceDialogTest, ASerialDocumentOpensOnComOneWithItsSettings) {
    InterfaceDialog dialog(keyboard);
    EXPECT_TRUE(radio(dialog, "radio11011")->isChecked());
    EXPECT_FALSE(radio(dialog, "radio11009")->isChecked());
    EXPECT_TRUE(radio(dialog, "radio11013")->isChecked());
    EXPECT_TRUE(radio(dialog, "radio11013")->isEnabled());
    EXPECT_EQ(combo(dialog, "combo11006")->currentText(), "O - Ungerade");
    EXPECT_EQ(combo(dialog, "combo11005")->currentText(), "2400");
    EXPECT_EQ(combo(dialog, "combo11007")->currentText(), "7");
    EXPECT_TRUE(control<QCheckBox>(dialog, "check11008")->isChecked());
    EXPECT_EQ(interfaceString(dialog.choice()), "COM1:2400,O,7,1");
}

TEST_F(InterfaceDialogTest, KeyboardPortNamesInAnyCaseOpenOnAtWithTheSerialControlsOff) {
    for (const char* name : {"AT", "pc", "At"}) {
        keyboard.interfaceName = name;
        InterfaceDialog dialog(keyboard);
        EXPECT_TRUE(radio(dialog, "radio11009")->isChecked()) << name;
        EXPECT_TRUE(radio(dialog, "radio11013")->isChecked()) << name;
        for (const char* serialControl : {"radio11013", "radio11016", "combo11005", "combo11006", "combo11007", "check11008"})
            EXPECT_FALSE(control<QWidget>(dialog, serialControl)->isEnabled()) << name << " " << serialControl;
        EXPECT_EQ(interfaceString(dialog.choice()), "AT");
    }
}

// Each list of the serial settings has a label that names it, goes to it
// with its mnemonic, and is off with it.
TEST_F(InterfaceDialogTest, TheSerialSettingListsHaveLabelsThatFollowThem) {
    keyboard.interfaceName = "AT";
    InterfaceDialog dialog(keyboard);
    std::map<QString, QString> labelled;
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() == nullptr) continue;
        labelled[label->buddy()->objectName()] = label->text();
        EXPECT_FALSE(label->isEnabled()) << label->text().toStdString();
    }
    EXPECT_EQ(labelled, (std::map<QString, QString>{
                            {"combo11006", "&Parität:"}, {"combo11005", "&Baudrate:"}, {"combo11007", "&Datenbits:"}}));
}

TEST_F(InterfaceDialogTest, UnknownSettingsSelectTheFirstEntries) {
    keyboard.baud = 12345;
    keyboard.parity = "";
    keyboard.dataBits = 0;
    InterfaceDialog dialog(keyboard);
    const InterfaceChoice choice = dialog.choice();
    EXPECT_EQ(choice.baud, 300);
    EXPECT_EQ(choice.parity, "E");
    EXPECT_EQ(choice.dataBits, 7);
}

TEST_F(InterfaceDialogTest, TheUsbRadioIsOfferedOnlyWithTheSwitchFile) {
    {
        InterfaceDialog dialog(keyboard);
        EXPECT_FALSE(radio(dialog, "radio11012")->isEnabled());
        EXPECT_EQ(radio(dialog, "radio11012")->text(), "USB (OPOS Treiber erforderlich)");
    }
    std::filesystem::create_directories(config / "LayomatV18");
    kbxtest::writeFile(config / "LayomatV18" / "usb", "");
    InterfaceDialog dialog(keyboard);
    ASSERT_TRUE(radio(dialog, "radio11012")->isEnabled());
    EXPECT_EQ(radio(dialog, "radio11012")->text(), "USB");
    dialog.show();
    testing::clickRadio(radio(dialog, "radio11012"));
    EXPECT_TRUE(radio(dialog, "radio11012")->isChecked());
    EXPECT_FALSE(combo(dialog, "combo11005")->isEnabled());
    EXPECT_EQ(interfaceString(dialog.choice()), "USB");
}

TEST_F(InterfaceDialogTest, ChoosingComTwoAtNineteenThousandTwoHundredGivesItsString) {
    keyboard.interfaceName = "AT";
    keyboard.handshake = 0;
    InterfaceDialog dialog(keyboard);
    dialog.show();
    testing::clickRadio(radio(dialog, "radio11011"));
    ASSERT_TRUE(radio(dialog, "radio11014")->isEnabled());
    testing::clickRadio(radio(dialog, "radio11014"));
    combo(dialog, "combo11005")->setCurrentText("19200");
    combo(dialog, "combo11006")->setCurrentText("N - No Parity");
    combo(dialog, "combo11007")->setCurrentText("7");
    testing::clickRadio(control<QCheckBox>(dialog, "check11008"));
    QTest::mouseClick(control<QPushButton>(dialog, "button1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(interfaceString(dialog.choice()), "COM2:19200,N,7,1");

    // Back to the keyboard port: the serial controls go off again.
    dialog.show();
    testing::clickRadio(radio(dialog, "radio11009"));
    EXPECT_FALSE(radio(dialog, "radio11014")->isEnabled());
    EXPECT_EQ(interfaceString(dialog.choice()), "AT");
}

}  // namespace
}  // namespace keyui::download
