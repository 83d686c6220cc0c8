// The alphanumeric models: a PC typing block with legends on 13 mm caps, its
// rows shifted to the right, wide special keys, and (model 4) a function row
// and a numeric block split off to the right.

#include <array>
#include <span>
#include <string_view>

#include "editor/document/key_table.h"
#include "editor/document/model_layouts.h"

namespace kbxdoc {
namespace {

constexpr double kPitch = 19.0;
constexpr double kLeftEdge = 3.0;  // left of column 0, top of the top row
constexpr double kCap = 13.0;
constexpr double kCapSurround = 3.0;
constexpr double kFontHeight = 6.5;

// Legends of the typing block, one row per keyboard row from the bottom:
// Ctrl, Shift, Caps, Tab and digits row. Empty entries are keys without a
// legend.
constexpr std::size_t kLegendRows = 5;
constexpr std::array<std::array<std::string_view, 16>, kLegendRows> kLegends{{
    {"Ctrl", "Alt", " ", "Alt", "Ctrl"},
    {"Shift", "", "Z", "X", "C", "V", "B", "N", "M", R"(<\line,)", R"(>\line.)", R"(?\line/)", "Shift"},
    {R"(Caps\lineLock)", "A", "S", "D", "F", "G", "H", "J", "K", "L", R"(:\line;)", R"(\"\line')", "Enter"},
    {"Tab", "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", R"(\{\line[)", R"(\}\line])", R"(\|\line\\)"},
    {R"(~\line\\)", R"(!\line1)", R"(@\line2)", R"(#\line3)", R"($\line4)", R"(%\line5)", R"(^\line6)",
     R"(&\line7)", R"(*\line8)", R"((\line9)", R"()\line0)", R"(-\line_)", R"(+\line=)", "BackSpace"},
}};

// Model 4: the same typing block with a numeric block in columns 17-19 (and
// 8-10 of the Ctrl row, which is shorter).
constexpr std::array<std::array<std::string_view, 23>, kLegendRows> kLegendsWithNumericBlock{{
    {"Ctrl", "Alt", " ", "Alt", "Ctrl", "", "", "", "0", "00", "."},
    {"Shift", "", "Z", "X", "C", "V", "B", "N", "M", R"(<\line,)", R"(>\line.)", R"(?\line/)", "Shift", "", "",
     "", "", "1", "2", "3"},
    {R"(Caps\lineLock)", "A", "S", "D", "F", "G", "H", "J", "K", "L", R"(:\line;)", R"(\"\line')", "Enter", "",
     "", "", "", "4", "5", "6"},
    {"Tab", "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", R"(\{\line[)", R"(\}\line])", R"(\|\line\\)", "",
     "", "", "7", "8", "9"},
    {R"(~\line\\)", R"(!\line1)", R"(@\line2)", R"(#\line3)", R"($\line4)", R"(%\line5)", R"(^\line6)",
     R"(&\line7)", R"(*\line8)", R"((\line9)", R"()\line0)", R"(-\line_)", R"(+\line=)", "BackSpace"},
}};

template <std::size_t Columns>
std::string_view legendFrom(const std::array<std::array<std::string_view, Columns>, kLegendRows>& table,
                            int column, int row) {
    if (row < 0 || row >= static_cast<int>(kLegendRows) || column < 0 || column >= static_cast<int>(Columns)) {
        return {};
    }
    return table[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}
std::string_view typingBlockLegend(int column, int row) { return legendFrom(kLegends, column, row); }
std::string_view numericBlockLegend(int column, int row) {
    return legendFrom(kLegendsWithNumericBlock, column, row);
}

struct RowShift {
    int row;
    double right;
};
constexpr std::array<RowShift, 3> kRowShifts{{{3, 9.5}, {2, 14.25}, {1, 4.75}}};

double rowShift(int row) {
    for (const RowShift& shift : kRowShifts) {
        if (shift.row == row) return shift.right;
    }
    return 0;
}

// Model 4's blocks: per row from the top, the columns where the second,
// third and fourth block begin, and where each block's first key sits
// (left = (column - break + firstColumn) * 19 + offset).
struct BlockStart {
    int firstColumn;
    double offset;
};
constexpr std::array<BlockStart, 3> kBlockStarts{{{15, 28.0 / 3.0}, {18, 47.0 / 3.0}, {21, 22.0}}};
constexpr std::array<std::array<int, 3>, 6> kBlockBreaksFromTop{{
    {15, 18, 21},
    {15, 18, 21},
    {14, 17, 20},
    {14, 17, 20},
    {14, 17, 20},
    {5, 8, 11},
}};

// Keys removed once placed: their geometry is cleared and their slot freed.
struct KeyRange {
    int row;
    int firstColumn;
    int lastColumn;
};
constexpr std::array<KeyRange, 4> kRemovedKeys{{{0, 6, 15}, {3, 15, 15}, {2, 15, 15}, {1, 15, 15}}};
constexpr std::array<KeyRange, 4> kRemovedKeysWithNumericBlock{{{0, 13, 22}, {3, 22, 22}, {2, 22, 22}, {1, 22, 22}}};

struct Adjustment {
    int column;
    int row;
    unsigned flags;
    double left;
    double width;
};
constexpr std::array<Adjustment, 12> kWideKeys{{
    {13, 4, kSetWidth, 0, 32},
    {0, 3, kSetLeft | kSetWidth, 7.75, 17.75},
    {13, 3, kAddLeft | kSetWidth, 4.875, 17.75},
    {0, 2, kSetLeft | kSetWidth, 7.75, 17.75},
    {12, 2, kSetWidth, 0, 36.75},
    {0, 1, kSetLeft | kSetWidth, 3, 36.75},
    {12, 1, kAddLeft | kSetWidth, 4.75, 36.75},
    {0, 0, kAddLeft | kSetWidth, 4.75, 17.75},
    {1, 0, kSetLeft | kSetWidth, 50.5, 17.75},
    {2, 0, kSetLeft | kSetWidth, 88.5, 108},
    {3, 0, kSetLeft | kSetWidth, 216.75, 17.75},
    {4, 0, kSetLeft | kSetWidth, 259.5, 17.75},
}};
// The keys at the right end of the typing block of the 16-column models.
constexpr std::array<Adjustment, 4> kRightEndKeys{{
    {14, 3, kSetLeft, 288, 0},
    {14, 2, kSetLeft, 288, 0},
    {14, 1, kSetLeft, 288, 0},
    {5, 0, kSetLeft, 288, 0},
}};
constexpr std::span<const Adjustment> kNoAdjustments{};

// Model 12's rows, from the bottom (A) to the top (H).
constexpr std::array<double, 8> kSplitRowTops{60, 41, 22, 3, 79, 98, 117, 136};

struct AlphanumericModel {
    int model;
    int columns;
    int rows;
    std::span<const double> rowTops;  // by row from the bottom; empty: evenly on the pitch
    double lowerRowsDrop;             // every row below the top row lies this much lower
    bool blockBreaks;
    std::string_view (*legend)(int column, int row);
    std::span<const KeyRange> removed;
    std::span<const Adjustment> extraAdjustments;
    double keyboardWidth;
    double keyboardHeight;
};

constexpr std::array<AlphanumericModel, 4> kAlphanumericModels{{
    {4, 23, 6, {}, 19.0 / 3.0, true, numericBlockLegend, kRemovedKeysWithNumericBlock, kNoAdjustments, 475, 133},
    {5, 16, 8, {}, 0, false, typingBlockLegend, kRemovedKeys, kRightEndKeys, 304, 152},
    {8, 16, 8, {}, 0, false, typingBlockLegend, kRemovedKeys, kRightEndKeys, 304, 152},
    {12, 16, 8, kSplitRowTops, 0, false, typingBlockLegend, kRemovedKeys, kRightEndKeys, 304, 152},
}};

const AlphanumericModel* findAlphanumericModel(int model) {
    for (const AlphanumericModel& entry : kAlphanumericModels) {
        if (entry.model == model) return &entry;
    }
    return nullptr;
}

double rowTop(const AlphanumericModel& model, int row) {
    if (!model.rowTops.empty()) return model.rowTops[static_cast<std::size_t>(row)];
    const int topRow = model.rows - 1;
    return kLeftEdge + kPitch * (topRow - row) + (row < topRow ? model.lowerRowsDrop : 0);
}

double keyLeft(const AlphanumericModel& model, int column, int row) {
    if (model.blockBreaks) {
        const auto& breaks = kBlockBreaksFromTop[static_cast<std::size_t>(model.rows - 1 - row)];
        for (std::size_t block = breaks.size(); block-- > 0;) {
            if (column >= breaks[block]) {
                return (column - breaks[block] + kBlockStarts[block].firstColumn) * kPitch +
                       kBlockStarts[block].offset;
            }
        }
    }
    return kLeftEdge + kPitch * column + rowShift(row);
}

void giveLegends(const ActiveContext& context, const AlphanumericModel& model) {
    for (int row = 0; row < model.rows; ++row) {
        for (int column = 0; column < model.columns; ++column) {
            const std::string_view legend = model.legend(column, row);
            KeyRecord* key = keyAt(context, column, row);
            if (legend.empty() || key == nullptr || key->captionSize == 0) continue;
            // A legend the user has written stays.
            if (!key->caption.empty()) continue;
            key->caption.assign(legend.substr(0, key->captionSize - 1));
        }
    }
}

void removeKeys(const ActiveContext& context, std::span<const KeyRange> ranges) {
    for (const KeyRange& range : ranges) {
        for (int column = range.firstColumn; column <= range.lastColumn; ++column) {
            KeyRecord* key = keyAt(context, column, range.row);
            if (key == nullptr) continue;
            key->templateGeometry = Rect{};
            key->current = Rect{};
            resetKeyAttributes(context, std::pair{column, range.row});
        }
    }
}

void adjust(const ActiveContext& context, std::span<const Adjustment> adjustments) {
    for (const Adjustment& change : adjustments) {
        adjustKeyGeometry(context, change.column, change.row, change.flags, change.left, 0, change.width, 0);
    }
}

void finishAlphanumeric(const ActiveContext& context, int modelIndex) {
    const AlphanumericModel* model = findAlphanumericModel(modelIndex);
    if (model == nullptr) return;
    giveLegends(context, *model);
    removeKeys(context, model->removed);
    adjust(context, kWideKeys);
    adjust(context, model->extraAdjustments);
}

}  // namespace

std::optional<ModelLayout> alphanumericModelLayout(int modelIndex) {
    const AlphanumericModel* model = findAlphanumericModel(modelIndex);
    if (model == nullptr) return std::nullopt;
    ModelLayout layout;
    layout.shape = ModelShape{kCap, kCap, kCapSurround, kFontHeight, model->keyboardWidth, model->keyboardHeight};
    layout.placements.reserve(static_cast<std::size_t>(model->columns * model->rows));
    for (int row = model->rows - 1; row >= 0; --row) {
        for (int column = 0; column < model->columns; ++column) {
            layout.placements.push_back(
                KeyPlacement{column, row, keyLeft(*model, column, row), rowTop(*model, row)});
        }
    }
    layout.finish = finishAlphanumeric;
    return layout;
}

}  // namespace kbxdoc
