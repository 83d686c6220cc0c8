#include "tools/kbxlayout/layout_summary.h"

#include <gtest/gtest.h>

#include "editor/document/layer_table.h"
#include "editor/persist/layout_reader.h"
#include "tools/kbxlayout/tool_document.h"

namespace kbxlayout {
namespace {

bool contains(const std::string& text, std::string_view part) { return text.find(part) != std::string::npos; }

struct LayerCase {
    int layer;
    std::string_view conditions;
    std::string_view defaults;
};

TEST(LayoutSummary, TheDefaultLayersReadAsTheirKeyLineLetters) {
    const kbxdoc::LayerTable layers = kbxdoc::defaultLayerTable();
    const std::vector<LayerCase> cases{
        {0, "-C-S-A-L", "/P"}, {1, "-C+S-A-L", "/P"}, {4, "-L+K", "/A/P/M/R"}, {5, "(none)", "/K/P"},
    };
    for (const LayerCase& c : cases) {
        EXPECT_EQ(conditionLetters(layers[c.layer].conditions), c.conditions) << c.layer;
        EXPECT_EQ(attributeLetters(layers[c.layer].defaultAttributes), c.defaults) << c.layer;
    }
}

TEST(LayoutSummary, ATriggerOnReleaseAndTheTwoLetterLocksAreNamed) {
    // Scroll lock on, NumLock off, CapsLock "any", trigger on release.
    const std::uint32_t conditions = (0x2AAAu & ~(3u << 6) & ~(3u << 8)) | (1u << 6);
    EXPECT_EQ(conditionLetters(conditions), "+SL-NL-K");
}

TEST(LayoutSummary, ListsOnlyKeysWithContentAndAKeysOwnAttributes) {
    ToolDocument document;
    kbxdoc::persist::readLayoutText(document.context,
                                    "TYPE DALO\r\n"
                                    "!@KEYPRINT:B02 \"Total\";1.00;0.00;0.00;4.00;  FFFFFF;      FF;0;0;0;0;0;\r\n"
                                    "A01-C-S-A-L/K: \"x\"\r\n"
                                    "A01-C+S-A-L: \"X\"\r\n");
    const std::string summary = layoutSummary(document.context);
    EXPECT_TRUE(contains(summary, "Model: 9 Dalo (TYPE DALO)\n")) << summary;
    EXPECT_TRUE(contains(summary,
                         "Keys:\n"
                         "  A01\n"
                         "    Normal-Layer: \"x\" /K\n"
                         "    Shift-Layer: \"X\"\n"
                         "  B02 \"Total\"\n"
                         "Kept lines: 0\n"))
        << summary;
}

TEST(LayoutSummary, AModelWithoutALayoutHasNoTypeStatement) {
    ToolDocument document;
    document.keyboard->model = 11;
    EXPECT_TRUE(contains(layoutSummary(document.context), "Model: 11 (none)\n"));
}

}  // namespace
}  // namespace kbxlayout
