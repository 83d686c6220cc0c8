#pragma once

// The key layouts of the keyboard models: where each key of a model sits,
// the model's cap and keyboard sizes, and what an alphanumeric model does to
// its keys once they are placed.

#include <optional>
#include <vector>

#include "editor/document/active_context.h"

namespace kbxdoc {

// One key position of a layout: grid column and row (row 0 the bottom row)
// and the template left and top in mm.
struct KeyPlacement {
    int column = 0;
    int row = 0;
    double left = 0;
    double top = 0;
    friend bool operator==(const KeyPlacement&, const KeyPlacement&) = default;
};

struct ModelShape {
    double capWidth = 0;  // the 1x1 cap, also every placed key's width and height
    double capHeight = 0;
    double capSurround = 0;  // in both directions
    double fontHeight = 0;
    double keyboardWidth = 0;
    double keyboardHeight = 0;
};

struct ModelLayout {
    ModelShape shape;
    std::vector<KeyPlacement> placements;  // top row first, each row from the left
    // Run once every placement has its key: legends, removed keys, wide keys.
    void (*finish)(const ActiveContext& context, int model) = nullptr;
};

// The layout of a model, or none for a model without one.
std::optional<ModelLayout> modelLayout(int model);

std::optional<ModelLayout> gridModelLayout(int model);
std::optional<ModelLayout> alphanumericModelLayout(int model);

}  // namespace kbxdoc
