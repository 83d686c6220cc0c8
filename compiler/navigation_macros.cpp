#include "compiler/navigation_macros.h"

#include <array>

namespace kbxc {
namespace {

// Cursor keys: on press and release, shifted and NumLock variants.
#define KBX_CURSOR_MACRO(NAME, KEY, CODE)                              \
    MacroRow{NAME, "+K/A/P/M/R:", "{" KEY "}"},                       \
        MacroRow{NAME, "+NL-C-S/A/P/M/R:", "{E0Shift+" KEY "}"},      \
        MacroRow { NAME, "+NL-C-S-K/P/M/R:", "{\\xE0}{\\x" CODE "}{\\xE0}{\\xAA}" }

constexpr std::array kFullTable{
    KBX_CURSOR_MACRO("KEY-LEFT", "Left", "4B"),
    KBX_CURSOR_MACRO("KEY-RIGHT", "Right", "4D"),
    KBX_CURSOR_MACRO("KEY-UP", "Up", "48"),
    KBX_CURSOR_MACRO("KEY-DOWN", "Down", "50"),
    KBX_CURSOR_MACRO("KEY-DEL", "Del", "53"),
    KBX_CURSOR_MACRO("KEY-END", "End", "4F"),
    KBX_CURSOR_MACRO("KEY-INS", "Ins", "52"),
    KBX_CURSOR_MACRO("KEY-HOME", "Home", "47"),
    KBX_CURSOR_MACRO("KEY-PGDN", "PgDn", "51"),
    KBX_CURSOR_MACRO("KEY-PGUP", "PgUp", "49"),
    MacroRow{"KEY-PRTSC", "-C-S-K-A/P/R:", "{\\xE0}{\\xB7}{\\xE0}{\\xAA}"},
    MacroRow{"KEY-PRTSC", "+K/A/P/M/R:", "{PrtSc}"},
    MacroRow{"KEY-PRTSC", "-C-S-A/P/R:", "{E0Shift+PrtSc}"},
    MacroRow{"KEY-PRTSC", "+A+K/A/P/M/R:", "{\\x54}"},
    MacroRow{"KEY-N00", "-S+NL/P/R:", "{N0}{N0}"},
    MacroRow{"KEY-N00", "+S-NL/P/R:", "{Shift+N0+N0}"},
    MacroRow{"KEY-PAUSE", "+C/P/R:", "{Break}"},
    MacroRow{"KEY-PAUSE", "/P/R:", "{Pause}"},
    MacroRow{"KEY-FN", "-K/P/R:", "{FN_OFF}"},
    MacroRow{"KEY-FN", "/P/R:", "{FN_ON}"},
};
#undef KBX_CURSOR_MACRO

constexpr std::array kShortTable{
    MacroRow{"KEY-LEFT", "+K/A/M/R:", "{Left}"},
    MacroRow{"KEY-RIGHT", "+K/A/M/R:", "{Right}"},
    MacroRow{"KEY-UP", "+K/A/M/R:", "{Up}"},
    MacroRow{"KEY-DOWN", "+K/A/M/R:", "{Down}"},
    MacroRow{"KEY-DEL", "+K/A/M/R:", "{Del}"},
    MacroRow{"KEY-END", "+K/A/M/R:", "{End}"},
    MacroRow{"KEY-INS", "+K/A/M/R:", "{Ins}"},
    MacroRow{"KEY-HOME", "+K/A/M/R:", "{Home}"},
    MacroRow{"KEY-PGDN", "+K/A/M/R:", "{PgDn}"},
    MacroRow{"KEY-PGUP", "+K/A/M/R:", "{PgUp}"},
    MacroRow{"KEY-PRTSC", "+K/A/M/R:", "{PrtSc}"},
    MacroRow{"KEY-N00", "-S+NL/P/R:", "{N0}{N0}"},
    MacroRow{"KEY-N00", "+S-NL/P/R:", "{Shift+N0+N0}"},
    MacroRow{"KEY-PAUSE", "+K/A/M/R:", "{Break}"},
    MacroRow{"KEY-FN", "-K/P/R:", "{FN_OFF}"},
    MacroRow{"KEY-FN", "/P/R:", "{FN_ON}"},
};

static_assert(kFullTable.size() == 40);
static_assert(kShortTable.size() == 16);

template <std::size_t N>
constexpr bool namesStartAlike(const std::array<MacroRow, N>& table) {
    for (const MacroRow& row : table) {
        if (!row.name.starts_with(kMacroNameStart)) return false;
    }
    return true;
}
static_assert(namesStartAlike(kFullTable) && namesStartAlike(kShortTable));

}  // namespace

std::span<const MacroRow> navigationMacros(bool alternativeController) {
    if (alternativeController) return kShortTable;
    return kFullTable;
}

}  // namespace kbxc
