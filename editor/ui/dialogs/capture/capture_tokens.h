#pragma once

// The token a captured keystroke becomes in a programming text: "{", the
// ticked simulated modifiers in the order SHIFT+, CTRL+, ALT+, then the
// key's name, "}". Keys are given by their virtual-key number; ordinary
// characters have no token and reach the focused control.

#include <string>
#include <string_view>

namespace keyui::capture {

struct SimulatedModifiers {
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// The key's name with its closing brace ("F10}"), or empty when the key has
// no token. `extended` tells the keypad Enter (ENTER) from Return (RETURN).
std::string_view capturedKeyName(int virtualKey, bool extended);

// "{SHIFT+CTRL+F10}"; empty when the key has no token.
std::string captureToken(int virtualKey, bool extended, SimulatedModifiers modifiers);

}  // namespace keyui::capture
