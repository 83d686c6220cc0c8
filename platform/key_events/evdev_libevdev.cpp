#include "platform/key_events/evdev_libevdev.h"

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#include "platform/key_events/set_one_keymap.h"
#include "platform/unique_fd.h"

namespace kbx::platform {
namespace {

constexpr char kPassOnName[] = "kbxfunc passed-on keys";
constexpr char kKeyboardPortName[] = "kbxfunc keyboard port";

std::string systemError(const std::string& what, int error) { return what + ": " + std::strerror(error); }

struct LibevdevFree {
    void operator()(libevdev* device) const { libevdev_free(device); }
};
struct UinputDestroy {
    void operator()(libevdev_uinput* device) const { libevdev_uinput_destroy(device); }
};

// The device's scan-code table through EVIOCGKEYCODE and EVIOCSKEYCODE.
class DeviceKeymap final : public ScanKeymap {
public:
    explicit DeviceKeymap(int fd) : fd_(fd) {}
    std::optional<std::uint16_t> keyOf(std::uint32_t scan) override {
        std::array<unsigned, 2> entry{scan, 0};
        if (::ioctl(fd_, EVIOCGKEYCODE, entry.data()) != 0) return std::nullopt;
        return std::uint16_t(entry[1]);
    }
    bool assign(std::uint32_t scan, std::uint16_t key) override {
        std::array<unsigned, 2> entry{scan, key};
        return ::ioctl(fd_, EVIOCSKEYCODE, entry.data()) == 0;
    }

private:
    int fd_;
};

class LibevdevKeyboard final : public EvdevKeyboard {
public:
    LibevdevKeyboard(UniqueFd fd, std::unique_ptr<libevdev, LibevdevFree> device)
        : fd_(std::move(fd)), device_(std::move(device)), keymap_(fd_.get()) {}

    int descriptor() const override { return fd_.get(); }
    std::string name() const override {
        const char* name = libevdev_get_name(device_.get());
        return name != nullptr ? name : "";
    }

    // After SYN_DROPPED, libevdev hands out the states that changed meanwhile
    // as events of their own, then goes on with the stream.
    Read next(EvdevEvent& event) override {
        input_event read{};
        for (;;) {
            const unsigned flags = resyncing_ ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL;
            const int status = libevdev_next_event(device_.get(), flags, &read);
            if (status == -EAGAIN && resyncing_) {
                resyncing_ = false;
                continue;
            }
            if (status == -EAGAIN || status == -EINTR) return Read::none;
            if (status < 0) return Read::gone;
            event = {read.type, read.code, read.value};
            if (status == LIBEVDEV_READ_STATUS_SYNC && !resyncing_) {
                resyncing_ = true;
                return Read::dropped;
            }
            return Read::event;
        }
    }

    bool anyKeyDown() const override {
        for (unsigned key = 0; key <= KEY_MAX; ++key)
            if (libevdev_has_event_code(device_.get(), EV_KEY, key) &&
                libevdev_get_event_value(device_.get(), EV_KEY, key) != 0)
                return true;
        return false;
    }
    bool grab(bool on) override { return libevdev_grab(device_.get(), on ? LIBEVDEV_GRAB : LIBEVDEV_UNGRAB) == 0; }
    void setLed(std::uint16_t led, bool on) override {
        if (libevdev_has_event_code(device_.get(), EV_LED, led))
            libevdev_kernel_set_led_value(device_.get(), led, on ? LIBEVDEV_LED_ON : LIBEVDEV_LED_OFF);
    }
    bool ledOn(std::uint16_t led) const override { return libevdev_get_event_value(device_.get(), EV_LED, led) != 0; }
    KeyboardModifiers modifiers() const override {
        const auto down = [&](unsigned key) { return libevdev_get_event_value(device_.get(), EV_KEY, key) != 0; };
        KeyboardModifiers state;
        state.shift = down(KEY_LEFTSHIFT);
        state.control = down(KEY_LEFTCTRL);
        state.alt = down(KEY_LEFTALT) || down(KEY_RIGHTALT);
        state.scrollLock = ledOn(LED_SCROLLL);
        state.numLock = ledOn(LED_NUML);
        state.capsLock = ledOn(LED_CAPSL);
        return state;
    }
    ScanKeymap& keymap() override { return keymap_; }

    libevdev* device() const { return device_.get(); }

private:
    UniqueFd fd_;
    std::unique_ptr<libevdev, LibevdevFree> device_;
    DeviceKeymap keymap_;
    bool resyncing_ = false;
};

class LibevdevPassOn final : public PassOnDevice {
public:
    explicit LibevdevPassOn(std::unique_ptr<libevdev_uinput, UinputDestroy> device) : device_(std::move(device)) {}
    int descriptor() const override { return libevdev_uinput_get_fd(device_.get()); }
    // A full queue loses the event, as a busy desktop would.
    void write(const EvdevEvent& event) override {
        libevdev_uinput_write_event(device_.get(), event.type, event.code, event.value);
    }
    bool nextRequest(EvdevEvent& request) override {
        input_event read{};
        const ssize_t length = ::read(descriptor(), &read, sizeof read);
        if (length != ssize_t(sizeof read)) return false;
        request = {read.type, read.code, read.value};
        return true;
    }

private:
    std::unique_ptr<libevdev_uinput, UinputDestroy> device_;
};

}  // namespace

LibevdevDevices openLibevdevDevices(const std::string& devicePath) {
    // Read and write: LED values are written to the device.
    UniqueFd fd(::open(devicePath.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC));
    if (!fd.isOpen()) return {nullptr, nullptr, systemError(devicePath, errno)};
    libevdev* opened = nullptr;
    const int status = libevdev_new_from_fd(fd.get(), &opened);
    if (status != 0) return {nullptr, nullptr, systemError(devicePath + ": not an input device", -status)};
    auto keyboard = std::make_unique<LibevdevKeyboard>(std::move(fd), std::unique_ptr<libevdev, LibevdevFree>(opened));

    // The pass-through device has the keyboard's keys, lights and repeat under a name of its own.
    libevdev* device = keyboard->device();
    const std::string name = keyboard->name();
    libevdev_set_name(device, kPassOnName);
    libevdev_uinput* created = nullptr;
    const int createStatus = libevdev_uinput_create_from_device(device, LIBEVDEV_UINPUT_OPEN_MANAGED, &created);
    libevdev_set_name(device, name.c_str());
    if (createStatus != 0)
        return {nullptr, nullptr, systemError("/dev/uinput: creating the pass-through device", -createStatus)};
    auto passOn = std::make_unique<LibevdevPassOn>(std::unique_ptr<libevdev_uinput, UinputDestroy>(created));
    // The desktop's requests are read without waiting.
    const int passOnFd = passOn->descriptor();
    ::fcntl(passOnFd, F_SETFL, ::fcntl(passOnFd, F_GETFL) | O_NONBLOCK);
    return {std::move(keyboard), std::move(passOn), {}};
}

std::unique_ptr<PassOnDevice> createKeyboardPortPassOn(std::string& error) {
    std::unique_ptr<libevdev, LibevdevFree> device(libevdev_new());
    libevdev_set_name(device.get(), kKeyboardPortName);
    libevdev_set_id_bustype(device.get(), BUS_I8042);
    for (const bool extended : {false, true})
        for (unsigned code = 1; code <= kHighestSetOneMake; ++code)
            if (const std::uint16_t key = defaultLinuxKeyOf({std::uint8_t(code), extended}); key != 0)
                libevdev_enable_event_code(device.get(), EV_KEY, key, nullptr);
    libevdev_uinput* created = nullptr;
    const int status = libevdev_uinput_create_from_device(device.get(), LIBEVDEV_UINPUT_OPEN_MANAGED, &created);
    if (status != 0) {
        error = systemError("/dev/uinput: creating the keyboard port's pass-through device", -status);
        return nullptr;
    }
    return std::make_unique<LibevdevPassOn>(std::unique_ptr<libevdev_uinput, UinputDestroy>(created));
}

}  // namespace kbx::platform
