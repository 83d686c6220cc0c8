#include "editor/ui/dialogs/layers/predefined_layer_names.h"

#include <algorithm>
#include <array>

namespace keyui::dialogs {

namespace {

// The editor's predefined layer names, in their string-table order (the list
// closes with "END", which is not a name).
constexpr std::array<const char*, 10> kPredefinedLayerNames{
    "START",        "Normal-Layer", "Shift-Layer", "Control-Layer", "Alt-Layer",
    "StdKey-Layer", "FN-Key-Layer", "ALT-Layer",   "StdKey-Layer",  "StdKey-Layer",
};

}  // namespace

bool isPredefinedLayerName(const QString& name) {
    return std::any_of(kPredefinedLayerNames.begin(), kPredefinedLayerNames.end(), [&](const char* predefined) {
        return name.compare(QLatin1String(predefined), Qt::CaseInsensitive) == 0;
    });
}

}  // namespace keyui::dialogs
