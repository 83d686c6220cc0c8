#include "editor/persist/key_line_parser.h"

#include <array>
#include <string>

#include "editor/document/key_table.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/metadata_lines.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

constexpr std::size_t kKeyNameLength = 3;
constexpr std::uint32_t kConditionBits = 0xFFFF;
// The upper bit of the function-key layer field: a line without an L
// condition finds a layer that requires the layer key off, and the other way round.
constexpr std::uint32_t kUnmatchedConditionBit = 0x2000;

std::uint32_t withField(std::uint32_t word, int field, unsigned value) {
    return (word & ~(3u << field)) | (value << field);
}

KeyRecord* keyOfLine(const ActiveContext& context, std::string_view line) {
    if (const auto slot = pseudoKeySlot(line)) return keyBySlot(context, *slot);
    return keyOfIdentifier(context, line);
}

struct LayerNameLetter {
    int field;
    char letter;
};
// The name of a layer made for a key line without a pending layer name:
// one letter per field, upper case for on, lower case for off, 'x' for any.
constexpr std::array kLayerNameLetters{
    LayerNameLetter{kConditionShift, 'S'},    LayerNameLetter{kConditionControl, 'C'},
    LayerNameLetter{kConditionAlt, 'A'},      LayerNameLetter{kConditionCapsLock, 'C'},
    LayerNameLetter{kConditionNumLock, 'N'},  LayerNameLetter{kConditionScroll, 'S'},
    LayerNameLetter{kConditionLayerKey, 'L'}, LayerNameLetter{kConditionTrigger, 'K'},
};
constexpr char kAnyLetter = 'x';

std::string layerNameForConditions(std::uint32_t conditions) {
    std::string name;
    for (const LayerNameLetter& item : kLayerNameLetters) {
        const unsigned value = fieldValue(conditions, item.field);
        if (value == kFieldOn) {
            name += item.letter;
        } else if (value == kFieldOff) {
            name += static_cast<char>(item.letter - 'A' + 'a');
        } else {
            name += kAnyLetter;
        }
    }
    return name;
}

}  // namespace

KeyLineItems readKeyLineItems(std::string_view line, std::size_t start) {
    KeyLineItems items{kAnyConditions, 0, start};
    TextScanner scanner(line);
    scanner.advance(start);
    scanner.skipBlanks();
    for (;;) {
        const char c = scanner.peek();
        if (c == '+' || c == '-') {
            scanner.advance(1);
            const ConditionLetters* match = nullptr;
            for (const ConditionLetters& condition : kConditionLetters) {
                if (scanner.rest().substr(0, condition.letters.size()) == condition.letters) {
                    match = &condition;
                    break;
                }
            }
            if (match == nullptr) {
                scanner.advance(1);
                continue;
            }
            items.conditions = withField(items.conditions, match->field, c == '+' ? kFieldOn : kFieldOff);
            scanner.advance(match->letters.size());
        } else if (c == '/') {
            const char letter = scanner.peek(1);
            scanner.advance(2);
            if (letter == kStandardSetLetter) {
                items.conditions = withField(items.conditions, kConditionTrigger, kFieldOn);
                items.attributes |= kStandardSetFlags;
                continue;
            }
            for (const AttributeLetter& attribute : kAttributeLetters) {
                if (attribute.letter == letter) items.attributes |= kFieldOn << attribute.field;
            }
        } else {
            break;
        }
    }
    items.end = scanner.position();
    return items;
}

int layerForConditions(ActiveContext& context, std::uint32_t conditions, std::uint32_t attributes,
                       ReaderState& state) {
    if (context.layers == nullptr) return -1;
    LayerTable& layers = *context.layers;
    constexpr std::uint32_t kCompared = kConditionBits & ~kUnmatchedConditionBit;
    int index = 0;
    while (index < kLayerCount && !layers[index].name.empty()) {
        if (((layers[index].conditions ^ conditions) & kCompared) == 0) break;
        ++index;
    }
    if (index == kLayerCount) return -1;  // every layer in use, none with these conditions
    if (layers[index].name.empty()) {
        const bool pending = !state.pendingLayerName.empty();
        index = addLayer(context, pending ? state.pendingLayerName : layerNameForConditions(conditions));
        if (index < 0) return -1;
        layers[index].defaultAttributes = attributes;
        if (pending) state.pendingLayerName.clear();
    }
    layers[index].conditions = conditions;
    return index;
}

bool readProgrammingText(std::string_view line, std::size_t start, std::string& text) {
    const std::size_t colon = line.find(':', start);
    if (colon == std::string_view::npos) return false;
    TextScanner scanner(line.substr(colon + 1));
    scanner.skipBlanks();
    if (!scanner.consume('"')) return false;
    const std::string_view quoted = scanner.rest();
    text.clear();
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        const char c = quoted[i];
        if (c == '"' || isControl(c)) break;
        if (c == '\\' && i + 1 < quoted.size() && quoted[i + 1] == '"') {
            text += c;
            if (i + 2 >= quoted.size() || isControl(quoted[i + 2])) break;  // that quote closes the text
            text += '"';
            ++i;
            continue;
        }
        text += c;
    }
    return true;
}

bool readKeyProgrammingLine(ActiveContext& context, std::string_view line, ReaderState& state) {
    KeyRecord* key = keyOfLine(context, line);
    if (key == nullptr) return false;
    const KeyLineItems items = readKeyLineItems(line, kKeyNameLength);
    const int layer = layerForConditions(context, items.conditions, items.attributes, state);
    if (layer < 0) return false;
    LayerEntry& entry = key->layers[layer];
    entry.attributes = items.attributes;
    state.currentLayer = layer;
    std::string text;
    if (readProgrammingText(line, items.end, text)) entry.programming = kbx::platform::oemToAnsi(text);
    return true;
}

}  // namespace kbxdoc::persist
