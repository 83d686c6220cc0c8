#include "kbxdump/image_printer.h"

#include <algorithm>
#include <array>
#include <span>
#include <string_view>
#include <utility>

#include "compiler/models.h"
#include "format/image_layout.h"
#include "tools/kbxdump/block_contents.h"
#include "tools/kbxdump/definition_text.h"
#include "tools/kbxdump/header_settings.h"
#include "tools/kbxdump/key_names.h"
#include "tools/kbxdump/mode_bits.h"
#include "tools/kbxdump/text_format.h"

namespace kbxdump {
namespace {

namespace fmt = kbx::image;

constexpr std::size_t kLabelWidth = 11;
constexpr std::string_view kIndent = "  ";
constexpr std::size_t kHexBytesPerLine = 16;
constexpr std::uint8_t kE0Prefix = 0xE0;
constexpr std::uint8_t kE0Flag = 0x80;
constexpr std::uint8_t kCodeBits = 0x7F;

class Printout {
public:
    // "label      value", the label padded to the value column.
    void top(std::string_view label, std::string_view value) { line("", label, value); }
    void inner(std::string_view label, std::string_view value) { line(kIndent, label, value); }
    void heading(std::string_view text) {
        text_ += text;
        text_ += '\n';
    }
    // Long byte runs on several lines with the same label.
    void innerHex(std::string_view label, std::span<const std::uint8_t> bytes) {
        for (std::size_t at = 0; at < bytes.size(); at += kHexBytesPerLine) {
            inner(label, hexBytes(bytes.subspan(at, std::min(kHexBytesPerLine, bytes.size() - at))));
        }
    }
    std::string take() { return std::move(text_); }

private:
    void line(std::string_view indent, std::string_view label, std::string_view value) {
        std::string start(indent);
        start += label;
        start.resize(std::max(kLabelWidth, start.size() + 1), ' ');
        text_ += start;
        text_ += value;
        text_ += '\n';
    }
    std::string text_;
};

std::string counted(std::size_t count, std::string_view singular) {
    std::string text = std::to_string(count) + ' ' + std::string(singular);
    if (count != 1) text += 's';
    return text;
}

// A code with bit 7 for the E0 prefix, as the bytes it stands for: "E0 53".
std::string prefixedCode(std::uint8_t value) {
    const std::uint8_t code = value & kCodeBits;
    if (value & kE0Flag) return hexByte(kE0Prefix) + ' ' + hexByte(code);
    return hexByte(code);
}

std::string bracketed(const std::string& letters) { return '[' + letters + ']'; }

void printHeader(const Image& image, Printout& out) {
    const Header& h = image.header;
    out.top("magic", quotedText(h.magic));
    out.top("language", hexByte(h.languageByte) + ": " + describeLanguageByte(h.languageByte));
    out.top("serial", hexByte(h.serialByte) + ": " + describeSerialByte(h.serialByte));
    out.top("length", std::to_string(h.length));
    const auto sound = [](std::uint8_t volume, std::uint8_t duration) {
        return "volume " + std::to_string(volume) + " (" + std::to_string(volumePercent(volume)) + " %), duration " +
               std::to_string(duration) + " (" + std::to_string(durationMilliseconds(duration)) + " ms)";
    };
    out.top("click", sound(h.clickVolume, h.clickDuration));
    out.top("alarm", sound(h.alarmVolume, h.alarmDuration));
    for (std::size_t i = 0; i < h.hotKeys.size(); ++i) {
        const HotKey& key = h.hotKeys[i];
        const std::array<std::uint8_t, 3> raw{key.state, key.mask, key.code};
        out.top("hotkey " + std::to_string(i), hexBytes(raw) + ": " + bracketed(conditionLetters(key.state, key.mask)) +
                                                   " code " + prefixedCode(key.code));
    }
    out.top("chain", h.chainHead == fmt::kChainEnd ? std::string("none") : std::to_string(h.chainHead));
    const std::string dataArea = "data area from " + std::to_string(image.dataOffset);
    out.top("image", image.wide ? "wide, key slots 158-189 at 304-367, " + dataArea : "standard, " + dataArea);
}

void printModelBlock(const ParameterBlock& block, Printout& out) {
    const int model = block.data[0];
    const std::string name =
        model < kbxc::kModelCount ? std::string(kbxc::modelInfo(model).name) : std::string("(unknown model)");
    out.inner("model", std::to_string(model) + ' ' + name);
    const std::uint8_t a = block.data[1];
    const std::uint8_t b = block.data[2];
    const std::uint8_t c = block.data[3];
    out.inner("mode A", hexByte(a) + ": " + describeModeByteA(a));
    out.inner("mode B", hexByte(b) + ": " + describeModeByteB(a, b));
    out.inner("mode C", hexByte(c) + ": " + describeModeByteC(c));
}

void printRateBlock(const ParameterBlock& block, Printout& out) {
    out.inner("rate", hexByte(block.data[0]) + ": " + describeRateByte(block.data[0]));
}

void printTextBlock(const ParameterBlock& block, Printout& out) { out.inner("text", quotedText(block.data)); }

void printBytesBlock(const ParameterBlock& block, Printout& out) { out.innerHex("bytes", block.data); }

void printConversionBlock(const ParameterBlock& block, Printout& out) {
    const ConversionEntries contents = readConversionEntries(block.data);
    for (const ConversionEntry& entry : contents.entries) {
        const std::array<std::uint8_t, 1> character{entry.character};
        out.inner("entry", hexByte(entry.character) + ' ' + quotedText(character) + ", " +
                               counted(entry.bytes.size(), "byte") + ": " + hexBytes(entry.bytes));
    }
    out.innerHex("rest", contents.rest);
}

void printParameterBlock(const ParameterBlock& block, Printout& out) {
    const ParameterEntries contents = readParameterEntries(block.data);
    for (const ParameterEntry& entry : contents.entries) out.inner("entry", hexBytes(entry));
    out.innerHex("rest", contents.rest);
}

void printUnknownBlock(const ParameterBlock& block, Printout& out) { out.innerHex("data", block.data); }

struct BlockKind {
    std::uint8_t number;
    std::string_view title;
    std::size_t size;  // the data size the block must have, 0 for any
    void (*print)(const ParameterBlock&, Printout&);
};

constexpr std::array kBlockKinds{
    BlockKind{1, "model and modes", 4, printModelBlock},
    BlockKind{2, "typematic rate", 1, printRateBlock},
    BlockKind{3, "port settings", 0, printTextBlock},
    BlockKind{4, "port prefix", 0, printBytesBlock},
    BlockKind{5, "reader error text", 0, printTextBlock},
    BlockKind{6, "conversion entries", 0, printConversionBlock},
    BlockKind{8, "parameter entries", 0, printParameterBlock},
};
constexpr std::string_view kUnknownBlockTitle = "unknown";

void printBlock(const ParameterBlock& block, Printout& out) {
    const auto kind = std::find_if(kBlockKinds.begin(), kBlockKinds.end(),
                                   [&](const BlockKind& k) { return k.number == block.number; });
    const std::string_view title = kind == kBlockKinds.end() ? kUnknownBlockTitle : kind->title;
    out.heading("block " + std::to_string(block.number) + " at " + std::to_string(block.offset) + ", " +
                counted(block.data.size(), "byte") + ": " + std::string(title));
    if (kind == kBlockKinds.end()) {
        printUnknownBlock(block, out);
    } else if (kind->size != 0 && kind->size != block.data.size()) {
        printUnknownBlock(block, out);
        out.inner("note", "expected " + counted(kind->size, "byte"));
    } else {
        kind->print(block, out);
    }
}

void printRecord(const DefinitionRecord& record, Printout& out) {
    const kbxc::DefinitionBytes& d = record.bytes;
    const std::string bytes = record.program.empty() ? std::string("none") : hexBytes(record.program);
    out.inner("record " + std::to_string(record.offset), "state " + hexByte(d.state) + " mask " + hexByte(d.mask) +
                                                             " attributes " + hexByte(d.attributes) + ' ' +
                                                             bracketed(definitionLetters(d)) + " bytes " + bytes);
}

void printKey(const Image& image, const Key& key, Printout& out) {
    const std::string heading =
        "key " + keyName(image.model, key.index).value_or("?") + " index " + std::to_string(key.index) + ": ";
    if (key.isShortForm()) {
        out.heading(heading + "short form, make code " + prefixedCode(std::uint8_t(key.slot)));
        return;
    }
    out.heading(heading + counted(key.records.size(), "record"));
    for (const DefinitionRecord& record : key.records) printRecord(record, out);
}

}  // namespace

std::string formatImage(const Image& image) {
    Printout out;
    printHeader(image, out);
    for (const ParameterBlock& block : image.blocks) printBlock(block, out);
    out.top("keys", std::to_string(image.keys.size()) + " with definitions");
    for (const Key& key : image.keys) printKey(image, key, out);
    return out.take();
}

}  // namespace kbxdump
