#include "platform/usb_switch.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/files.h"

namespace kbx::platform {
namespace {

class UsbSwitch : public testing::Test {
protected:
    void SetUp() override {
        save("XDG_CONFIG_HOME", config_);
        save("HOME", home_);
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", config_);
        restore("HOME", home_);
    }
    static void save(const char* name, std::optional<std::string>& value) {
        if (const char* old = std::getenv(name)) value = old;
    }
    static void restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    void createSwitch(const std::filesystem::path& folder) {
        std::filesystem::create_directories(folder / "LayomatV18");
        kbxtest::writeFile(folder / "LayomatV18" / "usb", "");
    }

    kbxtest::TempDir dir_;
    std::optional<std::string> config_;
    std::optional<std::string> home_;
};

TEST_F(UsbSwitch, FileInTheConfigurationFolderEnablesTheChoice) {
    setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
    EXPECT_FALSE(usbChoiceEnabled());
    createSwitch(dir_ / "config");
    EXPECT_TRUE(usbChoiceEnabled());
    EXPECT_EQ(usbSwitchPath(), (dir_ / "config" / "LayomatV18" / "usb").string());
}

TEST_F(UsbSwitch, UnsetOrEmptyConfigurationFolderMeansDotConfigAtHome) {
    setenv("HOME", dir_.path().c_str(), 1);
    createSwitch(dir_ / ".config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_TRUE(usbChoiceEnabled());
    setenv("XDG_CONFIG_HOME", "", 1);
    EXPECT_TRUE(usbChoiceEnabled());
    // A configuration folder named elsewhere hides the one at home.
    setenv("XDG_CONFIG_HOME", (dir_ / "elsewhere").c_str(), 1);
    EXPECT_FALSE(usbChoiceEnabled());
}

TEST_F(UsbSwitch, WithoutAnyFolderTheChoiceIsOff) {
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("HOME");
    EXPECT_EQ(usbSwitchPath(), "");
    EXPECT_FALSE(usbChoiceEnabled());
}

}  // namespace
}  // namespace kbx::platform
