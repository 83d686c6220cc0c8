// The process's notifier, which stands for the libraries' message boxes: one
// for every library of the process, reached through kbx_platform_notify.

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "platform/code_page_tables.h"
#include "platform/include/kbxplatform.h"
#include "platform/utf8.h"

namespace kbx::platform {
namespace {

constexpr std::string_view kTitleSeparator = ": ";
constexpr char kUnsafeStandIn = '?';
constexpr int kAnswerOk = 0;

// Control characters other than tab and line feed would steer the terminal
// (an escape byte in a file name, the C1 introducers among the unassigned
// Windows-1252 bytes); they are shown as a stand-in.
bool isSafeOnTerminal(char32_t character) {
    if (character == U'\t' || character == U'\n') return true;
    return character >= 0x20 && !(character >= 0x7F && character <= 0x9F);
}

void appendForTerminal(std::string& out, std::string_view ansiText) {
    for (const char c : ansiText) {
        const char32_t character = ansiToUnicode(static_cast<unsigned char>(c));
        if (isSafeOnTerminal(character)) {
            appendUtf8(out, character);
        } else {
            out += kUnsafeStandIn;
        }
    }
}

// The default notifier: writes "title: text" to standard error; its answer
// is the default button, which is OK for either set of buttons.
void showOnStandardError(std::string_view text, std::string_view title) {
    std::string line;
    if (!title.empty()) {
        appendForTerminal(line, title);
        line += kTitleSeparator;
    }
    appendForTerminal(line, text);
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
    return kbx::platform::kAnswerOk;
}

KBXPLATFORM_EXPORT void kbx_platform_set_notifier(KbxPlatformShow show, void* context) {
    kbx::platform::NotifierState& state = kbx::platform::notifierState();
    std::lock_guard lock(state.mutex);
    state.show = show;
    state.context = show != nullptr ? context : nullptr;
}

}
