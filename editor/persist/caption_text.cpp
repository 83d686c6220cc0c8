#include "editor/persist/caption_text.h"

namespace kbxdoc::persist {
namespace {

constexpr char kQuote = '"';
constexpr char kBackslash = '\\';

}  // namespace

std::string captionForFile(std::string_view caption) {
    std::string text;
    bool escaped = false;  // the character before is a backslash that takes the next one
    for (const char c : caption) {
        if (c == kQuote && !escaped) text += kQuote;
        text += c;
        escaped = !escaped && c == kBackslash;
    }
    if (escaped) text.pop_back();
    return text;
}

FileCaption captionFromFile(std::string_view text, std::size_t limit) {
    FileCaption caption;
    std::size_t i = 0;
    const auto take = [&caption, limit](char c) {
        if (caption.text.size() < limit) caption.text += c;
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == kBackslash && i + 1 < text.size()) {
            take(c);
            take(text[i + 1]);
            i += 2;
        } else if (c == kQuote && i + 1 < text.size() && text[i + 1] == kQuote) {
            take(kQuote);
            i += 2;
        } else if (c == kQuote) {
            caption.closed = true;
            caption.end = i + 1;
            return caption;
        } else {
            take(c);
            ++i;
        }
    }
    caption.end = text.size();
    return caption;
}

}  // namespace kbxdoc::persist
