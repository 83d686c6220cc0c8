#include <gtest/gtest.h>

#include "tools/kbx32/block_errors.h"

namespace kbx32 {
namespace {

TEST(BlockErrors, EachErrorIsNamedAndTheKeyboardPortsBitIsTold) {
    EXPECT_EQ(blockErrorText(1), "block error 0x01: the reply could not be read, or the key capture could not be started");
    EXPECT_EQ(blockErrorText(6), "block error 0x06: the reply held a NUL character");
    EXPECT_EQ(blockErrorText(0x13),
              "block error 0x13: the high digit of the reply's checksum was wrong, over the keyboard port");
    // 0x95 has bit 4 set too, but is no read error: the serial byte send failed.
    EXPECT_EQ(blockErrorText(0x95), "block error 0x95: the keyboard did not take the read frame (send result 0x95)");
    EXPECT_EQ(blockErrorText(0x10), "block error 0x10: the keyboard did not take the read frame (send result 0x10)");
}

TEST(BlockErrors, TheLibrarysMessageNamesTheErrorInHex) {
    EXPECT_EQ(blockErrorOfMessage(" Upload Error (06)"), 6);
    EXPECT_EQ(blockErrorOfMessage(" Upload Error (14)"), 0x14);
    EXPECT_EQ(blockErrorOfMessage(""), std::nullopt);
    EXPECT_EQ(blockErrorOfMessage("Upload Error.\n"), std::nullopt);
}

}  // namespace
}  // namespace kbx32
