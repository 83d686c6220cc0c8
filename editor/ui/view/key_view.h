#pragma once

// The key view: one layout drawn as a keyboard, scrolled and zoomed, with
// its own selection, current layer and layer-data switch. Clicking selects
// keys, dragging the right or bottom edge of the one selected key resizes
// it in grid steps, the right button opens the pop-up menu and, with the
// layer-data display on, the programming of the key under the pointer shows
// in a box. While it draws or handles the mouse the view is the active
// context of the key operations.

#include <QAbstractScrollArea>
#include <QPointer>

#include "editor/document/key_geometry.h"
#include "editor/document/keyboard_data.h"
#include "editor/ui/core/key_document.h"
#include "editor/ui/view/programming_box.h"
#include "editor/ui/view/resize_handles.h"
#include "editor/ui/view/view_scale.h"

namespace keyui {

class KeyView : public QAbstractScrollArea {
    Q_OBJECT
public:
    // A new view takes the current layer and layer-data switch of the
    // active context (editorState()).
    explicit KeyView(KeyDocument& document, QWidget* parent = nullptr);
    ~KeyView() override;

    KeyDocument& document() const { return *document_; }

    // This view's context: the document's data, this view's selection,
    // layer and switch, the layer table, scroll position 0.
    kbxdoc::ActiveContext context() const;

    ZoomMode zoomMode() const { return zoom_; }
    void setZoomMode(ZoomMode mode);
    bool layerDataShown() const { return showLayerData_; }
    void setLayerDataShown(bool shown);
    int currentLayer() const { return currentLayer_; }
    void setCurrentLayer(int layer);
    const kbxdoc::SelectionFlags& selection() const { return selection_; }

    // The whole keyboard at 100 %, with the view's frame.
    QSize sizeHint() const override;

    // Pixels per mm of the current zoom and the scroll area's size.
    double scale() const;
    QSize scrollSize() const;
    QPoint scrollPosition() const;
    // The handle code the pointer found last.
    int handleCode() const { return handle_; }

    // Enabling of the edit commands: exactly one key selected (paste also
    // needs the key clipboard).
    bool canCopy() const;
    bool canCut() const;
    bool canPaste() const;
    bool canEditGroup() const;  // more than one key selected
    void copyKey();
    void cutKey();
    void pasteKey();

    // Makes this view the active one (editorState().activeView).
    void activate();

    // The programming box in client pixels; empty while none is shown.
    QRect programmingBoxRect() const { return programmingBox_.rect; }
    QString programmingBoxText() const { return programmingBox_.text; }

signals:
    void selectionChanged();
    // Double click on a key: the key programming command.
    void keyProgrammingRequested();
    // Right button released: pop-up menu at that global position.
    void contextMenuRequested(const QPoint& globalPosition);
    void currentLayerChanged(int layer);
    void zoomModeChanged(ZoomMode mode);
    void layerDataShownChanged(bool shown);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    QPointer<KeyDocument> document_;
    ZoomMode zoom_ = ZoomMode::WholeKeyboard;
    kbxdoc::SelectionFlags selection_{};
    bool showLayerData_ = false;
    int currentLayer_ = 0;
    int handle_ = kNoHandle;
    // Further members are the view's own.
    double scale_ = view::kNormalScale;
    QSize scrollSize_;
    bool leftHeld_ = false;
    HandleCode dragHandle_ = kNoHandle;  // the code found when the drag began
    bool resizing_ = false;              // slot 200 differs from the selected key's size
    view::ProgrammingBox programmingBox_;

    // The context with the scroll position, for the mouse.
    kbxdoc::ActiveContext mouseContext() const;
    // The document's keyboard data, null once the document is gone.
    kbxdoc::KeyboardData* keyboardData() const;
    void recomputeScale();
    void updateScrollBars();
    QPoint keyboardPoint(const QPoint& clientPoint) const;
    // The client rectangle a key's drawing covers, frame included.
    QRect clientRectOfKey(int slot) const;
    void repaintKey(int slot);
    void trackHandle(const QPoint& clientPoint);
    void resizeCurrentKey(const QPoint& clientPoint);
    void finishLeftDrag();
    void showProgrammingAt(const QPoint& clientPoint);
    void hideProgrammingBox();
    int singleSelectedSlot() const;
    void refreshCurrentKeyCopy();
};

}  // namespace keyui
