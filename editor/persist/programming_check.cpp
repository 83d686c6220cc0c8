#include "editor/persist/programming_check.h"

#include "compiler/conversion/convert.h"
#include "compiler/programming_reader.h"
#include "editor/persist/key_definition.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/programming_part.h"
#include "editor/persist/text_scanner.h"
#include "platform/code_pages.h"

namespace kbxdoc::persist {
namespace {

constexpr std::string_view kGlobalAsciiSwitch = "GCA";

const CompilerLanguage& languageOf(std::string_view code) {
    for (const CompilerLanguage& language : kCompilerLanguages) {
        if (startsWithIgnoringCase(code, language.code)) return language;
    }
    return kCompilerLanguages.front();
}

}  // namespace

std::optional<ProgrammingProblem> programmingProblem(const KeyboardData& keyboard, const LayerDefinition& layer,
                                                     std::uint32_t attributes, std::string_view text) {
    if (text.empty() || containsIgnoringCase(text, kNavigationMacroPrefix)) return std::nullopt;
    const auto collected = collectedText(programmingPart(kbx::platform::ansiToOem(text)), false);
    if (!collected) return std::nullopt;
    if (collected->size() > kbxc::kMaxCollectedText) return ProgrammingProblem::tooLong;

    DefinitionBits definition = definitionBits(layer.conditions, writtenAttributes(attributes, layer.defaultAttributes));
    kbxc::ConversionSettings settings;
    const CompilerLanguage& language = languageOf(keyboard.languageCode.view());
    settings.language = static_cast<int>(&language - kCompilerLanguages.data());
    // Without a lock letter in the language statement the language's own lock holds.
    settings.shiftLock = keyboard.shiftLock != 0 || (keyboard.capsLock == 0 && language.shiftLock);
    settings.globalAscii = containsIgnoringCase(keyboard.otherModeSwitches.view(), kGlobalAsciiSwitch);
    const kbxc::Conversion conversion = kbxc::convertText(*collected, definition, true, settings);
    if (conversion.failure != kbxc::ConversionFailure::none) return ProgrammingProblem::notConvertible;
    if (conversion.truncated || conversion.bytes.size() > kbxc::kMaxProgrammingBytes) return ProgrammingProblem::tooLong;
    return std::nullopt;
}

}  // namespace kbxdoc::persist
