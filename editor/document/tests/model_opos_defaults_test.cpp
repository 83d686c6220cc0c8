#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/document/opos_defaults.h"

namespace kbxdoc {
namespace {

TEST(OposDefaults, PassThirteenLinesToTheReaderInOrder) {
    std::vector<std::string> read;
    applyOposDefaults([&](std::string_view line) { read.emplace_back(line); });
    const std::vector<std::string> expected{
        R"(M1H-L+K/A/P/R: "{POSMSR1}")",    R"(M1T-L+K/A/P/R: "{POSMSR1}")",
        R"(M2H-L+K/A/P/R: "{POSMSR2}")",    R"(M2T-L+K/A/P/R: "{POSMSR2}")",
        R"(M3H-L+K/A/P/R: "{POSMSR3}")",    R"(M3T-L+K/A/P/R: "{POSMSR3}")",
        R"(BCH-L+K/A/P/R: "{POSBarcode}")", R"(BCT-L+K/A/P/R: "{POSBarcode}")",
        R"(KLH-L+K/A/P/R: "{POSKeylock}")", R"(KLT-L+K/A/P/R: "{POSKeylock}")",
        R"(FIH-L+K/A/P/R: "{POSFC}")",      R"(FRT-L+K/A/P/R: "{POSFC}")",
        R"(MSR LRC,: "Err\#")",
    };
    EXPECT_EQ(read, expected);
}

TEST(OposDefaults, WithoutAReaderNothingHappens) {
    EXPECT_NO_THROW(applyOposDefaults({}));
}

}  // namespace
}  // namespace kbxdoc
