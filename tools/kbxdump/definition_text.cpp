#include "tools/kbxdump/definition_text.h"

#include <array>
#include <string_view>

#include "compiler/setting_names.h"

namespace kbxdump {
namespace {

namespace names = kbxc::names;

// Conditions are shown in the order of their bits.
constexpr std::array<std::uint8_t, 7> kConditionBitOrder{
    kbxc::kConditionLayer,      kbxc::kConditionShift,    kbxc::kConditionControl,  kbxc::kConditionAlt,
    kbxc::kConditionScrollLock, kbxc::kConditionNumLock,  kbxc::kConditionCapsLock,
};

std::string_view conditionName(std::uint8_t bit) {
    for (const names::ConditionName& condition : names::kConditions) {
        if (condition.bit == bit) return condition.letters;
    }
    return "?";
}

const std::string_view kTriggerLetter = conditionName(kbxc::kTriggerBit);

}  // namespace

std::string conditionLetters(std::uint8_t state, std::uint8_t mask) {
    std::string text;
    for (std::uint8_t bit : kConditionBitOrder) {
        if (!(mask & bit)) continue;
        text += (state & bit) ? '+' : '-';
        text += conditionName(bit);
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
    for (const names::AttributeName& attribute : names::kAttributes) {
        if (attribute.bit == 0 || !(attributes & attribute.bit)) continue;
        text += '/';
        text += attribute.letter;
    }
    return text;
}

std::string definitionLetters(const kbxc::DefinitionBytes& bytes) {
    return conditionLetters(bytes.state, bytes.mask) + triggerLetters(bytes.state, bytes.mask) +
           attributeLetters(bytes.attributes);
}

}  // namespace kbxdump
