#include "compiler/conversion/convert.h"

#include <utility>

#include "compiler/conversion/ascii_conversion.h"
#include "compiler/conversion/modifier_state.h"
#include "compiler/conversion/scancode_conversion.h"

namespace kbxc {
namespace {

// The conditions that are host modifiers and locks share their bits with the
// standard byte of the modifier state. The function-key layer and the
// trigger are the keyboard's own and press nothing on the host.
static_assert(kConditionShift == kLeftShiftDown && kConditionControl == kControlDown &&
              kConditionAlt == kAltDown && kConditionScrollLock == kScrollLockOn &&
              kConditionNumLock == kNumLockOn && kConditionCapsLock == kCapsLockOn);
constexpr std::uint8_t kHostConditions = kConditionShift | kConditionControl | kConditionAlt |
                                         kConditionScrollLock | kConditionNumLock | kConditionCapsLock;

std::uint8_t initialStandardState(const DefinitionBytes& definition, bool lineResultEmpty) {
    if (!lineResultEmpty) return 0;
    return static_cast<std::uint8_t>(definition.state & definition.mask & kHostConditions);
}

bool has(const DefinitionBytes& definition, std::uint8_t attribute) {
    return (definition.attributes & attribute) != 0;
}

}  // namespace

Conversion convertText(std::string_view text, DefinitionBytes& definition, bool lineResultEmpty,
                       const ConversionSettings& settings) {
    const std::uint8_t initialStandard = initialStandardState(definition, lineResultEmpty);

    bool charactersByGlobalFlag = false;
    if (settings.globalAscii && !has(definition, kAttributeMakeBreak) && !has(definition, kAttributeCharacters)) {
        definition.attributes |= kAttributeCharacters;
        charactersByGlobalFlag = true;
    }

    if (has(definition, kAttributeCharacters)) {
        AsciiResult ascii = convertToAscii(text);
        if (ascii.complete) return {std::move(ascii.bytes), ConversionFailure::none, ascii.truncated, true};
        if (!charactersByGlobalFlag) return {std::move(ascii.bytes), ConversionFailure::ascii, ascii.truncated, true};
        // Character output was only the keyboard-wide choice: this text goes
        // out as keystrokes instead.
        definition.attributes = static_cast<std::uint8_t>(definition.attributes & ~kAttributeCharacters);
    }

    const ScancodeOptions options{settings.language, settings.shiftLock, has(definition, kAttributeMakeBreak)};
    ScancodeResult keys = convertToScancodes(text, initialStandard, options);
    return {std::move(keys.bytes), keys.complete ? ConversionFailure::none : ConversionFailure::scancode,
            keys.truncated, false};
}

}  // namespace kbxc
