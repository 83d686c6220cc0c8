#pragma once

// Where every key of a print goes, in millimetres of the page, without any
// drawing: the layout pass of the keyboard template (every key at its own
// place, continued on further pages with an overlap) and of the sheet sorted
// by key size (equal caps packed in rows), and the preparation that fits the
// pass to a printer, optionally scaled to one page. Printing and the preview
// paint what these passes place.

#include <cstdint>
#include <optional>
#include <vector>

#include "editor/document/keyboard_data.h"
#include "editor/ui/legend/print_options.h"

namespace keyui::print {

inline constexpr double kMillimetresPerInch = 25.4;
inline constexpr double kInchesPerMillimetre = 0.03937007874015748;  // pixels per mm = dpi times this
// The template continues on the next page this far before the right edge
// of the previous one.
inline constexpr double kPageOverlapMm = 5.0;
// The template's extents reach this far beyond the right and bottom key.
inline constexpr double kTemplateMarginMm = 3.0;
// The gap added to every cell of the sorted sheet with the cutting distance.
inline constexpr double kCuttingDistanceMm = 1.0;
// Room for the line a cap's frame draws beyond its surround (1.5 pixels at
// the cap's scale: under half a millimetre from 76 dots per inch on).
inline constexpr double kFrameAllowanceMm = 0.5;
// Both extents of the sorted sheet start here.
inline constexpr double kSortedExtentStartMm = 0.5;

// The page as the printer gives it: the printable area and its resolution.
struct PrinterMetrics {
    double printableWidthMm = 0;
    double printableHeightMm = 0;
    double pixelsPerMmX = 0;
    double pixelsPerMmY = 0;
};

// From the printable area in device pixels and the device's pixels per inch.
PrinterMetrics printerMetrics(int printableWidthPixels, int printableHeightPixels, int dotsPerInchX,
                              int dotsPerInchY);

// One key on one page. In template mode a key is drawn at its own place and
// `leftMm` is that place seen from the page's left edge (negative when the
// key began on an earlier page); in sorted mode it is the cell the key goes
// into. Pages count from 1.
struct PlacedKey {
    int slot = 0;
    int page = 1;
    double leftMm = 0;
    double topMm = 0;
    friend bool operator==(const PlacedKey&, const PlacedKey&) = default;
};

// The rectangle around all keys of the template, in keyboard millimetres.
struct CutRectangle {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

struct LayoutPass {
    int pageCount = 0;  // 0: nothing to print
    double extentWidthMm = 0;
    double extentHeightMm = 0;
    // Template mode: page n is drawn shifted left by (n - 1) times this.
    double pageShiftMm = 0;
    std::optional<CutRectangle> cutLines;  // template mode with the cut-line option
    std::vector<PlacedKey> keys;           // in drawing order
};

// The layout pass for a printable area of the given size in millimetres.
// `selection` may be null (no key selected); it only counts with the
// selected-only option.
LayoutPass layOutPrint(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                       std::uint8_t options, PrintMode mode, double printableWidthMm, double printableHeightMm);

// The print layout record: what printing every page needs.
struct PrintLayout {
    std::uint8_t options = 0;
    PrintMode mode = PrintMode::KeyboardTemplate;
    // The printer's values; with scale to page the pixels per mm carry the
    // factor.
    PrinterMetrics metrics;
    double scaleFactor = 1.0;
    int lastPage = 0;  // 0: nothing is printed
    LayoutPass pass;
};

// Runs the layout pass for the printer; with the scale-to-page option the
// pixels per mm are multiplied by the smaller of printable width / layout
// width and printable height / layout height, and everything is laid out
// again on one page of the printable area seen at that scale.
PrintLayout preparePrint(const kbxdoc::KeyboardData& keyboard, const kbxdoc::SelectionFlags* selection,
                         std::uint8_t options, PrintMode mode, const PrinterMetrics& metrics);

}  // namespace keyui::print
