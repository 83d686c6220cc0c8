#include "platform/system_info.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace kbx::platform {
namespace {

constexpr char kVariable[] = "KBX_PLATFORM";

class SystemVersionTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* value = std::getenv(kVariable)) saved_ = value;
    }
    void TearDown() override {
        if (saved_) {
            setenv(kVariable, saved_->c_str(), 1);
        } else {
            unsetenv(kVariable);
        }
    }

private:
    std::optional<std::string> saved_;
};

struct Case {
    const char* setting;  // null: not set
    bool nt;
    int major;
};

constexpr Case kCases[] = {
    {nullptr, true, 5}, {"nt4", true, 4}, {"w95", false, 4}, {"", true, 5}, {"NT4", true, 5}, {"nt5", true, 5},
};

TEST_F(SystemVersionTest, FamilyFollowsTheEnvironmentAtEveryCall) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.setting == nullptr ? "(not set)" : c.setting);
        if (c.setting == nullptr) {
            unsetenv(kVariable);
        } else {
            setenv(kVariable, c.setting, 1);
        }
        const SystemVersion version = systemVersion();
        EXPECT_EQ(version.nt, c.nt);
        EXPECT_EQ(version.major, c.major);
    }
}

}  // namespace
}  // namespace kbx::platform
