#include "editor/ui/core/key_document.h"

#include <QApplication>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include "editor/document/key_table.h"
#include "editor/persist/layout_file.h"
#include "editor/persist/layout_reader.h"
#include "editor/persist/layout_writer.h"
#include "editor/ui/core/document_history.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/texts.h"

namespace keyui {

namespace {

// Why a layout file cannot be opened, in the editor's terms. The largest
// file read (kbx::kLargestInputFile, 16 MB) is far beyond any layout: a fully
// programmed layout of the largest model is well under one megabyte.
OpenFailure openFailureOf(const kbx::InputFailure& failure) {
    if (failure.problem == kbx::InputProblem::cannotOpen && failure.systemError == ENOENT) return OpenFailure::Missing;
    if (failure.problem == kbx::InputProblem::tooLarge) return OpenFailure::TooLarge;
    return OpenFailure::Unreadable;
}

// Steps kept for undo; older ones are dropped.
constexpr int kUndoSteps = 100;

// An empty file opens as a new layout; any other content must read as one.
bool looksLikeLayout(const std::string& bytes, std::size_t lines, const kbxdoc::KeyboardData& read) {
    const kbxdoc::persist::LayoutContent content = kbxdoc::persist::layoutContentOf(bytes, lines, read);
    return content == kbxdoc::persist::LayoutContent::layout || content == kbxdoc::persist::LayoutContent::empty;
}

}  // namespace

KeyDocument::KeyDocument(QObject* parent) : QObject(parent), keyboard_(std::make_unique<kbxdoc::KeyboardData>()) {
    history_.setUndoLimit(kUndoSteps);
    connect(&history_, &QUndoStack::cleanChanged, this, [this](bool clean) { showModified(!clean); });
    startHistory();
}

// The history's end tells it is clean again: nothing to mark by then.
KeyDocument::~KeyDocument() { history_.disconnect(this); }

kbxdoc::ActiveContext KeyDocument::documentContext() {
    kbxdoc::ActiveContext context;
    context.keyboard = keyboard_.get();
    context.layers = &editorState().layers;
    context.currentLayer = editorState().currentLayer;
    context.observer = this;
    return context;
}

void KeyDocument::setPath(const QString& path) {
    path_ = path;
    emit titleChanged(title());
}

QString KeyDocument::title() const {
    return path_.isEmpty() ? QString::fromLatin1(kUntitledTitle) : QFileInfo(path_).fileName();
}

void KeyDocument::setModified(bool modified) {
    if (!modified) {
        // Saving may have changed keys (the covered-key step): the history
        // goes on from what the document holds now.
        recorded_ = std::make_shared<const DocumentState>(captureState(*keyboard_, editorState().layers, recorded_.get()));
        if (!history_.isClean()) history_.setClean();
    }
    showModified(modified);
}

// The mark alone: the history's own moves to and from its clean state need
// no new capture, the state undo or redo put back is already the recorded one.
void KeyDocument::showModified(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    emit modifiedChanged(modified);
}

void KeyDocument::recordChange(const QString& actionName) {
    auto now = std::make_shared<const DocumentState>(captureState(*keyboard_, editorState().layers, recorded_.get()));
    if (now->sameAs(*recorded_)) return;
    history_.push(new HistoryStep(*this, actionName, recorded_, now));
    recorded_ = std::move(now);
    showModified(true);  // also where the step left the clean state out of the undo limit
}

void KeyDocument::startHistory() {
    recorded_ = std::make_shared<const DocumentState>(captureState(*keyboard_, editorState().layers, nullptr));
    history_.clear();
}

void KeyDocument::restore(const std::shared_ptr<const DocumentState>& state) {
    const bool layersChanged = state->layers != editorState().layers;
    restoreState(*state, *keyboard_, editorState().layers);
    recorded_ = state;
    emit allChanged();
    if (layersChanged) emit layerNamesChanged();
}

OpenFailure KeyDocument::open(const QString& path) {
    // The descriptor is checked, not the path, so that a FIFO or device
    // swapped in is refused too.
    kbx::InputFailure failure;
    const std::optional<std::string> file = kbxdoc::persist::readFileBytes(toFileName(path), &failure);
    if (!file) return openFailureOf(failure);
    const std::string& bytes = *file;

    auto read = std::make_unique<kbxdoc::KeyboardData>();
    kbxdoc::LayerTable layers = editorState().layers;
    kbxdoc::ActiveContext context;
    context.keyboard = read.get();
    context.layers = &layers;
    context.currentLayer = editorState().currentLayer;
    kbxdoc::resetKeyboardData(context);
    read->keptLines.clear();
    const std::size_t lines = kbxdoc::persist::readLayoutText(context, bytes);
    if (!looksLikeLayout(bytes, lines, *read)) return OpenFailure::NotALayout;

    const bool layersChanged = layers != editorState().layers;
    editorState().layers = layers;
    keyboard_ = std::move(read);
    path_ = path;
    modified_ = false;
    startHistory();
    emit titleChanged(title());
    emit allChanged();
    if (layersChanged) emit layerNamesChanged();
    return OpenFailure::None;
}

bool KeyDocument::saveTo(const QString& path, QString* error) {
    kbxdoc::ActiveContext context = documentContext();
    errno = 0;
    if (kbxdoc::saveLayout(context, toFileName(path))) return true;
    if (error != nullptr) *error = QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO));
    return false;
}

void KeyDocument::redrawKey(int slot) { emit keyChanged(slot); }

void KeyDocument::redrawAll() { emit allChanged(); }

void KeyDocument::layerListChanged() { emit layerNamesChanged(); }

void KeyDocument::warningBeep() { QApplication::beep(); }

}  // namespace keyui
