#pragma once

// A main window made directly (not through main()) over a temporary
// program folder with its own settings file and per-user settings.

#include <QApplication>
#include <QMdiArea>
#include <QTest>
#include <algorithm>
#include <memory>

#include <gtest/gtest.h>

#include "editor/document/layer_table.h"
#include "editor/ui/app/child_frame.h"
#include "editor/ui/app/main_window.h"
#include "editor/ui/app/recent_files.h"
#include "editor/ui/app/tests/scripted_dialogs.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/view/key_view.h"
#include "tests/support/files.h"

namespace keyui::app::testing {

inline const std::filesystem::path kSourceData = std::filesystem::path(KBX_SOURCE_DIR) / "data";
inline const QString kExampleLayout = QString::fromStdString((kSourceData / "examples/bakery.kbf").string());

class AppTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        editorState().layers = kbxdoc::defaultLayerTable();
        editorState().programFolder = folder();
        editorState().settingsFile = dir / "Vyrn.Ini";
    }
    void TearDown() override {
        window.reset();
        settle();
    }

    QString folder() const { return QString::fromStdString(dir.path().string()) + QLatin1Char('/'); }
    QString path(std::string_view name) const { return QString::fromStdString((dir / name).string()); }

    MainWindow& makeWindow() {
        window.reset();
        MainWindowSetup setup;
        setup.dialogs = &dialogs;
        setup.profileFile = path("profile.ini");
        setup.guardFolder = folder();
        window = std::make_unique<MainWindow>(setup);
        return *window;
    }

    // Selects the first key of the active view with a click.
    static void selectFirstKey(MainWindow& main) {
        KeyView& view = *main.activeView();
        const kbxdoc::KeyboardData& keyboard = view.document().keyboard();
        const auto first = std::find_if(keyboard.keys.begin(), keyboard.keys.begin() + kbxdoc::kOrdinaryKeyCount,
                                        [](const kbxdoc::KeyRecord& k) { return k.current.width > 0; });
        ASSERT_NE(first, keyboard.keys.begin() + kbxdoc::kOrdinaryKeyCount);
        const kbxdoc::Rect& mm = first->current;
        const QPoint centre(static_cast<int>((mm.left + mm.width / 2) * view.scale()),
                            static_cast<int>((mm.top + mm.height / 2) * view.scale()));
        QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, centre);
    }

    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    kbxtest::TempDir dir;
    ScriptedDialogs dialogs;
    std::unique_ptr<MainWindow> window;
};

}  // namespace keyui::app::testing
