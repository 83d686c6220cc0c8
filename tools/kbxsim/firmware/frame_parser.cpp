#include "tools/kbxsim/firmware/frame_parser.h"

namespace kbxsim {
namespace {

constexpr std::size_t kAddressDigits = 4;
constexpr std::size_t kCountDigits = 2;
constexpr std::size_t kChecksumDigits = 2;
constexpr std::size_t kHeaderValueDigits = kAddressDigits + kCountDigits;
constexpr int kNibbleBits = 4;
constexpr int kByteBits = 8;
constexpr std::uint32_t kByteMask = 0xFF;

struct RefusalName {
    Refusal refusal;
    std::string_view name;
};

constexpr std::array kRefusalNames{
    RefusalName{Refusal::none, "none"},
    RefusalName{Refusal::notHexDigit, "not a hex digit"},
    RefusalName{Refusal::headerChecksum, "header checksum"},
    RefusalName{Refusal::dataChecksum, "data checksum"},
    RefusalName{Refusal::outsideMemory, "outside the memory"},
};

}  // namespace

std::string_view refusalName(Refusal refusal) {
    for (const RefusalName& entry : kRefusalNames) {
        if (entry.refusal == refusal) return entry.name;
    }
    return kRefusalNames.front().name;
}

void FrameParser::start() {
    state_ = State::command;
    refusal_ = Refusal::none;
}

FrameStep FrameParser::take(std::uint8_t byte) {
    if (state_ == State::command) return takeCommand(byte);
    const auto value = hexDigitValue(byte);
    if (!value) return refuse(Refusal::notHexDigit);
    switch (state_) {
        case State::header:
            return takeHeaderDigit(*value);
        case State::data:
            return takeDataDigit(*value);
        case State::dataChecksum:
            return takeDataChecksumDigit(*value);
        case State::idle:
        case State::command:
            break;
    }
    return refuse(Refusal::notHexDigit);
}

FrameStep FrameParser::takeCommand(std::uint8_t byte) {
    state_ = State::idle;
    if (byte == kUpdateChecksumCommand) return FrameStep::updateChecksum;
    if (byte != kWriteCommand && byte != kReadCommand) return FrameStep::otherCommand;
    writing_ = byte == kWriteCommand;
    state_ = State::header;
    digitsTaken_ = 0;
    headerValue_ = 0;
    sum_ = NibbleSum{};
    return FrameStep::inProgress;
}

FrameStep FrameParser::takeHeaderDigit(std::uint8_t value) {
    ++digitsTaken_;
    if (digitsTaken_ <= kHeaderValueDigits) {
        headerValue_ = headerValue_ << kNibbleBits | value;
        sum_.add(value);
        return FrameStep::inProgress;
    }
    if (digitsTaken_ < kHeaderValueDigits + kChecksumDigits) {
        checksumHigh_ = value;
        return FrameStep::inProgress;
    }
    if (checksumHigh_ != sum_.highDigit() || value != sum_.lowDigit()) return refuse(Refusal::headerChecksum);
    return headerChecked();
}

FrameStep FrameParser::headerChecked() {
    address_ = static_cast<std::uint16_t>(headerValue_ >> kByteBits);
    count_ = headerValue_ & kByteMask;
    // Reads may reach past the memory (an upload of an empty keyboard reads
    // one block from its end on); writes may not.
    if (writing_ && std::size_t{address_} + count_ > memorySize_) return refuse(Refusal::outsideMemory);
    if (!writing_) {
        state_ = State::idle;
        return FrameStep::readComplete;
    }
    state_ = count_ == 0 ? State::dataChecksum : State::data;
    digitsTaken_ = 0;
    sum_ = NibbleSum{};
    return FrameStep::inProgress;
}

FrameStep FrameParser::takeDataDigit(std::uint8_t value) {
    const std::size_t index = digitsTaken_ / 2;
    if (digitsTaken_ % 2 == 0) {
        data_[index] = static_cast<std::uint8_t>(value << kNibbleBits);
    } else {
        data_[index] = static_cast<std::uint8_t>(data_[index] | value);
    }
    sum_.add(value);
    ++digitsTaken_;
    if (digitsTaken_ == 2 * count_) {
        state_ = State::dataChecksum;
        digitsTaken_ = 0;
    }
    return FrameStep::inProgress;
}

FrameStep FrameParser::takeDataChecksumDigit(std::uint8_t value) {
    ++digitsTaken_;
    if (digitsTaken_ < kChecksumDigits) {
        checksumHigh_ = value;
        return FrameStep::inProgress;
    }
    if (checksumHigh_ != sum_.highDigit() || value != sum_.lowDigit()) return refuse(Refusal::dataChecksum);
    state_ = State::idle;
    return FrameStep::writeComplete;
}

FrameStep FrameParser::refuse(Refusal refusal) {
    state_ = State::idle;
    refusal_ = refusal;
    return FrameStep::refused;
}

}  // namespace kbxsim
