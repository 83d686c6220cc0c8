#include "editor/ui/dialogs/capture/qt_virtual_keys.h"

#include <QKeyEvent>

#include <array>

namespace keyui::capture {

namespace {

// Where Qt's key is enough. The keypad's keys come from the table below;
// letters, digits and punctuation have no entry and pass on.
struct KeyMapping {
    int qtKey;
    int virtualKey;
    bool extended;
};
constexpr std::array kKeys{
    KeyMapping{Qt::Key_Cancel, 3, false},     KeyMapping{Qt::Key_Backspace, 8, false},
    KeyMapping{Qt::Key_Tab, 9, false},        KeyMapping{Qt::Key_Backtab, 9, false},  // Tab with Shift held
    KeyMapping{Qt::Key_Return, 13, false},    KeyMapping{Qt::Key_Enter, 13, true},
    KeyMapping{Qt::Key_Shift, 16, false},     KeyMapping{Qt::Key_Control, 17, false},
    KeyMapping{Qt::Key_Alt, 18, false},       KeyMapping{Qt::Key_AltGr, 18, true},
    KeyMapping{Qt::Key_Pause, 19, false},     KeyMapping{Qt::Key_CapsLock, 20, false},
    KeyMapping{Qt::Key_Escape, 27, false},    KeyMapping{Qt::Key_Space, 32, false},
    KeyMapping{Qt::Key_PageUp, 33, true},     KeyMapping{Qt::Key_PageDown, 34, true},
    KeyMapping{Qt::Key_End, 35, true},        KeyMapping{Qt::Key_Home, 36, true},
    KeyMapping{Qt::Key_Left, 37, true},       KeyMapping{Qt::Key_Up, 38, true},
    KeyMapping{Qt::Key_Right, 39, true},      KeyMapping{Qt::Key_Down, 40, true},
    KeyMapping{Qt::Key_Print, 44, true},      KeyMapping{Qt::Key_SysReq, 44, true},
    KeyMapping{Qt::Key_Insert, 45, true},     KeyMapping{Qt::Key_Delete, 46, true},
    KeyMapping{Qt::Key_Super_L, 91, true},    KeyMapping{Qt::Key_Meta, 91, true},
    KeyMapping{Qt::Key_Super_R, 92, true},    KeyMapping{Qt::Key_Menu, 93, true},
    KeyMapping{Qt::Key_NumLock, 144, true},   KeyMapping{Qt::Key_ScrollLock, 145, false},
};

// Keys of the numeric pad, told apart by Qt's keypad flag.
constexpr std::array kKeypadKeys{
    KeyMapping{Qt::Key_0, 96, false},        KeyMapping{Qt::Key_1, 97, false},
    KeyMapping{Qt::Key_2, 98, false},        KeyMapping{Qt::Key_3, 99, false},
    KeyMapping{Qt::Key_4, 100, false},       KeyMapping{Qt::Key_5, 101, false},
    KeyMapping{Qt::Key_6, 102, false},       KeyMapping{Qt::Key_7, 103, false},
    KeyMapping{Qt::Key_8, 104, false},       KeyMapping{Qt::Key_9, 105, false},
    KeyMapping{Qt::Key_Asterisk, 106, false}, KeyMapping{Qt::Key_Plus, 107, false},
    KeyMapping{Qt::Key_Comma, 108, false},   KeyMapping{Qt::Key_Minus, 109, false},
    KeyMapping{Qt::Key_Period, 110, false},  KeyMapping{Qt::Key_Slash, 111, true},
    KeyMapping{Qt::Key_Enter, 13, true},
};

constexpr int kFirstFunctionKey = 112;  // F1
constexpr int kFunctionKeyCount = 12;

template <std::size_t N>
const KeyMapping* find(const std::array<KeyMapping, N>& table, int qtKey) {
    for (const KeyMapping& entry : table) {
        if (entry.qtKey == qtKey) return &entry;
    }
    return nullptr;
}

}  // namespace

VirtualKey virtualKeyOf(int qtKey, bool keypad) {
    if (keypad) {
        if (const KeyMapping* entry = find(kKeypadKeys, qtKey)) return {entry->virtualKey, entry->extended};
    }
    if (qtKey >= Qt::Key_F1 && qtKey < Qt::Key_F1 + kFunctionKeyCount) return {kFirstFunctionKey + (qtKey - Qt::Key_F1)};
    if (const KeyMapping* entry = find(kKeys, qtKey)) return {entry->virtualKey, entry->extended};
    return {};
}

VirtualKey virtualKeyOf(const QKeyEvent& event) {
    return virtualKeyOf(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

}  // namespace keyui::capture
