#include "platform/notifier.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kbx::platform {
namespace {

class ScriptedNotifier final : public Notifier {
public:
    explicit ScriptedNotifier(Answer answer) : answer_(answer) {}
    Answer show(std::string_view text, std::string_view title, Buttons buttons) override {
        shown.push_back({std::string(text), std::string(title), buttons});
        return answer_;
    }
    struct Shown {
        std::string text;
        std::string title;
        Buttons buttons;
    };
    std::vector<Shown> shown;

private:
    Answer answer_;
};

class NotifierTest : public ::testing::Test {
protected:
    void TearDown() override { setNotifier(nullptr); }

    static std::string shownOnStandardError(std::string_view text, std::string_view title, Buttons buttons,
                                            Answer* answer = nullptr) {
        ::testing::internal::CaptureStderr();
        const Answer given = notify(text, title, buttons);
        if (answer != nullptr) *answer = given;
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(NotifierTest, DefaultWritesTitleAndTextAsUtf8AndAnswersOk) {
    Answer answer = Answer::cancel;
    EXPECT_EQ(shownOnStandardError("Datei f\xFCr K\xE4se fehlt", "kbxi32", Buttons::okCancel, &answer),
              "kbxi32: Datei für Käse fehlt\n");
    EXPECT_EQ(answer, Answer::ok);
}

TEST_F(NotifierTest, DefaultKeepsLinesButNotTerminalControls) {
    EXPECT_EQ(shownOnStandardError("Upload Error.\n", "kbx", Buttons::ok), "kbx: Upload Error.\n");
    EXPECT_EQ(shownOnStandardError("a\tb\nc", "", Buttons::ok), "a\tb\nc\n");
    EXPECT_EQ(shownOnStandardError("\x1B[2Jx\x90y\r", "t\x07", Buttons::ok), "t?: ?[2Jx?y?\n");
}

TEST_F(NotifierTest, AnInstalledNotifierGetsTheBytesAndGivesTheAnswer) {
    ScriptedNotifier scripted(Answer::cancel);
    setNotifier(&scripted);
    EXPECT_EQ(notify("K\xE4se", "Titel", Buttons::okCancel), Answer::cancel);
    ASSERT_EQ(scripted.shown.size(), 1u);
    EXPECT_EQ(scripted.shown[0].text, "K\xE4se");
    EXPECT_EQ(scripted.shown[0].title, "Titel");
    EXPECT_EQ(scripted.shown[0].buttons, Buttons::okCancel);

    setNotifier(nullptr);
    EXPECT_EQ(shownOnStandardError("back", "default", Buttons::ok), "default: back\n");
    EXPECT_EQ(scripted.shown.size(), 1u);
}

}  // namespace
}  // namespace kbx::platform
