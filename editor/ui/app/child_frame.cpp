#include "editor/ui/app/child_frame.h"

#include <QCloseEvent>

#include "editor/ui/view/key_view.h"

namespace keyui::app {

ChildFrame::ChildFrame(KeyDocument& document, CloseCheck mayClose, QWidget* parent)
    : QMdiSubWindow(parent), mayClose_(std::move(mayClose)) {
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new KeyView(document, this);
    setWidget(view_);
    showTitle(0);
}

KeyDocument& ChildFrame::document() const { return view_->document(); }

void ChildFrame::showTitle(int windowNumber) {
    QString title = document().title();
    if (windowNumber > 0) title += QStringLiteral(":%1").arg(windowNumber);
    setWindowTitle(title + QStringLiteral("[*]"));
    setWindowModified(document().isModified());
}

void ChildFrame::closeEvent(QCloseEvent* event) {
    if (mayClose_ && !mayClose_(*this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace keyui::app
