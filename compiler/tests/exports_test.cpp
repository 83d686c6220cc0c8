#include <gtest/gtest.h>

#include "tests/support/symbols.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {


TEST(Exports, CompilerLibraryExportsOnlyKbxc) {
    EXPECT_EQ(kbxtest::definedSymbols(KBX_LIBRARY_DIR "/libkbxc32.so"), "kbxc\n");
}

}  // namespace
