#pragma once

// The simulated keyboard inside a test program: the firmware on a
// pseudo-terminal of its own and on a keyboard channel socket, both served on
// a background thread (the only thread the system has, and only here). A test
// points the library's serial port at portPath() or its keyboard channel at
// channelPath() ("sim:" + path in KBX_KEYBOARD or KBX_USB), talks to it, and
// reads the memory, counters, command log and display or arms faults here;
// every call takes the firmware's lock. Module input (swipe(), barcode() ...)
// is typed on the channel's event connections, and waits for the first one.
// The destructor stops the thread and removes the link and the socket.
//
//   kbxsim::SimulatorOptions options;
//   options.echoSettings = kbxsim::LineSettings{1200, kbxsim::Parity::odd, 8};
//   kbxsim::Simulator keyboard(options);
//   setenv("KBX_COM1", keyboard.portPath().c_str(), 1);
//   ... kbx_download(...) ...
//   EXPECT_EQ(keyboard.memory(4, 298), imageBytes);

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kbxsim/counters.h"
#include "kbxsim/customer_display.h"
#include "kbxsim/device_commands.h"
#include "kbxsim/faults.h"
#include "kbxsim/key_typing.h"
#include "kbxsim/keyboard_memory.h"
#include "kbxsim/line_settings.h"

namespace kbxsim {

// Private to kbxsim (tools/kbxsim/firmware/firmware.h); withFirmware() hands
// it to code that includes that header.
class Firmware;

struct SimulatorOptions {
    std::filesystem::path link;                // a symbolic link to the slave; empty: none
    std::optional<LineSettings> echoSettings;  // the echo is answered only at these; nothing: at any
    bool lineRate = false;                     // both directions paced to the slave's line settings
    std::chrono::milliseconds adapterLatency{0};  // answers held this long before the host gets them
    std::uint16_t identification = kDefaultIdentification;
    std::ostream* log = nullptr;  // a line per byte received; written on the serving thread
    std::filesystem::path channel;  // the keyboard channel's socket; empty: one in a temporary folder
    KeyboardLanguage language = kDefaultLanguage;  // of the module input typed
    std::size_t displayRows = kDefaultDisplayRows;
    std::size_t displayColumns = kDefaultDisplayColumns;
};

class Simulator {
public:
    // Throws std::runtime_error when the pseudo-terminal or the link cannot be
    // made.
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const std::string& slavePath() const;
    const std::filesystem::path& linkPath() const;  // empty without a link
    std::string portPath() const;                   // the link if there is one, else the slave

    // Memory. place() and loadImage() do not count as host writes.
    std::vector<std::uint8_t> memory() const;
    std::vector<std::uint8_t> memory(std::size_t address, std::size_t count) const;
    void place(std::size_t address, std::span<const std::uint8_t> bytes);
    std::string loadImage(const std::filesystem::path& path);        // empty, or what went wrong
    std::string saveImage(const std::filesystem::path& path) const;  // empty, or what went wrong

    Counters counters() const;
    std::uint64_t hostWritesIn(std::size_t first, std::size_t last) const;
    void resetCounters();

    // Faults and settings, as the Firmware members of the same names.
    void answerEchoOnlyAt(std::optional<LineSettings> settings);
    void refuseBytes(std::uint64_t position, std::uint64_t count = 1);
    void refuseEveryByte();
    void loseAnswers(std::uint64_t position, std::uint64_t count = 1);
    void goSilent(std::uint64_t position, std::uint64_t count = ByteWindow::kForever);
    void corruptReplies(const ReplyCorruption& corruption, int replies = 1);
    void clearFaults();

    // The keyboard channel.
    const std::filesystem::path& channelPath() const;
    KeyboardChannelCounters channelCounters() const;
    // The key events that clients passed on to the desktop, oldest first.
    std::vector<std::uint32_t> desktopInput() const;

    // Module input, texts in code page 437 typed on the keyboard of
    // `language` (see module_input.h).
    void swipe(std::string_view track1, std::string_view track2 = {}, std::string_view track3 = {});
    void barcode(std::string_view text);
    void keylock(std::string_view position);
    void cardIn(std::string_view text);
    void cardOut(std::string_view text = {});
    void type(std::string_view text);
    // A command line as the program takes it (UTF-8); empty, or what was wrong.
    std::string input(std::string_view line);
    void setLanguage(KeyboardLanguage language);

    // Device commands and the customer display.
    std::vector<DeviceCommand> commandLog() const;
    std::vector<std::string> displayScreen() const;
    DisplayControl displayControl() const;
    std::vector<std::uint8_t> displayBytes() const;

    // Anything else, with the lock held.
    void withFirmware(const std::function<void(Firmware&)>& function);

    // Stops serving (also done by the destructor); the memory stays readable.
    // Empty when serving ended normally, else what failed.
    std::string stop();

private:
    struct Running;
    std::unique_ptr<Running> running_;
};

}  // namespace kbxsim
