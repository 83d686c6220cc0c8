#include "editor/ui/dialogs/programming/token_list.h"

#include <algorithm>
#include <array>

namespace keyui::dialogs {

namespace {

constexpr std::array<std::string_view, kLastTokenId - kFirstTokenId + 1> kTokens{
    // 1004-1015
    "{F1}", "{F2}", "{F3}", "{F4}", "{F5}", "{F6}", "{F7}", "{F8}", "{F9}", "{F10}", "{F11}", "{F12}",
    // 1016-1063
    "{SPACE}", "{BACKSPACE}", "{PAUSE}", "{BREAK}", "{EMPTY}", "{NO_DATA}", "{INS}", "{DEL}", "{PGUP}",
    "{PGDN}", "{HOME}", "{END}", "{SYS}", "{SYSBREAK}", "{NUMLOCK}", "{SCROLL-LOCK}", "{PRTSC}", "{ESC}",
    "{TAB}", "{LEFT}", "{RIGHT}", "{UP}", "{DOWN}", "{RETURN}", "{ENTER}", "{PLUS}", "{MINUS}", "{STAR}",
    "{DIV}", "{DELAY}", "{LED_ON}", "{LED_OFF}", "{RESET}", "{NUL}", "{SHIFT}", "{CTRL}", "{ALT}", "{ALTGR}",
    "{SHIFT+Fx}", "{CTRL+Fx}", "{ALT+Fx}", "{ALTGR+Fx}", "{RCTRL}", "{LWIN}", "{RWIN}", "{APP}", "{FSx}",
    "{FCx}",
    // 1064-1073
    "{N1}", "{N2}", "{N3}", "{N4}", "{N5}", "{N6}", "{N7}", "{N8}", "{N9}", "{N0}",
    // 1074-1105
    "{MAKESCROLL}", "{MAKESHIFTLOCK}", "{MAKENUM}", "{RSHIFT}", "{RESETSTATUS}", "{N.}", "{FN_ON}",
    "{FN_OFF}", "{KEY-PRTSC}", "{KEY-FN}", "{KEY-N00}", "{KEY-PGUP}", "{KEY-PGDN}", "{KEY-HOME}",
    "{KEY-END}", "{KEY-DEL}", "{KEY-INS}", "{KEY-UP}", "{KEY-DOWN}", "{KEY-LEFT}", "{KEY-RIGHT}", "\\{",
    "\\\\", "\\}", "\\\"", "{POSKey001}", "{POSKeylock}", "{POSMSR1}", "{POSMSR2}", "{POSMSR3}",
    "{POSBarcode}", "{POSFC}",
};

// Entries shorter than this are not offered.
constexpr std::size_t kShortestEntry = 2;

}  // namespace

std::span<const std::string_view> tokenStrings() { return kTokens; }

QStringList sortedTokenEntries() {
    QStringList entries;
    for (std::string_view token : kTokens)
        if (token.size() >= kShortestEntry)
            entries << QString::fromLatin1(token.data(), static_cast<qsizetype>(token.size()));
    std::stable_sort(entries.begin(), entries.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

}  // namespace keyui::dialogs
