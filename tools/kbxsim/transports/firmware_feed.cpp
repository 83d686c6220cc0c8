#include "tools/kbxsim/transports/firmware_feed.h"

#include <utility>

#include "kbxsim/hex_text.h"

namespace kbxsim {
namespace {

// Collects what the firmware sends for one byte.
class CollectingHost final : public HostLink {
public:
    void sendAnswer(std::uint8_t answer) override { answers.push_back(answer); }
    void sendReplyText(std::string_view text) override { replies.emplace_back(text); }
    std::optional<LineObservation> observeLine() override { return std::nullopt; }

    Answers answers;
    std::vector<std::string> replies;
};

// One byte the firmware received, for the log.
struct Received {
    std::uint8_t byte;
    bool implied;
    ByteEvent event;
    Answers answers;
};

void writeLog(std::ostream& log, const Received& received) {
    log << "kbxsim: <- " << hexByte(received.byte) << (received.implied ? " (implied) " : " ")
        << byteEventName(received.event);
    for (const std::uint8_t answer : received.answers) log << " -> " << hexByte(answer);
    log << '\n';
}

bool acknowledgedOnly(const Answers& answers) { return answers.size() == 1 && answers.front() == kAcknowledge; }

}  // namespace

bool accepted(const Answers& answers, std::uint8_t byte) {
    if (answers.empty()) return false;
    return answers.front() == kAcknowledge || (byte == kEcho && answers.front() == kEcho);
}

FirmwareFeed::FirmwareFeed(SharedFirmware& firmware, ReplySink replySink, std::ostream* log)
    : firmware_(firmware), replySink_(std::move(replySink)), log_(log) {}

Answers FirmwareFeed::give(std::uint8_t byte) { return exchange(byte, Path::plain); }

Answers FirmwareFeed::giveProtocolByte(std::uint8_t byte) { return exchange(byte, Path::protocol); }

Answers FirmwareFeed::giveDisplayByte(std::uint8_t byte) { return exchange(byte, Path::display); }

bool FirmwareFeed::reachable() {
    return firmware_.access([](const Firmware& firmware) { return firmware.reachable(); });
}

Answers FirmwareFeed::exchange(std::uint8_t byte, Path path) {
    CollectingHost host;
    std::vector<Received> received;
    firmware_.access([&](Firmware& firmware) {
        std::optional<std::uint8_t> implied;
        if (path == Path::protocol) {
            firmware.abandonDisplaySequence();
            if (!firmware.inFrame()) implied = kFramePrefix;
        } else if (path == Path::display) {
            firmware.abandonFrame();
            if (!firmware.inDisplaySequence()) implied = kDisplayStart;
        }
        if (implied) {
            firmware.receive(*implied, host);
            received.push_back(Received{*implied, true, firmware.lastEvent(), host.answers});
            if (!acknowledgedOnly(host.answers)) return;
            host.answers.clear();
        }
        firmware.receive(byte, host);
        received.push_back(Received{byte, false, firmware.lastEvent(), host.answers});
    });
    if (log_ != nullptr) {
        for (const Received& entry : received) writeLog(*log_, entry);
        log_->flush();
    }
    if (replySink_) {
        for (const std::string& reply : host.replies) replySink_(reply);
    }
    return std::move(host.answers);
}

}  // namespace kbxsim
