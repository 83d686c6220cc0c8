#include "editor/ui/legend/legend_layout.h"

#include <optional>

#include "editor/ui/core/texts.h"

namespace keyui::legend {

namespace {

constexpr char kBackslash = '\\';
constexpr std::string_view kLineCode = "\\line";
constexpr std::string_view kEscapedBackslash = "\\\\";
constexpr std::string_view kPictureCode = "\\*picfile:";

class CaptionReader {
public:
    explicit CaptionReader(std::string_view caption) : rest_(caption) {}

    std::vector<CaptionPiece> read() {
        while (!rest_.empty()) {
            if (rest_.front() == kBackslash) {
                finishRun();
                if (readCodes()) break;
            } else {
                takeCharacter();
            }
        }
        finishRun();
        return std::move(pieces_);
    }

private:
    // The codes at a backslash, as long as one follows; true when a picture
    // took the rest of the caption.
    bool readCodes() {
        while (!rest_.empty() && rest_.front() == kBackslash) {
            if (rest_.starts_with(kLineCode)) {
                pieces_.push_back({CaptionPiece::Kind::LineBreak, {}});
                rest_.remove_prefix(kLineCode.size());
            } else if (rest_.starts_with(kEscapedBackslash)) {
                appendToRun(kBackslash);
                rest_.remove_prefix(kEscapedBackslash.size());
            } else if (rest_.starts_with(kPictureCode)) {
                rest_.remove_prefix(kPictureCode.size());
                pieces_.push_back({CaptionPiece::Kind::Picture, std::string(rest_)});
                rest_ = {};
                return true;
            } else {
                rest_.remove_prefix(1);  // an unknown code loses only its backslash
            }
        }
        return false;
    }

    void takeCharacter() {
        appendToRun(rest_.front());
        rest_.remove_prefix(1);
    }

    void appendToRun(char character) {
        if (run_.size() == kMaxRunLength) finishRun();
        run_.push_back(character);
    }

    void finishRun() {
        if (run_.empty()) return;
        pieces_.push_back({CaptionPiece::Kind::Run, std::move(run_)});
        run_.clear();
    }

    std::string_view rest_;
    std::string run_;
    std::vector<CaptionPiece> pieces_;
};

}  // namespace

int roundedPixels(double value) { return static_cast<int>(value + 0.5); }

std::vector<CaptionPiece> readCaption(std::string_view caption) { return CaptionReader(caption).read(); }

LegendPlacement placeLegend(const DrawRecord& record, const RunWidth& runWidth) {
    LegendPlacement placement;
    const double lineStep = record.lineSpacing != 0 ? record.lineSpacing : record.fontHeight;
    double line = 0;
    double column = 0;
    // The run before on the same line: its width moves the column on only
    // when another run follows it, so the last run of a line is not measured.
    std::optional<std::size_t> runBefore;
    for (const CaptionPiece& piece : readCaption(record.caption)) {
        switch (piece.kind) {
        case CaptionPiece::Kind::LineBreak:
            column = 0;
            line += lineStep;
            runBefore.reset();
            break;
        case CaptionPiece::Kind::Run: {
            if (runBefore && record.scaleX != 0) column += runWidth(placement.runs[*runBefore].text) / record.scaleX;
            PlacedRun run;
            run.text = fromAnsi(piece.text);
            run.topLeft = QPoint(record.x + roundedPixels(record.scaleX * (column + record.leftMargin)),
                                 record.y + roundedPixels(record.scaleY * (line + record.topMargin)));
            runBefore = placement.runs.size();
            placement.runs.push_back(std::move(run));
            break;
        }
        case CaptionPiece::Kind::Picture:
            placement.picture = PlacedPicture{
                QRect(record.x + roundedPixels(record.scaleX * record.leftMargin),
                      record.y + roundedPixels(record.scaleY * record.topMargin),
                      roundedPixels(record.scaleX * (record.width - 2 * record.leftMargin)),
                      roundedPixels(record.scaleY * (record.height - 2 * record.topMargin))),
                fromAnsi(piece.text)};
            break;
        }
    }
    return placement;
}

}  // namespace keyui::legend
