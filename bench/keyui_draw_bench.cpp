// How long the editor takes to draw a whole keyboard, as a ratio to filling
// the same image once. The keyboard is a Tarn (21 x 7 keys) at 200 % (6
// pixels per mm), drawn into an offscreen image of the keyboard's pixel size:
// once with a two-line caption on every key, once with a legend picture on
// every key (each key its own 96 x 96 24-bit bitmap file). All are measured
// in the same run; the ratios are printed last.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include "bench/timing_reporter.h"
#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/ui/legend/legend.h"

namespace {

constexpr int kTarn = 14;
constexpr double kZoom200 = 6.0;
constexpr char kFillName[] = "ImageFill";
constexpr char kDrawName[] = "DrawKeyboard";
constexpr char kPicturesName[] = "DrawKeyboardWithPictures";
constexpr double kFrameBudgetMs = 16.0;
constexpr int kPictureSide = 96;
constexpr std::string_view kPictureCode = "\\*picfile:";

struct BenchKeyboard {
    std::unique_ptr<kbxdoc::KeyboardData> keyboard = std::make_unique<kbxdoc::KeyboardData>();
    kbxdoc::SelectionFlags selection{};
    kbxdoc::LayerTable layers = kbxdoc::defaultLayerTable();
    kbxdoc::ActiveContext context;
    enum class Legends { Captions, Pictures };
    explicit BenchKeyboard(Legends legends) {
        context.keyboard = keyboard.get();
        context.selection = &selection;
        context.layers = &layers;
        kbxdoc::resetKeyboardData(context);
        kbxdoc::setModelAndLayOut(context, kTarn, true);
        keyboard->scaleX = kZoom200;
        keyboard->scaleY = kZoom200;
        for (std::size_t slot = 0; slot < std::size_t(kbxdoc::kOrdinaryKeyCount); ++slot) {
            kbxdoc::KeyRecord& key = keyboard->keys[slot];
            if (key.current.width == 0) continue;
            key.caption = legends == Legends::Pictures ? pictureCaption(slot) : "KEY\\line" + std::to_string(slot);
        }
    }
    bool picturesWritten() const { return picturesWritten_; }
    QSize pixelSize() const {
        return QSize(int(keyboard->width * keyboard->scaleX) + 1, int(keyboard->height * keyboard->scaleY) + 1);
    }

private:
    // A bitmap file of its own for the key, with a colour of its own.
    std::string pictureCaption(std::size_t slot) {
        QImage picture(kPictureSide, kPictureSide, QImage::Format_RGB32);
        picture.fill(QColor::fromHsv(int(slot * 7 % 360), 200, 220));
        const QString path = folder_.filePath(QStringLiteral("key%1.bmp").arg(slot));
        picturesWritten_ = picturesWritten_ && folder_.isValid() && picture.save(path, "BMP");
        return std::string(kPictureCode) + path.toStdString();
    }
    QTemporaryDir folder_;
    bool picturesWritten_ = true;
};

void imageFill(benchmark::State& state, const BenchKeyboard& board) {
    QImage image(board.pixelSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void drawKeyboard(benchmark::State& state, const BenchKeyboard& board) {
    QImage image(board.pixelSize(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        keyui::legend::drawKeyboard(painter, board.context);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

class RatioReporter : public kbxbench::TimingReporter {
public:
    void printRatios(QSize size) const {
        printRatio("draw keyboard", kDrawName, size);
        printRatio("draw keyboard with pictures", kPicturesName, size);
    }

private:
    void printRatio(const char* what, const char* name, QSize size) const {
        const std::optional<double> fill = seconds(kFillName);
        const std::optional<double> draw = seconds(name);
        if (!fill || !draw || *fill <= 0) {
            std::printf("%s / image fill: not measured\n", what);
            return;
        }
        std::printf("%s / image fill: %.1f (draw %.3f ms per frame, fill %.3f ms, %d x %d pixels, "
                    "frame budget %.0f ms)\n",
                    what, *draw / *fill, *draw * 1e3, *fill * 1e3, size.width(), size.height(), kFrameBudgetMs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    QGuiApplication application(argc, argv);

    const BenchKeyboard board(BenchKeyboard::Legends::Captions);
    const BenchKeyboard pictured(BenchKeyboard::Legends::Pictures);
    if (!pictured.picturesWritten()) {
        std::fprintf(stderr, "keyui_draw_bench: cannot write the legend pictures\n");
        return 1;
    }
    benchmark::RegisterBenchmark(kFillName, imageFill, std::cref(board))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kDrawName, drawKeyboard, std::cref(board))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kPicturesName, drawKeyboard, std::cref(pictured))->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(board.pixelSize());
    benchmark::Shutdown();
    return 0;
}
