#include "tools/kbxlayout/templates.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/persist/layout_writer.h"
#include "tools/kbxlayout/template_keys.h"
#include "tools/kbxlayout/tool_document.h"

namespace kbxlayout {
namespace {

constexpr std::string_view kNormalLayerName = "Normal-Layer";
constexpr std::string_view kShiftLayerName = "Shift-Layer";
// Any Shift, Control, Alt and lock state, on press and release, make/break.
constexpr std::string_view kMakeBreakLayerName = "StdKey-Layer";

constexpr std::string_view kNoFolder = "no template folder given";
constexpr std::string_view kCannotCreateFolder = "cannot create folder ";
constexpr std::string_view kCannotWrite = "cannot write ";

// With Glidepoint the pad's three buttons sit on the three keys of the Ctrl
// row right of the typing block; they carry the button legends and send
// nothing of their own (the pad reports its buttons itself).
struct GlidepointButton {
    int column;
    int row;
    std::string_view caption;
};
constexpr std::array kGlidepointButtons{
    GlidepointButton{5, 0, "Maus\\lineLinks"},
    GlidepointButton{6, 0, "Maus\\lineMitte"},
    GlidepointButton{7, 0, "Maus\\lineRechts"},
};

// Letter of row 0 and the first column's number of a key identifier.
constexpr char kFirstRowLetter = 'A';
constexpr std::size_t kIdentifierSize = 8;

std::optional<int> layerNamed(const kbxdoc::LayerTable& layers, std::string_view name) {
    for (int i = 0; i < kbxdoc::kLayerCount; ++i) {
        if (layers[static_cast<std::size_t>(i)].name.view() == name) return i;
    }
    return std::nullopt;
}

bool isPlaced(const kbxdoc::KeyRecord& key) { return key.templateGeometry.width != 0; }

void setCaption(kbxdoc::KeyRecord& key, std::string_view caption) {
    if (caption.size() < key.captionSize) key.caption = caption;
}

void setProgramming(kbxdoc::KeyRecord& key, std::optional<int> layer, std::string_view text) {
    if (layer) key.layers[static_cast<std::size_t>(*layer)].programming = text;
}

// A grid key shows its own identifier ("A01"), so a printed sheet names
// every cap.
void captionGridKeys(const kbxdoc::ActiveContext& context) {
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
        kbxdoc::KeyRecord& key = context.keyboard->keys[static_cast<std::size_t>(slot)];
        if (!isPlaced(key)) continue;
        std::array<char, kIdentifierSize> identifier{};
        std::snprintf(identifier.data(), identifier.size(), "%c%02d", kFirstRowLetter + key.row, key.column + 1);
        setCaption(key, identifier.data());
    }
}

// The typing block types what the country's keyboard types and its
// modifiers are held; the other keys with a legend (the numeric block) type
// their legend.
void programAlphanumericKeys(const kbxdoc::ActiveContext& context, const TemplateCountry& country) {
    const auto normalLayer = layerNamed(*context.layers, kNormalLayerName);
    const auto shiftLayer = layerNamed(*context.layers, kShiftLayerName);
    const auto makeBreakLayer = layerNamed(*context.layers, kMakeBreakLayerName);
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
        kbxdoc::KeyRecord& key = context.keyboard->keys[static_cast<std::size_t>(slot)];
        if (!isPlaced(key)) continue;
        if (const auto texts = typingBlockKeyTexts(country, key.column, key.row)) {
            if (texts->caption) setCaption(key, *texts->caption);
            setProgramming(key, normalLayer, texts->normal);
            setProgramming(key, shiftLayer, texts->shifted);
            setProgramming(key, makeBreakLayer, texts->makeBreak);
        } else if (!key.caption.empty()) {
            const std::string text = programmingOfLegend(key.caption);
            setProgramming(key, normalLayer, text);
            setProgramming(key, shiftLayer, text);
        }
    }
}

void addGlidepointButtons(const kbxdoc::ActiveContext& context) {
    for (const GlidepointButton& button : kGlidepointButtons) {
        kbxdoc::KeyRecord* key = kbxdoc::keyAt(context, button.column, button.row);
        if (key == nullptr) continue;
        setCaption(*key, button.caption);
        for (kbxdoc::LayerEntry& entry : key->layers) entry.programming = std::string_view();
    }
}

}  // namespace

void buildTemplate(kbxdoc::ActiveContext& context, const TemplateFile& file) {
    kbxdoc::resetKeyboardData(context);
    kbxdoc::setModelAndLayOut(context, file.model, true);
    kbxdoc::KeyboardData& keyboard = *context.keyboard;
    keyboard.languageCode = file.country->code;
    keyboard.shiftLock = file.country->shiftLock ? 1 : 0;
    keyboard.capsLock = file.country->shiftLock ? 0 : 1;

    const kbxdoc::KeyboardModel* model = kbxdoc::findKeyboardModel(file.model);
    const kbxdoc::LayoutKind kind = model != nullptr ? model->layout : kbxdoc::LayoutKind::None;
    if (kind == kbxdoc::LayoutKind::Grid) captionGridKeys(context);
    if (kind == kbxdoc::LayoutKind::Alphanumeric) programAlphanumericKeys(context, *file.country);
    if (file.glidepoint) addGlidepointButtons(context);
}

std::string generateTemplates(const std::string& folder) {
    if (folder.empty()) return std::string(kNoFolder);
    for (const TemplateFile& file : templateFiles()) {
        // A fresh document for each file, as the editor has for each new
        // layout: a reset keeps the legends of keys it lays out again.
        ToolDocument document;
        const std::filesystem::path path = std::filesystem::path(folder) / templateRelativePath(file);
        std::error_code error;
        std::filesystem::create_directories(path.parent_path(), error);
        if (error) return std::string(kCannotCreateFolder) + path.parent_path().string();
        buildTemplate(document.context, file);
        if (!kbxdoc::saveLayout(document.context, path.string())) return std::string(kCannotWrite) + path.string();
    }
    return {};
}

}  // namespace kbxlayout
