#include <gtest/gtest.h>

#include <optional>
#include <string_view>

#include "iface/transports/serial_port.h"

namespace kbxi {
namespace {

struct SettingsCase {
    std::string_view text;
    LineSettings expected;
};

constexpr SettingsCase kSettingsCases[] = {
    {"", {9600, 'O', 8}},
    {"19200,N,7", {19200, 'N', 7}},
    {"1000", {9600, 'O', 8}},             // not a multiple of 300
    {"299", {9600, 'O', 8}},              // below 300
    {"-300,E", {9600, 'E', 8}},
    {"300", {300, 'O', 8}},
    {"2400,E", {2400, 'E', 8}},
    {"4800,X,7", {4800, 'O', 7}},         // unknown parity letter leaves it
    {"9600,N,6", {9600, 'N', 8}},         // only 7 or 8 data bits
    {"600,,7", {600, 'O', 7}},            // empty parity field
    {"9600,E,8,1", {9600, 'E', 8}},
    {"19200,N,7,1", {19200, 'N', 7}},     // a fourth field changes nothing
    {"2400,N,7,19200", {2400, 'N', 7}},   // not even a baud rate in it
    {"19200,N,7,0", {19200, 'N', 7}},     // the editor's RTS/CTS flag
    {"57600,E,7", {57600, 'E', 7}},       // above the search table, still a multiple of 300
    {"ABC,,,", {9600, 'O', 8}},
    {",,,,,,,,,,,,,,,,,,,,,,", {9600, 'O', 8}},
    {"99999999999999999999999,N,7", {9600, 'N', 7}},
    {"9600,E,70000000000000000000000000008", {9600, 'E', 8}},
    {"00000000000000000001200,E", {1200, 'E', 8}},
    {"1200,", {1200, 'O', 8}},
    {"1200,E,", {1200, 'E', 8}},
};

TEST(SerialSettings, ReadsTheSettingsTextOverTheDefaults) {
    for (const SettingsCase& c : kSettingsCases) {
        const LineSettings got = parseLineSettings(c.text);
        EXPECT_EQ(got, c.expected) << '"' << c.text << "\" gave " << got.baud << ' ' << got.parity
                                   << ' ' << got.dataBits;
    }
}

struct RequestCase {
    std::string_view interfaceString;
    std::string_view portName;
    std::optional<std::string_view> settings;
};

constexpr RequestCase kRequestCases[] = {
    {"COM1", "COM1", std::nullopt},
    {"COM2:19200,N,7", "COM2", "19200,N,7"},
    {"COM 2", "COM2", std::nullopt},
    {"COM 3:4800,E,8,1", "COM3", "4800,E,8,1"},
    {"COM1: CHECK", "COM1", " CHECK"},
    {"COM1:", "COM1", ""},
    {"COM12:9600", "COM1", "9600"},       // the name is four characters
    {"COM", "COM", std::nullopt},
    {"COM ", "COM", std::nullopt},
    {"COM1 NOCHECK", "COM1", std::nullopt},
    {"COM1:9600,N,8,1:2400", "COM1", "9600,N,8,1:2400"},
    {"COM1:123456789012345678901234567890", "COM1", "12345678901234567890123"},  // 23 kept
};

TEST(SerialRequest, NamesThePortAndKeepsTheSettingsText) {
    for (const RequestCase& c : kRequestCases) {
        const SerialRequest request = serialRequest(c.interfaceString);
        EXPECT_EQ(request.portName, c.portName) << c.interfaceString;
        EXPECT_EQ(request.hasSettings, c.settings.has_value()) << c.interfaceString;
        if (c.settings) {
            EXPECT_EQ(request.settings, *c.settings) << c.interfaceString;
        }
    }
}

}  // namespace
}  // namespace kbxi
