#pragma once

// The keyboard's programmable memory: 8192 bytes, addressed from 0. Bytes 0-1
// hold the firmware identification and bytes 2-3 the image checksum; the host
// cannot write them. Bytes 6-7 hold the image length of what was downloaded
// (big-endian, magic included), which bounds the checksum and the saved image.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kbxsim {

inline constexpr std::size_t kMemorySize = 8192;
inline constexpr std::size_t kIdentificationAddress = 0;
inline constexpr std::size_t kChecksumAddress = 2;
inline constexpr std::size_t kFirstWritableAddress = 4;   // bytes 0-3 are the keyboard's own
inline constexpr std::size_t kImageLengthAddress = 6;
inline constexpr std::uint16_t kDefaultIdentification = 0x5631;  // "V1"

// Below this image length the saved image is the whole memory, as an upload
// reads it.
inline constexpr std::size_t kShortestImageLength = 10;

class KeyboardMemory {
public:
    explicit KeyboardMemory(std::uint16_t identification = kDefaultIdentification);

    std::span<const std::uint8_t, kMemorySize> bytes() const { return bytes_; }
    std::uint8_t at(std::size_t address) const { return bytes_[address]; }

    std::uint16_t identification() const { return wordAt(kIdentificationAddress); }
    void setIdentification(std::uint16_t identification);
    std::uint16_t checksum() const { return wordAt(kChecksumAddress); }
    std::uint16_t imageLength() const { return wordAt(kImageLengthAddress); }

    // Stores a byte the host wrote; addresses 0-3 keep their contents. The
    // write is counted either way. The caller checks the memory bounds.
    void storeFromHost(std::size_t address, std::uint8_t value);

    // Puts bytes at `address` without counting them as host writes (an image
    // loaded at start, test set-up). Addresses 0-3 and bytes past the end are
    // skipped.
    void place(std::size_t address, std::span<const std::uint8_t> values);

    // The checksum frame: bytes 2-3 become the 16-bit sum of the bytes from
    // address 4 up to the image length (clamped to 4 ... 8192), big-endian.
    void updateChecksum();
    std::uint16_t computeChecksum() const;

    // Where the image ends when it is saved: the image length clamped to the
    // memory, or the whole memory when the length is below 10.
    std::size_t savedImageEnd() const;

    // How often the host wrote the addresses `first` ... `last` (writes to
    // addresses 0-3 included, although they are not stored).
    std::uint64_t hostWritesIn(std::size_t first, std::size_t last) const;
    void resetWriteCounts() { writes_.fill(0); }

private:
    std::uint16_t wordAt(std::size_t address) const;
    void setWordAt(std::size_t address, std::uint16_t value);

    std::array<std::uint8_t, kMemorySize> bytes_{};
    std::array<std::uint32_t, kMemorySize> writes_{};
};

}  // namespace kbxsim
