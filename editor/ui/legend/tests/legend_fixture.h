#pragma once

// A laid-out keyboard of the 21 x 7 grid model for drawing tests, rendering
// into plain RGB images, and finding where the legend's text landed.

#include <memory>
#include <optional>

#include <QImage>
#include <QPainter>
#include <QRect>

#include <gtest/gtest.h>

#include "editor/document/catalogue.h"
#include "editor/document/key_geometry.h"
#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/ui/legend/legend.h"
#include "editor/ui/testing/qt_test_support.h"

namespace keyui::legend::testing {

using keyui::testing::pixelValue;

inline constexpr int kGridModel = 14;
inline constexpr std::uint32_t kPaper = 0x808080;  // no colour of the drawing
inline constexpr std::uint32_t kWhitePaper = 0xFFFFFF;

class LegendDrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        context.keyboard = keyboard.get();
        context.selection = &selection;
        context.layers = &layers;
        kbxdoc::resetKeyboardData(context);
        kbxdoc::setModelAndLayOut(context, kGridModel, false);
        keyboard->scaleX = 3.0;
        keyboard->scaleY = 3.0;
        for (auto& key : keyboard->keys) {
            key.caption.clear();
            for (auto& layer : key.layers) layer.programming.clear();
        }
    }

    kbxdoc::KeyRecord& key(int slot) { return keyboard->keys[static_cast<std::size_t>(slot)]; }
    kbxdoc::PixelRect rect(int slot) { return kbxdoc::keyPixelRect(context, slot); }

    QImage blankImage(std::uint32_t paper = kPaper) {
        QImage image(static_cast<int>(keyboard->width * keyboard->scaleX) + 40,
                     static_cast<int>(keyboard->height * keyboard->scaleY) + 40, QImage::Format_RGB32);
        image.fill(toQColor(paper));
        return image;
    }

    template <typename Draw>
    QImage render(Draw draw, std::uint32_t paper = kPaper) {
        QImage image = blankImage(paper);
        QPainter painter(&image);
        painter.setFont(legendFont(keyboard->captionDefaults.font,
                                   static_cast<int>(keyboard->captionDefaults.fontHeight * keyboard->scaleY)));
        draw(painter);
        painter.end();
        return image;
    }

    QImage renderKey(int slot) {
        return render([&](QPainter& painter) { drawKey(painter, context, slot); });
    }

    std::unique_ptr<kbxdoc::KeyboardData> keyboard = std::make_unique<kbxdoc::KeyboardData>();
    kbxdoc::SelectionFlags selection{};
    kbxdoc::LayerTable layers = kbxdoc::defaultLayerTable();
    kbxdoc::ActiveContext context;
};

// The bounding box of the pixels in `area` that lean to the legend's
// default red (text is antialiased, so "mostly red" rather than exact).
inline std::optional<QRect> redInk(const QImage& image, const QRect& area) {
    std::optional<QRect> box;
    for (int y = std::max(0, area.top()); y <= std::min(image.height() - 1, area.bottom()); ++y) {
        for (int x = std::max(0, area.left()); x <= std::min(image.width() - 1, area.right()); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() - c.green() < 80 || c.red() - c.blue() < 80) continue;
            box = box ? box->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
        }
    }
    return box;
}

inline QRect toQRect(const kbxdoc::PixelRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

}  // namespace keyui::legend::testing
