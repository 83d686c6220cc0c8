// The grid models: equal caps on a 19 mm pitch, rows lettered from the bottom.

#include <array>

#include "editor/document/model_layouts.h"

namespace kbxdoc {
namespace {

constexpr double kGridPitch = 19.0;

struct GridModel {
    int model;
    int columns;
    int rows;
    double originLeft;  // left of column 0 and top of the top row
    double originTop;
    double cap;
    double capSurround;
    double fontHeight;
    double keyboardWidth;
    double keyboardHeight;
};

constexpr double kFullPitchFontHeight = 19.0 / 3.0;  // 6.333...

constexpr std::array<GridModel, 10> kGridModels{{
    {0, 12, 7, 33.5, 33.5, 12, 3.5, 4.0, 288, 188},
    {1, 17, 7, 33.5, 33.5, 12, 3.5, 4.0, 383, 188},
    {2, 16, 8, 33.5, 33.5, 12, 3.5, 4.0, 364, 207},
    {7, 16, 8, 33.5, 33.5, 12, 3.5, 4.0, 364, 207},
    {3, 16, 8, 5, 8, 19, 0, kFullPitchFontHeight, 314, 168},
    {6, 16, 5, 33.5, 33.5, 12, 3.5, 4.0, 364, 150},
    {9, 5, 5, 13.5, 13.5, 12, 3.5, 4.0, 115, 115},
    {10, 5, 7, 13.5, 13.5, 12, 3.5, 4.0, 115, 153},
    {13, 20, 7, 33.5, 33.5, 12, 3.5, 4.0, 440, 207},
    {14, 21, 7, 33.5, 33.5, 12, 3.5, 4.0, 459, 207},
}};

}  // namespace

std::optional<ModelLayout> gridModelLayout(int model) {
    for (const GridModel& grid : kGridModels) {
        if (grid.model != model) continue;
        ModelLayout layout;
        layout.shape = ModelShape{grid.cap, grid.cap, grid.capSurround, grid.fontHeight, grid.keyboardWidth,
                                  grid.keyboardHeight};
        layout.placements.reserve(static_cast<std::size_t>(grid.columns * grid.rows));
        for (int fromTop = 0; fromTop < grid.rows; ++fromTop) {
            for (int column = 0; column < grid.columns; ++column) {
                layout.placements.push_back(KeyPlacement{column, grid.rows - 1 - fromTop,
                                                         grid.originLeft + kGridPitch * column,
                                                         grid.originTop + kGridPitch * fromTop});
            }
        }
        return layout;
    }
    return std::nullopt;
}

}  // namespace kbxdoc
