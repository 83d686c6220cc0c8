#include "tools/kbxdump/tests/image_builder.h"

#include <algorithm>

#include "format/image_layout.h"

namespace kbxdump::test {
namespace {

namespace fmt = kbx::image;

void append(Bytes& image, std::initializer_list<std::uint8_t> bytes) { image.insert(image.end(), bytes); }

}  // namespace

std::uint16_t wordAt(const Bytes& image, std::size_t offset) {
    return std::uint16_t(image.at(offset) << 8 | image.at(offset + 1));
}

void putWord(Bytes& image, std::size_t offset, std::uint16_t value) {
    image.at(offset) = std::uint8_t(value >> 8);
    image.at(offset + 1) = std::uint8_t(value & 0xFF);
}

ImageBuilder& ImageBuilder::block(std::uint8_t number, Bytes data) {
    blocks_.emplace_back(number, std::move(data));
    return *this;
}

ImageBuilder& ImageBuilder::shortForm(int keyIndex, std::uint16_t slotValue) {
    shortForms_[keyIndex] = slotValue;
    return *this;
}

ImageBuilder& ImageBuilder::key(int keyIndex, std::vector<RecordSpec> records) {
    keys_[keyIndex] = std::move(records);
    return *this;
}

ImageBuilder& ImageBuilder::headerByte(std::size_t offset, std::uint8_t value) {
    headerBytes_.emplace_back(offset, value);
    return *this;
}

Bytes ImageBuilder::build() const {
    const std::size_t dataOffset = wide_ ? fmt::kWideDataOffset : fmt::kStandardDataOffset;
    Bytes image(dataOffset, 0);
    std::copy(fmt::kMagic.begin(), fmt::kMagic.end(), image.begin());
    const std::uint8_t soundsAndHotKeys[] = {85, 2, 255, 20, 0, 4, 0x54, 4, 4, 0x54};
    std::copy(std::begin(soundsAndHotKeys), std::end(soundsAndHotKeys), image.begin() + fmt::kClickVolumeOffset);
    putWord(image, fmt::kChainHeadOffset, fmt::kChainEnd);
    if (wide_) putWord(image, fmt::kWideMarkerOffset, fmt::kChainEnd);

    std::size_t linkPosition = fmt::kChainHeadOffset;
    for (const auto& [number, data] : blocks_) {
        putWord(image, linkPosition, std::uint16_t(image.size()));
        linkPosition = image.size();
        append(image, {fmt::kChainEnd >> 8, fmt::kChainEnd & 0xFF, number, std::uint8_t(data.size() - 1)});
        image.insert(image.end(), data.begin(), data.end());
    }
    for (const auto& [index, value] : shortForms_) putWord(image, fmt::keySlotOffset(index), value);
    for (const auto& [index, records] : keys_) {
        putWord(image, fmt::keySlotOffset(index), std::uint16_t(image.size()));
        for (std::size_t i = 0; i < records.size(); ++i) {
            const RecordSpec& r = records[i];
            const std::size_t next = image.size() + fmt::kRecordHeaderSize + r.program.size() + 1;
            const std::uint16_t link = i + 1 < records.size() ? std::uint16_t(next) : 0;
            append(image, {std::uint8_t(link >> 8), std::uint8_t(link & 0xFF), r.state, r.mask, r.attributes});
            image.insert(image.end(), r.program.begin(), r.program.end());
            image.push_back(0);
        }
    }
    putWord(image, fmt::kLengthOffset, std::uint16_t(image.size()));
    for (const auto& [offset, value] : headerBytes_) image.at(offset) = value;
    return image;
}

ImageBuilder mirkBuilder() {
    ImageBuilder builder;
    builder.block(1, {6, 0xBF, 0, 0}).block(2, {0x2C});
    return builder;
}

ImageBuilder tarnBuilder() {
    ImageBuilder builder(true);
    builder.block(1, {12, 0xBF, 0, 0}).block(2, {0x2C});
    return builder;
}

}  // namespace kbxdump::test
