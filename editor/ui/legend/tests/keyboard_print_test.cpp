// The whole keyboard in the view, printed keys with their options, the
// sample cap of the caption dialogs, the draw record's fall-backs and the
// legend font.

#include "editor/ui/legend/print_options.h"
#include "editor/ui/legend/tests/legend_fixture.h"

namespace keyui::legend::testing {
namespace {

class KeyboardDrawingTest : public LegendDrawingTest {
protected:
    void SetUp() override {
        LegendDrawingTest::SetUp();
        slot = kbxdoc::slotAt(context, 3, 3);
        ASSERT_GE(slot, 0);
        cap = rect(slot);
        middleY = cap.y + cap.height / 2;
    }
    QImage print(std::uint8_t options, double leftMm = -1, double topMm = -1) {
        return render([&](QPainter& painter) { drawKeyForPrint(painter, context, slot, options, leftMm, topMm); },
                      kWhitePaper);
    }
    int slot = -1;
    kbxdoc::PixelRect cap;
    int middleY = 0;
};

TEST_F(KeyboardDrawingTest, BackgroundCoversTheOutlineAndOnePixelMore) {
    keyboard->originX = 5;
    keyboard->originY = 7;
    const QImage image = render([&](QPainter& painter) { drawKeyboard(painter, context); });
    const int right = 5 + static_cast<int>(3.0 * keyboard->width);
    const int bottom = 7 + static_cast<int>(3.0 * keyboard->height);
    EXPECT_EQ(pixelValue(image, 5, 7), kKeyboardBackground);
    EXPECT_EQ(pixelValue(image, 4, 7), kPaper);
    EXPECT_EQ(pixelValue(image, right, bottom), kKeyboardBackground);
    EXPECT_EQ(pixelValue(image, right + 1, bottom), kPaper);
    EXPECT_EQ(pixelValue(image, right, bottom + 1), kPaper);
    const kbxdoc::PixelRect moved = rect(slot);
    EXPECT_EQ(pixelValue(image, moved.x + 1, moved.y + 1), kEmptyKeyCap) << "keys follow the origin";
}

TEST_F(KeyboardDrawingTest, KeyboardWithoutWidthDrawsNothing) {
    const QImage image = render([&](QPainter& painter) {
        keyboard->width = 0;
        drawKeyboard(painter, context);
    });
    EXPECT_EQ(pixelValue(image, 0, 0), kPaper);
    EXPECT_EQ(pixelValue(image, cap.x + 1, cap.y + 1), kPaper);
}

TEST_F(KeyboardDrawingTest, KeysOfZeroWidthAreSkippedAndSelectedKeysAreMarked) {
    const int hidden = kbxdoc::slotAt(context, 5, 3);
    const kbxdoc::PixelRect hiddenRect = rect(hidden);
    key(hidden).current.width = 0;
    key(slot).caption = "A";
    selection[static_cast<std::size_t>(slot)] = 1;
    const QImage image = render([&](QPainter& painter) { drawKeyboard(painter, context); });
    EXPECT_EQ(pixelValue(image, hiddenRect.x + 1, hiddenRect.y + 1), kKeyboardBackground);

    // Four dotted rings, from the rectangle's edge inwards; the fifth
    // pixel row is the face again.
    for (int ring = 0; ring < 4; ++ring) {
        int black = 0;
        int white = 0;
        for (int x = cap.x + ring; x < cap.x + cap.width - ring; ++x) {
            const std::uint32_t value = pixelValue(image, x, cap.y + ring);
            black += value == 0 ? 1 : 0;
            white += value == 0xFFFFFF ? 1 : 0;
        }
        EXPECT_GT(black, 10) << "ring " << ring;
        EXPECT_GT(white, 10) << "ring " << ring;
        EXPECT_EQ(black + white, cap.width - 2 * ring) << "ring " << ring;
    }
    EXPECT_EQ(pixelValue(image, cap.x + 4, middleY), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, cap.x + 5, middleY), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, cap.x - 1, middleY), kBevel) << "marks stay on the key's rectangle";
}

TEST_F(KeyboardDrawingTest, KeyDrawnOnItsOwnLooksAsInTheWholeKeyboard) {
    key(slot).caption = "Wg\\line2";
    const QImage whole = render([&](QPainter& painter) { drawKeyboard(painter, context); });
    const QImage alone = render([&](QPainter& painter) {
        QFont unrelated = painter.font();
        unrelated.setPixelSize(30);
        painter.setFont(unrelated);
        drawKey(painter, context, slot);
    });
    const QRect face = toQRect(cap);
    EXPECT_EQ(whole.copy(face), alone.copy(face));
}

TEST_F(KeyboardDrawingTest, PrintWithoutOptionsDrawsFaceAndLegendOnly) {
    key(slot).caption = "A";
    key(slot).captionSettings.keyColour = 0x30C030;
    const QImage image = print(0);
    EXPECT_EQ(pixelValue(image, cap.x - 1, middleY), kWhitePaper);
    EXPECT_EQ(pixelValue(image, cap.x, middleY), 0x30C030u) << "no outline";
    EXPECT_EQ(pixelValue(image, cap.x + cap.width - 1, middleY), 0x30C030u);
    EXPECT_TRUE(redInk(image, toQRect(cap)));
}

TEST_F(KeyboardDrawingTest, PrintBorderAndSurroundOptions) {
    key(slot).caption = "A";
    // Border alone: the frame without the surround (l = 1.5, o = 1).
    const QImage border = print(kPrintKeyBorder);
    EXPECT_EQ(pixelValue(border, cap.x - 2, middleY), kWhitePaper);
    EXPECT_EQ(pixelValue(border, cap.x - 1, middleY), kBevel);
    int dark = 0;
    for (int y = cap.y; y < cap.y + cap.height; ++y) dark += pixelValue(border, cap.x, y) == kKeyOutline ? 1 : 0;
    EXPECT_GT(dark, cap.height / 4) << "dotted outline";
    EXPECT_LT(dark, cap.height) << "dotted outline";

    const QImage surround = print(kPrintKeyBorder | kPrintKeySurround);
    EXPECT_EQ(pixelValue(surround, cap.x - 12, middleY), kOuterFrame);
    EXPECT_EQ(pixelValue(surround, cap.x - 13, middleY), kWhitePaper);
    EXPECT_EQ(pixelValue(surround, cap.x - 2, middleY), kHighlight);

    const QImage noFace = print(kPrintNoBackground);
    EXPECT_EQ(pixelValue(noFace, cap.x + 30, middleY), kWhitePaper);
    EXPECT_TRUE(redInk(noFace, toQRect(cap))) << "the legend still prints";
}

TEST_F(KeyboardDrawingTest, PrintedKeysAreEmptyByTheirCaptionAlone) {
    key(slot).layers[0].programming = "x";  // programming does not make a printed key used
    EXPECT_EQ(pixelValue(print(kPrintKeyBorder), cap.x + 1, cap.y + 1), kWhitePaper) << "unused key skipped";
    const QImage unused = print(kPrintKeyBorder | kPrintUnusedKeys);
    EXPECT_EQ(pixelValue(unused, cap.x + 1, cap.y + 1), kEmptyKeyCap);
    EXPECT_EQ(pixelValue(unused, cap.x + 18, cap.y + 18), kEmptyKeyDotFill);

    key(slot).caption = "A";
    key(slot).layers[0].programming.clear();
    context.showLayerData = true;
    EXPECT_EQ(pixelValue(print(0), cap.x + 30, middleY), 0xFFFFFFu) << "no tint on paper";
}

TEST_F(KeyboardDrawingTest, PrintPlacesTheKeyAtTheGivenMillimetres) {
    key(slot).caption = "A";
    keyboard->originX = 4;
    const QImage image = print(0, 10, 20);
    EXPECT_EQ(pixelValue(image, 4 + 30, 60), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, 4 + 29, 60), kWhitePaper);
    EXPECT_EQ(pixelValue(image, 4 + 30, 59), kWhitePaper);
    EXPECT_EQ(pixelValue(image, 4 + 30 + 35, 60 + 35), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, 4 + 30 + 36, 60 + 35), kWhitePaper);
}

TEST_F(KeyboardDrawingTest, SampleCapFitsTheClientAndShowsTheSampleText) {
    const QSize client(200, 200);
    QImage image(client, QImage::Format_RGB32);
    image.fill(toQColor(kPaper));
    QPainter painter(&image);
    drawSampleCap(painter, client, *keyboard, DrawRecord{}, 0);
    painter.end();
    // Scale 200 / (2 * 3.5 + 13) = 10, cap at (35, 35), 130 x 130 pixels.
    EXPECT_EQ(pixelValue(image, 35, 100), kKeyOutline);
    EXPECT_EQ(pixelValue(image, 36, 100), 0xFFFFFFu);
    EXPECT_EQ(pixelValue(image, 164, 100), kKeyOutline);
    EXPECT_EQ(pixelValue(image, 165, 100), kBevel);
    const auto first = redInk(image, QRect(35, 35, 130, 40));
    const auto second = redInk(image, QRect(35, 75, 130, 40));
    ASSERT_TRUE(first && second) << "KEY above Key";
    EXPECT_GE(first->left(), 45);  // 1 mm margin

    DrawRecord given;
    given.x = 10;
    given.y = 20;
    given.width = 5;
    given.height = 6;
    given.scaleX = 2;
    given.scaleY = 0;  // 0 takes the fall-back: the x scale
    given.keyColour = 0x30C030;
    given.caption = "";
    image.fill(toQColor(kPaper));
    painter.begin(&image);
    drawSampleCap(painter, client, *keyboard, given,
                  kSamplePosition | kSampleSize | kSampleScales | kSampleColours | kSampleText);
    painter.end();
    EXPECT_EQ(pixelValue(image, 10, 20), kHighlight) << "empty sample: white frame";
    EXPECT_EQ(pixelValue(image, 11, 21), kEmptyKeyCap);
    // 10 x 12 pixels; l = 2 * 3.5 + 1.5, o = 5, highlight 1 pixel out.
    EXPECT_EQ(pixelValue(image, 18, 22), kEmptyKeyCap);
    EXPECT_EQ(pixelValue(image, 19, 22), kHighlight);
    EXPECT_EQ(pixelValue(image, 20, 22), kHighlight);
    EXPECT_EQ(pixelValue(image, 21, 22), kBevel);
    EXPECT_EQ(pixelValue(image, 14, 32), kHighlight);
    EXPECT_EQ(pixelValue(image, 14, 33), kBevel);
}

TEST_F(KeyboardDrawingTest, DrawRecordTakesTheKeysOwnValuesAndTheDefaultsForZero) {
    kbxdoc::CaptionSettings& defaults = keyboard->captionDefaults;
    defaults.lineSpacing = 5;
    defaults.font.faceName = "Keyboard Face";
    kbxdoc::CaptionSettings& own = key(slot).captionSettings;
    own.leftMargin = 2;
    own.fontHeight = 6;
    own.textColour = 0x123456;
    key(slot).caption = "C";
    key(slot).layers[3].programming = "p";
    context.currentLayer = 3;

    DrawRecord record = drawRecordFor(context, slot);
    EXPECT_EQ(record.x, cap.x);
    EXPECT_EQ(record.y, cap.y);
    EXPECT_EQ(record.leftMargin, 2);
    EXPECT_EQ(record.topMargin, defaults.topMargin);
    EXPECT_EQ(record.fontHeight, 6);
    EXPECT_EQ(record.lineSpacing, 5);
    EXPECT_EQ(record.textColour, 0x123456u);
    EXPECT_EQ(record.keyColour, defaults.keyColour);
    EXPECT_EQ(record.font, &defaults.font);
    EXPECT_EQ(record.surroundX, 3.5);
    EXPECT_EQ(record.programming, "p");
    EXPECT_FALSE(record.empty);

    own.font.faceName = "Own Face";
    key(slot).caption.clear();
    context.currentLayer = 2;
    record = drawRecordFor(context, slot);
    EXPECT_EQ(record.font, &own.font);
    EXPECT_TRUE(record.empty);

    context.currentLayer = 16;
    EXPECT_TRUE(drawRecordFor(context, slot).programming.empty());
    EXPECT_EQ(drawRecordFor(context, 201).width, 0);
    EXPECT_EQ(drawRecordFor(context, -1).width, 0);
}

TEST(LegendFont, FaceWeightStyleAndPixelSize) {
    kbxdoc::LogicalFont font;
    QFont q = legendFont(font, 12);
    EXPECT_EQ(q.family(), QStringLiteral("Arial"));
    EXPECT_EQ(q.pixelSize(), 12);
    EXPECT_EQ(q.weight(), QFont::Normal);
    EXPECT_EQ(legendFont(font, 0).pixelSize(), 1) << "never an invalid size";

    struct WeightCase {
        std::int32_t windows;
        QFont::Weight qt;
    };
    for (const WeightCase& c : {WeightCase{0, QFont::Normal}, WeightCase{100, QFont::Thin},
                                WeightCase{400, QFont::Normal}, WeightCase{650, QFont::Bold},
                                WeightCase{700, QFont::Bold}, WeightCase{900, QFont::Black},
                                WeightCase{1000, QFont::Black}}) {
        font.weight = c.windows;
        EXPECT_EQ(legendFont(font, 12).weight(), c.qt) << c.windows;
    }

    font.italic = 1;
    font.underline = 1;
    font.strikeOut = 1;
    font.faceName = "Liberation Serif";
    font.height = -17;
    q = legendFont(font, 12);
    EXPECT_EQ(q.family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(q.pixelSize(), 17);
    EXPECT_TRUE(q.italic() && q.underline() && q.strikeOut());
    font.height = 0;
    EXPECT_EQ(legendFont(font, 12).pixelSize(), 12);
}

TEST(LegendColours, WindowsValuesAreBlueGreenRed) {
    EXPECT_EQ(toQColor(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(toQColor(0xE1F5FA), QColor(0xFA, 0xF5, 0xE1));
    EXPECT_EQ(toQColor(0xFF123456), QColor(0x56, 0x34, 0x12)) << "the high byte is ignored";
}

}  // namespace
}  // namespace keyui::legend::testing
