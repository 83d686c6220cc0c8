// The streams here are what the kernel's AT keyboard driver
// (drivers/input/keyboard/atkbd.c, atkbd_receive_byte) reports for a
// keyboard behind a translating controller: MSC_SCAN with the set-1 code
// (0x80 added after 0xE0, the break bit taken off), EV_KEY, SYN_REPORT; for
// a code its keymap has no key for, MSC_SCAN and SYN_REPORT alone, on press
// and on release alike; the keyboard's own repeat as EV_KEY value 2.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/key_events/evdev_decoder.h"

namespace kbx::platform {
namespace {

constexpr std::uint32_t kRepeatBit = 1u << 30;
constexpr std::int32_t kUp = 0, kDown = 1, kRepeat = 2;

EvdevEvent scan(std::int32_t value) { return {EV_MSC, MSC_SCAN, value}; }
EvdevEvent raw(std::int32_t byte) { return {EV_MSC, MSC_RAW, byte}; }
EvdevEvent key(std::uint16_t code, std::int32_t value) { return {EV_KEY, code, value}; }
EvdevEvent report() { return {EV_SYN, SYN_REPORT, 0}; }
EvdevEvent dropped() { return {EV_SYN, SYN_DROPPED, 0}; }

std::uint32_t down(std::uint8_t code, bool extended = false) { return channel::keyData(code, false, extended); }
std::uint32_t up(std::uint8_t code, bool extended = false) { return channel::keyData(code, true, extended); }

using Keys = std::vector<std::uint32_t>;

// The key data a recorded stream gives, in order.
Keys keysOf(std::initializer_list<EvdevEvent> stream, bool setOne = true) {
    EvdevDecoder decoder(setOne);
    Keys keys;
    for (const EvdevEvent& event : stream)
        if (auto data = decoder.decode(event).keyData) keys.push_back(*data);
    return keys;
}

TEST(EvdevDecoder, AKeyIsPressedRepeatedByTheKeyboardAndReleased) {
    // Bytes 1E 1E 9E: the driver sends MSC_RAW for each byte, then the key.
    EXPECT_EQ(keysOf({raw(0x1E), scan(0x1E), key(KEY_A, kDown), report(), raw(0x1E), scan(0x1E),
                      key(KEY_A, kRepeat), report(), raw(0x9E), scan(0x1E), key(KEY_A, kUp), report()}),
              (Keys{down(0x1E), down(0x1E) | kRepeatBit, up(0x1E)}));
}

TEST(EvdevDecoder, ExtendedKeysComeWithTheE0BitOfTheDriversNumbering) {
    // E0 38 / E0 B8: right Alt, the AltGr of the national keyboards.
    EXPECT_EQ(keysOf({scan(0xB8), key(KEY_RIGHTALT, kDown), report(), scan(0xB8), key(KEY_RIGHTALT, kUp), report()}),
              (Keys{down(0x38, true), up(0x38, true)}));
    EXPECT_EQ(keysOf({scan(0x9D), key(KEY_RIGHTCTRL, kDown), report()}), Keys{down(0x1D, true)});
}

TEST(EvdevDecoder, MarkersTheDriverKnowsAsF13ToF16AreTheirScanCodes) {
    // 0x64-0x67 are F13-F16 in the driver's keymap; 0x5D is F13 too.
    EXPECT_EQ(keysOf({scan(0x64), key(KEY_F13, kDown), report(), scan(0x64), key(KEY_F13, kUp), report()}),
              (Keys{down(0x64), up(0x64)}));
    EXPECT_EQ(keysOf({scan(0x67), key(KEY_F16, kDown), report()}), Keys{down(0x67)});
}

TEST(EvdevDecoder, ACodeWithoutKeyIsReportedAloneAndAlternatesPressAndRelease) {
    // 0x62 and 0x63 have no key: the press and the release come alike.
    EXPECT_EQ(keysOf({scan(0x62), report(), scan(0x62), report(), scan(0x63), report(), scan(0x62), report()}),
              (Keys{down(0x62), up(0x62), down(0x63), down(0x62)}));
}

TEST(EvdevDecoder, LostEventsForgetTheCodesReportedAlone) {
    EXPECT_EQ(keysOf({scan(0x62), report(), dropped(), scan(0x62), report()}), (Keys{down(0x62), down(0x62)}));
    // A scan code whose report was cut off by the drop is no key.
    EXPECT_EQ(keysOf({scan(0x62), dropped(), report()}), Keys{});
}

TEST(EvdevDecoder, KeyEventsWithoutScanCodeUseTheCodeTheKeyCameWith) {
    // The input core's own repeat (soft repeat) and libevdev's made-up
    // states after lost events carry no MSC_SCAN.
    EXPECT_EQ(keysOf({scan(0x64), key(KEY_F13, kDown), report(), key(KEY_F13, kRepeat), report(), dropped(),
                      key(KEY_F13, kUp), report()}),
              (Keys{down(0x64), down(0x64) | kRepeatBit, up(0x64)}));
    EXPECT_EQ(keysOf({key(KEY_F12, kDown), report()}), Keys{down(0x58)});
}

TEST(EvdevDecoder, UsbUsagesAndUntranslatedCodesFallBackToTheKeyCode) {
    EXPECT_EQ(keysOf({scan(0x70004), key(KEY_A, kDown), report()}), Keys{down(0x1E)});
    // Set 2 "1C" is A on a keyboard the driver reads untranslated.
    EXPECT_EQ(keysOf({scan(0x1C), key(KEY_A, kDown), report(), scan(0x62), report()}, false), Keys{down(0x1E)});
    EXPECT_TRUE(scanValuesAreSetOne("AT Translated Set 2 keyboard"));
    EXPECT_FALSE(scanValuesAreSetOne("AT Raw Set 2 keyboard"));
    EXPECT_FALSE(scanValuesAreSetOne("AT Set 2 Extra keyboard"));
    EXPECT_TRUE(scanValuesAreSetOne("USB Keyboard"));
}

TEST(EvdevDecoder, AScanCodeBelongsToItsOwnReportOnly) {
    EXPECT_EQ(keysOf({scan(0x1E), key(KEY_A, kDown), key(KEY_2, kDown), report()}), (Keys{down(0x1E), down(0x03)}));
}

TEST(EvdevDecoder, EventsOfOtherKindsAreToBePassedOn) {
    EvdevDecoder decoder;
    EXPECT_EQ(decoder.decode({EV_LED, LED_CAPSL, 1}).kind, DecodedEvent::Kind::other);
    EXPECT_EQ(decoder.decode(raw(0x1E)).kind, DecodedEvent::Kind::none);
    EXPECT_EQ(decoder.decode(scan(0x1E)).kind, DecodedEvent::Kind::none);
    EXPECT_EQ(decoder.decode(key(KEY_A, kDown)).kind, DecodedEvent::Kind::key);
    const DecodedEvent camera = decoder.decode(key(KEY_CAMERA, kDown));
    EXPECT_EQ(camera.kind, DecodedEvent::Kind::key);
    EXPECT_FALSE(camera.keyData);
}

struct KeyCodeCase {
    std::uint16_t linuxKey;
    std::optional<SetOneCode> code;
};

TEST(SetOneKeymap, LinuxKeyCodesMapToTheCodesAKeyboardSends) {
    const KeyCodeCase cases[] = {
        {KEY_ESC, SetOneCode{0x01, false}},      {KEY_LEFTSHIFT, SetOneCode{0x2A, false}},
        {KEY_KP0, SetOneCode{0x52, false}},      {KEY_102ND, SetOneCode{0x56, false}},
        {KEY_F11, SetOneCode{0x57, false}},      {KEY_KPENTER, SetOneCode{0x1C, true}},
        {KEY_RIGHTALT, SetOneCode{0x38, true}},  {KEY_HOME, SetOneCode{0x47, true}},
        {KEY_DELETE, SetOneCode{0x53, true}},    {KEY_KPSLASH, SetOneCode{0x35, true}},
        {KEY_SYSRQ, SetOneCode{0x37, true}},     {KEY_PAUSE, SetOneCode{0x45, true}},
        {KEY_VOLUMEUP, SetOneCode{0x30, true}},  {KEY_F13, SetOneCode{0x5D, false}},
        {KEY_CAMERA, std::nullopt},              {0, std::nullopt},
    };
    for (const KeyCodeCase& c : cases) EXPECT_EQ(setOneCodeOfKey(c.linuxKey), c.code) << "key " << c.linuxKey;
    // The driver's own keymap: the markers 0x62/0x63 have no key, the keyboard's Shift around cursor keys none.
    EXPECT_EQ(defaultLinuxKeyOf({0x62, false}), 0);
    EXPECT_EQ(defaultLinuxKeyOf({0x66, false}), KEY_F15);
    EXPECT_EQ(defaultLinuxKeyOf({0x2A, true}), 0);
    EXPECT_EQ(defaultLinuxKeyOf({0x54, false}), KEY_SYSRQ);
}

}  // namespace
}  // namespace kbx::platform
