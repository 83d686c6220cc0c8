#include <gtest/gtest.h>

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

constexpr std::uint8_t kNoConditions = 0;
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
std::uint8_t breakCodeOf(std::uint8_t make) { return breakCodesOf({make}).front(); }
Keystroke tapped(std::uint8_t make) { return {Bytes{make, breakCodeOf(make)}, {}}; }
Keystroke tappedWithShiftLetUp(std::uint8_t make) {
    return {Bytes{breakCodeOf(kLeftShiftMake), make, breakCodeOf(make), kLeftShiftMake}, {}};
}

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

// The keys of the typing block that type, with their make codes, the same
// on every alphanumeric layout; the keys under the wide Enter and Backspace
// caps send what their cap sends. A key that types without Shift lets the
// left Shift up on the shift layer and presses it again.
struct TypingKey {
    std::string_view identifier;
    std::uint8_t make;
    bool typesWithoutShift = false;
};
constexpr auto kTypingKeys = std::to_array<TypingKey>({
    {"E01", 0x29}, {"E02", 0x02}, {"E03", 0x03}, {"E04", 0x04}, {"E05", 0x05}, {"E06", 0x06},
    {"E07", 0x07}, {"E08", 0x08}, {"E09", 0x09}, {"E10", 0x0A}, {"E11", 0x0B}, {"E12", 0x0C},
    {"E13", 0x0D}, {"E14", 0x0E, true}, {"E15", 0x0E, true},
    {"D01", 0x0F, true}, {"D02", 0x10}, {"D03", 0x11}, {"D04", 0x12}, {"D05", 0x13}, {"D06", 0x14},
    {"D07", 0x15}, {"D08", 0x16}, {"D09", 0x17}, {"D10", 0x18}, {"D11", 0x19}, {"D12", 0x1A},
    {"D13", 0x1B}, {"D14", 0x2B},
    {"C01", 0x3A, true}, {"C02", 0x1E}, {"C03", 0x1F}, {"C04", 0x20}, {"C05", 0x21}, {"C06", 0x22},
    {"C07", 0x23}, {"C08", 0x24}, {"C09", 0x25}, {"C10", 0x26}, {"C11", 0x27}, {"C12", 0x28},
    {"C13", 0x1C, true}, {"C14", 0x1C, true},
    {"B03", 0x2C}, {"B04", 0x2D}, {"B05", 0x2E}, {"B06", 0x2F}, {"B07", 0x30}, {"B08", 0x31},
    {"B09", 0x32}, {"B10", 0x33}, {"B11", 0x34}, {"B12", 0x35},
    {"A03", 0x39, true},
});

// The US and UK keyboards type every key of the block without and with
// Shift, none through an accent key, so that each sends its own make and
// break code alone (the double quote too, Shift+' and Shift+2).
TEST(TemplateImages, EveryTypingKeyOfTheUsAndUkTemplatesSendsItsOwnMakeAndBreakCode) {
    for (const TemplateFile& file : alphanumericFiles()) {
        if (file.country->code != "US" && file.country->code != "UK") continue;
        const CompiledTemplate compiled(kCommittedTree, file);
        for (const TypingKey& key : kTypingKeys) {
            const std::string where = templateRelativePath(file) + " " + std::string(key.identifier);
            EXPECT_EQ(compiled.keystrokes(key.identifier, kNoConditions), std::vector{tapped(key.make)}) << where;
            const Keystroke shifted = key.typesWithoutShift ? tappedWithShiftLetUp(key.make) : tapped(key.make);
            EXPECT_EQ(compiled.keystrokes(key.identifier, kbxc::kConditionShift), std::vector{shifted}) << where;
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
