#include "kbxdump/image_reader.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "compiler/models.h"
#include "format/image_layout.h"
#include "tools/kbxdump/byte_claims.h"
#include "tools/kbxdump/key_names.h"
#include "tools/kbxdump/text_format.h"

namespace kbxdump {
namespace {

namespace fmt = kbx::image;

constexpr std::size_t kMagicSize = fmt::kMagic.size();
constexpr std::size_t kFixedHeaderEnd = fmt::kLengthOffset + 2;  // magic, language, serial, length
constexpr std::size_t kMinimumRecordSize = fmt::kRecordHeaderSize + 1;
constexpr std::uint16_t kRecordChainEnd = 0;
constexpr std::uint8_t kWideMarkerHigh = fmt::kChainEnd >> 8;
constexpr std::uint8_t kWideMarkerLow = fmt::kChainEnd & 0xFF;
constexpr int kBlockChain = 0;
constexpr int kNoChain = -1;

// Thrown inside the reader only; readImage turns it into its result.
struct Damage {
    ImageError error;
};

[[noreturn]] void damaged(std::size_t offset, std::string message) {
    throw Damage{ImageError{offset, std::move(message)}};
}

std::string number(std::size_t value) { return std::to_string(value); }

class Reader {
public:
    // The claims are sized only up to the longest image, since a longer
    // input is refused before anything is claimed.
    explicit Reader(std::span<const std::uint8_t> bytes)
        : bytes_(bytes), claims_(std::min(bytes.size(), fmt::kMaxImageLength)) {}

    Image read() {
        checkLengthAndMagic();
        readHeader();
        readChain();
        settleLayout();
        readKeys();
        return std::move(image_);
    }

private:
    std::uint8_t byteAt(std::size_t offset) const { return bytes_[offset]; }
    std::uint16_t wordAt(std::size_t offset) const { return std::uint16_t(bytes_[offset] << 8 | bytes_[offset + 1]); }
    std::size_t length() const { return bytes_.size(); }

    void checkLengthAndMagic() const {
        const std::size_t size = bytes_.size();
        if (size > fmt::kMaxImageLength) {
            damaged(fmt::kMaxImageLength, "longer than any image (at most " + number(fmt::kMaxImageLength) + " bytes)");
        }
        const std::size_t magicPresent = std::min(size, kMagicSize);
        const auto magic = bytes_.first(magicPresent);
        if (!std::equal(magic.begin(), magic.end(), fmt::kMagic.begin())) {
            damaged(0, "bad magic " + quotedText(magic) + " (expected \"" + std::string(fmt::kMagic) + "\")");
        }
        if (size < kFixedHeaderEnd) {
            damaged(size, "truncated at offset " + number(size) + " (the header needs " +
                              number(fmt::kStandardDataOffset) + " bytes)");
        }
        const std::size_t declared = wordAt(fmt::kLengthOffset);
        if (declared < fmt::kStandardDataOffset) {
            damaged(fmt::kLengthOffset, "image length " + number(declared) + " is shorter than the header (" +
                                            number(fmt::kStandardDataOffset) + " bytes)");
        }
        if (size < declared) {
            damaged(size, "truncated at offset " + number(size) + " (header says " + number(declared) + " bytes)");
        }
        if (size > declared) {
            damaged(declared, "file has " + number(size) + " bytes but the header says " + number(declared));
        }
    }

    void readHeader() {
        Header& header = image_.header;
        std::copy_n(bytes_.begin(), kMagicSize, header.magic.begin());
        header.languageByte = byteAt(fmt::kLanguageByteOffset);
        header.serialByte = byteAt(fmt::kSerialByteOffset);
        header.length = wordAt(fmt::kLengthOffset);
        header.clickVolume = byteAt(fmt::kClickVolumeOffset);
        header.clickDuration = byteAt(fmt::kClickDurationOffset);
        header.alarmVolume = byteAt(fmt::kAlarmVolumeOffset);
        header.alarmDuration = byteAt(fmt::kAlarmDurationOffset);
        const std::array hotKeyOffsets{fmt::kHotKey0Offset, fmt::kHotKey1Offset};
        for (std::size_t i = 0; i < hotKeyOffsets.size(); ++i) {
            const std::size_t at = hotKeyOffsets[i];
            header.hotKeys[i] = HotKey{byteAt(at), byteAt(at + 1), byteAt(at + 2)};
        }
        header.chainHead = wordAt(fmt::kChainHeadOffset);
        image_.dataOffset = fmt::kStandardDataOffset;
        claims_.claim({0, fmt::kStandardDataOffset, "the header", kNoChain});
    }

    // A link or slot value that must lead into the data area.
    void checkTarget(std::size_t value, std::size_t linkOffset, const std::string& from) const {
        if (value < image_.dataOffset) {
            damaged(linkOffset, from + " points to offset " + number(value) + ", inside the header");
        }
        if (value >= length()) {
            damaged(linkOffset, from + " points to offset " + number(value) + ", past the end of the image (" +
                                    number(length()) + " bytes)");
        }
    }

    void checkFits(std::size_t start, std::size_t end, const std::string& what) const {
        if (end > length()) {
            damaged(start, what + " at offset " + number(start) + " runs past the end of the image (ends at " +
                               number(end) + ", image has " + number(length()) + " bytes)");
        }
    }

    void claim(Region region, const std::string& from) {
        const std::optional<Region> held = claims_.claim(region);
        if (!held) return;
        if (held->start == region.start) {
            const bool loops = held->chain == region.chain && region.chain != kNoChain;
            damaged(region.start, from + " leads to offset " + number(region.start) + ", already read as " +
                                      held->what + (loops ? " (the chain loops)" : ""));
        }
        damaged(region.start, region.what + " at offset " + number(region.start) + " overlaps " + held->what +
                                  " at offset " + number(held->start));
    }

    void readChain() {
        std::size_t linkOffset = fmt::kChainHeadOffset;
        std::string from = "chain head";
        std::uint16_t next = image_.header.chainHead;
        while (next != fmt::kChainEnd) {
            checkTarget(next, linkOffset, from);
            ParameterBlock block;
            block.offset = next;
            checkFits(block.offset, block.offset + fmt::kBlockHeaderSize, "parameter block");
            block.link = wordAt(block.offset);
            block.number = byteAt(block.offset + 2);
            const std::size_t dataSize = std::size_t(byteAt(block.offset + 3)) + 1;
            const std::size_t dataStart = block.offset + fmt::kBlockHeaderSize;
            const std::string what = "parameter block " + number(block.number);
            checkFits(block.offset, dataStart + dataSize, what);
            claim({block.offset, dataStart + dataSize, what, kBlockChain}, from);
            block.data.assign(bytes_.begin() + std::ptrdiff_t(dataStart),
                              bytes_.begin() + std::ptrdiff_t(dataStart + dataSize));
            linkOffset = block.offset;
            from = "link of " + what;
            next = block.link;
            image_.blocks.push_back(std::move(block));
        }
    }

    // The model (first block 1) decides whether the image is wide; a wide
    // image has more key slots in front of its data area. The compiler lays
    // the wide image out only once it has compiled a key line: a wide model
    // without any key is a standard image.
    void settleLayout() {
        const auto modelBlock = std::find_if(image_.blocks.begin(), image_.blocks.end(),
                                             [](const ParameterBlock& b) { return b.number == 1; });
        if (modelBlock == image_.blocks.end()) return;
        const int model = modelBlock->data.front();
        image_.model = model;
        const bool wideModel = model < kbxc::kModelCount && kbxc::modelInfo(model).wideImage;
        image_.wide = wideModel && (anyKeySlotSet() || image_.blocks.front().offset != fmt::kStandardDataOffset);
        if (!image_.wide) return;

        if (length() < fmt::kWideDataOffset) {
            damaged(fmt::kLengthOffset, "image length " + number(length()) + " is too short for a wide image (" +
                                            number(fmt::kWideDataOffset) + " bytes)");
        }
        for (const ParameterBlock& block : image_.blocks) {
            if (block.offset < fmt::kWideDataOffset) {
                damaged(block.offset, "parameter block " + number(block.number) + " at offset " + number(block.offset) +
                                          " lies in the key slots of the wide image (data starts at " +
                                          number(fmt::kWideDataOffset) + ")");
            }
        }
        const std::uint8_t high = byteAt(fmt::kWideMarkerOffset);
        const std::uint8_t low = byteAt(fmt::kWideMarkerOffset + 1);
        if (high != kWideMarkerHigh || low != kWideMarkerLow) {
            const std::array<std::uint8_t, 2> found{high, low};
            const std::array<std::uint8_t, 2> expected{kWideMarkerHigh, kWideMarkerLow};
            damaged(fmt::kWideMarkerOffset, "wide image marker at offset " + number(fmt::kWideMarkerOffset) + " is " +
                                                hexBytes(found) + " (expected " + hexBytes(expected) + ")");
        }
        image_.dataOffset = fmt::kWideDataOffset;
        claims_.claim({fmt::kStandardDataOffset, fmt::kWideDataOffset, "the key slots of the wide image", kNoChain});
    }

    bool anyKeySlotSet() const {
        for (int index = 0; index < fmt::kStandardSlotCount; ++index) {
            if (wordAt(fmt::keySlotOffset(index)) != 0) return true;
        }
        return false;
    }

    void readKeys() {
        for (int index = 0; index < fmt::kStandardSlotCount; ++index) readKey(index);
        if (!image_.wide) return;
        for (int index = fmt::kWideFirstKey; index <= fmt::kWideLastKey; ++index) readKey(index);
    }

    void readKey(int index) {
        Key key;
        key.index = index;
        key.slotOffset = fmt::keySlotOffset(index);
        key.slot = wordAt(key.slotOffset);
        if (key.slot == 0) return;
        if (key.slot >= fmt::kShortFormLimit) readRecords(key);
        image_.keys.push_back(std::move(key));
    }

    void readRecords(Key& key) {
        const std::string keyText = describeKey(image_.model, key.index);
        const int chain = key.index + 1;  // the block chain is 0
        std::size_t linkOffset = key.slotOffset;
        std::string from = "slot of " + keyText;
        std::uint16_t next = key.slot;
        while (next != kRecordChainEnd) {
            checkTarget(next, linkOffset, from);
            DefinitionRecord record;
            record.offset = next;
            const std::string what = "record " + number(key.records.size() + 1) + " of " + keyText;
            checkFits(record.offset, record.offset + kMinimumRecordSize, what);
            const auto programStart = bytes_.begin() + std::ptrdiff_t(record.offset + fmt::kRecordHeaderSize);
            const auto terminator = std::find(programStart, bytes_.end(), std::uint8_t{0});
            if (terminator == bytes_.end()) {
                damaged(record.offset, what + " at offset " + number(record.offset) +
                                           " has no terminating zero before the end of the image (" + number(length()) +
                                           " bytes)");
            }
            const std::size_t end = std::size_t(terminator - bytes_.begin()) + 1;
            claim({record.offset, end, what, chain}, from);
            record.link = wordAt(record.offset);
            record.bytes = {byteAt(record.offset + 2), byteAt(record.offset + 3), byteAt(record.offset + 4)};
            record.program.assign(programStart, terminator);
            linkOffset = record.offset;
            from = "link of " + what;
            next = record.link;
            key.records.push_back(std::move(record));
        }
    }

    std::span<const std::uint8_t> bytes_;
    ByteClaims claims_;
    Image image_;
};

}  // namespace

ReadResult readImage(std::span<const std::uint8_t> bytes) {
    try {
        return ReadResult{Reader(bytes).read(), {}};
    } catch (const Damage& damage) {
        return ReadResult{std::nullopt, damage.error};
    }
}

}  // namespace kbxdump
