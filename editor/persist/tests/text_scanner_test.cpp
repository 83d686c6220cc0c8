#include "editor/persist/text_scanner.h"

#include <gtest/gtest.h>

namespace kbxdoc::persist {
namespace {

TEST(TextSearch, AWordIsFoundAnywhereInEitherLetterCase) {
    EXPECT_TRUE(containsIgnoringCase("KEY-HOME", "key-"));
    EXPECT_TRUE(containsIgnoringCase("\"abc\"kEy-", "KEY-"));
    EXPECT_TRUE(containsIgnoringCase("kkkey-", "KEY-")) << "after a false start";
    EXPECT_TRUE(containsIgnoringCase("a-b", "-B"));
    EXPECT_TRUE(containsIgnoringCase("anything", ""));
    EXPECT_FALSE(containsIgnoringCase("KEY", "KEY-"));
    EXPECT_FALSE(containsIgnoringCase("KE Y-", "KEY-"));
    EXPECT_FALSE(containsIgnoringCase("", "K"));
    EXPECT_FALSE(containsIgnoringCase("\xC4KEY", "\xE4KEY")) << "letter case of ASCII only";
}

}  // namespace
}  // namespace kbxdoc::persist
