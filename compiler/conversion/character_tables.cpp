#include "compiler/conversion/character_tables.h"

#include "compiler/conversion/character_table_rows.h"

namespace kbxc {
namespace {

// In the order of the Language enumeration.
constexpr std::array<const tables::LanguageTables*, kLanguageCount> kLanguages{
    &tables::kUsTables, &tables::kGrTables, &tables::kFrTables, &tables::kUkTables,
    &tables::kSgTables, &tables::kSfTables, &tables::kItTables, &tables::kSpTables,
};

// An index outside the list falls back to the default language, US.
const tables::LanguageTables& languageTables(int language) {
    if (language < 0 || language >= kLanguageCount) return tables::kUsTables;
    return *kLanguages[static_cast<std::size_t>(language)];
}

}  // namespace

const CharacterTable& characterTable(int language) { return languageTables(language).characters; }

std::span<const std::uint8_t> deadKeyString(int language, int index) {
    if (index < 1 || index > tables::kDeadKeyCount) return {};
    const tables::DeadKeyString& accent =
        languageTables(language).deadKeys[static_cast<std::size_t>(index - 1)];
    return std::span<const std::uint8_t>(accent.bytes.data(), accent.length);
}

}  // namespace kbxc
