#pragma once

// A layout of the 21 x 7 grid model in a key view shown at a fixed size on
// the offscreen platform, and the pixel arithmetic the tests click with.

#include <memory>

#include <QPoint>
#include <QTest>

#include <gtest/gtest.h>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/view/key_view.h"

namespace keyui::testing {

inline constexpr int kGridModel = 14;  // 21 x 7 keys of 12 mm on a 19 mm pitch
inline constexpr int kTopRow = 6;      // rows count from the bottom
inline constexpr QSize kViewSize{640, 400};

class KeyViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        editorState().layers = kbxdoc::defaultLayerTable();
        layOut(document);
    }

    static void layOut(KeyDocument& target) {
        kbxdoc::ActiveContext context = target.documentContext();
        kbxdoc::resetKeyboardData(context);
        kbxdoc::setModelAndLayOut(context, kGridModel, false);
        target.startHistory();  // as the main window does when it shows a new layout
    }

    std::unique_ptr<KeyView> showView(KeyDocument& of, ZoomMode mode = ZoomMode::Normal) {
        auto view = std::make_unique<KeyView>(of);
        view->setZoomMode(mode);
        view->resize(kViewSize);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        return view;
    }

    int slotAt(int column, int row) { return kbxdoc::slotAt(document.documentContext(), column, row); }
    kbxdoc::KeyRecord& key(int slot) { return document.keyboard().keys[static_cast<std::size_t>(slot)]; }

    // A key's rectangle in the view's client pixels, truncated as drawn.
    static QRect clientRect(const KeyView& view, int slot) {
        const kbxdoc::KeyboardData& keyboard = view.document().keyboard();
        const kbxdoc::Rect& mm = keyboard.keys[static_cast<std::size_t>(slot)].current;
        const double scale = view.scale();
        const QRect rect(static_cast<int>(scale * mm.left), static_cast<int>(scale * mm.top),
                         static_cast<int>(scale * mm.width), static_cast<int>(scale * mm.height));
        return rect.translated(-view.scrollPosition());
    }
    static QPoint centreOf(const KeyView& view, int slot) { return clientRect(view, slot).center(); }

    static void click(KeyView& view, QPoint at, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mouseClick(view.viewport(), Qt::LeftButton, modifiers, at);
    }
    // The platform drops a move to where the pointer already is, also when
    // an earlier test left it there: come from one pixel below.
    static void moveTo(KeyView& view, QPoint at) {
        QTest::mouseMove(view.viewport(), at + QPoint(0, 1));
        QTest::mouseMove(view.viewport(), at);
    }
    static std::vector<int> selectedSlots(const KeyView& view) {
        std::vector<int> found;
        for (int slot = 0; slot < kbxdoc::kKeySlotCount; ++slot)
            if (view.selection()[static_cast<std::size_t>(slot)] != 0) found.push_back(slot);
        return found;
    }

    KeyDocument document;
};

}  // namespace keyui::testing
