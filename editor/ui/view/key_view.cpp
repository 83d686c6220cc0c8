#include "editor/ui/view/key_view.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "editor/document/key_table.h"
#include "editor/ui/core/editor_state.h"
#include "editor/ui/core/texts.h"
#include "editor/ui/legend/legend.h"
#include "editor/ui/core/action_names.h"

namespace keyui {

namespace {

// The cursor of each handle code that has one; every other code shows the
// arrow.
struct HandleCursor {
    HandleCode code;
    Qt::CursorShape shape;
};
constexpr std::array kHandleCursors{
    HandleCursor{kHandleRight, Qt::SizeHorCursor},
    HandleCursor{kHandleBottom, Qt::SizeVerCursor},
    HandleCursor{kHandleBottomRight, Qt::SizeFDiagCursor},
};

Qt::CursorShape cursorFor(int code) {
    for (const HandleCursor& entry : kHandleCursors) {
        if (entry.code == code) return entry.shape;
    }
    return Qt::ArrowCursor;
}

// Pixels a scroll-bar arrow moves.
constexpr int kScrollLineStep = 20;
// The cap's outer frame reaches scale * surround + 1.5 pixels beyond the
// cap; a repaint takes that and one pixel more for rounding.
constexpr double kFrameExtra = 1.5;
constexpr int kRepaintExtra = 1;

// The keyboard data is shared by every view of the document: while a view
// draws, hit-tests or works out a key's pixels it lends it its own scale and
// the screen origin, as a repaint asked by one view's key operation may run
// inside another's.
class InstalledScale : public kbxdoc::ScopedDrawingScale {
public:
    InstalledScale(kbxdoc::KeyboardData* keyboard, double scale) : ScopedDrawingScale(keyboard, scale, scale, 0, 0) {}
};

// A layer index the key records have; anything else is layer 0.
int usableLayer(int layer) { return layer >= 0 && layer < kbxdoc::kLayerCount ? layer : 0; }

QRect toQRect(const kbxdoc::PixelRect& rect) { return QRect(rect.x, rect.y, rect.width, rect.height); }

}  // namespace

KeyView::KeyView(KeyDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent),
      document_(&document),
      showLayerData_(editorState().showLayerData),
      currentLayer_(usableLayer(editorState().currentLayer)) {
    viewport()->setMouseTracking(true);
    // The keyboard stays at the top-left corner: a larger client area needs
    // only its new part painted (the whole-keyboard zoom repaints itself).
    viewport()->setAttribute(Qt::WA_StaticContents);
    horizontalScrollBar()->setSingleStep(kScrollLineStep);
    verticalScrollBar()->setSingleStep(kScrollLineStep);
    connect(&document, &KeyDocument::keyChanged, this, &KeyView::repaintKey);
    connect(&document, &KeyDocument::allChanged, this, [this] {
        recomputeScale();
        updateScrollBars();
        viewport()->update();
    });
    recomputeScale();
    updateScrollBars();
}

KeyView::~KeyView() {
    if (editorState().activeView == this) editorState().activeView = nullptr;
}

kbxdoc::ActiveContext KeyView::context() const {
    kbxdoc::ActiveContext context;
    if (document_) {
        context.keyboard = &document_->keyboard();
        context.observer = document_.data();
    }
    // The flags are this view's own; the context hands them to the key
    // operations, which change them.
    context.selection = const_cast<kbxdoc::SelectionFlags*>(&selection_);
    context.layers = &editorState().layers;
    context.currentLayer = currentLayer_;
    context.showLayerData = showLayerData_;
    return context;
}

kbxdoc::ActiveContext KeyView::mouseContext() const {
    kbxdoc::ActiveContext context = this->context();
    const QPoint scroll = scrollPosition();
    context.scrollX = scroll.x();
    context.scrollY = scroll.y();
    return context;
}

kbxdoc::KeyboardData* KeyView::keyboardData() const { return document_ ? &document_->keyboard() : nullptr; }

void KeyView::setZoomMode(ZoomMode mode) {
    if (mode == zoom_) return;
    zoom_ = mode;
    hideProgrammingBox();
    recomputeScale();
    updateScrollBars();
    viewport()->update();
    emit zoomModeChanged(mode);
}

void KeyView::setLayerDataShown(bool shown) {
    if (shown == showLayerData_) return;
    showLayerData_ = shown;
    if (editorState().activeView == this) editorState().showLayerData = shown;
    if (!shown) hideProgrammingBox();
    viewport()->update();
    emit layerDataShownChanged(shown);
}

void KeyView::setCurrentLayer(int layer) {
    if (layer < 0 || layer >= kbxdoc::kLayerCount || layer == currentLayer_) return;
    currentLayer_ = layer;
    if (editorState().activeView == this) editorState().currentLayer = layer;
    hideProgrammingBox();
    viewport()->update();
    emit currentLayerChanged(layer);
}

double KeyView::scale() const { return scale_; }

QSize KeyView::scrollSize() const { return scrollSize_; }

QPoint KeyView::scrollPosition() const { return QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()); }

void KeyView::recomputeScale() {
    if (!document_) return;
    const kbxdoc::KeyboardData& keyboard = document_->keyboard();
    const QSize client = viewport()->size();
    if (const auto scale = view::zoomScale(zoom_, {client.width(), client.height()}, keyboard.width, keyboard.height))
        scale_ = *scale;
}

QSize KeyView::sizeHint() const {
    if (!document_) return QAbstractScrollArea::sizeHint();
    const kbxdoc::KeyboardData& keyboard = document_->keyboard();
    const view::PixelSize area =
        view::scrollArea(view::kNormalScale, view::kNormalScale, keyboard.width, keyboard.height);
    const int frame = 2 * frameWidth();
    return {area.width + frame, area.height + frame};
}

void KeyView::updateScrollBars() {
    if (!document_) return;
    const QSize client = viewport()->size();
    if (client.isEmpty()) return;
    const kbxdoc::KeyboardData& keyboard = document_->keyboard();
    const view::PixelSize area = view::scrollArea(scale_, scale_, keyboard.width, keyboard.height);
    scrollSize_ = QSize(area.width, area.height);
    horizontalScrollBar()->setPageStep(client.width());
    verticalScrollBar()->setPageStep(client.height());
    horizontalScrollBar()->setRange(0, std::max(0, area.width - client.width()));
    verticalScrollBar()->setRange(0, std::max(0, area.height - client.height()));
}

QPoint KeyView::keyboardPoint(const QPoint& clientPoint) const { return clientPoint + scrollPosition(); }

int KeyView::singleSelectedSlot() const {
    const kbxdoc::SelectionCount count = kbxdoc::countSelection(context());
    return count.count == 1 ? count.highest : -1;
}

bool KeyView::canCopy() const { return document_ && singleSelectedSlot() >= 0; }
bool KeyView::canCut() const { return canCopy(); }
bool KeyView::canPaste() const { return canCopy() && editorState().clipboard.key.has_value(); }
bool KeyView::canEditGroup() const { return kbxdoc::countSelection(context()).count > 1; }

void KeyView::copyKey() {
    if (!document_) return;
    kbxdoc::copyKey(context(), editorState().clipboard);
}

void KeyView::cutKey() {
    if (!document_) return;
    const InstalledScale installed(keyboardData(), scale_);
    if (!kbxdoc::cutKey(context(), editorState().clipboard)) return;
    refreshCurrentKeyCopy();
    document_->recordChange(action::named(action::kCut));
}

void KeyView::pasteKey() {
    if (!document_) return;
    const InstalledScale installed(keyboardData(), scale_);
    if (!kbxdoc::pasteKey(context(), editorState().clipboard)) return;
    refreshCurrentKeyCopy();
    document_->recordChange(action::named(action::kPaste));
}

// The current-key copy follows the selected key after its content changed,
// so that the next write-back does not bring the old content back.
void KeyView::refreshCurrentKeyCopy() {
    const int slot = singleSelectedSlot();
    if (slot < 0 || slot == kbxdoc::kCurrentKeySlot) return;
    kbxdoc::KeyboardData& keyboard = document_->keyboard();
    keyboard.keys[kbxdoc::kCurrentKeySlot] = keyboard.keys[static_cast<std::size_t>(slot)];
}

void KeyView::activate() {
    editorState().activeView = this;
    editorState().currentLayer = currentLayer_;
    editorState().showLayerData = showLayerData_;
}

QRect KeyView::clientRectOfKey(int slot) const {
    const InstalledScale installed(keyboardData(), scale_);
    const kbxdoc::PixelRect rect = kbxdoc::keyPixelRect(context(), slot);
    if (rect.width == 0 || rect.height == 0) return QRect();
    const kbxdoc::KeyboardData& keyboard = document_->keyboard();
    const int frameX = static_cast<int>(scale_ * keyboard.capSurroundX + kFrameExtra) + kRepaintExtra;
    const int frameY = static_cast<int>(scale_ * keyboard.capSurroundY + kFrameExtra) + kRepaintExtra;
    return toQRect(rect).adjusted(-frameX, -frameY, frameX, frameY).translated(-scrollPosition());
}

void KeyView::repaintKey(int slot) {
    if (!document_) return;
    const QRect rect = clientRectOfKey(slot);
    if (!rect.isEmpty()) viewport()->update(rect);
}

void KeyView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    if (!document_) return;
    const InstalledScale installed(keyboardData(), scale_);
    kbxdoc::ActiveContext drawn = context();
    // While a drag resizes the selected key, its mark moves from the key to
    // the current-key copy at the size of the drag, until the release
    // writes the copy back.
    kbxdoc::SelectionFlags marked = selection_;
    const int resized = resizing_ ? singleSelectedSlot() : -1;
    if (resized >= 0) {
        marked[static_cast<std::size_t>(resized)] = 0;
        drawn.selection = &marked;
    }
    painter.save();
    painter.translate(-scrollPosition());
    legend::drawKeyboard(painter, drawn);
    if (resized >= 0) {
        legend::drawKey(painter, drawn, kbxdoc::kCurrentKeySlot);
        legend::drawSelectionMark(painter, kbxdoc::keyPixelRect(drawn, kbxdoc::kCurrentKeySlot));
    }
    painter.restore();
    if (!programmingBox_.rect.isEmpty()) view::drawProgrammingBox(painter, programmingBox_);
}

void KeyView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    recomputeScale();
    updateScrollBars();
    if (zoom_ == ZoomMode::WholeKeyboard) viewport()->update();
}

void KeyView::scrollContentsBy(int dx, int dy) {
    if (!programmingBox_.rect.isEmpty()) {
        // The box stays where the pointer is, not with the keyboard.
        programmingBox_ = view::ProgrammingBox{};
        viewport()->update();
        return;
    }
    viewport()->scroll(dx, dy);
}

bool KeyView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) hideProgrammingBox();
    return QAbstractScrollArea::viewportEvent(event);
}

void KeyView::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        event->accept();  // the release opens the pop-up menu
        return;
    }
    if (event->button() != Qt::LeftButton || !document_) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    activate();
    const QPoint client = event->position().toPoint();
    // The handle under the pointer decides what the drag does, as the
    // last move without a button would have found it.
    trackHandle(client);
    const InstalledScale installed(keyboardData(), scale_);
    kbxdoc::selectAtPoint(mouseContext(), client.x(), client.y(), event->modifiers().testFlag(Qt::ShiftModifier));
    leftHeld_ = true;
    dragHandle_ = static_cast<HandleCode>(handle_);
    emit selectionChanged();
}

void KeyView::mouseReleaseEvent(QMouseEvent* event) {
    if (!document_) return;
    if (event->button() == Qt::LeftButton) {
        finishLeftDrag();
        return;
    }
    if (event->button() == Qt::RightButton) {
        activate();
        emit contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

void KeyView::finishLeftDrag() {
    leftHeld_ = false;
    dragHandle_ = kNoHandle;
    const bool wasResizing = resizing_;
    resizing_ = false;
    const int slot = singleSelectedSlot();
    if (slot < 0) return;
    kbxdoc::KeyboardData& keyboard = document_->keyboard();
    const QRect dragged = clientRectOfKey(kbxdoc::kCurrentKeySlot);
    const bool changed = keyboard.keys[static_cast<std::size_t>(slot)] != keyboard.keys[kbxdoc::kCurrentKeySlot];
    const InstalledScale installed(keyboardData(), scale_);
    kbxdoc::writeBackCurrentKey(mouseContext());
    if (wasResizing) viewport()->update(dragged);
    if (changed) document_->recordChange(action::named(wasResizing ? action::kResizeKey : action::kMoveKey));
}

void KeyView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !document_) {
        QAbstractScrollArea::mouseDoubleClickEvent(event);
        return;
    }
    activate();
    const QPoint client = event->position().toPoint();
    const InstalledScale installed(keyboardData(), scale_);
    kbxdoc::selectAtPoint(mouseContext(), client.x(), client.y(), event->modifiers().testFlag(Qt::ShiftModifier));
    leftHeld_ = true;
    dragHandle_ = kNoHandle;
    emit selectionChanged();
    // The programming sheet is that of the selected key; a double click
    // beside every key selects none and opens nothing.
    if (kbxdoc::countSelection(context()).count > 0) emit keyProgrammingRequested();
}

void KeyView::mouseMoveEvent(QMouseEvent* event) {
    if (!document_) return;
    const QPoint client = event->position().toPoint();
    if (event->buttons().testFlag(Qt::LeftButton) && leftHeld_) {
        resizeCurrentKey(client);
    } else {
        trackHandle(client);
    }
    if (showLayerData_) showProgrammingAt(client);
}

void KeyView::trackHandle(const QPoint& clientPoint) {
    const InstalledScale installed(keyboardData(), scale_);
    const int slot = singleSelectedSlot();
    handle_ = kNoHandle;
    if (slot >= 0) {
        const QPoint point = keyboardPoint(clientPoint);
        handle_ = view::handleCodeAt(kbxdoc::keyPixelRect(context(), slot), point.x(), point.y());
    }
    viewport()->setCursor(cursorFor(handle_));
}

void KeyView::resizeCurrentKey(const QPoint& clientPoint) {
    const view::ResizedExtents extents = view::resizedExtents(dragHandle_);
    if (!extents.width && !extents.height) return;
    if (singleSelectedSlot() < 0) return;
    const InstalledScale installed(keyboardData(), scale_);
    const kbxdoc::ActiveContext drawn = context();
    kbxdoc::KeyboardData& keyboard = document_->keyboard();
    kbxdoc::KeyRecord& copy = keyboard.keys[kbxdoc::kCurrentKeySlot];
    const kbxdoc::PixelRect rect = kbxdoc::keyPixelRect(drawn, kbxdoc::kCurrentKeySlot);
    const QPoint point = keyboardPoint(clientPoint);
    double width = copy.current.width;
    double height = copy.current.height;
    if (extents.width) width = view::gridStepSize(point.x() - rect.x, scale_, keyboard.pitchX, keyboard.capWidth);
    if (extents.height) height = view::gridStepSize(point.y() - rect.y, scale_, keyboard.pitchY, keyboard.capHeight);
    if (width == copy.current.width && height == copy.current.height) return;
    const QRect before = clientRectOfKey(kbxdoc::kCurrentKeySlot);
    if (width > view::kSmallestResizedExtent) copy.current.width = width;
    if (height > view::kSmallestResizedExtent) copy.current.height = height;
    resizing_ = true;
    viewport()->update(before.united(clientRectOfKey(kbxdoc::kCurrentKeySlot)));
}

void KeyView::showProgrammingAt(const QPoint& clientPoint) {
    const InstalledScale installed(keyboardData(), scale_);
    const QPoint point = keyboardPoint(clientPoint);
    const int slot = kbxdoc::keyAtPixel(document_->keyboard(), point.x(), point.y());
    QString text;
    if (slot >= 0) {
        const kbxdoc::KeyRecord& key = document_->keyboard().keys[static_cast<std::size_t>(slot)];
        text = fromAnsi(key.layers[static_cast<std::size_t>(currentLayer_)].programming.view());
    }
    if (text.isEmpty()) {
        hideProgrammingBox();
        return;
    }
    const QRect before = programmingBox_.rect;
    programmingBox_ = view::placeProgrammingBox(clientPoint, text, viewport()->size());
    viewport()->update(before.united(programmingBox_.rect));
}

void KeyView::hideProgrammingBox() {
    if (programmingBox_.rect.isEmpty()) return;
    viewport()->update(programmingBox_.rect);
    programmingBox_ = view::ProgrammingBox{};
}

}  // namespace keyui
