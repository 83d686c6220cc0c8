#pragma once

// What every key operation works on: the keyboard data of one document and
// the selection, current layer and display switches of one view, with the
// application's layer table. A view builds one around its drawing and mouse
// handling; the document's commands, the dialogs, the writer and the reader
// take the one they are given.

#include "editor/document/keyboard_data.h"

namespace kbxdoc {

// Told by the model when something must be drawn again; the model itself
// draws nothing. The GUI implements it; tests record the calls.
class DocumentObserver {
public:
    virtual ~DocumentObserver() = default;
    virtual void redrawKey(int slot) { (void)slot; }
    virtual void redrawAll() {}
    virtual void layerListChanged() {}  // the layer bar lists the layers again
    virtual void warningBeep() {}       // a layout found no free slot
};

struct ActiveContext {
    KeyboardData* keyboard = nullptr;
    SelectionFlags* selection = nullptr;
    LayerTable* layers = nullptr;
    int currentLayer = 0;
    bool showLayerData = false;  // the view shows programming instead of captions
    int scrollX = 0;             // scroll origin of the view, pixels
    int scrollY = 0;
    DocumentObserver* observer = nullptr;  // may be null
};

}  // namespace kbxdoc
