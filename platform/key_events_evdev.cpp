#include "platform/key_events_evdev.h"

#include <fcntl.h>
#include <linux/input.h>
#include <linux/uinput.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/evdev_decoder.h"
#include "platform/event_loop.h"
#include "platform/unique_fd.h"

namespace kbx::platform {
namespace {

constexpr char kUinputPath[] = "/dev/uinput";
constexpr char kInjectorName[] = "kbxfunc passed-on keys";
constexpr std::size_t kEventsPerRead = 64;
constexpr std::size_t kBitsPerByte = 8;

std::string systemError(const std::string& what) { return what + ": " + std::strerror(errno); }

template <std::size_t Bits>
bool bitSet(const std::array<unsigned char, (Bits + kBitsPerByte - 1) / kBitsPerByte>& bits, unsigned bit) {
    return bit < Bits && (bits[bit / kBitsPerByte] >> (bit % kBitsPerByte)) & 1;
}

// The uinput device through which passed-on events reach the desktop.
UniqueFd createInjector(std::string& error) {
    UniqueFd fd(::open(kUinputPath, O_WRONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen()) {
        error = systemError(kUinputPath);
        return {};
    }
    bool configured = ::ioctl(fd.get(), UI_SET_EVBIT, EV_KEY) == 0 && ::ioctl(fd.get(), UI_SET_EVBIT, EV_SYN) == 0;
    for (int key = 1; configured && key < KEY_MAX; ++key) configured = ::ioctl(fd.get(), UI_SET_KEYBIT, key) == 0;
    uinput_setup setup{};
    setup.id.bustype = BUS_VIRTUAL;
    std::strncpy(setup.name, kInjectorName, sizeof setup.name - 1);
    if (!configured || ::ioctl(fd.get(), UI_DEV_SETUP, &setup) != 0 || ::ioctl(fd.get(), UI_DEV_CREATE) != 0) {
        error = systemError(std::string(kUinputPath) + ": creating the re-injection device");
        return {};
    }
    return fd;
}

class EvdevKeyEvents final : public KeyEventSource {
public:
    EvdevKeyEvents(UniqueFd device, UniqueFd injector, KeyEventHandler handler)
        : device_(std::move(device)), injector_(std::move(injector)), handler_(std::move(handler)) {}
    ~EvdevKeyEvents() override {
        stopWatching();
        ::ioctl(device_.get(), EVIOCGRAB, 0);
        ::ioctl(injector_.get(), UI_DEV_DESTROY);
    }
    EvdevKeyEvents(const EvdevKeyEvents&) = delete;
    EvdevKeyEvents& operator=(const EvdevKeyEvents&) = delete;

    bool startWatching() {
        watch_ = watchDescriptor(device_.get(), [this] { readEvents(); });
        return watch_ != 0;
    }

    KeyboardModifiers modifiers() const override {
        std::array<unsigned char, (KEY_CNT + kBitsPerByte - 1) / kBitsPerByte> keys{};
        std::array<unsigned char, (LED_CNT + kBitsPerByte - 1) / kBitsPerByte> leds{};
        KeyboardModifiers state;
        if (::ioctl(device_.get(), EVIOCGKEY(keys.size()), keys.data()) >= 0) {
            state.shift = bitSet<KEY_CNT>(keys, KEY_LEFTSHIFT);
            state.control = bitSet<KEY_CNT>(keys, KEY_LEFTCTRL);
            state.alt = bitSet<KEY_CNT>(keys, KEY_LEFTALT) || bitSet<KEY_CNT>(keys, KEY_RIGHTALT);
        }
        if (::ioctl(device_.get(), EVIOCGLED(leds.size()), leds.data()) >= 0) {
            state.scrollLock = bitSet<LED_CNT>(leds, LED_SCROLLL);
            state.numLock = bitSet<LED_CNT>(leds, LED_NUML);
            state.capsLock = bitSet<LED_CNT>(leds, LED_CAPSL);
        }
        return state;
    }

private:
    void stopWatching() {
        if (watch_ != 0) unwatchDescriptor(watch_);
        watch_ = 0;
    }

    void readEvents() {
        std::array<input_event, kEventsPerRead> events{};
        const ssize_t length = ::read(device_.get(), events.data(), sizeof events);
        if (length < 0 && (errno == EAGAIN || errno == EINTR)) return;
        if (length <= 0) {  // the device went away
            stopWatching();
            return;
        }
        const std::size_t count = std::size_t(length) / sizeof(input_event);
        for (std::size_t i = 0; i < count && watch_ != 0; ++i) handle(events[i]);
    }

    void handle(const input_event& event) {
        const DecodedEvent decoded = decoder_.decode({event.type, event.code, event.value});
        switch (decoded.kind) {
        case DecodedEvent::Kind::none:
            return;
        case DecodedEvent::Kind::key:
            if (decoded.keyData && handler_(*decoded.keyData)) return;
            [[fallthrough]];
        case DecodedEvent::Kind::other:
            inject(event);
            return;
        }
    }

    void inject(const input_event& event) {
        std::array<input_event, 2> report{};
        report[0].type = event.type;
        report[0].code = event.code;
        report[0].value = event.value;
        report[1].type = EV_SYN;
        report[1].code = SYN_REPORT;
        // A full event queue loses the event, as a busy desktop would.
        [[maybe_unused]] const ssize_t written = ::write(injector_.get(), report.data(), sizeof report);
    }

    UniqueFd device_;
    UniqueFd injector_;
    KeyEventHandler handler_;
    EvdevDecoder decoder_;
    WatchId watch_ = 0;
};

OpenedKeyEventSource failure(std::string error) { return {nullptr, true, std::move(error)}; }

}  // namespace

OpenedKeyEventSource openEvdevKeyEvents(const std::string& devicePath, KeyEventHandler handler) {
    UniqueFd device(::open(devicePath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!device.isOpen()) return failure(systemError(devicePath));
    std::string error;
    UniqueFd injector = createInjector(error);
    if (!injector.isOpen()) return failure(error);
    if (::ioctl(device.get(), EVIOCGRAB, 1) != 0) return failure(systemError(devicePath + ": grabbing the device"));
    auto source = std::make_unique<EvdevKeyEvents>(std::move(device), std::move(injector), std::move(handler));
    if (!source->startWatching()) return failure(devicePath + ": cannot watch the device");
    return {std::move(source), false, {}};
}

}  // namespace kbx::platform
