// Printing for real: PDF files with a page for every layout page, the print
// command around dialog 142, the preview, and pages painted into images
// where the layout pass put the keys.

#include "editor/ui/print/print_command.h"

#include <regex>

#include <QImage>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/print/page_painter.h"
#include "editor/ui/print/tests/modal_dialogs.h"
#include "editor/ui/print/tests/print_keyboard.h"
#include "editor/ui/testing/qt_test_support.h"
#include "tests/support/files.h"

namespace keyui::print {
namespace {

using testing::click;
using testing::PrintKeyboard;
using testing::whileModal;

constexpr int kTarn = 14;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kGreen = 0x00FF00;

int pdfPageCount(const std::filesystem::path& path) {
    const std::string pdf = kbxtest::readFile(path);
    static const std::regex page("/Type\\s*/Page(?!s)");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

class PrintOutput : public ::testing::Test {
protected:
    void SetUp() override {
        resetEditorStateForTests();
        board.layOutModel(kTarn);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
    }
    int printedPages() const {
        return std::filesystem::exists(pdf) && std::filesystem::file_size(pdf) > 0 ? pdfPageCount(pdf) : 0;
    }
    bool runCommand(const std::function<void(QWidget&)>& act, bool preview = false) {
        return whileModal(act, [&] { return runPrintCommand(nullptr, board.context, preview, printer); });
    }

    kbxtest::TempDir dir;
    std::filesystem::path pdf = dir / "keys.pdf";
    QPrinter printer{QPrinter::HighResolution};
    PrintKeyboard board;
};

TEST_F(PrintOutput, TheWideTemplateWritesAPdfPageForEveryLayoutPage) {
    EXPECT_EQ(printPages(printer, board.context, 0, PrintMode::KeyboardTemplate), 3);
    EXPECT_EQ(printedPages(), 3);
    printer.setPageOrientation(QPageLayout::Landscape);
    EXPECT_EQ(printPages(printer, board.context, kPrintCutLines | kPrintKeyBorder, PrintMode::KeyboardTemplate), 2);
    EXPECT_EQ(printedPages(), 2);
    EXPECT_EQ(printPages(printer, board.context, kPrintScaleToPage, PrintMode::KeyboardTemplate), 1);
    EXPECT_EQ(printedPages(), 1);
    // A page range chosen in the printer dialog.
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setFromTo(2, 9);
    EXPECT_EQ(printPages(printer, board.context, 0, PrintMode::KeyboardTemplate), 2);
    EXPECT_EQ(printedPages(), 2);
}

TEST_F(PrintOutput, NoSelectionWithSelectedOnlyWritesNothingAndAnEmptyKeyboardOneEmptyPage) {
    EXPECT_EQ(printPages(printer, board.context, kPrintSelectedOnly, PrintMode::SortedBySize), 0);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    board.keyboard->width = 0;
    EXPECT_EQ(printPages(printer, board.context, 0, PrintMode::KeyboardTemplate), 1);
    EXPECT_EQ(printedPages(), 1);
}

TEST_F(PrintOutput, ThePrintCommandPrintsWithTheChosenOptionsAndCancelPrintsNothing) {
    EXPECT_FALSE(runCommand([](QWidget& dialog) { click(dialog, kCancelButtonId); }));
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_TRUE(runCommand([](QWidget& dialog) {
        click(dialog, 11057);  // scale to page
        click(dialog, kOkButtonId);
    }));
    EXPECT_EQ(editorState().printOptions, kPrintScaleToPage);
    EXPECT_EQ(printedPages(), 1);
}

TEST_F(PrintOutput, ThePreviewShowsThePagesOfTheSamePaintingAndWritesNoFile) {
    int previewPages = -1;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
        const auto* pages = preview != nullptr ? preview->findChild<QPrintPreviewWidget*>() : nullptr;
        if (pages == nullptr || pages->pageCount() == 0) return;
        previewPages = pages->pageCount();
        preview->reject();
    });
    poll.start(5);
    EXPECT_TRUE(runCommand([](QWidget& dialog) { click(dialog, kOkButtonId); }, true));
    EXPECT_EQ(previewPages, 3);
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

// Pages painted into images at 4 pixels per mm on a 100 x 100 mm page.
class PrintedImage : public ::testing::Test {
protected:
    static constexpr double kPixelsPerMm = 4;
    static constexpr int kPagePixels = 400;

    void SetUp() override {
        board.clearKeys(300, 100);
        board.keyboard->scaleX = 2.5;  // the view's scale, given back after printing
        board.keyboard->scaleY = 2.5;
    }
    void greenKey(int slot, kbxdoc::Rect geometry) {
        board.addKey(slot, geometry, "G").captionSettings.keyColour = kGreen;
    }
    QImage paint(std::uint8_t options, PrintMode mode, int page) {
        layout = preparePrint(*board.keyboard, board.selection.get(), options, mode,
                              PrinterMetrics{100, 100, kPixelsPerMm, kPixelsPerMm});
        QImage image(kPagePixels, kPagePixels, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        paintPage(painter, board.context, layout, page);
        return image;
    }
    // A pixel near the bottom-right corner of a cap of `size` at (x, y) mm
    // on the page, away from its legend.
    static std::uint32_t capCorner(const QImage& image, double xMm, double yMm, const kbxdoc::Rect& size) {
        return keyui::testing::pixelValue(image, static_cast<int>(kPixelsPerMm * (xMm + size.width)) - 3,
                                          static_cast<int>(kPixelsPerMm * (yMm + size.height)) - 3);
    }

    PrintKeyboard board;
    PrintLayout layout;
};

TEST_F(PrintedImage, ASortedKeyLandsInTheCellTheLayoutPassGaveIt) {
    board.addKey(0, {0, 0, 12, 12}, "small");
    const kbxdoc::Rect wide{150, 50, 30, 20};
    greenKey(7, wide);
    const QImage image = paint(kPrintCuttingDistance, PrintMode::SortedBySize, 1);
    ASSERT_EQ(layout.pass.keys.size(), 2u);
    const PlacedKey& placed = layout.pass.keys[1];
    EXPECT_DOUBLE_EQ(placed.topMm, 13);
    EXPECT_EQ(capCorner(image, placed.leftMm, placed.topMm, wide), kGreen);
    // The millimetre of cutting distance above it stays blank.
    EXPECT_EQ(keyui::testing::pixelValue(image, static_cast<int>(4 * placed.leftMm) + 10, 4 * 12 + 1), kWhite);
    EXPECT_DOUBLE_EQ(board.keyboard->scaleX, 2.5);
    EXPECT_EQ(board.keyboard->originX, 0);
}

TEST_F(PrintedImage, TheSecondTemplatePageShowsTheKeysPastTheFirstShiftedByItsWidthLessFiveMillimetres) {
    const kbxdoc::Rect right{120, 30, 20, 20};
    greenKey(3, right);
    greenKey(4, {10, 30, 20, 20});
    const QImage first = paint(0, PrintMode::KeyboardTemplate, 1);
    ASSERT_EQ(layout.lastPage, 2);
    EXPECT_EQ(capCorner(first, 10, 30, right), kGreen);
    const QImage second = paint(0, PrintMode::KeyboardTemplate, 2);
    EXPECT_EQ(capCorner(second, 120 - 95, 30, right), kGreen);
    EXPECT_EQ(capCorner(second, 120 - 95 - 20, 30, right), kWhite);  // slot 4 stays on page 1
    EXPECT_DOUBLE_EQ(board.keyboard->scaleY, 2.5);
}

TEST_F(PrintedImage, TheCutLineFramesAllKeysAndWithoutBackgroundTheFaceStaysWhite) {
    const kbxdoc::Rect key{10, 20, 30, 15};
    greenKey(2, key);
    greenKey(5, {50, 40, 20, 20});
    const QImage image = paint(kPrintCutLines | kPrintNoBackground, PrintMode::KeyboardTemplate, 1);
    EXPECT_EQ(capCorner(image, 10, 20, key), kWhite);
    auto blackInRow = [&](int y) {
        int count = 0;
        for (int x = 0; x < kPagePixels; ++x) count += keyui::testing::pixelValue(image, x, y) == 0 ? 1 : 0;
        return count;
    };
    // Dotted from 10 to 70 mm along 20 mm, and along the last pixel row of
    // the keys above 60 mm; nothing outside.
    EXPECT_GT(blackInRow(80), 50);
    EXPECT_EQ(blackInRow(79), 0);
    EXPECT_GT(blackInRow(239), 50);
    EXPECT_EQ(blackInRow(240), 0);
}

}  // namespace
}  // namespace keyui::print
