#pragma once

// Module input from a descriptor (the program's standard input), one command
// a line (see module_input.h), typed on the keyboard channel. At the end of
// the input the channel stops watching it; the keyboard serves on.

#include <functional>
#include <string>

#include "tools/kbxsim/modules/module_input.h"
#include "tools/kbxsim/transports/channel.h"
#include "tools/kbxsim/transports/keyboard_socket.h"

namespace kbxsim {

class CommandInput final : public Channel {
public:
    static constexpr std::size_t kLongestLine = 4096;

    // `complain` receives what was wrong with a line.
    CommandInput(int descriptor, KeyboardSocketChannel& keyboard, KeyboardLanguage language,
                 std::function<void(const std::string&)> complain);

    pollfd watch(Clock::time_point now) override;
    std::optional<Clock::time_point> wakeTime(Clock::time_point) const override { return std::nullopt; }
    void service(short events, Clock::time_point now) override;

private:
    void run(std::string_view line);

    int descriptor_;
    KeyboardSocketChannel& keyboard_;
    KeyboardLanguage language_;
    std::function<void(const std::string&)> complain_;
    std::string pending_;
    bool ended_ = false;
};

}  // namespace kbxsim
