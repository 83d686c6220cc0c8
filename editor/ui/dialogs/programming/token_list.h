#pragma once

// The tokens the programming page offers for insertion: the string-table
// entries 1004-1105, in id order. The entries that follow in the table
// ("{KEY-PAUSE}", "\^" and the end marker) are not offered.

#include <span>
#include <string_view>

#include <QStringList>

namespace keyui::dialogs {

inline constexpr int kFirstTokenId = 1004;
inline constexpr int kLastTokenId = 1105;

// The strings of ids 1004-1105, index 0 = id 1004.
std::span<const std::string_view> tokenStrings();

// The entries the token list shows: every string of at least two
// characters, sorted as the sorted list box sorts (letter case ignored).
QStringList sortedTokenEntries();

}  // namespace keyui::dialogs
