// A keyboard channel opens only what it says it is: the simulated keyboard's
// socket only at a socket, the raw PS/2 port only at a character device.
// Anything else is refused with the path and the reason, and nothing is
// written to it.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/un.h>

#include <filesystem>
#include <string>

#include "platform/channel/serio_port.h"
#include "platform/channel_connection.h"
#include "tests/support/files.h"

namespace kbx::platform {
namespace {

namespace fs = std::filesystem;

// Things that are neither a socket nor a character device, made fresh.
struct NotASocket {
    NotASocket() {
        kbxtest::writeFile(dir / "file", "kept as it is");
        fs::create_directory(dir / "folder");
        ::mkfifo((dir / "fifo").c_str(), 0600);
    }
    kbxtest::TempDir dir;
};

// connect(2) on a path that is no socket fails with ECONNREFUSED, as for a
// socket nobody listens on (unix(7), ERRORS; the kernel's unix_find_bsd in
// net/unix/af_unix.c answers so when the inode is not S_ISSOCK): the
// channel tells which it is.
TEST(ChannelDeviceKind, SimulatedKeyboardPathThatIsNoSocketIsNamedSo) {
    NotASocket things;
    for (const std::string& path : {(things.dir / "file").string(), (things.dir / "folder").string(),
                                   (things.dir / "fifo").string(), std::string("/dev/null")}) {
        SCOPED_TRACE(path);
        std::string why;
        EXPECT_EQ(ChannelConnection::connect(path, why), nullptr);
        EXPECT_EQ(why, path + ": not a socket");
    }
    EXPECT_EQ(kbxtest::readFile(things.dir / "file"), "kept as it is");
}

TEST(ChannelDeviceKind, SimulatedKeyboardPathsThatCannotBeAddressedSayWhy) {
    const std::string longest(sizeof(sockaddr_un::sun_path) - 1, 'x');
    std::string why;
    EXPECT_FALSE(connectKeyboardSocket("/" + longest, why).isOpen());
    EXPECT_EQ(why, "/" + longest + ": longer than a socket path may be (107 bytes)");
    EXPECT_FALSE(connectKeyboardSocket("/tmp/kbx-no-such-socket-here", why).isOpen());
    EXPECT_EQ(why, "/tmp/kbx-no-such-socket-here: No such file or directory");
}

TEST(ChannelDeviceKind, RawPortRefusesAnythingButACharacterDevice) {
    NotASocket things;
    for (const char* name : {"file", "fifo"}) {
        const std::string path = (things.dir / name).string();
        SCOPED_TRACE(path);
        std::string error;
        EXPECT_EQ(SerioPort::open(path, error), nullptr);
        EXPECT_EQ(error, path + ": not a character device");
    }
    EXPECT_EQ(kbxtest::readFile(things.dir / "file"), "kept as it is");
    // /dev/null is a character device (S_ISCHR): the kind is accepted, and
    // whatever fails with it fails later, talking to it.
    std::string error;
    EXPECT_NE(SerioPort::open("/dev/null", error), nullptr) << error;
}

}  // namespace
}  // namespace kbx::platform
