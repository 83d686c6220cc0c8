#include "editor/ui/dialogs/programming/capture_target.h"

#include "editor/ui/dialogs/programming/programming_page.h"

namespace keyui::dialogs {

CaptureTarget::CaptureTarget(QObject* parent)
    : QObject(parent),
      capture_([this](const QString& token) { deliver(token); }, [this] { return modifiers(); }) {
    connect(&capture_, &capture::KeystrokeCapture::armedChanged, this, &CaptureTarget::showArmed);
}

CaptureTarget::~CaptureTarget() {
    // Disarm while the target page still exists, so it shows capture off.
    capture_.disarm();
    target_ = nullptr;
}

void CaptureTarget::setTarget(ProgrammingPage* page) {
    // While armed, the page left behind shows capture off: only the target
    // shows it on.
    if (target_ != nullptr && target_ != page && capture_.isArmed()) target_->showCaptureArmed(false);
    target_ = page;
}

void CaptureTarget::forget(ProgrammingPage* page) {
    if (target_ == page) target_ = nullptr;
}

void CaptureTarget::toggle() {
    if (capture_.isArmed())
        disarm();
    else
        arm();
}

void CaptureTarget::arm() {
    if (target_ == nullptr) return;
    capture_.arm();
}

void CaptureTarget::disarm() { capture_.disarm(); }

void CaptureTarget::deliver(const QString& token) {
    if (target_ != nullptr) target_->replaceProgramming(token);
}

capture::SimulatedModifiers CaptureTarget::modifiers() const {
    return target_ != nullptr ? target_->simulatedModifiers() : capture::SimulatedModifiers{};
}

void CaptureTarget::showArmed(bool armed) {
    if (target_ != nullptr) target_->showCaptureArmed(armed);
}

}  // namespace keyui::dialogs
