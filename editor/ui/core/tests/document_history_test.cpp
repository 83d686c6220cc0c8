// The states of the undo history share what a step did not change, and
// restoring one leaves the view's scale alone.
#include <gtest/gtest.h>

#include "editor/ui/core/document_history.h"

namespace keyui {
namespace {

TEST(DocumentHistory, AStateSharesTheKeysAndSettingsAStepDidNotChange) {
    kbxdoc::KeyboardData keyboard;
    kbxdoc::LayerTable layers{};
    const DocumentState first = captureState(keyboard, layers, nullptr);

    keyboard.keys[7].caption = "Brot";
    const DocumentState second = captureState(keyboard, layers, &first);
    int shared = 0;
    for (std::size_t slot = 0; slot < second.keys.size(); ++slot) shared += second.keys[slot] == first.keys[slot];
    EXPECT_EQ(shared, kbxdoc::kKeySlotCount - 1);
    EXPECT_EQ(second.settings, first.settings);
    EXPECT_FALSE(second.sameAs(first));

    keyboard.clickVolume = 40;
    keyboard.scaleX = 9;  // the view's, no change of the document
    const DocumentState third = captureState(keyboard, layers, &second);
    EXPECT_NE(third.settings, second.settings);
    EXPECT_EQ(third.keys[7], second.keys[7]);

    keyboard.scaleX = 2;
    restoreState(first, keyboard, layers);
    EXPECT_EQ(keyboard.keys[7].caption, "");
    EXPECT_EQ(keyboard.clickVolume, 0);
    EXPECT_EQ(keyboard.scaleX, 2) << "the view keeps its scale";
    EXPECT_TRUE(captureState(keyboard, layers, &third).sameAs(first));
}

}  // namespace
}  // namespace keyui
