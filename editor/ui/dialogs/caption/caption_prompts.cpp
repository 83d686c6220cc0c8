#include "editor/ui/dialogs/caption/caption_prompts.h"

#include <cmath>
#include <cstdlib>

#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QFont>
#include <QFontDialog>

#include "editor/ui/core/texts.h"
#include "editor/ui/legend/legend.h"

namespace keyui::dialogs {

namespace {

constexpr char kDefaultFace[] = "Arial";
constexpr double kTenths = 10.0;
constexpr int kWeightStep = 100;

std::uint32_t colourValue(const QColor& colour) {
    return static_cast<std::uint32_t>(colour.red()) | (static_cast<std::uint32_t>(colour.green()) << 8) |
           (static_cast<std::uint32_t>(colour.blue()) << 16);
}

QFont qtFontOf(const kbxdoc::LogicalFont& font) {
    QFont result(font.faceName.empty() ? QString::fromLatin1(kDefaultFace) : fromAnsi(font.faceName.view()));
    if (font.height != 0) result.setPointSizeF(std::abs(font.height) / kTenths);
    // The legend font's own weight mapping, through the pixel-size font.
    const QFont weighted = legend::legendFont(font, 1);
    result.setWeight(weighted.weight());
    result.setItalic(font.italic != 0);
    result.setUnderline(font.underline != 0);
    result.setStrikeOut(font.strikeOut != 0);
    return result;
}

std::int32_t windowsWeight(const QFont& font) {
    // Qt's weights 100-900 are the Windows steps.
    const int weight = static_cast<int>(font.weight());
    return (weight + kWeightStep / 2) / kWeightStep * kWeightStep;
}

}  // namespace

QString QtCaptionPrompts::openPicture(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

void QtCaptionPrompts::refuse(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text);
}

std::optional<std::uint32_t> QtCaptionPrompts::chooseColour(QWidget* parent, std::uint32_t initial) {
    QColorDialog dialog(legend::toQColor(initial), parent);
    for (int index = 0; index < kCustomColourCount; ++index) {
        const QColor& kept = customColours_[static_cast<std::size_t>(index)];
        QColorDialog::setCustomColor(index, kept.isValid() ? kept : QColor(Qt::white));
    }
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    for (int index = 0; index < kCustomColourCount; ++index)
        customColours_[static_cast<std::size_t>(index)] = QColorDialog::customColor(index);
    if (!confirmed) return std::nullopt;
    return colourValue(dialog.selectedColor());
}

std::optional<FontChoice> QtCaptionPrompts::chooseFont(QWidget* parent, const FontRequest& request) {
    bool confirmed = false;
    const QFont chosen = QFontDialog::getFont(&confirmed, qtFontOf(request.font), parent, QString(),
                                              QFontDialog::ScalableFonts);
    if (!confirmed) return std::nullopt;
    FontChoice choice;
    choice.font = request.font;
    choice.font.faceName.assign(toAnsi(chosen.family()));
    choice.font.weight = windowsWeight(chosen);
    choice.font.italic = chosen.italic() ? 1 : 0;
    choice.font.underline = chosen.underline() ? 1 : 0;
    choice.font.strikeOut = chosen.strikeOut() ? 1 : 0;
    const double points = chosen.pointSizeF();
    choice.pointSizeTenths = points > 0 ? static_cast<int>(std::lround(points * kTenths)) : 0;
    choice.font.height = -choice.pointSizeTenths;
    choice.colour = request.colour;
    return choice;
}

}  // namespace keyui::dialogs
