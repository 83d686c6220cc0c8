#include "tools/kbxlayout/layout_summary.h"

#include <algorithm>
#include <vector>

#include "editor/document/catalogue.h"
#include "editor/document/key_table.h"
#include "editor/persist/layout_lines.h"
#include "editor/persist/layout_names.h"
#include "editor/persist/line_format.h"
#include "platform/code_pages.h"

namespace kbxlayout {
namespace {

using kbxdoc::KeyboardData;
using kbxdoc::KeyRecord;
using kbxdoc::LayerTable;
namespace persist = kbxdoc::persist;

constexpr char kIndent[] = "  ";
constexpr char kNoName[] = "(none)";
constexpr std::string_view kStatementText = ": \"";

// Texts of the document are Windows-1252; the summary is UTF-8.
std::string readable(std::string_view text) { return kbx::platform::ansiToUtf8(text); }
std::string quoted(std::string_view text) { return "\"" + readable(text) + "\""; }

// A statement line without the text the file carries after its words.
std::string statementWords(const std::string& line) {
    std::string words = line.substr(0, line.find(kStatementText));
    while (!words.empty() && (words.back() == ' ' || words.back() == ',')) words.pop_back();
    return words;
}

void appendModel(std::string& out, const KeyboardData& keyboard) {
    const kbxdoc::KeyboardModel* model = kbxdoc::findKeyboardModel(keyboard.model);
    const std::string_view name = model != nullptr && !model->name.empty() ? model->name : kNoName;
    const std::string_view type = kbxdoc::typeStatement(keyboard.model);
    out += persist::formatLine("Model: %d %.*s", keyboard.model, static_cast<int>(name.size()), name.data());
    if (!type.empty()) out += " (" + std::string(type) + ")";
    out += "\n";
}

void appendSettings(std::string& out, const KeyboardData& keyboard) {
    out += "Settings:\n";
    out += persist::formatLine("  Interface: %s, %d baud, parity %s, %d data bits, handshake %d\n",
                               keyboard.interfaceName.c_str(), keyboard.baud, keyboard.parity.c_str(),
                               keyboard.dataBits, keyboard.handshake);
    out += persist::formatLine("  Country: %s, ShiftLock %d, CapsLock %d\n", keyboard.languageCode.c_str(),
                               keyboard.shiftLock, keyboard.capsLock);
    out += persist::formatLine("  Sound: click volume %d duration %d, alarm volume %d duration %d\n",
                               keyboard.clickVolume, keyboard.clickDuration, keyboard.alarmVolume,
                               keyboard.alarmDuration);
    out += persist::formatLine("  Typematic: rate %d, delay %d, slow keys %s\n", keyboard.rate, keyboard.delay,
                               keyboard.slowKeyRate.c_str());
    out += persist::formatLine("  Hot keys: mode %d\n", keyboard.hotkeyMode);
    out += "  Memory: " + quoted(keyboard.memoryText) + ", version: " + quoted(keyboard.versionText) + "\n";
    out += "  Modules: " + persist::modeLine(keyboard) + "\n";
    out += "  Card reader: " + statementWords(persist::readerOptionsLine(keyboard)) + ", bad read " +
           quoted(keyboard.msrBadRead) + "\n";
}

void appendLayers(std::string& out, const LayerTable& layers) {
    out += "Layers:\n";
    for (std::size_t i = 0; i < layers.size(); ++i) {
        if (layers[i].name.empty()) continue;
        out += persist::formatLine("  %zu %s: conditions %s, defaults %s\n", i, readable(layers[i].name).c_str(),
                                   conditionLetters(layers[i].conditions).c_str(),
                                   attributeLetters(layers[i].defaultAttributes).c_str());
    }
}

// The attributes a key sends with on a layer, as its key line carries them:
// its own setting, or the layer's where it follows the layer.
std::string effectiveAttributes(const kbxdoc::LayerEntry& entry, const kbxdoc::LayerDefinition& layer) {
    std::string letters;
    for (const persist::AttributeLetter& attribute : persist::kAttributeLetters) {
        const unsigned own = kbxdoc::fieldValue(entry.attributes, attribute.field);
        const bool follows = attribute.fromLayerOnly || own == persist::kFieldFollow;
        const unsigned value = follows ? kbxdoc::fieldValue(layer.defaultAttributes, attribute.field) : own;
        if (value == persist::kFieldOn) (letters += '/') += attribute.letter;
    }
    return letters;
}

bool hasContent(const KeyRecord& key) {
    if (!key.caption.empty()) return true;
    for (int layer = 0; layer < kbxdoc::kLayerCount; ++layer)
        if (kbxdoc::hasProgramming(key, layer)) return true;
    return false;
}

void appendKey(std::string& out, const KeyRecord& key, int slot, const LayerTable& layers) {
    out += kIndent + persist::keyLineName(key, slot);
    if (!key.caption.empty()) out += " " + quoted(key.caption);
    out += "\n";
    for (int layer = 0; layer < kbxdoc::kLayerCount; ++layer) {
        if (!kbxdoc::hasProgramming(key, layer)) continue;
        const kbxdoc::LayerEntry& entry = key.layers[static_cast<std::size_t>(layer)];
        const std::string_view name = kbxdoc::layerName(layers, layer);
        out += kIndent;
        out += kIndent;
        out += name.empty() ? persist::formatLine("layer %d", layer) : readable(name);
        out += ": " + quoted(entry.programming);
        const std::string attributes = effectiveAttributes(entry, layers[static_cast<std::size_t>(layer)]);
        if (!attributes.empty()) out += " " + attributes;
        out += "\n";
    }
}

bool isPlaced(const KeyRecord& key) { return key.templateGeometry.width != 0; }

void appendKeys(std::string& out, const KeyboardData& keyboard, const LayerTable& layers) {
    struct Listed {
        std::string name;
        int slot;
    };
    std::vector<Listed> ordinary;
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot) {
        const KeyRecord& key = keyboard.keys[static_cast<std::size_t>(slot)];
        if (isPlaced(key) && hasContent(key)) ordinary.push_back({persist::keyLineName(key, slot), slot});
    }
    std::sort(ordinary.begin(), ordinary.end(), [](const Listed& a, const Listed& b) { return a.name < b.name; });
    out += "Keys:\n";
    for (const Listed& listed : ordinary)
        appendKey(out, keyboard.keys[static_cast<std::size_t>(listed.slot)], listed.slot, layers);
    for (const persist::PseudoKey& pseudo : persist::kPseudoKeys) {
        const KeyRecord& key = keyboard.keys[static_cast<std::size_t>(pseudo.slot)];
        if (hasContent(key)) appendKey(out, key, pseudo.slot, layers);
    }
}

int placedKeyCount(const KeyboardData& keyboard) {
    int count = 0;
    for (int slot = 0; slot < kbxdoc::kOrdinaryKeyCount; ++slot)
        if (isPlaced(keyboard.keys[static_cast<std::size_t>(slot)])) ++count;
    return count;
}

}  // namespace

std::string conditionLetters(std::uint32_t conditions) {
    std::string letters;
    for (const persist::ConditionLetters& condition : persist::kConditionLetters) {
        const unsigned value = kbxdoc::fieldValue(conditions, condition.field);
        if (value == persist::kFieldOn) (letters += '+') += condition.letters;
        if (value == persist::kFieldOff) (letters += '-') += condition.letters;
    }
    return letters.empty() ? std::string(kNoName) : letters;
}

std::string attributeLetters(std::uint32_t attributes) {
    std::string letters;
    for (const persist::AttributeLetter& attribute : persist::kAttributeLetters)
        if (kbxdoc::fieldValue(attributes, attribute.field) == persist::kFieldOn) (letters += '/') += attribute.letter;
    return letters.empty() ? std::string(kNoName) : letters;
}

std::string layoutSummary(const kbxdoc::ActiveContext& context) {
    std::string out;
    if (context.keyboard == nullptr || context.layers == nullptr) return out;
    const KeyboardData& keyboard = *context.keyboard;
    appendModel(out, keyboard);
    out += persist::formatLine("Keys placed: %d\n", placedKeyCount(keyboard));
    appendSettings(out, keyboard);
    appendLayers(out, *context.layers);
    appendKeys(out, keyboard, *context.layers);
    out += persist::formatLine("Kept lines: %zu\n", keyboard.keptLines.size());
    return out;
}

}  // namespace kbxlayout
