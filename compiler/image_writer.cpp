#include "compiler/image_writer.h"

#include <algorithm>
#include <array>

#include "compiler/compile_state.h"
#include "format/image_layout.h"
#include "platform/atomic_file.h"

namespace kbxc {
namespace {

namespace img = kbx::image;

constexpr char kTooLong[] = "FATAL: kbx-file to long\n";
constexpr char kCannotOpen[] = "FATAL: can't open file '%s'";
constexpr std::uint8_t kExtendedPrefix = 0xE0;
constexpr std::uint8_t kBreakBit = 0x80;
// The keyboard needs this much memory beyond the image.
constexpr long long kMemoryReserve = 5;

class ImageBuffer {
public:
    explicit ImageBuffer(std::size_t headerSize) : bytes_(headerSize, 0) {}

    void put(std::size_t offset, std::uint8_t value) { bytes_.at(offset) = value; }
    void put16(std::size_t offset, std::size_t value) {
        put(offset, std::uint8_t(value >> 8));
        put(offset + 1, std::uint8_t(value & 0xFF));
    }
    void append(std::uint8_t value) { bytes_.push_back(value); }
    void append16(std::size_t value) {
        append(std::uint8_t(value >> 8));
        append(std::uint8_t(value & 0xFF));
    }
    void append(const std::vector<std::uint8_t>& data) { bytes_.insert(bytes_.end(), data.begin(), data.end()); }
    std::size_t size() const { return bytes_.size(); }
    std::vector<std::uint8_t> take() { return std::move(bytes_); }

private:
    std::vector<std::uint8_t> bytes_;
};

void writeHeader(ImageBuffer& image, const KeyboardSettings& keyboard, bool wide) {
    for (std::size_t i = 0; i < img::kMagic.size(); ++i) image.put(i, std::uint8_t(img::kMagic[i]));
    image.put(img::kLanguageByteOffset, keyboard.languageByte);
    image.put(img::kSerialByteOffset, keyboard.serialByte);
    image.put(img::kClickVolumeOffset, keyboard.clickVolume);
    image.put(img::kClickDurationOffset, keyboard.clickDuration);
    image.put(img::kAlarmVolumeOffset, keyboard.alarmVolume);
    image.put(img::kAlarmDurationOffset, keyboard.alarmDuration);
    const std::array<std::size_t, 2> hotKeyOffsets{img::kHotKey0Offset, img::kHotKey1Offset};
    for (std::size_t i = 0; i < hotKeyOffsets.size(); ++i) {
        image.put(hotKeyOffsets[i], keyboard.hotKeys[i].state);
        image.put(hotKeyOffsets[i] + 1, keyboard.hotKeys[i].mask);
        image.put(hotKeyOffsets[i] + 2, keyboard.hotKeys[i].code);
    }
    image.put16(img::kChainHeadOffset, img::kChainEnd);
    if (wide) image.put16(img::kWideMarkerOffset, img::kChainEnd);
}

void writeParameterBlocks(ImageBuffer& image, const KeyboardSettings& keyboard) {
    const std::vector<std::uint8_t> modes{keyboard.model, keyboard.modeA, keyboard.modeB, keyboard.modeC};
    const std::vector<std::uint8_t> rate{keyboard.rate};
    const std::vector<std::uint8_t> unused;
    const std::array<const std::vector<std::uint8_t>*, 8> blocks{
        &modes, &rate, &keyboard.portSettings, &keyboard.portPrefix, &keyboard.readerError,
        &keyboard.conversions, &unused, &keyboard.parameters};
    std::size_t link = img::kChainHeadOffset;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const std::vector<std::uint8_t>& data = *blocks[i];
        if (data.empty()) continue;
        const std::size_t length = std::min(data.size(), img::kMaxBlockData);
        image.put16(link, image.size());
        link = image.size();
        image.append16(img::kChainEnd);
        image.append(std::uint8_t(img::kFirstBlockNumber + int(i)));
        image.append(std::uint8_t(length - 1));
        image.append(std::vector<std::uint8_t>(data.begin(), data.begin() + std::ptrdiff_t(length)));
    }
}

// The slot value of a key that needs no record: one definition that is sent
// as it stands (make/break, standard set, no conditions) and whose bytes the
// slot's single code gives back completely.
std::optional<std::uint16_t> shortForm(const std::vector<KeyDefinition>& definitions) {
    if (definitions.size() != 1) return std::nullopt;
    const KeyDefinition& only = definitions.front();
    if (only.bytes.mask != 0 || only.bytes.attributes != kAttributeStandardSet) return std::nullopt;
    const ProgrammingBytes& bytes = only.program;
    const bool single = bytes.size() == 1 && bytes[0] < kBreakBit;
    const bool makeBreak = bytes.size() == 2 && bytes[0] < kBreakBit && bytes[1] == (bytes[0] | kBreakBit);
    const bool extended = bytes.size() == 2 && bytes[0] == kExtendedPrefix && bytes[1] < kBreakBit;
    const bool extendedMakeBreak = bytes.size() == 4 && bytes[0] == kExtendedPrefix && bytes[1] < kBreakBit &&
                                   bytes[2] == kExtendedPrefix && bytes[3] == (bytes[1] | kBreakBit);
    if (single || makeBreak) return bytes[0];
    if (extended || extendedMakeBreak) return std::uint16_t(bytes[1] | kBreakBit);
    return std::nullopt;
}

std::size_t recordSize(const KeyDefinition& definition) {
    return img::kRecordHeaderSize + definition.program.size() + 1;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> buildImage(CompileState& state) {
    const KeyboardSettings& keyboard = state.keyboard;
    const bool wide = state.bigLayout;
    ImageBuffer image(wide ? img::kWideDataOffset : img::kStandardDataOffset);
    writeHeader(image, keyboard, wide);
    writeParameterBlocks(image, keyboard);

    // The image must leave the keyboard its reserve and fit the length field.
    const long long limit = std::min<long long>(keyboard.memorySize - kMemoryReserve, img::kMaxImageLength);
    const auto tooLong = [&](std::size_t length) { return (long long)(length) > limit; };
    const int lastKey = wide ? img::kWideLastKey : img::kStandardSlotCount - 1;
    for (int key = 0; key <= lastKey; ++key) {
        if (key >= img::kStandardSlotCount && key < img::kWideFirstKey) continue;  // no slot
        std::vector<KeyDefinition>& definitions = state.keys[std::size_t(key)];
        if (definitions.empty()) continue;
        const std::size_t slot = img::keySlotOffset(key);
        if (const auto code = shortForm(definitions)) {
            image.put16(slot, *code);
            definitions.clear();
            continue;
        }
        image.put16(slot, image.size());
        for (std::size_t i = 0; i < definitions.size(); ++i) {
            const KeyDefinition& definition = definitions[i];
            const std::size_t end = image.size() + recordSize(definition);
            if (tooLong(end)) {
                state.diagnostics.write(kTooLong);
                return std::nullopt;
            }
            image.append16(i + 1 < definitions.size() ? end : 0);
            image.append(definition.bytes.state);
            image.append(definition.bytes.mask);
            image.append(definition.bytes.attributes);
            image.append(definition.program);
            image.append(0);
        }
        definitions.clear();
    }
    // Parameter blocks alone can outgrow a small memory as well.
    if (tooLong(image.size())) {
        state.diagnostics.write(kTooLong);
        return std::nullopt;
    }
    image.put16(img::kLengthOffset, image.size());
    return image.take();
}

int writeImage(const std::string& path, CompileState& state) {
    const auto image = buildImage(state);
    if (!image) return kImageFailed;
    if (!kbx::writeFileAtomically(path, *image)) {
        state.diagnostics.writef(kCannotOpen, path.c_str());
        state.diagnostics.countError();
        return kImageFailed;
    }
    return 0;
}

}  // namespace kbxc
