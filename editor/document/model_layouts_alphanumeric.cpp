#include "editor/document/model_layouts.h"

namespace kbxdoc {

std::optional<ModelLayout> alphanumericModelLayout(int model) {
    (void)model;
    return std::nullopt;
}

}  // namespace kbxdoc
