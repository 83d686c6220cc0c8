#pragma once

// A document with one key at row A, column 1 (slot 3), the default layer
// table and a view context that selects that key.

#include <functional>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "editor/document/layer_table.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/programming/programming_page.h"
#include "editor/ui/dialogs/programming/programming_sheet.h"

namespace keyui::dialogs::testing {

inline constexpr int kKeySlot = 3;

class ProgrammingTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        editorState().layers = kbxdoc::defaultLayerTable();
        key().templateGeometry = key().current = {0, 0, 19, 19};
        selection[kKeySlot] = 1;
        view.keyboard = &document.keyboard();
        view.selection = &selection;
        view.layers = &editorState().layers;
        view.observer = &document;
    }
    kbxdoc::KeyRecord& key() { return document.keyboard().keys[kKeySlot]; }
    kbxdoc::LayerEntry& entry(int layer) { return key().layers[static_cast<std::size_t>(layer)]; }

    // The sheet for the key, shown without a modal loop.
    std::unique_ptr<ProgrammingSheet> shownSheet(int slot = kKeySlot) {
        auto sheet = buildProgrammingSheet(nullptr, document, view, slot);
        if (sheet) {
            sheet->show();
            sheet->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet.get()));
        }
        return sheet;
    }

    KeyDocument document;
    kbxdoc::SelectionFlags selection{};
    kbxdoc::ActiveContext view;
};

template <typename T>
T* control(QWidget& page, const char* name) {
    return page.findChild<T*>(QString::fromLatin1(name));
}

// Runs `inspect` on the sheet once its modal loop runs; `inspect` closes it.
inline void whenSheetOpens(std::function<void(ProgrammingSheet&)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        auto* sheet = qobject_cast<ProgrammingSheet*>(QApplication::activeModalWidget());
        ASSERT_NE(sheet, nullptr);
        inspect(*sheet);
    });
}

}  // namespace keyui::dialogs::testing
