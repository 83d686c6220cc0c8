#pragma once

// Message boxes of the libraries. By default the text goes to standard error
// and the default button answers; the editor installs one that shows a real
// box, tests install a scripted one. One notifier serves the process: these
// functions reach the one of libkbxplatform.so (kbx_platform_notify).

#include <string_view>

namespace kbx::platform {

enum class Buttons { ok, okCancel };
enum class Answer { ok, cancel };

class Notifier {
public:
    virtual ~Notifier() = default;
    virtual Answer show(std::string_view text, std::string_view title, Buttons buttons) = 0;
};

// Shows a message through the installed notifier. The text and title are
// single-byte Windows-1252 texts, as the libraries write them.
Answer notify(std::string_view text, std::string_view title, Buttons buttons);

// Installs a notifier (not owned); null puts the default one back.
void setNotifier(Notifier* notifier);

}  // namespace kbx::platform
