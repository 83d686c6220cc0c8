#include <pty.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <vector>

#include "tests/support/recording_notifier.h"
#include "platform/unique_fd.h"
#include "posfunc/input/capture.h"
#include "tests/support/key_events_test_server.h"
#include "posfunc/tests/hook_test_support.h"

namespace kbxfunc::testing {
namespace {

using namespace std::chrono_literals;

using kbx::platform::testing::RecordingNotifier;

// The last message shown, empty when there was none.
std::string lastText(const RecordingNotifier& recorder) {
    return recorder.texts.empty() ? std::string() : recorder.texts.back();
}

TEST_F(ClosedLibrary, CallbackSettersRefuseAndStoreNothingBeforeOpening) {
    for (std::size_t m = 0; m < kModuleCount; ++m)
        EXPECT_EQ(setModuleCallback(input(), Module(int(m) + 1), kModuleRecorders[m]), 1) << "module " << m + 1;
    EXPECT_EQ(setCaptureCallback(input(), kCaptureRecorder), 1);
    ASSERT_EQ(openLibrary(state()), 0);
    hookProcedure(state(), 0, down(kTrack1Marker));
    hookProcedure(state(), 0, down(kTrack1Marker));
    EXPECT_TRUE(calls().empty());
}

TEST_F(ClosedLibrary, OpensWithoutASourceAndClosesOnce) {
    EXPECT_EQ(closeLibrary(state()), 1);
    EXPECT_EQ(openLibrary(state()), 0);
    EXPECT_EQ(input().eventSource, nullptr);
    EXPECT_EQ(closeLibrary(state()), 0);
    EXPECT_EQ(closeLibrary(state()), 1);
    EXPECT_EQ(setCaptureCallback(input(), kCaptureRecorder), 1);
}

TEST_F(ClosedLibrary, CallbacksStayStoredOverCloseAndOpen) {
    ASSERT_EQ(openLibrary(state()), 0);
    ASSERT_EQ(setModuleCallback(input(), Module::keylock, kModuleRecorders[4]), 0);
    ASSERT_EQ(closeLibrary(state()), 0);
    ASSERT_EQ(openLibrary(state()), 0);
    hookProcedure(state(), 0, down(0x66));
    hookProcedure(state(), 0, down(0x66));
    EXPECT_EQ(calls(), std::vector<std::string>{"5:0"});
}

TEST_F(ClosedLibrary, ASourceThatCannotBeOpenedKeepsTheLibraryClosedAndSaysWhy) {
    {
        RecordingNotifier recorder;
        ::setenv(kbx::platform::kKeyEventsVariable, "evdev:/dev/input/no-such-device", 1);
        EXPECT_EQ(openLibrary(state()), 1);
        EXPECT_NE(lastText(recorder).find("/dev/input/no-such-device"), std::string::npos) << lastText(recorder);
        EXPECT_NE(lastText(recorder).find("No such file or directory"), std::string::npos) << lastText(recorder);
    }
    EXPECT_FALSE(input().open);
    EXPECT_EQ(setCaptureCallback(input(), kCaptureRecorder), 1);
}

TEST_F(ClosedLibrary, OpeningClearsThePrefixAndModifierState) {
    KeyboardState& keyboard = input().keyboard;
    keyboard.shift = keyboard.control = keyboard.alt = keyboard.altGr = true;
    keyboard.capsLock = keyboard.breakPending = keyboard.prefixE0 = keyboard.prefixE1 = keyboard.acknowledged = true;
    ASSERT_EQ(openLibrary(state()), 0);
    EXPECT_FALSE(keyboard.shift || keyboard.control || keyboard.alt || keyboard.altGr || keyboard.capsLock);
    EXPECT_FALSE(keyboard.breakPending || keyboard.prefixE0 || keyboard.prefixE1 || keyboard.acknowledged);
}

TEST_F(ClosedLibrary, CharacterGettersAnswerZeroOutsideTheBuffer) {
    auto& buffer = input().moduleBuffers[moduleIndex(Module::track2)];
    buffer[0] = 'x';
    buffer[511] = 'y';
    EXPECT_EQ(moduleCharacter(input(), Module::track2, 0), 'x');
    EXPECT_EQ(moduleCharacter(input(), Module::track2, 511), 'y');
    for (int position : {-1, 512, 600}) EXPECT_EQ(moduleCharacter(input(), Module::track2, position), 0) << position;
    EXPECT_EQ(moduleCharacter(input(), Module::track3, 0), 0);
}

TEST_F(ClosedLibrary, TheLanguageStartsGermanAndRefusesNumbersWithoutTable) {
    EXPECT_EQ(input().language, 1);
    EXPECT_EQ(setLanguage(input(), 8), 1);
    EXPECT_EQ(setLanguage(input(), -1), 1);
    EXPECT_EQ(input().language, 1);
    EXPECT_EQ(setLanguage(input(), 7), 0);
    EXPECT_EQ(input().language, 7);
    EXPECT_EQ(setLanguage(input(), 0), 0);
    EXPECT_EQ(input().language, 0);
}

TEST_F(ClosedLibrary, TheBuffersAreSeparateAndStayWhereTheyAre) {
    char* first = moduleBuffer(input(), Module::track1);
    EXPECT_EQ(moduleBuffer(input(), Module::track1), first);
    for (int m = 2; m <= int(kModuleCount); ++m)
        EXPECT_GE(moduleBuffer(input(), Module(m)) - moduleBuffer(input(), Module(m - 1)), std::ptrdiff_t(kBufferSize));
    EXPECT_EQ(captureBuffer(input()), captureBuffer(input()));
}

// The hook fed by the simulated keyboard: a track between markers reaches its
// callback, the keyboard gets back only the key the hook let through.
TEST_F(ClosedLibrary, KeysFromTheSimulatedKeyboardGoThroughTheHook) {
    kbx::platform::testing::KeyEventServer keyboard;
    ::setenv(kbx::platform::kKeyEventsVariable, keyboard.variableValue().c_str(), 1);
    ASSERT_EQ(openLibrary(state()), 0);
    ASSERT_EQ(setModuleCallback(input(), Module::track1, kModuleRecorders[0]), 0);
    for (std::uint32_t key : {down(kTrack1Marker), down(kKey1), up(kKey1), down(kTrack1Marker), down(kKeyA)})
        keyboard.type(key);
    kbx::platform::runUntil([&] { return !calls().empty(); }, 2000ms);
    kbx::platform::dispatch(20ms);
    EXPECT_EQ(calls(), std::vector<std::string>{"1:1"});
    EXPECT_EQ(keyboard.passedOn(), std::vector<std::uint32_t>{down(kKeyA)});
    EXPECT_EQ(closeLibrary(state()), 0);
    EXPECT_EQ(input().eventSource, nullptr);
}

// A pseudo-terminal in raw mode plays the raw PS/2 port of KBX_KEYBOARD:
// the keyboard's bytes as a translating controller delivers them.
TEST_F(ClosedLibrary, TheRawPortCarriesModuleDataAndCapturedReplies) {
    int master = -1;
    int slave = -1;
    char name[128] = "";
    ASSERT_EQ(::openpty(&master, &slave, name, nullptr, nullptr), 0);
    kbx::platform::UniqueFd keyboard(master), port(slave);
    termios raw{};
    ::tcgetattr(slave, &raw);
    ::cfmakeraw(&raw);
    ::tcsetattr(slave, TCSANOW, &raw);
    ::setenv(kbx::platform::kKeyboardVariable, (std::string("serio:") + name).c_str(), 1);
    {
        RecordingNotifier recorder;
        ASSERT_EQ(openLibrary(state()), 0);
        if (::access("/dev/uinput", W_OK) != 0) {
            EXPECT_NE(lastText(recorder).find("cannot reach the desktop"), std::string::npos) << lastText(recorder);
        }
    }
    ::unsetenv(kbx::platform::kKeyboardVariable);
    ASSERT_NE(input().eventSource, nullptr);
    ASSERT_EQ(setModuleCallback(input(), Module::track1, kModuleRecorders[0]), 0);
    ASSERT_EQ(setCaptureCallback(input(), kCaptureRecorder), 0);

    const std::vector<std::uint8_t> track{kTrack1Marker, 0xE2, 0x02, 0x82, kTrack1Marker, 0xE2};
    ASSERT_EQ(::write(keyboard.get(), track.data(), track.size()), ssize_t(track.size()));
    kbx::platform::runUntil([&] { return !calls().empty(); }, 2000ms);
    ASSERT_EQ(armCapture(input(), 2, 0, 2000), 0);
    const std::vector<std::uint8_t> reply{0x21, 0xA1, 0x0B, 0x8B};  // a reply of the keyboard: two codes
    ASSERT_EQ(::write(keyboard.get(), reply.data(), reply.size()), ssize_t(reply.size()));
    kbx::platform::runUntil([&] { return calls().size() == 2; }, 2000ms);
    EXPECT_EQ(calls(), (std::vector<std::string>{"1:1", "0:2"}));
    EXPECT_EQ(closeLibrary(state()), 0);
}

}  // namespace
}  // namespace kbxfunc::testing
