#include <QScreen>
#include <QScrollBar>

#include "editor/ui/view/tests/view_fixture.h"

namespace keyui::testing {
namespace {

// What the screen shows of the viewport: the repaints the view asked for,
// not a fresh drawing.
QImage onScreen(const KeyView& view) {
    QCoreApplication::processEvents();
    const QPoint origin = view.viewport()->mapTo(view.window(), QPoint(0, 0));
    const QSize size = view.viewport()->size();
    return view.screen()
        ->grabWindow(view.window()->winId(), origin.x(), origin.y(), size.width(), size.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}
QImage freshlyDrawn(KeyView& view) { return view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

using ScreenPictureTest = KeyViewTest;

TEST_F(ScreenPictureTest, SelectingAndDeselectingAKeyRepaintsItsMark) {
    const auto view = showView(document);
    const int slot = slotAt(4, 4);
    const QRect rect = clientRect(*view, slot);
    const QImage before = onScreen(*view).copy(rect);
    click(*view, rect.center());
    EXPECT_NE(onScreen(*view).copy(rect), before);
    click(*view, QPoint(5, 5));
    EXPECT_EQ(onScreen(*view).copy(rect), before);
}

TEST_F(ScreenPictureTest, AScrolledViewShowsWhatAFreshDrawingShows) {
    const auto view = showView(document, ZoomMode::Double);
    view->horizontalScrollBar()->setValue(90);
    view->verticalScrollBar()->setValue(45);
    onScreen(*view);
    view->horizontalScrollBar()->setValue(50);
    view->verticalScrollBar()->setValue(70);
    EXPECT_EQ(onScreen(*view), freshlyDrawn(*view));
}

// Inside a window of its own, as in a child frame: a resize of the view
// alone does not expose the whole window again.
TEST_F(ScreenPictureTest, AResizedViewShowsWhatAFreshDrawingShows) {
    QWidget window;
    window.resize(kViewSize + QSize(200, 100));
    KeyView view(document, &window);
    view.setZoomMode(ZoomMode::Normal);
    view.resize(kViewSize);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    onScreen(view);
    view.resize(kViewSize + QSize(120, 60));
    EXPECT_EQ(onScreen(view), freshlyDrawn(view));
    view.setZoomMode(ZoomMode::WholeKeyboard);
    onScreen(view);
    view.resize(kViewSize);
    EXPECT_EQ(onScreen(view), freshlyDrawn(view));
}

TEST_F(ScreenPictureTest, AResizeDragShowsTheKeyAtItsNewSizeAndTheReleaseKeepsIt) {
    const auto view = showView(document);
    const int slot = slotAt(2, 3);
    const QRect rect = clientRect(*view, slot);
    click(*view, rect.center());
    const QPoint edge(rect.x() + 34, rect.center().y());
    moveTo(*view, edge);
    QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, edge);
    QTest::mouseMove(view->viewport(), edge + QPoint(int(view->scale() * 19), 0));
    const QImage dragged = onScreen(*view);
    EXPECT_EQ(dragged, freshlyDrawn(*view));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, edge + QPoint(int(view->scale() * 19), 0));
    const QImage released = onScreen(*view);
    EXPECT_EQ(released, freshlyDrawn(*view));
    // The neighbour to the right is covered by the wider key.
    const QRect neighbour = clientRect(*view, slotAt(3, 3));
    EXPECT_EQ(released.copy(neighbour), dragged.copy(neighbour));
}

}  // namespace
}  // namespace keyui::testing
