#include <QMessageBox>
#include <QSignalSpy>
#include <QTabWidget>

#include "editor/ui/dialogs/programming/tests/programming_fixture.h"

namespace keyui::dialogs::testing {
namespace {

TEST_F(ProgrammingTest, OnePagePerNamedLayerTitledWithAStarWhereTheKeyIsProgrammed) {
    editorState().layers[1].name.clear();
    editorState().layers[9].name = "Kasse";
    entry(2).programming = "abc";
    entry(9).programming = "{F1}";
    entry(1).programming = "unseen";  // a layer without a name shows no page
    auto sheet = buildProgrammingSheet(nullptr, document, view, kKeySlot);
    ASSERT_TRUE(sheet);
    EXPECT_EQ(sheet->windowTitle(), "[A01]");
    QStringList titles;
    std::vector<int> layers;
    for (int i = 0; i < sheet->pageCount(); ++i) {
        titles << sheet->pageTitle(i);
        layers.push_back(sheet->programmingPage(i)->layer());
    }
    EXPECT_EQ(titles, (QStringList{"Normal-Layer", "Control-Layer*", "ALT-Layer", "StdKey-Layer", "AlwaysActive",
                                   "Kasse*"}));
    EXPECT_EQ(layers, (std::vector<int>{0, 2, 3, 4, 5, 9}));
}

TEST_F(ProgrammingTest, CaptionsNameTheKeyOrThePseudoKey) {
    key().row = 6;
    key().column = 11;
    EXPECT_EQ(buildProgrammingSheet(nullptr, document, view, kKeySlot)->windowTitle(), "[G12]");
    EXPECT_EQ(buildProgrammingSheet(nullptr, document, view, 197)->windowTitle(), "[M2H]");
    EXPECT_EQ(buildProgrammingSheet(nullptr, document, view, 186)->windowTitle(), "[KLT]");
    EXPECT_EQ(buildProgrammingSheet(nullptr, document, view, 199)->windowTitle(), "[M1H]");
}

TEST_F(ProgrammingTest, NoSheetWithoutANamedLayerOrForASlotOutsideTheTable) {
    EXPECT_FALSE(buildProgrammingSheet(nullptr, document, view, 201));
    EXPECT_FALSE(buildProgrammingSheet(nullptr, document, view, -1));
    for (auto& layer : editorState().layers) layer.name.clear();
    EXPECT_FALSE(buildProgrammingSheet(nullptr, document, view, kKeySlot));
    // Command 121 then opens nothing and leaves the document alone.
    runKeyProgramming(nullptr, document, view);
    EXPECT_FALSE(document.isModified());
    EXPECT_FALSE(runSlotProgramming(nullptr, document, view, 197));
}

TEST_F(ProgrammingTest, Command121OpensOnThePageAtTheViewsLayerNumberAndMarksModifiedOnCancel) {
    editorState().layers[1].name.clear();
    view.currentLayer = 2;  // the third page: layer 3, the second is layer 2
    QSignalSpy redraws(&document, &KeyDocument::keyChanged);
    QString shownTitle;
    whenSheetOpens([&](ProgrammingSheet& sheet) {
        shownTitle = sheet.pageTitle(sheet.activePage());
        sheet.reject();
    });
    runKeyProgramming(nullptr, document, view);
    EXPECT_EQ(shownTitle, "ALT-Layer");
    EXPECT_TRUE(document.isModified());
    ASSERT_EQ(redraws.count(), 1);
    EXPECT_EQ(redraws.at(0).at(0).toInt(), kKeySlot);
}

TEST_F(ProgrammingTest, Command121TakesTheHighestSelectedKeyAndItsFirstPageWhenTheLayerHasNone) {
    selection[40] = 1;
    document.keyboard().keys[40].row = 1;
    document.keyboard().keys[40].column = 4;
    view.currentLayer = 12;
    QSignalSpy redraws(&document, &KeyDocument::keyChanged);
    QString caption;
    int active = -1;
    whenSheetOpens([&](ProgrammingSheet& sheet) {
        caption = sheet.windowTitle();
        active = sheet.activePage();
        sheet.accept();
    });
    runKeyProgramming(nullptr, document, view);
    EXPECT_EQ(caption, "[B05]");
    EXPECT_EQ(active, 0);
    EXPECT_EQ(redraws.count(), 0);  // two keys selected: no single key to redraw
    EXPECT_TRUE(document.isModified());
}

TEST_F(ProgrammingTest, NothingSelectedOpensNothing) {
    selection.fill(0);
    runKeyProgramming(nullptr, document, view);
    EXPECT_FALSE(document.isModified());
}

TEST_F(ProgrammingTest, SlotProgrammingOpensOnTheFirstPageAndTellsOkFromCancel) {
    view.currentLayer = 3;
    int active = -1;
    QString caption;
    whenSheetOpens([&](ProgrammingSheet& sheet) {
        active = sheet.activePage();
        caption = sheet.windowTitle();
        sheet.reject();
    });
    EXPECT_FALSE(runSlotProgramming(nullptr, document, view, 197));
    EXPECT_EQ(active, 0);
    EXPECT_EQ(caption, "[M2H]");
    EXPECT_FALSE(document.isModified());

    whenSheetOpens([](ProgrammingSheet& sheet) {
        control<QLineEdit>(*sheet.page(0), "edit11005")->setText("{POSMSR2}");
        sheet.accept();
    });
    EXPECT_TRUE(runSlotProgramming(nullptr, document, view, 197));
    EXPECT_EQ(document.keyboard().keys[197].layers[0].programming, "{POSMSR2}");
    EXPECT_FALSE(document.isModified());  // the caller decides
}

TEST_F(ProgrammingTest, OkWritesOnlyTheVisitedPagesAndRefreshesTheCurrentKeyCopy) {
    auto sheet = shownSheet();
    control<QLineEdit>(*sheet->page(0), "edit11005")->setText("first");
    sheet->tabs()->setCurrentIndex(2);
    control<QLineEdit>(*sheet->page(2), "edit11005")->setText("third");
    sheet->accept();
    EXPECT_EQ(entry(0).programming, "first");
    EXPECT_EQ(entry(2).programming, "third");
    EXPECT_TRUE(entry(1).programming.empty());
    const kbxdoc::KeyRecord& copy = document.keyboard().keys[kbxdoc::kCurrentKeySlot];
    EXPECT_EQ(copy.layers[2].programming, "third");
    EXPECT_EQ(copy.templateGeometry, key().templateGeometry);
}

TEST_F(ProgrammingTest, WithSeveralKeysSelectedTheCurrentKeyCopyStays) {
    selection[40] = 1;
    auto sheet = shownSheet();
    control<QLineEdit>(*sheet->page(0), "edit11005")->setText("x");
    sheet->accept();
    EXPECT_EQ(entry(0).programming, "x");
    EXPECT_TRUE(document.keyboard().keys[kbxdoc::kCurrentKeySlot].layers[0].programming.empty());
}

// Closes the next message box once it shows and keeps its text.
void answerNextMessage(QString& text, int triesLeft = 100) {
    QTimer::singleShot(10, [&text, triesLeft] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            box->accept();
        } else if (triesLeft > 0) {
            answerNextMessage(text, triesLeft - 1);
        }
    });
}

TEST_F(ProgrammingTest, OkRefusesATextTheKeyboardCannotTakeAndShowsItsPage) {
    auto sheet = shownSheet();
    control<QLineEdit>(*sheet->page(0), "edit11005")->setText("fine");
    sheet->tabs()->setCurrentIndex(1);
    control<QLineEdit>(*sheet->page(1), "edit11005")->setText(QString(178, QLatin1Char('W')));
    sheet->tabs()->setCurrentIndex(0);
    QString message;
    answerNextMessage(message);
    sheet->accept();
    EXPECT_FALSE(message.isEmpty());
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->tabs()->currentIndex(), 1);
    EXPECT_TRUE(entry(0).programming.empty());  // nothing is written while one page is refused

    control<QLineEdit>(*sheet->page(1), "edit11005")->setText("{NoSuchKey}");
    message.clear();
    answerNextMessage(message);
    sheet->accept();
    EXPECT_FALSE(message.isEmpty());

    control<QLineEdit>(*sheet->page(1), "edit11005")->setText("short");
    sheet->accept();
    EXPECT_EQ(entry(0).programming, "fine");
    EXPECT_EQ(entry(1).programming, "short");
}

TEST_F(ProgrammingTest, CancelWritesNothing) {
    entry(0).programming = "kept";
    auto sheet = shownSheet();
    control<QLineEdit>(*sheet->page(0), "edit11005")->setText("changed");
    sheet->reject();
    EXPECT_EQ(entry(0).programming, "kept");
}

}  // namespace
}  // namespace keyui::dialogs::testing
