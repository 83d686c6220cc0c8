// Directives about keys: the defaults every key line starts from (DEF) and
// the two hot keys for online programming (HOTKEY0, HOTKEY1).
#include "compiler/compile_state.h"
#include "compiler/conditions.h"
#include "compiler/directives.h"
#include "compiler/line_cursor.h"
#include "compiler/programming_reader.h"

namespace kbxc {
namespace {

constexpr char kWrongHotKey[] = "wrong hotkeycode";

constexpr std::uint8_t kControlMake = 0x1D;
constexpr std::uint8_t kLeftShiftMake = 0x2A;
constexpr std::uint8_t kRightShiftMake = 0x36;
constexpr std::uint8_t kAltMake = 0x38;
constexpr std::uint8_t kExtendedPrefix = 0xE0;
constexpr std::uint8_t kBreakBit = 0x80;

// Finds the hot key's modifiers and key code in its converted bytes: the
// modifiers pressed before the first key code add their condition bits.
HotKey hotKeyFromBytes(const DefinitionBytes& definition, const ProgrammingBytes& bytes) {
    HotKey hotKey{definition.state, definition.mask, 0};
    bool extended = false;
    for (std::uint8_t byte : bytes) {
        std::uint8_t condition = 0;
        if (byte == kControlMake) {
            condition = kConditionControl;
        } else if (byte == kLeftShiftMake || byte == kRightShiftMake) {
            condition = kConditionShift;
        } else if (byte == kAltMake) {
            condition = kConditionAlt;
        }
        if (condition != 0) {
            hotKey.state |= condition;
            hotKey.mask |= condition;
            // Control (also the right one, E0 1D) takes the prefix with it.
            if (byte == kControlMake) extended = false;
        } else if (byte == kExtendedPrefix) {
            extended = true;
        } else if (byte < kBreakBit) {
            hotKey.code = extended ? std::uint8_t(byte | kBreakBit) : byte;
            break;
        }
    }
    return hotKey;
}

}  // namespace

void handleDefaults(std::string_view, LineCursor& cursor, CompileState& state) {
    DefinitionBytes& defaults = state.keyboard.defDefaults;
    defaults = DefinitionBytes{0, kTriggerBit, 0};
    readConditions(cursor, defaults, state.diagnostics);
}

void handleHotKey(std::string_view keyword, LineCursor& cursor, CompileState& state) {
    const int number = keyword.back() - '0';
    if (number != 0 && number != 1) {
        state.diagnostics.reportLineError(kWrongHotKey);
        return;
    }
    DefinitionBytes definition{0, 0, 0};
    if (!readConditions(cursor, definition, state.diagnostics)) return;
    definition.mask &= std::uint8_t(~kTriggerBit);
    const ProgrammingBytes bytes = readProgramming(cursor, definition, state.keyboard.hexadecimalBase,
                                                   state.keyboard.conversion, state.diagnostics);
    state.keyboard.hotKeys[std::size_t(number)] = hotKeyFromBytes(definition, bytes);
}

}  // namespace kbxc
