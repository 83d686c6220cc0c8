#pragma once

// What the simulated keyboard counts: the firmware every byte, frame and
// answer, the keyboard channel its connections, requests and key events. A
// test reads them to see what the host did.

#include <cstdint>

namespace kbxsim {

// Counted by the firmware, whichever channel the bytes came on.
struct Counters {
    std::uint64_t bytesReceived = 0;
    std::uint64_t framesStarted = 0;    // every 0xEF, also one that is refused
    std::uint64_t framesCompleted = 0;  // write, read, checksum update, other command
    std::uint64_t framesRefused = 0;    // ended with 0xFE
    std::uint64_t framesAbandoned = 0;  // ended by 0xEF, 0xEE or 0xF4 before their end
    std::uint64_t writeFrames = 0;
    std::uint64_t readFrames = 0;
    std::uint64_t checksumUpdates = 0;
    std::uint64_t otherCommands = 0;
    std::uint64_t enables = 0;
    std::uint64_t echoesAnswered = 0;
    std::uint64_t echoesUnanswered = 0;  // the line did not match the echo settings
    std::uint64_t acknowledgements = 0;  // 0xFA sent
    std::uint64_t refusals = 0;          // 0xFE sent
    std::uint64_t lostAnswers = 0;
    std::uint64_t silentBytes = 0;
    std::uint64_t corruptedReplies = 0;
    std::uint64_t deviceCommands = 0;    // known device commands, complete with their arguments
    std::uint64_t displaySequences = 0;  // closed by 0x00
    std::uint64_t displayBytes = 0;      // between 0xEC and 0x00
    friend bool operator==(const Counters&, const Counters&) = default;
};

// Counted by the keyboard channel.
struct KeyboardChannelCounters {
    std::uint64_t connections = 0;     // accepted
    std::uint64_t subscriptions = 0;
    std::uint64_t requests = 0;
    std::uint64_t badRequests = 0;     // the connection was closed for them
    std::uint64_t eventsTyped = 0;     // key events sent, counted once per event
    std::uint64_t eventsLost = 0;      // typed while no connection listened, or a queue was full
    std::uint64_t usbCloses = 0;
};

}  // namespace kbxsim
