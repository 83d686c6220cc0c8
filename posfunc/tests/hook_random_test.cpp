// Key streams of random scan codes and key-data bits through the hook, in
// every language, with captures armed now and then: every module text stays
// within its buffer and NUL-terminated, every callback count matches the
// text it reports, and a closing marker after the noise still gives a
// frame.
#include <cstring>
#include <random>

#include "posfunc/input/capture.h"
#include "posfunc/tests/hook_test_support.h"

namespace kbxfunc::testing {
namespace {

constexpr std::uint32_t kAnyBits = 0xFF000000u;  // extended, reserved, Alt, previous, up

class HookRandomStreams : public OpenedLibrary {};

TEST_F(HookRandomStreams, NoiseNeverOverrunsABufferOrMiscountsAFrame) {
    std::mt19937 random(20261208);
    for (int language = 0; language < kLanguageCount; ++language) {
        ASSERT_EQ(setLanguage(input(), language), 0);
        for (int event = 0; event < 40000; ++event) {
            std::uint32_t data = std::uint32_t(random());
            // Markers and plain key-downs often enough to open, fill and end frames.
            if (random() % 4 == 0) data = (data & ~kAnyBits) | (std::uint32_t(0x62 + random() % 6) << 16);
            if (random() % 3 == 0) data &= ~kAnyBits;
            if (random() % 5000 == 0) armCapture(input(), int(random() % 700), 0, 0);
            const std::size_t before = calls().size();
            hookProcedure(state(), 0, std::intptr_t(data));
            for (std::size_t m = 1; m <= kModuleCount; ++m) {
                const char* buffer = moduleBuffer(input(), Module(int(m)));
                ASSERT_LT(::strnlen(buffer, KBXFUNC_BUFFER_SIZE), std::size_t(KBXFUNC_BUFFER_SIZE));
            }
            if (calls().size() > before) {
                const std::string& call = calls().back();
                const int module = std::stoi(call.substr(0, call.find(':')));
                const int count = std::stoi(call.substr(call.find(':') + 1));
                if (module == 0) {
                    EXPECT_LE(count, KBXFUNC_BUFFER_SIZE);
                } else {
                    EXPECT_LE(count, KBXFUNC_BUFFER_SIZE - 1);
                    EXPECT_EQ(int(std::strlen(moduleBuffer(input(), Module(module)))), count) << call;
                }
            }
        }
    }
    // Whatever the noise left open, a fresh frame after it is read whole: a
    // capture of one key ends any capture, a function-card marker leaves that
    // frame open or none, a track-1 marker then opens a frame in either case,
    // and the barcode frame replaces it.
    armCapture(input(), 1, 0, 0);
    feed({down(kKeyA)});
    ASSERT_EQ(setLanguage(input(), kUs), 0);
    feed({down(kFunctionCardMarker), down(kTrack1Marker)});
    calls().clear();
    feed({down(kBarcodeMarker), up(kBarcodeMarker)});
    press(kKey1);
    press(kKey2);
    feed({down(kBarcodeMarker), up(kBarcodeMarker)});
    // (What the keys give depends on the modifiers and locks the noise left.)
    ASSERT_EQ(calls().size(), 1u);
    EXPECT_EQ(calls().back(), "4:" + std::to_string(text(Module::barcode).size()));
}

}  // namespace
}  // namespace kbxfunc::testing
