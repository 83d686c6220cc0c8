// The customer display behind the firmware's display sequences, and the
// device commands beside them.

#include "kbxsim/customer_display.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/kbxsim/firmware/firmware.h"
#include "tools/kbxsim/tests/frames.h"
#include "tools/kbxsim/tests/recording_host.h"

namespace kbxsim::test {
namespace {

// Counts what an observer is told.
class CountingObserver final : public FirmwareObserver {
public:
    void commandReceived(const DeviceCommand& command) override { commands.push_back(command); }
    void displayChanged(const CustomerDisplay& display) override { screens.push_back(display.screen()); }

    std::vector<DeviceCommand> commands;
    std::vector<std::vector<std::string>> screens;
};

std::string row(std::string_view text, std::size_t columns = kDefaultDisplayColumns) {
    std::string padded(text);
    padded.resize(columns, ' ');
    return padded;
}

class DisplaySequences : public ::testing::Test {
protected:
    void SetUp() override { firmware.setObserver(&observer); }

    std::vector<std::uint8_t> send(const Bytes& bytes) { return host.send(firmware, bytes); }
    const std::vector<std::string>& screen() const { return firmware.display().screen(); }

    Firmware firmware;
    RecordingHost host;
    CountingObserver observer;
};

TEST_F(DisplaySequences, TextAtTheCursorAndEveryByteAcknowledged) {
    const Bytes bytes{kDisplayStart, 0x01, 0x00, kDisplayStart, 'H', 'E', 'L', 'L', 'O', 0x00};
    EXPECT_EQ(send(bytes), Bytes(bytes.size(), kAcknowledge));
    EXPECT_EQ(screen(), (std::vector<std::string>{row("HELLO"), row("")}));
    EXPECT_EQ(firmware.displayBytes(), bytes);
    EXPECT_EQ(firmware.counters().displaySequences, 2u);
    EXPECT_EQ(firmware.counters().displayBytes, 6u);
}

TEST_F(DisplaySequences, PositionsHomesAndClear) {
    send({kDisplayStart, 0xC9, 0x42, 'A', 'B', 0xC9, 0x85, 'C', 0xC1, 'D', 0xC0, 'E', 0x00});
    EXPECT_EQ(screen(), (std::vector<std::string>{row("E    C"), row("D AB")}));
    send({kDisplayStart, 0x01, 'F', 0x00});
    EXPECT_EQ(screen(), (std::vector<std::string>{row("F"), row("")}));
}

TEST_F(DisplaySequences, PositionOfNeitherRowLeavesTheCursor) {
    send({kDisplayStart, 'A', 0xC9, 0x05, 'B', 0x00});
    EXPECT_EQ(screen()[0], row("AB"));
}

TEST_F(DisplaySequences, DisplayControlTakesItsArgument) {
    send({kDisplayStart, 0xC8, 0x0E, 0x00});
    EXPECT_EQ(firmware.display().control(), (DisplayControl{true, true, false}));
    send({kDisplayStart, 0xC8, 0x09, 0x00});
    EXPECT_EQ(firmware.display().control(), (DisplayControl{false, false, true}));
    EXPECT_EQ(screen()[0], row("")) << "the argument is no character";
}

TEST_F(DisplaySequences, CharactersPastTheLastColumnAreDropped) {
    Bytes bytes{kDisplayStart, 0xC9, 0x80 + 22};
    for (char c : std::string("WXYZ")) bytes.push_back(static_cast<std::uint8_t>(c));
    bytes.push_back(0x00);
    send(bytes);
    EXPECT_EQ(screen()[0].substr(22), "WX");
    EXPECT_EQ(screen()[1], row(""));
    EXPECT_EQ(firmware.display().droppedCharacters(), 2u);
}

TEST_F(DisplaySequences, ProtocolBytesInsideASequenceAreCharacters) {
    send({kDisplayStart, kFramePrefix, kEcho, kEnable, 0x00});
    EXPECT_EQ(screen()[0].substr(0, 3), "\xEF\xEE\xF4");
    EXPECT_TRUE(host.replies.empty());
    EXPECT_EQ(firmware.counters().framesStarted, 0u);
    // After the sequence a frame works as ever.
    const Bytes frame = writeFrame(0x0010, {0x42});
    EXPECT_EQ(send(frame), Bytes(frame.size(), kAcknowledge));
    EXPECT_EQ(firmware.memory().bytes()[0x10], 0x42);
}

TEST_F(DisplaySequences, ObserverHearsOfChangedScreensOnly) {
    send({kDisplayStart, 'A', 0x00});
    send({kDisplayStart, 0xC0, 0x00});  // the cursor moves, nothing shows
    send({kDisplayStart, 0xC0, 'A', 0x00});  // the same character again
    send({kDisplayStart, 0xC8, 0x0F, 0x00});
    ASSERT_EQ(observer.screens.size(), 2u);
    EXPECT_EQ(observer.screens[0][0], row("A"));
}

TEST_F(DisplaySequences, RefusedByteIsNotShownAndTheSequenceStaysOpen) {
    firmware.refuseBytes(3);
    EXPECT_EQ(send({kDisplayStart, 'A', 'B', 'C', 0x00}),
              (Bytes{kAcknowledge, kAcknowledge, kRefuse, kAcknowledge, kAcknowledge}));
    EXPECT_EQ(screen()[0], row("AC"));
    EXPECT_FALSE(firmware.inDisplaySequence());
}

TEST(CustomerDisplayModel, GeometryIsKeptWithinItsLimits) {
    CustomerDisplay display(4, 40);
    EXPECT_EQ(display.rows(), 4u);
    EXPECT_EQ(display.screen()[3].size(), 40u);
    display.resize(0, 500);
    EXPECT_EQ(display.rows(), 1u);
    EXPECT_EQ(display.columns(), kMostDisplayColumns);
}

TEST(CustomerDisplayModel, FramedScreenShowsEveryRow) {
    CustomerDisplay display(2, 5);
    for (const std::uint8_t byte : Bytes{'O', 'K', 0x02, 0x81}) display.take(byte);
    EXPECT_EQ(display.framed(), "+-----+\n|OK.\xC3\xBC |\n|     |\n+-----+\n")
        << "a control byte shows as a dot, code page 437 in UTF-8";
}

TEST(DeviceCommands, SimpleCommandsAreAcknowledgedAndLogged) {
    Firmware firmware;
    RecordingHost host;
    EXPECT_EQ(host.send(firmware, {kFramePrefix, 0x2B, kFramePrefix, 0x42, kFramePrefix, 0x18}),
              Bytes(6, kAcknowledge));
    const auto& log = firmware.commandLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].name, "beep");
    EXPECT_EQ(log[1].name, "card reader LEDs 0");
    EXPECT_EQ(log[2].name, "card reader auto input on");
    EXPECT_EQ(firmware.counters().deviceCommands, 3u);
    EXPECT_FALSE(firmware.inFrame());
}

TEST(DeviceCommands, TextCommandsReadUpToTheNulWhateverTheBytes) {
    Firmware firmware;
    RecordingHost host;
    const Bytes bytes{kFramePrefix, 0x28, 'A', kFramePrefix, kEcho, 0x00, kFramePrefix, 0x28, 0x00};
    EXPECT_EQ(host.send(firmware, bytes), Bytes(bytes.size(), kAcknowledge)) << "no echo answer inside the text";
    ASSERT_EQ(firmware.commandLog().size(), 2u);
    EXPECT_EQ(firmware.commandLog()[0].arguments, (Bytes{'A', kFramePrefix, kEcho}));
    EXPECT_EQ(describe(firmware.commandLog()[0]), "EF 28 barcode data \"A<EF><EE>\"");
    EXPECT_TRUE(firmware.commandLog()[1].arguments.empty()) << "an empty text";
}

TEST(DeviceCommands, TrackSelectionTakesOneByte) {
    Firmware firmware;
    RecordingHost host;
    host.send(firmware, {kFramePrefix, 0x36, 0x00, kFramePrefix, 0x2B});
    ASSERT_EQ(firmware.commandLog().size(), 2u);
    EXPECT_EQ(firmware.commandLog()[0].arguments, Bytes{0x00}) << "a 0x00 argument does not end early";
    EXPECT_EQ(describe(firmware.commandLog()[0]), "EF 36 card reader tracks 00");
}

TEST(DeviceCommands, LongTextIsCutButTheCommandEndsAtItsNul) {
    Firmware firmware;
    RecordingHost host;
    Bytes bytes{kFramePrefix, 0x27};
    bytes.insert(bytes.end(), CommandReader::kMostArgumentBytes + 10, 'x');
    bytes.push_back(0x00);
    host.send(firmware, bytes);
    ASSERT_EQ(firmware.commandLog().size(), 1u);
    EXPECT_EQ(firmware.commandLog()[0].arguments.size(), CommandReader::kMostArgumentBytes);
    EXPECT_TRUE(firmware.commandLog()[0].truncated);
    EXPECT_FALSE(firmware.inFrame());
}

TEST(DeviceCommands, UnknownCommandIsLoggedByItsByte) {
    Firmware firmware;
    RecordingHost host;
    host.send(firmware, {kFramePrefix, 0x10});
    ASSERT_EQ(firmware.commandLog().size(), 1u);
    EXPECT_EQ(describe(firmware.commandLog()[0]), "EF 10 command");
    EXPECT_EQ(firmware.counters().deviceCommands, 0u);
}

}  // namespace
}  // namespace kbxsim::test
