#pragma once

// Qt's key events as the virtual-key numbers the capture tokens are named
// by: one table from Qt's key (with its keypad flag) to the number and the
// extended flag that tells the keypad Enter from Return.

class QKeyEvent;

namespace keyui::capture {

struct VirtualKey {
    int number = 0;  // 0: a key without a virtual key of interest
    bool extended = false;
};

VirtualKey virtualKeyOf(int qtKey, bool keypad);
VirtualKey virtualKeyOf(const QKeyEvent& event);

}  // namespace keyui::capture
