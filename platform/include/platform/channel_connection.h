#pragma once

// One client connection to the simulated keyboard's Unix socket
// (SOCK_SEQPACKET): a request goes out as one packet and its reply comes back
// as one packet, in order. The connection never hangs and never raises
// SIGPIPE: a reply that does not come within the time-out, a reply longer
// than the wire format allows, or a peer that went away break the connection,
// and every request after that fails at once.

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/channel_protocol.h"
#include "platform/unique_fd.h"

namespace kbx::platform {

inline constexpr std::chrono::milliseconds kChannelReplyTimeout{2000};

// A SOCK_SEQPACKET connection to the simulated keyboard's socket at `path`;
// not open on failure, with `why` telling the path and the reason in the
// user's terms: a path too long for a socket address, a path that names
// something else than a socket ("not a socket", where connect() itself
// only says the connection was refused), or the system's reason.
UniqueFd connectKeyboardSocket(const std::string& path, std::string& why);

class ChannelConnection {
public:
    // Connects to the socket at `path`: null when nothing listens there or
    // the path does not fit a socket address, with `why` telling the path and
    // the reason (connectKeyboardSocket).
    static std::unique_ptr<ChannelConnection> connect(const std::string& path, std::string& why,
                                                      std::chrono::milliseconds replyTimeout = kChannelReplyTimeout);

    ChannelConnection(UniqueFd socket, std::chrono::milliseconds replyTimeout);
    ChannelConnection(const ChannelConnection&) = delete;
    ChannelConnection& operator=(const ChannelConnection&) = delete;

    // Sends `request` (its kind first) and returns the reply packet (kind
    // `reply` first), or nothing when the request could not be made. A
    // request longer than the wire format allows is refused without breaking
    // the connection.
    std::optional<channel::Packet> request(const channel::Packet& request);

    bool broken() const { return !socket_.isOpen(); }

private:
    std::optional<channel::Packet> awaitReply();
    void breakConnection() { socket_.reset(); }

    UniqueFd socket_;
    std::chrono::milliseconds replyTimeout_;
};

}  // namespace kbx::platform
