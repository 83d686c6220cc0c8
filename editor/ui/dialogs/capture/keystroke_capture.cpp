#include "editor/ui/dialogs/capture/keystroke_capture.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "editor/ui/core/editor_state.h"
#include "editor/ui/dialogs/capture/qt_virtual_keys.h"

namespace keyui::capture {

namespace {

// The token of a key event, or empty when the event passes on.
QString tokenOf(const QKeyEvent& event, SimulatedModifiers modifiers) {
    if (event.isAutoRepeat()) return {};
    const VirtualKey key = virtualKeyOf(event);
    return QString::fromStdString(captureToken(key.number, key.extended, modifiers));
}

}  // namespace

KeystrokeCapture::KeystrokeCapture(TokenSink sink, ModifierSource modifiers, QObject* parent)
    : QObject(parent), sink_(std::move(sink)), modifiers_(std::move(modifiers)) {}

KeystrokeCapture::~KeystrokeCapture() { disarm(); }

KeystrokeCapture* KeystrokeCapture::armed() { return static_cast<KeystrokeCapture*>(editorState().armedCapture); }

bool KeystrokeCapture::isArmed() const { return editorState().armedCapture == this; }

void KeystrokeCapture::arm() {
    if (isArmed() || QCoreApplication::instance() == nullptr) return;
    if (KeystrokeCapture* other = armed()) other->disarm();
    QCoreApplication::instance()->installEventFilter(this);
    editorState().armedCapture = this;
    emit armedChanged(true);
}

void KeystrokeCapture::disarm() {
    if (!isArmed()) return;
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeEventFilter(this);
    editorState().armedCapture = nullptr;
    emit armedChanged(false);
}

bool KeystrokeCapture::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const auto& key = static_cast<const QKeyEvent&>(*event);
    const QString token = tokenOf(key, modifiers_ ? modifiers_() : SimulatedModifiers{});
    if (token.isEmpty()) return QObject::eventFilter(watched, event);
    if (type == QEvent::ShortcutOverride) {
        // Keep an accelerator such as F3 from taking the key: the key press
        // then comes here.
        event->accept();
        return true;
    }
    if (sink_) sink_(token);
    return true;
}

}  // namespace keyui::capture
