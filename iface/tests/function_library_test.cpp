#include <gtest/gtest.h>

#include "iface/function_library.h"
#include "iface/protocol/block_read.h"
#include "iface/protocol/frames.h"
#include "iface/state.h"
#include "iface/tests/fake_libraries.h"
#include "iface/tests/scripted_link.h"
#include "platform/event_loop.h"

namespace kbxi {
namespace {

using kbx::platform::Answer;
using kbx::platform::Buttons;
using test::Bytes;
using test::fakePointOfSale;
using test::typedCodes;

class FunctionLibraryTest : public testing::Test {
protected:
    void SetUp() override {
        kbx::platform::resetLoopForTests();
        resetStateForTests();
        use(test::makeFakePointOfSale());
    }
    void TearDown() override {
        resetStateForTests();
        kbx::platform::resetLoopForTests();
    }
    void use(LibraryOpener opener) { library().setSource(std::move(opener), "libkbxfunc-test.so"); }
    FunctionLibrary& library() { return state().functionLibrary; }

    test::RecordingNotifier notifier_;
};

TEST_F(FunctionLibraryTest, MissingLibraryIsReportedInOneBox) {
    use(test::missingLibrary());
    EXPECT_EQ(library().bind(false), 16);
    ASSERT_EQ(notifier_.boxes.size(), 1u);
    EXPECT_EQ(notifier_.boxes[0].text, "Unable to load KBXFUNC.DLL ");
    EXPECT_EQ(notifier_.boxes[0].title, "Error");
    EXPECT_EQ(notifier_.boxes[0].buttons, Buttons::ok);
    EXPECT_FALSE(library().bound());
}

TEST_F(FunctionLibraryTest, SerialTransportBindsNothing) {
    use(test::missingLibrary());
    EXPECT_EQ(library().bind(true), 0);
    EXPECT_TRUE(notifier_.boxes.empty());
}

TEST_F(FunctionLibraryTest, BindingOpensTheLibraryAndRegistersTheCapture) {
    EXPECT_EQ(library().bind(false), 0);
    EXPECT_TRUE(library().bound());
    EXPECT_EQ(fakePointOfSale().opens, 1);
    EXPECT_EQ(fakePointOfSale().language, 1);
    EXPECT_EQ(fakePointOfSale().callback, &onCaptureReported);
    EXPECT_EQ(library().bind(false), 0);  // bound already
    EXPECT_EQ(fakePointOfSale().loads, 1);

    library().unbind(false);
    EXPECT_FALSE(library().bound());
    EXPECT_EQ(fakePointOfSale().closes, 1);
    EXPECT_EQ(fakePointOfSale().unloads, 1);
}

TEST_F(FunctionLibraryTest, UnbindingOverSerialLeavesTheLibrary) {
    ASSERT_EQ(library().bind(false), 0);
    library().unbind(true);
    EXPECT_TRUE(library().bound());
}

TEST_F(FunctionLibraryTest, MissingEntryPointAsksWhetherToGoOn) {
    use(test::makeFakePointOfSale({"kbx_vba_display"}));
    notifier_.answers = {Answer::cancel};
    EXPECT_EQ(library().bind(false), 0);
    ASSERT_EQ(notifier_.boxes.size(), 1u);
    EXPECT_EQ(notifier_.boxes[0].text, "Unable to get function kbx_vba_display");
    EXPECT_EQ(notifier_.boxes[0].title, "   Error     ");
    EXPECT_EQ(notifier_.boxes[0].buttons, Buttons::okCancel);
}

TEST_F(FunctionLibraryTest, OkAtAMissingEntryPointStopsTheBinding) {
    use(test::makeFakePointOfSale({"load_kbxi32", "kbx_vba_display"}));
    notifier_.answers = {Answer::ok};
    EXPECT_NE(library().bind(false), 0);
    ASSERT_EQ(notifier_.boxes.size(), 2u);  // the second name is not asked about
    EXPECT_EQ(notifier_.boxes[0].text, "Unable to get function load_kbxi32");
    EXPECT_EQ(notifier_.boxes[1].text, "get_function_dll() failed ");
    EXPECT_EQ(notifier_.boxes[1].title, "Error");
    EXPECT_FALSE(library().bound());
    EXPECT_EQ(fakePointOfSale().opens, 0);
    EXPECT_EQ(fakePointOfSale().unloads, 1);
}

TEST_F(FunctionLibraryTest, MissingCalledEntryPointFailsWhateverTheAnswer) {
    use(test::makeFakePointOfSale({"kbx_capture_data"}));
    notifier_.answers = {Answer::cancel};
    EXPECT_NE(library().bind(false), 0);
    ASSERT_EQ(notifier_.boxes.size(), 2u);
    EXPECT_EQ(notifier_.boxes[1].text, "get_function_dll() failed ");
}

// A library whose kbx_open fails (its key event source is configured and
// cannot be reached) or that refuses the capture callback would leave every
// capture to end only at the guard: the binding fails at once instead, and
// nothing stays loaded.
TEST_F(FunctionLibraryTest, LibraryThatDoesNotOpenOrRefusesTheCallbackIsNotBound) {
    struct Case {
        const char* what;
        int openResult, callbackResult;
        int closes;  // an opened library is closed again
    };
    for (const Case& c : {Case{"kbx_open fails", 1, 0, 0}, Case{"callback refused", 0, 1, 1}}) {
        SCOPED_TRACE(c.what);
        notifier_.boxes.clear();
        use(test::makeFakePointOfSale());
        fakePointOfSale().openResult = c.openResult;
        fakePointOfSale().callbackResult = c.callbackResult;
        EXPECT_NE(library().bind(false), 0);
        EXPECT_FALSE(library().bound());
        EXPECT_EQ(fakePointOfSale().closes, c.closes);
        EXPECT_EQ(fakePointOfSale().unloads, 1);
        ASSERT_EQ(notifier_.boxes.size(), 1u);
        EXPECT_EQ(notifier_.boxes[0].text, "get_function_dll() failed ");
        EXPECT_EQ(notifier_.boxes[0].title, "Error");
        // No capture can be armed on what was not bound.
        EXPECT_EQ(library().arm(6), 1);
        EXPECT_TRUE(fakePointOfSale().captures.empty());
    }
}

// The capture path of a block read, through the bound fake.
class CaptureReadTest : public FunctionLibraryTest {
protected:
    void SetUp() override {
        FunctionLibraryTest::SetUp();
        ASSERT_EQ(library().bind(false), 0);
    }
    int read(Bytes& out) { return captureBlockRead(link_, library(), 0x0010, out); }
    void types(std::string_view text) {
        fakePointOfSale().typing.push_back({typedCodes(text), int(text.size())});
    }

    test::ScriptedLink link_;
};

TEST_F(CaptureReadTest, TypedReplyBecomesTheBlock) {
    types("12AB18");
    Bytes out(2);
    EXPECT_EQ(read(out), 0);
    EXPECT_EQ(out, (Bytes{0x12, 0xAB}));
    ASSERT_EQ(fakePointOfSale().captures.size(), 1u);
    EXPECT_EQ(fakePointOfSale().captures[0].count, 6);
    EXPECT_EQ(fakePointOfSale().captures[0].reserved, 1);
    EXPECT_EQ(fakePointOfSale().captures[0].timeout, 300);
    EXPECT_EQ(link_.framed, readFrame(0x0010, 2));
    EXPECT_FALSE(state().timer.running());
}

TEST_F(CaptureReadTest, TimeOutIsAWrongLength) {
    Bytes out{0x77, 0x77};
    EXPECT_EQ(read(out), 0x12);
    EXPECT_EQ(out, (Bytes{0x77, 0x77}));
}

TEST_F(CaptureReadTest, CaptureThatCannotBeArmedSendsNoFrame) {
    fakePointOfSale().captureResult = 1;
    Bytes out(2);
    EXPECT_EQ(read(out), 0x11);
    EXPECT_TRUE(link_.framed.empty());
}

struct CaptureCase {
    const char* name;
    Bytes codes;
    int reported;
    int error;
};

class CaptureErrors : public CaptureReadTest, public testing::WithParamInterface<CaptureCase> {};

TEST_P(CaptureErrors, EveryCodeIsLookedAtAndTheLastErrorStands) {
    fakePointOfSale().typing.push_back({GetParam().codes, GetParam().reported});
    Bytes out{0x77, 0x77};
    EXPECT_EQ(read(out), GetParam().error);
    EXPECT_EQ(out, (Bytes{0x77, 0x77}));
}

Bytes with(Bytes codes, std::size_t at, std::uint8_t code) {
    codes[at] = code;
    return codes;
}

INSTANTIATE_TEST_SUITE_P(
    Replies, CaptureErrors,
    testing::Values(CaptureCase{"checksumHigh", typedCodes("12AB28"), 6, 0x13},
                    CaptureCase{"checksumLow", typedCodes("12AB19"), 6, 0x14},
                    // Without the key S the digits sum to 0x16.
                    CaptureCase{"keyThatIsNoDigit", with(typedCodes("12AB16"), 1, 0x1F), 6, 0x15},
                    CaptureCase{"nulLast", with(typedCodes("12AB18"), 5, 0x00), 6, 0x16},
                    // A NUL early, then a checksum that no longer matches.
                    CaptureCase{"nulThenChecksum", with(typedCodes("12AB18"), 0, 0x00), 6, 0x14},
                    // Five keys whose last two are the checksum of the first three.
                    CaptureCase{"tooFewKeys", typedCodes("12A0D"), 5, 0x12},
                    // Counted short, and the checksum found wrong after it.
                    CaptureCase{"tooFewKeysWrongChecksum", typedCodes("12AB29"), 5, 0x14},
                    CaptureCase{"tooManyKeys", typedCodes("12AB180"), 7, 0x12}),
    [](const testing::TestParamInfo<CaptureCase>& param) { return param.param.name; });

TEST_F(FunctionLibraryTest, UnbindingStopsTheSharedTimer) {
    ASSERT_EQ(library().bind(false), 0);
    state().timer.restart(500, uploadTimerProc);
    library().unbind(false);
    EXPECT_FALSE(state().timer.running());
}

}  // namespace
}  // namespace kbxi
