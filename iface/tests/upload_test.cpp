#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "iface/protocol/upload.h"
#include "iface/tests/scripted_link.h"
#include "tests/support/files.h"

namespace kbxi {
namespace {

using test::Bytes;
using test::imageOfLength;
using test::ScriptedLink;

std::vector<int> progressSeen;
void recordProgress(int percent) { progressSeen.push_back(percent); }

struct Upload {
    int result = 0;
    std::string message;
};

class UploadTest : public testing::Test {
protected:
    void SetUp() override { progressSeen.clear(); }

    // The keyboard holds an image of `length` bytes whose length field says
    // `field`.
    void keyboardHolds(std::size_t length, std::uint16_t field) {
        const Bytes image = imageOfLength(length);
        std::copy(image.begin(), image.end(), link_.memory.begin());
        link_.memory[6] = std::uint8_t(field >> 8);
        link_.memory[7] = std::uint8_t(field & 0xFF);
    }
    Upload run(const char* path) {
        char buffer[128] = "";
        MessageBuffer message(buffer, sizeof buffer);
        const int result = uploadToFile(link_, image_, path, recordProgress, message);
        return {result, message.text().data()};
    }
    Upload run() { return run(target().c_str()); }
    std::string target() const { return (dir_ / "upload.kbx").string(); }

    kbxtest::TempDir dir_;
    ScriptedLink link_;
    UploadImage image_;
};

TEST_F(UploadTest, ReadsUpToTheImageLengthAndWritesTheFile) {
    keyboardHolds(317, 317);
    const Upload u = run();
    EXPECT_EQ(u.result, 317);
    // Blocks of 16 until the position has passed 317: the last starts at 304.
    EXPECT_EQ(link_.blockAddresses.size(), 20u);
    EXPECT_EQ(link_.blockAddresses.back(), 304);
    Bytes expected(link_.memory.begin(), link_.memory.begin() + 317);
    EXPECT_EQ(kbxtest::readBytes(target()), expected);  // the magic written, the rest read
    EXPECT_EQ(link_.binds, 1);
    EXPECT_EQ(link_.releases, 1);
    EXPECT_EQ(progressSeen.front(), 0);
    EXPECT_EQ(progressSeen.back(), 100);
}

TEST_F(UploadTest, FileStartsWithTheMagicWhateverAddressesZeroToThreeHold) {
    keyboardHolds(317, 317);
    link_.memory[0] = 0x12;  // the keyboard's identification and checksum
    link_.memory[3] = 0x34;
    run();
    const Bytes file = kbxtest::readBytes(target());
    EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "Vyrn");
}

TEST_F(UploadTest, ImageLengthBelowTenReadsTheWholeMemory) {
    keyboardHolds(317, 5);
    EXPECT_EQ(run().result, 8192);
    // A block starting at 8192 is read too.
    EXPECT_EQ(link_.blockAddresses.back(), 8192);
    EXPECT_EQ(kbxtest::readBytes(target()).size(), 8192u);
}

TEST_F(UploadTest, UsbReadsBlocksOfEight) {
    link_.usbSelected = true;
    keyboardHolds(317, 317);
    EXPECT_EQ(run().result, 317);
    EXPECT_EQ(link_.blockLengths.front(), 8u);
    EXPECT_EQ(link_.blockAddresses.back(), 312);
}

struct RetryCase {
    int blockError;
    int result;
    const char* message;
};

class UploadRetries : public UploadTest, public testing::WithParamInterface<RetryCase> {};

TEST_P(UploadRetries, FiveFailuresOfOneBlockEndTheUpload) {
    keyboardHolds(317, 317);
    link_.blockAnswer = [](std::uint16_t, std::span<std::uint8_t>) { return GetParam().blockError; };
    const Upload u = run();
    EXPECT_EQ(u.result, GetParam().result);
    EXPECT_EQ(u.message, GetParam().message);
    EXPECT_EQ(link_.blockAddresses, std::vector<std::uint16_t>(5, 0));
    EXPECT_FALSE(std::filesystem::exists(target()));
    EXPECT_EQ(progressSeen, (std::vector<int>{0, 0}));
}

INSTANTIATE_TEST_SUITE_P(SerialAndCapture, UploadRetries,
                         testing::Values(RetryCase{3, -3, " Upload Error (03)"}, RetryCase{4, -4, " Upload Error (04)"},
                                         RetryCase{0x13, -19, " Upload Error (13)"},
                                         RetryCase{0x14, -20, " Upload Error (14)"}));

TEST_F(UploadTest, FourFailuresInARowAreRetriedAndTheCountStartsAgain) {
    keyboardHolds(317, 317);
    int calls = 0;
    link_.blockAnswer = [&](std::uint16_t address, std::span<std::uint8_t> out) {
        // Every block fails four times before it is read.
        if (++calls % 5 != 0) return 3;
        for (std::size_t i = 0; i < out.size(); ++i) out[i] = link_.memory[address + i];
        return 0;
    };
    EXPECT_EQ(run().result, 317);
    EXPECT_EQ(calls, 5 * 20);
}

TEST_F(UploadTest, ImageLengthBeyondTheBufferEndsTheReadingAtOnce) {
    keyboardHolds(317, 0xFFFF);
    const Upload u = run();
    EXPECT_EQ(u.result, 0);
    EXPECT_EQ(u.message, " Upload Error: image length 65535 exceeds the upload buffer of 9000 bytes");
    EXPECT_EQ(link_.blockAddresses.size(), 1u);
    EXPECT_FALSE(std::filesystem::exists(target()));
}

TEST_F(UploadTest, LongestImageTheBufferHoldsIsRead) {
    // Its last block, at 8976, ends at 8992; one more would not fit.
    keyboardHolds(317, 8991);
    EXPECT_EQ(run().result, 8991);
    keyboardHolds(317, 8992);
    EXPECT_EQ(run().result, 0);
}

TEST_F(UploadTest, UnboundPointOfSaleLibraryFailsWithoutReading) {
    link_.bindResult = 16;
    const Upload u = run();
    EXPECT_EQ(u.result, 0);
    EXPECT_EQ(u.message, "Upload Error.\n");
    EXPECT_TRUE(link_.blockAddresses.empty());
    EXPECT_EQ(progressSeen, (std::vector<int>{0, 0}));
}

TEST_F(UploadTest, NoPathIsRefusedBeforeBinding) {
    const Upload u = run(nullptr);
    EXPECT_EQ(u.result, -1);
    EXPECT_EQ(u.message, " no file specified");
    EXPECT_EQ(link_.binds, 0);
    EXPECT_EQ(progressSeen, std::vector<int>{0});
}

TEST_F(UploadTest, UncreatableFileIsReportedAndNothingIsLeft) {
    keyboardHolds(317, 317);
    const std::string path = (dir_ / "missing" / "upload.kbx").string();
    const Upload u = run(path.c_str());
    EXPECT_EQ(u.result, 0);
    EXPECT_EQ(u.message, "File '" + path + "' creation failed.");
}

// As root an upload once replaced a device node (/dev/full) with a file.
TEST_F(UploadTest, ATargetThatIsNoRegularFileIsRefusedAndStays) {
    keyboardHolds(317, 317);
    const std::string path = (dir_ / "fifo.kbx").string();
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const Upload u = run(path.c_str());
    EXPECT_EQ(u.result, 0);
    EXPECT_EQ(u.message, "File '" + path + "' creation failed.");
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

TEST_F(UploadTest, OlderFileSurvivesAFailedUpload) {
    kbxtest::writeFile(target(), "older");
    link_.blockAnswer = [](std::uint16_t, std::span<std::uint8_t>) { return 5; };
    EXPECT_EQ(run().result, -5);
    EXPECT_EQ(kbxtest::readFile(target()), "older");
}

TEST_F(UploadTest, HeaderQueryReadsTwoBlocksOfSeven) {
    keyboardHolds(317, 317);
    std::array<std::uint8_t, 8> header{};
    char buffer[128] = "";
    MessageBuffer message(buffer, sizeof buffer);
    EXPECT_EQ(readHeader(link_, image_, header, nullptr, message), 0);
    EXPECT_EQ(link_.blockAddresses, (std::vector<std::uint16_t>{0, 7}));
    EXPECT_EQ(link_.blockLengths, (std::vector<std::size_t>{7, 7}));
    EXPECT_EQ(Bytes(header.begin(), header.end()), Bytes(link_.memory.begin(), link_.memory.begin() + 8));
    EXPECT_EQ(Bytes(image_.bytes.begin(), image_.bytes.begin() + 14),
              Bytes(link_.memory.begin(), link_.memory.begin() + 14));
}

TEST_F(UploadTest, FailedHeaderQueryStillCopiesTheBuffer) {
    image_.bytes[0] = 0x42;
    link_.blockAnswer = [](std::uint16_t, std::span<std::uint8_t>) { return 0x12; };
    std::array<std::uint8_t, 8> header{};
    char buffer[128] = "";
    MessageBuffer message(buffer, sizeof buffer);
    EXPECT_EQ(readHeader(link_, image_, header, nullptr, message), 1);
    EXPECT_EQ(header[0], 0x42);
    EXPECT_EQ(message.text(), " Upload Error (12)");

    link_ = ScriptedLink();
    link_.bindResult = 1;
    EXPECT_EQ(readHeader(link_, image_, header, nullptr, message), 1);
    EXPECT_TRUE(link_.blockAddresses.empty());
}

TEST_F(UploadTest, ProgressNeverPassesHundred) {
    keyboardHolds(317, 317);
    std::array<std::uint8_t, 8> header{};
    char buffer[128] = "";
    MessageBuffer message(buffer, sizeof buffer);
    readHeader(link_, image_, header, recordProgress, message);
    EXPECT_EQ(progressSeen, (std::vector<int>{100, 100}));  // 7 and 14 of 7
}

}  // namespace
}  // namespace kbxi
