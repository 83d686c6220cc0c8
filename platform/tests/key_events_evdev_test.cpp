// The evdev key source between a recorded keyboard and a recorded
// pass-through device. The keyboard's streams follow the kernel's AT
// keyboard driver (drivers/input/keyboard/atkbd.c): MSC_RAW per byte,
// MSC_SCAN with the set-1 code (0x80 added after 0xE0), EV_KEY, SYN_REPORT.
// The keymap starts as the driver's default one: 0x62 and 0x63 have no key.

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <deque>
#include <map>
#include <set>
#include <vector>

#include "platform/channel_protocol.h"
#include "platform/key_events/key_events_evdev.h"
#include "platform/key_events/set_one_keymap.h"
#include "platform/tests/recorded_pass_on.h"

namespace kbx::platform {
namespace {

using testing::Events;
using testing::PassOnRecord;
using testing::RecordedPassOn;

struct KeyboardRecord {
    std::deque<std::pair<EvdevKeyboard::Read, EvdevEvent>> pending;
    std::set<std::uint16_t> held;
    std::map<std::uint32_t, std::uint16_t> keymap;
    std::map<std::uint16_t, bool> leds;
    bool grabbed = false;
    int grabs = 0;
};

class RecordedKeymap final : public ScanKeymap {
public:
    explicit RecordedKeymap(KeyboardRecord& record) : record_(record) {}
    std::optional<std::uint16_t> keyOf(std::uint32_t scan) override {
        auto found = record_.keymap.find(scan);
        if (found == record_.keymap.end()) return std::nullopt;
        return found->second;
    }
    bool assign(std::uint32_t scan, std::uint16_t key) override {
        record_.keymap[scan] = key;
        return true;
    }

private:
    KeyboardRecord& record_;
};

class RecordedKeyboard final : public EvdevKeyboard {
public:
    explicit RecordedKeyboard(KeyboardRecord& record) : record_(record), keymap_(record) {}
    int descriptor() const override { return -1; }
    std::string name() const override { return "AT Translated Set 2 keyboard"; }
    Read next(EvdevEvent& event) override {
        if (record_.pending.empty()) return Read::none;
        auto [read, next] = record_.pending.front();
        record_.pending.pop_front();
        if (next.type == EV_KEY) {
            if (next.value == 0) record_.held.erase(next.code);
            else record_.held.insert(next.code);
        }
        event = next;
        return read;
    }
    bool anyKeyDown() const override { return !record_.held.empty(); }
    bool grab(bool on) override {
        record_.grabbed = on;
        record_.grabs += on ? 1 : 0;
        return true;
    }
    void setLed(std::uint16_t led, bool on) override { record_.leds[led] = on; }
    bool ledOn(std::uint16_t led) const override { return record_.leds.count(led) != 0 && record_.leds.at(led); }
    KeyboardModifiers modifiers() const override { return {}; }
    ScanKeymap& keymap() override { return keymap_; }

private:
    KeyboardRecord& record_;
    RecordedKeymap keymap_;
};

constexpr std::int32_t kUp = 0, kDown = 1;

class EvdevSource : public ::testing::Test {
protected:
    EvdevSource() {
        for (std::uint8_t code = 1; code <= kHighestSetOneMake; ++code)
            keyboard.keymap[code] = defaultLinuxKeyOf({code, false});
    }

    void open() {
        source = std::make_unique<EvdevKeyEvents>(std::make_unique<RecordedKeyboard>(keyboard),
                                                  std::make_unique<RecordedPassOn>(passOn), [this](std::uint32_t key) {
                                                      seen.push_back(key);
                                                      return swallow.count(channel::scanCodeOf(key)) != 0;
                                                  });
        passOn.written.clear();  // the lights copied at the start
    }

    // What the driver reports for one byte of a translated keyboard.
    void byte(std::uint8_t value, bool extended = false) {
        const bool release = (value & 0x80) != 0;
        const std::uint8_t code = value & 0x7F;
        const std::uint32_t index = code | (extended ? 0x80 : 0);
        queue({EV_MSC, MSC_RAW, value});
        const std::uint16_t linuxKey = extended ? defaultLinuxKeyOf({code, true}) : keyboard.keymap[index];
        queue({EV_MSC, MSC_SCAN, std::int32_t(index)});
        if (linuxKey != 0) queue({EV_KEY, linuxKey, release ? kUp : kDown});
        queue({EV_SYN, SYN_REPORT, 0});
    }
    void queue(EvdevEvent event, EvdevKeyboard::Read read = EvdevKeyboard::Read::event) {
        keyboard.pending.push_back({read, event});
    }

    KeyboardRecord keyboard;
    PassOnRecord passOn;
    std::unique_ptr<EvdevKeyEvents> source;
    std::vector<std::uint32_t> seen;
    std::set<std::uint8_t> swallow;
};

TEST_F(EvdevSource, MarkersWithoutKeyGetKeysWhileOpenAndGiveThemBack) {
    open();
    EXPECT_EQ(source->loan().size(), 15u);  // every plain code the driver has no key for
    const std::uint16_t lent = keyboard.keymap[0x62];
    EXPECT_TRUE(source->loan().isLent(lent));
    swallow = {0x62};
    byte(0x62);
    byte(0xE2);
    source->readKeyboard();
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{channel::keyData(0x62, false), channel::keyData(0x62, true)}));
    EXPECT_TRUE(passOn.written.empty()) << "a lent key never reaches the desktop";
    source.reset();
    EXPECT_EQ(keyboard.keymap[0x62], 0);
    EXPECT_FALSE(keyboard.grabbed);
}

TEST_F(EvdevSource, KeysLetThroughReachTheDesktopReportByReport) {
    open();
    swallow = {0x64};
    byte(0x64);  // F13 to the driver, a marker here
    byte(0x1E);
    byte(0x9E);
    source->readKeyboard();
    EXPECT_EQ(passOn.written, (Events{{EV_KEY, KEY_A, kDown}, {EV_SYN, SYN_REPORT, 0}, {EV_KEY, KEY_A, kUp},
                                      {EV_SYN, SYN_REPORT, 0}}));
}

TEST_F(EvdevSource, AKeyHeldAtOpeningIsReleasedOnTheDesktopBeforeTheGrab) {
    keyboard.held = {KEY_ENTER};  // the Enter that started the program
    open();
    EXPECT_FALSE(source->grabbed());
    queue({EV_MSC, MSC_SCAN, 0x1C});
    queue({EV_KEY, KEY_ENTER, kUp});
    queue({EV_SYN, SYN_REPORT, 0});
    source->readKeyboard();
    EXPECT_TRUE(source->grabbed());
    EXPECT_TRUE(seen.empty()) << "the desktop had that key";
    EXPECT_TRUE(passOn.written.empty());
    byte(0x1E);
    source->readKeyboard();
    EXPECT_EQ(seen.size(), 1u);
}

TEST_F(EvdevSource, LostEventsAreResynchronisedFromTheKeyStates) {
    open();
    byte(0x1E);
    // libevdev after SYN_DROPPED: the drop, then the states that changed.
    queue({EV_SYN, SYN_DROPPED, 0}, EvdevKeyboard::Read::dropped);
    queue({EV_KEY, KEY_A, kUp});
    queue({EV_SYN, SYN_REPORT, 0});
    source->readKeyboard();
    EXPECT_EQ(seen, (std::vector<std::uint32_t>{channel::keyData(0x1E, false), channel::keyData(0x1E, true)}));
}

TEST_F(EvdevSource, LightsGoBothWays) {
    keyboard.leds[LED_NUML] = true;
    source = std::make_unique<EvdevKeyEvents>(std::make_unique<RecordedKeyboard>(keyboard),
                                              std::make_unique<RecordedPassOn>(passOn),
                                              [](std::uint32_t) { return false; });
    EXPECT_EQ(passOn.written, (Events{{EV_LED, LED_NUML, 1},
                                      {EV_LED, LED_CAPSL, 0},
                                      {EV_LED, LED_SCROLLL, 0},
                                      {EV_SYN, SYN_REPORT, 0}}));
    passOn.requests = {{EV_LED, LED_CAPSL, 1}, {EV_SYN, SYN_REPORT, 0}};
    source->readPassOnRequests();
    EXPECT_TRUE(keyboard.leds[LED_CAPSL]);
    passOn.written.clear();
    queue({EV_LED, LED_NUML, 0});
    queue({EV_SYN, SYN_REPORT, 0});
    source->readKeyboard();
    EXPECT_EQ(passOn.written, (Events{{EV_LED, LED_NUML, 0}, {EV_SYN, SYN_REPORT, 0}}));
}

}  // namespace
}  // namespace kbx::platform
