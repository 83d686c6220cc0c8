#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include "iface/interface_string.h"

namespace kbxi {
namespace {

class InterfaceStringTest : public testing::Test {
protected:
    int parse(const char* text) {
        std::snprintf(buffer_, sizeof buffer_, "%s", text);
        MessageBuffer message(buffer_, sizeof buffer_);
        InterfaceTargets targets{selection_, serialSelected_, checkRequested_,
                                 [this](std::string& why) {
                                     if (usbResult_ != 0) why = "The USB library libkbxusb.so cannot be loaded";
                                     return ++usbBinds_, usbResult_;
                                 },
                                 [this](const SerialRequest& request) {
                                     opened_ = request;
                                     return serialResult_;
                                 }};
        return parseInterfaceString(message, targets);
    }
    std::string buffer() const { return buffer_; }

    char buffer_[128] = "";
    Selection selection_;
    bool serialSelected_ = false;
    bool checkRequested_ = false;
    int usbBinds_ = 0;
    int usbResult_ = 0;
    int serialResult_ = 0;
    std::optional<SerialRequest> opened_;
};

TEST_F(InterfaceStringTest, KeyboardPortIsAcceptedInEitherCase) {
    for (const char* text : {"AT", "at", "At keyboard"}) {
        EXPECT_EQ(parse(text), 0) << text;
        EXPECT_EQ(buffer(), "") << text;
    }
    EXPECT_EQ(getInterface(selection_), 0);  // the selection is not touched
    EXPECT_FALSE(opened_);
    EXPECT_EQ(usbBinds_, 0);
}

TEST_F(InterfaceStringTest, UsbAddsItsFlagAndBindsTheLibrary) {
    selection_.set(PortTransport::driver);
    EXPECT_EQ(parse("usb"), 0);
    EXPECT_EQ(usbBinds_, 1);
    EXPECT_TRUE(selection_.has(PortTransport::usb));
    EXPECT_TRUE(selection_.has(PortTransport::driver));
}

TEST_F(InterfaceStringTest, UsbWithoutItsLibraryFailsNamingTheLibrary) {
    usbResult_ = 1;
    EXPECT_EQ(parse("USB"), -47);
    EXPECT_EQ(buffer(), "The USB library libkbxusb.so cannot be loaded");
}

TEST_F(InterfaceStringTest, SerialOpensThePortTheStringNames) {
    EXPECT_EQ(parse("com3:19200,N,7,1"), 0);
    ASSERT_TRUE(opened_);
    EXPECT_EQ(opened_->portName, "COM3");
    EXPECT_TRUE(opened_->hasSettings);
    EXPECT_EQ(opened_->settings, "19200,N,7,1");
    EXPECT_TRUE(serialSelected_);
    EXPECT_EQ(buffer(), "");
}

TEST_F(InterfaceStringTest, BlankAfterComTakesTheDigitAfterIt) {
    EXPECT_EQ(parse("COM 2"), 0);
    EXPECT_EQ(opened_->portName, "COM2");
    EXPECT_FALSE(opened_->hasSettings);
}

TEST_F(InterfaceStringTest, SettingsKeepTwentyThreeCharacters) {
    EXPECT_EQ(parse("COM1:9600,O,8,1,and,much,more,text"), 0);
    EXPECT_EQ(opened_->settings, std::string("9600,O,8,1,AND,MUCH,MORE,TEXT").substr(0, 23));
}

TEST_F(InterfaceStringTest, SerialSetUpCodesAreShiftedBelowMinusTwenty) {
    for (int code = 1; code <= 9; ++code) {
        serialResult_ = code;
        EXPECT_EQ(parse("COM1"), code - 32);
        EXPECT_FALSE(serialSelected_);
    }
}

TEST_F(InterfaceStringTest, FailedSerialSetUpKeepsItsMessage) {
    serialResult_ = 1;
    opened_.reset();
    // The port writes its message into the buffer it was given; here the
    // string stays as it was, upper-cased in place.
    EXPECT_EQ(parse("com1"), -31);
    EXPECT_EQ(buffer(), "COM1");
}

TEST_F(InterfaceStringTest, AnythingElseIsUnknown) {
    for (const char* text : {"", "LPT1", " AT", "CO", "US"}) {
        EXPECT_EQ(parse(text), -10) << text;
        EXPECT_EQ(buffer(), "Unknown interface!");
    }
}

TEST_F(InterfaceStringTest, CheckWordAnywhereAndNoCheckWins) {
    struct Case {
        const char* text;
        bool check;
    };
    for (const Case& c : {Case{"AT", false}, Case{"AT CHECK", true}, Case{"ATcheck", true},
                          Case{"AT NOCHECK", false}, Case{"AT CHECK NOCHECK", false},
                          Case{"COM1:9600,O,8 CHECK", true}}) {
        checkRequested_ = !c.check;
        parse(c.text);
        EXPECT_EQ(checkRequested_, c.check) << c.text;
    }
}

TEST_F(InterfaceStringTest, EveryParseStartsWithoutCheck) {
    parse("AT CHECK");
    parse("XYZ");
    EXPECT_FALSE(checkRequested_);
}

TEST_F(InterfaceStringTest, StringWithoutNulIsReadWithinTheBuffer) {
    std::memset(buffer_, 'a', sizeof buffer_);
    buffer_[0] = 'a';
    buffer_[1] = 't';
    MessageBuffer message(buffer_, sizeof buffer_);
    InterfaceTargets targets{selection_, serialSelected_, checkRequested_, [](std::string&) { return 0; },
                             [](const SerialRequest&) { return 0; }};
    EXPECT_EQ(parseInterfaceString(message, targets), 0);
    EXPECT_EQ(buffer_[0], '\0');
}

TEST(RawCommand, OnlyUpperCaseAtZeroAsWritten) {
    EXPECT_TRUE(requestsRawCommand("AT0"));
    EXPECT_TRUE(requestsRawCommand("AT0 CHECK"));
    EXPECT_FALSE(requestsRawCommand("at0"));
    EXPECT_FALSE(requestsRawCommand("AT"));
    EXPECT_FALSE(requestsRawCommand("AT 0"));
}

}  // namespace
}  // namespace kbxi
