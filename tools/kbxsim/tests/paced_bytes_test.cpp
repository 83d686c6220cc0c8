#include "tools/kbxsim/transports/paced_bytes.h"

#include <gtest/gtest.h>

namespace kbxsim::test {
namespace {

using std::chrono::milliseconds;

const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(1);
const LinePace kTenMs{milliseconds(10), {}};

TEST(PacedBytes, ByteTimeCountsEveryBitOfTheLine) {
    // 9600,O,8,1: start, eight data bits, parity, stop.
    EXPECT_EQ(byteTimeAt(9600, 11), std::chrono::microseconds(1145) + std::chrono::nanoseconds(833));
    EXPECT_EQ(byteTimeAt(1200, 10), std::chrono::microseconds(8333) + std::chrono::nanoseconds(333));
    EXPECT_EQ(byteTimeAt(0, 10), Clock::duration::zero());
}

TEST(PacedBytes, WithoutPacingEverythingIsReadyAtOnce) {
    PacedBytes bytes;
    for (std::uint8_t byte = 0; byte < 10; ++byte) bytes.push(byte, kStart);
    EXPECT_EQ(bytes.ready(kStart, {}).size(), 10u);
}

TEST(PacedBytes, AByteArrivesWhenItsLastBitHasCrossedTheLine) {
    PacedBytes bytes;
    for (std::uint8_t byte = 0; byte < 5; ++byte) bytes.push(byte, kStart);
    EXPECT_TRUE(bytes.ready(kStart + milliseconds(9), kTenMs).empty());
    EXPECT_EQ(bytes.nextRelease(kTenMs), kStart + milliseconds(10));
    auto ready = bytes.ready(kStart + milliseconds(10), kTenMs);
    ASSERT_EQ(ready.size(), 1u);
    EXPECT_EQ(ready[0], 0);
    bytes.consume(1, kTenMs);
    EXPECT_EQ(bytes.nextRelease(kTenMs), kStart + milliseconds(20));
}

TEST(PacedBytes, TheAdapterLatencyComesOnTopOfTheLine) {
    PacedBytes bytes;
    const LinePace adapter{milliseconds(1), milliseconds(16)};
    bytes.push(0xFA, kStart);
    EXPECT_TRUE(bytes.ready(kStart + milliseconds(16), adapter).empty());
    EXPECT_EQ(bytes.ready(kStart + milliseconds(17), adapter).size(), 1u);
    PacedBytes unpacedLine;
    unpacedLine.push(0xFA, kStart);
    EXPECT_TRUE(unpacedLine.ready(kStart + milliseconds(15), {{}, milliseconds(16)}).empty());
    EXPECT_EQ(unpacedLine.ready(kStart + milliseconds(16), {{}, milliseconds(16)}).size(), 1u);
}

TEST(PacedBytes, LateWakeCatchesUpButNotBeyondTheLine) {
    PacedBytes bytes;
    for (std::uint8_t byte = 0; byte < 5; ++byte) bytes.push(byte, kStart);
    // 25 ms after the start two bytes have crossed: at 10 and 20 ms.
    EXPECT_EQ(bytes.ready(kStart + milliseconds(25), kTenMs).size(), 2u);
}

TEST(PacedBytes, IdleLineGivesNoCreditForLater) {
    PacedBytes bytes;
    bytes.push(1, kStart);
    bytes.consume(1, kTenMs);
    // A second after the queue ran empty, a new reply starts afresh.
    const Clock::time_point later = kStart + std::chrono::seconds(1);
    for (std::uint8_t byte = 0; byte < 5; ++byte) bytes.push(byte, later);
    EXPECT_TRUE(bytes.ready(later, kTenMs).empty());
    EXPECT_EQ(bytes.ready(later + milliseconds(10), kTenMs).size(), 1u);
}

TEST(PacedBytes, FullQueueDropsAndCounts) {
    PacedBytes bytes;
    for (std::size_t i = 0; i < PacedBytes::kCapacity + 3; ++i) bytes.push(0, kStart);
    EXPECT_EQ(bytes.size(), PacedBytes::kCapacity);
    EXPECT_EQ(bytes.dropped(), 3u);
    bytes.consume(PacedBytes::kCapacity, {});
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(bytes.nextRelease({}), std::nullopt);
}

}  // namespace
}  // namespace kbxsim::test
