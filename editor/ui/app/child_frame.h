#pragma once

// The child window of the main window's MDI area: one key view of one
// document. The main window decides whether it may close (the last view of
// a modified document asks to save first).

#include <QMdiSubWindow>
#include <functional>

#include "editor/ui/core/key_document.h"

namespace keyui {
class KeyView;
}

namespace keyui::app {

class ChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    using CloseCheck = std::function<bool(ChildFrame&)>;

    ChildFrame(KeyDocument& document, CloseCheck mayClose, QWidget* parent = nullptr);

    KeyView& view() const { return *view_; }
    KeyDocument& document() const;
    // The document's title, with ":n" when the document has several windows.
    void showTitle(int windowNumber);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    KeyView* view_ = nullptr;
    CloseCheck mayClose_;
};

}  // namespace keyui::app
