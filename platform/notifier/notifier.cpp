#include "platform/notifier.h"

#include "kbxplatform.h"

namespace kbx::platform {
namespace {

int buttonsCode(Buttons buttons) { return buttons == Buttons::okCancel ? KBX_PLATFORM_BUTTONS_OK_CANCEL : KBX_PLATFORM_BUTTONS_OK; }

// The process's notifier calls an installed Notifier through this.
int showThrough(void* context, const char* text, std::size_t textLength, const char* title,
                std::size_t titleLength, int buttons) {
    const Answer answer = static_cast<Notifier*>(context)->show(
        std::string_view(text, textLength), std::string_view(title, titleLength),
        buttons == KBX_PLATFORM_BUTTONS_OK_CANCEL ? Buttons::okCancel : Buttons::ok);
    return answer == Answer::cancel ? KBX_PLATFORM_ANSWER_CANCEL : KBX_PLATFORM_ANSWER_OK;
}

}  // namespace

Answer notify(std::string_view text, std::string_view title, Buttons buttons) {
    const int answer = kbx_platform_notify(text.data(), text.size(), title.data(), title.size(), buttonsCode(buttons));
    return answer == KBX_PLATFORM_ANSWER_CANCEL ? Answer::cancel : Answer::ok;
}

void setNotifier(Notifier* notifier) {
    kbx_platform_set_notifier(notifier != nullptr ? showThrough : nullptr, notifier);
}

}  // namespace kbx::platform
