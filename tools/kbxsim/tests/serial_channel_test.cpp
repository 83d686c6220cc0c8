#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include "kbxsim/simulator.h"
#include "tests/support/files.h"
#include "tools/kbxsim/firmware/firmware.h"
#include "tools/kbxsim/tests/frames.h"
#include "tools/kbxsim/tests/pty_client.h"

namespace kbxsim::test {
namespace {

const LineSettings k1200Odd{1200, Parity::odd, 8};
const LineSettings k9600Odd{9600, Parity::odd, 8};

Bytes acknowledgements(std::size_t count) { return Bytes(count, kAcknowledge); }

SimulatorOptions linkedAt(const std::filesystem::path& link) {
    SimulatorOptions options;
    options.link = link;
    return options;
}

TEST(SerialChannel, LinkNamesTheSlaveAndGoesWithTheSimulator) {
    kbxtest::TempDir dir;
    const auto link = dir / "ttyKBX";
    {
        Simulator keyboard(linkedAt(link));
        EXPECT_EQ(keyboard.portPath(), link.string());
        EXPECT_EQ(std::filesystem::read_symlink(link), keyboard.slavePath());
        EXPECT_TRUE(keyboard.slavePath().starts_with("/dev/pts/"));
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

TEST(SerialChannel, StaleLinkIsReplacedButAFileIsNot) {
    kbxtest::TempDir dir;
    const auto link = dir / "ttyKBX";
    std::filesystem::create_symlink("/dev/pts/nowhere", link);
    {
        Simulator keyboard(linkedAt(link));
        EXPECT_EQ(std::filesystem::read_symlink(link), keyboard.slavePath());
    }
    kbxtest::writeFile(link, "not a link");
    EXPECT_THROW(Simulator{linkedAt(link)}, std::runtime_error);
    EXPECT_EQ(kbxtest::readFile(link), "not a link");
}

TEST(SerialChannel, WithoutALinkThePortIsTheSlave) {
    Simulator keyboard;
    EXPECT_EQ(keyboard.linkPath(), std::filesystem::path{});
    EXPECT_EQ(keyboard.portPath(), keyboard.slavePath());
}

TEST(SerialChannel, EchoIsAnsweredOnlyAtTheKeyboardsSettings) {
    SimulatorOptions options;
    options.echoSettings = k1200Odd;
    Simulator keyboard(options);
    PtyClient host(keyboard.portPath(), k9600Odd);
    host.send({kEcho});
    EXPECT_EQ(host.receive(1, kQuietTime), Bytes{});

    host.setLine({1200, Parity::even, 8});
    host.send({kEcho});
    EXPECT_EQ(host.receive(1, kQuietTime), Bytes{});

    host.setLine(k1200Odd);
    host.send({kEcho});
    EXPECT_EQ(host.receive(1), Bytes{kEcho});

    // Other bytes are answered at any settings.
    host.setLine(k9600Odd);
    EXPECT_EQ(host.exchange({kEnable}), Bytes{kAcknowledge});
    EXPECT_EQ(keyboard.counters().echoesUnanswered, 2u);
    EXPECT_EQ(keyboard.counters().echoesAnswered, 1u);
}

TEST(SerialChannel, WriteFrameIsStoredAndReadsBack) {
    Simulator keyboard;
    PtyClient host(keyboard.portPath());
    const Bytes data{0x12, 0x34, 0xAB, 0xCD};
    const Bytes frame = writeFrame(0x0123, data);
    EXPECT_EQ(host.exchange(frame), acknowledgements(frame.size()));
    EXPECT_EQ(keyboard.memory(0x0123, 4), data);
    EXPECT_EQ(keyboard.hostWritesIn(0x0123, 0x0126), 4u);

    host.send(readFrame(0x0123, 4));
    // 1+2+3+4+A+B+C+D = 56 = 0x38.
    EXPECT_EQ(host.receive(10 + 10), bytesOf(std::string(10, '\xFA') + "1234ABCD38"));
}

TEST(SerialChannel, ManyOpenAndCloseCyclesOfTheSlaveAreServed) {
    Simulator keyboard;
    for (int cycle = 0; cycle < 200; ++cycle) {
        PtyClient host(keyboard.portPath(), cycle % 2 == 0 ? k9600Odd : k1200Odd);
        host.send({kEcho});
        ASSERT_EQ(host.receive(1), Bytes{kEcho}) << "cycle " << cycle;
    }
    PtyClient host(keyboard.portPath());
    const Bytes frame = writeFrame(0x0004, {0x01});
    EXPECT_EQ(host.exchange(frame), acknowledgements(frame.size()));
    EXPECT_EQ(keyboard.counters().echoesAnswered, 200u);
}

TEST(SerialChannel, BytesSentWhileNoHostListensAreNotLeftForTheNextHost) {
    Simulator keyboard;
    {
        PtyClient host(keyboard.portPath());
        host.send({kEnable, kEnable, kEnable});  // answers never read
        for (int wait = 0; wait < 200 && keyboard.counters().acknowledgements < 3; ++wait) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ASSERT_EQ(keyboard.counters().acknowledgements, 3u);
    }
    // The next host discards what is waiting, as the library does on open.
    PtyClient host(keyboard.portPath());
    EXPECT_EQ(host.exchange({kEcho}), Bytes{kEcho});
}

TEST(SerialChannel, FaultsArmedFromTheTestReachTheLine) {
    Simulator keyboard;
    PtyClient host(keyboard.portPath());
    keyboard.refuseEveryByte();
    EXPECT_EQ(host.exchange({kFramePrefix, kFramePrefix}), (Bytes{kRefuse, kRefuse}));
    keyboard.clearFaults();

    keyboard.corruptReplies({ReplyDamage::nul, 1});
    host.send(readFrame(0x0000, 1));
    EXPECT_EQ(host.receive(10 + 4), bytesOf(std::string(10, '\xFA') + std::string("5\0" "0B", 4)));

    keyboard.goSilent(1, 1);
    host.send({kEcho});
    EXPECT_EQ(host.receive(1, kQuietTime), Bytes{});
    EXPECT_EQ(host.exchange({kEcho}), Bytes{kEcho});
}

// Echo exchanges, one byte at a time as the protocol goes: each costs the
// host's byte and the keyboard's answer on the wire, plus the adapter's
// latency; the line model says how long N of them take.
std::chrono::duration<double, std::milli> timeOfEchoes(Simulator& keyboard, const LineSettings& line, int count) {
    PtyClient host(keyboard.portPath(), line);
    const auto start = std::chrono::steady_clock::now();
    const Bytes answers = host.exchange(Bytes(std::size_t(count), kEcho));
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(answers, Bytes(std::size_t(count), kEcho));
    return took;
}

TEST(SerialChannel, LineRateCarriesBothDirectionsAtTheLinesBitsPerByte) {
    SimulatorOptions options;
    options.lineRate = true;
    Simulator keyboard(options);
    constexpr int kEchoes = 50;
    // 2400,O,8,1: 11 bits a byte, 4.583 ms; two bytes on the wire per echo.
    const double model = kEchoes * 2 * 11 * 1000.0 / 2400;
    const double took = timeOfEchoes(keyboard, {2400, Parity::odd, 8}, kEchoes).count();
    std::printf("%d paced echoes at 2400,O,8: %.1f ms, line model %.1f ms (ratio %.3f)\n", kEchoes, took, model,
                took / model);
    // Never faster than the line; slower only by the machine's own delays
    // (a loaded machine or a sanitizer build adds up to about 30 %).
    EXPECT_GE(took, model * 0.99);
    EXPECT_LE(took, model * 1.6);
}

TEST(SerialChannel, AdapterLatencyHoldsEveryAnswer) {
    SimulatorOptions options;
    options.lineRate = true;
    options.adapterLatency = std::chrono::milliseconds(16);
    Simulator keyboard(options);
    constexpr int kEchoes = 10;
    const double model = kEchoes * (2 * 11 * 1000.0 / 9600 + 16);
    const double took = timeOfEchoes(keyboard, k9600Odd, kEchoes).count();
    std::printf("%d echoes at 9600,O,8 behind a 16 ms adapter: %.1f ms, model %.1f ms (ratio %.3f)\n", kEchoes,
                took, model, took / model);
    EXPECT_GE(took, model * 0.99);
    EXPECT_LE(took, model * 1.6);
}

TEST(SerialChannel, LogHasALinePerByte) {
    std::ostringstream log;
    SimulatorOptions options;
    options.log = &log;
    Simulator keyboard(options);
    {
        PtyClient host(keyboard.portPath());
        EXPECT_EQ(host.exchange({kEcho, kEnable}), (Bytes{kEcho, kAcknowledge}));
    }
    EXPECT_EQ(keyboard.stop(), "");
    EXPECT_EQ(log.str(), "kbxsim: <- EE echo answered -> EE\nkbxsim: <- F4 enable -> FA\n");
}

TEST(SerialChannel, MemoryStaysReadableAfterStop) {
    kbxtest::TempDir dir;
    Simulator keyboard;
    const Bytes bytes{'V', 'y', 'r', 'n', 0, 0, 0x00, 0x0C, 1, 2, 3, 4};
    kbxtest::writeFile(dir / "in.kbx", std::string(bytes.begin(), bytes.end()));
    ASSERT_EQ(keyboard.loadImage(dir / "in.kbx"), "");
    keyboard.stop();
    EXPECT_EQ(keyboard.memory(8, 4), (Bytes{1, 2, 3, 4}));
    ASSERT_EQ(keyboard.saveImage(dir / "out.kbx"), "");
    EXPECT_EQ(kbxtest::readBytes(dir / "out.kbx"), bytes);
}

}  // namespace
}  // namespace kbxsim::test
