#include "editor/persist/key_definition.h"

#include <algorithm>
#include <array>
#include <string>

#include "compiler/conditions.h"
#include "compiler/diagnostics.h"
#include "compiler/line_cursor.h"
#include "editor/document/keyboard_data.h"
#include "editor/persist/layout_names.h"

namespace kbxdoc::persist {
namespace {

struct ConditionBit {
    std::uint8_t bit;
    int field;  // of the document's condition word
};
constexpr std::array kConditionBits{
    ConditionBit{kbxc::kTriggerBit, kConditionTrigger},          ConditionBit{kbxc::kConditionCapsLock, kConditionCapsLock},
    ConditionBit{kbxc::kConditionNumLock, kConditionNumLock},    ConditionBit{kbxc::kConditionScrollLock, kConditionScroll},
    ConditionBit{kbxc::kConditionAlt, kConditionAlt},            ConditionBit{kbxc::kConditionControl, kConditionControl},
    ConditionBit{kbxc::kConditionShift, kConditionShift},        ConditionBit{kbxc::kConditionLayer, kConditionLayerKey},
};

struct AttributeBit {
    std::uint8_t bit;
    int field;  // of the document's attribute word
};
constexpr std::array kAttributeBits{
    AttributeBit{kbxc::kAttributeClick, kFieldKeyClick},       AttributeBit{kbxc::kAttributeAutoRepeat, kFieldAutoRepeat},
    AttributeBit{kbxc::kAttributeProtected, kFieldProtected},  AttributeBit{kbxc::kAttributeMakeBreak, kFieldMakeBreak},
    AttributeBit{kbxc::kAttributeNoRestore, kFieldNoRestore},  AttributeBit{kbxc::kAttributeSlowOutput, kFieldSlowOutput},
};

std::uint32_t withField(std::uint32_t word, int field, unsigned value) {
    return (word & ~(3u << field)) | (value << field);
}

}  // namespace

bool applyKeyItems(std::string_view& text, DefinitionBits& bits) {
    // The compiler's reading stops at the first ':' or '"': only the text up
    // to it is copied for the compiler's cursor.
    const std::size_t end = std::min(text.find(':'), text.find('"'));
    std::string arguments(text.substr(0, end == std::string_view::npos ? end : end + 1));
    kbxc::LineCursor cursor(arguments);
    kbxc::Diagnostics diagnostics;  // no log: the reader asks only whether the compiler objects
    const bool read = kbxc::readConditions(cursor, bits, diagnostics);
    text.remove_prefix(cursor.position());
    return read;
}

std::optional<DocumentWords> documentWords(const DefinitionBits& bits) {
    if ((bits.attributes & kbxc::kAttributeCharacters) != 0) return std::nullopt;
    DocumentWords words{kAnyConditions, 0};
    for (const ConditionBit& condition : kConditionBits) {
        unsigned value = kFieldFollow;
        const bool inMask = (bits.mask & condition.bit) != 0;
        const bool inState = (bits.state & condition.bit) != 0;
        if (condition.bit == kbxc::kTriggerBit) {
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

DefinitionBits definitionBits(std::uint32_t conditions, std::uint32_t attributes) {
    DefinitionBits bits;
    for (const ConditionBit& condition : kConditionBits) {
        const unsigned value = fieldValue(conditions, condition.field);
        if (condition.bit == kbxc::kTriggerBit) {
            if (value == kFieldOn) bits.mask &= static_cast<std::uint8_t>(~kbxc::kTriggerBit);  // "+K"
            if (value == kFieldOff) bits.state |= kbxc::kTriggerBit;                             // "-K"
        } else if (value == kFieldOn || value == kFieldOff) {
            bits.mask |= condition.bit;
            if (value == kFieldOn) bits.state |= condition.bit;
        }
    }
    for (const AttributeBit& attribute : kAttributeBits) {
        if (fieldValue(attributes, attribute.field) == kFieldOn) bits.attributes |= attribute.bit;
    }
    return bits;
}

}  // namespace kbxdoc::persist
