#include "editor/persist/programming_check.h"

#include <algorithm>
#include <array>

#include "compiler/conversion/convert.h"
#include "editor/persist/key_definition.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/programming_part.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

// The compiler's character tables, in the order of its language numbers.
constexpr std::array<std::string_view, 8> kLanguageTables{"US", "GR", "FR", "UK", "SG", "SF", "IT", "SP"};
// Without a lock letter in the language statement these two lock as ShiftLock.
constexpr std::array<int, 2> kShiftLockLanguages{1, 2};
constexpr std::string_view kGlobalAsciiSwitch = "GCA";
// A text naming a navigation macro is replaced by built-in definitions.
constexpr std::string_view kNavigationMacroPrefix = "KEY-";
constexpr std::size_t kLongestCollectedText = 240;

int languageTable(std::string_view code) {
    for (std::size_t index = 0; index < kLanguageTables.size(); ++index) {
        if (startsWithIgnoringCase(code, kLanguageTables[index])) return static_cast<int>(index);
    }
    return 0;
}

// The attribute word as the writer resolves it: the key's own fields, the
// layer's where they follow it, make/break and no restore from the layer.
std::uint32_t writtenAttributes(std::uint32_t attributes, std::uint32_t layerDefaults) {
    std::uint32_t word = 0;
    for (const AttributeLetter& attribute : kAttributeLetters) {
        unsigned value = fieldValue(attributes, attribute.field);
        if (attribute.fromLayerOnly || value == kFieldFollow) value = fieldValue(layerDefaults, attribute.field);
        if (value == kFieldOn) word |= kFieldOn << attribute.field;
    }
    return word;
}

}  // namespace

std::optional<ProgrammingProblem> programmingProblem(const KeyboardData& keyboard, const LayerDefinition& layer,
                                                     std::uint32_t attributes, std::string_view text) {
    if (text.empty() || containsIgnoringCase(text, kNavigationMacroPrefix)) return std::nullopt;
    const auto collected = collectedText(programmingPart(kbx::platform::ansiToOem(text)), false);
    if (!collected) return std::nullopt;
    if (collected->size() > kLongestCollectedText) return ProgrammingProblem::tooLong;

    const DefinitionBits bits =
        definitionBits(layer.conditions, writtenAttributes(attributes, layer.defaultAttributes));
    kbxc::DefinitionBytes definition{bits.state, bits.mask, bits.attributes};
    kbxc::ConversionSettings settings;
    settings.language = languageTable(keyboard.languageCode.view());
    const bool languageShiftLocks = std::find(kShiftLockLanguages.begin(), kShiftLockLanguages.end(),
                                              settings.language) != kShiftLockLanguages.end();
    settings.shiftLock = keyboard.shiftLock != 0 || (keyboard.capsLock == 0 && languageShiftLocks);
    settings.globalAscii = containsIgnoringCase(keyboard.otherModeSwitches.view(), kGlobalAsciiSwitch);
    const kbxc::Conversion conversion = kbxc::convertText(*collected, definition, true, settings);
    if (conversion.failure != kbxc::ConversionFailure::none) return ProgrammingProblem::notConvertible;
    if (conversion.truncated || conversion.bytes.size() > kbxc::kMaxProgrammingBytes) return ProgrammingProblem::tooLong;
    return std::nullopt;
}

}  // namespace kbxdoc::persist
