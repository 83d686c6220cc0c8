// The progress dialog against stand-ins for kbx32: shell scripts that print
// chosen lines, crash, or never end.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

#include "editor/ui/download/progress_dialog.h"
#include "editor/ui/download/tests/download_test_support.h"

namespace keyui::download {
namespace {

using testing::control;
using testing::qPath;
using testing::waitUntil;

class ProgressDialogTest : public ::testing::Test {
protected:
    // Runs a fake kbx32 with `body` to its end (or until `until` holds).
    void run(const std::string& body, const std::function<bool()>& until = {}) {
        testing::writeFakeProgram(dir / "kbx32", body);
        dialog = std::make_unique<ProgressDialog>(
            ProgressRun{qPath(dir / "kbx32"), {qPath(dir / "a b.KBF"), "COMP"}, qPath(dir / "a b.TXT")},
            notices.notifier());
        dialog->show();
        const bool reached = waitUntil(until ? until : [this] { return okButton()->isEnabled(); });
        ASSERT_TRUE(reached);
    }

    QProgressBar* compileBar() { return control<QProgressBar>(*dialog, "progress11039"); }
    QProgressBar* downloadBar() { return control<QProgressBar>(*dialog, "progress11040"); }
    QString status() { return control<QLabel>(*dialog, "static11043")->text(); }
    QString log() { return control<QPlainTextEdit>(*dialog, "edit11044")->toPlainText(); }
    QPushButton* okButton() { return control<QPushButton>(*dialog, "button1"); }

    kbxtest::TempDir dir;
    testing::RecordingNotifier notices;
    std::unique_ptr<ProgressDialog> dialog;
};

TEST_F(ProgressDialogTest, OpensWithEmptyBarsTheRunningTextAndOkOff) {
    ProgressDialog fresh(ProgressRun{"/nonexistent/kbx32", {}, {}}, notices.notifier());
    EXPECT_EQ(control<QProgressBar>(fresh, "progress11039")->value(), 0);
    EXPECT_EQ(control<QProgressBar>(fresh, "progress11040")->maximum(), 100);
    EXPECT_EQ(control<QLabel>(fresh, "static11043")->text(), "Vorgang läuft...");
    EXPECT_TRUE(control<QPlainTextEdit>(fresh, "edit11044")->isReadOnly());
    EXPECT_FALSE(control<QPushButton>(fresh, "button1")->isEnabled());
}

TEST_F(ProgressDialogTest, BarsFollowThePhasesAndTheEndSaysFertig) {
    run("echo 'kbx_message 2 0'\n"
        "echo 'kbx_message 0 40'\n"
        "echo 'kbx_message 0 101'\n"
        "echo 'kbx_message 0 -1'\n"
        "echo 'kbx_message 3 0'\n"
        "echo 'kbx_message 0 30'\n"
        "echo 'garbage line'\n"
        "echo 'kbx_message 9 1'\n"
        "echo 'kbx_message 0 x'\n"
        "sleep 0.3\n"
        "echo 'kbx_message 2 0'\n"
        "echo 'kbx_message 0 55'\n"
        "echo 'kbx_message 3 0'\n"
        "echo 'kbx_message 0 77'\n"
        "echo 'kbx_message 5 3'\n"
        "echo 'kbx_message 4 0'\n"
        "sleep 10\n",
        [this] { return downloadBar()->value() == 77; });
    EXPECT_EQ(compileBar()->value(), 55);
    EXPECT_EQ(status(), "Vorgang läuft...");
    EXPECT_FALSE(okButton()->isEnabled());
    EXPECT_TRUE(dialog->programRunning());

    // Kind 1 in the compile phase fills its bar only; in the download phase
    // it ends the run.
    dialog.reset();
    run("echo 'kbx_message 2 0'\necho 'kbx_message 1 0'\necho 'kbx_message 3 0'\nsleep 0.2\n"
        "printf 'kbx_message 0 12\\nkbx_message 1 0\\n'\n");
    EXPECT_EQ(compileBar()->value(), 100);
    EXPECT_EQ(downloadBar()->value(), 100);
    EXPECT_EQ(status(), "Fertig");
    EXPECT_TRUE(notices.notices.empty());
}

TEST_F(ProgressDialogTest, ACompileFailureShowsItsTextAndTheLog) {
    // The log is read as Windows-1252 and cut at 32000 bytes.
    std::string logText = "ERROR (line 3): Gr\xF6\xDF" "e\n";
    logText += std::string(40000 - logText.size(), 'x');
    kbxtest::writeFile(dir / "a b.TXT", logText);
    run("echo 'kbx_message 2 0'\necho 'kbx_message 4 -1'\n");
    EXPECT_EQ(status(), "Ein Compilierfehler ist aufgetreten");
    EXPECT_TRUE(log().startsWith(QString::fromUtf8("ERROR (line 3): Größe\n")));
    EXPECT_EQ(log().size(), ProgressDialog::kMaxLogBytes);
}

TEST_F(ProgressDialogTest, ALogThatCannotBeOpenedLeavesTheBox) {
    run("echo 'kbx_message 4 -3'\n");
    EXPECT_EQ(status(), "Ausgabedatei konnte nicht geöffnet werden");
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(ProgressDialogTest, ADownloadFailureStaysOnShowWhenTheProgramEnds) {
    run("echo 'kbx_message 3 0'\necho 'kbx_message 5 -5'\n");
    EXPECT_EQ(status(), "Download nicht möglich");
    EXPECT_TRUE(log().isEmpty());
}

TEST_F(ProgressDialogTest, AProgramEndingWithoutItsLastMessageIsReported) {
    run("echo 'kbx_message 2 0'\necho 'kbx_message 0 50'\nkill -SEGV $$\n");
    EXPECT_EQ(status(), "Das Programm kbx32 wurde unerwartet beendet.");
    EXPECT_EQ(compileBar()->value(), 50);
    dialog.reset();
    run("printf 'kbx_message 1 0'\n");  // no line end: not a message
    EXPECT_EQ(compileBar()->value(), 0);
    EXPECT_EQ(status(), "Das Programm kbx32 wurde unerwartet beendet.");
}

TEST_F(ProgressDialogTest, EndlessOutputWithoutLineEndsIsDroppedAndLaterMessagesStillCount) {
    // A megabyte of output with no line end, then a line end and the run's messages.
    run("head -c 1000000 /dev/zero | tr '\\0' x\n"
        "echo\n"
        "echo 'kbx_message 3 0'\necho 'kbx_message 1 0'\n");
    EXPECT_EQ(downloadBar()->value(), 100);
    EXPECT_EQ(status(), "Fertig");
}

TEST_F(ProgressDialogTest, TheCloseBoxEndsAProgramThatNeverEnds) {
    const auto pidFile = dir / "pid";
    run("echo $$ > '" + pidFile.string() + "'\ntrap '' TERM\necho 'kbx_message 0 20'\nwhile :; do sleep 1; done\n",
        [this] { return compileBar()->value() == 20; });
    const std::string pid = kbxtest::readFile(pidFile);
    ASSERT_FALSE(pid.empty());
    dialog->close();  // the close box
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->programRunning());
    EXPECT_FALSE(std::filesystem::exists("/proc/" + pid.substr(0, pid.find('\n'))));
}

TEST_F(ProgressDialogTest, StartFailuresNameTheCauseOverTheCommandLine) {
    struct Case {
        std::filesystem::path program;
        const char* title;
    };
    kbxtest::writeFile(dir / "notaprogram", "plain text\n");
    std::filesystem::permissions(dir / "notaprogram", std::filesystem::perms::owner_read);
    kbxtest::writeFile(dir / "garbage", std::string("\x7F" "ELF\x01\x02", 6));
    std::filesystem::permissions(dir / "garbage", std::filesystem::perms::owner_all);
    const Case cases[] = {
        {dir / "kbx32", kFileNotFoundTitle},
        {dir / "nofolder" / "kbx32", kPathNotFoundTitle},
        {dir / "notaprogram", kBadFormatTitle},
        {dir / "garbage", kBadFormatTitle},
    };
    for (const Case& c : cases) {
        notices.notices.clear();
        ProgressDialog failing(ProgressRun{qPath(c.program), {"/w/TMP0815.KBF", "AT"}, {}}, notices.notifier());
        failing.show();
        ASSERT_TRUE(waitUntil([this] { return !notices.notices.empty(); })) << c.program;
        EXPECT_EQ(notices.notices[0].title, c.title) << c.program;
        EXPECT_EQ(notices.notices[0].text, qPath(c.program) + " /w/TMP0815.KBF AT");
        EXPECT_EQ(notices.notices.size(), 1u);
        failing.close();
    }
}

}  // namespace
}  // namespace keyui::download
