#include "iface/protocol/command.h"

#include <span>

#include "kbxi32.h"
#include "iface/protocol/link.h"

namespace kbxi {
namespace {

constexpr char kFramedFailed[] = "Err(0x%02x) at Pos. %d!";
constexpr char kRawFailed[] = "Err(0x%02x)(AT0) at Pos. %d!";
constexpr char kInvalidCommand[] = "invalid command (no buffer, or a length outside 0-257)";
constexpr char kNotBound[] = "Command not sent (no KBXFUNC.DLL)";

// The reply fills the buffer but for its terminating NUL.
constexpr std::size_t kReplyLimit = KBXI_COMMAND_CAPACITY - 1;

}  // namespace

int sendCommand(Link& link, int* length, unsigned char* buffer, bool raw, MessageBuffer& message) {
    if (length == nullptr || buffer == nullptr || *length < 0 || *length > KBXI_COMMAND_CAPACITY) {
        message.set(kInvalidCommand);
        return command_code::kInvalid;
    }
    if (link.bindReplies() != 0) {
        message.set(kNotBound);
        return command_code::kUnbound;
    }
    for (int position = 0; position < *length; ++position) {
        const std::uint8_t byte = buffer[position];
        const int result = raw ? link.sendRaw(byte) : link.sendFramed(byte);
        if (result != 0) {
            message.format(raw ? kRawFailed : kFramedFailed, unsigned(result), position);
            link.releaseReplies();
            return result;
        }
    }
    *length = 0;
    if (link.serial()) {
        const int received = link.readPort(std::span(buffer, kReplyLimit));
        const int count = received > 0 ? received : 0;
        *length = count;
        buffer[count] = '\0';
    } else {
        buffer[0] = '\0';
    }
    link.releaseReplies();
    return 0;
}

}  // namespace kbxi
