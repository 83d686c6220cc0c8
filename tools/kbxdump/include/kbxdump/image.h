#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "compiler/definition.h"

// A keyboard image as plain values: what the reader found in the bytes,
// nothing decoded beyond the structure (numbers, links, byte runs).
namespace kbxdump {

using Bytes = std::vector<std::uint8_t>;

struct HotKey {
    std::uint8_t state = 0;
    std::uint8_t mask = 0;
    std::uint8_t code = 0;  // bit 7 set for a key with the E0 prefix
};

struct Header {
    std::array<std::uint8_t, 4> magic{};
    std::uint8_t languageByte = 0;
    std::uint8_t serialByte = 0;
    std::uint16_t length = 0;
    std::uint8_t clickVolume = 0;
    std::uint8_t clickDuration = 0;  // units of 20 ms
    std::uint8_t alarmVolume = 0;
    std::uint8_t alarmDuration = 0;  // units of 20 ms
    std::array<HotKey, 2> hotKeys{};
    std::uint16_t chainHead = 0;
};

struct ParameterBlock {
    std::size_t offset = 0;
    std::uint16_t link = 0;
    std::uint8_t number = 0;
    Bytes data;  // 1-255 bytes
};

struct DefinitionRecord {
    std::size_t offset = 0;
    std::uint16_t link = 0;  // 0 in the key's last record
    kbxc::DefinitionBytes bytes;
    kbxc::ProgrammingBytes program;  // without the terminating zero
};

// A key whose slot is not 0: either the short form (the slot value is the
// make code, bit 7 for the E0 prefix) or a chain of records.
struct Key {
    int index = 0;
    std::size_t slotOffset = 0;
    std::uint16_t slot = 0;
    std::vector<DefinitionRecord> records;  // empty for the short form

    bool isShortForm() const { return records.empty(); }
    std::uint8_t makeCode() const { return std::uint8_t(slot & 0x7F); }
    bool hasE0Prefix() const { return (slot & 0x80) != 0; }
};

struct Image {
    Header header;
    std::vector<ParameterBlock> blocks;  // in chain order
    std::optional<int> model;            // first byte of the first block 1
    bool wide = false;                   // key slots 158-189 at 304-367
    std::size_t dataOffset = 0;          // 304, or 400 in a wide image
    std::vector<Key> keys;               // ascending key index, slot not 0
};

}  // namespace kbxdump
