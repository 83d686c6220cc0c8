#include "compiler/conversion/character_table_rows.h"

namespace kbxc::tables {

// Letters only until the keyboard's rows are written.
constexpr LanguageTables kFrTables{buildCharacterTable(kQwerty, {}), {}};

}  // namespace kbxc::tables
