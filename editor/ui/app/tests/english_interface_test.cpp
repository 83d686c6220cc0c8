// With the English translation loaded, every window, sheet page, dialog and
// message box of the editor shows English: no German source text of the
// translation table and no text with an umlaut. Dialogs are opened through
// their commands and driven into their message boxes and nested dialogs.

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTranslator>

#include "editor/document/layer_table.h"
#include "editor/ui/app/application.h"
#include "editor/ui/app/command_table.h"
#include "editor/ui/app/tests/app_fixture.h"
#include "editor/ui/app/tests/interface_texts.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/dialogs/layers/layer_sheet.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"
#include "editor/ui/download/download_commands.h"
#include "editor/ui/download/progress_dialog.h"
#include "editor/ui/download/progress_messages.h"
#include "editor/ui/download/tests/download_test_support.h"
#include "editor/ui/download/version_query.h"

namespace keyui::app::testing {
namespace {

using download::testing::qPath;
using download::testing::waitUntil;

// The %1, %2 ... of a text, sorted.
QStringList placeholders(const QString& text) {
    static const QRegularExpression kPlaceholder(QStringLiteral("%\\d"));
    QStringList found;
    for (const QRegularExpressionMatch& match : kPlaceholder.globalMatch(text)) found << match.captured();
    found.sort();
    return found;
}

TEST(EnglishTranslationTable, EveryEntryIsTranslatedAndNoneIsLeftOver) {
    const std::vector<TableEntry> table = readTranslationTable(kEnglishTable);
    ASSERT_GT(table.size(), 250u);
    for (const TableEntry& entry : table) {
        EXPECT_TRUE(entry.type.isEmpty())
            << entry.type.toStdString() << ": " << entry.context.toStdString() << " / " << entry.source.toStdString();
        EXPECT_FALSE(entry.translation.isEmpty()) << entry.context.toStdString() << " / " << entry.source.toStdString();
        EXPECT_EQ(placeholders(entry.source), placeholders(entry.translation)) << entry.source.toStdString();
        EXPECT_EQ(entry.source.count(QLatin1Char('\n')), entry.translation.count(QLatin1Char('\n')))
            << entry.source.toStdString();
    }
}

class EnglishInterfaceTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_TRUE(english.load(QLatin1String(kTranslationBaseName), QStringLiteral(KBX_BIN_DIR)));
        QCoreApplication::installTranslator(&english);
        editorState().englishTexts = true;
        german = germanSourceTexts(readTranslationTable(kEnglishTable));
        ASSERT_FALSE(german.isEmpty());
    }
    void TearDown() override {
        AppTest::TearDown();
        QCoreApplication::removeTranslator(&english);
    }

    MainWindow& windowWithLayout() {
        MainWindow& main = makeWindow();
        EXPECT_NE(main.fileCommands().open(kExampleLayout), nullptr);
        main.resize(900, 700);
        main.show();
        settle();
        return main;
    }

    // Layer names and key captions come from the layout and the settings
    // file: the user's data, which may well be German.
    QSet<QString> layoutData() const {
        QSet<QString> data;
        for (int layer = 0; layer < kbxdoc::kLayerCount; ++layer) {
            const QString name = fromAnsi(kbxdoc::layerName(editorState().layers, layer));
            data << name << name + QLatin1Char('*');
        }
        if (window != nullptr && window->activeView() != nullptr)
            for (const kbxdoc::KeyRecord& key : window->activeView()->document().keyboard().keys)
                data << fromAnsi(key.caption);
        return data;
    }

    void expectEnglish(const QStringList& shown, const char* where) const {
        EXPECT_FALSE(shown.isEmpty()) << where;
        const QStringList found = germanTextsAmong(shown, german, layoutData());
        EXPECT_TRUE(found.isEmpty()) << where << ": " << found.join(QLatin1String(" | ")).toStdString();
    }

    ModalDialogTexts textsOfCommand(int id, const std::function<void(QDialog&)>& drive = {}) {
        QAction* command = window->action(id);
        EXPECT_TRUE(command->isEnabled()) << id;
        return textsOfModalDialogs([command] { command->trigger(); }, drive);
    }

    static void click(QDialog& dialog, const char* name) {
        auto* button = dialog.findChild<QAbstractButton*>(QLatin1String(name));
        ASSERT_NE(button, nullptr) << name;
        button->click();
    }

    QTranslator english;
    QSet<QString> german;
};

TEST_F(EnglishInterfaceTest, MainWindowMenusBarsAndPopupWithAndWithoutALayout) {
    MainWindow& main = makeWindow();
    main.show();
    settle();
    expectEnglish(interfaceTexts(main), "main window without a layout");

    windowWithLayout();
    QStringList shown = interfaceTexts(*window);
    for (const QMenu* menu : window->currentMenus()) addMenuTexts(*menu, shown);
    addMenuTexts(*window->viewPopup(), shown);
    expectEnglish(shown, "main window with a layout");
}

TEST_F(EnglishInterfaceTest, SettingsSheetsAndDialogsOfTheLayout) {
    windowWithLayout();
    const struct {
        int command;
        const char* where;
    } cases[] = {
        {command::kLayerSettings, "layer sheet"},
        {command::kCaptionOptions, "global caption options"},
        {command::kKeyboardSettings, "keyboard settings sheet"},
        {command::kSendToKeyboard, "download interface dialog"},
        {command::kPrint, "print dialog"},
        {command::kPrintPreview, "print dialog before the preview"},
    };
    for (const auto& each : cases) {
        const ModalDialogTexts shown = textsOfCommand(each.command);
        EXPECT_EQ(shown.dialogs, 1) << each.where;
        expectEnglish(shown.texts, each.where);
    }
}

// The module sheet's programming buttons open the programming sheet of the
// module's pseudo key.
TEST_F(EnglishInterfaceTest, ModuleSheetAndTheProgrammingItOpens) {
    windowWithLayout();
    int programmingButtons = 0;
    const ModalDialogTexts shown = textsOfCommand(command::kModules, [&](QDialog& sheet) {
        for (QPushButton* button : sheet.findChildren<QPushButton*>()) {
            if (!button->objectName().startsWith(QLatin1String("button110"))) continue;
            ++programmingButtons;
            button->click();
        }
    });
    EXPECT_GT(programmingButtons, 0);
    EXPECT_EQ(shown.dialogs, 1 + programmingButtons);
    expectEnglish(shown.texts, "module sheet");
}

// A programming the compiler does not know is refused in a message box.
TEST_F(EnglishInterfaceTest, KeyProgrammingSheetAndItsRefusal) {
    windowWithLayout();
    selectFirstKey(*window);
    const ModalDialogTexts shown = textsOfCommand(command::kKeyProgramming, [](QDialog& dialog) {
        auto& sheet = static_cast<dialogs::PropertySheet&>(dialog);
        // The page on show: pages take their edits only once visited.
        auto* edit = sheet.tabs()->currentWidget()->findChild<QLineEdit*>(QStringLiteral("edit11005"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QString(178, QLatin1Char('W')));
        sheet.okButton()->click();
        edit->setText(QStringLiteral("{NoSuchKey}"));
        sheet.okButton()->click();
    });
    EXPECT_EQ(shown.dialogs, 3);  // the sheet and its two refusals
    expectEnglish(shown.texts, "key programming sheet");
}

// The caption dialog with its picture file dialog, its local options and
// the refusal of a lone backslash.
TEST_F(EnglishInterfaceTest, KeyCaptionDialogAndWhatItOpens) {
    windowWithLayout();
    selectFirstKey(*window);
    const ModalDialogTexts shown = textsOfCommand(command::kKeyCaption, [](QDialog& dialog) {
        click(dialog, "button1005");
        click(dialog, "button1003");
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("edit11020"));
        ASSERT_NE(edit, nullptr);
        edit->setText(QStringLiteral("A\\"));
        click(dialog, "button1");
    });
    EXPECT_EQ(shown.dialogs, 4);  // the dialog, the file dialog, the local options and the refusal
    expectEnglish(shown.texts, "key caption dialog");
}

TEST_F(EnglishInterfaceTest, FileDialogsAndTheirMessages) {
    MainWindow& main = windowWithLayout();
    main.fileCommands().openWithDialog();
    main.fileCommands().saveAs(main.activeView()->document());
    main.fileCommands().open(path("missing.kbf"));
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    ASSERT_EQ(dialogs.saveRequests.size(), 1u);
    expectEnglish({dialogs.openRequests[0].title, dialogs.openRequests[0].filter, dialogs.saveRequests[0].title,
                   dialogs.errors.join(QLatin1Char('\n'))},
                  "file dialogs and the open failure");
}

TEST_F(EnglishInterfaceTest, TheProgramsOwnDialogsAndMessageBoxes) {
    QtUserDialogs real;
    const struct {
        std::function<void()> open;
        const char* where;
    } cases[] = {
        {[&] { real.askToSave(nullptr, QStringLiteral("bakery.kbf")); }, "save question"},
        {[&] { real.showError(nullptr, QStringLiteral("x")); }, "error box"},
        {[&] { real.chooseNewDocument(nullptr); }, "new document dialog"},
        {[&] { real.showAbout(nullptr); }, "about box"},
    };
    for (const auto& each : cases) {
        const ModalDialogTexts shown = textsOfModalDialogs(each.open);
        EXPECT_EQ(shown.dialogs, 1) << each.where;
        expectEnglish(shown.texts, each.where);
    }
}

TEST_F(EnglishInterfaceTest, LayerSheetTellsOfASettingsFileItCannotWrite) {
    QStringList messages;
    kbxdoc::LayerTable layers = kbxdoc::defaultLayerTable();
    auto sheet = dialogs::buildLayerSheet(nullptr, layers, dir / "no folder" / "Vyrn.Ini",
                                          [&](QWidget*, const QString& text) { messages << text; });
    sheet->accept();
    ASSERT_EQ(messages.size(), 1);
    expectEnglish(messages, "layer table save failure");
}

TEST_F(EnglishInterfaceTest, ProgressDialogRunningDoneAndFailed) {
    download::testing::writeFakeProgram(dir / "kbx32",
                                        "echo 'kbx_message 2 0'; echo 'kbx_message 1 0'; "
                                        "echo 'kbx_message 3 0'; echo 'kbx_message 1 0'\n");
    download::ProgressDialog dialog(download::ProgressRun{qPath(dir / "kbx32"), {}, {}},
                                    [](QWidget*, const QString&, const QString&) {});
    const QStringList running = interfaceTexts(dialog);
    dialog.show();
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("button1"));
    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(waitUntil([ok] { return ok->isEnabled(); }));
    expectEnglish(running + interfaceTexts(dialog), "progress dialog");

    QStringList failures;
    for (int value = -1; value >= -7; --value) {
        failures << download::failureText(download::MessageKind::compileFailure, value)
                 << download::failureText(download::MessageKind::downloadFailure, value);
    }
    failures.removeAll(QString());
    EXPECT_EQ(failures.size(), 10);
    expectEnglish(failures, "progress failures");
}

// Texts of the download that reach the user through the notifier or the
// about box's result line.
TEST_F(EnglishInterfaceTest, DownloadSaveFailureAndKeyboardVersion) {
    MainWindow& main = windowWithLayout();
    download::testing::RecordingNotifier notices;
    download::DownloadSetup setup{qPath(dir / "kbx32"), folder(), notices.notifier()};
    EXPECT_FALSE(download::writeSource(nullptr, main.activeView()->document(), path("no folder/TMP0815.KBF"), setup));
    ASSERT_EQ(notices.notices.size(), 1u);
    expectEnglish({notices.notices[0].title, notices.notices[0].text}, "download save failure");

    const std::array<unsigned char, 8> header{0x12, 0x34, 0x56, 0x78, 0x18, 0x00, 0x01, 0x00};
    expectEnglish({download::versionText(header, editorState().englishTexts)}, "keyboard version");
}

}  // namespace
}  // namespace keyui::app::testing
