#pragma once

// Everything the editor remembers for the whole run, in one object: the
// application-wide layer table, the key clipboard, the print options and
// mode, the active view, the settings file and the decoded legend pictures. Views, dialogs and commands
// take what they need from here; tests reset it.

#include <cstdint>
#include <filesystem>

#include <QObject>
#include <QString>

#include "editor/document/key_table.h"
#include "editor/document/keyboard_data.h"
#include "editor/ui/core/picture_cache.h"

namespace keyui {

class KeyView;

struct EditorState {
    kbxdoc::LayerTable layers{};
    kbxdoc::KeyClipboard clipboard;
    // What a new view starts with while no view is active.
    int currentLayer = 0;
    bool showLayerData = false;
    KeyView* activeView = nullptr;  // cleared by the view when it goes
    QObject* armedCapture = nullptr;  // the one keystroke capture armed, if any
    std::uint8_t printOptions = 0;  // kept for the run
    int printMode = 0;              // 0 keyboard template, 1 sorted by key size
    std::filesystem::path settingsFile;  // "Vyrn.Ini"
    QString programFolder;               // folder of the program, ending in "/"
    bool englishTexts = false;           // the English translation was loaded
    PictureCache pictures;               // legend pictures of every view, printing and preview
};

EditorState& editorState();
void resetEditorStateForTests();

}  // namespace keyui
