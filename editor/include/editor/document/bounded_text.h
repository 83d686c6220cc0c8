#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kbxdoc {

// A single-byte text that never holds more than `Capacity - 1` characters,
// as the fixed character fields of the layout document do (the last byte of
// such a field is its terminator). Assigning a longer text cuts it.
template <std::size_t Capacity>
class BoundedText {
public:
    static constexpr std::size_t kMaxLength = Capacity - 1;

    BoundedText() = default;
    BoundedText(std::string_view text) { assign(text); }  // NOLINT: texts convert implicitly

    void assign(std::string_view text) { text_.assign(text.substr(0, kMaxLength)); }
    BoundedText& operator=(std::string_view text) {
        assign(text);
        return *this;
    }
    // Appends as much of `text` as fits; false when something was cut.
    bool append(std::string_view text) {
        const std::size_t room = kMaxLength - text_.size();
        text_.append(text.substr(0, room));
        return text.size() <= room;
    }
    void clear() { text_.clear(); }

    const std::string& str() const { return text_; }
    std::string_view view() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    operator std::string_view() const { return text_; }  // NOLINT

    friend bool operator==(const BoundedText& a, const BoundedText& b) { return a.text_ == b.text_; }
    friend bool operator==(const BoundedText& a, std::string_view b) { return a.text_ == b; }

private:
    std::string text_;
};

}  // namespace kbxdoc
