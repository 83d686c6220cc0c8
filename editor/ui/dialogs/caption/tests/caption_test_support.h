#pragma once

// What the caption dialog tests share: a layout of model 3 with a view's
// selection, prompts that answer from a script, and modal dialogs driven
// from the event loop.

#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "editor/document/key_table.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/dialogs/caption/caption_prompts.h"

namespace keyui::dialogs::testing {

struct ScriptedPrompts : CaptionPrompts {
    QString picture;  // empty: the file dialog is cancelled
    std::optional<std::uint32_t> colour;
    std::optional<FontChoice> font;

    QString pictureTitle;
    QString pictureFilter;
    std::optional<std::uint32_t> colourAskedWith;
    std::optional<FontRequest> fontAskedWith;
    QStringList refusals;

    QString openPicture(QWidget*, const QString& title, const QString& filter) override {
        pictureTitle = title;
        pictureFilter = filter;
        return picture;
    }
    std::optional<std::uint32_t> chooseColour(QWidget*, std::uint32_t initial) override {
        colourAskedWith = initial;
        return colour;
    }
    std::optional<FontChoice> chooseFont(QWidget*, const FontRequest& request) override {
        fontAskedWith = request;
        return font;
    }
    void refuse(QWidget*, const QString&, const QString& text) override { refusals.append(text); }
};

// A document laid out as model 3, at 4 pixels per mm, with nothing selected.
struct CaptionFixture {
    CaptionFixture() {
        resetEditorStateForTests();
        view.keyboard = &document.keyboard();
        view.selection = &selection;
        view.layers = &editorState().layers;
        view.observer = &document;
        kbxdoc::resetKeyboardData(view);
        document.keyboard().scaleX = kScale;
        document.keyboard().scaleY = kScale;
        document.setModified(false);
    }

    kbxdoc::KeyRecord& key(int slot) { return document.keyboard().keys[static_cast<std::size_t>(slot)]; }
    void select(int slot) { selection[static_cast<std::size_t>(slot)] = 1; }

    static constexpr double kScale = 4.0;
    KeyDocument document;
    kbxdoc::SelectionFlags selection{};
    kbxdoc::ActiveContext view;
    ScriptedPrompts prompts;
};

template <typename Widget>
Widget& control(QWidget& dialog, const char* id) {
    auto* found = dialog.findChild<Widget*>(QString::fromLatin1(id));
    if (found == nullptr) throw std::runtime_error(id);
    return *found;
}

inline void click(QWidget& dialog, const char* id) {
    QTest::mouseClick(&control<QPushButton>(dialog, id), Qt::LeftButton);
}

// Replaces an edit's text by typing, as a user does.
inline void retype(QWidget& dialog, const char* id, const QString& text) {
    auto& edit = control<QLineEdit>(dialog, id);
    edit.setFocus();
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    QTest::keyClicks(&edit, text);
}

// Runs `act` on the next modal dialog once it is shown (from the event
// loop of its exec()); the dialog must be closed by `act`.
inline void whenModalShows(std::function<void(QDialog&)> act) {
    // Only the pending timer owns the attempt, so it is freed after the last one.
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [act, self = std::weak_ptr(attempt)](int triesLeft) {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog != nullptr && dialog->isVisible()) {
            act(*dialog);
            return;
        }
        if (triesLeft > 0)
            QTimer::singleShot(10, [next = self.lock(), triesLeft] { (*next)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(100); });
}

// Whether the pixel is within `tolerance` of the Windows colour value in
// each channel (the legend's text is antialiased).
inline bool pixelNear(const QImage& image, int x, int y, std::uint32_t colour, int tolerance) {
    const QColor c = image.pixelColor(x, y);
    const auto near = [tolerance](int channel, std::uint32_t wanted) {
        return std::abs(channel - static_cast<int>(wanted & 0xFF)) <= tolerance;
    };
    return near(c.red(), colour) && near(c.green(), colour >> 8) && near(c.blue(), colour >> 16);
}

inline int pixelsNear(const QImage& image, std::uint32_t colour, int tolerance) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += pixelNear(image, x, y, colour, tolerance) ? 1 : 0;
    return count;
}

}  // namespace keyui::dialogs::testing
