#include <QScrollBar>
#include <QSignalSpy>

#include "editor/ui/view/tests/view_fixture.h"

namespace keyui::testing {
namespace {

using MouseTest = KeyViewTest;

TEST_F(MouseTest, AClickSelectsTheKeyWhoseRectangleHoldsThePixelAndNothingJustOutside) {
    const auto view = showView(document);
    const int slot = slotAt(2, kTopRow);
    const QRect rect = clientRect(*view, slot);
    QSignalSpy changes(view.get(), &KeyView::selectionChanged);

    click(*view, rect.topLeft());
    EXPECT_EQ(selectedSlots(*view), std::vector<int>{slot});
    click(*view, rect.bottomRight());
    EXPECT_EQ(selectedSlots(*view), std::vector<int>{slot});
    // The rectangle's right and bottom edges lie outside the key: the gap.
    click(*view, rect.bottomRight() + QPoint(1, 0));
    EXPECT_TRUE(selectedSlots(*view).empty());
    EXPECT_EQ(changes.count(), 3);
}

TEST_F(MouseTest, ShiftClicksToggleOneKeyAndAPlainClickElsewhereClears) {
    const auto view = showView(document);
    const int first = slotAt(0, kTopRow);
    const int second = slotAt(3, kTopRow);
    const int third = slotAt(0, kTopRow - 1);
    click(*view, centreOf(*view, first));
    click(*view, centreOf(*view, second), Qt::ShiftModifier);
    click(*view, centreOf(*view, third), Qt::ShiftModifier);
    EXPECT_EQ(selectedSlots(*view), (std::vector<int>{first, second, third}));
    EXPECT_TRUE(view->canEditGroup());

    click(*view, centreOf(*view, second), Qt::ShiftModifier);
    EXPECT_EQ(selectedSlots(*view), (std::vector<int>{first, third}));

    click(*view, QPoint(5, 5));  // the keyboard's margin, no key
    EXPECT_TRUE(selectedSlots(*view).empty());
}

// A 12 mm key at 3 pixels per mm is 36 pixels square; the handle areas lie
// on its rectangle shrunk by 2 (32 pixels, quarters of 8).
TEST_F(MouseTest, EveryHandleCodeAndItsCursorAtTheEdgesOfTheSelectedKey) {
    const auto view = showView(document);
    const int slot = slotAt(1, 3);
    const QRect rect = clientRect(*view, slot);
    ASSERT_EQ(rect.width(), 36);
    click(*view, rect.center());
    const int l = rect.x() + 2, t = rect.y() + 2, r = l + 32, b = t + 32, mx = l + 16, my = t + 16;
    struct Probe {
        QPoint at;
        int code;
        Qt::CursorShape cursor;
    };
    const Probe probes[] = {
        {{mx, my}, kHandleInside, Qt::ArrowCursor},        {{mx, t}, kHandleTop, Qt::ArrowCursor},
        {{mx, b}, kHandleBottom, Qt::SizeVerCursor},       {{l, my}, kHandleLeft, Qt::ArrowCursor},
        {{r, my}, kHandleRight, Qt::SizeHorCursor},        {{l + 1, b}, kHandleBottomLeft, Qt::ArrowCursor},
        {{r, b}, kHandleBottomRight, Qt::SizeFDiagCursor}, {{l, t}, kHandleTopLeft, Qt::ArrowCursor},
        {{r - 1, t}, kHandleTopRight, Qt::ArrowCursor},    {{rect.x() - 1, my}, kNoHandle, Qt::ArrowCursor},
    };
    for (const Probe& probe : probes) {
        moveTo(*view, probe.at);
        EXPECT_EQ(view->handleCode(), probe.code) << probe.at.x() << "," << probe.at.y();
        EXPECT_EQ(view->viewport()->cursor().shape(), probe.cursor) << probe.code;
    }
    // With a second key selected no key has handles.
    click(*view, centreOf(*view, slotAt(2, 3)), Qt::ShiftModifier);
    moveTo(*view, {r, my});
    EXPECT_EQ(view->handleCode(), kNoHandle);
}

class ResizeTest : public KeyViewTest {
protected:
    void SetUp() override {
        KeyViewTest::SetUp();
        view = showView(document);
        pitch = view->scale() * 19.0;
        choose(slotAt(0, kTopRow));
    }
    void choose(int chosen) {
        slot = chosen;
        rect = clientRect(*view, slot);
        click(*view, rect.center());
    }
    // Presses on the right edge (or the bottom, or the corner) and drags
    // until the pointer is `steps` pitches behind the key's left (top) edge.
    void dragFrom(QPoint edge, double stepsX, double stepsY) {
        moveTo(*view, edge);
        QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, edge);
        QTest::mouseMove(view->viewport(), QPoint(rect.x() + int(stepsX * pitch), rect.y() + int(stepsY * pitch)));
    }
    QPoint rightEdge() const { return QPoint(rect.x() + 34, rect.center().y()); }
    QPoint bottomEdge() const { return QPoint(rect.center().x(), rect.y() + 34); }
    QPoint corner() const { return QPoint(rect.x() + 34, rect.y() + 34); }
    const kbxdoc::Rect& current(int of) { return key(of).current; }

    std::unique_ptr<KeyView> view;
    int slot = -1;
    QRect rect;
    double pitch = 0;
};

TEST_F(ResizeTest, DraggingTheRightEdgeOneAndAHalfPitchesGivesATwoUnitKeyOnRelease) {
    dragFrom(rightEdge(), 12.0 / 19 + 1.5, 0.5);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).width, 19.0 + 12.0);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).height, 12.0);
    EXPECT_DOUBLE_EQ(current(slot).width, 12.0);  // not before the release
    EXPECT_FALSE(document.isModified());

    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, rightEdge() + QPoint(int(1.5 * pitch), 0));
    EXPECT_DOUBLE_EQ(current(slot).width, 31.0);
    EXPECT_DOUBLE_EQ(current(slot).height, 12.0);
    EXPECT_TRUE(document.isModified());

    // The drag is one step of the history.
    EXPECT_EQ(document.history().undoText(), "Tastengröße ändern");
    document.history().undo();
    EXPECT_DOUBLE_EQ(current(slot).width, 12.0);
    EXPECT_FALSE(document.isModified());
    document.history().redo();
    EXPECT_DOUBLE_EQ(current(slot).width, 31.0);
}

TEST_F(ResizeTest, DraggingFurtherThanThreeUnitsStopsAtThree) {
    dragFrom(rightEdge(), 6.0, 0.5);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).width, 2 * 19.0 + 12.0);
    // Back to the left of the key: never less than one unit.
    QTest::mouseMove(view->viewport(), QPoint(rect.x() - 40, rect.center().y()));
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).width, 12.0);
}

TEST_F(ResizeTest, TheBottomEdgeChangesOnlyTheHeightAndTheCornerBoth) {
    dragFrom(bottomEdge(), 5.0, 2.2);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).width, 12.0);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).height, 19.0 + 12.0);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton);
    EXPECT_DOUBLE_EQ(current(slot).height, 31.0);

    choose(slotAt(5, 3));
    dragFrom(corner(), 3.0, 3.0);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).width, 50.0);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).height, 50.0);
}

TEST_F(ResizeTest, TheHandleOfThePressStaysWhileTheButtonIsHeld) {
    // Pressed inside the key: moving over the right edge and beyond while
    // the button is held resizes nothing.
    dragFrom(rect.center(), 2.5, 0.5);
    EXPECT_DOUBLE_EQ(current(kbxdoc::kCurrentKeySlot).width, 12.0);
    EXPECT_EQ(view->handleCode(), kHandleInside);
}

TEST_F(ResizeTest, APlainClickWritesBackWithoutMarkingTheDocumentModified) {
    click(*view, rect.center());
    EXPECT_EQ(key(slot), key(kbxdoc::kCurrentKeySlot));
    EXPECT_FALSE(document.isModified());
}

TEST_F(MouseTest, ADoubleClickInAScrolledViewSelectsTheKeyUnderThePointerAndAsksForItsProgramming) {
    const auto view = showView(document, ZoomMode::Double);
    view->horizontalScrollBar()->setValue(900);
    view->verticalScrollBar()->setValue(500);
    ASSERT_EQ(view->scrollPosition(), QPoint(900, 500));
    const int slot = slotAt(9, 1);
    const QPoint at = centreOf(*view, slot);
    ASSERT_TRUE(view->viewport()->rect().contains(at));
    QSignalSpy programming(view.get(), &KeyView::keyProgrammingRequested);

    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    EXPECT_EQ(selectedSlots(*view), std::vector<int>{slot});
    EXPECT_EQ(programming.count(), 1);

    // Between the keys: nothing selected, no programming sheet.
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                       clientRect(*view, slot).topRight() + QPoint(3, 0));
    EXPECT_TRUE(selectedSlots(*view).empty());
    EXPECT_EQ(programming.count(), 1);
}

TEST_F(MouseTest, TheRightButtonAsksForThePopUpMenuAtTheGlobalPositionAndActivatesTheView) {
    const auto view = showView(document);
    QSignalSpy menus(view.get(), &KeyView::contextMenuRequested);
    const QPoint at(200, 150);
    QTest::mouseClick(view->viewport(), Qt::RightButton, Qt::NoModifier, at);
    ASSERT_EQ(menus.count(), 1);
    EXPECT_EQ(menus.at(0).at(0).toPoint(), view->viewport()->mapToGlobal(at));
    EXPECT_EQ(editorState().activeView, view.get());
}

}  // namespace
}  // namespace keyui::testing
