// Undo and redo as a user works: keys clicked in the view, the edit keys
// pressed on the main window, dialogs answered; the Edit menu names the
// step and the modified mark follows the history.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "editor/ui/app/command_table.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

class UndoTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        MainWindow& main = makeWindow();
        ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
        main.resize(1200, 800);
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        settle();
        document = &main.activeView()->document();
        for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
            if (key(slot).current.width > 0 && key(slot).layers[0].programming.view() != programmed().view()) {
                other = slot;
                break;
            }
        }
        ASSERT_GE(other, 0);
    }

    MainWindow& main() { return *window; }
    const kbxdoc::KeyRecord& key(int slot) const {
        return document->keyboard().keys[static_cast<std::size_t>(slot)];
    }
    // The first key of the layout and what it sends on layer 0.
    const kbxdoc::KeyRecord& first() const { return key(firstSlot()); }
    const kbxdoc::BoundedText<kbxdoc::kProgrammingField>& programmed() const { return first().layers[0].programming; }
    int firstSlot() const {
        for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot)
            if (key(slot).current.width > 0) return slot;
        return -1;
    }

    void clickKey(int slot) {
        KeyView& view = *main().activeView();
        const kbxdoc::Rect& mm = key(slot).current;
        const QPoint centre(static_cast<int>((mm.left + mm.width / 2) * view.scale()),
                            static_cast<int>((mm.top + mm.height / 2) * view.scale()));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre);
    }
    // A key pressed on the main window, active again after any dialog.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        main().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main()));
        QTest::keyClick(&main(), key, modifiers);
        settle();
    }
    QString menuText(int command) { return main().action(command)->text(); }

    // Runs `open` (a key or a command that opens a modal dialog) and answers
    // the dialog with `answer` once it shows.
    void answerDialog(const std::function<void()>& open, const std::function<void(QDialog&)>& answer) {
        QTimer poll;
        poll.setInterval(20);
        bool answered = false;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog == nullptr || answered) return;
            answered = true;
            answer(*dialog);
        });
        poll.start();
        open();
        settle();
        EXPECT_TRUE(answered);
    }

    KeyDocument* document = nullptr;
    int other = -1;  // a key that sends something else than the first
};

TEST_F(UndoTest, PastingOverAKeyIsUndoneAndRedoneWithTheEditKeysAndTheMenuNamesIt) {
    const kbxdoc::KeyRecord before = key(other);
    EXPECT_FALSE(main().action(command::kUndo)->isEnabled());
    clickKey(firstSlot());
    press(Qt::Key_C);
    clickKey(other);
    press(Qt::Key_V);
    EXPECT_EQ(key(other).layers[0].programming.view(), programmed().view());
    EXPECT_TRUE(document->isModified());
    EXPECT_EQ(menuText(command::kUndo), "&Rückgängig: Einfügen");

    press(Qt::Key_Z);
    EXPECT_TRUE(key(other) == before);
    EXPECT_FALSE(document->isModified()) << "back at the state the file was opened in";
    EXPECT_FALSE(main().isWindowModified());
    EXPECT_EQ(menuText(command::kRedo), "&Wiederherstellen: Einfügen");
    EXPECT_FALSE(main().action(command::kUndo)->isEnabled());

    press(Qt::Key_Y);
    EXPECT_EQ(key(other).layers[0].programming.view(), programmed().view());
    EXPECT_TRUE(document->isModified());
    press(Qt::Key_Z);
    press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(key(other).layers[0].programming.view(), programmed().view()) << "Ctrl+Shift+Z redoes too";
}

TEST_F(UndoTest, UndoingBackToTheSavedStateClearsTheMarkAndFurtherBackSetsIt) {
    const kbxdoc::KeyRecord firstBefore = first();
    const int slot = firstSlot();
    clickKey(slot);
    press(Qt::Key_X);
    EXPECT_TRUE(key(slot).layers[0].programming.view().empty()) << "cut";
    document->setPath(path("saved.kbf"));
    ASSERT_TRUE(main().fileCommands().save(*document));
    EXPECT_FALSE(document->isModified());

    clickKey(other);
    press(Qt::Key_V);
    EXPECT_TRUE(document->isModified());
    press(Qt::Key_Z);
    EXPECT_FALSE(document->isModified()) << "the saved state";
    EXPECT_EQ(menuText(command::kUndo), "&Rückgängig: Ausschneiden");
    press(Qt::Key_Z);
    EXPECT_TRUE(key(slot) == firstBefore);
    EXPECT_TRUE(document->isModified()) << "before the saved state";
    press(Qt::Key_Y);
    EXPECT_FALSE(document->isModified());
}

// The key programming sheet (F4) closed with OK is one step; cancelled, it
// leaves no step when it changed nothing.
TEST_F(UndoTest, AKeyProgrammedInItsSheetIsOneStep) {
    const auto before = programmed();
    clickKey(firstSlot());
    answerDialog([&] { press(Qt::Key_F4, Qt::NoModifier); },
                 [](QDialog& sheet) {
                     for (QLineEdit* edit : sheet.findChildren<QLineEdit*>()) {
                         if (!edit->isVisible()) continue;
                         edit->selectAll();
                         QTest::keyClicks(edit, QStringLiteral("xyz"));
                         break;
                     }
                     sheet.accept();
                 });
    ASSERT_NE(programmed().view(), before.view());
    EXPECT_EQ(menuText(command::kUndo), "&Rückgängig: Tastenprogrammierung");
    press(Qt::Key_Z);
    EXPECT_EQ(programmed().view(), before.view());
    EXPECT_FALSE(document->isModified());
}

TEST_F(UndoTest, ACaptionTypedInItsDialogIsOneStep) {
    const int slot = firstSlot();
    const std::string before = key(slot).caption;
    clickKey(slot);
    answerDialog([&] { press(Qt::Key_F3, Qt::NoModifier); },
                 [](QDialog& dialog) {
                     auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit11020"));
                     ASSERT_NE(edit, nullptr);
                     edit->selectAll();
                     QTest::keyClicks(edit, QStringLiteral("Neu"));
                     QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("button1")), Qt::LeftButton);
                 });
    EXPECT_EQ(key(slot).caption, "Neu");
    EXPECT_EQ(menuText(command::kUndo), "&Rückgängig: Tastenbeschriftung");
    press(Qt::Key_Z);
    EXPECT_EQ(key(slot).caption, before);
    press(Qt::Key_Y);
    EXPECT_EQ(key(slot).caption, "Neu");
}

TEST_F(UndoTest, KeyboardSettingsChangedInTheirSheetAreOneStep) {
    const int before = document->keyboard().clickVolume;
    answerDialog([&] { main().action(command::kKeyboardSettings)->trigger(); },
                 [](QDialog& sheet) {
                     auto* volume = sheet.findChild<QSlider*>(QStringLiteral("slider11014"));
                     ASSERT_NE(volume, nullptr);
                     // Its page is shown first, as a user would open it.
                     auto* tabs = sheet.findChild<QTabWidget*>();
                     ASSERT_NE(tabs, nullptr);
                     for (int i = 0; i < tabs->count(); ++i)
                         if (tabs->widget(i)->isAncestorOf(volume)) tabs->setCurrentIndex(i);
                     volume->setValue(volume->value() == 50 ? 60 : 50);
                     sheet.accept();
                 });
    ASSERT_NE(document->keyboard().clickVolume, before);
    EXPECT_EQ(menuText(command::kUndo), "&Rückgängig: Tastatureinstellungen");
    press(Qt::Key_Z);
    EXPECT_EQ(document->keyboard().clickVolume, before);
    EXPECT_FALSE(document->isModified());
}

}  // namespace
}  // namespace keyui::app::testing
