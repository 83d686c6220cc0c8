#pragma once

// A tiny host for the simulated keyboard's pseudo-terminal: it opens the
// slave as the interface library opens a serial port, sets the line, and
// sends bytes one at a time waiting for each answer.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "kbxsim/line_settings.h"

namespace kbxsim::test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::chrono::milliseconds kAnswerTime{1000};  // generous: a loaded machine
inline constexpr std::chrono::milliseconds kQuietTime{150};    // to see that nothing comes

class PtyClient {
public:
    // Opens `path` and sets the line to `settings`, raw. Fails the test (with
    // an exception) when it cannot.
    explicit PtyClient(const std::string& path, const LineSettings& settings = {});
    ~PtyClient();
    PtyClient(const PtyClient&) = delete;
    PtyClient& operator=(const PtyClient&) = delete;

    void setLine(const LineSettings& settings);
    void send(const Bytes& bytes);

    // Reads until `count` bytes came or `limit` passed.
    Bytes receive(std::size_t count, std::chrono::milliseconds limit = kAnswerTime);

    // Sends each byte and waits for its one-byte answer; the answers (fewer
    // when some did not come).
    Bytes exchange(const Bytes& bytes);

private:
    int descriptor_ = -1;
};

}  // namespace kbxsim::test
