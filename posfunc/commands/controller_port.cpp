#include "posfunc/commands/controller_port.h"

#include <optional>

#include "platform/keyboard_channel.h"

namespace kbxfunc {
namespace {

constexpr std::uint16_t kDataPort = 0x60;
constexpr std::uint16_t kStatusPort = 0x64;
constexpr std::uint8_t kWriteCommandByte = 0x60;
constexpr std::uint8_t kInputFull = 0x02;   // status bit 1: the controller has not taken the last write
constexpr std::uint8_t kOutputFull = 0x01;  // status bit 0: a byte waits in the data port
constexpr std::uint8_t kKeepReading = 0x60; // status bits 5 and 6 both set: read on
constexpr std::uint8_t kCommandByteWhileSending = 0x00;
constexpr std::uint8_t kCommandByteAfterwards = 0x41;
constexpr std::uint8_t kAcknowledge = 0xFA;
// A controller that never takes a write is given up after this many polls.
constexpr int kInputPolls = 0x2FFF;

class Controller {
public:
    explicit Controller(kbx::platform::KeyboardChannel& ports) : ports_(ports) {}

    // Writes once the controller has taken the previous write; false when it
    // never does or the ports broke.
    bool write(std::uint16_t port, std::uint8_t value) {
        for (int poll = 0; poll < kInputPolls; ++poll) {
            const std::optional<std::uint8_t> status = ports_.readPort(kStatusPort);
            if (!status) return false;
            if ((*status & kInputFull) == 0) return ports_.writePort(port, value);
        }
        return false;
    }

    bool setCommandByte(std::uint8_t value) {
        return write(kStatusPort, kWriteCommandByte) && write(kDataPort, value);
    }

    // The last byte the keyboard answered with, if any.
    std::optional<std::uint8_t> readAnswer() {
        std::optional<std::uint8_t> last;
        for (int poll = 0; poll < kAnswerPolls; ++poll) {
            const std::optional<std::uint8_t> status = ports_.readPort(kStatusPort);
            if (!status) break;
            if ((*status & kOutputFull) == 0) continue;
            last = ports_.readPort(kDataPort);
            if (!last || (*status & kKeepReading) != kKeepReading) break;
        }
        return last;
    }

private:
    kbx::platform::KeyboardChannel& ports_;
};

}  // namespace

int sendThroughController(kbx::platform::KeyboardChannel& ports, std::uint8_t byte) {
    Controller controller(ports);
    std::optional<std::uint8_t> answer;
    if (controller.setCommandByte(kCommandByteWhileSending) && controller.write(kDataPort, byte)) {
        answer = controller.readAnswer();
    }
    controller.setCommandByte(kCommandByteAfterwards);
    return answer == kAcknowledge ? 0 : 1;
}

// The ports as the keyboard channel offers them (KBX_KEYBOARD); a machine
// without one has none.
std::unique_ptr<kbx::platform::KeyboardChannel> openDefaultControllerChannel() {
    return kbx::platform::openKeyboardChannel();
}

}  // namespace kbxfunc
