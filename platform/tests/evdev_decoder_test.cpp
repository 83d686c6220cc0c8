#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/evdev_decoder.h"

namespace kbx::platform {
namespace {

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::int32_t kUp = 0, kDown = 1, kRepeat = 2;

EvdevEvent scan(std::int32_t value) { return {EV_MSC, MSC_SCAN, value}; }
EvdevEvent key(std::uint16_t code, std::int32_t value) { return {EV_KEY, code, value}; }
EvdevEvent report() { return {EV_SYN, SYN_REPORT, 0}; }

// The key data a recorded stream gives, in order.
std::vector<std::uint32_t> keysOf(std::initializer_list<EvdevEvent> stream) {
    EvdevDecoder decoder;
    std::vector<std::uint32_t> keys;
    for (const EvdevEvent& event : stream)
        if (auto data = decoder.decode(event).keyData) keys.push_back(*data);
    return keys;
}

TEST(EvdevDecoder, AKeyboardPortStreamGivesItsScanCodesWithDownUpAndRepeat) {
    // Press, auto-repeat and release of A, as a keyboard on the PS/2 port reports them.
    EXPECT_EQ(keysOf({scan(0x1E), key(KEY_A, kDown), report(), scan(0x1E), key(KEY_A, kRepeat), report(),
                      scan(0x1E), key(KEY_A, kUp), report()}),
              (std::vector<std::uint32_t>{channel::keyData(0x1E, false), channel::keyData(0x1E, false) | kRepeatBit,
                                          channel::keyData(0x1E, true)}));
}

TEST(EvdevDecoder, TheScanCodeWinsOverTheLinuxKeyCode) {
    // The keyboard's frame markers have no Linux key of their own; their scan code tells.
    EXPECT_EQ(keysOf({scan(0x62), key(KEY_F13, kDown), report()}),
              std::vector<std::uint32_t>{channel::keyData(0x62, false)});
    EXPECT_EQ(keysOf({scan(0xE01D), key(KEY_RIGHTCTRL, kDown), report()}),
              std::vector<std::uint32_t>{channel::keyData(0x1D, false, true)});
}

TEST(EvdevDecoder, UsbUsagesAndMissingScanCodesFallBackToTheKeyCode) {
    EXPECT_EQ(keysOf({scan(0x70004), key(KEY_A, kDown), report()}),
              std::vector<std::uint32_t>{channel::keyData(0x1E, false)});
    EXPECT_EQ(keysOf({key(KEY_F12, kDown), report()}), std::vector<std::uint32_t>{channel::keyData(0x58, false)});
    // A scan code with the break bit is no set-1 make code.
    EXPECT_EQ(keysOf({scan(0x9D), key(KEY_RIGHTCTRL, kUp), report()}),
              std::vector<std::uint32_t>{channel::keyData(0x1D, true, true)});
}

TEST(EvdevDecoder, AScanCodeBelongsToItsOwnReportOnly) {
    EXPECT_EQ(keysOf({scan(0x62), report(), key(KEY_1, kDown), report()}),
              std::vector<std::uint32_t>{channel::keyData(0x02, false)});
    EXPECT_EQ(keysOf({scan(0x62), key(KEY_1, kDown), key(KEY_2, kDown), report()}),
              (std::vector<std::uint32_t>{channel::keyData(0x62, false), channel::keyData(0x03, false)}));
}

struct KeyCodeCase {
    std::uint16_t linuxKey;
    std::optional<SetOneCode> code;
};

TEST(EvdevDecoder, LinuxKeyCodesMapToSetOneCodes) {
    const KeyCodeCase cases[] = {
        {KEY_ESC, SetOneCode{0x01, false}},       {KEY_LEFTSHIFT, SetOneCode{0x2A, false}},
        {KEY_KP0, SetOneCode{0x52, false}},       {KEY_102ND, SetOneCode{0x56, false}},
        {KEY_F11, SetOneCode{0x57, false}},       {KEY_KPENTER, SetOneCode{0x1C, true}},
        {KEY_RIGHTALT, SetOneCode{0x38, true}},   {KEY_HOME, SetOneCode{0x47, true}},
        {KEY_UP, SetOneCode{0x48, true}},         {KEY_LEFT, SetOneCode{0x4B, true}},
        {KEY_END, SetOneCode{0x4F, true}},        {KEY_DELETE, SetOneCode{0x53, true}},
        {KEY_KPSLASH, SetOneCode{0x35, true}},    {KEY_VOLUMEUP, std::nullopt},
        {0, std::nullopt},
    };
    for (const KeyCodeCase& c : cases) EXPECT_EQ(setOneCodeOfKey(c.linuxKey), c.code) << "key " << c.linuxKey;
}

TEST(EvdevDecoder, KeysWithoutSetOneCodeAndOtherEventsAreToBePassedOn) {
    EvdevDecoder decoder;
    const DecodedEvent volume = decoder.decode(key(KEY_VOLUMEUP, kDown));
    EXPECT_EQ(volume.kind, DecodedEvent::Kind::key);
    EXPECT_FALSE(volume.keyData);
    EXPECT_EQ(decoder.decode({EV_REL, REL_X, 3}).kind, DecodedEvent::Kind::other);
    EXPECT_EQ(decoder.decode(scan(0x1E)).kind, DecodedEvent::Kind::none);
    EXPECT_EQ(decoder.decode(report()).kind, DecodedEvent::Kind::none);
}

}  // namespace
}  // namespace kbx::platform
