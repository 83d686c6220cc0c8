// kbx32 on serial ports that cannot be used: each tells the device behind
// the port name and the system's reason, and a port that opens but where no
// keyboard answers the search is told apart from one that cannot be opened.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "kbxsim/simulator.h"
#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
constexpr int kPortNotOpened = 6;
constexpr int kNoKeyboardFound = 12;

class Kbx32Ports : public ::testing::Test {
protected:
    void TearDown() override { ::unsetenv("KBX_COM1"); }

    kbxtest::ProcessResult headerFrom(const std::string& device, const std::string& interfaceString) {
        ::setenv("KBX_COM1", device.c_str(), 1);
        return kbxtest::runProgram(kKbx32, {"--header", interfaceString});
    }

    kbxtest::TempDir dir;
};

TEST_F(Kbx32Ports, ADeviceThatCannotBeUsedIsNamedWithTheReason) {
    kbxtest::writeFile(dir / "file", "not a port");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    struct Case {
        fs::path device;
        std::string reason;
    };
    const Case cases[] = {
        {dir / "none", "No such file or directory"},
        {dir.path(), "Is a directory"},
        {dir / "file", "not a serial port"},
        {dir / "fifo", "not a serial port"},
    };
    for (const Case& c : cases) {
        const kbxtest::ProcessResult run = headerFrom(c.device.string(), "COM1:9600,O,8");
        EXPECT_EQ(run.exitCode, kPortNotOpened) << c.device;
        EXPECT_NE(run.err.find(c.device.string() + ": " + c.reason), std::string::npos) << run.err;
    }
}

// A pseudo-terminal stands in for the port: its master end is the line.
struct Line {
    int master = -1;
    int slave = -1;
    std::string name;
    Line() {
        char path[128] = "";
        EXPECT_EQ(::openpty(&master, &slave, path, nullptr, nullptr), 0);
        name = path;
    }
    ~Line() {
        ::close(slave);
        ::close(master);
    }
};

TEST_F(Kbx32Ports, APortAnotherProgramHoldsIsBusy) {
    Line line;
    ASSERT_EQ(::ioctl(line.slave, TIOCEXCL), 0);  // held as the library holds a port it has open
    const kbxtest::ProcessResult run = headerFrom(line.name, "COM1:9600,O,8");
    EXPECT_EQ(run.exitCode, kPortNotOpened);
    EXPECT_NE(run.err.find(line.name + ": Device or resource busy"), std::string::npos) << run.err;
    ::ioctl(line.slave, TIOCNXCL);
}

TEST_F(Kbx32Ports, ASearchThatFindsNoKeyboardSaysSo) {
    Line line;  // nothing answers on the line
    const kbxtest::ProcessResult run = headerFrom(line.name, "COM1");
    EXPECT_EQ(run.exitCode, kNoKeyboardFound);
    EXPECT_EQ(run.err.rfind("kbx32: COM1: no line settings given, trying each until the keyboard answers\n", 0), 0u)
        << "told before the search: " << run.err;
    EXPECT_NE(run.err.find("no keyboard answered"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("konnte nicht"), std::string::npos) << "not that the port failed to open: " << run.err;
}

TEST_F(Kbx32Ports, PortGivesTheDeviceWithoutAnEnvironmentVariable) {
    kbxsim::Simulator keyboard;
    ::unsetenv("KBX_COM7");
    const kbxtest::ProcessResult run =
        kbxtest::runProgram(kKbx32, {"--port", keyboard.portPath(), "--header", "COM7:9600,O,8"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out.rfind("header ", 0), 0u) << run.out;
}

}  // namespace
