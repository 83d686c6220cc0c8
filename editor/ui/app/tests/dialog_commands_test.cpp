// The dialog commands of the main window open their dialogs on the active
// view's document: each is triggered, its modal dialog recognised by its
// title and cancelled.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "editor/ui/app/command_table.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

class DialogCommandsTest : public AppTest {
protected:
    MainWindow& windowWithLayout() {
        MainWindow& main = makeWindow();
        EXPECT_NE(main.fileCommands().open(kExampleLayout), nullptr);
        main.resize(900, 700);
        main.show();
        settle();
        return main;
    }

    // The title of the modal dialog the command opens, which is then
    // cancelled; empty when none opened.
    static QString titleOfDialogOpenedBy(QAction& command) {
        QString title;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr) return;
            title = dialog->windowTitle();
            dialog->reject();
        });
        poll.start();
        command.trigger();
        settle();
        return title;
    }
};

TEST_F(DialogCommandsTest, EachSettingsCommandOpensItsDialog) {
    MainWindow& main = windowWithLayout();
    const struct {
        int command;
        const char* title;
    } cases[] = {
        {command::kLayerSettings, "Layer definieren"},
        {command::kCaptionOptions, "Tasten-Beschriftungseinstellungen"},
        {command::kKeyboardSettings, "Keyboard Parameter einstellen"},
        {command::kModules, "Module einstellen"},
        {command::kSendToKeyboard, "Schnittstelle zum Download"},
    };
    for (const auto& each : cases) {
        QAction* command = main.action(each.command);
        ASSERT_TRUE(command->isEnabled()) << each.command;
        EXPECT_EQ(titleOfDialogOpenedBy(*command), QString::fromUtf8(each.title)) << each.command;
    }
}

TEST_F(DialogCommandsTest, KeyCommandsOpenOnTheSelectedKeyAndNothingWithoutOne) {
    MainWindow& main = windowWithLayout();
    EXPECT_TRUE(titleOfDialogOpenedBy(*main.action(command::kKeyProgramming)).isEmpty());
    EXPECT_EQ(main.statusBar()->currentMessage(), "Keine Taste markiert: zuerst eine Taste anklicken.")
        << "the status bar says why nothing opened";
    main.statusBar()->clearMessage();
    EXPECT_TRUE(titleOfDialogOpenedBy(*main.action(command::kKeyCaption)).isEmpty());
    EXPECT_EQ(main.statusBar()->currentMessage(), "Keine Taste markiert: zuerst eine Taste anklicken.");
    EXPECT_FALSE(main.action(command::kGroupCaption)->isEnabled());

    selectFirstKey(main);
    const QString programming = titleOfDialogOpenedBy(*main.action(command::kKeyProgramming));
    EXPECT_TRUE(programming.startsWith('[') && programming.endsWith(']')) << programming.toStdString();
    const QString caption = titleOfDialogOpenedBy(*main.action(command::kKeyCaption));
    EXPECT_EQ(caption, QStringLiteral("Tastenbeschriftung ändern ") + programming);
    EXPECT_TRUE(main.activeView()->document().isModified());
}

TEST_F(DialogCommandsTest, DialogCommandsFollowWhetherALayoutIsOpen) {
    MainWindow& main = makeWindow();
    for (int id : {command::kKeyCaption, command::kKeyProgramming, command::kLayerSettings, command::kCaptionOptions,
                   command::kKeyboardSettings, command::kModules, command::kSendToKeyboard, command::kSaveAndTest})
        EXPECT_FALSE(main.action(id)->isEnabled()) << id;
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    for (int id : {command::kKeyCaption, command::kLayerSettings, command::kSendToKeyboard, command::kSaveAndTest})
        EXPECT_TRUE(main.action(id)->isEnabled()) << id;
}

}  // namespace
}  // namespace keyui::app::testing
