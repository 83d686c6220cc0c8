#include "compiler/programming_reader.h"

#include <string>
#include <utility>

#include "compiler/diagnostics.h"
#include "compiler/line_cursor.h"

namespace kbxc {
namespace {

constexpr char kUnknownItem[] = "unknown sign. '\"#%' expected";
constexpr char kAsciiFailed[] = "string conversion (ASCII)";
constexpr char kScancodeFailed[] = "string conversion (scancode)";
constexpr char kMixedConversion[] = "string conversion (ASCII and scancode mixed)";

class ProgrammingBuilder {
public:
    ProgrammingBuilder(DefinitionBytes& definition, const ConversionSettings& settings,
                       Diagnostics& diagnostics)
        : definition_(definition),
          settings_(settings),
          diagnostics_(diagnostics),
          lineChoosesCharacters_((definition.attributes & kAttributeCharacters) != 0) {}

    // False when the text is full: the character is not taken.
    bool collect(char c) {
        if (collected_.size() >= kMaxCollectedText) return false;
        collected_.push_back(c);
        return true;
    }

    // Converts what was collected and appends it to the result.
    void flush() {
        if (collected_.empty()) return;
        // Under the global ASCII flag each text goes out as characters when
        // it can and as keystrokes when it cannot, unless the line itself
        // chose character output.
        if (!lineChoosesCharacters_) {
            definition_.attributes = std::uint8_t(definition_.attributes & ~kAttributeCharacters);
        }
        Conversion conversion = convertText(collected_, definition_, result_.empty(), settings_);
        collected_.clear();
        noteKind(conversion);
        if (conversion.failure == ConversionFailure::ascii) diagnostics_.reportLineError(kAsciiFailed);
        if (conversion.failure == ConversionFailure::scancode) diagnostics_.reportLineError(kScancodeFailed);
        // A cut conversion has lost its last bytes, the releases of its
        // modifiers among them: it must not pass as a complete definition.
        if (conversion.truncated) {
            diagnostics_.reportLineError(kStringTooLong);
            return;
        }
        append(std::move(conversion.bytes));
    }

    void appendRawByte(std::uint8_t byte) {
        // A zero byte would end the definition's string in the image.
        if (byte == 0) return;
        append(ProgrammingBytes{byte});
    }

    ProgrammingBytes take() { return std::move(result_); }

private:
    // One definition is either character codes or scan codes; texts of
    // both kinds in one line would give the keyboard a mixture it reads as
    // one of them. A text that gives no bytes is of neither kind.
    void noteKind(const Conversion& conversion) {
        if (conversion.bytes.empty()) return;
        (conversion.characters ? hasCharacters_ : hasScanCodes_) = true;
        if (hasCharacters_ && hasScanCodes_ && !mixReported_) {
            diagnostics_.reportLineError(kMixedConversion);
            mixReported_ = true;
        }
    }

    void append(ProgrammingBytes&& bytes) {
        if (bytes.empty()) return;
        if (result_.size() + bytes.size() > kMaxProgrammingBytes) {
            diagnostics_.reportLineError(kStringTooLong);
            return;
        }
        if (result_.empty()) {
            result_ = std::move(bytes);
        } else {
            result_.insert(result_.end(), bytes.begin(), bytes.end());
        }
    }

    DefinitionBytes& definition_;
    const ConversionSettings& settings_;
    Diagnostics& diagnostics_;
    const bool lineChoosesCharacters_;
    bool hasCharacters_ = false;
    bool hasScanCodes_ = false;
    bool mixReported_ = false;
    std::string collected_;
    ProgrammingBytes result_;
};

// Collects a quoted text; the cursor stands on its opening quote. False when
// the text does not fit.
bool collectQuoted(LineCursor& cursor, ProgrammingBuilder& builder) {
    cursor.advance();
    while (!cursor.atEnd()) {
        const char c = cursor.peek();
        if (c == '"') {
            cursor.advance();
            return true;
        }
        if (c == '\\' && cursor.peek(1) == '"') {
            if (!builder.collect('"')) return false;
            cursor.advance(2);
            continue;
        }
        if (c == '\\' && cursor.position() + 1 < cursor.text().size()) {
            if (!builder.collect('\\')) return false;
            if (!builder.collect(cursor.peek(1))) return false;
            cursor.advance(2);
            continue;
        }
        if (!builder.collect(c)) return false;
        cursor.advance();
    }
    return true;
}

}  // namespace

ProgrammingBytes readProgramming(LineCursor& cursor, DefinitionBytes& definition, bool hexadecimalBase,
                                 const ConversionSettings& settings, Diagnostics& diagnostics) {
    ProgrammingBuilder builder(definition, settings, diagnostics);
    while (true) {
        while (cursor.peek() == ' ' || cursor.peek() == ',' || cursor.peek() == ':') cursor.advance();
        if (cursor.atEnd()) break;
        const char item = cursor.peek();
        if (item == '"') {
            if (!collectQuoted(cursor, builder)) {
                diagnostics.reportLineError(kUnknownItem);
                break;
            }
        } else if (item == '#') {
            cursor.advance();
            const long long code = readNumber(cursor, hexadecimalBase, diagnostics);
            if (code != kNoNumber && !builder.collect(char(code & 0xFF))) {
                diagnostics.reportLineError(kUnknownItem);
                break;
            }
        } else if (item == '%') {
            cursor.advance();
            builder.flush();
            const long long code = readNumber(cursor, hexadecimalBase, diagnostics);
            if (code != kNoNumber) builder.appendRawByte(std::uint8_t(code & 0xFF));
        } else {
            diagnostics.reportLineError(kUnknownItem);
            break;
        }
    }
    builder.flush();
    return builder.take();
}

}  // namespace kbxc
