// The about box's keyboard version button: one query per opening, its
// answer in the static text, the focus on the edit box after a header.

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <filesystem>

#include "editor/ui/app/about_dialog.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

class AboutDialogTest : public AppTest {
protected:
    // Shows the dialog non-modally with a query that answers `answer` and
    // counts its runs.
    void open(download::VersionQueryResult answer) {
        about.setVersionQuery([this, answer] {
            ++queries;
            return answer;
        });
        about.show();
        about.versionButton()->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    }

    void press() { QTest::mouseClick(about.versionButton(), Qt::LeftButton); }

    AboutDialog about;
    int queries = 0;
};

TEST_F(AboutDialogTest, AHeaderIsShownOnceAndTheFocusMovesToTheEditBox) {
    open({QStringLiteral("Firmware ID: 5631  Checksum: 0000\nLenght: 013D  Language: GR SHIFT LOCK"), true});
    press();
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(about.result()->text(),
              "Firmware ID: 5631  Checksum: 0000\nLenght: 013D  Language: GR SHIFT LOCK");
    EXPECT_TRUE(about.hint()->toPlainText().isEmpty()) << "the hint is cleared";
    EXPECT_TRUE(about.hint()->hasFocus());
    EXPECT_FALSE(about.versionButton()->isEnabled());

    press();
    EXPECT_EQ(queries, 1) << "a second press does nothing";
}

TEST_F(AboutDialogTest, AFailureTextIsShownAndTheFocusStays) {
    open({QStringLiteral("No Vyrn keyboard detected !"), false});
    press();
    EXPECT_EQ(about.result()->text(), "No Vyrn keyboard detected !");
    EXPECT_FALSE(about.hint()->hasFocus());
    EXPECT_FALSE(about.versionButton()->isEnabled());
}

TEST_F(AboutDialogTest, AQueryWithoutTextLeavesTheStaticText) {
    about.result()->setText(QStringLiteral("before"));
    open({});
    press();
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(about.result()->text(), "before");
    EXPECT_FALSE(about.versionButton()->isEnabled());
}

// The real query over the interface library of the build: with no keyboard
// the keyboard device's echo test fails (about 1.5 s); without the library
// its load fails.
TEST_F(AboutDialogTest, TheDefaultQueryBindsTheInterfaceLibraryByName) {
    AboutDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    ::setenv("KBX_PLATFORM", "nt4", 1);
    ::unsetenv("KBX_KEYBOARD");
    ::unsetenv("KBX_USB");
    QTest::mouseClick(dialog.versionButton(), Qt::LeftButton);
    ::unsetenv("KBX_PLATFORM");
    ::unsetenv("XDG_CONFIG_HOME");
    const bool libraryBuilt = std::filesystem::exists(std::filesystem::path(KBX_LIBRARY_DIR) / "libkbxi32.so");
    EXPECT_EQ(dialog.result()->text().toStdString(),
              libraryBuilt ? "No Vyrn keyboard detected !" : "Can\u00B4t load KBXI32.DLL!");
    EXPECT_FALSE(dialog.versionButton()->isEnabled());
}

}  // namespace
}  // namespace keyui::app::testing
