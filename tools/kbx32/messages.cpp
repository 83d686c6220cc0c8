#include "tools/kbx32/messages.h"

namespace kbx32 {

namespace {
constexpr char kLineFormat[] = "kbx_message %d %d\n";
constexpr std::size_t kLineCapacity = 48;
}  // namespace

std::string messageLine(Message message, int value) {
    const MessageRow& row = messageRow(message);
    char line[kLineCapacity];
    std::snprintf(line, sizeof line, kLineFormat, row.kind, row.value.value_or(value));
    return line;
}

void MessageLines::send(Message message, int value) {
    const std::string line = messageLine(message, value);
    std::fputs(line.c_str(), stream_);
    std::fflush(stream_);
}

}  // namespace kbx32
