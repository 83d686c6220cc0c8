#include "bench/programmed_layout.h"

#include <array>
#include <string>

namespace kbxbench {

namespace {
constexpr char kProgrammingAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::array kLockFields{kbxdoc::kConditionScroll, kbxdoc::kConditionNumLock, kbxdoc::kConditionCapsLock};

std::string programming(std::size_t key, std::size_t layer) {
    std::string text(kbxdoc::kMaxEditedProgramming, ' ');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = kProgrammingAlphabet[(key * 7 + layer * 3 + i) % (sizeof kProgrammingAlphabet - 1)];
    return text;
}
}  // namespace

void nameEveryLayer(kbxdoc::LayerTable& layers) {
    unsigned combination = 0;
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (!layers[i].name.empty()) continue;
        std::uint32_t conditions = 0xAAAA;
        unsigned rest = combination++;
        for (int field : kLockFields) {
            conditions &= ~(3u << field);
            conditions |= (rest % 3) << field;
            rest /= 3;
        }
        layers[i].conditions = conditions;
        layers[i].name = "Layer-" + std::to_string(i);
    }
}

void programEveryKey(kbxdoc::KeyboardData& keyboard, std::string_view captionSeparator) {
    for (std::size_t slot = 0; slot < std::size_t(kbxdoc::kOrdinaryKeyCount); ++slot) {
        kbxdoc::KeyRecord& key = keyboard.keys[slot];
        if (key.templateGeometry.width == 0) continue;
        key.caption = "Key" + std::string(captionSeparator) + std::to_string(slot);
        for (std::size_t layer = 0; layer < key.layers.size(); ++layer)
            key.layers[layer].programming = programming(slot, layer);
    }
}

}  // namespace kbxbench
