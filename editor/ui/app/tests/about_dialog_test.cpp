// The about box's keyboard version button: one query per opening, its
// answer in the static text, the focus on the edit box after a header.

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "editor/ui/app/about_dialog.h"
#include "editor/ui/app/tests/app_fixture.h"

namespace keyui::app::testing {
namespace {

class AboutDialogTest : public AppTest {
protected:
    // Shows the dialog non-modally with a query that answers `answer` and
    // counts its runs.
    void open(download::VersionQueryResult answer) {
        about.setVersionQuery([this, answer] {
            ++queries;
            return answer;
        });
        about.show();
        about.versionButton()->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&about));
    }

    void press() { QTest::mouseClick(about.versionButton(), Qt::LeftButton); }

    // Presses the button and waits for the answer of the query, which runs
    // beside the window.
    static bool pressAndWait(AboutDialog& dialog) {
        constexpr int kPatienceMs = 20000;
        QSignalSpy shown(&dialog, &AboutDialog::keyboardVersionShown);
        QTest::mouseClick(dialog.versionButton(), Qt::LeftButton);
        return shown.wait(kPatienceMs);
    }

    AboutDialog about;
    int queries = 0;
};

TEST_F(AboutDialogTest, AHeaderIsShownOnceAndTheFocusMovesToTheEditBox) {
    open({QStringLiteral("Firmware ID: 5631  Checksum: 0000\nLenght: 013D  Language: GR SHIFT LOCK"), true});
    ASSERT_TRUE(pressAndWait(about));
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(about.result()->text(),
              "Firmware ID: 5631  Checksum: 0000\nLenght: 013D  Language: GR SHIFT LOCK");
    EXPECT_TRUE(about.hint()->toPlainText().isEmpty()) << "the hint is cleared";
    EXPECT_TRUE(about.hint()->hasFocus());
    EXPECT_FALSE(about.versionButton()->isEnabled());

    press();
    QTest::qWait(50);
    EXPECT_EQ(queries, 1) << "a second press does nothing";
}

TEST_F(AboutDialogTest, AFailureTextIsShownAndTheFocusStays) {
    open({QStringLiteral("No Vyrn keyboard detected !"), false});
    ASSERT_TRUE(pressAndWait(about));
    EXPECT_EQ(about.result()->text(), "No Vyrn keyboard detected !");
    EXPECT_FALSE(about.hint()->hasFocus());
    EXPECT_FALSE(about.versionButton()->isEnabled());
}

TEST_F(AboutDialogTest, AQueryWithoutTextLeavesTheStaticText) {
    about.result()->setText(QStringLiteral("before"));
    open({});
    ASSERT_TRUE(pressAndWait(about));
    EXPECT_EQ(queries, 1);
    EXPECT_EQ(about.result()->text(), "before");
    EXPECT_FALSE(about.versionButton()->isEnabled());
}

// A keyboard channel that is there and never answers: a socket that takes
// connections into its backlog and never reads them.
class SilentKeyboard {
public:
    explicit SilentKeyboard(const std::filesystem::path& path) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        socket_ = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        listening_ = socket_ >= 0 && ::bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(socket_, 4) == 0;
    }
    ~SilentKeyboard() {
        if (socket_ >= 0) ::close(socket_);
    }
    bool listening() const { return listening_; }

private:
    int socket_ = -1;
    bool listening_ = false;
};

// The real query over the interface library of the build, by its name.
// While it waits for a keyboard that does not answer (the keyboard device's
// echo test gives up when the keyboard channel's reply does not come within
// 2 s), the window's own events are handled: an event posted every 20 ms
// runs within 100 ms, and the dialog says that it is asking. Then no
// keyboard is reported (without the library its load fails).
TEST_F(AboutDialogTest, TheWindowAnswersWhileTheQueryWaitsForASilentKeyboard) {
    AboutDialog dialog;
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const SilentKeyboard keyboard(dir / "silent.sock");
    ASSERT_TRUE(keyboard.listening());
    ::setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    ::setenv("KBX_PLATFORM", "nt4", 1);
    ::setenv("KBX_KEYBOARD", ("sim:" + (dir / "silent.sock").string()).c_str(), 1);
    ::unsetenv("KBX_USB");
    QSignalSpy shown(&dialog, &AboutDialog::keyboardVersionShown);
    QTest::mouseClick(dialog.versionButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result()->text(), "Die Tastatur wird abgefragt ...");

    constexpr auto kPostEvery = std::chrono::milliseconds(20);
    constexpr long long kLongestWaitMs = 100;
    long long longestWaitMs = 0;
    int handled = 0;
    QTimer poster;
    QObject::connect(&poster, &QTimer::timeout, &dialog, [&] {
        const auto posted = std::chrono::steady_clock::now();
        QMetaObject::invokeMethod(&dialog, [&, posted] {
            const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - posted);
            longestWaitMs = std::max(longestWaitMs, static_cast<long long>(waited.count()));
            ++handled;
        }, Qt::QueuedConnection);
    });
    poster.start(kPostEvery);
    ASSERT_TRUE(shown.wait(20000));
    poster.stop();
    ::unsetenv("KBX_KEYBOARD");
    ::unsetenv("KBX_PLATFORM");
    ::unsetenv("XDG_CONFIG_HOME");

    EXPECT_GT(handled, 10) << "the query ran beside the window for a while";
    EXPECT_LT(longestWaitMs, kLongestWaitMs);
    const bool libraryBuilt = std::filesystem::exists(std::filesystem::path(KBX_LIBRARY_DIR) / "libkbxi32.so");
    EXPECT_EQ(dialog.result()->text().toStdString(),
              libraryBuilt ? "No Vyrn keyboard detected !" : "Can\u00B4t load KBXI32.DLL!");
    EXPECT_FALSE(dialog.versionButton()->isEnabled());
}

}  // namespace
}  // namespace keyui::app::testing
