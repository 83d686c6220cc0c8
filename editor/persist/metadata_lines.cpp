#include "editor/persist/metadata_lines.h"

#include <array>

#include "editor/document/key_table.h"
#include "editor/persist/caption_text.h"
#include "editor/persist/kept_lines.h"
#include "editor/persist/key_line_parser.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/text_scanner.h"

namespace kbxdoc::persist {
namespace {

constexpr std::size_t kIdentifierLength = 3;
constexpr std::string_view kDroppedPrefix = "!@ ";

bool isUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

// Reads "%lf;%lf;%lf;%lf;%X;%X;%X;%X;%X;%X;%X" into the settings, up to the
// first value that does not parse; then the text after the line's last ";",
// when not empty, becomes the face name.
void readPrintSettings(TextScanner& scanner, std::string_view line, CaptionSettings& settings) {
    const std::array lengths{&settings.leftMargin, &settings.topMargin, &settings.lineSpacing, &settings.fontHeight};
    bool complete = true;
    for (double* length : lengths) {
        const auto value = scanner.readLength();
        if (!value || !scanner.consume(';')) {
            if (value) *length = *value;
            complete = false;
            break;
        }
        *length = *value;
    }
    struct HexField {
        std::uint32_t largest;
        void (*store)(CaptionSettings&, std::uint32_t);
    };
    constexpr std::uint32_t kWord = 0xFFFFFFFF;
    constexpr std::uint32_t kByte = 0xFF;
    constexpr std::array kHexFields{
        HexField{kWord, [](CaptionSettings& s, std::uint32_t v) { s.keyColour = v; }},
        HexField{kWord, [](CaptionSettings& s, std::uint32_t v) { s.textColour = v; }},
        HexField{kWord, [](CaptionSettings& s, std::uint32_t v) { s.font.weight = static_cast<std::int32_t>(v); }},
        HexField{kByte, [](CaptionSettings& s, std::uint32_t v) { s.font.italic = static_cast<std::uint8_t>(v); }},
        HexField{kByte, [](CaptionSettings& s, std::uint32_t v) { s.font.underline = static_cast<std::uint8_t>(v); }},
        HexField{kByte, [](CaptionSettings& s, std::uint32_t v) { s.font.strikeOut = static_cast<std::uint8_t>(v); }},
        HexField{kByte, [](CaptionSettings& s, std::uint32_t v) { s.font.charSet = static_cast<std::uint8_t>(v); }},
    };
    for (std::size_t i = 0; complete && i < kHexFields.size(); ++i) {
        const auto value = scanner.readHex();
        if (!value || *value > kHexFields[i].largest) break;
        kHexFields[i].store(settings, *value);
        if (i + 1 < kHexFields.size() && !scanner.consume(';')) break;
    }
    const std::size_t lastSeparator = line.rfind(';');
    if (lastSeparator == std::string_view::npos) return;
    const std::string_view faceName = line.substr(lastSeparator + 1);
    if (!faceName.empty()) settings.font.faceName = faceName;
}

void readLayerName(std::string_view text, ReaderState& state) {
    state.pendingLayerName = std::string(text.substr(0, kNameField - 1));
}

void storeCaption(KeyRecord& key, std::string_view text) {
    if (text.size() + 1 > key.captionSize) key.captionSize = static_cast<std::uint32_t>(text.size() + 1);
    key.caption.assign(text);
}

void readKeyPrint(ActiveContext& context, std::string_view text) {
    KeyRecord* key = keyOfIdentifier(context, text);
    if (key == nullptr) return;
    TextScanner scanner(text);
    scanner.advance(kIdentifierLength);
    scanner.skipBlanks();
    if (!scanner.consume('"')) return;
    const FileCaption caption = captionFromFile(scanner.rest(), kMaxCaptionLength);
    storeCaption(*key, caption.text);
    if (!caption.closed) return;
    scanner.advance(caption.end + 1);  // the caption and the separator after it
    readPrintSettings(scanner, text, key->captionSettings);
}

// The exact attribute word (with fields that follow the layer) of a key
// line taken just before; a word that would make the key send otherwise than
// its key line says is not taken.
void readKeyAttributes(ActiveContext& context, std::string_view text, const ReaderState& state) {
    KeyRecord* key = keyOfIdentifier(context, text);
    if (key == nullptr || context.layers == nullptr || state.currentLayer < 0 || state.currentLayer >= kLayerCount)
        return;
    TextScanner scanner(text);
    scanner.advance(kIdentifierLength);
    scanner.skipBlanks();
    const auto word = scanner.readHex();
    if (!word) return;
    LayerEntry& entry = key->layers[state.currentLayer];
    const std::uint32_t layerDefaults = (*context.layers)[state.currentLayer].defaultAttributes;
    if (!entry.programming.empty() && !attributeWordAgrees(*word, entry.attributes, layerDefaults)) return;
    entry.attributes = *word;
}

void readGlobalPrint(ActiveContext& context, std::string_view text) {
    TextScanner scanner(text);
    readPrintSettings(scanner, text, context.keyboard->captionDefaults);
}

void readKeyboardSize(ActiveContext& context, std::string_view text) {
    TextScanner scanner(text);
    const auto width = scanner.readLength();
    if (!width) return;
    context.keyboard->width = *width;
    if (!scanner.consume(';')) return;
    if (const auto height = scanner.readLength()) context.keyboard->height = *height;
}

void readKeySize(ActiveContext& context, std::string_view text) {
    KeyRecord* key = keyOfIdentifier(context, text);
    if (key == nullptr) return;
    TextScanner scanner(text);
    scanner.advance(kIdentifierLength);
    const std::array values{&key->current.left, &key->current.top, &key->current.width, &key->current.height};
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0 && !scanner.consume(';')) return;
        const auto value = scanner.readLength();
        if (!value) return;
        *values[i] = *value;
    }
}

}  // namespace

KeyRecord* keyOfIdentifier(const ActiveContext& context, std::string_view identifier) {
    if (identifier.size() < kIdentifierLength || !isUpperLetter(identifier[0]) || !isDigit(identifier[1]) ||
        !isDigit(identifier[2]))
        return nullptr;
    const int column = (identifier[1] - '0') * 10 + (identifier[2] - '0') - 1;
    const int row = identifier[0] - 'A';
    if (column < 0) return nullptr;
    return keyAt(context, column, row);
}

void readCommentLine(ActiveContext& context, std::string_view line, ReaderState& state) {
    struct Tag {
        std::string_view tag;
        void (*read)(ActiveContext&, std::string_view, ReaderState&);
    };
    static constexpr std::array kTags{
        Tag{kLayerTag, [](ActiveContext&, std::string_view t, ReaderState& s) { readLayerName(t, s); }},
        Tag{kKeyPrintTag, [](ActiveContext& c, std::string_view t, ReaderState&) { readKeyPrint(c, t); }},
        Tag{kKeyAttributesTag, [](ActiveContext& c, std::string_view t, ReaderState& s) { readKeyAttributes(c, t, s); }},
        Tag{kGlobalPrintTag, [](ActiveContext& c, std::string_view t, ReaderState&) { readGlobalPrint(c, t); }},
        Tag{kKeyboardSizeTag, [](ActiveContext& c, std::string_view t, ReaderState&) { readKeyboardSize(c, t); }},
        Tag{kKeySizeTag, [](ActiveContext& c, std::string_view t, ReaderState&) { readKeySize(c, t); }},
    };
    for (const Tag& tag : kTags) {
        if (startsWithIgnoringCase(line, tag.tag)) {
            tag.read(context, line.substr(tag.tag.size()), state);
            return;
        }
    }
    if (line.substr(0, kDroppedPrefix.size()) == kDroppedPrefix) return;
    keepLine(*context.keyboard, line);
}

}  // namespace kbxdoc::persist
