#include <gtest/gtest.h>

#include "editor/persist/programming_check.h"
#include "editor/persist/tests/persist_fixture.h"

namespace kbxdoc::testing {
namespace {

using persist::ProgrammingProblem;

// What the compiler makes of a text decides: the same text fits a layer
// with make/break (one byte a key) and not one without (a make and a break
// code, and Shift around capitals).
TEST(ProgrammingCheck, TextsTheCompilerRefusesAreFoundBeforeTheyAreTaken) {
    PersistDocument doc;
    const LayerDefinition& normal = doc.layers[0];
    const LayerDefinition& stdKey = doc.layers[4];
    constexpr std::uint32_t kFollow = kAllFollowLayer;
    const KeyboardData& k = *doc.keyboard;
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, "abc{F1}\\\"x\""), std::nullopt);
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, std::string(178, 'A')), ProgrammingProblem::tooLong);
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, std::string(119, 'a')), std::nullopt);
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, std::string(120, 'a')), ProgrammingProblem::tooLong);
    EXPECT_EQ(persist::programmingProblem(k, stdKey, kFollow, std::string(178, 'A')), std::nullopt);
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, "{NoSuchKey}"), ProgrammingProblem::notConvertible);
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, "{KEY-LEFT}"), std::nullopt);
    EXPECT_EQ(persist::programmingProblem(k, normal, kFollow, ""), std::nullopt);
}

}  // namespace
}  // namespace kbxdoc::testing
