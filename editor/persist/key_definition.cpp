#include "editor/persist/key_definition.h"

#include <array>

#include "editor/document/keyboard_data.h"
#include "editor/persist/layout_names.h"

namespace kbxdoc::persist {
namespace {

constexpr std::uint8_t kTriggerBit = 0x80;
constexpr std::uint8_t kProtectedBit = 0x04;
constexpr std::uint8_t kStandardSetBits = 0x1B;
constexpr std::uint8_t kCharacterOutputBit = 0x40;

struct ConditionBit {
    std::string_view letters;
    std::uint8_t bit;
    int field;  // of the document's condition word
};
// In the compiler's search order: two-letter names before their first letter.
constexpr std::array kConditionBits{
    ConditionBit{"K", kTriggerBit, kConditionTrigger},  ConditionBit{"CL", 0x40, kConditionCapsLock},
    ConditionBit{"NL", 0x20, kConditionNumLock},        ConditionBit{"SL", 0x10, kConditionScroll},
    ConditionBit{"A", 0x08, kConditionAlt},             ConditionBit{"C", 0x04, kConditionControl},
    ConditionBit{"S", 0x02, kConditionShift},           ConditionBit{"L", 0x01, kConditionLayerKey},
};

struct AttributeBit {
    char letter;
    std::uint8_t bit;
    int field;  // of the document's attribute word
};
constexpr std::array kAttributeBits{
    AttributeBit{'K', 0x01, kFieldKeyClick},   AttributeBit{'A', 0x02, kFieldAutoRepeat},
    AttributeBit{'P', 0x04, kFieldProtected},  AttributeBit{'M', 0x08, kFieldMakeBreak},
    AttributeBit{'R', 0x10, kFieldNoRestore},  AttributeBit{'L', 0x20, kFieldSlowOutput},
};
constexpr char kCharacterOutputLetter = 'C';

void applyCondition(const ConditionBit& condition, bool plus, DefinitionBits& bits) {
    if (condition.bit == kTriggerBit) {
        if (plus) {
            bits.mask &= static_cast<std::uint8_t>(~kTriggerBit);  // on press and on release
        } else {
            bits.state |= kTriggerBit;  // on release
        }
        return;
    }
    bits.mask |= condition.bit;
    if (plus) bits.state |= condition.bit;
}

bool applyAttribute(char letter, DefinitionBits& bits) {
    if (letter == kStandardSetLetter) {
        bits.attributes = static_cast<std::uint8_t>((bits.attributes & kProtectedBit) | kStandardSetBits);
        bits.state &= static_cast<std::uint8_t>(~kTriggerBit);
        bits.mask &= static_cast<std::uint8_t>(~kTriggerBit);
        return true;
    }
    if (letter == kCharacterOutputLetter) {
        bits.attributes |= kCharacterOutputBit;
        return true;
    }
    for (const AttributeBit& attribute : kAttributeBits) {
        if (attribute.letter == letter) {
            bits.attributes |= attribute.bit;
            return true;
        }
    }
    return false;
}

std::uint32_t withField(std::uint32_t word, int field, unsigned value) {
    return (word & ~(3u << field)) | (value << field);
}

}  // namespace

bool applyKeyItems(std::string_view& text, DefinitionBits& bits) {
    while (!text.empty()) {
        const char sign = text.front();
        if (sign == ':' || sign == '"') return true;
        if (sign == '/') {
            if (text.size() < 2 || !applyAttribute(text[1], bits)) return false;
            text.remove_prefix(2);
            continue;
        }
        if (sign != '+' && sign != '-') return false;
        text.remove_prefix(1);
        const ConditionBit* found = nullptr;
        for (const ConditionBit& condition : kConditionBits) {
            if (text.starts_with(condition.letters)) {
                found = &condition;
                break;
            }
        }
        if (found == nullptr) return false;
        text.remove_prefix(found->letters.size());
        applyCondition(*found, sign == '+', bits);
    }
    return true;
}

std::optional<DocumentWords> documentWords(const DefinitionBits& bits) {
    if ((bits.attributes & kCharacterOutputBit) != 0) return std::nullopt;
    DocumentWords words{kAnyConditions, 0};
    for (const ConditionBit& condition : kConditionBits) {
        unsigned value = kFieldFollow;
        const bool inMask = (bits.mask & condition.bit) != 0;
        const bool inState = (bits.state & condition.bit) != 0;
        if (condition.bit == kTriggerBit) {
            // mask set, state clear: on press (the field's "any"); mask clear:
            // press and release; state set: on release.
            if (!inMask && inState) return std::nullopt;
            if (!inMask) value = kFieldOn;
            if (inState) value = kFieldOff;
        } else if (inMask) {
            value = inState ? kFieldOn : kFieldOff;
        }
        words.conditions = withField(words.conditions, condition.field, value);
    }
    for (const AttributeBit& attribute : kAttributeBits) {
        if ((bits.attributes & attribute.bit) != 0) words.attributes |= kFieldOn << attribute.field;
    }
    return words;
}

}  // namespace kbxdoc::persist

namespace kbxdoc::persist {

DefinitionBits definitionBits(std::uint32_t conditions, std::uint32_t attributes) {
    DefinitionBits bits;
    for (const ConditionBit& condition : kConditionBits) {
        const unsigned value = fieldValue(conditions, condition.field);
        if (value != kFieldOn && value != kFieldOff) continue;
        applyCondition(condition, value == kFieldOn, bits);
    }
    for (const AttributeBit& attribute : kAttributeBits) {
        if (fieldValue(attributes, attribute.field) == kFieldOn) bits.attributes |= attribute.bit;
    }
    return bits;
}

}  // namespace kbxdoc::persist
