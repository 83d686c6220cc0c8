#include "platform/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "tests/support/files.h"

namespace kbx {
namespace {

using kbxtest::readFile;
using kbxtest::TempDir;
using kbxtest::writeFile;

TEST(ProfileFile, AMissingFileReadsAsEmptyAndGetsCreatedByAWrite) {
    TempDir dir;
    const std::string path = dir / "Vyrn.Ini";
    EXPECT_EQ(readProfileString(path, "VyrnKey", "Window", "none"), "none");
    ASSERT_TRUE(writeProfileString(path, "VyrnKey", "Window", "0 1 ffffffff"));
    EXPECT_EQ(readFile(path), "[VyrnKey]\nWindow=0 1 ffffffff\n");
    EXPECT_EQ(readProfileString(path, "VyrnKey", "Window", "none"), "0 1 ffffffff");
}

TEST(ProfileFile, SectionsAndKeysMatchWithoutRegardToCaseAndBlanks) {
    const ProfileFile file = ProfileFile::parse("[vyrnkey]\r\n  LAYER0 =  \"Normal-Layer\",8A80,10  \r\n");
    EXPECT_EQ(file.readString("VyrnKey", "Layer0", ""), "\"Normal-Layer\",8A80,10");
    EXPECT_EQ(file.readString(" VYRNKEY ", "layer0", ""), "\"Normal-Layer\",8A80,10");
    EXPECT_FALSE(file.find("VyrnKey", "Layer1"));
    EXPECT_FALSE(file.find("Other", "Layer0"));
}

TEST(ProfileFile, ValuesReadBackAsWrittenWithQuotesAndBackslashes) {
    ProfileFile file;
    const std::string value = R"("a \"b\" c",%X;=[x])";
    ASSERT_TRUE(file.writeString("S", "K", value));
    EXPECT_EQ(ProfileFile::parse(file.text()).readString("S", "K", ""), value);
    ASSERT_TRUE(file.writeString("S", "Empty", ""));
    EXPECT_EQ(file.find("S", "Empty"), std::optional<std::string>(""));
}

TEST(ProfileFile, AWriteReplacesTheValueInPlaceAndKeepsEveryOtherLine) {
    ProfileFile file = ProfileFile::parse("; comment\n[First]\na=1\nb=2\n\n[Second]\nc=3\n");
    ASSERT_TRUE(file.writeString("first", "A", "one"));
    ASSERT_TRUE(file.writeString("First", "new", "n"));
    ASSERT_TRUE(file.writeString("Third", "d", "4"));
    EXPECT_EQ(file.text(), "; comment\n[First]\nA=one\nb=2\nnew=n\n\n[Second]\nc=3\n[Third]\nd=4\n");
}

TEST(ProfileFile, OnlyTheFirstSectionAndTheFirstKeyOfANameCount) {
    ProfileFile file = ProfileFile::parse("[S]\nk=1\nk=2\n[s]\nk=3\nx=9\n");
    EXPECT_EQ(file.readString("S", "k", ""), "1");
    EXPECT_FALSE(file.find("S", "x"));
    ASSERT_TRUE(file.writeString("S", "x", "new"));
    EXPECT_EQ(file.text(), "[S]\nk=1\nk=2\nx=new\n[s]\nk=3\nx=9\n");
}

TEST(ProfileFile, NamesAndValuesThatWouldBreakTheFileAreRefused) {
    struct Case {
        std::string_view section, key, value;
    };
    const Case cases[] = {
        {"S", "K", "two\nlines"}, {"S", "K", "cr\r"},     {"S", "K", std::string_view("nul\0", 4)},
        {"S", "a=b", "v"},        {"S]x", "K", "v"},      {"", "K", "v"},
        {"S", "  ", "v"},         {"S", "[T]", "v"},      {"S", ";K", "v"},
        {"S\n[T", "K", "v"},
    };
    for (const Case& c : cases) {
        ProfileFile file = ProfileFile::parse("[S]\nK=old\n");
        EXPECT_FALSE(file.writeString(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(file.text(), "[S]\nK=old\n");
    }
}

TEST(ProfileFile, HostileLinesAreReadWithoutHarm) {
    const std::string hostile = std::string("[\n[]\n=novalue\n[S\nK=in unclosed\n\0\0=x\n", 33) +
                                std::string(100000, 'A') + "\n[T]\nno equals sign\nk==v\n";
    const ProfileFile file = ProfileFile::parse(hostile);
    EXPECT_EQ(file.readString("S", "K", ""), "in unclosed");
    EXPECT_EQ(file.readString("T", "k", ""), "=v");
}

TEST(ProfileFile, AnOversizedFileIsReadInPartAndNeverWrittenBack) {
    TempDir dir;
    const std::string path = dir / "big.ini";
    const std::string contents = "[S]\nK=1\n" + std::string(kMaxProfileFileSize, 'x') + "\n[T]\nL=2\n";
    writeFile(path, contents);
    const ProfileFile file = ProfileFile::load(path);
    EXPECT_TRUE(file.incomplete());
    EXPECT_EQ(file.readString("S", "K", ""), "1");
    EXPECT_FALSE(writeProfileString(path, "S", "K", "2"));
    EXPECT_EQ(readFile(path), contents);
}

TEST(ProfileFile, AFileThatCannotBeReadIsNotReplaced) {
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    TempDir dir;
    const std::string path = dir / "locked.ini";
    writeFile(path, "[S]\nK=1\n");
    ::chmod(path.c_str(), 0);
    EXPECT_FALSE(writeProfileString(path, "S", "L", "2"));
    ::chmod(path.c_str(), 0600);
    EXPECT_EQ(readFile(path), "[S]\nK=1\n");
}

TEST(ProfileFile, AWriteIntoAFolderThatIsMissingFailsAndLeavesNothing) {
    TempDir dir;
    EXPECT_FALSE(writeProfileString(dir / "missing" / "Vyrn.Ini", "S", "K", "v"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace kbx
