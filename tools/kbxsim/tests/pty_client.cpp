#include "tools/kbxsim/tests/pty_client.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "tools/kbxsim/transports/termios_speeds.h"

namespace kbxsim::test {

using Clock = std::chrono::steady_clock;

PtyClient::PtyClient(const std::string& path, const LineSettings& settings) {
    descriptor_ = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (descriptor_ < 0) throw std::runtime_error("cannot open " + path + ": " + std::strerror(errno));
    setLine(settings);
    ::tcflush(descriptor_, TCIOFLUSH);
}

PtyClient::~PtyClient() {
    if (descriptor_ >= 0) ::close(descriptor_);
}

void PtyClient::setLine(const LineSettings& settings) {
    termios line{};
    if (::tcgetattr(descriptor_, &line) != 0) throw std::runtime_error("tcgetattr failed");
    ::cfmakeraw(&line);
    const auto speed = speedOfBaud(settings.baud);
    if (!speed) throw std::runtime_error("no such baud rate");
    ::cfsetispeed(&line, *speed);
    ::cfsetospeed(&line, *speed);
    line.c_cflag &= ~tcflag_t(PARENB | PARODD | CSIZE);
    line.c_cflag |= tcflag_t(CS8 | CREAD | CLOCAL);
    if (settings.parity != Parity::none) line.c_cflag |= PARENB;
    if (settings.parity == Parity::odd) line.c_cflag |= PARODD;
    // The C library reads the settings back and reports EINVAL when the pty
    // dropped PARENB, although everything else was taken.
    if (::tcsetattr(descriptor_, TCSANOW, &line) != 0 && errno != EINVAL) {
        throw std::runtime_error(std::string("tcsetattr failed: ") + std::strerror(errno));
    }
    termios applied{};
    ::tcgetattr(descriptor_, &applied);
    if (::cfgetospeed(&applied) != *speed || (applied.c_cflag & PARODD) != (line.c_cflag & PARODD)) {
        throw std::runtime_error("line settings not taken");
    }
}

void PtyClient::send(const Bytes& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(descriptor_, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) throw std::runtime_error("write failed");
        done += static_cast<std::size_t>(written);
    }
}

Bytes PtyClient::receive(std::size_t count, std::chrono::milliseconds limit) {
    Bytes received;
    const Clock::time_point deadline = Clock::now() + limit;
    while (received.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) break;
        pollfd watch{descriptor_, POLLIN, 0};
        if (::poll(&watch, 1, static_cast<int>(left.count())) <= 0) continue;
        std::array<std::uint8_t, 256> buffer{};
        const ssize_t got = ::read(descriptor_, buffer.data(), std::min(buffer.size(), count - received.size()));
        if (got > 0) received.insert(received.end(), buffer.begin(), buffer.begin() + got);
    }
    return received;
}

Bytes PtyClient::exchange(const Bytes& bytes) {
    Bytes answers;
    for (const std::uint8_t byte : bytes) {
        send({byte});
        const Bytes answer = receive(1);
        answers.insert(answers.end(), answer.begin(), answer.end());
    }
    return answers;
}

}  // namespace kbxsim::test
