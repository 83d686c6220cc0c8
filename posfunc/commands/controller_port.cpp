#include "posfunc/commands/controller_port.h"

#include <optional>

#include "format/keyboard_protocol.h"
#include "platform/keyboard_controller.h"

namespace kbxfunc {
namespace {

using kbx::platform::kControllerDataPort;
using kbx::platform::kExchangeCommandByte;
using kbx::platform::kNormalCommandByte;
using kbx::platform::kStatusExamineBits;
using kbx::platform::kStatusOutputFull;

// A controller that never takes a write is given up after this many polls.
constexpr unsigned kInputPolls = 0x2FFF;

// The last byte the keyboard answered with, if any: read while status bits
// 5 and 6 are both set.
std::optional<std::uint8_t> readAnswer(kbx::platform::KeyboardController& controller) {
    std::optional<std::uint8_t> last;
    for (int poll = 0; poll < kAnswerPolls; ++poll) {
        const std::optional<std::uint8_t> status = controller.status();
        if (!status) break;
        if ((*status & kStatusOutputFull) == 0) continue;
        last = controller.read(kControllerDataPort);
        if (!last || (*status & kStatusExamineBits) != kStatusExamineBits) break;
    }
    return last;
}

}  // namespace

int sendThroughController(kbx::platform::KeyboardChannel& ports, std::uint8_t byte) {
    kbx::platform::KeyboardController controller(ports, kInputPolls);
    std::optional<std::uint8_t> answer;
    if (controller.writeCommandByte(kExchangeCommandByte) && controller.writeWhenReady(kControllerDataPort, byte)) {
        answer = readAnswer(controller);
    }
    controller.writeCommandByte(kNormalCommandByte);
    return answer == kbx::protocol::kAcknowledge ? 0 : 1;
}

// The ports as the keyboard channel offers them (KBX_KEYBOARD); a machine
// without one has none.
std::unique_ptr<kbx::platform::KeyboardChannel> openDefaultControllerChannel(std::string& why) {
    return kbx::platform::openKeyboardChannel(why);
}

}  // namespace kbxfunc
