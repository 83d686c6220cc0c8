// A keyboard that cannot be reached fails the programs at once, with a
// message that names the device and the reason: a simulated keyboard whose
// socket is gone or whose path names something else, a raw port that is no
// character device, an input device that is missing, a USB keyboard whose
// socket is gone. Nothing may wait for answers that cannot come, and nothing
// is written to what is not the keyboard.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/process.h"

namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using std::chrono::steady_clock;

const fs::path kKbx32 = fs::path(KBX_BIN_DIR) / "kbx32";
const fs::path kKbxpos = fs::path(KBX_BIN_DIR) / "kbxpos";
constexpr char kEnv[] = "/usr/bin/env";
constexpr char kLayout[] = "TYPE MIRK\nA01: \"a\"\n";
constexpr char kUntouched[] = "not a keyboard\n";

// kbx32's exit statuses (kbx32 --help) and kbxpos's.
constexpr int kDownloadFailed = 8;
constexpr int kUploadFailed = 15;
constexpr int kHeaderFailed = 16;
constexpr int kPosCommandFailed = 1;
constexpr int kPosCannotOpen = 3;

// Every failure here is immediate; a hang or a per-byte time-out is not.
constexpr milliseconds kAtOnce{3000};
// Far beyond kAtOnce, so that a hanging child is ended and reported.
constexpr milliseconds kKillAfter{30000};

struct Row {
    std::string name;
    std::string setting;                // VARIABLE=VALUE for the child
    fs::path program;
    std::vector<std::string> arguments;
    int exitCode;
    std::string message;                // standard error holds it; empty: nothing to name
    std::string platform = "";          // KBX_PLATFORM
    fs::path input = {};                // kbxpos's commands
};

struct Outcome {
    kbxtest::ProcessResult result;
    milliseconds took;
};

// The child sees only the row's keyboard settings, whatever the test's own
// environment holds; so the rows run side by side.
Outcome run(const Row& row) {
    std::vector<std::string> arguments{"-u", "KBX_KEYBOARD", "-u", "KBX_USB", "-u", "KBX_KEYBOARD_EVENTS",
                                       "-u", "KBX_PLATFORM"};
    if (!row.platform.empty()) arguments.push_back("KBX_PLATFORM=" + row.platform);
    arguments.push_back(row.setting);
    arguments.push_back(row.program.string());
    arguments.insert(arguments.end(), row.arguments.begin(), row.arguments.end());
    kbxtest::ProcessOptions options;
    options.timeout = kKillAfter;
    options.standardInput = row.input;
    const auto started = steady_clock::now();
    kbxtest::ProcessResult result = kbxtest::runProgram(kEnv, arguments, options);
    return {std::move(result), std::chrono::duration_cast<milliseconds>(steady_clock::now() - started)};
}

TEST(UnreachableKeyboard, EveryProgramFailsAtOnceNamingTheDeviceAndTheReason) {
    kbxtest::TempDir dir;
    const std::string gone = (dir / "gone.sock").string();
    const std::string file = (dir / "file").string();
    const std::string folder = (dir / "folder").string();
    const std::string fifo = (dir / "fifo").string();
    const std::string tooLong = "/tmp/" + std::string(120, 'k') + ".sock";  // sun_path holds 107 characters
    const std::string noEvents = (dir / "event99").string();
    kbxtest::writeFile(file, kUntouched);
    fs::create_directory(folder);
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    kbxtest::writeFile(dir / "commands", "beep\n");
    // Each download writes its image and log beside its own layout.
    auto layout = [&dir](const std::string& name) {
        kbxtest::writeFile(dir / (name + ".kbf"), kLayout);
        return (dir / (name + ".kbf")).string();
    };
    const std::string upload = (dir / "back.kbx").string();
    const std::string noSuchFile = ": No such file or directory";
    const std::string notASocket = ": not a socket";

    const std::vector<Row> rows{
        {"header, socket gone", "KBX_KEYBOARD=sim:" + gone, kKbx32, {"--header", "AT"}, kHeaderFailed,
         gone + noSuchFile},
        {"upload, socket gone", "KBX_KEYBOARD=sim:" + gone, kKbx32, {"--upload", upload, "AT"}, kUploadFailed,
         gone + noSuchFile},
        {"header, /dev/null", "KBX_KEYBOARD=sim:/dev/null", kKbx32, {"--header", "AT"}, kHeaderFailed,
         "/dev/null" + notASocket},
        {"header, a folder", "KBX_KEYBOARD=sim:" + folder, kKbx32, {"--header", "AT"}, kHeaderFailed,
         folder + notASocket},
        {"upload, a regular file", "KBX_KEYBOARD=sim:" + file, kKbx32, {"--upload", upload, "AT"},
         kUploadFailed, file + notASocket},
        {"header, a FIFO", "KBX_KEYBOARD=sim:" + fifo, kKbx32, {"--header", "AT"}, kHeaderFailed,
         fifo + notASocket},
        {"header, a path too long for a socket", "KBX_KEYBOARD=sim:" + tooLong, kKbx32, {"--header", "AT"},
         kHeaderFailed, tooLong + ": longer than a socket path may be"},
        {"header, input device missing", "KBX_KEYBOARD_EVENTS=evdev:" + noEvents, kKbx32, {"--header", "AT"},
         kHeaderFailed, noEvents + noSuchFile},
        {"header, USB socket gone", "KBX_USB=sim:" + gone, kKbx32, {"--header", "AT"}, kHeaderFailed,
         gone + noSuchFile},
        {"download over USB, socket gone", "KBX_USB=sim:" + gone, kKbx32, {layout("usb"), "USB"},
         kDownloadFailed, "KBX_USB: " + gone + noSuchFile},
        {"header, raw port a regular file", "KBX_KEYBOARD=serio:" + file, kKbx32, {"--header", "AT"},
         kHeaderFailed, file + ": not a character device"},
        {"download, raw port a regular file", "KBX_KEYBOARD=serio:" + file, kKbx32, {layout("serio"), "AT"},
         kDownloadFailed, file + ": not a character device"},
        {"download over the keyboard device, socket gone", "KBX_KEYBOARD=sim:" + gone, kKbx32,
         {layout("device"), "AT"}, kDownloadFailed, gone + noSuchFile, "nt4"},
        {"point of sale, socket gone", "KBX_KEYBOARD=sim:" + gone, kKbxpos, {}, kPosCannotOpen,
         gone + noSuchFile, "", dir / "commands"},
        // Nothing configured: the library opens, and the keyboard device that
        // cannot be opened fails the command's byte at once.
        {"point-of-sale command over the keyboard device", "KBX_KEYBOARD=", kKbxpos, {}, kPosCommandFailed, "",
         "nt4", dir / "commands"},
    };

    std::vector<std::future<Outcome>> outcomes;
    for (const Row& row : rows) outcomes.push_back(std::async(std::launch::async, run, std::cref(row)));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        SCOPED_TRACE(row.name);
        const Outcome outcome = outcomes[i].get();
        EXPECT_FALSE(outcome.result.timedOut);
        EXPECT_LT(outcome.took, kAtOnce);
        EXPECT_EQ(outcome.result.exitCode, row.exitCode) << outcome.result.err;
        EXPECT_NE(outcome.result.err.find(row.message), std::string::npos) << outcome.result.err;
    }
    EXPECT_EQ(kbxtest::readFile(file), kUntouched);
    EXPECT_FALSE(fs::exists(upload));
}

}  // namespace
