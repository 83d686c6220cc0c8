// How long opening a fully programmed layout into a key view takes, up to
// and including the view's first paint, as a ratio to reading the file's
// bytes; and one frame of scrolling the view at 200 %. The layout is a Tarn
// (21 x 7 keys) with a caption on every key and all 16 layers named and
// programmed with 178 characters on every key. The view is 1200 x 600
// pixels on the offscreen platform.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <QApplication>
#include <QImage>
#include <QScrollBar>

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <system_error>

#include "bench/programmed_layout.h"
#include "bench/timing_reporter.h"
#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/view/key_view.h"

namespace {

constexpr int kTarn = 14;
constexpr QSize kViewSize{1200, 600};
// Each scrolled frame moves this far, alternately right and left.
constexpr int kScrollStep = 40;
constexpr char kReadName[] = "ReadBytes";
constexpr char kOpenName[] = "OpenIntoView";
constexpr char kScrollName[] = "ScrollFrameAt200";
constexpr char kRepaintName[] = "RepaintAt200";

bool sameProgramming(const kbxdoc::KeyboardData& read, const kbxdoc::KeyboardData& written) {
    for (std::size_t slot = 0; slot < std::size_t(kbxdoc::kOrdinaryKeyCount); ++slot) {
        if (read.keys[slot].caption != written.keys[slot].caption) return false;
        if (read.keys[slot].layers != written.keys[slot].layers) return false;
    }
    return true;
}

class BenchLayout {
public:
    BenchLayout() {
        std::string pattern = (std::filesystem::temp_directory_path() / "keyuibench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
        folder_ = pattern;
        keyui::editorState().layers = kbxdoc::defaultLayerTable();
        keyui::KeyDocument document;
        kbxdoc::ActiveContext context = document.documentContext();
        kbxdoc::resetKeyboardData(context);
        kbxdoc::setModelAndLayOut(context, kTarn, true);
        kbxbench::nameEveryLayer(keyui::editorState().layers);
        kbxbench::programEveryKey(document.keyboard(), "\\line");
        if (!document.saveTo(path())) throw std::runtime_error("cannot write " + source());
        size_ = std::filesystem::file_size(source());
        // What is measured must be the whole layout.
        keyui::KeyDocument reread;
        if (reread.open(path()) != keyui::OpenFailure::None || !sameProgramming(reread.keyboard(), document.keyboard()))
            throw std::runtime_error("the layout does not read back as written: " + source());
    }
    ~BenchLayout() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    BenchLayout(const BenchLayout&) = delete;
    BenchLayout& operator=(const BenchLayout&) = delete;

    std::string source() const { return (folder_ / "tarn.kbf").string(); }
    QString path() const { return QString::fromStdString(source()); }
    std::uintmax_t size() const { return size_; }

private:
    std::filesystem::path folder_;
    std::uintmax_t size_ = 0;
};

std::optional<std::string> readBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return bytes;
}

void readFile(benchmark::State& state, const BenchLayout& layout) {
    for (auto _ : state) {
        std::optional<std::string> bytes = readBytes(layout.source());
        if (!bytes) {
            state.SkipWithError("cannot read the layout");
            break;
        }
        benchmark::DoNotOptimize(bytes->data());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(layout.size()));
}

// Open, show and paint the viewport once: what the user waits for.
void openIntoView(benchmark::State& state, const BenchLayout& layout) {
    for (auto _ : state) {
        keyui::KeyDocument document;
        if (document.open(layout.path()) != keyui::OpenFailure::None) {
            state.SkipWithError("cannot open the layout");
            break;
        }
        keyui::KeyView view(document);
        view.resize(kViewSize);
        view.show();
        const QImage image = view.viewport()->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(layout.size()));
}

struct ShownView {
    keyui::KeyDocument document;
    std::unique_ptr<keyui::KeyView> view;
    explicit ShownView(const BenchLayout& layout) {
        if (document.open(layout.path()) != keyui::OpenFailure::None) return;
        view = std::make_unique<keyui::KeyView>(document);
        view->setZoomMode(keyui::ZoomMode::Double);
        view->resize(kViewSize);
        view->show();
        QApplication::processEvents();
    }
};

// One scroll-bar step and the paint of what it uncovered.
void scrollFrame(benchmark::State& state, const BenchLayout& layout) {
    ShownView shown(layout);
    if (!shown.view) {
        state.SkipWithError("cannot open the layout");
        return;
    }
    QScrollBar* bar = shown.view->horizontalScrollBar();
    int direction = 1;
    for (auto _ : state) {
        if (bar->value() + direction * kScrollStep > bar->maximum() || bar->value() + direction * kScrollStep < 0)
            direction = -direction;
        bar->setValue(bar->value() + direction * kScrollStep);
        QApplication::processEvents();
    }
}

// The whole viewport at 200 %, as after a resize or a layer switch.
void repaintViewport(benchmark::State& state, const BenchLayout& layout) {
    ShownView shown(layout);
    if (!shown.view) {
        state.SkipWithError("cannot open the layout");
        return;
    }
    shown.view->horizontalScrollBar()->setValue(shown.view->horizontalScrollBar()->maximum() / 2);
    for (auto _ : state) shown.view->viewport()->repaint();
}

class RatioReporter : public kbxbench::TimingReporter {
public:
    void printRatios(std::uintmax_t bytes) const {
        const std::optional<double> read = seconds(kReadName);
        const std::optional<double> open = seconds(kOpenName);
        if (!read || !open || *read <= 0) {
            std::printf("open into a view / read bytes: not measured\n");
        } else {
            std::printf("open into a view / read bytes: %.1f (open into a view %.3f ms, read %.3f ms, %ju bytes)\n",
                        *open / *read, *open * 1e3, *read * 1e3, bytes);
        }
        const std::optional<double> scroll = seconds(kScrollName);
        const std::optional<double> repaint = seconds(kRepaintName);
        if (scroll && repaint)
            std::printf("one scrolled frame at 200 %%: %.3f ms; whole viewport: %.3f ms\n", *scroll * 1e3,
                        *repaint * 1e3);
    }
};

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    const BenchLayout layout;
    benchmark::RegisterBenchmark(kReadName, readFile, std::cref(layout))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kOpenName, openIntoView, std::cref(layout))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kScrollName, scrollFrame, std::cref(layout))->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kRepaintName, repaintViewport, std::cref(layout))->Unit(benchmark::kMillisecond);

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios(layout.size());
    benchmark::Shutdown();
    return 0;
}
