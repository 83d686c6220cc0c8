#pragma once

// The frames the host sends after the prefix byte 0xEF, taken one byte at a
// time: the write frame (0x0F, four address digits, two count digits, two
// checksum digits of those six, two digits per data byte, two checksum digits
// of the data digits), the read frame (0x0E and the same eight header digits),
// the checksum update (0x12) and any other command byte.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "kbxsim/hex_text.h"

namespace kbxsim {

// Its own frame bytes, not format/keyboard_protocol.h's: an independent check
// of the libraries.
inline constexpr std::uint8_t kFramePrefix = 0xEF;
inline constexpr std::uint8_t kWriteCommand = 0x0F;
inline constexpr std::uint8_t kReadCommand = 0x0E;
inline constexpr std::uint8_t kUpdateChecksumCommand = 0x12;
inline constexpr std::size_t kMostFrameBytes = 255;  // two count digits

enum class FrameStep {
    inProgress,      // the byte fits; more must follow
    refused,         // the frame is bad and ends here; see refusal()
    writeComplete,   // a write frame checked: address() and data()
    readComplete,    // a read frame checked: address() and count()
    updateChecksum,  // 0xEF 0x12
    otherCommand,    // 0xEF and a command byte this keyboard does not know
};

enum class Refusal { none, notHexDigit, headerChecksum, dataChecksum, outsideMemory };
std::string_view refusalName(Refusal refusal);

class FrameParser {
public:
    explicit FrameParser(std::size_t memorySize) : memorySize_(memorySize) {}

    bool inFrame() const { return state_ != State::idle; }

    // The prefix byte arrived: a new frame begins, whatever came before.
    void start();
    void abandon() { state_ = State::idle; }

    // A byte of the frame after the prefix. Only while inFrame().
    FrameStep take(std::uint8_t byte);

    Refusal refusal() const { return refusal_; }
    std::uint16_t address() const { return address_; }
    std::size_t count() const { return count_; }
    std::span<const std::uint8_t> data() const { return std::span(data_).first(count_); }

private:
    enum class State { idle, command, header, data, dataChecksum };

    FrameStep takeCommand(std::uint8_t byte);
    FrameStep takeHeaderDigit(std::uint8_t value);
    FrameStep takeDataDigit(std::uint8_t value);
    FrameStep takeDataChecksumDigit(std::uint8_t value);
    FrameStep refuse(Refusal refusal);
    FrameStep headerChecked();

    std::size_t memorySize_;
    State state_ = State::idle;
    bool writing_ = false;
    std::size_t digitsTaken_ = 0;  // of the current part
    std::uint32_t headerValue_ = 0;
    NibbleSum sum_;
    std::uint8_t checksumHigh_ = 0;
    std::uint16_t address_ = 0;
    std::size_t count_ = 0;
    std::array<std::uint8_t, kMostFrameBytes> data_{};
    Refusal refusal_ = Refusal::none;
};

}  // namespace kbxsim
