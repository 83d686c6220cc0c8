#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "iface/protocol/transfer.h"
#include "iface/shared_timer.h"
#include "iface/tests/scripted_link.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using test::Bytes;
using test::imageOfLength;
using test::ScriptedLink;
using test::SentFrame;

constexpr int kRefused = 0x95;

std::vector<int> progressSeen;
void recordProgress(int percent) { progressSeen.push_back(percent); }

struct Download {
    int result = 0;
    std::string message;
};

class DownloadTest : public testing::Test {
protected:
    void SetUp() override { progressSeen.clear(); }

    Download run(const Bytes& file, DownloadRequest request = {}) {
        kbxtest::writeFile(dir_ / "image.kbx", std::string(file.begin(), file.end()));
        return runPath((dir_ / "image.kbx").string(), request);
    }
    Download runPath(const std::string& path, DownloadRequest request = {}) {
        char buffer[128] = "left over";
        MessageBuffer message(buffer, sizeof buffer);
        const int result = downloadFile(link_, timer_, path.c_str(), request, message);
        return {result, message.text().data()};
    }

    std::vector<std::size_t> lengths(const std::vector<SentFrame>& frames) {
        std::vector<std::size_t> found;
        for (const SentFrame& frame : frames) found.push_back(frame.data.size());
        return found;
    }

    kbxtest::TempDir dir_;
    ScriptedLink link_;
    SharedTimer timer_;
};

TEST_F(DownloadTest, SmallestImageGoesInFramesOfSixtyFourAndTheRest) {
    const Bytes image = imageOfLength(302);
    const Download d = run(image);
    EXPECT_EQ(d.result, 302);
    EXPECT_EQ(d.message, " 302 bytes sent");
    const std::vector<SentFrame> frames = link_.writeFrames();
    EXPECT_EQ(lengths(frames), (std::vector<std::size_t>{64, 64, 64, 64, 42}));
    std::vector<std::uint16_t> addresses;
    Bytes written(4, 0);
    for (const SentFrame& frame : frames) {
        addresses.push_back(frame.address);
        written.insert(written.end(), frame.data.begin(), frame.data.end());
    }
    EXPECT_EQ(addresses, (std::vector<std::uint16_t>{4, 68, 132, 196, 260}));
    EXPECT_EQ(Bytes(written.begin() + 4, written.end()), Bytes(image.begin() + 4, image.end()));
    // The checksum update follows the data; the raw enable byte ends it.
    EXPECT_EQ(Bytes(link_.framed.end() - 2, link_.framed.end()), (Bytes{0xEF, 0x12}));
    EXPECT_EQ(link_.raw, Bytes{0xF4});
    EXPECT_EQ(link_.usbReleases, 0);
}

TEST_F(DownloadTest, ProgressGoesByPositionAndEndsAtHundred) {
    run(imageOfLength(302));
    EXPECT_EQ(progressSeen, (std::vector<int>{}));  // none asked for
    run(imageOfLength(302), {.progress = recordProgress});
    EXPECT_EQ(progressSeen, (std::vector<int>{1, 22, 43, 64, 86, 100}));
}

TEST_F(DownloadTest, UsbTakesSixteenByteFramesAndIsReleasedAfterwards) {
    link_.usbSelected = true;
    const Download d = run(imageOfLength(302));
    EXPECT_EQ(d.result, 302);
    std::vector<std::size_t> expected(18, 16);
    expected.push_back(10);
    EXPECT_EQ(lengths(link_.writeFrames()), expected);
    EXPECT_EQ(link_.usbReleases, 1);
}

TEST_F(DownloadTest, FilesThatAreNoImageAreRefused) {
    EXPECT_EQ(run(imageOfLength(301)).result, -6);
    Bytes wrongMagic = imageOfLength(400);
    wrongMagic[0] = 'v';
    const Download d = run(wrongMagic);
    EXPECT_EQ(d.result, -6);
    EXPECT_EQ(d.message, "kbx fileformat invalid");
    // More than 16-bit addresses reach would wrap onto the identification.
    EXPECT_EQ(run(imageOfLength(0x10001)).result, -6);
    EXPECT_TRUE(link_.framed.empty());
}

TEST_F(DownloadTest, LargestAddressableImageIsAccepted) {
    EXPECT_EQ(run(imageOfLength(0x10000)).result, 0x10000);
    EXPECT_EQ(link_.writeFrames().back().address, 0xFFC4);
}

TEST_F(DownloadTest, MissingFileIsReported) {
    const Download d = runPath((dir_ / "nothing.kbx").string());
    EXPECT_EQ(d.result, -7);
    EXPECT_EQ(d.message, "kbx file not found");
}

// A FIFO once held the download (and the open port) until a writer came.
TEST_F(DownloadTest, WhatIsNoRegularFileIsReportedAsNotFoundWithoutWaiting) {
    ASSERT_EQ(::mkfifo((dir_ / "fifo.kbx").c_str(), 0600), 0);
    for (const std::string& path : {(dir_ / "fifo.kbx").string(), std::string("/dev/zero"), dir_.path().string()}) {
        const Download d = runPath(path);
        EXPECT_EQ(d.result, -7) << path;
        EXPECT_EQ(d.message, "kbx file not found");
    }
    EXPECT_TRUE(link_.framed.empty());
}

TEST_F(DownloadTest, AFileLargerThanAnyInputIsNoImage) {
    kbxtest::writeFile(dir_ / "huge.kbx", "Vyrn");
    std::filesystem::resize_file(dir_ / "huge.kbx", 64 * 1024 * 1024);
    EXPECT_EQ(runPath((dir_ / "huge.kbx").string()).result, -6);
}

TEST_F(DownloadTest, DataFrameIsTriedTwelveTimesThenTheDownloadGivesUp) {
    link_.framedAnswer = [](std::size_t, std::uint8_t) { return kRefused; };
    const Download d = run(imageOfLength(302));
    EXPECT_EQ(d.result, -5);
    EXPECT_EQ(d.message, "Download not possible (0x95)");
    EXPECT_EQ(link_.frames().size(), 12u);
    EXPECT_EQ(link_.raw, Bytes{0xF4});
}

TEST_F(DownloadTest, AFrameTakenOnALaterAttemptGoesOn) {
    // The first two attempts of the first frame fail at its fifth byte.
    link_.framedAnswer = [](std::size_t number, std::uint8_t) { return number == 4 || number == 9 ? 1 : 0; };
    EXPECT_EQ(run(imageOfLength(302)).result, 302);
    EXPECT_EQ(link_.frames().size(), 2u + 5 + 1);
}

TEST_F(DownloadTest, FailedChecksumUpdateIsReportedByItsByte) {
    const std::size_t dataBytes = 5 * 12 + 2 * 298;
    link_.framedAnswer = [&](std::size_t number, std::uint8_t) { return number == dataBytes ? 0x93 : 0; };
    Download d = run(imageOfLength(302));
    EXPECT_EQ(d.result, -5);
    EXPECT_EQ(d.message, "Error1: update checksum (0x93)");

    link_ = ScriptedLink();
    link_.framedAnswer = [&](std::size_t number, std::uint8_t) { return number == dataBytes + 1 ? 0x94 : 0; };
    d = run(imageOfLength(302));
    EXPECT_EQ(d.result, -5);
    EXPECT_EQ(d.message, "Error2: update checksum (0x94)");
}

TEST_F(DownloadTest, FailedCheckStopsBeforeAnyFrame) {
    link_.checkFailure = "download check failed (USB)";
    Download d = run(imageOfLength(302));
    EXPECT_EQ(link_.checks, 0);  // not asked for
    EXPECT_EQ(d.result, 302);

    link_ = ScriptedLink();
    link_.checkFailure = "download check failed (USB)";
    d = run(imageOfLength(302), {.check = true});
    EXPECT_EQ(d.result, -5);
    EXPECT_EQ(d.message, "download check failed (USB)");
    EXPECT_TRUE(link_.framed.empty());
}

TEST_F(DownloadTest, RefreshFillsBeforeEachDataFrameThenOverlapsAtTheLastDataLength) {
    const Bytes image = imageOfLength(400);
    const Download d = run(image, {.refreshEnd = 1000, .fillByte = 0x5A});
    EXPECT_EQ(d.result, 1000);
    EXPECT_EQ(d.message, " 1000 bytes sent");
    const std::vector<SentFrame> frames = link_.writeFrames();
    std::size_t at = 0;
    // Below the image's end: a fill frame, then the data frame, at 4, 68, ... 388.
    for (int position = 4; position < 400; position += 64) {
        const int dataLength = position + 64 >= 400 ? 400 - position : 64;
        ASSERT_LT(at + 1, frames.size());
        EXPECT_EQ(frames[at].address, position);
        EXPECT_EQ(frames[at].data, Bytes(64, 0x5A));
        EXPECT_EQ(frames[at + 1].address, position);
        EXPECT_EQ(frames[at + 1].data, Bytes(image.begin() + position, image.begin() + position + dataLength));
        at += 2;
    }
    // Beyond it: fill frames only, at steps of 12, the last data length; they
    // shrink so as to end at the refresh end.
    for (int position = 400; position < 1000; position += 12) {
        ASSERT_LT(at, frames.size());
        EXPECT_EQ(frames[at].address, position);
        EXPECT_EQ(frames[at].data.size(), std::size_t(std::min(64, 1000 - position))) << position;
        ++at;
    }
    EXPECT_EQ(at, frames.size());
}

TEST_F(DownloadTest, FillFrameIsTriedFourTimes) {
    link_.framedAnswer = [](std::size_t, std::uint8_t) { return kRefused; };
    const Download d = run(imageOfLength(400), {.refreshEnd = 1000});
    EXPECT_EQ(d.result, -5);
    EXPECT_EQ(d.message, "refresh not possible (0x95)");
    EXPECT_EQ(link_.frames().size(), 4u);
    EXPECT_EQ(link_.raw, Bytes{0xF4});
}

TEST_F(DownloadTest, RefreshEndInsideTheImageFillsOnlyBelowIt) {
    EXPECT_EQ(run(imageOfLength(302), {.refreshEnd = 100}).result, 302);
    // Fill 64 and data at 4, fill 32 (up to 100) and data at 68, then data only.
    EXPECT_EQ(lengths(link_.writeFrames()), (std::vector<std::size_t>{64, 64, 32, 64, 64, 64, 42}));
}

TEST_F(DownloadTest, RefreshStopsAtTheEndOfTheAddressSpace) {
    const Download d = run(imageOfLength(302), {.refreshEnd = 0x7FFFFFFF});
    EXPECT_EQ(d.result, 0x10000);
    const SentFrame last = link_.writeFrames().back();
    EXPECT_EQ(last.address + last.data.size(), 0x10000u);
}

}  // namespace
}  // namespace kbxi
