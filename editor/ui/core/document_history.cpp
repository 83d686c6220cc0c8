#include "editor/ui/core/document_history.h"

#include <utility>

#include "editor/ui/core/key_document.h"

namespace keyui {
namespace {

// Everything of the keyboard but its keys and the view's scale.
kbxdoc::KeyboardData settingsOf(const kbxdoc::KeyboardData& keyboard) {
    kbxdoc::KeyboardData settings = keyboard;
    settings.keys = {};
    settings.scaleX = 0;
    settings.scaleY = 0;
    return settings;
}

}  // namespace

bool DocumentState::sameAs(const DocumentState& other) const {
    for (std::size_t slot = 0; slot < keys.size(); ++slot) {
        if (keys[slot] != other.keys[slot] && !(*keys[slot] == *other.keys[slot])) return false;
    }
    return layers == other.layers && (settings == other.settings || *settings == *other.settings);
}

DocumentState captureState(const kbxdoc::KeyboardData& keyboard, const kbxdoc::LayerTable& layers,
                           const DocumentState* previous) {
    DocumentState state;
    for (std::size_t slot = 0; slot < state.keys.size(); ++slot) {
        const kbxdoc::KeyRecord& key = keyboard.keys[slot];
        if (previous != nullptr && *previous->keys[slot] == key) {
            state.keys[slot] = previous->keys[slot];
        } else {
            state.keys[slot] = std::make_shared<const kbxdoc::KeyRecord>(key);
        }
    }
    kbxdoc::KeyboardData settings = settingsOf(keyboard);
    if (previous != nullptr && *previous->settings == settings) {
        state.settings = previous->settings;
    } else {
        state.settings = std::make_shared<const kbxdoc::KeyboardData>(std::move(settings));
    }
    state.layers = layers;
    return state;
}

void restoreState(const DocumentState& state, kbxdoc::KeyboardData& keyboard, kbxdoc::LayerTable& layers) {
    const double scaleX = keyboard.scaleX;
    const double scaleY = keyboard.scaleY;
    keyboard = *state.settings;
    for (std::size_t slot = 0; slot < state.keys.size(); ++slot) keyboard.keys[slot] = *state.keys[slot];
    keyboard.scaleX = scaleX;
    keyboard.scaleY = scaleY;
    layers = state.layers;
}

HistoryStep::HistoryStep(KeyDocument& document, const QString& name, std::shared_ptr<const DocumentState> before,
                         std::shared_ptr<const DocumentState> after)
    : QUndoCommand(name), document_(document), before_(std::move(before)), after_(std::move(after)) {}

void HistoryStep::undo() {
    document_.restore(before_);
    done_ = false;
}

void HistoryStep::redo() {
    if (std::exchange(done_, false)) return;
    document_.restore(after_);
}

}  // namespace keyui
