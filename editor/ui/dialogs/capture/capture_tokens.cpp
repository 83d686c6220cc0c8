#include "editor/ui/dialogs/capture/capture_tokens.h"

#include <array>

namespace keyui::capture {

namespace {

constexpr int kReturnKey = 13;

// Virtual keys with a name of their own. Return (13) is named by its
// extended flag, below.
struct NamedKey {
    int virtualKey;
    std::string_view name;
};
constexpr std::array kNamedKeys{
    NamedKey{3, "BREAK}"},        NamedKey{8, "BACKSPACE}"},  NamedKey{9, "TAB}"},
    NamedKey{18, "ALT}"},         NamedKey{19, "PAUSE}"},     NamedKey{27, "ESC}"},
    NamedKey{32, "SPACE}"},       NamedKey{33, "PGUP}"},      NamedKey{34, "PGDN}"},
    NamedKey{35, "END}"},         NamedKey{36, "HOME}"},      NamedKey{37, "LEFT}"},
    NamedKey{38, "UP}"},          NamedKey{39, "RIGHT}"},     NamedKey{40, "DOWN}"},
    NamedKey{44, "PRTSC}"},       NamedKey{45, "INS}"},       NamedKey{46, "DEL}"},
    NamedKey{91, "LWIN}"},        NamedKey{92, "RWIN}"},      NamedKey{93, "APP}"},
    NamedKey{96, "N0}"},          NamedKey{97, "N1}"},        NamedKey{98, "N2}"},
    NamedKey{99, "N3}"},          NamedKey{100, "N4}"},       NamedKey{101, "N5}"},
    NamedKey{102, "N6}"},         NamedKey{103, "N7}"},       NamedKey{104, "N8}"},
    NamedKey{105, "N9}"},         NamedKey{106, "STAR}"},     NamedKey{107, "PLUS}"},
    NamedKey{109, "MINUS}"},      NamedKey{111, "DIV}"},      NamedKey{112, "F1}"},
    NamedKey{113, "F2}"},         NamedKey{114, "F3}"},       NamedKey{115, "F4}"},
    NamedKey{116, "F5}"},         NamedKey{117, "F6}"},       NamedKey{118, "F7}"},
    NamedKey{119, "F8}"},         NamedKey{120, "F9}"},       NamedKey{121, "F10}"},
    NamedKey{122, "F11}"},        NamedKey{123, "F12}"},      NamedKey{144, "NUMLOCK}"},
    NamedKey{145, "SCROLL-LOCK}"}, NamedKey{160, "LSHIFT}"},  NamedKey{161, "RSHIFT}"},
    NamedKey{162, "LCTRL}"},      NamedKey{163, "RCTRL}"},
};
constexpr std::string_view kEnterName = "ENTER}";
constexpr std::string_view kReturnName = "RETURN}";

// The modifiers in the order the token names them.
struct ModifierText {
    bool SimulatedModifiers::*ticked;
    std::string_view text;
};
constexpr std::array kModifierTexts{
    ModifierText{&SimulatedModifiers::shift, "SHIFT+"},
    ModifierText{&SimulatedModifiers::control, "CTRL+"},
    ModifierText{&SimulatedModifiers::alt, "ALT+"},
};

}  // namespace

std::string_view capturedKeyName(int virtualKey, bool extended) {
    if (virtualKey == kReturnKey) return extended ? kEnterName : kReturnName;
    for (const NamedKey& key : kNamedKeys) {
        if (key.virtualKey == virtualKey) return key.name;
    }
    return {};
}

std::string captureToken(int virtualKey, bool extended, SimulatedModifiers modifiers) {
    const std::string_view name = capturedKeyName(virtualKey, extended);
    if (name.empty()) return {};
    std::string token = "{";
    for (const ModifierText& modifier : kModifierTexts) {
        if (modifiers.*modifier.ticked) token += modifier.text;
    }
    token += name;
    return token;
}

}  // namespace keyui::capture
