// Pixels of one cap in the view: frame, bevel, highlight and outline on
// both sides, the empty-key marker, colours and their fall-backs, the
// layer-data tint, and where the legend's text and pictures land.

#include <QFile>
#include <QTemporaryDir>

#include "editor/ui/legend/legend_picture.h"
#include "editor/ui/legend/tests/legend_fixture.h"

namespace keyui::legend::testing {
namespace {

class CapDrawingTest : public LegendDrawingTest {
protected:
    void SetUp() override {
        LegendDrawingTest::SetUp();
        slot = kbxdoc::slotAt(context, 3, 3);
        ASSERT_GE(slot, 0);
        cap = rect(slot);
        ASSERT_EQ(cap.width, 36);  // 12 mm at 3 pixels per mm
        middleY = cap.y + cap.height / 2;
    }
    int slot = -1;
    kbxdoc::PixelRect cap;
    int middleY = 0;
};

TEST_F(CapDrawingTest, FrameBevelHighlightAndOutlineLieOnTheirPixelsOnBothSides) {
    key(slot).caption = "A";
    const QImage image = renderKey(slot);
    // l = 3 * 3.5 + 1.5 = 12, bevel o = 8, highlight at o / 3 = 2.
    const int x = cap.x;
    const int right = cap.x + cap.width - 1;
    EXPECT_EQ(pixelValue(image, x - 13, middleY), kPaper);
    EXPECT_EQ(pixelValue(image, x - 12, middleY), kOuterFrame);
    EXPECT_EQ(pixelValue(image, x - 9, middleY), kOuterFrame);
    EXPECT_EQ(pixelValue(image, x - 8, middleY), kBevel);
    EXPECT_EQ(pixelValue(image, x - 3, middleY), kBevel);
    EXPECT_EQ(pixelValue(image, x - 2, middleY), kHighlight);
    EXPECT_EQ(pixelValue(image, x - 1, middleY), kBevel);
    EXPECT_EQ(pixelValue(image, x, middleY), kKeyOutline);
    EXPECT_EQ(pixelValue(image, x + 1, middleY), 0xFFFFFFu);  // default key colour
    EXPECT_EQ(pixelValue(image, right - 1, middleY), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, right, middleY), kKeyOutline);
    EXPECT_EQ(pixelValue(image, right + 1, middleY), kBevel);
    EXPECT_EQ(pixelValue(image, right + 2, middleY), kHighlight);
    EXPECT_EQ(pixelValue(image, right + 3, middleY), kBevel);
    EXPECT_EQ(pixelValue(image, right + 9, middleY), kOuterFrame);
    EXPECT_EQ(pixelValue(image, right + 12, middleY), kOuterFrame);
    EXPECT_EQ(pixelValue(image, right + 13, middleY), kPaper);
    // Top and bottom likewise.
    const int middleX = cap.x + cap.width / 2;
    EXPECT_EQ(pixelValue(image, middleX, cap.y - 13), kPaper);
    EXPECT_EQ(pixelValue(image, middleX, cap.y - 12), kOuterFrame);
    EXPECT_EQ(pixelValue(image, middleX, cap.y - 2), kHighlight);
    EXPECT_EQ(pixelValue(image, middleX, cap.y + cap.height - 1), kKeyOutline);
    EXPECT_EQ(pixelValue(image, middleX, cap.y + cap.height + 1), kHighlight);
    EXPECT_EQ(pixelValue(image, middleX, cap.y + cap.height + 12), kPaper);
}

TEST_F(CapDrawingTest, EmptyKeyShowsCreamFaceAndSwitchDotUntilALayerProgramsIt) {
    key(slot).layers[1].programming = "{F1}";
    const QImage empty = renderKey(slot);
    EXPECT_EQ(pixelValue(empty, cap.x, middleY), kHighlight) << "white frame instead of the outline";
    EXPECT_EQ(pixelValue(empty, cap.x + 1, cap.y + 1), kEmptyKeyCap);
    // Dot: diameter 36 / 2 = 18 at (x + 36 / 4, y + 36 / 4).
    EXPECT_EQ(pixelValue(empty, cap.x + 9 + 9, cap.y + 9 + 9), kEmptyKeyDotFill);
    EXPECT_EQ(pixelValue(empty, cap.x + 9 + 9, cap.y + 9), kEmptyKeyDotOutline);
    EXPECT_EQ(pixelValue(empty, cap.x + 9 + 9, cap.y + 7), kEmptyKeyCap);
    EXPECT_EQ(pixelValue(empty, cap.x + 9 + 9, cap.y + 9 + 18), kEmptyKeyCap);

    context.currentLayer = 1;
    const QImage programmed = renderKey(slot);
    EXPECT_EQ(pixelValue(programmed, cap.x, middleY), kKeyOutline);
    EXPECT_EQ(pixelValue(programmed, cap.x + 18, cap.y + 18), 0xFFFFFFu) << "no dot on a programmed key";
}

TEST_F(CapDrawingTest, KeyColourFallsBackToTheKeyboardDefault) {
    key(slot).caption = "A";
    keyboard->captionDefaults.keyColour = 0x30C030;
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 30, middleY), 0x30C030u);
    key(slot).captionSettings.keyColour = 0x4080F0;
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 30, middleY), 0x4080F0u);
}

TEST_F(CapDrawingTest, LayerDataDisplayTintsOnlyKeysProgrammedOnTheCurrentLayer) {
    const int other = kbxdoc::slotAt(context, 4, 3);
    key(slot).caption = "A";
    key(slot).layers[0].programming = "a";
    key(other).caption = "B";
    key(other).layers[2].programming = "b";
    context.showLayerData = true;
    const QImage image = render([&](QPainter& painter) {
        drawKey(painter, context, slot);
        drawKey(painter, context, other);
    });
    EXPECT_EQ(pixelValue(image, cap.x + 30, middleY), kProgrammedKeyFace);
    EXPECT_EQ(pixelValue(image, rect(other).x + 30, middleY), 0xFFFFFFu);

    context.showLayerData = false;
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 30, middleY), 0xFFFFFFu);
}

TEST_F(CapDrawingTest, LineCodeDrawsTheSecondLineOneFontHeightLowerAtTheLeftMargin) {
    keyboard->scaleX = keyboard->scaleY = 6.0;
    cap = rect(slot);
    key(slot).caption = "A\\lineB";
    const QImage image = renderKey(slot);
    const int lineHeight = 24;  // 4 mm at 6 pixels per mm, line spacing 0
    const auto first = redInk(image, QRect(cap.x, cap.y, cap.width, lineHeight));
    const auto second = redInk(image, QRect(cap.x, cap.y + lineHeight, cap.width, lineHeight));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(second->top() - first->top(), lineHeight);
    for (const QRect& glyph : {*first, *second}) {
        EXPECT_GE(glyph.left(), cap.x + 6);  // 1 mm left margin
        EXPECT_LE(glyph.left(), cap.x + 6 + 3);
    }
}

TEST_F(CapDrawingTest, RunsOfOneLineStandSideBySide) {
    keyboard->scaleX = keyboard->scaleY = 6.0;
    keyboard->captionDefaults.fontHeight = 3;
    cap = rect(slot);
    const QRect face = toQRect(cap);
    key(slot).caption = "Tab";
    const auto tab = redInk(renderKey(slot), face);
    key(slot).caption = "Tab\\\\Esc";
    const auto both = redInk(renderKey(slot), face);
    ASSERT_TRUE(tab && both);
    EXPECT_EQ(both->left(), tab->left());
    EXPECT_GT(both->right(), tab->right() + 20) << "the backslash and Esc follow Tab";
    EXPECT_LT(both->height(), 18 + 2) << "one line";

    key(slot).caption = "a\\qb";
    const auto dropped = redInk(renderKey(slot), face);
    key(slot).caption = "aqb";
    const auto plain = redInk(renderKey(slot), face);
    ASSERT_TRUE(dropped && plain);
    EXPECT_EQ(dropped->top(), plain->top());
    EXPECT_NEAR(dropped->left(), plain->left(), 1);
    EXPECT_NEAR(dropped->right(), plain->right(), 1) << "q is shown, only the backslash is dropped";
}

TEST_F(CapDrawingTest, PictureCaptionDrawsOnlyThePictureInsetByTheMargins) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // A 2 x 2 green bitmap, 24 bits, bottom-up.
    QByteArray bmp(54 + 2 * 8, '\0');
    auto put32 = [&](int at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[at + i] = static_cast<char>(v >> (8 * i));
    };
    bmp[0] = 'B';
    bmp[1] = 'M';
    put32(2, static_cast<std::uint32_t>(bmp.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, 2);
    put32(22, 2);
    bmp[26] = 1;
    bmp[28] = 24;
    for (int row = 0; row < 2; ++row)
        for (int px = 0; px < 2; ++px) bmp[54 + row * 8 + px * 3 + 1] = static_cast<char>(0xFF);
    const QString path = folder.filePath(QStringLiteral("green.bmp"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bmp);
    file.close();

    key(slot).caption = "\\*picfile:" + path.toStdString();
    key(slot).captionSettings.topMargin = 2;
    const QImage image = renderKey(slot);
    constexpr std::uint32_t kGreen = 0x00FF00;
    // Inset: x + 3, y + 6, 30 x 24 pixels.
    EXPECT_EQ(pixelValue(image, cap.x + 2, middleY), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, cap.x + 3, middleY), kGreen);
    EXPECT_EQ(pixelValue(image, cap.x + 32, middleY), kGreen);
    EXPECT_EQ(pixelValue(image, cap.x + 33, middleY), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, cap.x + 18, cap.y + 5), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, cap.x + 18, cap.y + 6), kGreen);
    EXPECT_EQ(pixelValue(image, cap.x + 18, cap.y + 29), kGreen);
    EXPECT_EQ(pixelValue(image, cap.x + 18, cap.y + 30), 0xFFFFFFu);
    EXPECT_FALSE(redInk(image, toQRect(cap))) << "the file name is not drawn as text";

    key(slot).caption = "\\*picfile:" + folder.filePath(QStringLiteral("missing.bmp")).toStdString();
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 18, middleY), 0xFFFFFFu) << "a missing picture draws nothing";
}

TEST_F(CapDrawingTest, APictureChangedOrRemovedOnDiskIsDrawnAsItIsNow) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("changing.bmp"));
    const auto save = [&path](int side, Qt::GlobalColor colour) {
        QImage picture(side, side, QImage::Format_RGB32);
        picture.fill(colour);
        return picture.save(path, "BMP");
    };
    key(slot).caption = "\\*picfile:" + path.toStdString();
    ASSERT_TRUE(save(2, Qt::green));
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 18, middleY), 0x00FF00u);
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 18, middleY), 0x00FF00u) << "drawn again from the cache";
    ASSERT_TRUE(save(3, Qt::blue));
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 18, middleY), 0xFF0000u) << "the file was written again";
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(pixelValue(renderKey(slot), cap.x + 18, middleY), 0xFFFFFFu) << "the file is gone";
}

TEST_F(CapDrawingTest, KeyWithItsOwnFaceNameGetsItsOwnFontHeight) {
    keyboard->scaleX = keyboard->scaleY = 6.0;
    cap = rect(slot);
    key(slot).caption = "H";
    const auto standard = redInk(renderKey(slot), toQRect(cap));
    key(slot).captionSettings.font.faceName = "Liberation Sans";
    key(slot).captionSettings.fontHeight = 8;
    const auto own = redInk(renderKey(slot), toQRect(cap));
    ASSERT_TRUE(standard && own);
    EXPECT_NEAR(own->height(), 2 * standard->height(), 2);
}

TEST_F(CapDrawingTest, NothingIsDrawnForACapOfZeroPixels) {
    key(slot).caption = "A";
    key(slot).current.width = 0.2;  // 0.6 pixels
    const QImage image = renderKey(slot);
    EXPECT_EQ(pixelValue(image, cap.x - 12, middleY), kPaper);
}

}  // namespace
}  // namespace keyui::legend::testing
