// A point-of-sale program that ends with the library open exits normally,
// whichever key event source the library has: its state is destroyed after
// the thread's event loop, and must not reach into that loop again.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <linux/input.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <filesystem>
#include <string>
#include <vector>

#include "kbxsim/simulator.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kProbe = fs::path(KBX_BIN_DIR) / "pos_exit_probe";

class PosExit : public testing::Test {
protected:
    void TearDown() override {
        ::unsetenv("KBX_KEYBOARD");
        ::unsetenv("KBX_USB");
        ::unsetenv("KBX_KEYBOARD_EVENTS");
    }
    static void expectBothEndingsExitNormally(const char* source) {
        for (const char* ending : {"return", "exit"}) {
            const kbxtest::ProcessResult run = kbxtest::runProgram(kProbe, {ending});
            EXPECT_EQ(run.exitCode, 0) << source << ", " << ending << ": " << run.err;
        }
    }
    kbxsim::Simulator keyboard;
};

TEST_F(PosExit, ReturningFromMainOrCallingExitWithTheLibraryOpenEndsNormally) {
    const std::string channel = "sim:" + keyboard.channelPath().string();
    struct Source {
        const char* variable;  // null: no key event source
        const char* name;
    };
    for (const Source source : {Source{nullptr, "none"}, Source{"KBX_KEYBOARD", "keyboard channel"},
                                Source{"KBX_USB", "USB"}}) {
        ::unsetenv("KBX_KEYBOARD");
        ::unsetenv("KBX_USB");
        if (source.variable != nullptr) ::setenv(source.variable, channel.c_str(), 1);
        expectBothEndingsExitNormally(source.name);
    }
}

// A pseudo-terminal in raw mode stands in for the raw PS/2 port.
TEST_F(PosExit, ProgramsReadingTheRawPortEndNormally) {
    int master = -1;
    int slave = -1;
    char name[128] = "";
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    ::setenv("KBX_KEYBOARD", (std::string("serio:") + name).c_str(), 1);
    expectBothEndingsExitNormally("raw port");
    ::close(slave);
    ::close(master);
}

// A keyboard made through uinput: the probe grabs it and makes its own
// pass-through device, and leaves neither behind.
TEST_F(PosExit, ProgramsReadingAnInputDeviceEndNormallyAndLetItGo) {
    if (::access("/dev/uinput", W_OK) != 0) GTEST_SKIP() << "no writable /dev/uinput here: the evdev source is untested";
    libevdev* device = libevdev_new();
    libevdev_set_name(device, "kbx exit test keyboard");
    libevdev_enable_event_code(device, EV_KEY, KEY_A, nullptr);
    libevdev_enable_event_code(device, EV_MSC, MSC_SCAN, nullptr);
    libevdev_uinput* uinput = nullptr;
    ASSERT_EQ(libevdev_uinput_create_from_device(device, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput), 0);
    libevdev_free(device);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // udev makes the node
    const std::string node = libevdev_uinput_get_devnode(uinput);
    ::setenv("KBX_KEYBOARD_EVENTS", ("evdev:" + node).c_str(), 1);
    expectBothEndingsExitNormally("evdev");
    const int fd = ::open(node.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_EQ(::ioctl(fd, EVIOCGRAB, 1), 0) << "the grab was left behind";
    ::close(fd);
    libevdev_uinput_destroy(uinput);
}

}  // namespace
