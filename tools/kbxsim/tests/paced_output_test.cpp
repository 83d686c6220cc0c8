#include "tools/kbxsim/paced_output.h"

#include <gtest/gtest.h>

namespace kbxsim::test {
namespace {

using std::chrono::milliseconds;

const Clock::time_point kStart = Clock::time_point{} + std::chrono::hours(1);

TEST(PacedOutput, ByteTimeIsTenBitsAtTheBaudRate) {
    EXPECT_EQ(byteTimeAt(9600), std::chrono::microseconds(1041) + std::chrono::nanoseconds(666));
    EXPECT_EQ(byteTimeAt(1200), std::chrono::microseconds(8333) + std::chrono::nanoseconds(333));
    EXPECT_EQ(byteTimeAt(0), Clock::duration::zero());
}

TEST(PacedOutput, WithoutPacingEverythingIsReady) {
    PacedOutput output;
    for (std::uint8_t byte = 0; byte < 10; ++byte) output.push(byte, kStart);
    EXPECT_EQ(output.ready(kStart, Clock::duration::zero()).size(), 10u);
}

TEST(PacedOutput, ReleasesOneByteEachByteTime) {
    PacedOutput output;
    const Clock::duration byteTime = milliseconds(10);
    for (std::uint8_t byte = 0; byte < 5; ++byte) output.push(byte, kStart);

    auto ready = output.ready(kStart, byteTime);
    ASSERT_EQ(ready.size(), 1u);
    EXPECT_EQ(ready[0], 0);
    output.consume(1, byteTime);
    EXPECT_TRUE(output.ready(kStart + milliseconds(9), byteTime).empty());
    EXPECT_EQ(output.nextRelease(), kStart + milliseconds(10));
    EXPECT_EQ(output.ready(kStart + milliseconds(10), byteTime).size(), 1u);
}

TEST(PacedOutput, LateWakeCatchesUpButNotBeyondTheLine) {
    PacedOutput output;
    const Clock::duration byteTime = milliseconds(10);
    for (std::uint8_t byte = 0; byte < 5; ++byte) output.push(byte, kStart);
    // 25 ms after the start three bytes may have left: at 0, 10 and 20 ms.
    EXPECT_EQ(output.ready(kStart + milliseconds(25), byteTime).size(), 3u);
}

TEST(PacedOutput, IdleLineGivesNoCreditForLater) {
    PacedOutput output;
    const Clock::duration byteTime = milliseconds(10);
    output.push(1, kStart);
    output.consume(1, byteTime);
    // A second after the queue ran empty, a new reply starts afresh.
    const Clock::time_point later = kStart + std::chrono::seconds(1);
    for (std::uint8_t byte = 0; byte < 5; ++byte) output.push(byte, later);
    EXPECT_EQ(output.ready(later, byteTime).size(), 1u);
}

TEST(PacedOutput, FullQueueDropsAndCounts) {
    PacedOutput output;
    for (std::size_t i = 0; i < PacedOutput::kCapacity + 3; ++i) output.push(0, kStart);
    EXPECT_EQ(output.size(), PacedOutput::kCapacity);
    EXPECT_EQ(output.dropped(), 3u);
    output.consume(PacedOutput::kCapacity, Clock::duration::zero());
    EXPECT_TRUE(output.empty());
    EXPECT_EQ(output.nextRelease(), std::nullopt);
}

}  // namespace
}  // namespace kbxsim::test
