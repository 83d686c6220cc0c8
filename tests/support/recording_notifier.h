#pragma once

// A notifier that records the texts of the message boxes the libraries show
// and answers OK; installed for its lifetime.

#include <string>
#include <string_view>
#include <vector>

#include "platform/notifier.h"

namespace kbx::platform::testing {

class RecordingNotifier final : public Notifier {
public:
    RecordingNotifier() { setNotifier(this); }
    ~RecordingNotifier() override { setNotifier(nullptr); }
    RecordingNotifier(const RecordingNotifier&) = delete;
    RecordingNotifier& operator=(const RecordingNotifier&) = delete;

    Answer show(std::string_view text, std::string_view, Buttons) override {
        texts.emplace_back(text);
        return Answer::ok;
    }

    std::vector<std::string> texts;
};

}  // namespace kbx::platform::testing
