#include "editor/ui/legend/legend_picture.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QList>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/legend/legend.h"

namespace keyui::legend {

namespace {

constexpr qint64 kBytesPerPixel = 4;  // what a decoded picture takes
constexpr qint64 kMegabyte = 1024 * 1024;
// The largest file a picture of the largest size can need, headers included.
constexpr qint64 kMaxFileSize = qint64{kMaxPictureSide} * kMaxPictureSide * kBytesPerPixel + 64 * 1024;
// The reader's allocation limit (in megabytes) lets a picture of the
// largest size through and nothing larger.
constexpr int kAllocationLimitMegabytes =
    static_cast<int>((qint64{kMaxPictureSide} * kMaxPictureSide * kBytesPerPixel + kMegabyte - 1) / kMegabyte);
constexpr char kBitmapFormat[] = "BMP";
constexpr int kMonoColours = 2;
constexpr int kIndexedColours = 256;

// A colour table as long as the pixels can index, the missing entries
// black, so that an index beyond the file's table shows black.
void fillColourTable(QImage& image) {
    const int needed = image.depth() == 1 ? kMonoColours : kIndexedColours;
    QList<QRgb> table = image.colorTable();
    if (table.size() >= needed) return;
    table.resize(needed, qRgb(0, 0, 0));
    image.setColorTable(table);
}

QImage shownFormat(QImage image) {
    switch (image.format()) {
    case QImage::Format_RGB32:
        return image;
    case QImage::Format_Mono:
    case QImage::Format_MonoLSB:
    case QImage::Format_Indexed8:
        fillColourTable(image);
        return image.convertToFormat(QImage::Format_RGB32);
    default:
        return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
    }
}

}  // namespace

QImage decodeBitmap(std::span<const std::uint8_t> file) {
    const std::optional<BitmapLayout> layout = bitmapLayout(file);
    if (!layout) return {};
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(file.data()),
                                                     static_cast<qsizetype>(file.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly)) return {};
    QImageReader reader(&buffer, kBitmapFormat);
    reader.setAllocationLimit(kAllocationLimitMegabytes);
    // Run-length codes may jump over pixels, which the reader leaves as the
    // image it is given had them: colour 0, as a cleared image of the same
    // size and format.
    QImage image;
    if (layout->runLengthEncoded()) {
        image = QImage(layout->width, layout->rows, QImage::Format_Indexed8);
        if (image.isNull()) return {};
        image.fill(0);
    }
    if (!reader.read(&image) || image.width() != layout->width || image.height() != layout->rows) return {};
    return shownFormat(std::move(image));
}

QImage loadLegendPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    if (file.size() > kMaxFileSize) return {};
    const QByteArray bytes = file.readAll();
    return decodeBitmap(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size())));
}

QImage legendPicture(const QString& path) { return editorState().pictures.picture(path, loadLegendPicture); }

}  // namespace keyui::legend
