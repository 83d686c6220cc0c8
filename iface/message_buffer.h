#pragma once

#include <cstddef>
#include <string_view>

namespace kbxi {

// The caller's message buffer of the current call: it brings the interface
// string in and takes the call's message out. Every write is cut to the
// buffer's capacity (the terminating NUL included); a null buffer takes
// nothing, as calls without a buffer discard their messages.
class MessageBuffer {
public:
    MessageBuffer() = default;
    MessageBuffer(char* data, std::size_t capacity) : data_(data), capacity_(data ? capacity : 0) {}

    bool present() const { return capacity_ > 0; }
    // The current text (up to the first NUL within the capacity).
    std::string_view text() const;
    char* data() { return data_; }
    std::size_t capacity() const { return capacity_; }

    void clear();                            // first character NUL
    void set(std::string_view text);         // replaces the content
    void append(std::string_view text);      // adds to the content
    // Replaces the content with a formatted text (snprintf rules).
    void format(const char* format, ...) __attribute__((format(printf, 2, 3)));

private:
    char* data_ = nullptr;
    std::size_t capacity_ = 0;
};

}  // namespace kbxi
