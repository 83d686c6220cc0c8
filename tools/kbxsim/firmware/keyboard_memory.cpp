#include "kbxsim/keyboard_memory.h"

#include <algorithm>

namespace kbxsim {
namespace {

constexpr int kByteBits = 8;
constexpr unsigned kByteMask = 0xFF;

}  // namespace

KeyboardMemory::KeyboardMemory(std::uint16_t identification) { setIdentification(identification); }

void KeyboardMemory::setIdentification(std::uint16_t identification) {
    setWordAt(kIdentificationAddress, identification);
}

void KeyboardMemory::storeFromHost(std::size_t address, std::uint8_t value) {
    if (address >= kMemorySize) return;
    ++writes_[address];
    if (address >= kFirstWritableAddress) bytes_[address] = value;
}

void KeyboardMemory::place(std::size_t address, std::span<const std::uint8_t> values) {
    for (std::size_t i = 0; i < values.size() && address + i < kMemorySize; ++i) {
        if (address + i >= kFirstWritableAddress) bytes_[address + i] = values[i];
    }
}

void KeyboardMemory::updateChecksum() { setWordAt(kChecksumAddress, computeChecksum()); }

std::uint16_t KeyboardMemory::computeChecksum() const {
    const std::size_t end = std::clamp<std::size_t>(imageLength(), kFirstWritableAddress, kMemorySize);
    std::uint16_t sum = 0;
    for (std::size_t address = kFirstWritableAddress; address < end; ++address) {
        sum = static_cast<std::uint16_t>(sum + bytes_[address]);
    }
    return sum;
}

std::size_t KeyboardMemory::savedImageEnd() const {
    const std::size_t length = imageLength();
    if (length < kShortestImageLength) return kMemorySize;
    return std::min(length, kMemorySize);
}

std::uint64_t KeyboardMemory::hostWritesIn(std::size_t first, std::size_t last) const {
    std::uint64_t total = 0;
    for (std::size_t address = first; address <= last && address < kMemorySize; ++address) total += writes_[address];
    return total;
}

std::uint16_t KeyboardMemory::wordAt(std::size_t address) const {
    return static_cast<std::uint16_t>(bytes_[address] << kByteBits | bytes_[address + 1]);
}

void KeyboardMemory::setWordAt(std::size_t address, std::uint16_t value) {
    bytes_[address] = static_cast<std::uint8_t>(value >> kByteBits);
    bytes_[address + 1] = static_cast<std::uint8_t>(value & kByteMask);
}

}  // namespace kbxsim
