#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/conversion/keystroke_writer.h"
#include "compiler/conversion/modifier_cleanup.h"
#include "compiler/conversion/modifier_state.h"
#include "compiler/conversion/shift_modes.h"
#include "tests/support/files.h"

namespace kbxc {
namespace {

std::vector<std::uint8_t> parseHex(std::string_view text) {
    std::vector<std::uint8_t> bytes;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] == ' ') {
            ++i;
            continue;
        }
        bytes.push_back(static_cast<std::uint8_t>(std::stoi(std::string(text.substr(i, 2)), nullptr, 16)));
        i += 2;
    }
    return bytes;
}

// ---- the state tracker ----

struct TrackRow {
    std::string_view bytes;
    bool shiftLock;
    ModifierState expected;
};

class Tracker : public testing::TestWithParam<TrackRow> {};

TEST_P(Tracker, FollowsTheSentBytes) {
    const TrackRow& row = GetParam();
    ModifierState state;
    for (std::uint8_t byte : parseHex(row.bytes)) trackByte(state, byte, row.shiftLock);
    EXPECT_EQ(state.standard, row.expected.standard) << row.bytes;
    EXPECT_EQ(state.extended, row.expected.extended) << row.bytes;
    EXPECT_EQ(state.windows, row.expected.windows) << row.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Bytes, Tracker,
    testing::Values(
        TrackRow{"2A", false, {kLeftShiftDown, 0, 0}}, TrackRow{"2A AA", false, {0, 0, 0}},
        TrackRow{"36 1D 38", false, {kRightShiftDown | kControlDown | kAltDown, 0, 0}},
        TrackRow{"E0 1D E0 38", false, {0, kRightControlDown | kAltGrDown, 0}},
        TrackRow{"E0 1D E0 9D", false, {0, 0, 0}},
        TrackRow{"E0 2A E0 5B E0 5C E0 5D", false,
                 {0, 0, kFakeShiftDown | kLeftWindowsDown | kRightWindowsDown | kApplicationDown}},
        TrackRow{"E2 1D", false, {0, kRightControlDown, 0}},
        // A prefix counts for the next byte only.
        TrackRow{"E0 1E 1D", false, {kControlDown, 0, 0}},
        TrackRow{"E0", false, {0, kE0Pending, 0}},
        // Pause changes nothing.
        TrackRow{"E1 1D 45 E1 9D C5", false, {0, 0, 0}}, TrackRow{"E1 1D 45 E1 9D C5 45 C5", false, {kNumLockOn, 0, 0}},
        // Locks toggle on make; a held lock key does not repeat.
        TrackRow{"3A", false, {kCapsLockOn, kCapsLockHeld, 0}}, TrackRow{"3A BA", false, {kCapsLockOn, 0, 0}},
        TrackRow{"3A BA 3A BA", false, {0, 0, 0}}, TrackRow{"3A 3A", false, {kCapsLockOn, kCapsLockHeld, 0}},
        TrackRow{"45 C5", false, {kNumLockOn, 0, 0}}, TrackRow{"46 C6", false, {kScrollLockOn, 0, 0}},
        TrackRow{"E0 46 E0 C6", false, {kScrollLockOn, 0, 0}},
        // With Control down a lock key is Pause or Break, not a lock.
        TrackRow{"1D 45 C5", false, {kControlDown, 0, 0}},
        // ShiftLock: the lock key only locks, a Shift releases it.
        TrackRow{"3A BA 3A BA", true, {kCapsLockOn, 0, 0}}, TrackRow{"3A BA 36", true, {kRightShiftDown, 0, 0}},
        TrackRow{"3A BA E0 2A", true, {kCapsLockOn, 0, kFakeShiftDown}},
        TrackRow{"3A BA 2A", false, {kCapsLockOn | kLeftShiftDown, 0, 0}}));

// ---- shift modes ----

struct ModeRow {
    std::string_view before;  // bytes sent first to set up the state
    int mode;
    std::string_view sent;
    bool shiftLock = false;
};

class ShiftModes : public testing::TestWithParam<ModeRow> {};

TEST_P(ShiftModes, SendOnlyTheKeysWhoseStateDiffers) {
    const ModeRow& row = GetParam();
    KeystrokeWriter writer(row.shiftLock, 0);
    for (std::uint8_t byte : parseHex(row.before)) writer.send(byte);
    writer.output().clear();
    applyShiftMode(writer, row.mode);
    EXPECT_EQ(kbxtest::hex(writer.output().bytes()), row.sent) << row.before << " mode " << row.mode;
}

INSTANTIATE_TEST_SUITE_P(
    Modes, ShiftModes,
    testing::Values(
        ModeRow{"2A 1D 38", 0, ""}, ModeRow{"2A 1D 38", 1, "AA 9D B8"},
        ModeRow{"E0 2A E0 5B 36 E0 1D E0 38", 1, "E0 AA E0 DB B6 E0 9D E0 B8"}, ModeRow{"1D", 2, "9D 2A"},
        ModeRow{"36", 2, ""}, ModeRow{"2A E0 38", 3, "AA E0 B8 1D"}, ModeRow{"E0 1D", 3, "1D"},
        ModeRow{"E0 1D", 4, "E0 9D 38"}, ModeRow{"38", 5, "B8 E0 38"}, ModeRow{"36 1D", 6, "9D B6"},
        ModeRow{"3A BA", 6, "2A"}, ModeRow{"", 7, "2A"}, ModeRow{"3A BA 2A", 7, "AA"},
        ModeRow{"", 8, "2A"}, ModeRow{"45 C5 2A", 8, "AA"}, ModeRow{"45 C5", 11, "2A"},
        ModeRow{"2A", 11, "AA"}, ModeRow{"", 9, "3A BA"}, ModeRow{"3A BA 3A", 9, "BA 3A"},
        ModeRow{"3A BA", 9, ""}, ModeRow{"2A", 10, "3A BA"}, ModeRow{"", 10, "3A BA 2A"},
        ModeRow{"", 23, "E0 1D"}, ModeRow{"", 26, "E0 5B"}, ModeRow{"", 28, "E0 2A"}, ModeRow{"", 29, "E0 5D"},
        ModeRow{"2A", 20, ""}, ModeRow{"36", 31, "B6"}, ModeRow{"", 35, ""},
        ModeRow{"2A 36 E0 38 1D", 99, "E0 B8 B6 AA"}, ModeRow{"2A", 12, ""},
        // ShiftLock: releasing a Shift while locked taps it; pressing one is
        // not needed while locked.
        ModeRow{"3A BA", 1, "36 B6", true}, ModeRow{"3A BA", 2, "", true}, ModeRow{"3A BA", 6, "36 B6", true},
        ModeRow{"3A BA", 7, "", true}, ModeRow{"3A BA 2A", 2, "", true}, ModeRow{"", 9, "", true}));

TEST(ShiftModes, ModesUpToAltGrEndTheCapsLockOfACharacter) {
    KeystrokeWriter writer(false, 0);
    applyShiftMode(writer, kModeCapsLock);
    applyShiftMode(writer, kModeSmallLetter);  // keeps it
    applyShiftMode(writer, kModePlain);        // ends it
    applyShiftMode(writer, kModePlain);
    EXPECT_EQ(kbxtest::hex(writer.output().bytes()), "3A BA 2A 3A BA AA");
    EXPECT_FALSE(writer.lockOn());
}

TEST(ShiftModes, ACapsLockSwitchedOffInBetweenStaysOff) {
    KeystrokeWriter writer(false, 0);
    applyShiftMode(writer, kModeCapsLock);
    writer.sendKeystroke(0x3A);
    applyShiftMode(writer, kModeNone);
    EXPECT_EQ(kbxtest::hex(writer.output().bytes()), "3A BA 3A BA");
}

TEST(KeystrokeWriter, RestoresModifierKeysButNotLocks) {
    KeystrokeWriter writer(false, kLeftShiftDown);
    const ModifierState saved = writer.state();
    for (std::uint8_t byte : parseHex("45 C5 AA 36 1D E0 38 E0 5C")) writer.send(byte);
    writer.output().clear();
    writer.restore(saved);
    EXPECT_EQ(kbxtest::hex(writer.output().bytes()), "B6 2A 9D E0 B8 E0 DC");
    EXPECT_TRUE(writer.numLockOn());
}

// ---- clean-up of idle modifier taps ----

struct CleanupRow {
    std::string_view before;
    std::string_view after;
    bool shiftLock = false;
};

class Cleanup : public testing::TestWithParam<CleanupRow> {};

TEST_P(Cleanup, DropsIdleTapsAtTheStartOfEachRun) {
    const CleanupRow& row = GetParam();
    std::vector<std::uint8_t> bytes = parseHex(row.before);
    removeIdleModifierTaps(bytes, row.shiftLock);
    EXPECT_EQ(kbxtest::hex(bytes), row.after) << row.before;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, Cleanup,
    testing::Values(CleanupRow{"2A AA", ""}, CleanupRow{"1D 9D 2A AA 1E 9E", "1E 9E"},
                    CleanupRow{"1E 9E 36 B6 30 B0", "1E 9E 30 B0"}, CleanupRow{"2A AA 2A", "2A"},
                    CleanupRow{"1D 2A AA 9D", "1D 2A AA 9D"}, CleanupRow{"AA 2A 1E", "AA 2A 1E"},
                    CleanupRow{"2A 9D", "2A 9D"}, CleanupRow{"E0 1D 9D", "E0 1D 9D"},
                    CleanupRow{"E0 2A AA 1D 9D", "E0 2A AA 1D 9D"}, CleanupRow{"38 B8", "38 B8"},
                    CleanupRow{"1E 2A AA 9E 1D 9D", "1E 9E"},
                    // A Shift tap ends a ShiftLock and must stay.
                    CleanupRow{"1D 9D 36 B6 1E", "36 B6 1E", true}, CleanupRow{"2A AA 1D 9D", "2A AA 1D 9D", true}));

}  // namespace
}  // namespace kbxc
