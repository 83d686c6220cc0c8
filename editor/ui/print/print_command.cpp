#include "editor/ui/print/print_command.h"

#include <algorithm>

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/print/page_painter.h"
#include "editor/ui/print/print_dialog.h"
#include "editor/ui/print/print_layout.h"

namespace keyui::print {
namespace {

PrinterMetrics metricsOf(const QPrinter& printer) {
    const int dpi = printer.resolution();
    const QRect printable = printer.pageLayout().paintRectPixels(dpi);
    return printerMetrics(printable.width(), printable.height(), dpi, dpi);
}

bool isNamedPdfFile(const QPrinter& printer) {
    return printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
}

}  // namespace

int printPages(QPrinter& printer, const kbxdoc::ActiveContext& context, std::uint8_t options, PrintMode mode) {
    if (context.keyboard == nullptr) return 0;
    const PrintLayout layout = preparePrint(*context.keyboard, context.selection, options, mode, metricsOf(printer));
    // A page range chosen in the printer dialog narrows the pages; without
    // one (0) every page is printed.
    const int first = std::max(1, printer.fromPage());
    const int last = printer.toPage() > 0 ? std::min(printer.toPage(), layout.lastPage) : layout.lastPage;
    if (first > last) return 0;

    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage()) break;
        paintPage(painter, context, layout, page);
    }
    painter.end();
    return last - first + 1;
}

bool runPrintCommand(QWidget* parent, const kbxdoc::ActiveContext& context, bool preview, QPrinter& printer) {
    if (!askPrintOptions(parent)) return false;
    const std::uint8_t options = editorState().printOptions;
    const auto mode = static_cast<PrintMode>(editorState().printMode);

    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&](QPrinter* shown) { printPages(*shown, context, options, mode); });
        dialog.exec();
        return true;
    }
    if (!isNamedPdfFile(printer)) {
        QPrintDialog dialog(&printer, parent);
        if (dialog.exec() != QDialog::Accepted) return false;
    }
    printPages(printer, context, options, mode);
    return true;
}

bool runPrintCommand(QWidget* parent, const kbxdoc::ActiveContext& context, bool preview) {
    QPrinter printer(QPrinter::HighResolution);
    return runPrintCommand(parent, context, preview, printer);
}

}  // namespace keyui::print
