// The menus, accelerators, tool bar and pop-up menu as the main window
// builds them from the command table, and the commands' enabling.

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "editor/ui/app/command_table.h"
#include "editor/ui/app/lock_indicators.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

using Ids = std::vector<int>;

struct MenuShape {
    QString title;
    Ids ids;  // separators left out
};

std::vector<MenuShape> shapeOf(const QList<QMenu*>& menus) {
    std::vector<MenuShape> shape;
    for (QMenu* menu : menus) {
        MenuShape entry{menu->title(), {}};
        for (QAction* action : menu->actions())
            if (!action->isSeparator() && action->isVisible() && action->data().isValid())
                entry.ids.push_back(action->data().toInt());
        shape.push_back(entry);
    }
    return shape;
}

void expectMenus(const std::vector<MenuShape>& actual, const std::vector<MenuShape>& expected) {
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].title, expected[i].title);
        EXPECT_EQ(actual[i].ids, expected[i].ids) << expected[i].title.toStdString();
    }
}

class CommandsTest : public AppTest {};

TEST_F(CommandsTest, WithoutALayoutTheMenuBarHoldsMenu128) {
    MainWindow& main = makeWindow();
    expectMenus(
        shapeOf(main.currentMenus()),
        {{"&Datei", {57600, 57601, 57606, 57616, 57665}}, {"&Ansicht", {59392, 59393}}, {"&Hilfe", {57667, 57664}}});
}

TEST_F(CommandsTest, WithALayoutActiveTheMenuBarHoldsMenu129AndGoesBackWhenItCloses) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    expectMenus(shapeOf(main.currentMenus()), {{"&Datei",
                                                {57600, 57601, 57602, 57603, 57604, 32777, 32786, 57607, 57609, 57606,
                                                 // the opened file now stands in the recent-file place
                                                 57616, 57665}},
                                               {"&Bearbeiten", {57643, 57644, 57635, 57634, 57637}},
                                               {"Einzel&tasten", {114, 121, 32783}},
                                               {"&Einstellungen", {117, 118, 32776, 32778}},
                                               {"&Ansicht", {59392, 59393, 32773, 32779, 32782, 32781}},
                                               {"&Fenster", {57648, 57650, 57651, 57649}},
                                               {"&Hilfe", {57667, 57664}}});
    const QList<QAction*> file = main.currentMenus().front()->actions();
    const auto send = std::find_if(file.begin(), file.end(), [](QAction* a) { return a->data().toInt() == 32777; });
    ASSERT_NE(send, file.end());
    EXPECT_EQ((*send)->text(), "Einstellungen an Tastatur sen&den");
    EXPECT_EQ((*send)->statusTip(), "Speichert die aktive Tastaturschablone in der Tastatur.");
    EXPECT_EQ((*send)->toolTip(), "Speicher in Tastatur");

    main.action(command::kClose)->trigger();
    settle();
    EXPECT_EQ(main.currentMenus().size(), 3);
}

TEST_F(CommandsTest, EveryAcceleratorReachesItsCommand) {
    MainWindow& main = makeWindow();
    const std::vector<std::pair<QKeySequence, int>> table{
        {QKeySequence("Ctrl+N"), 57600},   {QKeySequence("Ctrl+O"), 57601},
        {QKeySequence("Ctrl+S"), 57603},   {QKeySequence("Ctrl+P"), 57607},
        {QKeySequence("Ctrl+D"), 32777},   {QKeySequence("Ctrl+T"), 32786},
        {QKeySequence("Ctrl+C"), 57634},   {QKeySequence("Ctrl+Ins"), 57634},
        {QKeySequence("Ctrl+X"), 57635},   {QKeySequence("Shift+Del"), 57635},
        {QKeySequence("Ctrl+V"), 57637},   {QKeySequence("Shift+Ins"), 57637},
        {QKeySequence("Ctrl+Z"), 57643},   {QKeySequence("Alt+Backspace"), 57643},
        {QKeySequence("Ctrl+Y"), 57644},   {QKeySequence("Ctrl+Shift+Z"), 57644},
        {QKeySequence("Esc"), 32768},      {QKeySequence("F1"), 57670},
        {QKeySequence("Shift+F1"), 57669}, {QKeySequence("F3"), 114},
        {QKeySequence("F4"), 121},         {QKeySequence("F6"), 57680},
        {QKeySequence("Shift+F6"), 57681},
    };
    int shortcuts = 0;
    for (QAction* action : main.actions()) shortcuts += static_cast<int>(action->shortcuts().size());
    EXPECT_EQ(shortcuts, static_cast<int>(table.size())) << "no accelerator beyond the table";
    for (const auto& [keys, id] : table) {
        QAction* action = main.action(id);
        ASSERT_NE(action, nullptr) << id;
        EXPECT_TRUE(action->shortcuts().contains(keys)) << keys.toString().toStdString();
    }
    EXPECT_FALSE(main.action(command::kUndo)->isEnabled());
    EXPECT_TRUE(main.action(command::kPrintSetup)->isEnabled()) << "the printer setup works without a layout";
}

TEST_F(CommandsTest, ToolBar128HasItsButtonsInOrderWithIconsAndTips) {
    MainWindow& main = makeWindow();
    Ids ids;
    for (QAction* action : main.toolBar()->actions()) {
        ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->data().toInt();
            EXPECT_FALSE(action->toolTip().isEmpty());
        }
    }
    EXPECT_EQ(ids,
              (Ids{57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 57609, 57607, 0, 114, 121, 0, 118, 117, 0, 57664}));
}

TEST_F(CommandsTest, EveryCommandHasAPromptAndAToolTip) {
    for (const CommandInfo& command : commandTable()) {
        EXPECT_FALSE(statusPrompt(command).empty()) << command.id;
        EXPECT_FALSE(toolTip(command).empty()) << command.id;
    }
}

TEST_F(CommandsTest, ThePopupMenuOfTheViewHasItsTextsAndTriggersTheCommands) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    QStringList texts;
    for (QAction* item : main.viewPopup()->actions()) texts.append(item->text());
    EXPECT_EQ(texts, (QStringList{"Tastenbeschriftung ändern...\tF3", "Tastenprogrammierung ändern...\tF4",
                                  "Tastenbeschriftung für Gruppe ändern...", "Layereinstellungen...",
                                  "Globale Beschriftungsoptionen...", "Layerdatenanzeige"}));
    emit main.activeView()->contextMenuRequested(QPoint(20, 20));
    EXPECT_TRUE(main.viewPopup()->isVisible()) << "the view's right button opens it";
    main.viewPopup()->hide();
    main.viewPopup()->actions().back()->trigger();
    EXPECT_TRUE(main.activeView()->layerDataShown());
    EXPECT_TRUE(main.action(command::kLayerData)->isChecked());
}

TEST_F(CommandsTest, EditCommandsFollowTheSelectionOfTheActiveView) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    main.resize(900, 700);
    main.show();
    KeyView& view = *main.activeView();
    EXPECT_FALSE(main.action(command::kCopy)->isEnabled());
    EXPECT_FALSE(main.action(command::kPaste)->isEnabled());
    settle();

    // The centre of the first key, in the view's pixels at its scale.
    const kbxdoc::KeyboardData& keyboard = view.document().keyboard();
    const auto first = std::find_if(keyboard.keys.begin(), keyboard.keys.begin() + 185,
                                    [](const kbxdoc::KeyRecord& k) { return k.current.width > 0; });
    ASSERT_NE(first, keyboard.keys.begin() + 185);
    const kbxdoc::Rect& mm = first->current;
    const QPoint centre(static_cast<int>((mm.left + mm.width / 2) * view.scale()),
                        static_cast<int>((mm.top + mm.height / 2) * view.scale()));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre);
    EXPECT_TRUE(main.action(command::kCopy)->isEnabled());
    EXPECT_TRUE(main.action(command::kCut)->isEnabled());

    main.action(command::kCopy)->trigger();
    EXPECT_TRUE(main.action(command::kPaste)->isEnabled());
    main.action(command::kPaste)->trigger();
    EXPECT_TRUE(view.document().isModified());
    EXPECT_TRUE(main.isWindowModified());
}

TEST_F(CommandsTest, ZoomCommandsAreCheckedByTheActiveViewsMode) {
    MainWindow& main = makeWindow();
    ASSERT_NE(main.fileCommands().open(kExampleLayout), nullptr);
    EXPECT_TRUE(main.action(command::kZoomWhole)->isChecked());
    main.action(command::kZoomDouble)->trigger();
    EXPECT_EQ(main.activeView()->zoomMode(), ZoomMode::Double);
    EXPECT_TRUE(main.action(command::kZoomDouble)->isChecked());
    EXPECT_FALSE(main.action(command::kZoomWhole)->isChecked());
}

TEST_F(CommandsTest, LockIndicatorsFollowTheLockKeysTheWindowSees) {
    MainWindow& main = makeWindow();
    ASSERT_FALSE(main.lockStates().readsKeyboard());  // no X display in tests
    LockIndicators& indicators = main.lockIndicators();
    EXPECT_EQ(indicators.caps()->text(), "");
    QTest::keyClick(&main, Qt::Key_CapsLock);
    QTest::keyClick(&main, Qt::Key_ScrollLock);
    EXPECT_EQ(indicators.caps()->text(), "UF");
    EXPECT_EQ(indicators.num()->text(), "");
    EXPECT_EQ(indicators.scroll()->text(), "RF");
    QTest::keyClick(&main, Qt::Key_CapsLock);
    QTest::keyClick(&main, Qt::Key_NumLock);
    EXPECT_EQ(indicators.caps()->text(), "");
    EXPECT_EQ(indicators.num()->text(), "NUM");
}

}  // namespace
}  // namespace keyui::app::testing
