#include "tools/kbxsim/firmware/firmware.h"

#include <array>
#include <utility>
#include <vector>

#include "kbxsim/hex_text.h"

namespace kbxsim {
namespace {

struct EventName {
    ByteEvent event;
    std::string_view name;
};

constexpr std::array kEventNames{
    EventName{ByteEvent::none, "nothing"},
    EventName{ByteEvent::silent, "ignored (silent)"},
    EventName{ByteEvent::refusedOnRequest, "refused (fault)"},
    EventName{ByteEvent::frameStarted, "frame started"},
    EventName{ByteEvent::frameContinues, "frame continues"},
    EventName{ByteEvent::frameRefused, "frame refused"},
    EventName{ByteEvent::writeStored, "write frame stored"},
    EventName{ByteEvent::readAnswered, "read frame answered"},
    EventName{ByteEvent::checksumUpdated, "checksum updated"},
    EventName{ByteEvent::otherCommand, "other command"},
    EventName{ByteEvent::echoAnswered, "echo answered"},
    EventName{ByteEvent::echoAtOtherSettings, "echo at other line settings, not answered"},
    EventName{ByteEvent::enabled, "enable"},
    EventName{ByteEvent::singleByte, "single byte"},
    EventName{ByteEvent::deviceCommand, "device command"},
    EventName{ByteEvent::commandArgument, "command argument"},
    EventName{ByteEvent::displayStarted, "display sequence opened"},
    EventName{ByteEvent::displayByte, "display byte"},
    EventName{ByteEvent::displayEnded, "display sequence closed"},
};

// Logs keep their newest entries: at the limit the older half goes at once.
template <typename Entry>
void dropOldestHalfWhenFull(std::vector<Entry>& log, std::size_t most) {
    if (log.size() < most) return;
    log.erase(log.begin(), log.begin() + static_cast<std::ptrdiff_t>(most / 2));
}

}  // namespace

std::string_view byteEventName(ByteEvent event) {
    for (const EventName& entry : kEventNames) {
        if (entry.event == event) return entry.name;
    }
    return kEventNames.front().name;
}

Firmware::Firmware(std::uint16_t identification) : memory_(identification) {}

void Firmware::resetCounters() {
    counters_ = Counters{};
    memory_.resetWriteCounts();
}

ByteWindow Firmware::windowFrom(std::uint64_t position, std::uint64_t count) const {
    return ByteWindow{byteNumber_ + (position == 0 ? 1 : position), count};
}

void Firmware::refuseBytes(std::uint64_t position, std::uint64_t count) {
    faults_.refuse = windowFrom(position, count);
}

void Firmware::loseAnswers(std::uint64_t position, std::uint64_t count) {
    faults_.loseAcknowledgement = windowFrom(position, count);
}

void Firmware::goSilent(std::uint64_t position, std::uint64_t count) {
    faults_.silence = windowFrom(position, count);
}

void Firmware::corruptReplies(const ReplyCorruption& corruption, int replies) {
    faults_.replyCorruption = corruption;
    faults_.corruptedRepliesLeft = replies;
}

void Firmware::receive(std::uint8_t byte, HostLink& host) {
    ++byteNumber_;
    ++counters_.bytesReceived;
    if (faults_.silence.covers(byteNumber_)) {
        ++counters_.silentBytes;
        lastEvent_ = ByteEvent::silent;
        return;
    }
    if (displayOpen_ || commands_.inProgress()) return receiveInSequence(byte, host);
    if (byte == kFramePrefix) beginFrame();
    if (refusedOnRequest(host)) {
        if (parser_.inFrame()) {
            parser_.abandon();
            ++counters_.framesRefused;
        }
        return;
    }
    if (byte == kFramePrefix) {
        lastEvent_ = ByteEvent::frameStarted;
        answer(kAcknowledge, host);
    } else if (byte == kEcho) {
        endFrameEarly();
        answerEcho(host);
    } else if (byte == kEnable) {
        endFrameEarly();
        ++counters_.enables;
        lastEvent_ = ByteEvent::enabled;
        answer(kAcknowledge, host);
    } else if (parser_.inFrame()) {
        continueFrame(byte, host);
    } else if (byte == kDisplayStart) {
        openDisplaySequence(host);
    } else {
        lastEvent_ = ByteEvent::singleByte;
        answer(kAcknowledge, host);
    }
}

bool Firmware::refusedOnRequest(HostLink& host) {
    if (!faults_.refuse.covers(byteNumber_)) return false;
    lastEvent_ = ByteEvent::refusedOnRequest;
    answer(kRefuse, host);
    return true;
}

// Inside a display sequence or the arguments of a device command every byte
// is taken as it is; a refused byte is not taken, and what is open stays open.
void Firmware::receiveInSequence(std::uint8_t byte, HostLink& host) {
    if (refusedOnRequest(host)) return;
    if (displayOpen_) {
        logDisplayByte(byte);
        if (byte == kDisplayEnd) {
            closeDisplaySequence(true);
            lastEvent_ = ByteEvent::displayEnded;
        } else {
            ++counters_.displayBytes;
            display_.take(byte);
            lastEvent_ = ByteEvent::displayByte;
        }
    } else {
        lastEvent_ = ByteEvent::commandArgument;
        if (auto command = commands_.take(byte)) {
            ++counters_.framesCompleted;
            record(std::move(*command));
        }
    }
    answer(kAcknowledge, host);
}

void Firmware::startCommand(std::uint8_t code, HostLink& host) {
    ++counters_.otherCommands;
    lastEvent_ = ByteEvent::deviceCommand;
    if (auto command = commands_.start(code)) {
        ++counters_.framesCompleted;
        record(std::move(*command));
    }
    answer(kAcknowledge, host);
}

void Firmware::record(DeviceCommand command) {
    if (findDeviceCommand(command.code) != nullptr) ++counters_.deviceCommands;
    dropOldestHalfWhenFull(commandLog_, kMostLoggedCommands);
    commandLog_.push_back(std::move(command));
    if (observer_ != nullptr) observer_->commandReceived(commandLog_.back());
}

void Firmware::openDisplaySequence(HostLink& host) {
    displayOpen_ = true;
    screenAtOpen_ = display_.screen();
    controlAtOpen_ = display_.control();
    logDisplayByte(kDisplayStart);
    lastEvent_ = ByteEvent::displayStarted;
    answer(kAcknowledge, host);
}

void Firmware::closeDisplaySequence(bool completed) {
    displayOpen_ = false;
    display_.endSequence();
    if (completed) ++counters_.displaySequences;
    const bool changed = display_.screen() != screenAtOpen_ || !(display_.control() == controlAtOpen_);
    if (changed && observer_ != nullptr) observer_->displayChanged(display_);
}

void Firmware::abandonDisplaySequence() {
    if (displayOpen_) closeDisplaySequence(false);
}

void Firmware::abandonFrame() {
    if (commands_.inProgress()) {
        commands_.abandon();
        ++counters_.framesAbandoned;
    }
    endFrameEarly();
}

bool Firmware::reachable() const {
    const std::uint64_t next = byteNumber_ + 1;
    if (faults_.silence.covers(next)) return false;
    return !(faults_.refuse.covers(next) && faults_.refuse.count == ByteWindow::kForever);
}

void Firmware::logDisplayByte(std::uint8_t byte) {
    dropOldestHalfWhenFull(displayBytes_, kMostLoggedDisplayBytes);
    displayBytes_.push_back(byte);
}

void Firmware::beginFrame() {
    endFrameEarly();
    parser_.start();
    ++counters_.framesStarted;
}

void Firmware::endFrameEarly() {
    if (!parser_.inFrame()) return;
    parser_.abandon();
    ++counters_.framesAbandoned;
}

void Firmware::answerEcho(HostLink& host) {
    if (echoSettings_) {
        const auto line = host.observeLine();
        if (line && !lineMatches(*echoSettings_, *line)) {
            ++counters_.echoesUnanswered;
            lastEvent_ = ByteEvent::echoAtOtherSettings;
            return;
        }
    }
    ++counters_.echoesAnswered;
    lastEvent_ = ByteEvent::echoAnswered;
    answer(kEcho, host);
}

void Firmware::continueFrame(std::uint8_t byte, HostLink& host) {
    switch (parser_.take(byte)) {
        case FrameStep::inProgress:
            lastEvent_ = ByteEvent::frameContinues;
            answer(kAcknowledge, host);
            return;
        case FrameStep::refused:
            ++counters_.framesRefused;
            lastEvent_ = ByteEvent::frameRefused;
            answer(kRefuse, host);
            return;
        case FrameStep::writeComplete: {
            const auto data = parser_.data();
            for (std::size_t i = 0; i < data.size(); ++i) memory_.storeFromHost(parser_.address() + i, data[i]);
            ++counters_.writeFrames;
            lastEvent_ = ByteEvent::writeStored;
            break;
        }
        case FrameStep::readComplete:
            ++counters_.framesCompleted;
            ++counters_.readFrames;
            lastEvent_ = ByteEvent::readAnswered;
            answer(kAcknowledge, host);
            answerRead(host);
            return;
        case FrameStep::updateChecksum:
            memory_.updateChecksum();
            ++counters_.checksumUpdates;
            lastEvent_ = ByteEvent::checksumUpdated;
            break;
        case FrameStep::otherCommand:
            startCommand(byte, host);
            return;
    }
    ++counters_.framesCompleted;
    answer(kAcknowledge, host);
}

void Firmware::answerRead(HostLink& host) {
    // Addresses past the memory read as zero.
    std::vector<std::uint8_t> bytes(parser_.count(), 0);
    for (std::size_t i = 0; i < bytes.size() && parser_.address() + i < kMemorySize; ++i) {
        bytes[i] = memory_.bytes()[parser_.address() + i];
    }
    std::string text = replyText(bytes);
    if (faults_.corruptedRepliesLeft != 0) {
        text = corruptReply(std::move(text), faults_.replyCorruption);
        ++counters_.corruptedReplies;
        if (faults_.corruptedRepliesLeft > 0) --faults_.corruptedRepliesLeft;
    }
    host.sendReplyText(text);
}

void Firmware::answer(std::uint8_t value, HostLink& host) {
    if (faults_.loseAcknowledgement.covers(byteNumber_)) {
        ++counters_.lostAnswers;
        return;
    }
    if (value == kAcknowledge) ++counters_.acknowledgements;
    if (value == kRefuse) ++counters_.refusals;
    host.sendAnswer(value);
}

}  // namespace kbxsim
