#include "editor/persist/programming_part.h"

#include <algorithm>

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
// form) or as the compiler collects them (a backslash before a quote dropped).
enum class Reading { raw, collected };

struct PartText {
    std::string text;
    bool numberedCharacters = false;  // any "#n" item
};

// The characters of a quoted run up to the next quote or backslash, taken
// in one piece: found with two searches for one character.
std::size_t plainRun(std::string_view part) {
    const std::size_t quote = std::min(part.find(kQuote), part.size());
    return std::min(part.substr(0, quote).find(kBackslash), quote);
}

// A quoted run of a normalised part, the part standing behind its opening
// quote; the compiler runs an unclosed one to the end of the line.
void readQuoted(std::string_view& part, std::string& text, Reading reading) {
    while (!part.empty()) {
        const std::size_t plain = plainRun(part);
        text.append(part.data(), plain);
        part.remove_prefix(plain);
        if (part.empty()) return;
        const char c = part.front();
        part.remove_prefix(1);
        if (c == kQuote) return;
        if (part.empty()) {  // a backslash at the end of the line stands alone
            text += kBackslash;
            return;
        }
        if (reading == Reading::raw || part.front() != kQuote) text += kBackslash;
        text += part.front();
        part.remove_prefix(1);
    }
}

std::optional<PartText> readItems(std::string_view part, bool hexadecimalBase, Reading reading) {
    PartText read;
    read.text.reserve(part.size());
    bool anyItem = false;
    while (true) {
        while (!part.empty() && kItemSeparators.find(part.front()) != std::string_view::npos) part.remove_prefix(1);
        if (part.empty()) break;
        const char item = part.front();
        part.remove_prefix(1);
        anyItem = true;
        if (item == kQuote) {
            readQuoted(part, read.text, reading);
        } else if (item == kCharacterItem) {
            read.numberedCharacters = true;
            const SourceNumber number = readSourceNumber(part, hexadecimalBase);
            if (number.faulty) return std::nullopt;
            if (!number.value) continue;
            const char c = static_cast<char>(*number.value & 0xFF);
            if (c == '\0') return std::nullopt;
            read.text += c;
        } else {
            return std::nullopt;  // a raw byte, or an item the compiler rejects
        }
    }
    if (!anyItem || read.text.empty()) return std::nullopt;
    return read;
}

std::optional<std::string> textOf(std::optional<PartText> read) {
    if (!read) return std::nullopt;
    return std::move(read->text);
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
    std::optional<PartText> raw = readItems(part, hexadecimalBase, Reading::raw);
    if (!raw) return std::nullopt;
    // "#92" before a quoted quote reads as "\\\"", which is written back as
    // a backslash pair and a quote: such a text is not the document's. Quoted
    // runs alone always come back as they were read: the writer quotes a
    // backslash pair as a pair and numbers only a control character, a
    // backslash before one and a backslash at the end, which collect the same.
    if (raw->numberedCharacters &&
        textOf(readItems(programmingPart(raw->text), false, Reading::collected)) !=
            textOf(readItems(part, hexadecimalBase, Reading::collected)))
        return std::nullopt;
    return std::move(raw->text);
}

std::optional<std::string> collectedText(std::string_view part, bool hexadecimalBase) {
    return textOf(readItems(part, hexadecimalBase, Reading::collected));
}

}  // namespace kbxdoc::persist
