#include "editor/ui/legend/legend.h"

namespace keyui::legend {

namespace {

double ownOrDefault(double own, double fallback) { return own != 0 ? own : fallback; }
std::uint32_t ownOrDefault(std::uint32_t own, std::uint32_t fallback) { return own != 0 ? own : fallback; }

std::string_view programmingOnLayer(const kbxdoc::KeyRecord& key, int layer) {
    if (layer < 0 || layer >= kbxdoc::kLayerCount) return {};
    return key.layers[static_cast<std::size_t>(layer)].programming.view();
}

}  // namespace

DrawRecord drawRecordFor(const kbxdoc::ActiveContext& context, int slot) {
    DrawRecord record;
    if (context.keyboard == nullptr || slot < 0 || slot >= kbxdoc::kKeySlotCount) return record;
    const kbxdoc::KeyboardData& keyboard = *context.keyboard;
    const kbxdoc::KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
    const kbxdoc::CaptionSettings& own = key.captionSettings;
    const kbxdoc::CaptionSettings& defaults = keyboard.captionDefaults;

    const kbxdoc::PixelRect rect = kbxdoc::keyPixelRect(keyboard, key);
    record.x = rect.x;
    record.y = rect.y;
    record.width = key.current.width;
    record.height = key.current.height;
    record.surroundX = keyboard.capSurroundX;
    record.surroundY = keyboard.capSurroundY;
    record.scaleX = keyboard.scaleX;
    record.scaleY = keyboard.scaleY;
    record.leftMargin = ownOrDefault(own.leftMargin, defaults.leftMargin);
    record.topMargin = ownOrDefault(own.topMargin, defaults.topMargin);
    record.fontHeight = ownOrDefault(own.fontHeight, defaults.fontHeight);
    record.lineSpacing = ownOrDefault(own.lineSpacing, defaults.lineSpacing);
    record.textColour = ownOrDefault(own.textColour, defaults.textColour);
    record.keyColour = ownOrDefault(own.keyColour, defaults.keyColour);
    record.font = own.font.faceName.empty() ? &defaults.font : &own.font;
    record.caption = key.caption;
    record.programming = programmingOnLayer(key, context.currentLayer);
    record.empty = record.caption.empty() && record.programming.empty();
    return record;
}

}  // namespace keyui::legend
