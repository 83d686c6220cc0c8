#include "editor/ui/legend/legend_layout.h"

#include <gtest/gtest.h>

namespace keyui::legend {
namespace {

using Kind = CaptionPiece::Kind;

CaptionPiece run(std::string text) { return {Kind::Run, std::move(text)}; }
CaptionPiece lineBreak() { return {Kind::LineBreak, {}}; }

TEST(CaptionCodes, LineBreakSplitsTheCaptionIntoTwoRuns) {
    EXPECT_EQ(readCaption("A\\lineB"), (std::vector{run("A"), lineBreak(), run("B")}));
}

TEST(CaptionCodes, DoubleBackslashStartsTheNextRunWithABackslash) {
    EXPECT_EQ(readCaption("Tab\\\\Esc"), (std::vector{run("Tab"), run("\\Esc")}));
    // An escaped backslash before "line" is no line break.
    EXPECT_EQ(readCaption("\\\\line"), (std::vector{run("\\line")}));
}

TEST(CaptionCodes, UnknownCodeLosesOnlyItsBackslash) {
    EXPECT_EQ(readCaption("a\\qb"), (std::vector{run("a"), run("qb")}));
    EXPECT_EQ(readCaption("\\{\\line["), (std::vector{run("{"), lineBreak(), run("[")}));
    EXPECT_EQ(readCaption("end\\"), (std::vector{run("end")}));
}

TEST(CaptionCodes, CodesFollowingEachOtherAreAllRead) {
    EXPECT_EQ(readCaption("A\\line\\line\\\\B"), (std::vector{run("A"), lineBreak(), lineBreak(), run("\\B")}));
}

TEST(CaptionCodes, PictureTakesTheRestOfTheCaption) {
    EXPECT_EQ(readCaption("X\\*picfile:/pics/a\\line.bmp"),
              (std::vector{run("X"), CaptionPiece{Kind::Picture, "/pics/a\\line.bmp"}}));
}

TEST(CaptionCodes, LongTextIsCutIntoRunsOfAtMost255Characters) {
    const std::vector<CaptionPiece> pieces = readCaption(std::string(600, 'x'));
    ASSERT_EQ(pieces.size(), 3u);
    EXPECT_EQ(pieces[0].text.size(), kMaxRunLength);
    EXPECT_EQ(pieces[1].text.size(), kMaxRunLength);
    EXPECT_EQ(pieces[2].text.size(), 600 - 2 * kMaxRunLength);
}

class LegendPlacementTest : public ::testing::Test {
protected:
    LegendPlacementTest() {
        record.x = 100;
        record.y = 50;
        record.width = 12;
        record.height = 12;
        record.scaleX = 3;
        record.scaleY = 3;
        record.leftMargin = 1;
        record.topMargin = 0.5;
        record.fontHeight = 4;
    }
    LegendPlacement place(std::string_view caption) {
        record.caption = caption;
        // Ten pixels per character.
        return placeLegend(record, [](const QString& text) { return static_cast<int>(text.size()) * 10; });
    }
    DrawRecord record;
};

TEST_F(LegendPlacementTest, NextLineStartsOneFontHeightLowerAtTheLeftMargin) {
    const LegendPlacement placement = place("A\\lineB");
    ASSERT_EQ(placement.runs.size(), 2u);
    EXPECT_EQ(placement.runs[0].topLeft, QPoint(103, 52));  // 3 * 1, round(3 * 0.5)
    EXPECT_EQ(placement.runs[1].topLeft, QPoint(103, 52 + 12));
    EXPECT_FALSE(placement.picture);
}

TEST_F(LegendPlacementTest, LineSpacingWinsOverTheFontHeight) {
    record.lineSpacing = 2.5;
    const LegendPlacement placement = place("A\\lineB\\lineC");
    ASSERT_EQ(placement.runs.size(), 3u);
    EXPECT_EQ(placement.runs[1].topLeft.y(), 50 + 9);   // round(3 * 3.0)
    EXPECT_EQ(placement.runs[2].topLeft.y(), 50 + 17);  // round(3 * 5.5) = 17
}

TEST_F(LegendPlacementTest, RunsOnOneLineFollowEachOther) {
    const LegendPlacement placement = place("Tab\\\\Esc");
    ASSERT_EQ(placement.runs.size(), 2u);
    EXPECT_EQ(placement.runs[1].text, QStringLiteral("\\Esc"));
    EXPECT_EQ(placement.runs[1].topLeft, QPoint(103 + 30, 52));
    EXPECT_EQ(placement.runs[0].topLeft.y(), placement.runs[1].topLeft.y());
}

TEST_F(LegendPlacementTest, RunTextIsConvertedFromWindows1252) {
    const LegendPlacement placement = place("\xE4\x80");
    ASSERT_EQ(placement.runs.size(), 1u);
    EXPECT_EQ(placement.runs[0].text, QString::fromUtf8("\xC3\xA4\xE2\x82\xAC"));  // a umlaut, euro sign
}

TEST_F(LegendPlacementTest, PictureFillsTheCapInsetByTheMargins) {
    const LegendPlacement placement = place("\\*picfile:/tmp/p.bmp");
    EXPECT_TRUE(placement.runs.empty());
    ASSERT_TRUE(placement.picture);
    EXPECT_EQ(placement.picture->path, QStringLiteral("/tmp/p.bmp"));
    EXPECT_EQ(placement.picture->target, QRect(103, 52, 30, 33));  // 3 * (12 - 2), 3 * (12 - 1)
}

}  // namespace
}  // namespace keyui::legend
