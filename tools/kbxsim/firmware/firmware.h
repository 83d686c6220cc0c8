#pragma once

// The keyboard firmware, independent of any channel: it takes the host's bytes
// one at a time and answers through a HostLink.
//
// - 0xEE, the echo, is answered with 0xEE (no acknowledgement) at any point,
//   ending a frame in progress; with echo settings given, only while the
//   host's line matches them.
// - 0xEF begins a frame at any point; every byte of a frame is acknowledged
//   with 0xFA until the frame turns out bad, when that byte gets 0xFE (a
//   character that is no hex digit, a checksum that does not match on the last
//   checksum digit, a frame that reaches past the memory on the last header
//   digit). Memory changes only when a whole write frame checked.
// - A read frame is acknowledged and then answered with its reply text.
// - 0xF4 (enable) ends a frame in progress; it and every other byte outside a
//   frame are acknowledged.
// - A device command (0xEF and a command byte, with the arguments some of
//   them take) is acknowledged byte by byte and recorded in the command log.
//   Its argument bytes are taken as they are, 0xEE and 0xEF included.
// - 0xEC outside a frame opens a display sequence: every byte up to the next
//   0x00 is acknowledged and goes to the customer display as it is; the byte
//   log keeps the sequence, 0xEC and 0x00 included.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "kbxsim/counters.h"
#include "kbxsim/customer_display.h"
#include "kbxsim/device_commands.h"

#include "kbxsim/faults.h"
#include "kbxsim/keyboard_memory.h"
#include "kbxsim/line_settings.h"
#include "tools/kbxsim/firmware/frame_parser.h"
#include "tools/kbxsim/firmware/host_link.h"

namespace kbxsim {

// The simulated keyboard spells out its protocol bytes itself, apart from
// format/keyboard_protocol.h, so that it checks the libraries independently.
inline constexpr std::uint8_t kEcho = 0xEE;
inline constexpr std::uint8_t kEnable = 0xF4;
inline constexpr std::uint8_t kAcknowledge = 0xFA;
inline constexpr std::uint8_t kRefuse = 0xFE;
inline constexpr std::uint8_t kDisplayStart = 0xEC;
inline constexpr std::uint8_t kDisplayEnd = 0x00;

// What the last byte did, for logs.
enum class ByteEvent {
    none,
    silent,
    refusedOnRequest,
    frameStarted,
    frameContinues,
    frameRefused,
    writeStored,
    readAnswered,
    checksumUpdated,
    otherCommand,
    echoAnswered,
    echoAtOtherSettings,
    enabled,
    singleByte,
    deviceCommand,
    commandArgument,
    displayStarted,
    displayByte,
    displayEnded,
};
std::string_view byteEventName(ByteEvent event);

// Told what the firmware did that a user wants to see; called while the
// firmware is busy with the byte (with its lock held, when it is shared).
class FirmwareObserver {
public:
    virtual void commandReceived(const DeviceCommand& command) = 0;
    // A display sequence ended and the screen or its control differs from
    // what it was when the sequence began.
    virtual void displayChanged(const CustomerDisplay& display) = 0;

protected:
    ~FirmwareObserver() = default;
};

class Firmware {
public:
    explicit Firmware(std::uint16_t identification = kDefaultIdentification);

    void receive(std::uint8_t byte, HostLink& host);

    KeyboardMemory& memory() { return memory_; }
    const KeyboardMemory& memory() const { return memory_; }

    const Counters& counters() const { return counters_; }
    void resetCounters();
    ByteEvent lastEvent() const { return lastEvent_; }
    Refusal lastRefusal() const { return parser_.refusal(); }

    // Whether a frame or a device command is in progress (a byte that
    // arrives now belongs to it), and whether a display sequence is open.
    bool inFrame() const { return parser_.inFrame() || commands_.inProgress(); }
    bool inDisplaySequence() const { return displayOpen_; }
    // Give up what is in progress, as a new start would (counted as abandoned).
    void abandonFrame();
    void abandonDisplaySequence();

    // Whether the keyboard would take a byte now: not silent, not refusing
    // every byte.
    bool reachable() const;

    static constexpr std::size_t kMostLoggedCommands = 4096;
    static constexpr std::size_t kMostLoggedDisplayBytes = 65536;
    // The device commands received, oldest first; at the limit the older half
    // of a log is dropped.
    const std::vector<DeviceCommand>& commandLog() const { return commandLog_; }
    const CustomerDisplay& display() const { return display_; }
    CustomerDisplay& display() { return display_; }
    // Every byte of every display sequence, 0xEC and 0x00 included.
    const std::vector<std::uint8_t>& displayBytes() const { return displayBytes_; }
    void setObserver(FirmwareObserver* observer) { observer_ = observer; }

    // The line settings at which the echo is answered; nothing: at any.
    void answerEchoOnlyAt(std::optional<LineSettings> settings) { echoSettings_ = settings; }
    const std::optional<LineSettings>& echoSettings() const { return echoSettings_; }

    // Faults. Byte positions count from the next byte received: 1 is the
    // next byte. Arming a fault replaces one of the same kind.
    void refuseBytes(std::uint64_t position, std::uint64_t count = 1);
    void refuseEveryByte() { refuseBytes(1, ByteWindow::kForever); }
    void loseAnswers(std::uint64_t position, std::uint64_t count = 1);
    void goSilent(std::uint64_t position, std::uint64_t count = ByteWindow::kForever);
    void corruptReplies(const ReplyCorruption& corruption, int replies = 1);
    void clearFaults() { faults_ = FaultPlan{}; }
    const FaultPlan& faults() const { return faults_; }

private:
    ByteWindow windowFrom(std::uint64_t position, std::uint64_t count) const;
    void beginFrame();
    void endFrameEarly();
    void answerEcho(HostLink& host);
    void continueFrame(std::uint8_t byte, HostLink& host);
    void answerRead(HostLink& host);
    void answer(std::uint8_t value, HostLink& host);
    bool refusedOnRequest(HostLink& host);
    void receiveInSequence(std::uint8_t byte, HostLink& host);
    void startCommand(std::uint8_t code, HostLink& host);
    void record(DeviceCommand command);
    void openDisplaySequence(HostLink& host);
    void closeDisplaySequence(bool completed);
    void logDisplayByte(std::uint8_t byte);

    KeyboardMemory memory_;
    FrameParser parser_{kMemorySize};
    CommandReader commands_;
    std::vector<DeviceCommand> commandLog_;
    CustomerDisplay display_;
    bool displayOpen_ = false;
    std::vector<std::string> screenAtOpen_;
    DisplayControl controlAtOpen_;
    std::vector<std::uint8_t> displayBytes_;
    FirmwareObserver* observer_ = nullptr;
    Counters counters_;
    FaultPlan faults_;
    std::optional<LineSettings> echoSettings_;
    std::uint64_t byteNumber_ = 0;  // of the byte in hand; never reset, faults are placed by it
    ByteEvent lastEvent_ = ByteEvent::none;
};

}  // namespace kbxsim
