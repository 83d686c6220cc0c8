// The keyboard controller's ports with the keyboard behind them, driven the
// way the direct port transport drives them: every byte a 0x60 write, every
// answer a 0x60 read once status bit 0 is set; protocol and display bytes in
// the LED-command nibble encoding.

#include "tools/kbxsim/transports/keyboard_controller.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tools/kbxsim/tests/frames.h"

namespace kbxsim::test {
namespace {

constexpr std::uint8_t kProtocolTag = 0x20;
constexpr std::uint8_t kDisplayTag = 0x30;

class Controller : public ::testing::Test {
protected:
    // A raw send: the byte, then the answer if one waits (nothing otherwise).
    std::optional<std::uint8_t> rawSend(std::uint8_t byte) {
        controller.write(kDataPort, byte);
        if ((controller.read(kStatusPort) & kOutputFullBit) == 0) return std::nullopt;
        return controller.read(kDataPort);
    }

    // The framed send of the direct port transport: 0xEF and 0xEC only set
    // the tag; every other byte goes as two LED commands with a nibble each.
    // The answers of the four raw sends, stopping at the first that is not
    // 0xFA.
    std::vector<std::uint8_t> framedSend(std::uint8_t byte) {
        if (byte == 0xEF) {
            tag = kProtocolTag;
            return {};
        }
        if (byte == kDisplayStart) {
            tag = kDisplayTag;
            return {};
        }
        std::vector<std::uint8_t> answers;
        for (const std::uint8_t raw : {kLedCommand, static_cast<std::uint8_t>((byte & 0x0F) | 0x10), kLedCommand,
                                       static_cast<std::uint8_t>(((byte >> 4) & 0x0F) | tag)}) {
            const auto answer = rawSend(raw);
            answers.push_back(answer.value_or(0));
            if (answer != kAcknowledge) break;
        }
        if (byte == 0x00) tag = kProtocolTag;
        return answers;
    }

    void framedSendAll(const Bytes& bytes) {
        for (const std::uint8_t byte : bytes) {
            const auto answers = framedSend(byte);
            ASSERT_TRUE(answers.empty() || answers.back() == kAcknowledge) << "byte " << int(byte);
        }
    }

    template <typename Function>
    decltype(auto) withFirmware(Function&& function) {
        return firmware.access(std::forward<Function>(function));
    }

    SharedFirmware firmware{Firmware{}};
    std::vector<std::string> replies;
    FirmwareFeed feed{firmware, [this](std::string_view text) { replies.emplace_back(text); }};
    KeyboardController controller{feed};
    std::uint8_t tag = kProtocolTag;
};

TEST_F(Controller, StatusShowsAWaitingByteUntilItIsRead) {
    EXPECT_EQ(controller.read(kStatusPort), 0);
    controller.write(kDataPort, kEnable);
    EXPECT_EQ(controller.read(kStatusPort), kOutputFullBit);
    EXPECT_EQ(controller.read(kDataPort), kAcknowledge);
    EXPECT_EQ(controller.read(kStatusPort), 0);
    EXPECT_EQ(controller.read(kDataPort), kAcknowledge) << "the last byte reads again";
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.counters().enables; }), 1u);
}

TEST_F(Controller, CommandByteIsRecordedAndNotGivenToTheKeyboard) {
    controller.write(kStatusPort, 0x60);
    controller.write(kDataPort, 0x00);
    EXPECT_EQ(controller.commandByte(), 0x00);
    EXPECT_EQ(controller.read(kStatusPort), 0);
    controller.write(kStatusPort, 0x60);
    controller.write(kDataPort, 0x41);
    EXPECT_EQ(controller.commandByte(), 0x41);
    EXPECT_EQ(controller.commandByteWrites(), 2u);
    controller.write(kStatusPort, 0x20);
    EXPECT_EQ(controller.read(kDataPort), 0x41);
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.counters().bytesReceived; }), 0u);
}

TEST_F(Controller, WriteFrameInNibblesIsStoredWithAnImpliedPrefix) {
    const Bytes frame = writeFrame(0x0100, {0x12, 0xAB});
    framedSendAll(frame);
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.memory().bytes()[0x100]; }), 0x12);
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.memory().bytes()[0x101]; }), 0xAB);
    const Counters counters = withFirmware([](Firmware& f) { return f.counters(); });
    EXPECT_EQ(counters.framesStarted, 1u);
    EXPECT_EQ(counters.writeFrames, 1u);
    EXPECT_EQ(counters.bytesReceived, frame.size()) << "the implied 0xEF counts like a sent one";
}

TEST_F(Controller, ReadFrameReplyGoesToTheTypist) {
    withFirmware([](Firmware& f) { f.memory().place(0x20, Bytes{0xAB, 0x01}); });
    framedSendAll(readFrame(0x0020, 2));
    EXPECT_EQ(replies, std::vector<std::string>{"AB0116"});
}

TEST_F(Controller, RefusedProtocolByteAnswersTheHighNibbleWithResend) {
    withFirmware([](Firmware& f) { f.refuseBytes(2); });  // the byte after the implied 0xEF
    framedSend(0xEF);
    EXPECT_EQ(framedSend(0x0F), (std::vector<std::uint8_t>{kAcknowledge, kAcknowledge, kAcknowledge, kRefuse}));
}

TEST_F(Controller, LostAnswerLeavesTheOutputEmpty) {
    withFirmware([](Firmware& f) { f.loseAnswers(2); });
    framedSend(0xEF);
    const auto answers = framedSend(0x0F);
    ASSERT_EQ(answers.size(), 4u);
    EXPECT_EQ(answers.back(), 0) << "no byte was waiting";
}

TEST_F(Controller, RefusedImpliedPrefixStandsForTheByte) {
    withFirmware([](Firmware& f) { f.refuseBytes(1); });
    framedSend(0xEF);
    EXPECT_EQ(framedSend(0x12).back(), kRefuse);
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.counters().checksumUpdates; }), 0u);
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.counters().bytesReceived; }), 1u)
        << "the byte itself was not given";
}

TEST_F(Controller, HighNibbleWithoutLowNibbleIsRefused) {
    EXPECT_EQ(rawSend(kLedCommand), kAcknowledge);
    EXPECT_EQ(rawSend(0x21), kRefuse);
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.counters().bytesReceived; }), 0u);
}

TEST_F(Controller, PlainLedValueSetsTheLeds) {
    EXPECT_EQ(rawSend(kLedCommand), kAcknowledge);
    EXPECT_EQ(rawSend(0x05), kAcknowledge);
    EXPECT_EQ(controller.leds(), 0x05);
}

TEST_F(Controller, DeviceCommandsArriveWithTheirText) {
    framedSendAll({0xEF, 0x2B, 0xEF, 0x27, 'A', 'B', 0x00, 0xEF, 0x36, 0x07});
    const auto log = withFirmware([](Firmware& f) { return f.commandLog(); });
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].name, "beep");
    EXPECT_EQ(log[1].name, "barcode config");
    EXPECT_EQ(log[1].arguments, (Bytes{'A', 'B'}));
    EXPECT_EQ(log[2].arguments, Bytes{0x07});
}

TEST_F(Controller, DisplayBytesOpenAndCloseASequence) {
    // The customer display's open sequence, then HI at the second row.
    framedSendAll({kDisplayStart, 0x01, 0x00, kDisplayStart, 0xC9, 0x40, 'H', 'I', 0x00});
    const auto screen = withFirmware([](Firmware& f) { return f.display().screen(); });
    EXPECT_EQ(screen[1].substr(0, 2), "HI");
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.displayBytes(); }),
              (Bytes{0xEC, 0x01, 0x00, 0xEC, 0xC9, 0x40, 'H', 'I', 0x00}));
    EXPECT_FALSE(withFirmware([](Firmware& f) { return f.inDisplaySequence(); }));
    // The tag went back to protocol bytes: a frame works again.
    framedSendAll(writeFrame(0x0200, {0x5A}));
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.memory().bytes()[0x200]; }), 0x5A);
}

TEST_F(Controller, ProtocolByteEndsADisplaySequenceLeftOpen) {
    tag = kDisplayTag;
    framedSend('X');  // no closing 0x00
    tag = kProtocolTag;
    framedSendAll({0xEF, 0x2B});
    EXPECT_FALSE(withFirmware([](Firmware& f) { return f.inDisplaySequence(); }));
    EXPECT_EQ(withFirmware([](Firmware& f) { return f.commandLog().size(); }), 1u);
}

TEST(ControllerLog, ImpliedBytesAreMarked) {
    SharedFirmware firmware{Firmware{}};
    std::ostringstream log;
    FirmwareFeed feed(firmware, {}, &log);
    KeyboardController controller(feed);
    for (const std::uint8_t raw : {kLedCommand, std::uint8_t{0x1B}, kLedCommand, std::uint8_t{0x22}}) {
        controller.write(kDataPort, raw);
    }
    EXPECT_EQ(log.str(), "kbxsim: <- EF (implied) frame started -> FA\nkbxsim: <- 2B device command -> FA\n");
}

}  // namespace
}  // namespace kbxsim::test
