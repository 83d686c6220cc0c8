#include "editor/document/model_layouts.h"

#include "editor/document/catalogue.h"

namespace kbxdoc {

std::optional<ModelLayout> modelLayout(int model) {
    const KeyboardModel* entry = findKeyboardModel(model);
    if (entry == nullptr) return std::nullopt;
    switch (entry->layout) {
        case LayoutKind::Grid:
            return gridModelLayout(model);
        case LayoutKind::Alphanumeric:
            return alphanumericModelLayout(model);
        case LayoutKind::None:
            break;
    }
    return std::nullopt;
}

}  // namespace kbxdoc
