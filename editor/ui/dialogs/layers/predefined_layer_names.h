#pragma once

// The layer names the layer page keeps fixed: a layer called like one of
// them, in any letter case, has its name, states and trigger locked on its
// page. (Adding a layer has its own, exact-case rule: kbxdoc::isReservedLayerName.)

#include <QString>

namespace keyui::dialogs {

bool isPredefinedLayerName(const QString& name);

}  // namespace keyui::dialogs
