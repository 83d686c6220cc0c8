#pragma once

// The undo history of a layout: each user action that changes the document
// is one step holding the document's state before and after it. States
// share the key records and settings that did not change with the state
// before them, so a step costs about what it changed.

#include <array>
#include <memory>

#include <QString>
#include <QUndoCommand>

#include "editor/document/keyboard_data.h"

namespace keyui {

class KeyDocument;

struct DocumentState {
    std::array<std::shared_ptr<const kbxdoc::KeyRecord>, kbxdoc::kKeySlotCount> keys;
    std::shared_ptr<const kbxdoc::KeyboardData> settings;  // everything but the keys, which are left empty
    kbxdoc::LayerTable layers{};

    // The same document content (held records compared by value).
    bool sameAs(const DocumentState& other) const;
};

// The state of `keyboard` and `layers`, sharing with `previous` (may be
// null) what is unchanged. The view's scale is no part of it.
DocumentState captureState(const kbxdoc::KeyboardData& keyboard, const kbxdoc::LayerTable& layers,
                           const DocumentState* previous);

// Puts `state` into `keyboard` and `layers`; the view's scale stays.
void restoreState(const DocumentState& state, kbxdoc::KeyboardData& keyboard, kbxdoc::LayerTable& layers);

// One step: done already when it is pushed, so its first redo does nothing.
class HistoryStep : public QUndoCommand {
public:
    HistoryStep(KeyDocument& document, const QString& name, std::shared_ptr<const DocumentState> before,
                std::shared_ptr<const DocumentState> after);
    void undo() override;
    void redo() override;

private:
    KeyDocument& document_;
    std::shared_ptr<const DocumentState> before_;
    std::shared_ptr<const DocumentState> after_;
    bool done_ = true;
};

}  // namespace keyui
