#include "platform/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/files/atomic_file_calls.h"
#include "tests/support/files.h"

namespace kbx {
namespace {

namespace fs = std::filesystem;
using files::AtomicWriterCalls;
using kbxtest::readFile;
using kbxtest::TempDir;
using kbxtest::writeFile;

bool write(const fs::path& path, std::string_view text) {
    return writeFileAtomically(path, std::span(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

mode_t modeOf(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

std::vector<std::string> entriesOf(const fs::path& folder) {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Failures put into the writer's system calls: the call numbered
// `failingCall` (counted from 1 over all kinds) fails with `error`, and every
// call is recorded by name so that a failing case can say which call it was.
struct Injection {
    int failingCall = 0;  // 0: none fails
    bool unnamedFilesUnsupported = false;  // O_TMPFILE gives EOPNOTSUPP, as on some file systems
    int error = EIO;
    int callsMade = 0;
    std::vector<std::string> calls;
};
Injection injection;
const AtomicWriterCalls kReal = files::realAtomicWriterCalls();

bool failsNow(const char* name) {
    injection.calls.push_back(name);
    if (++injection.callsMade != injection.failingCall) return false;
    errno = injection.error;
    return true;
}

const AtomicWriterCalls kInjecting{
    [](int folder, const char* name, int flags, mode_t mode) {
        if (injection.unnamedFilesUnsupported && (flags & O_TMPFILE) == O_TMPFILE) {
            errno = EOPNOTSUPP;
            return -1;
        }
        return failsNow("openat") ? -1 : kReal.openat(folder, name, flags, mode);
    },
    [](int descriptor, const void* bytes, size_t count) {
        return failsNow("write") ? ssize_t(-1) : kReal.write(descriptor, bytes, count);
    },
    [](int descriptor) { return failsNow("fsync") ? -1 : kReal.fsync(descriptor); },
    [](int descriptor, uid_t owner, gid_t group) {
        return failsNow("fchown") ? -1 : kReal.fchown(descriptor, owner, group);
    },
    [](int descriptor, mode_t mode) { return failsNow("fchmod") ? -1 : kReal.fchmod(descriptor, mode); },
    [](int fromFolder, const char* from, int toFolder, const char* to, int flags) {
        return failsNow("linkat") ? -1 : kReal.linkat(fromFolder, from, toFolder, to, flags);
    },
    [](int fromFolder, const char* from, int toFolder, const char* to) {
        return failsNow("renameat") ? -1 : kReal.renameat(fromFolder, from, toFolder, to);
    },
    // close releases the descriptor even when it reports a failure.
    [](int descriptor) {
        const int closed = kReal.close(descriptor);
        return failsNow("close") ? -1 : closed;
    },
};

class InjectedCalls {
public:
    explicit InjectedCalls(int failingCall, bool unnamedFilesUnsupported = false, int error = EIO) {
        injection = Injection{failingCall, unnamedFilesUnsupported, error, 0, {}};
        files::atomicWriterCallsForTests = kInjecting;
    }
    ~InjectedCalls() { files::atomicWriterCallsForTests = kReal; }
    InjectedCalls(const InjectedCalls&) = delete;
    InjectedCalls& operator=(const InjectedCalls&) = delete;
};

std::string callList() {
    std::string list;
    for (const std::string& call : injection.calls) list += call + " ";
    return list;
}

TEST(AtomicFile, ReplacesTheContentsAndLeavesOnlyTheTarget) {
    TempDir dir;
    ASSERT_TRUE(write(dir / "layout.kbf", "old"));
    ASSERT_TRUE(write(dir / "layout.kbf", "new contents"));
    EXPECT_EQ(readFile(dir / "layout.kbf"), "new contents");
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"layout.kbf"});
}

TEST(AtomicFile, WritesThroughAChainOfLinksAndKeepsTheLinks) {
    TempDir dir;
    fs::create_directory(dir / "real");
    writeFile(dir / "real" / "layout.kbf", "old");
    fs::create_symlink("real/layout.kbf", dir / "middle");  // relative to the link's folder
    fs::create_symlink(dir / "middle", dir / "layout.kbf");
    ASSERT_TRUE(write(dir / "layout.kbf", "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "layout.kbf"));
    EXPECT_TRUE(fs::is_symlink(dir / "middle"));
    EXPECT_EQ(readFile(dir / "real" / "layout.kbf"), "new");
    EXPECT_EQ(entriesOf(dir / "real"), std::vector<std::string>{"layout.kbf"});
}

TEST(AtomicFile, ADanglingLinkCreatesTheFileItNames) {
    TempDir dir;
    fs::create_symlink("target.kbx", dir / "link.kbx");
    ASSERT_TRUE(write(dir / "link.kbx", "image"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.kbx"));
    EXPECT_EQ(readFile(dir / "target.kbx"), "image");
}

TEST(AtomicFile, ALinkLoopIsRefused) {
    TempDir dir;
    fs::create_symlink("b", dir / "a");
    fs::create_symlink("a", dir / "b");
    EXPECT_FALSE(write(dir / "a", "x"));
    EXPECT_EQ(errno, ELOOP);
    EXPECT_TRUE(fs::is_symlink(dir / "a"));
}

TEST(AtomicFile, AReplacedFileKeepsItsModeAndANewOneGetsTheUmask) {
    TempDir dir;
    writeFile(dir / "private.kbf", "old");
    fs::permissions(dir / "private.kbf", fs::perms(0600));
    ASSERT_TRUE(write(dir / "private.kbf", "new"));
    EXPECT_EQ(modeOf(dir / "private.kbf"), 0600u);

    const mode_t before = ::umask(027);
    const bool written = write(dir / "fresh.kbf", "new");
    ::umask(before);
    ASSERT_TRUE(written);
    EXPECT_EQ(modeOf(dir / "fresh.kbf"), 0640u);
}

TEST(AtomicFile, AReplacedFileKeepsItsGroupWhereTheProcessMayGiveIt) {
    if (::geteuid() != 0) GTEST_SKIP() << "giving a file to another owner needs root";
    TempDir dir;
    writeFile(dir / "shared.kbf", "old");
    ASSERT_EQ(::chown((dir / "shared.kbf").c_str(), 1, 2), 0);
    ASSERT_TRUE(write(dir / "shared.kbf", "new"));
    struct stat status {};
    ASSERT_EQ(::stat((dir / "shared.kbf").c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 1u);
    EXPECT_EQ(status.st_gid, 2u);
}

// What exists and is no regular file stays as it is: as root the writer once
// replaced /dev/full with a regular file.
TEST(AtomicFile, RefusesTargetsThatAreNotRegularFilesAndTouchesNothing) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    fs::create_directory(dir / "folder");
    fs::create_symlink("fifo", dir / "link-to-fifo");
    struct Case {
        fs::path target;
        int error;
    };
    std::vector<Case> cases{{dir / "fifo", EINVAL}, {dir / "folder", EISDIR}, {dir / "link-to-fifo", EINVAL}};
    if (::geteuid() == 0) {
        // The null device's numbers, from the kernel's Documentation/admin-guide/devices.txt (1, 3).
        ASSERT_EQ(::mknod((dir / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)), 0);
        cases.push_back({dir / "null", EINVAL});
    } else {
        cases.push_back({"/dev/null", EINVAL});
    }
    for (const Case& c : cases) {
        errno = 0;
        EXPECT_FALSE(write(c.target, "x")) << c.target;
        EXPECT_EQ(errno, c.error) << c.target;
    }
    EXPECT_TRUE(fs::is_fifo(dir / "fifo"));
    EXPECT_TRUE(fs::is_directory(dir / "folder"));
    EXPECT_TRUE(fs::is_symlink(dir / "link-to-fifo"));
    if (::geteuid() == 0) {
        EXPECT_TRUE(fs::is_character_file(dir / "null"));
    }
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    const std::vector<std::string> untouched{"fifo", "folder", "link-to-fifo"};
    std::vector<std::string> now = entriesOf(dir.path());
    std::erase(now, "null");
    EXPECT_EQ(now, untouched);
}

TEST(AtomicFile, AFolderThatCannotBeWrittenLeavesTheOldFile) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes any folder";
    TempDir dir;
    writeFile(dir / "layout.kbf", "old");
    fs::permissions(dir.path(), fs::perms(0555));
    EXPECT_FALSE(write(dir / "layout.kbf", "new"));
    EXPECT_EQ(errno, EACCES);
    fs::permissions(dir.path(), fs::perms(0755));
    EXPECT_EQ(readFile(dir / "layout.kbf"), "old");
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"layout.kbf"});
}

// A writer removes what killed writers of the same target left (however
// recent), but not a live writer's (it holds a lock on its file), nor
// another target's. With the named fallback, as with unnamed files.
TEST(AtomicFile, RemovesOnlyTheTemporariesOfItsTargetThatNoWriterHolds) {
    for (const bool unnamedUnsupported : {false, true}) {
        TempDir dir;
        writeFile(dir / "layout.kbf", "old");
        writeFile(dir / ".layout.kbf.kbx-KILLED", "left by a killed writer");
        writeFile(dir / ".layout.kbf.kbx-ALIVE1", "a live writer's");
        writeFile(dir / ".other.kbf.kbx-KILLED", "another target's");
        const int live = ::open((dir / ".layout.kbf.kbx-ALIVE1").c_str(), O_RDONLY | O_CLOEXEC);
        ASSERT_GE(live, 0);
        ASSERT_EQ(::flock(live, LOCK_EX), 0);
        {
            const InjectedCalls calls(0, unnamedUnsupported);
            ASSERT_TRUE(write(dir / "layout.kbf", "new"));
        }
        ::close(live);
        EXPECT_EQ(readFile(dir / "layout.kbf"), "new");
        EXPECT_EQ(entriesOf(dir.path()),
                  (std::vector<std::string>{".layout.kbf.kbx-ALIVE1", ".other.kbf.kbx-KILLED", "layout.kbf"}));
    }
}

TEST(AtomicFileFaults, AnOwnerThatCannotBeGivenIsNoFailure) {
    TempDir dir;
    writeFile(dir / "layout.kbf", "old");
    const InjectedCalls calls(0);
    int fchownCall = 0;
    ASSERT_TRUE(write(dir / "layout.kbf", "new"));
    for (std::size_t i = 0; i < injection.calls.size(); ++i)
        if (injection.calls[i] == "fchown") fchownCall = int(i) + 1;
    ASSERT_NE(fchownCall, 0) << callList();
    writeFile(dir / "layout.kbf", "old");
    injection = Injection{fchownCall, false, EPERM, 0, {}};
    EXPECT_TRUE(write(dir / "layout.kbf", "new")) << callList();
    EXPECT_EQ(readFile(dir / "layout.kbf"), "new");
}

// Each system call of a replacement fails in turn, once with unnamed files
// and once with the named fallback: the old file stays byte for byte and no
// temporary file is left. Only the calls after the rename (the close and the
// folder sync) find the new file in place.
TEST(AtomicFileFaults, EveryFailingCallLeavesTheOldFileAndNoTemporary) {
    const std::string old(5000, 'o');
    const std::string fresh(70000, 'n');
    for (const bool unnamedUnsupported : {false, true}) {
        TempDir dir;
        const fs::path target = dir / "layout.kbf";
        writeFile(target, old);
        fs::permissions(target, fs::perms(0640));
        int callsInAll = 0;
        {
            const InjectedCalls calls(0, unnamedUnsupported);
            ASSERT_TRUE(write(target, fresh));
            callsInAll = injection.callsMade;
        }
        ASSERT_GE(callsInAll, 8) << callList();
        for (int failing = 1; failing <= callsInAll; ++failing) {
            writeFile(target, old);
            const InjectedCalls calls(failing, unnamedUnsupported);
            errno = 0;
            const bool written = write(target, fresh);
            const std::string which = "call " + std::to_string(failing) + " of: " + callList();
            EXPECT_FALSE(written) << which;
            EXPECT_EQ(errno, EIO) << which;
            const bool afterRename = std::find(injection.calls.begin(), injection.calls.end() - 1, "renameat") !=
                                     injection.calls.end() - 1;
            EXPECT_EQ(readFile(target) == (afterRename ? fresh : old), true) << which;
            EXPECT_EQ(modeOf(target), 0640u) << which;
            EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"layout.kbf"}) << which;
        }
    }
}

// A writer killed at any moment leaves the old file or the new one, each
// complete. The child rewrites the file in a loop; it is killed after a
// varied delay, 30 times. A kill between naming the new file and the rename
// leaves that name, which the next write removes.
TEST(AtomicFileFaults, AWriterKilledAtAnyMomentLeavesOneCompleteFile) {
    TempDir dir;
    const fs::path target = dir / "image.kbx";
    const std::string first(200000, 'a');
    const std::string second(150000, 'b');
    ASSERT_TRUE(write(target, first));
    const auto start = std::chrono::steady_clock::now();
    constexpr int kKills = 30;
    for (int kill = 0; kill < kKills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (unsigned round = 0;; ++round) write(target, round % 2 == 0 ? second : first);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + 997 * (kill % 13)));
        ASSERT_EQ(::kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        const std::string now = readFile(target);
        ASSERT_TRUE(now == first || now == second) << "kill " << kill << ": " << now.size() << " bytes";
    }
    for (const std::string& entry : entriesOf(dir.path()))
        EXPECT_TRUE(entry == "image.kbx" || entry.starts_with(".image.kbx.kbx-")) << entry;
    ASSERT_TRUE(write(target, first));
    EXPECT_EQ(entriesOf(dir.path()), std::vector<std::string>{"image.kbx"});
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
}

}  // namespace
}  // namespace kbx
