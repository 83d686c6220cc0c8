#include "tools/kbxdump/definition_text.h"

#include <array>
#include <string_view>

namespace kbxdump {
namespace {

struct NamedBit {
    std::uint8_t bit;
    std::string_view letters;
};

constexpr std::array<NamedBit, 7> kConditions{{
    {kbxc::kConditionLayer, "L"},
    {kbxc::kConditionShift, "S"},
    {kbxc::kConditionControl, "C"},
    {kbxc::kConditionAlt, "A"},
    {kbxc::kConditionScrollLock, "SL"},
    {kbxc::kConditionNumLock, "NL"},
    {kbxc::kConditionCapsLock, "CL"},
}};

constexpr std::array<NamedBit, 7> kAttributes{{
    {kbxc::kAttributeClick, "K"},
    {kbxc::kAttributeAutoRepeat, "A"},
    {kbxc::kAttributeProtected, "P"},
    {kbxc::kAttributeMakeBreak, "M"},
    {kbxc::kAttributeNoRestore, "R"},
    {kbxc::kAttributeSlowOutput, "L"},
    {kbxc::kAttributeCharacters, "C"},
}};

constexpr std::string_view kTriggerLetter = "K";

}  // namespace

std::string conditionLetters(std::uint8_t state, std::uint8_t mask) {
    std::string text;
    for (const NamedBit& condition : kConditions) {
        if (!(mask & condition.bit)) continue;
        text += (state & condition.bit) ? '+' : '-';
        text += condition.letters;
    }
    return text;
}

std::string triggerLetters(std::uint8_t state, std::uint8_t mask) {
    std::string text;
    if (!(mask & kbxc::kTriggerBit)) text += '+' + std::string(kTriggerLetter);
    if (state & kbxc::kTriggerBit) text += '-' + std::string(kTriggerLetter);
    return text;
}

std::string attributeLetters(std::uint8_t attributes) {
    std::string text;
    for (const NamedBit& attribute : kAttributes) {
        if (!(attributes & attribute.bit)) continue;
        text += '/';
        text += attribute.letters;
    }
    return text;
}

std::string definitionLetters(const kbxc::DefinitionBytes& bytes) {
    return conditionLetters(bytes.state, bytes.mask) + triggerLetters(bytes.state, bytes.mask) +
           attributeLetters(bytes.attributes);
}

}  // namespace kbxdump
