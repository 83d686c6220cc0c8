// The property sheet and the field helpers its pages share, on real widgets.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "editor/ui/dialogs/sheet/fields.h"
#include "editor/ui/dialogs/sheet/property_sheet.h"

namespace keyui::dialogs {
namespace {

// A page that records what the sheet asked of it.
class RecordingPage : public SheetPage {
public:
    int initialised = 0;
    int committed = 0;
    int cancels = 0;
    void initialise() override { ++initialised; }
    void commit() override { ++committed; }
    void cancelled() override { ++cancels; }
};

struct ThreePageSheet {
    PropertySheet sheet{QStringLiteral("Sheet")};
    RecordingPage* pages[3]{};
    ThreePageSheet() {
        for (auto*& page : pages) {
            page = new RecordingPage;
            sheet.addPage(page, QStringLiteral("Page"));
        }
    }
};

TEST(PropertySheet, ReadsOnlyThePagesShownAndEachOnce) {
    ThreePageSheet fixture;
    fixture.sheet.setActivePage(1);
    fixture.sheet.show();
    EXPECT_EQ(fixture.pages[0]->initialised, 0);
    EXPECT_EQ(fixture.pages[1]->initialised, 1);
    fixture.sheet.setActivePage(2);
    fixture.sheet.setActivePage(1);
    EXPECT_EQ(fixture.pages[1]->initialised, 1);
    EXPECT_EQ(fixture.pages[2]->initialised, 1);
    EXPECT_EQ(fixture.pages[0]->initialised, 0);
}

TEST(PropertySheet, OkWritesBackTheShownPagesOnly) {
    ThreePageSheet fixture;
    fixture.sheet.show();
    fixture.sheet.setActivePage(2);
    QTest::mouseClick(fixture.sheet.okButton(), Qt::LeftButton);
    EXPECT_EQ(fixture.pages[0]->committed, 1);
    EXPECT_EQ(fixture.pages[1]->committed, 0);
    EXPECT_EQ(fixture.pages[2]->committed, 1);
    EXPECT_EQ(fixture.sheet.result(), QDialog::Accepted);
}

TEST(PropertySheet, CancelAndTheCloseBoxTellTheShownPages) {
    ThreePageSheet cancelled;
    cancelled.sheet.show();
    EXPECT_EQ(cancelled.sheet.cancelButton()->text(), QStringLiteral("Abbrechen"));
    QTest::mouseClick(cancelled.sheet.cancelButton(), Qt::LeftButton);
    EXPECT_EQ(cancelled.pages[0]->cancels, 1);
    EXPECT_EQ(cancelled.pages[0]->committed, 0);
    EXPECT_EQ(cancelled.pages[1]->cancels, 0);

    ThreePageSheet closed;
    closed.sheet.show();
    closed.sheet.close();
    EXPECT_EQ(closed.pages[0]->cancels, 1);
    EXPECT_EQ(closed.sheet.result(), QDialog::Rejected);
}

TEST(SheetFields, ReplacingAFieldKeepsEveryOtherBit) {
    EXPECT_EQ(withField(0xFFFFFFFFu, 2, 0), 0xFFFFFFF3u);
    EXPECT_EQ(withField(0x12345600u, 14, 2), 0x12349600u);
    EXPECT_EQ(withField(0, 6, 7), 0xC0u);  // masked to two bits
}

TEST(SheetFields, ThreeStateBoxesCarryTheThreeValues) {
    QCheckBox threeState;
    threeState.setTristate(true);
    for (unsigned value : {0u, 1u, 2u}) {
        showField(threeState, value);
        EXPECT_EQ(fieldOf(threeState), value);
    }
}

TEST(SheetFields, AnUntouchedBoxKeepsAValueItCannotShow) {
    QCheckBox twoState;
    showField(twoState, 2);  // follow the layer: shown clear, not as "on"
    EXPECT_EQ(twoState.checkState(), Qt::Unchecked);
    EXPECT_EQ(fieldOf(twoState), 2u);
    twoState.click();
    EXPECT_EQ(fieldOf(twoState), 1u);
    twoState.click();
    EXPECT_EQ(fieldOf(twoState), 2u);  // back as it was shown

    QCheckBox threeState;
    threeState.setTristate(true);
    showField(threeState, 3);
    EXPECT_EQ(threeState.checkState(), Qt::PartiallyChecked);
    EXPECT_EQ(fieldOf(threeState), 3u);
    threeState.setCheckState(Qt::Checked);
    EXPECT_EQ(fieldOf(threeState), 1u);
}

TEST(SheetFields, ListsSortAndSelectByTheStartOfAnEntry) {
    QComboBox list;
    fillSorted(list, {QStringLiteral("US - a"), QStringLiteral("gr - b"), QStringLiteral("FR - c")});
    EXPECT_EQ(list.itemText(0), QStringLiteral("FR - c"));
    EXPECT_EQ(list.itemText(1), QStringLiteral("gr - b"));
    selectByStart(list, QStringLiteral("GR"));
    EXPECT_EQ(list.currentIndex(), 1);
    selectByStart(list, QStringLiteral("XX"));
    EXPECT_EQ(list.currentIndex(), 0);
    EXPECT_EQ(textUpToBlank(selectedText(list)), QStringLiteral("FR"));
    EXPECT_EQ(textUpToBlank(QStringLiteral("9600")), QStringLiteral("9600"));
}

}  // namespace
}  // namespace keyui::dialogs
