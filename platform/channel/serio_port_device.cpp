#include "platform/channel/serio_port_device.h"

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <map>
#include <utility>

namespace kbx::platform {
namespace {

using Clock = std::chrono::steady_clock;

// The PS/2 keyboard's answers, as in format/keyboard_protocol.h: the platform sits below format/.
constexpr std::uint8_t kAcknowledge = 0xFA;
constexpr std::uint8_t kResend = 0xFE;
constexpr std::size_t kReadChunk = 64;  // the driver's queue holds no more
constexpr char kNotACharacterDevice[] = "not a character device";

// The ports open in this process, by path: the platform library's one
// table of shared devices.
struct OpenPorts {
    std::mutex mutex;
    std::map<std::string, std::weak_ptr<SerioPortDevice>> byPath;
};
OpenPorts& openPorts() {
    static OpenPorts ports;
    return ports;
}

UniqueFd makeWake() { return UniqueFd(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)); }

}  // namespace

std::shared_ptr<SerioPortDevice> SerioPortDevice::open(const std::string& path, std::string& error) {
    OpenPorts& ports = openPorts();
    std::lock_guard lock(ports.mutex);
    if (std::shared_ptr<SerioPortDevice> open = ports.byPath[path].lock()) return open;
    UniqueFd port(::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!port.isOpen()) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    // A raw port is a character device; anything else (a file the protocol
    // bytes would be appended to, a FIFO, ...) is refused before a byte is
    // written. Opening with O_NONBLOCK keeps a FIFO without a reader from
    // holding the open.
    struct stat status {};
    if (::fstat(port.get(), &status) != 0) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    if (!S_ISCHR(status.st_mode)) {
        error = path + ": " + kNotACharacterDevice;
        return nullptr;
    }
    std::shared_ptr<SerioPortDevice> opened = over(std::move(port));
    if (!opened) {
        error = path + ": " + std::strerror(errno);
        return nullptr;
    }
    ports.byPath[path] = opened;
    return opened;
}

std::shared_ptr<SerioPortDevice> SerioPortDevice::over(UniqueFd port) {
    // Reads take what has arrived and never wait.
    ::fcntl(port.get(), F_SETFL, ::fcntl(port.get(), F_GETFL) | O_NONBLOCK);
    UniqueFd wake = makeWake();
    if (!wake.isOpen()) return nullptr;
    return std::make_shared<SerioPortDevice>(std::move(port), std::move(wake));
}

void SerioPortDevice::keep(std::uint8_t byte) {
    kept_.push_back(byte);
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(wake_.get(), &one, sizeof one);
}

void SerioPortDevice::readWaiting(std::vector<std::uint8_t>& into) {
    std::array<std::uint8_t, kReadChunk> chunk{};
    for (;;) {
        const ssize_t got = ::read(port_.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        // The raw port never ends without an error; an end or an error
        // other than "nothing yet" is a port that went away.
        if (got == 0 || (got < 0 && errno != EAGAIN)) gone_ = true;
        if (got <= 0) return;
        into.insert(into.end(), chunk.begin(), chunk.begin() + got);
    }
}

bool SerioPortDevice::request(std::uint8_t byte, std::chrono::milliseconds timeout) {
    std::lock_guard lock(mutex_);
    std::vector<std::uint8_t> before;
    readWaiting(before);  // typed before the request: not its answer
    if (reading_)
        for (const std::uint8_t earlier : before) keep(earlier);

    ssize_t written;
    do {
        written = ::write(port_.get(), &byte, 1);
    } while (written < 0 && errno == EINTR);
    if (written != 1) return false;

    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) return false;
        pollfd ready{port_.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, int(left));
        if (polled < 0 && errno == EINTR) continue;
        if (polled <= 0) return false;
        std::uint8_t answer = 0;
        const ssize_t got = ::read(port_.get(), &answer, 1);
        if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
        if (got != 1) return false;
        if (answer == kAcknowledge) return true;
        if (answer == kResend) return false;
        if (reading_) keep(answer);  // a key press meanwhile
    }
}

bool SerioPortDevice::gone() {
    std::lock_guard lock(mutex_);
    return gone_;
}

void SerioPortDevice::setReader(bool reading) {
    std::lock_guard lock(mutex_);
    reading_ = reading;
}

std::vector<std::uint8_t> SerioPortDevice::take(std::size_t capacity) {
    std::lock_guard lock(mutex_);
    if (taken_.empty()) {
        taken_.assign(kept_.begin(), kept_.end());
        kept_.clear();
        std::uint64_t count = 0;
        [[maybe_unused]] const ssize_t drained = ::read(wake_.get(), &count, sizeof count);
        readWaiting(taken_);
    }
    const auto end = taken_.begin() + static_cast<std::ptrdiff_t>(std::min(capacity, taken_.size()));
    std::vector<std::uint8_t> bytes(taken_.begin(), end);
    taken_.erase(taken_.begin(), end);
    return bytes;
}

}  // namespace kbx::platform
