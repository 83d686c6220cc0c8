#include "editor/ui/dialogs/caption/caption_preview.h"

#include <cmath>

#include <QImage>
#include <QPainter>

#include "editor/ui/legend/legend.h"

namespace keyui::dialogs {

namespace {

// Without a scale of the document the key is fitted into this many pixels.
constexpr int kFittedSide = 120;
constexpr unsigned kGivenValues = legend::kSampleSize | legend::kSampleMargins | legend::kSampleFontHeight |
                                  legend::kSampleLineSpacing | legend::kSampleColours | legend::kSampleFont |
                                  legend::kSampleText;

bool hasScales(const CaptionWorkingCopy& copy) { return copy.scaleX > 0 && copy.scaleY > 0; }

int side(double scale, double surround, double key) {
    return static_cast<int>(std::ceil(scale * (2 * surround + key)));
}

}  // namespace

CaptionPreview::CaptionPreview(const CaptionWorkingCopy& copy, const kbxdoc::KeyboardData& keyboard, QWidget* parent)
    : QWidget(parent), copy_(copy), keyboard_(keyboard) {
    setObjectName(QStringLiteral("static11031"));
    setFixedSize(sizeHint());
}

QSize CaptionPreview::sizeHint() const {
    if (!hasScales(copy_)) return {kFittedSide, kFittedSide};
    return {side(copy_.scaleX, keyboard_.capSurroundX, copy_.keyWidth),
            side(copy_.scaleY, keyboard_.capSurroundY, copy_.keyHeight)};
}

QImage CaptionPreview::rendered() const {
    QImage image(size(), QImage::Format_RGB32);
    image.fill(palette().color(backgroundRole()));
    QPainter painter(&image);
    paintPreview(painter);
    return image;
}

void CaptionPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintPreview(painter);
}

void CaptionPreview::paintPreview(QPainter& painter) const {
    // The sample drawing sizes a font with a face name by the record's own
    // height; with 0 there it takes the working copy's font height.
    kbxdoc::LogicalFont font = copy_.font != nullptr ? *copy_.font : keyboard_.captionDefaults.font;
    font.height = 0;
    legend::DrawRecord given;
    given.width = copy_.keyWidth;
    given.height = copy_.keyHeight;
    given.scaleX = copy_.scaleX;
    given.scaleY = copy_.scaleY;
    given.leftMargin = copy_.leftMargin;
    given.topMargin = copy_.topMargin;
    given.fontHeight = copy_.fontHeight;
    given.lineSpacing = copy_.lineSpacing;
    given.textColour = copy_.textColour;
    given.keyColour = copy_.keyColour;
    given.font = &font;
    given.caption = copy_.previewText;
    const unsigned values = kGivenValues | (hasScales(copy_) ? legend::kSampleScales : 0u);
    legend::drawSampleCap(painter, size(), keyboard_, given, values);
}

}  // namespace keyui::dialogs
