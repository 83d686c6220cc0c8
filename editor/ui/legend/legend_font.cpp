#include <algorithm>
#include <array>
#include <cstdlib>

#include "editor/ui/core/texts.h"
#include "editor/ui/legend/legend.h"

namespace keyui::legend {

namespace {

constexpr char kDefaultFace[] = "Arial";
constexpr int kWeightStep = 100;

// Windows weights in steps of 100 from 100 (thin) to 900 (heavy).
constexpr std::array kWeights{
    QFont::Thin, QFont::ExtraLight, QFont::Light, QFont::Normal, QFont::Medium,
    QFont::DemiBold, QFont::Bold, QFont::ExtraBold, QFont::Black,
};

QFont::Weight qtWeight(std::int32_t windowsWeight) {
    if (windowsWeight <= 0) return QFont::Normal;  // "don't care"
    const int step = (windowsWeight + kWeightStep / 2) / kWeightStep - 1;
    return kWeights[static_cast<std::size_t>(std::clamp(step, 0, static_cast<int>(kWeights.size()) - 1))];
}

}  // namespace

QFont legendFont(const kbxdoc::LogicalFont& font, int pixelHeight) {
    QFont result;
    int size = pixelHeight;
    if (font.faceName.empty()) {
        result.setFamily(QString::fromLatin1(kDefaultFace));
    } else {
        result.setFamily(fromAnsi(font.faceName.view()));
        // A negative height asks for that character height, a positive one
        // for that cell height; both are taken as the pixel size.
        if (font.height != 0) size = std::abs(font.height);
    }
    result.setPixelSize(std::max(1, size));
    result.setWeight(qtWeight(font.weight));
    result.setItalic(font.italic != 0);
    result.setUnderline(font.underline != 0);
    result.setStrikeOut(font.strikeOut != 0);
    return result;
}

}  // namespace keyui::legend
