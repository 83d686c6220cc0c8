// The command lines of kbxpos against a recording point-of-sale library.

#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tools/kbxpos/interpreter.h"

namespace kbxpos {
namespace {

class RecordingPointOfSale : public PointOfSale {
public:
    std::vector<std::string> calls;
    int result = 0;

    int beep() override { return record("beep"); }
    int cardReaderAutomatic(bool on) override { return record(on ? "msr on" : "msr off"); }
    int cardReaderRead() override { return record("msr read"); }
    int barcodeConfig(const std::string& text) override { return record("barcode config [" + text + "]"); }
    int barcodeData(const std::string& text) override { return record("barcode data [" + text + "]"); }
    int readerLeds(std::uint8_t state) override { return record("leds " + std::to_string(state)); }
    int readerTracks(std::uint8_t tracks) override { return record("tracks " + std::to_string(tracks)); }
    int displayOpen() override { return record("display open"); }
    int displayClose() override { return record("display close"); }
    int display(std::string text, int row, int column) override {
        return record("display [" + text + "] " + std::to_string(row) + " " + std::to_string(column));
    }
    int setInterface(const std::string& keyword) override { return record("interface [" + keyword + "]"); }
    int setLanguage(int language) override { return record("language " + std::to_string(language)); }

private:
    int record(std::string call) {
        calls.push_back(std::move(call));
        return result;
    }
};

class Interpreter : public ::testing::Test {
protected:
    RecordingPointOfSale pos;
    std::ostringstream out;
    std::ostringstream err;
    std::vector<int> waits;
    Session session{pos, out, err, [this](int ms) { waits.push_back(ms); }};

    After run(std::string_view line) { return runCommandLine(line, session); }
};

TEST_F(Interpreter, EachCommandReachesItsCall) {
    const std::vector<std::pair<std::string, std::string>> cases{
        {"beep", "beep"},
        {"msr on", "msr on"},
        {"msr off", "msr off"},
        {"msr read", "msr read"},
        {"barcode config A1 B2", "barcode config [A1 B2]"},
        {"barcode data", "barcode data []"},
        {"leds 2", "leds 2"},
        {"tracks 7", "tracks 7"},
        {"display open", "display open"},
        {"display close", "display close"},
        {"display 2 3 two words", "display [two words] 2 3"},
        {"display CLEAR", "display [CLEAR] 0 0"},
        {"display SETROW 4", "display [SETROW] 0 4"},
        {"interface USB", "interface [USB]"},
        {"language 6", "language 6"},
        {"  beep  \r", "beep"},
    };
    for (const auto& [line, call] : cases) {
        pos.calls.clear();
        EXPECT_EQ(run(line), After::Continue) << line;
        EXPECT_EQ(pos.calls, std::vector<std::string>{call}) << line;
    }
    EXPECT_EQ(err.str(), "");
}

TEST_F(Interpreter, ResultsArePrintedAsOkOrTheFailureCode) {
    run("beep");
    pos.result = 1;
    run("msr read");
    pos.result = 5;
    run("display CLEAR");
    EXPECT_EQ(out.str(), "beep: ok\nmsr read: failed (1)\ndisplay CLEAR: failed (5)\n");
    EXPECT_EQ(session.failedCommands, 2);
}

TEST_F(Interpreter, DisplayTextIsSentInTheDisplaysCharacterSet) {
    run("display 1 1 Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC");
    EXPECT_EQ(pos.calls, std::vector<std::string>{"display [Gr\xFC\xDF" "e \x80] 1 1"});
}

TEST_F(Interpreter, MistakesAreReportedAndCallNothing) {
    for (const char* line : {"bogus", "leds 256", "leds -1", "tracks x", "msr", "msr sideways", "barcode",
                             "beep now", "display", "display 1", "display 1 x TEXT", "display CLEAR x",
                             "interface", "wait -5", "wait 1000000", "language 8", "language", "leds 3",
                             "tracks 8", "display 0 9 LINECLEAR", "display 1 0 X", "display 99999999999 1 X"}) {
        err.str("");
        EXPECT_EQ(run(line), After::Continue) << line;
        EXPECT_NE(err.str().find("kbxpos: "), std::string::npos) << line;
    }
    EXPECT_TRUE(pos.calls.empty());
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(session.failedCommands, 22);
}

TEST_F(Interpreter, BlankLinesAndCommentsAreSkipped) {
    EXPECT_EQ(run(""), After::Continue);
    EXPECT_EQ(run("   "), After::Continue);
    EXPECT_EQ(run("# beep"), After::Continue);
    EXPECT_TRUE(pos.calls.empty());
    EXPECT_EQ(err.str(), "");
}

TEST_F(Interpreter, WaitRunsTheLoopAndQuitEnds) {
    EXPECT_EQ(run("wait 250"), After::Continue);
    EXPECT_EQ(waits, std::vector<int>{250});
    EXPECT_EQ(run("quit"), After::Quit);
}

TEST_F(Interpreter, HelpListsEveryCommand) {
    run("help");
    for (const char* name : {"beep", "msr", "barcode", "leds", "tracks", "display", "interface", "wait", "quit"}) {
        EXPECT_NE(out.str().find(std::string("  ") + name), std::string::npos) << name;
    }
}

// Every "ARGUMENT from LOWEST to HIGHEST" of a one-number command in the
// help: both bounds are accepted and reach the library, the numbers just
// outside them are refused.
TEST_F(Interpreter, TheRangesInTheHelpAreTheRangesAccepted) {
    std::ostringstream help;
    printCommands(help);
    const std::regex oneNumber(R"(^  (\w+) (\w+) .*, \2 from (-?\d+) to (-?\d+)$)");
    int ranges = 0;
    std::istringstream lines(help.str());
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (!std::regex_match(line, match, oneNumber)) continue;
        ++ranges;
        const std::string command = match[1];
        const long lowest = std::stol(match[3]);
        const long highest = std::stol(match[4]);
        for (const long inside : {lowest, highest}) {
            pos.calls.clear();
            waits.clear();
            err.str("");
            run(command + " " + std::to_string(inside));
            EXPECT_EQ(err.str(), "") << command << " " << inside;
            EXPECT_EQ(pos.calls.size() + waits.size(), 1u) << command << " " << inside;
        }
        for (const long outside : {lowest - 1, highest + 1}) {
            err.str("");
            run(command + " " + std::to_string(outside));
            EXPECT_NE(err.str().find("from " + std::to_string(lowest) + " to " + std::to_string(highest)),
                      std::string::npos)
                << command << " " << outside << ": " << err.str();
        }
    }
    EXPECT_EQ(ranges, 4) << "leds, tracks, language and wait\n" << help.str();
    EXPECT_NE(help.str().find("write TEXT at ROW and COLUMN, ROW and COLUMN from 1\n"), std::string::npos);
    run("display 1 1 A");  // and "display 0 9 X", "display 1 0 X" are mistakes, above
    EXPECT_EQ(pos.calls.back(), "display [A] 1 1");
}

}  // namespace
}  // namespace kbxpos
