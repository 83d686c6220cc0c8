#include "platform/notifier.h"

#include <atomic>
#include <cstdio>
#include <string>

#include "platform/code_page_tables.h"
#include "platform/utf8.h"

namespace kbx::platform {

namespace {

constexpr std::string_view kTitleSeparator = ": ";
constexpr char kUnsafeStandIn = '?';

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

// Writes "title: text" to standard error and answers with the default button,
// which is OK for either set of buttons.
class StandardErrorNotifier final : public Notifier {
public:
    Answer show(std::string_view text, std::string_view title, Buttons /*buttons*/) override {
        std::string line;
        if (!title.empty()) {
            appendForTerminal(line, title);
            line += kTitleSeparator;
        }
        appendForTerminal(line, text);
        if (line.empty() || line.back() != '\n') line += '\n';
        std::fwrite(line.data(), 1, line.size(), stderr);
        std::fflush(stderr);
        return Answer::ok;
    }
};

// The notifier in use, process-wide like the message boxes it stands for.
struct NotifierState {
    StandardErrorNotifier standard;
    std::atomic<Notifier*> installed{nullptr};
};

NotifierState& notifierState() {
    static NotifierState state;
    return state;
}

}  // namespace

Answer notify(std::string_view text, std::string_view title, Buttons buttons) {
    NotifierState& state = notifierState();
    Notifier* notifier = state.installed.load();
    if (notifier == nullptr) notifier = &state.standard;
    return notifier->show(text, title, buttons);
}

void setNotifier(Notifier* notifier) { notifierState().installed.store(notifier); }

}  // namespace kbx::platform
