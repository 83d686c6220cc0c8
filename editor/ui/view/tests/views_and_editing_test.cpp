#include "editor/ui/view/tests/view_fixture.h"

namespace keyui::testing {
namespace {

using ViewsTest = KeyViewTest;

TEST_F(ViewsTest, TwoViewsOfOneDocumentKeepTheirOwnSelectionAndLayer) {
    const auto first = showView(document);
    const auto second = showView(document);
    const int a = slotAt(0, 0);
    const int b = slotAt(7, 4);
    click(*first, centreOf(*first, a));
    second->setCurrentLayer(2);
    click(*second, centreOf(*second, b));
    EXPECT_EQ(selectedSlots(*first), std::vector<int>{a});
    EXPECT_EQ(selectedSlots(*second), std::vector<int>{b});
    EXPECT_EQ(first->currentLayer(), 0);

    // Activation switches the layer the layer bar shows.
    first->activate();
    EXPECT_EQ(editorState().activeView, first.get());
    EXPECT_EQ(editorState().currentLayer, 0);
    second->activate();
    EXPECT_EQ(editorState().currentLayer, 2);
    second->setCurrentLayer(3);
    EXPECT_EQ(editorState().currentLayer, 3);
}

TEST_F(ViewsTest, ANewViewTakesTheCurrentLayerAndSwitchAndAClosedViewIsNoLongerActive) {
    editorState().currentLayer = 4;
    editorState().showLayerData = true;
    auto view = std::make_unique<KeyView>(document);
    EXPECT_EQ(view->currentLayer(), 4);
    EXPECT_TRUE(view->layerDataShown());
    EXPECT_EQ(view->context().currentLayer, 4);
    view->activate();
    view.reset();
    EXPECT_EQ(editorState().activeView, nullptr);
}

TEST_F(ViewsTest, AClickHitsTheKeysAtItsOwnViewsScaleWhileAnotherViewAtAnotherZoomRepaints) {
    const auto doubled = showView(document, ZoomMode::Double);
    const auto normal = showView(document, ZoomMode::Normal);
    const int a = slotAt(2, 5);
    const int b = slotAt(3, 5);
    click(*doubled, centreOf(*doubled, a));
    // Clearing the first key repaints it in both views before the hit test.
    click(*doubled, centreOf(*doubled, b));
    EXPECT_EQ(selectedSlots(*doubled), std::vector<int>{b});
    click(*normal, centreOf(*normal, a));
    click(*normal, centreOf(*normal, b));
    EXPECT_EQ(selectedSlots(*normal), std::vector<int>{b});
}

using EditingTest = KeyViewTest;

TEST_F(EditingTest, CopyCutAndPasteNeedExactlyOneSelectedKeyAndPasteAClipboard) {
    const auto view = showView(document);
    EXPECT_FALSE(view->canCopy() || view->canCut());
    click(*view, centreOf(*view, slotAt(1, 1)));
    EXPECT_TRUE(view->canCopy() && view->canCut());
    EXPECT_FALSE(view->canPaste() || view->canEditGroup());
    view->pasteKey();  // nothing to paste yet
    view->copyKey();
    EXPECT_TRUE(view->canPaste());
    EXPECT_FALSE(document.isModified());
    click(*view, centreOf(*view, slotAt(2, 1)), Qt::ShiftModifier);
    EXPECT_FALSE(view->canCopy() || view->canPaste());
    EXPECT_TRUE(view->canEditGroup());
}

TEST_F(EditingTest, CutAndPasteMarkTheDocumentModifiedAndTheNextReleaseKeepsTheirResult) {
    const auto view = showView(document);
    const int slot = slotAt(6, 6);
    key(slot).caption = "Milch";
    click(*view, centreOf(*view, slot));
    view->cutKey();
    EXPECT_TRUE(document.isModified());
    EXPECT_TRUE(key(slot).caption.empty());
    // The release writes the current key back: it must not bring back
    // what was cut.
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(*view, slot));
    EXPECT_TRUE(key(slot).caption.empty());

    document.setModified(false);
    view->pasteKey();
    EXPECT_TRUE(document.isModified());
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, centreOf(*view, slot));
    EXPECT_EQ(key(slot).caption, "Milch");
}

}  // namespace
}  // namespace keyui::testing
