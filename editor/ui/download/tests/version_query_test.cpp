// The keyboard version query: the result text, the binding of the interface
// library, the order of the library calls, and whole queries against the
// simulated keyboard over the keyboard port and USB.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "editor/ui/download/version_query.h"
#include "kbxsim/simulator.h"
#include "platform/dynamic_library.h"
#include "tests/support/files.h"

namespace keyui::download {
namespace {

namespace fs = std::filesystem;

using Header = std::array<unsigned char, 8>;

// --- The result text ---

TEST(VersionText, EnglishFormShowsIdentificationChecksumLengthLanguageAndLock) {
    const Header header{0x56, 0x31, 0xAB, 0x0C, 0x18, 0x00, 0x01, 0x3D};
    EXPECT_EQ(versionText(header, true).toStdString(),
              "Firmware ID: 5631  Checksum: AB0C\nLenght: 013D  Language: GR SHIFT LOCK");
}

TEST(VersionText, GermanFormHasItsOwnWordsAndLineBreaks) {
    const Header header{0x00, 0x07, 0xFF, 0xFF, 0x70, 0x55, 0x01, 0x3D};
    EXPECT_EQ(versionText(header, false),
              QString::fromUtf8("Firmware ID: 0007  Prüfsumme: FFFF\nLänge der Tastaturbelegung: 013D Bytes\n"
                                " Tastatursprache: SP CAPS LOCK"));
}

TEST(VersionText, LanguageNamesFollowTheUpperNibbleAndIndexesWithoutANameShowNone) {
    const std::vector<std::string> named{"US", "GR", "FR", "UK", "SG", "SF", "IT", "SP"};
    for (unsigned index = 0; index < 16; ++index) {
        const auto byte = static_cast<unsigned char>(index << 4 | 0x07);
        EXPECT_EQ(languageName(byte), index < named.size() ? named[index] : std::string()) << index;
    }
    const Header unnamed{0, 0, 0, 0, 0xF8, 0, 0, 0};
    EXPECT_TRUE(versionText(unnamed, true).endsWith("Language:  SHIFT LOCK"));
}

// --- Binding the interface library ---

std::string fakeLibrary(int entries) {
    return (fs::path(KBX_LIBRARY_DIR) / ("libkeyui_fake_kbxi32_" + std::to_string(entries) + ".so")).string();
}

TEST(VersionQueryBinding, AMissingLibraryCannotBeLoaded) {
    kbxtest::TempDir dir;
    const VersionQueryResult result = queryKeyboardVersion({(dir / "libkbxi32.so").string(), true});
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), "Can\u00B4t load KBXI32.DLL!");
    EXPECT_FALSE(result.headerShown);
}

TEST(VersionQueryBinding, TheFirstMissingEntryPointIsNamed) {
    const std::array<const char*, 5> texts{
        "Can\u00B4t get ProcAddress (KBXI32.DLL)!",
        "Can\u00B4t get ProcAddress (KBXI32.DLL,get_kbx_header)!",
        "Can\u00B4t get ProcAddress (KBXI32.DLL,kbx_chk_interface)!",
        "Can\u00B4t get ProcAddress (KBXI32.DLL,kbx_set_interface)!",
        "Can\u00B4t get ProcAddress (KBXI32.DLL,kbx_close_USB)!",
    };
    for (int present = 0; present < static_cast<int>(texts.size()); ++present) {
        const VersionQueryResult result = queryKeyboardVersion({fakeLibrary(present), false});
        ASSERT_TRUE(result.text) << present;
        EXPECT_EQ(result.text->toStdString(), texts[static_cast<std::size_t>(present)]);
    }
}

TEST(VersionQueryBinding, TheRealLibraryHasAllFiveEntryPoints) {
    const BoundInterfaceLibrary library((fs::path(KBX_LIBRARY_DIR) / kInterfaceLibraryFile).string());
    EXPECT_TRUE(library.bound()) << library.failure().value_or(QString()).toStdString();
}

// --- The order of the calls, over recording entry points ---

struct Recording {
    std::vector<std::string> calls;
    std::vector<unsigned char> checkResults;  // one per link test, then 0
    int headerResult = 0;
    Header header{0x12, 0x34, 0x56, 0x78, 0x18, 0x00, 0x01, 0x3D};
};
Recording recording;

unsigned char recordCheck() {
    recording.calls.push_back("check");
    if (recording.checkResults.empty()) return 0;
    const unsigned char result = recording.checkResults.front();
    recording.checkResults.erase(recording.checkResults.begin());
    return result;
}
unsigned char recordSet(unsigned char selector) {
    recording.calls.push_back("set " + std::to_string(selector));
    return 0;
}
int recordHeader(unsigned char* header, char* message) {
    recording.calls.push_back(std::string("header ") + message);
    std::copy(recording.header.begin(), recording.header.end(), header);
    return recording.headerResult;
}
int recordCommand(int* length, unsigned char* bytes, char* message) {
    char line[64];
    std::snprintf(line, sizeof line, "command %d %02X %02X '%s'", *length, bytes[0], bytes[1], message);
    recording.calls.push_back(line);
    return 0;
}
int recordCloseUsb() {
    recording.calls.push_back("close USB");
    return 0;
}

class VersionQueryCalls : public testing::Test {
protected:
    void SetUp() override { recording = Recording{}; }
    const InterfaceEntries entries{recordCommand, recordHeader, recordCheck, recordSet, recordCloseUsb};
};

TEST_F(VersionQueryCalls, WithoutUsbTheKeyboardPortIsChosenAutomatically) {
    const VersionQueryResult result = runVersionQuery(entries, false, true);
    EXPECT_EQ(recording.calls,
              (std::vector<std::string>{"set 0", "check", "header AT CHECK", "command 2 EF 10 'AT '"}));
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(),
              "Firmware ID: 1234  Checksum: 5678\nLenght: 013D  Language: GR SHIFT LOCK");
    EXPECT_TRUE(result.headerShown);
}

TEST_F(VersionQueryCalls, AReachableUsbKeyboardIsAskedOverUsbAndTheLinkClosedAtTheEnd) {
    runVersionQuery(entries, true, true);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"set 4", "check", "header USB CHECK",
                                                         "command 2 EF 10 'AT '", "close USB"}));
}

TEST_F(VersionQueryCalls, AnUnreachableUsbKeyboardFallsBackToTheKeyboardPortWithoutClosingAtTheEnd) {
    recording.checkResults = {1};
    const VersionQueryResult result = runVersionQuery(entries, true, true);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"set 4", "check", "close USB", "set 0", "check",
                                                         "header AT CHECK", "command 2 EF 10 'AT '"}));
    EXPECT_TRUE(result.headerShown);
}

TEST_F(VersionQueryCalls, AFailedLinkTestReportsNoKeyboardAndReadsNothing) {
    recording.checkResults = {1, 1};
    const VersionQueryResult result = runVersionQuery(entries, true, false);
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), "No Vyrn keyboard detected !");
    EXPECT_FALSE(result.headerShown);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"set 4", "check", "close USB", "set 0", "check"}));
}

TEST_F(VersionQueryCalls, AFailedHeaderReadSaysTheKeyboardDidNotAnswerAndSendsNoCommand) {
    recording.headerResult = 1;
    const VersionQueryResult result = runVersionQuery(entries, false, false);
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), "Die Tastatur hat nicht geantwortet.");
    EXPECT_FALSE(result.headerShown);
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"set 0", "check", "header AT CHECK"}));
}

TEST_F(VersionQueryCalls, AFailedHeaderReadOverUsbStillClosesTheUsbLink) {
    recording.headerResult = 1;
    const VersionQueryResult result = runVersionQuery(entries, true, true);
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), "The keyboard did not answer.");
    EXPECT_EQ(recording.calls, (std::vector<std::string>{"set 4", "check", "header USB CHECK", "close USB"}));
}

// --- Whole queries against the simulated keyboard ---

constexpr char kLayout[] = "TYPE MIRK\nLANGUAGE GR,S\nA01: \"a\"\nA02: \"{F1}\"\n";
constexpr std::uint16_t kIdentification = 0x4B21;
constexpr unsigned char kVersionCommand = 0x10;

kbxsim::SimulatorOptions simulatorOptions() {
    kbxsim::SimulatorOptions options;
    options.identification = kIdentification;
    return options;
}

class VersionQueryOnTheKeyboard : public testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
        for (const char* variable : {"KBX_KEYBOARD", "KBX_USB", "KBX_PLATFORM", "KBX_KEYBOARD_EVENTS"}) {
            ::unsetenv(variable);
        }
    }
    void TearDown() override {
        for (const char* variable : {"XDG_CONFIG_HOME", "KBX_KEYBOARD", "KBX_USB", "KBX_PLATFORM"}) {
            ::unsetenv(variable);
        }
    }

    std::string channel() const { return "sim:" + keyboard.channelPath().string(); }

    void switchUsbOn() {
        fs::create_directories(dir / "LayomatV18");
        kbxtest::writeFile(dir / "LayomatV18" / "usb", "");
    }

    // Compiles the layout and downloads it over `interfaceString`; the image
    // length.
    std::size_t downloadLayout(const char* interfaceString) {
        kbxtest::writeFile(dir / "layout.kbf", kLayout);
        kbx::platform::DynamicLibrary compiler((fs::path(KBX_LIBRARY_DIR) / "libkbxc32.so").string());
        using Compile = int (*)(const char*, const char*, const char*, void (*)(int));
        const auto compile = compiler.symbol<Compile>("kbxc");
        EXPECT_NE(compile, nullptr) << compiler.error();
        if (!compile) return 0;
        const std::string source = (dir / "layout.kbf").string();
        const std::string image = (dir / "layout.kbx").string();
        const std::string log = (dir / "layout.log").string();
        EXPECT_EQ(compile(source.c_str(), image.c_str(), log.c_str(), nullptr), 0) << kbxtest::readFile(log);

        kbx::platform::DynamicLibrary library(interfaceLibrary());
        using Download = int (*)(const char*, char*, void (*)(int));
        const auto download = library.symbol<Download>("kbx_download");
        EXPECT_NE(download, nullptr) << library.error();
        if (!download) return 0;
        std::array<char, KBXI_MESSAGE_CAPACITY> message{};
        std::snprintf(message.data(), message.size(), "%s", interfaceString);
        const int sent = download(image.c_str(), message.data(), nullptr);
        EXPECT_GT(sent, 0) << message.data();
        return kbxtest::readBytes(image).size();
    }

    static std::string interfaceLibrary() { return (fs::path(KBX_LIBRARY_DIR) / kInterfaceLibraryFile).string(); }

    VersionQueryResult query(bool englishTexts = true) {
        return queryKeyboardVersion({interfaceLibrary(), englishTexts});
    }

    // The text the downloaded layout gives: the simulator's identification,
    // the checksum it keeps, German with shift lock, the image length.
    std::string expectedText(std::size_t length) const {
        const auto checksum = keyboard.memory(2, 2);
        char text[128];
        std::snprintf(text, sizeof text, "Firmware ID: %04X  Checksum: %02X%02X\nLenght: %04zX  Language: GR SHIFT LOCK",
                      kIdentification, checksum[0], checksum[1], length);
        return text;
    }

    bool versionCommandReceived() const {
        for (const auto& command : keyboard.commandLog()) {
            if (command.code == kVersionCommand) return true;
        }
        return false;
    }

    kbxtest::TempDir dir;
    kbxsim::Simulator keyboard{simulatorOptions()};
};

TEST_F(VersionQueryOnTheKeyboard, OverTheKeyboardPortShowsTheHeaderOfTheDownloadedImage) {
    ::setenv("KBX_KEYBOARD", channel().c_str(), 1);
    const std::size_t length = downloadLayout("AT");
    ASSERT_GT(length, 0u);
    const VersionQueryResult result = query();
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), expectedText(length));
    EXPECT_TRUE(result.headerShown);
    EXPECT_TRUE(versionCommandReceived());
}

TEST_F(VersionQueryOnTheKeyboard, OverUsbWhenTheSwitchIsOnAndTheKeyboardAnswers) {
    ::setenv("KBX_KEYBOARD", channel().c_str(), 1);
    ::setenv("KBX_USB", channel().c_str(), 1);
    switchUsbOn();
    const std::size_t length = downloadLayout("USB");
    ASSERT_GT(length, 0u);
    // Only USB reaches the keyboard now: the keyboard port has no channel.
    ::unsetenv("KBX_KEYBOARD");
    const VersionQueryResult result = query();
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), expectedText(length));
    EXPECT_TRUE(versionCommandReceived());
}

TEST_F(VersionQueryOnTheKeyboard, WithTheUsbSwitchButNoUsbKeyboardTheKeyboardPortAnswers) {
    ::setenv("KBX_KEYBOARD", channel().c_str(), 1);
    const std::size_t length = downloadLayout("AT");
    ASSERT_GT(length, 0u);
    switchUsbOn();
    const VersionQueryResult result = query();
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), expectedText(length));
}

long long millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

// With no keyboard at all the link tests of the keyboard device (echo) and
// of the controller ports (a read over the capture path) fail. The time the
// query takes to give up is printed.
TEST_F(VersionQueryOnTheKeyboard, NoKeyboardAtAllIsReported) {
    for (const char* platform : {"nt4", "w95"}) {
        ::setenv("KBX_PLATFORM", platform, 1);
        const auto start = std::chrono::steady_clock::now();
        const VersionQueryResult result = query();
        const long long elapsed = millisecondsSince(start);
        ASSERT_TRUE(result.text) << platform;
        EXPECT_EQ(result.text->toStdString(), "No Vyrn keyboard detected !");
        EXPECT_FALSE(result.headerShown);
        std::printf("query without a keyboard (%s): %lld ms\n", platform, elapsed);
    }
}

// The driver transport has no link test, so without a keyboard only the
// header read fails, and the query says that no answer came.
TEST_F(VersionQueryOnTheKeyboard, OverTheDriverWithoutAKeyboardTheQuerySaysNoAnswerCame) {
    const auto start = std::chrono::steady_clock::now();
    const VersionQueryResult result = query();
    const long long elapsed = millisecondsSince(start);
    ASSERT_TRUE(result.text);
    EXPECT_EQ(result.text->toStdString(), "The keyboard did not answer.");
    EXPECT_FALSE(result.headerShown);
    std::printf("query without a keyboard (driver): %lld ms\n", elapsed);
}

// A simulated keyboard that has stopped (its socket gone) or a path that is
// no socket: the point-of-sale library cannot open, so nothing captures the
// reply, and the query says so at once instead of waiting for it.
TEST_F(VersionQueryOnTheKeyboard, AnUnreachableKeyboardIsReportedAtOnce) {
    for (const std::string& path : {(dir / "gone.sock").string(), std::string("/dev/null")}) {
        ::setenv("KBX_KEYBOARD", ("sim:" + path).c_str(), 1);
        const auto start = std::chrono::steady_clock::now();
        const VersionQueryResult result = query();
        ASSERT_TRUE(result.text) << path;
        EXPECT_EQ(result.text->toStdString(), "The keyboard did not answer.") << path;
        EXPECT_LT(millisecondsSince(start), 5000) << path;
    }
}

}  // namespace
}  // namespace keyui::download
