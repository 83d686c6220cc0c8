#pragma once

// One open layout: the keyboard data of the document library, its path,
// title and modified flag. The document is the observer of every key
// operation done on it and tells all its views what to draw again.

#include <memory>

#include <QObject>
#include <QString>
#include <QUndoStack>

#include "editor/document/active_context.h"

namespace keyui {

struct DocumentState;

inline constexpr char kUntitledTitle[] = "Noname";

enum class OpenFailure {
    None,
    Missing,       // no such file
    Unreadable,    // no permission, a folder, a read error
    TooLarge,      // far larger than any layout
    NotALayout,    // binary data, or not one line a layout has
};

class KeyDocument : public QObject, public kbxdoc::DocumentObserver {
    Q_OBJECT
public:
    explicit KeyDocument(QObject* parent = nullptr);
    ~KeyDocument() override;

    kbxdoc::KeyboardData& keyboard() { return *keyboard_; }
    const kbxdoc::KeyboardData& keyboard() const { return *keyboard_; }

    // A context on this document's data and the application's layer table,
    // without a view's selection: for the document's own commands.
    kbxdoc::ActiveContext documentContext();

    // Empty while the document has never been saved under a name.
    const QString& path() const { return path_; }
    void setPath(const QString& path);
    // The path's file name, or the untitled title ("Noname").
    QString title() const;

    bool isModified() const { return modified_; }
    // Marking the document unmodified (it was saved) makes the present the
    // state the undo history calls clean.
    void setModified(bool modified);

    // The undo history: one step per user action that changed the
    // document. The modified mark follows it: undoing back to the saved
    // state clears the mark.
    QUndoStack& history() { return history_; }
    // Records what changed since the last step as one step named
    // `actionName` ("Paste"); nothing when nothing changed.
    void recordChange(const QString& actionName);
    // The present becomes the start of a new, empty history.
    void startHistory();
    // Puts a state of the history back (undo and redo).
    void restore(const std::shared_ptr<const DocumentState>& state);

    // Reads the file into this document. On failure the document is left
    // exactly as it was and the reason is returned; the layer table may have
    // gained the file's layer names only on success.
    OpenFailure open(const QString& path);
    // The covered-key step and the layout written to `path` through a
    // temporary file; false (document and older file untouched, the
    // reason in `error`) when it could not be written. Path, title and the
    // modified flag are the caller's to change.
    bool saveTo(const QString& path, QString* error = nullptr);

    // kbxdoc::DocumentObserver
    void redrawKey(int slot) override;
    void redrawAll() override;
    void layerListChanged() override;
    void warningBeep() override;

signals:
    void keyChanged(int slot);
    void allChanged();
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);
    void layerNamesChanged();

private:
    std::unique_ptr<kbxdoc::KeyboardData> keyboard_;
    QString path_;
    bool modified_ = false;
    void showModified(bool modified);

    QUndoStack history_;
    std::shared_ptr<const DocumentState> recorded_;  // the state after the last step
};

}  // namespace keyui
