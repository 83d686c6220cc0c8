#include "iface/message_buffer.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace kbxi {

std::string_view MessageBuffer::text() const {
    if (!present()) return {};
    const void* end = std::memchr(data_, '\0', capacity_);
    return {data_, end ? std::size_t(static_cast<const char*>(end) - data_) : capacity_};
}

void MessageBuffer::clear() {
    if (present()) data_[0] = '\0';
}

void MessageBuffer::set(std::string_view text) {
    clear();
    append(text);
}

void MessageBuffer::append(std::string_view text) {
    if (!present()) return;
    std::size_t length = this->text().size();
    if (length >= capacity_) length = capacity_ - 1;  // a full buffer without NUL is cut
    const std::size_t room = capacity_ - 1 - length;
    const std::size_t taken = text.size() < room ? text.size() : room;
    std::memcpy(data_ + length, text.data(), taken);
    data_[length + taken] = '\0';
}

void MessageBuffer::format(const char* format, ...) {
    if (!present()) return;
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(data_, capacity_, format, arguments);
    va_end(arguments);
}

}  // namespace kbxi
