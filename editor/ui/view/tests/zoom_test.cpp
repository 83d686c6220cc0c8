#include <QScrollBar>

#include "editor/ui/view/tests/view_fixture.h"

namespace keyui::testing {
namespace {

using ZoomTest = KeyViewTest;

TEST_F(ZoomTest, FixedZoomsUseThreeAndSixPixelsPerMillimetreAndScrollTheRoundedKeyboard) {
    const auto view = showView(document);
    EXPECT_EQ(view->scale(), 3.0);
    EXPECT_EQ(view->scrollSize(), QSize(1377, 621));  // 459 x 207 mm
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 1377 - view->viewport()->width());

    view->setZoomMode(ZoomMode::Double);
    EXPECT_EQ(view->scale(), 6.0);
    EXPECT_EQ(view->scrollSize(), QSize(2754, 1242));
    EXPECT_EQ(view->verticalScrollBar()->maximum(), 1242 - view->viewport()->height());
}

TEST_F(ZoomTest, ScrollSizesRoundToTheNearestPixel) {
    document.keyboard().width = 100.2;  // 300.6 pixels
    document.keyboard().height = 50.1;  // 150.3 pixels
    emit document.allChanged();
    const auto view = showView(document);
    EXPECT_EQ(view->scrollSize(), QSize(301, 150));
}

TEST_F(ZoomTest, ANewViewFitsTheWholeKeyboardAndFollowsItsClientSize) {
    auto view = std::make_unique<KeyView>(document);
    EXPECT_EQ(view->zoomMode(), ZoomMode::WholeKeyboard);
    view->resize(kViewSize);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));

    const QSize client = view->viewport()->size();
    const double fit = std::min(client.width() / 459.0, client.height() / 207.0);
    EXPECT_DOUBLE_EQ(view->scale(), fit);
    EXPECT_EQ(view->scrollSize(), QSize(int(std::lround(459 * fit)), int(std::lround(207 * fit))));
    EXPECT_EQ(view->horizontalScrollBar()->maximum(), 0);

    view->resize(kViewSize / 2);
    QCoreApplication::processEvents();
    const QSize smaller = view->viewport()->size();
    EXPECT_DOUBLE_EQ(view->scale(), std::min(smaller.width() / 459.0, smaller.height() / 207.0));
}

TEST_F(ZoomTest, AKeyboardOfSizeZeroKeepsTheScaleAndScrollsAHundredPixelsSquare) {
    KeyDocument empty;  // no layout: every size 0
    const auto view = showView(empty, ZoomMode::Double);
    EXPECT_EQ(view->scrollSize(), QSize(100, 100));
    const double before = view->scale();
    view->setZoomMode(ZoomMode::WholeKeyboard);
    EXPECT_EQ(view->scale(), before);
    EXPECT_EQ(view->scrollSize(), QSize(100, 100));
}

TEST_F(ZoomTest, LayoutChangesOfTheDocumentResizeTheScrolledArea) {
    const auto view = showView(document);
    kbxdoc::ActiveContext context = document.documentContext();
    kbxdoc::setModelAndLayOut(context, 9, false);  // 115 x 115 mm
    EXPECT_EQ(view->scrollSize(), QSize(345, 345));
}

}  // namespace
}  // namespace keyui::testing
