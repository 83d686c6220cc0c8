#include "platform/input_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <future>
#include <string>
#include <sys/stat.h>

#include "tests/support/files.h"

namespace kbx {
namespace {

namespace fs = std::filesystem;
using kbxtest::TempDir;
using kbxtest::writeFile;

// The read runs beside the test, so that an open that blocks fails the test
// instead of hanging it.
InputBytes readWithin(const fs::path& path, std::size_t largest = kLargestInputFile) {
    auto reading = std::async(std::launch::async, [path, largest] { return readRegularFile(path, largest); });
    if (reading.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        ADD_FAILURE() << "reading " << path << " blocked";
        std::abort();  // the blocked thread cannot be joined
    }
    return reading.get();
}

TEST(InputFile, ARegularFileIsReadWholeThroughALink) {
    TempDir dir;
    const std::string text(200000, 'k');
    writeFile(dir / "layout.kbf", text);
    fs::create_symlink("layout.kbf", dir / "link.kbf");
    const InputBytes read = readWithin(dir / "link.kbf");
    EXPECT_FALSE(read.failure) << describe(read.failure);
    EXPECT_EQ(read.bytes, text);
}

// Files of the proc file system report the size 0 (proc(5)); their end decides.
TEST(InputFile, AFileThatTellsNoSizeIsReadToItsEnd) {
    const InputBytes read = readWithin("/proc/self/status");
    EXPECT_FALSE(read.failure);
    EXPECT_NE(read.bytes.find("Umask:"), std::string::npos);
}

// fifo(7): opening a FIFO for reading with O_NONBLOCK succeeds at once even
// without a writer; without it the open waits for one.
TEST(InputFile, WhatIsNoRegularFileIsRefusedWithoutWaiting) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    for (const fs::path& path : {dir / "fifo", dir / "folder", fs::path("/dev/zero"), fs::path("/dev/null")}) {
        const InputBytes read = readWithin(path);
        EXPECT_EQ(read.failure.problem, InputProblem::notARegularFile) << path;
        EXPECT_EQ(describe(read.failure), "not a regular file");
        EXPECT_TRUE(read.bytes.empty());
    }
}

TEST(InputFile, AMissingFileGivesTheSystemsReason) {
    TempDir dir;
    const InputBytes read = readWithin(dir / "missing.kbf");
    EXPECT_EQ(read.failure.problem, InputProblem::cannotOpen);
    EXPECT_EQ(read.failure.systemError, ENOENT);
    EXPECT_EQ(describe(read.failure), "No such file or directory");
}

TEST(InputFile, AFileBeyondTheBoundIsRefusedAndOneAtItIsRead) {
    TempDir dir;
    writeFile(dir / "at.kbx", std::string(1000, 'x'));
    writeFile(dir / "beyond.kbx", std::string(1001, 'x'));
    EXPECT_EQ(readWithin(dir / "at.kbx", 1000).bytes.size(), 1000u);
    const InputBytes beyond = readWithin(dir / "beyond.kbx", 1000);
    EXPECT_EQ(beyond.failure.problem, InputProblem::tooLarge);
    EXPECT_EQ(describe(beyond.failure), "larger than 1000 bytes");
    EXPECT_EQ(openRegularFile(dir / "beyond.kbx", 1000).failure.problem, InputProblem::tooLarge);
}

}  // namespace
}  // namespace kbx
