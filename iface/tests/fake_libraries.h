#pragma once

// Stand-ins for the libraries the interface library binds at run time: the
// point-of-sale library (its capture types what a test scripts) and the USB
// library, plus a notifier that records the message boxes.

#include <deque>
#include <set>
#include <string>
#include <vector>

#include "iface/function_library.h"
#include "iface/library_binding.h"
#include "iface/tests/scripted_link.h"
#include "platform/notifier.h"

namespace kbxi::test {

struct FakePointOfSale {
    int opens = 0;
    int openResult = 0;      // what kbx_open answers (1: its key event source cannot be opened)
    int callbackResult = 0;  // what kbx_callback_data_capture answers (1: refused)
    int closes = 0;
    int language = -1;
    FunctionLibrary::CaptureCallback callback = nullptr;
    struct Capture {
        int count, reserved, timeout;
    };
    std::vector<Capture> captures;
    int captureResult = 0;
    // What the keyboard types after each capture is armed: the key codes and
    // the count reported. Nothing left: the capture times out (count 0).
    struct Typing {
        Bytes codes;
        int reported;
    };
    std::deque<Typing> typing;
    Bytes buffer = Bytes(512, 0);
    int loads = 0;
    int unloads = 0;
};
FakePointOfSale& fakePointOfSale();  // reset by makeFakePointOfSale
// Resets the fake and returns an opener that hands out all its entry points
// but the names in `missing`.
LibraryOpener makeFakePointOfSale(std::set<std::string> missing = {});
// The key codes that type `text` (hex digits).
Bytes typedCodes(std::string_view text);

struct FakeUsb {
    Bytes sent;
    int sendResult = 0;
    int checkResult = 0;
    int checks = 0;
    int closes = 0;
    int loads = 0;
    int unloads = 0;
};
FakeUsb& fakeUsb();
LibraryOpener makeFakeUsb(std::set<std::string> missing = {});
// An opener that finds no library.
LibraryOpener missingLibrary();

// Records every message box and answers with the scripted answers (OK when
// none are left). Installed for its lifetime.
class RecordingNotifier : public kbx::platform::Notifier {
public:
    RecordingNotifier() { kbx::platform::setNotifier(this); }
    ~RecordingNotifier() override { kbx::platform::setNotifier(nullptr); }
    RecordingNotifier(const RecordingNotifier&) = delete;
    RecordingNotifier& operator=(const RecordingNotifier&) = delete;

    struct Box {
        std::string text;
        std::string title;
        kbx::platform::Buttons buttons;
    };
    std::vector<Box> boxes;
    std::deque<kbx::platform::Answer> answers;

    kbx::platform::Answer show(std::string_view text, std::string_view title,
                               kbx::platform::Buttons buttons) override;
};

}  // namespace kbxi::test
