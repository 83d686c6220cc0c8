#pragma once

// A host for the firmware alone: it records every answer and reply text and
// shows whatever line settings the test puts in.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/kbxsim/firmware/firmware.h"
#include "tools/kbxsim/firmware/host_link.h"

namespace kbxsim::test {

class RecordingHost final : public HostLink {
public:
    void sendAnswer(std::uint8_t answer) override { answers.push_back(answer); }
    void sendReplyText(std::string_view text) override { replies.emplace_back(text); }
    std::optional<LineObservation> observeLine() override { return line; }

    // Feeds every byte; the answers to them are what `answers` gained.
    std::vector<std::uint8_t> send(Firmware& firmware, const std::vector<std::uint8_t>& bytes) {
        const std::size_t before = answers.size();
        for (const std::uint8_t byte : bytes) firmware.receive(byte, *this);
        return std::vector<std::uint8_t>(answers.begin() + static_cast<std::ptrdiff_t>(before), answers.end());
    }

    std::vector<std::uint8_t> answers;
    std::vector<std::string> replies;
    std::optional<LineObservation> line;
};

}  // namespace kbxsim::test
