#pragma once

// The serial channel: the firmware on a pseudo-terminal. Bytes the host
// writes to the slave are read from the master and fed to the firmware one
// at a time; answers and reply texts are written back to the master, paced to
// the slave's baud rate when asked to. The host's line settings, which the
// echo is checked against, are read from the slave through the master.
//
// The host opens and closes the slave for every operation. While no one else
// has it open the master would report a hang-up; the pseudo-terminal keeps a
// slave descriptor of its own so that this does not happen, and should a
// hang-up or read error persist anyway the channel leaves the master out of
// the poll for a short pause instead of spinning.
//
// A host killed while it held the line exclusively cannot give it back; each
// time the line has been quiet for kHoldCheckInterval the channel looks
// whether the slave is still held by a host that is gone, and gives such a
// hold back, so that the next host can open the line.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "tools/kbxsim/firmware/host_link.h"
#include "tools/kbxsim/firmware/shared_firmware.h"
#include "tools/kbxsim/transports/channel.h"
#include "tools/kbxsim/transports/paced_bytes.h"
#include "tools/kbxsim/transports/pseudo_terminal.h"

namespace kbxsim {

struct SerialChannelOptions {
    bool lineRate = false;  // both directions no faster than the slave's line settings carry
    std::chrono::milliseconds adapterLatency{0};  // added before answers reach the host
    std::ostream* log = nullptr;                  // one line per byte received, when given
};

class SerialChannel final : public Channel, private HostLink {
public:
    static constexpr std::chrono::milliseconds kHangUpPause{20};
    static constexpr std::chrono::milliseconds kHoldCheckInterval{250};

    SerialChannel(PseudoTerminal& terminal, SharedFirmware& firmware, SerialChannelOptions options);

    pollfd watch(Clock::time_point now) override;
    std::optional<Clock::time_point> wakeTime(Clock::time_point now) const override;
    void service(short events, Clock::time_point now) override;

    std::uint64_t droppedOutput() const { return output_.dropped(); }

private:
    void sendAnswer(std::uint8_t answer) override;
    void sendReplyText(std::string_view text) override;
    std::optional<LineObservation> observeLine() override { return terminal_.observeLine(); }

    // How the line carries the host's bytes to the keyboard and its answers back.
    LinePace inputPace() const;
    LinePace outputPace() const;
    void readInput(Clock::time_point now);
    void deliverInput(Clock::time_point now);
    void feed(std::uint8_t byte);
    void writeOutput(Clock::time_point now);
    void pause(Clock::time_point now) { pausedUntil_ = now + kHangUpPause; }
    void checkHold(Clock::time_point now);

    PseudoTerminal& terminal_;
    SharedFirmware& firmware_;
    SerialChannelOptions options_;
    PacedBytes input_;
    PacedBytes output_;
    std::optional<Clock::time_point> pausedUntil_;
    Clock::time_point nextHoldCheck_;  // pushed on by every byte from the host
    Clock::time_point serviceTime_{};
    std::string logLine_;
};

}  // namespace kbxsim
