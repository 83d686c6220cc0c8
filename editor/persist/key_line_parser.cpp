#include "editor/persist/key_line_parser.h"

#include <algorithm>
#include <array>
#include <string>

#include "editor/document/key_table.h"
#include "editor/persist/key_definition.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/metadata_lines.h"
#include "editor/persist/programming_part.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

constexpr std::uint32_t kConditionWordBits = 0xFFFF;
constexpr unsigned char kFirstNonAscii = 0x80;
// A navigation macro line keeps its meaning written without DEF only when
// DEF adds nothing but the key click.
bool macroKeepsMeaning(const DefinitionBits& defaults) {
    const DefinitionBits plain;
    return defaults.state == plain.state && defaults.mask == plain.mask &&
           (defaults.attributes & ~kbxc::kAttributeClick) == plain.attributes;
}

KeyRecord* keyOfLine(const ActiveContext& context, std::string_view keyword) {
    if (const auto slot = pseudoKeySlot(keyword)) return keyBySlot(context, *slot);
    return keyOfIdentifier(context, keyword);
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

// The writer takes make/break and no restore from the layer: a line whose
// own differ from its layer's cannot be written back as it was.
bool layerAgrees(std::uint32_t layerDefaults, std::uint32_t flags) {
    for (const AttributeLetter& attribute : kAttributeLetters) {
        if (attribute.fromLayerOnly && fieldValue(layerDefaults, attribute.field) != fieldValue(flags, attribute.field))
            return false;
    }
    return true;
}

// The document's programming text for the file's, when it holds it exactly:
// within its field, and the same bytes when written out again.
std::optional<std::string> documentText(std::string&& fileText) {
    if (fileText.size() >= kProgrammingField) return std::nullopt;
    // Both code pages keep ASCII as it is: such a text needs no conversion.
    const auto ascii = [](char c) { return static_cast<unsigned char>(c) < kFirstNonAscii; };
    if (std::all_of(fileText.begin(), fileText.end(), ascii)) return std::move(fileText);
    std::string text = kbx::platform::oemToAnsi(fileText);
    if (kbx::platform::ansiToOem(text) != fileText) return std::nullopt;
    return text;
}

}  // namespace

int layerForConditions(ActiveContext& context, std::uint32_t conditions, std::uint32_t attributes,
                       ReaderState& state) {
    if (context.layers == nullptr) return -1;
    LayerTable& layers = *context.layers;
    int index = 0;
    while (index < kLayerCount && !layers[index].name.empty()) {
        if (((layers[index].conditions ^ conditions) & kConditionWordBits) == 0) return index;
        ++index;
    }
    if (index == kLayerCount) return -1;  // every layer in use, none with these conditions
    const bool pending = !state.pendingLayerName.empty();
    index = addLayer(context, pending ? state.pendingLayerName : layerNameForConditions(conditions));
    if (index < 0) return -1;
    layers[index].defaultAttributes = attributes;
    layers[index].conditions = conditions;
    if (pending) state.pendingLayerName.clear();
    return index;
}

bool readKeyProgrammingLine(ActiveContext& context, const SourceLine& line, ReaderState& state) {
    state.currentLayer = kNoLayer;
    KeyRecord* key = keyOfLine(context, line.keyword);
    if (key == nullptr || context.layers == nullptr) return false;
    std::string_view rest = line.arguments;
    DefinitionBits bits = state.keyDefaults;
    if (!applyKeyItems(rest, bits)) return false;
    if (containsIgnoringCase(line.arguments, kNavigationMacroPrefix) && !macroKeepsMeaning(state.keyDefaults))
        return false;
    const auto words = documentWords(bits);
    auto fileText = programmingTextOf(rest, state.hexadecimalBase);
    if (!words || !fileText) return false;
    const auto text = documentText(std::move(*fileText));
    if (!text) return false;
    const int layer = layerForConditions(context, words->conditions, words->attributes, state);
    if (layer < 0) return false;
    if (!state.layerDecidesMakeBreak && !layerAgrees((*context.layers)[layer].defaultAttributes, words->attributes))
        return false;
    LayerEntry& entry = key->layers[layer];
    // A second line for the same key and conditions is the compiler's error:
    // kept, it stays one.
    if (!entry.programming.empty()) return false;
    entry.attributes = words->attributes;
    entry.programming = *text;
    state.currentLayer = layer;
    return true;
}

bool attributeWordAgrees(std::uint32_t word, std::uint32_t current, std::uint32_t layerDefaults) {
    // The writer writes a letter for a field that resolves to on, and none for any other value.
    return writtenAttributes(word, layerDefaults) == writtenAttributes(current, layerDefaults);
}

}  // namespace kbxdoc::persist
