#pragma once

// A caption's backslash codes read into runs of text and their places on
// the cap, without painting: the width of a run comes from the caller.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <QPoint>
#include <QRect>
#include <QString>

#include "editor/ui/legend/legend.h"

namespace keyui::legend {

inline constexpr std::size_t kMaxRunLength = 255;

// One piece of a caption, in caption order.
struct CaptionPiece {
    enum class Kind { Run, LineBreak, Picture };
    Kind kind = Kind::Run;
    std::string text;  // the run's characters (Windows-1252) or the picture file name
    friend bool operator==(const CaptionPiece&, const CaptionPiece&) = default;
};

// "\line" breaks the line, "\\" is a backslash of the next run,
// "\*picfile:" makes the rest a picture file name and ends the caption, any
// other backslash is dropped. Runs are never empty and hold at most
// kMaxRunLength characters; a longer stretch of text becomes several runs.
std::vector<CaptionPiece> readCaption(std::string_view caption);

struct PlacedRun {
    QPoint topLeft;
    QString text;
};

struct PlacedPicture {
    QRect target;  // the cap inset by the margins
    QString path;
};

struct LegendPlacement {
    std::vector<PlacedRun> runs;
    std::optional<PlacedPicture> picture;
};

// Pixel width of a run in the legend font.
using RunWidth = std::function<int(const QString&)>;

// Where every run of the record's caption goes: column and line in mm from
// the key's corner plus the margins, rounded to pixels.
LegendPlacement placeLegend(const DrawRecord& record, const RunWidth& runWidth);

// add 0.5 and truncate, as the drawing rounds its pixel positions
int roundedPixels(double value);

}  // namespace keyui::legend
