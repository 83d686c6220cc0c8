#pragma once

// Keystroke capture of the key programming page: while armed, the next
// special key typed anywhere in the program becomes its token, handed to
// the page, and goes no further; key releases, auto-repeats and ordinary
// characters pass on to the focused control. One capture is armed at a
// time for the whole program: arming one disarms any other.

#include <functional>

#include <QObject>
#include <QString>

#include "editor/ui/dialogs/capture/capture_tokens.h"

namespace keyui::capture {

class KeystrokeCapture : public QObject {
    Q_OBJECT
public:
    using TokenSink = std::function<void(const QString& token)>;
    using ModifierSource = std::function<SimulatedModifiers()>;

    // `sink` receives each token; `modifiers` tells which simulated
    // modifiers are ticked at the moment of the keystroke.
    KeystrokeCapture(TokenSink sink, ModifierSource modifiers, QObject* parent = nullptr);
    ~KeystrokeCapture() override;

    void arm();
    void disarm();
    bool isArmed() const;

    // The capture armed in this program, or null.
    static KeystrokeCapture* armed();

signals:
    void armedChanged(bool armed);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    TokenSink sink_;
    ModifierSource modifiers_;
};

}  // namespace keyui::capture
