#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "posfunc/binding/kbxi32_binding.h"

namespace kbxfunc {
namespace {

const std::filesystem::path kLibraries = KBX_LIBRARY_DIR;

std::string partialLibrary(int missing) {
    return (kLibraries / ("libpartial_kbxi32_" + std::to_string(missing) + ".so")).string();
}

// load_kbxi32 names the first entry point that is missing by its place in
// the order it takes them, and keeps nothing loaded then.
TEST(Kbxi32Binding, AMissingEntryPointIsReportedByItsNumber) {
    for (int missing : {1, 8, 12}) {
        Kbxi32Binding binding;
        binding.setLibraryName(partialLibrary(missing));
        EXPECT_EQ(binding.load(), missing);
        EXPECT_FALSE(binding.loaded());
        EXPECT_EQ(binding.functions().vddSendbyte, nullptr);
    }
}

TEST(Kbxi32Binding, AWholeLibraryLoadsOnceAndUnloads) {
    Kbxi32Binding binding;
    binding.setLibraryName(partialLibrary(0));
    ASSERT_EQ(binding.load(), 0);
    EXPECT_TRUE(binding.loaded());
    ASSERT_NE(binding.functions().sndInterface, nullptr);
    EXPECT_EQ(binding.functions().vddEfGet(), 0xFF);
    binding.setLibraryName(partialLibrary(1));
    EXPECT_EQ(binding.load(), 0);  // loaded already: nothing is taken again
    binding.unload();
    EXPECT_FALSE(binding.loaded());
    EXPECT_EQ(binding.functions().sndInterface, nullptr);
    EXPECT_EQ(binding.load(), 1);  // the new name counts from now on
}

TEST(Kbxi32Binding, ALibraryThatIsNotThereGives99) {
    Kbxi32Binding binding;
    binding.setLibraryName((kLibraries / "libkbxi32-not-there.so").string());
    EXPECT_EQ(binding.load(), kKbxi32NotLoadable);
    EXPECT_FALSE(binding.loaded());
}

}  // namespace
}  // namespace kbxfunc
