#pragma once

// The state of the command bracket and the byte transport.

#include <functional>
#include <memory>
#include <string>

namespace kbx::platform {
class KeyboardChannel;
}

namespace kbxfunc {

// Opens the keyboard controller's ports for the direct byte path of the
// Windows 95 family; null when they cannot be reached.
using ControllerChannelOpener = std::function<std::unique_ptr<kbx::platform::KeyboardChannel>()>;

struct CommandState {
    bool bracketOpen = false;      // the keyboard is held for a command (NT family)
    bool interfaceChosen = false;  // once per process: automatically or by keyword
    bool busy = false;             // a byte sequence is being prepared
    ControllerChannelOpener openControllerChannel;  // empty: the default channel
    std::string channelFailureTold;  // why the default channel failed, as last told (told once)
};

}  // namespace kbxfunc
