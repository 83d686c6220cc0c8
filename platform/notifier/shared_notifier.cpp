// The process's notifier, which stands for the libraries' message boxes: one
// for every library of the process, reached through kbx_platform_notify.

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "kbxplatform.h"
#include "platform/terminal_text.h"

namespace kbx::platform {
namespace {

constexpr std::string_view kTitleSeparator = ": ";

// The default notifier: writes "title: text" to standard error; its answer
// is the default button, which is OK for either set of buttons.
void showOnStandardError(std::string_view text, std::string_view title) {
    std::string line;
    if (!title.empty()) {
        line += terminalText(title);
        line += kTitleSeparator;
    }
    line += terminalText(text);
    if (line.empty() || line.back() != '\n') line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

// The notifier in use, process-wide like the message boxes it stands for.
struct NotifierState {
    std::mutex mutex;
    KbxPlatformShow show = nullptr;
    void* context = nullptr;
};

NotifierState& notifierState() {
    static NotifierState state;
    return state;
}

}  // namespace
}  // namespace kbx::platform

extern "C" {

KBXPLATFORM_EXPORT int kbx_platform_notify(const char* text, std::size_t text_length, const char* title,
                                           std::size_t title_length, int buttons) {
    kbx::platform::NotifierState& state = kbx::platform::notifierState();
    KbxPlatformShow show = nullptr;
    void* context = nullptr;
    {
        std::lock_guard lock(state.mutex);
        show = state.show;
        context = state.context;
    }
    if (show != nullptr) return show(context, text, text_length, title, title_length, buttons);
    kbx::platform::showOnStandardError(std::string_view(text, text_length), std::string_view(title, title_length));
    return KBX_PLATFORM_ANSWER_OK;
}

KBXPLATFORM_EXPORT void kbx_platform_set_notifier(KbxPlatformShow show, void* context) {
    kbx::platform::NotifierState& state = kbx::platform::notifierState();
    std::lock_guard lock(state.mutex);
    state.show = show;
    state.context = show != nullptr ? context : nullptr;
}

}
