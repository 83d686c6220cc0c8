#include <QScrollBar>

#include "editor/ui/testing/qt_test_support.h"
#include "editor/ui/view/programming_box.h"
#include "editor/ui/view/tests/view_fixture.h"

namespace keyui::testing {
namespace {

class ProgrammingBoxTest : public KeyViewTest {
protected:
    void SetUp() override {
        KeyViewTest::SetUp();
        view = showView(document);
        view->setLayerDataShown(true);
    }
    void program(int slot, int layer, std::string_view text) {
        key(slot).layers[static_cast<std::size_t>(layer)].programming = text;
    }
    QRect boxAt(QPoint pointer) {
        moveTo(*view, pointer);
        return view->programmingBoxRect();
    }
    std::unique_ptr<KeyView> view;
};

TEST_F(ProgrammingBoxTest, TheCurrentLayersProgrammingShowsAboveThePointerUntilItLeavesTheKey) {
    const int slot = slotAt(3, 3);
    program(slot, 0, "{F1}");
    program(slot, 1, "{F2}");
    const QPoint pointer = centreOf(*view, slot);
    const QRect box = boxAt(pointer);
    EXPECT_EQ(view->programmingBoxText(), "{F1}");
    EXPECT_EQ(box.topLeft(), pointer - QPoint(0, 21));
    const QImage image = view->viewport()->grab().toImage();
    EXPECT_EQ(pixelValue(image, box.right() - 1, box.bottom() - 1), view::kProgrammingBoxBackground);

    view->setCurrentLayer(1);
    boxAt(pointer + QPoint(1, 0));
    EXPECT_EQ(view->programmingBoxText(), "{F2}");
    EXPECT_TRUE(boxAt(centreOf(*view, slotAt(4, 3))).isEmpty());  // not programmed
    EXPECT_FALSE(boxAt(pointer).isEmpty());
    view->setLayerDataShown(false);
    EXPECT_TRUE(view->programmingBoxRect().isEmpty());
    EXPECT_TRUE(boxAt(pointer + QPoint(1, 0)).isEmpty());
}

TEST_F(ProgrammingBoxTest, NearTheRightAndTopEdgesTheBoxStaysInsideTheClientArea) {
    const int slot = slotAt(10, kTopRow);
    program(slot, 0, "{SHIFT}{F10}{ENTER} long enough to wrap over more than one line of the box");
    const QSize client = view->viewport()->size();
    // Scroll the key's middle under the client's right edge and its top
    // edge 10 pixels above the client.
    const QRect unscrolled = clientRect(*view, slot).translated(view->scrollPosition());
    view->horizontalScrollBar()->setValue(unscrolled.center().x() - (client.width() - 3));
    view->verticalScrollBar()->setValue(unscrolled.y() + 10);
    const QRect rect = clientRect(*view, slot);
    ASSERT_EQ(rect.y(), -10);
    ASSERT_TRUE(rect.contains(client.width() - 3, 5));

    const QRect nearRight = boxAt(QPoint(client.width() - 3, rect.center().y()));
    EXPECT_EQ(nearRight.x() + nearRight.width(), client.width());
    EXPECT_GT(nearRight.height(), 19);  // wrapped

    const QRect nearTop = boxAt(QPoint(client.width() - 3, 5));
    EXPECT_EQ(nearTop.y(), 0);
    EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(nearTop));
}

TEST(ProgrammingBoxPlacement, AWordLongerThanTheBoxIsBrokenSoTheBoxKeepsItsWidth) {
    const QString word(120, QLatin1Char('x'));
    const view::ProgrammingBox box = view::placeProgrammingBox(QPoint(10, 100), word, QSize(800, 600));
    EXPECT_LE(box.rect.width(), 249);
    EXPECT_GT(box.rect.height(), 19);
    EXPECT_EQ(box.rect.topLeft(), QPoint(10, 79));
}

}  // namespace
}  // namespace keyui::testing
