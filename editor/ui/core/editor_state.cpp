#include "editor/ui/core/editor_state.h"

namespace keyui {

namespace {
EditorState& instance() {
    static EditorState state;
    return state;
}
}  // namespace

EditorState& editorState() { return instance(); }

void resetEditorStateForTests() { instance() = EditorState{}; }

}  // namespace keyui
