#include "editor/document/catalogue.h"

#include <array>
#include <cstddef>

#include "editor/document/key_table.h"
#include "editor/document/layer_table.h"
#include "editor/document/model_layouts.h"

namespace kbxdoc {
namespace {

constexpr std::array<KeyboardModel, kModelCount> kModels{{
    {0, "Hask", "TYPE HASK", LayoutKind::Grid},
    {1, "Jalm", "TYPE JALMW/X", LayoutKind::Grid},
    {2, "Kesp", "TYPE KESPW/X", LayoutKind::Grid},
    {3, "Lumo", "TYPE LUMO", LayoutKind::Grid},
    {4, "Orsk", "TYPE ORSK", LayoutKind::Alphanumeric},
    {5, "Pell", "TYPE PELL", LayoutKind::Alphanumeric},
    {6, "Gorm", "TYPE GORM", LayoutKind::Grid},
    {7, "Mirk", "TYPE MIRK", LayoutKind::Grid},
    {8, "Nabe", "TYPE NABE", LayoutKind::Alphanumeric},
    {9, "Dalo", "TYPE DALO", LayoutKind::Grid},
    {10, "Fenk", "TYPE FENK", LayoutKind::Grid},
    {kModelWithoutLayout, "", "", LayoutKind::None},
    {12, "Nabe2", "TYPE NABE2", LayoutKind::Alphanumeric},
    {13, "Velk", "TYPE VELK", LayoutKind::Grid},
    {14, "Tarn", "TYPE TARN", LayoutKind::Grid},
}};

struct TypeKeyword {
    std::string_view prefix;
    int model;
};

// Matched as prefixes in this order; NABE2 comes before NABE.
constexpr std::array<TypeKeyword, 14> kTypeKeywords{{
    {"HASK", 0},
    {"JALM", 1},
    {"KESP", 2},
    {"LUMO", 3},
    {"MIRK", 7},
    {"VELK", 13},
    {"TARN", 14},
    {"DALO", 9},
    {"FENK", 10},
    {"GORM", 6},
    {"ORSK", 4},
    {"PELL", 5},
    {"NABE2", 12},
    {"NABE", 8},
}};

// Caption defaults every layout starts from.
constexpr double kDefaultLeftMargin = 1.0;
constexpr double kDefaultTopMargin = 0.0;
constexpr std::uint32_t kDefaultTextColour = 0x0000FF;
constexpr std::uint32_t kDefaultKeyColour = 0xFFFFFF;
constexpr double kKeyPitch = 19.0;
constexpr double kDefaultCapSize = 12.0;
// A key a layout creates gets a caption buffer of this size.
constexpr std::uint32_t kNewCaptionSize = 80;

bool isFree(const KeyRecord& key) { return key.templateGeometry.width == 0; }
bool hasCaptionBuffer(const KeyRecord& key) { return key.captionSize != 0; }

// The first free ordinary slot without a caption buffer, else the last free
// one that has one; -1 when every ordinary slot is taken.
int freeSlot(const KeyboardData& keyboard) {
    int lastWithCaption = -1;
    for (int slot = 0; slot < kOrdinaryKeyCount; ++slot) {
        const KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
        if (!isFree(key)) continue;
        if (!hasCaptionBuffer(key)) return slot;
        lastWithCaption = slot;
    }
    return lastWithCaption;
}

// The slot of the key at a grid position. Module pseudo keys are never
// taken for a grid position, even though their unused column and row are 0.
int slotForPosition(const ActiveContext& context, int column, int row) {
    const int slot = slotAt(context, column, row);
    return slot >= 0 && slot < kOrdinaryKeyCount ? slot : -1;
}

void nameDefaultLayer(ActiveContext& context) {
    if (context.layers == nullptr) return;
    LayerDefinition& first = (*context.layers)[0];
    if (!first.name.empty()) return;
    // Set directly: the name is reserved and adding it as a new layer would
    // change it.
    first.name = kDefaultLayerName;
    context.currentLayer = 0;
    if (context.observer != nullptr) context.observer->layerListChanged();
}

void setCaptionDefaults(KeyboardData& keyboard, const ModelShape& shape) {
    keyboard.captionDefaults.leftMargin = kDefaultLeftMargin;
    keyboard.captionDefaults.topMargin = kDefaultTopMargin;
    keyboard.captionDefaults.textColour = kDefaultTextColour;
    keyboard.captionDefaults.keyColour = kDefaultKeyColour;
    keyboard.pitchX = kKeyPitch;
    keyboard.pitchY = kKeyPitch;
    keyboard.capWidth = shape.capWidth;
    keyboard.capHeight = shape.capHeight;
}

void placeKey(const ActiveContext& context, const KeyPlacement& placement) {
    KeyboardData& keyboard = *context.keyboard;
    int slot = slotForPosition(context, placement.column, placement.row);
    if (slot < 0) {
        slot = freeSlot(keyboard);
        if (slot < 0) {
            if (context.observer != nullptr) context.observer->warningBeep();
            return;
        }
        // A free slot that still holds the legend and programming of a key
        // of an earlier layout must not pass them on to the new key.
        KeyRecord& reused = keyboard.keys[static_cast<std::size_t>(slot)];
        if (hasCaptionBuffer(reused)) clearKeyContent(reused);
    }
    KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
    key.column = static_cast<std::uint8_t>(placement.column);
    key.row = static_cast<std::uint8_t>(placement.row);
    key.templateGeometry = Rect{placement.left, placement.top, keyboard.capWidth, keyboard.capHeight};
    if (!hasCaptionBuffer(key)) {
        key.captionSize = kNewCaptionSize;
        key.caption.clear();
    }
}

void finishShape(KeyboardData& keyboard, const ModelShape& shape) {
    keyboard.capSurroundX = shape.capSurround;
    keyboard.capSurroundY = shape.capSurround;
    keyboard.width = shape.keyboardWidth;
    keyboard.height = shape.keyboardHeight;
    keyboard.captionDefaults.fontHeight = shape.fontHeight;
}

}  // namespace

std::span<const KeyboardModel> keyboardModels() { return kModels; }

const KeyboardModel* findKeyboardModel(int index) {
    if (index < 0 || index >= kModelCount) return nullptr;
    return &kModels[static_cast<std::size_t>(index)];
}

std::string_view typeStatement(int model) {
    const KeyboardModel* entry = findKeyboardModel(model);
    return entry == nullptr ? std::string_view{} : entry->typeStatement;
}

std::optional<int> modelForTypeKeyword(std::string_view keyword) {
    for (const TypeKeyword& entry : kTypeKeywords) {
        if (keyword.starts_with(entry.prefix)) return entry.model;
    }
    return std::nullopt;
}

void placeKeys(const ActiveContext& context, std::span<const KeyPlacement> placements) {
    if (context.keyboard == nullptr) return;
    for (const KeyPlacement& placement : placements) placeKey(context, placement);
}

void layOutKeys(ActiveContext& context, bool createDefaultLayerName) {
    if (context.keyboard == nullptr) return;
    KeyboardData& keyboard = *context.keyboard;
    if (createDefaultLayerName) nameDefaultLayer(context);
    resetKeyAttributes(context, std::nullopt);

    const std::optional<ModelLayout> layout = modelLayout(keyboard.model);
    const ModelShape defaultShape{kDefaultCapSize, kDefaultCapSize, 0, 0, 0, 0};
    setCaptionDefaults(keyboard, layout ? layout->shape : defaultShape);
    if (layout) {
        placeKeys(context, layout->placements);
        if (layout->finish != nullptr) layout->finish(context, keyboard.model);
        finishShape(keyboard, layout->shape);
    }
    for (int slot = 0; slot < kCurrentKeySlot; ++slot) {
        KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
        key.current = key.templateGeometry;
    }
}

void setModelAndLayOut(ActiveContext& context, int model, bool createDefaultLayerName) {
    if (context.keyboard == nullptr) return;
    context.keyboard->model = model;
    context.keyboard->foreignTypeLine = std::string_view();
    layOutKeys(context, createDefaultLayerName);
    if (context.observer != nullptr) context.observer->redrawAll();
}

}  // namespace kbxdoc
