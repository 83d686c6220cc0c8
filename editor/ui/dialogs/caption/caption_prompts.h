#pragma once

// The file, colour and font dialogs of the caption dialogs behind one
// interface: the program asks the real Qt dialogs, tests answer at once.

#include <array>
#include <cstdint>
#include <optional>

#include <QColor>
#include <QString>

#include "editor/document/keyboard_data.h"

class QWidget;

namespace keyui::dialogs {

// What the font dialog starts from: the font record with its height set to
// the caption's font height x 10, and the text colour.
struct FontRequest {
    kbxdoc::LogicalFont font;
    std::uint32_t colour = 0;
};

// A confirmed font dialog: the chosen font record (its height in tenths of
// a point, negative as a character height), the colour of the dialog and the
// point size in tenths (0: the dialog gave none).
struct FontChoice {
    kbxdoc::LogicalFont font;
    std::uint32_t colour = 0;
    int pointSizeTenths = 0;
};

class CaptionPrompts {
public:
    virtual ~CaptionPrompts() = default;
    // The full path of an existing file, or an empty text when cancelled.
    virtual QString openPicture(QWidget* parent, const QString& title, const QString& filter) = 0;
    virtual std::optional<std::uint32_t> chooseColour(QWidget* parent, std::uint32_t initial) = 0;
    virtual std::optional<FontChoice> chooseFont(QWidget* parent, const FontRequest& request) = 0;
    // Tells why an entry is not taken; the dialog stays open.
    virtual void refuse(QWidget* parent, const QString& title, const QString& text) = 0;
};

// The real dialogs: QFileDialog, QColorDialog with the program's 16 custom
// colours kept for the run, QFontDialog limited to scalable fonts. The Qt
// font dialog has no colour choice, so the colour comes back unchanged.
class QtCaptionPrompts : public CaptionPrompts {
public:
    QString openPicture(QWidget* parent, const QString& title, const QString& filter) override;
    std::optional<std::uint32_t> chooseColour(QWidget* parent, std::uint32_t initial) override;
    std::optional<FontChoice> chooseFont(QWidget* parent, const FontRequest& request) override;
    void refuse(QWidget* parent, const QString& title, const QString& text) override;

private:
    static constexpr int kCustomColourCount = 16;
    std::array<QColor, kCustomColourCount> customColours_{};
};

}  // namespace keyui::dialogs
