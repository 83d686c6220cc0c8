#include "editor/ui/print/print_layout.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace keyui::print {
namespace {

// Where the search for the smallest key position starts.
constexpr double kUnboundedMinimumMm = 32000.0;
// A template wider than this many pages is cut off there.
constexpr int kMaxTemplatePages = 50;

bool has(std::uint8_t options, PrintOption option) { return (options & option) != 0; }

bool isSelected(const kbxdoc::SelectionFlags* selection, int slot) {
    return selection != nullptr && (*selection)[static_cast<std::size_t>(slot)] != 0;
}

bool anySelected(const kbxdoc::SelectionFlags* selection) {
    return selection != nullptr && std::any_of(selection->begin(), selection->end(), [](auto f) { return f != 0; });
}

bool hasCaption(const kbxdoc::KeyRecord& key) { return key.captionSize != 0 && !key.caption.empty(); }

const kbxdoc::KeyRecord& keyAt(const kbxdoc::KeyboardData& keyboard, int slot) {
    return keyboard.keys[static_cast<std::size_t>(slot)];
}

int templatePageCount(double layoutWidth, double printableWidth, double pageShift) {
    if (layoutWidth <= printableWidth || pageShift <= 0) return 1;
    const double further = std::ceil((layoutWidth - printableWidth) / pageShift);
    return 1 + static_cast<int>(std::min(further, static_cast<double>(kMaxTemplatePages - 1)));
}

LayoutPass layOutTemplate(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                          std::uint8_t options, double printableWidth) {
    CutRectangle bounds{kUnboundedMinimumMm, kUnboundedMinimumMm, 0, 0};
    bool anyKey = false;
    for (int slot = kbxdoc::kLastModuleSlot; slot >= 0; --slot) {
        const kbxdoc::Rect& r = keyAt(keyboard, slot).current;
        if (r.width == 0) continue;
        anyKey = true;
        bounds.left = std::min(bounds.left, r.left);
        bounds.top = std::min(bounds.top, r.top);
        bounds.right = std::max(bounds.right, r.left + r.width);
        bounds.bottom = std::max(bounds.bottom, r.top + r.height);
    }

    LayoutPass pass;
    pass.extentWidthMm = bounds.right + kTemplateMarginMm;
    pass.extentHeightMm = bounds.bottom + kTemplateMarginMm;
    pass.pageShiftMm = printableWidth - kPageOverlapMm;
    pass.pageCount = templatePageCount(pass.extentWidthMm, printableWidth, pass.pageShiftMm);
    if (anyKey && has(options, kPrintCutLines)) pass.cutLines = bounds;

    const bool selectedOnly = has(options, kPrintSelectedOnly);
    for (int page = 1; page <= pass.pageCount; ++page) {
        const double shift = (page - 1) * pass.pageShiftMm;
        for (int slot = kbxdoc::kLastModuleSlot; slot >= 0; --slot) {
            const kbxdoc::Rect& r = keyAt(keyboard, slot).current;
            if (r.width == 0 || (selectedOnly && !isSelected(selection, slot))) continue;
            const double left = r.left - shift;
            if (left >= printableWidth || left + r.width <= 0) continue;
            pass.keys.push_back({slot, page, left, r.top});
        }
    }
    return pass;
}

// The keys of one size and caption state, printed together.
struct Run {
    std::size_t begin = 0;
    std::size_t end = 0;
};

std::vector<int> sortedSlots(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                             std::uint8_t options) {
    std::vector<int> slots;
    const bool selectedOnly = has(options, kPrintSelectedOnly);
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
        const kbxdoc::Rect& r = keyAt(keyboard, slot).current;
        // A free slot has no size and takes no cell.
        if (r.width <= 0 || r.height <= 0) continue;
        if (selectedOnly && !isSelected(selection, slot)) continue;
        slots.push_back(slot);
    }
    auto order = [&](int slot) {
        const kbxdoc::KeyRecord& key = keyAt(keyboard, slot);
        return std::make_tuple(key.current.width, key.current.height, !hasCaption(key));
    };
    std::stable_sort(slots.begin(), slots.end(), [&](int a, int b) { return order(a) < order(b); });
    return slots;
}

bool sameRun(const kbxdoc::KeyRecord& a, const kbxdoc::KeyRecord& b) {
    return a.current.width == b.current.width && a.current.height == b.current.height &&
           hasCaption(a) == hasCaption(b);
}

LayoutPass layOutSorted(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                        std::uint8_t options, double printableWidth, double printableHeight) {
    const std::vector<int> slots = sortedSlots(keyboard, selection, options);
    const double gap = has(options, kPrintCuttingDistance) ? kCuttingDistanceMm : 0.0;
    // A cap's frame reaches beyond its face by the surround: each cell makes
    // room for it on every side, so that no frame covers its neighbour or
    // lies beyond the page's edge.
    const bool framed = has(options, kPrintKeyBorder);
    const bool surround = has(options, kPrintKeySurround);
    const double frameX = framed ? (surround ? keyboard.capSurroundX : 0.0) + kFrameAllowanceMm : 0.0;
    const double frameY = framed ? (surround ? keyboard.capSurroundY : 0.0) + kFrameAllowanceMm : 0.0;

    LayoutPass pass;
    pass.pageCount = 1;
    double usedHeight = 0;  // of the finished pages
    double rowTop = 0;      // where the next row starts on the current page
    double widest = 0;
    for (std::size_t begin = 0; begin < slots.size();) {
        const kbxdoc::KeyRecord& first = keyAt(keyboard, slots[begin]);
        std::size_t end = begin + 1;
        while (end < slots.size() && sameRun(first, keyAt(keyboard, slots[end]))) ++end;
        const Run run{begin, end};
        begin = end;
        if (!hasCaption(first) && !has(options, kPrintUnusedKeys)) continue;

        const double cellWidth = first.current.width + 2 * frameX + gap;
        const double cellHeight = first.current.height + 2 * frameY + gap;
        const int columns = std::max(1, static_cast<int>(printableWidth / cellWidth));
        for (std::size_t i = run.begin; i < run.end; ++i) {
            const int column = static_cast<int>((i - run.begin) % static_cast<std::size_t>(columns));
            if (column == 0) {
                if (i != run.begin) rowTop += cellHeight;
                // A row that does not fit below the others starts a new page;
                // one too tall for any page stands alone on its page.
                if (rowTop > 0 && rowTop + cellHeight > printableHeight) {
                    usedHeight += rowTop;
                    ++pass.pageCount;
                    rowTop = 0;
                }
            }
            const double left = column * cellWidth;
            widest = std::max(widest, left + cellWidth);
            pass.keys.push_back({slots[i], pass.pageCount, left + frameX, rowTop + frameY});
        }
        rowTop += cellHeight;
    }
    pass.extentWidthMm = kSortedExtentStartMm + widest;
    pass.extentHeightMm = kSortedExtentStartMm + usedHeight + rowTop;
    return pass;
}

}  // namespace

PrinterMetrics printerMetrics(int printableWidthPixels, int printableHeightPixels, int dotsPerInchX,
                              int dotsPerInchY) {
    PrinterMetrics metrics;
    metrics.pixelsPerMmX = dotsPerInchX * kInchesPerMillimetre;
    metrics.pixelsPerMmY = dotsPerInchY * kInchesPerMillimetre;
    if (metrics.pixelsPerMmX > 0) metrics.printableWidthMm = printableWidthPixels / metrics.pixelsPerMmX;
    if (metrics.pixelsPerMmY > 0) metrics.printableHeightMm = printableHeightPixels / metrics.pixelsPerMmY;
    return metrics;
}

LayoutPass layOutPrint(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                       std::uint8_t options, PrintMode mode, double printableWidthMm, double printableHeightMm) {
    if (has(options, kPrintSelectedOnly) && !anySelected(selection)) return {};
    if (keyboard.width == 0) {
        LayoutPass empty;
        empty.pageCount = 1;
        return empty;
    }
    if (mode == PrintMode::SortedBySize) {
        return layOutSorted(keyboard, selection, options, printableWidthMm, printableHeightMm);
    }
    return layOutTemplate(keyboard, selection, options, printableWidthMm);
}

PrintLayout preparePrint(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                         std::uint8_t options, PrintMode mode, const PrinterMetrics& metrics) {
    PrintLayout layout;
    layout.options = options;
    layout.mode = mode;
    layout.metrics = metrics;
    layout.pass = layOutPrint(keyboard, selection, options, mode, metrics.printableWidthMm, metrics.printableHeightMm);
    layout.lastPage = layout.pass.pageCount;

    const LayoutPass& first = layout.pass;
    if (!has(options, kPrintScaleToPage) || first.pageCount == 0 || first.extentWidthMm <= 0 ||
        first.extentHeightMm <= 0) {
        return layout;
    }
    const double factor = std::min(metrics.printableWidthMm / first.extentWidthMm,
                                   metrics.printableHeightMm / first.extentHeightMm);
    if (factor <= 0) return layout;
    layout.scaleFactor = factor;
    layout.metrics.pixelsPerMmX *= factor;
    layout.metrics.pixelsPerMmY *= factor;
    // Seen at the new scale the page holds 1 / factor times as many
    // millimetres, so the sorted sheet packs again into its wider rows and
    // everything lands on the one page that is printed.
    layout.pass = layOutPrint(keyboard, selection, options, mode, metrics.printableWidthMm / factor,
                              metrics.printableHeightMm / factor);
    layout.pass.pageCount = 1;
    std::erase_if(layout.pass.keys, [](const PlacedKey& key) { return key.page != 1; });
    layout.lastPage = 1;
    return layout;
}

}  // namespace keyui::print
