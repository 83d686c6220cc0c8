#include "tools/kbx32/serial_port_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/files.h"

namespace kbx32 {
namespace {

namespace fs = std::filesystem;

// A device folder as udev lays it out: the adapters' nodes, and their stable
// names as relative links in serial/by-id.
TEST(SerialPortList, AdaptersAreListedWithTheirStableNames) {
    kbxtest::TempDir dev;
    for (const char* node : {"ttyUSB1", "ttyUSB0", "ttyACM0", "ttyS0", "ttyUSBx", "tty0", "null"})
        kbxtest::writeFile(dev / node, "");
    fs::create_directories(dev / "serial" / "by-id");
    fs::create_symlink("../../ttyUSB0", dev / "serial" / "by-id" / "usb-FTDI_FT232R_USB_UART_A1-if00-port0");
    fs::create_symlink("../../ttyACM0", dev / "serial" / "by-id" / "usb-Till_Keyboard_0001-if00");

    const std::vector<SerialPortEntry> ports = listSerialPorts(dev.path());
    ASSERT_EQ(ports.size(), 3u) << "no ttyS without a UART, nothing that is no port";
    EXPECT_EQ(ports[0].device, (dev / "ttyACM0").string());
    EXPECT_EQ(ports[0].stableNames,
              std::vector<std::string>{(dev / "serial" / "by-id" / "usb-Till_Keyboard_0001-if00").string()});
    EXPECT_EQ(ports[1].device, (dev / "ttyUSB0").string());
    EXPECT_EQ(ports[2].device, (dev / "ttyUSB1").string());
    EXPECT_TRUE(ports[2].stableNames.empty());
    EXPECT_EQ(serialPortListText(ports).substr(0, ports[0].device.size() + 2), ports[0].device + "  ");
}

TEST(SerialPortList, NoPortsSaySo) {
    kbxtest::TempDir dev;
    EXPECT_TRUE(listSerialPorts(dev.path()).empty());
    EXPECT_EQ(serialPortListText({}), "no serial ports found\n");
}

}  // namespace
}  // namespace kbx32
