#include <gtest/gtest.h>

#ifdef KBXLAYOUT_HAS_COMPILER

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "compiler/definition.h"
#include "editor/document/catalogue.h"
#include "tools/kbxlayout/tests/compiled_template.h"

// What the keys of the committed alphanumeric templates send, read from the
// images the compiler makes of them.

namespace kbxlayout::testing {
namespace {

const std::filesystem::path kCommittedTree = std::filesystem::path(KBX_SOURCE_DIR) / "data" / "LAY";
constexpr std::size_t kAlphanumericFileCount = 88;

constexpr std::uint8_t kLeftShiftMake = 0x2A;

std::vector<TemplateFile> alphanumericFiles() {
    std::vector<TemplateFile> files;
    for (const TemplateFile& file : templateFiles()) {
        const kbxdoc::KeyboardModel* model = kbxdoc::findKeyboardModel(file.model);
        if (model != nullptr && model->layout == kbxdoc::LayoutKind::Alphanumeric) files.push_back(file);
    }
    return files;
}

// Every combination of Shift, Control, Alt and the three locks, the
// function-key layer off.
std::vector<std::uint8_t> everyModifierAndLockState() {
    constexpr std::uint8_t kFirst = kbxc::kConditionShift;
    constexpr std::uint8_t kAll = kbxc::kConditionShift | kbxc::kConditionControl | kbxc::kConditionAlt |
                                  kbxc::kConditionScrollLock | kbxc::kConditionNumLock | kbxc::kConditionCapsLock;
    std::vector<std::uint8_t> states;
    for (unsigned state = 0; state <= kAll; state += kFirst) states.push_back(static_cast<std::uint8_t>(state));
    return states;
}

Keystroke heldWhileDown(const Bytes& make) { return {make, breakCodesOf(make)}; }
// The modifier keys of every alphanumeric layout and the keys under their
// wide caps. The right Shift sends the left Shift's code: the shift layer's
// texts are compiled with the left Shift down.
struct ModifierKey {
    std::string_view identifier;
    Bytes make;
};
const auto kModifierKeys = std::to_array<ModifierKey>({
    {"A01", {0x1D}},
    {"A02", {0x38}},
    {"A04", {0xE0, 0x38}},
    {"A05", {0xE0, 0x1D}},
    {"B01", {kLeftShiftMake}},
    {"B02", {kLeftShiftMake}},
    {"B13", {kLeftShiftMake}},
    {"B14", {kLeftShiftMake}},
});

TEST(TemplateImages, EveryModifierKeySendsItsMakeCodeWhenPressedAndItsBreakCodeWhenReleasedWhateverIsHeld) {
    const auto files = alphanumericFiles();
    EXPECT_EQ(files.size(), kAlphanumericFileCount);
    const auto states = everyModifierAndLockState();
    for (const TemplateFile& file : files) {
        const CompiledTemplate compiled(kCommittedTree, file);
        for (const ModifierKey& modifier : kModifierKeys) {
            const std::vector<Keystroke> expected{heldWhileDown(modifier.make)};
            for (std::uint8_t state : states) {
                const auto sent = compiled.keystrokes(modifier.identifier, state);
                if (sent == expected) continue;
                ADD_FAILURE() << templateRelativePath(file) << " " << modifier.identifier << " with conditions "
                              << int(state) << ": " << ::testing::PrintToString(sent);
                break;
            }
        }
    }
}

TEST(CompiledTemplateKeys, MakeBreakSendsTheBreakCodesOnReleaseAndATriggerItsBytesOnce) {
    const Bytes rightControl{0xE0, 0x1D};
    EXPECT_EQ(breakCodesOf(rightControl), (Bytes{0xE0, 0x9D}));
    kbxdump::DefinitionRecord record;
    record.program = rightControl;
    record.bytes = {0x00, 0x01, kbxc::kAttributeMakeBreak};
    EXPECT_EQ(sentBy(record), (Keystroke{rightControl, {0xE0, 0x9D}}));
    record.bytes = {0x80, 0x80, 0x00};
    EXPECT_EQ(sentBy(record), (Keystroke{{}, rightControl}));
    record.bytes = {0x00, 0x80, 0x00};
    EXPECT_EQ(sentBy(record), (Keystroke{rightControl, {}}));
    record.bytes = {0x00, 0x00, 0x00};
    EXPECT_EQ(sentBy(record), (Keystroke{rightControl, rightControl}));
}

}  // namespace
}  // namespace kbxlayout::testing

#endif
