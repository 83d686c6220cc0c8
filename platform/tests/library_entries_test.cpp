#include "platform/library_entries.h"

#include <gtest/gtest.h>

#include <array>
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "platform/dynamic_library.h"

namespace {

using kbx::platform::AfterMissing;
using kbx::platform::AnyFunction;
using kbx::platform::entry;
using kbx::platform::MissingEntry;
using kbx::platform::requiredEntry;
using kbx::platform::resolveAllEntries;
using kbx::platform::resolveEntries;

int seven() { return 7; }
int twice(int value) { return 2 * value; }
void nothing() {}

struct Entries {
    int (*seven)() = nullptr;
    int (*twice)(int) = nullptr;
};

constexpr std::array kTable{
    entry<&Entries::seven>("seven"),
    requiredEntry<Entries>("nothing"),
    entry<&Entries::twice>("twice"),
};

// A library of the named functions that records every look-up.
struct RecordingLibrary {
    std::map<std::string, AnyFunction> functions;
    std::vector<std::string> lookedUp;

    template <typename FunctionPointer>
    FunctionPointer symbol(const char* name) {
        lookedUp.emplace_back(name);
        const auto found = functions.find(name);
        return reinterpret_cast<FunctionPointer>(found == functions.end() ? nullptr : found->second);
    }
};

RecordingLibrary libraryWith(std::map<std::string, AnyFunction> functions) { return {std::move(functions), {}}; }

TEST(LibraryEntries, AWholeLibraryGivesEveryMemberItsTypedFunction) {
    RecordingLibrary library = libraryWith({{"seven", reinterpret_cast<AnyFunction>(seven)},
                                            {"nothing", nothing},
                                            {"twice", reinterpret_cast<AnyFunction>(twice)}});
    const auto resolved = resolveEntries(library, kTable);
    EXPECT_TRUE(resolved.complete());
    EXPECT_EQ(library.lookedUp, (std::vector<std::string>{"seven", "nothing", "twice"}));
    ASSERT_TRUE(resolved.entries.seven && resolved.entries.twice);
    EXPECT_EQ(resolved.entries.seven(), 7);
    EXPECT_EQ(resolved.entries.twice(21), 42);
}

TEST(LibraryEntries, TheFirstMissingNameEndsTheLookUpAndIsReportedWithItsPlace) {
    RecordingLibrary library = libraryWith({{"seven", reinterpret_cast<AnyFunction>(seven)}});
    const auto resolved = resolveEntries(library, kTable);
    ASSERT_TRUE(resolved.firstMissing);
    EXPECT_EQ(resolved.firstMissing->position, 1u);
    EXPECT_STREQ(resolved.firstMissing->name, "nothing");
    EXPECT_EQ(library.lookedUp, (std::vector<std::string>{"seven", "nothing"}));
    EXPECT_NE(resolved.entries.seven, nullptr);
    EXPECT_EQ(resolved.entries.twice, nullptr);
}

TEST(LibraryEntries, GoingOnAfterAMissingNameLooksUpTheRestAndKeepsTheFirst) {
    RecordingLibrary library = libraryWith({{"twice", reinterpret_cast<AnyFunction>(twice)}});
    std::vector<std::size_t> missing;
    const auto resolved = resolveEntries(library, kTable, [&missing](const MissingEntry& entry) {
        missing.push_back(entry.position);
        return AfterMissing::goOn;
    });
    EXPECT_EQ(missing, (std::vector<std::size_t>{0, 1}));
    ASSERT_TRUE(resolved.firstMissing);
    EXPECT_STREQ(resolved.firstMissing->name, "seven");
    ASSERT_NE(resolved.entries.twice, nullptr);
    EXPECT_EQ(resolved.entries.twice(4), 8);
    EXPECT_EQ(resolveAllEntries(library, kTable).firstMissing->position, 0u);
}

struct LibcEntries {
    std::size_t (*length)(const char*) = nullptr;
};

TEST(LibraryEntries, ResolvesThroughADynamicLibrary) {
    kbx::platform::DynamicLibrary libc("libc.so.6");
    const auto resolved = resolveEntries(libc, std::array{entry<&LibcEntries::length>("strlen")});
    ASSERT_TRUE(resolved.complete()) << libc.error();
    EXPECT_EQ(resolved.entries.length("kbx32"), 5u);
}

}  // namespace
