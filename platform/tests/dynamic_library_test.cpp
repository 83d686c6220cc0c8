#include "platform/dynamic_library.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>

namespace {

using kbx::platform::DynamicLibrary;
using StringLength = std::size_t (*)(const char*);

constexpr char kLibc[] = "libc.so.6";

TEST(DynamicLibrary, FindsALibraryByFileNameAndCallsItsFunction) {
    DynamicLibrary libc(kLibc);
    ASSERT_TRUE(libc.isOpen()) << libc.error();
    auto length = libc.symbol<StringLength>("strlen");
    ASSERT_NE(length, nullptr) << libc.error();
    EXPECT_EQ(length("kbx32"), 5u);
    EXPECT_EQ(libc.error(), "");
}

TEST(DynamicLibrary, MissingFileLeavesItClosedWithTheLoaderText) {
    DynamicLibrary missing("libkbx-no-such-library.so");
    EXPECT_FALSE(missing.isOpen());
    EXPECT_NE(missing.error().find("libkbx-no-such-library.so"), std::string::npos) << missing.error();
    EXPECT_EQ(missing.symbol<StringLength>("strlen"), nullptr);
    EXPECT_NE(missing.error().find("libkbx-no-such-library.so"), std::string::npos)
        << "a look-up keeps the reason of the failed open: " << missing.error();
}

TEST(DynamicLibrary, MissingSymbolIsNullWithTheLoaderText) {
    DynamicLibrary libc(kLibc);
    ASSERT_TRUE(libc.isOpen());
    EXPECT_EQ(libc.symbol<StringLength>("kbx_no_such_function"), nullptr);
    EXPECT_NE(libc.error().find("kbx_no_such_function"), std::string::npos) << libc.error();
    EXPECT_EQ(libc.symbol<StringLength>(nullptr), nullptr);
}

TEST(DynamicLibrary, EmptyObjectHasNoSymbols) {
    DynamicLibrary none;
    EXPECT_FALSE(none.isOpen());
    EXPECT_EQ(none.symbol<StringLength>("strlen"), nullptr);
    EXPECT_FALSE(none.error().empty());
}

TEST(DynamicLibrary, MovingHandsOverTheLibrary) {
    DynamicLibrary first(kLibc);
    DynamicLibrary second(std::move(first));
    EXPECT_FALSE(first.isOpen());  // NOLINT(bugprone-use-after-move): the moved-from state is defined
    ASSERT_TRUE(second.isOpen());
    EXPECT_EQ(second.fileName(), kLibc);

    DynamicLibrary third;
    third = std::move(second);
    EXPECT_FALSE(second.isOpen());  // NOLINT(bugprone-use-after-move)
    ASSERT_TRUE(third.isOpen());
    EXPECT_NE(third.symbol<StringLength>("strlen"), nullptr);
}

}  // namespace
