#pragma once

// The dialog part of the screenshot run: every sheet and dialog of the
// editor shown on the active view's document, and the progress dialog of
// a download to the keyboard that KBX_KEYBOARD names.

#include <functional>

#include <QString>

class QDir;
class QWidget;

namespace keyui {
class KeyView;
}

namespace keyui::app {

// Writes one picture through `save(widget, name)`; false when it failed.
using PictureWriter = std::function<bool(QWidget& widget, const QString& name)>;

bool saveDialogScreenshots(QWidget& parent, KeyView& view, const PictureWriter& save);

}  // namespace keyui::app
