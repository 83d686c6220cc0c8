#pragma once

// The editor's pictures of itself for the documentation: with the files of
// the command line open, the main window, a view at 200 %, the layer-data
// display, the print preview and the new-document and about dialogs are
// grabbed as PNG files into a folder.

#include <QString>

namespace keyui::app {

class MainWindow;

// False when a picture could not be written or no layout was open.
bool runScreenshotScript(MainWindow& window, const QString& folder);

}  // namespace keyui::app
