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

// How the items of a part are read: the quoted runs raw (the document's
// form) or as the compiler collects them.
enum class Reading { raw, collected };

// A quoted run of a normalised part, the part standing behind its opening
// quote; the compiler runs an unclosed one to the end of the line.
void readQuoted(std::string_view& part, std::string& text, Reading reading) {
    while (!part.empty()) {
        const char c = part.front();
        part.remove_prefix(1);
        if (c == kQuote) return;
        if (c == kBackslash && !part.empty()) {
            if (reading == Reading::raw || part.front() != kQuote) text += kBackslash;
            text += part.front();
            part.remove_prefix(1);
            continue;
        }
        text += c;
    }
}

std::optional<std::string> readItems(std::string_view part, bool hexadecimalBase, Reading reading) {
    std::string text;
    bool anyItem = false;
    while (true) {
        while (!part.empty() && kItemSeparators.find(part.front()) != std::string_view::npos) part.remove_prefix(1);
        if (part.empty()) break;
        const char item = part.front();
        part.remove_prefix(1);
        anyItem = true;
        if (item == kQuote) {
            readQuoted(part, text, reading);
        } else if (item == kCharacterItem) {
            const SourceNumber number = readSourceNumber(part, hexadecimalBase);
            if (number.faulty) return std::nullopt;
            if (!number.value) continue;
            const char c = static_cast<char>(*number.value & 0xFF);
            if (c == '\0') return std::nullopt;
            text += c;
        } else {
            return std::nullopt;  // a raw byte, or an item the compiler rejects
        }
    }
    if (!anyItem || text.empty()) return std::nullopt;
    return text;
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
    auto text = readItems(part, hexadecimalBase, Reading::raw);
    if (!text) return std::nullopt;
    // "#92" before a quoted quote reads as "\\\"", which is written back as
    // a backslash pair and a quote: such a text is not the document's.
    if (readItems(programmingPart(*text), false, Reading::collected) !=
        readItems(part, hexadecimalBase, Reading::collected))
        return std::nullopt;
    return text;
}

std::optional<std::string> collectedText(std::string_view part, bool hexadecimalBase) {
    return readItems(part, hexadecimalBase, Reading::collected);
}

}  // namespace kbxdoc::persist
