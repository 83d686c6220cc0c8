#include "editor/persist/programming_part.h"

#include "editor/persist/line_format.h"
#include "editor/persist/source_line.h"
#include "editor/persist/text_scanner.h"

namespace kbxdoc::persist {
namespace {

constexpr char kQuote = '"';
constexpr char kBackslash = '\\';
constexpr char kCharacterItem = '#';
constexpr std::string_view kItemSeparators = ",: ";

class PartWriter {
public:
    void quoted(char c) {
        if (!inQuotes_) {
            separate();
            part_ += kQuote;
            inQuotes_ = true;
        }
        part_ += c;
    }
    void characterNumber(char c) {
        closeQuotes();
        separate();
        part_ += formatLine("%c%u", kCharacterItem, static_cast<unsigned>(static_cast<unsigned char>(c)));
    }
    std::string finish() && {
        closeQuotes();
        return std::move(part_);
    }

private:
    void separate() {
        if (!part_.empty()) part_ += ' ';
    }
    void closeQuotes() {
        if (inQuotes_) part_ += kQuote;
        inQuotes_ = false;
    }
    std::string part_;
    bool inQuotes_ = false;
};

// The items of a part read both ways at once: the quoted runs raw (the
// document's form) and as the compiler collects them (a backslash before a
// quote dropped).
struct PartItems {
    std::string raw;
    std::string collected;
    bool numberedCharacters = false;  // any "#n" item
};

// A quoted run of a normalised part, the part standing behind its opening
// quote; the compiler runs an unclosed one to the end of the line.
void readQuoted(std::string_view& part, PartItems& items) {
    while (!part.empty()) {
        const char c = part.front();
        part.remove_prefix(1);
        if (c == kQuote) return;
        if (c == kBackslash && !part.empty()) {
            const char next = part.front();
            part.remove_prefix(1);
            items.raw += kBackslash;
            items.raw += next;
            if (next != kQuote) items.collected += kBackslash;
            items.collected += next;
            continue;
        }
        items.raw += c;
        items.collected += c;
    }
}

std::optional<PartItems> readItems(std::string_view part, bool hexadecimalBase) {
    PartItems items;
    items.raw.reserve(part.size());
    items.collected.reserve(part.size());
    bool anyItem = false;
    while (true) {
        while (!part.empty() && kItemSeparators.find(part.front()) != std::string_view::npos) part.remove_prefix(1);
        if (part.empty()) break;
        const char item = part.front();
        part.remove_prefix(1);
        anyItem = true;
        if (item == kQuote) {
            readQuoted(part, items);
        } else if (item == kCharacterItem) {
            items.numberedCharacters = true;
            const SourceNumber number = readSourceNumber(part, hexadecimalBase);
            if (number.faulty) return std::nullopt;
            if (!number.value) continue;
            const char c = static_cast<char>(*number.value & 0xFF);
            if (c == '\0') return std::nullopt;
            items.raw += c;
            items.collected += c;
        } else {
            return std::nullopt;  // a raw byte, or an item the compiler rejects
        }
    }
    if (!anyItem || items.raw.empty()) return std::nullopt;
    return items;
}

}  // namespace

std::string programmingPart(std::string_view text) {
    PartWriter writer;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        if (c == kBackslash && next != '\0' && !isControl(next)) {
            writer.quoted(c);
            writer.quoted(next);
            ++i;
        } else if (c == kBackslash || c == kQuote || isControl(c)) {
            writer.characterNumber(c);
        } else {
            writer.quoted(c);
        }
    }
    return std::move(writer).finish();
}

std::optional<std::string> programmingTextOf(std::string_view part, bool hexadecimalBase) {
    std::optional<PartItems> items = readItems(part, hexadecimalBase);
    if (!items) return std::nullopt;
    // "#92" before a quoted quote reads as "\\\"", which is written back as
    // a backslash pair and a quote: such a text is not the document's. Quoted
    // runs alone always come back as they were read: the writer quotes a
    // backslash pair as a pair and numbers only a control character, a
    // backslash before one and a backslash at the end, which collect the same.
    if (items->numberedCharacters) {
        const std::optional<PartItems> written = readItems(programmingPart(items->raw), false);
        if (!written || written->collected != items->collected) return std::nullopt;
    }
    return std::move(items->raw);
}

std::optional<std::string> collectedText(std::string_view part, bool hexadecimalBase) {
    std::optional<PartItems> items = readItems(part, hexadecimalBase);
    if (!items) return std::nullopt;
    return std::move(items->collected);
}

}  // namespace kbxdoc::persist
