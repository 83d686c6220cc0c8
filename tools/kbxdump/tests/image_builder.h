#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "kbxdump/image.h"

// Builds keyboard images byte by byte for the tests, laid out the way the
// compiler writes them: header with its defaults, parameter blocks in the
// order added, then the records of every key in key index order.
namespace kbxdump::test {

struct RecordSpec {
    std::uint8_t state = 0;
    std::uint8_t mask = 0x80;
    std::uint8_t attributes = 0;
    Bytes program;
};

class ImageBuilder {
public:
    explicit ImageBuilder(bool wide = false) : wide_(wide) {}

    ImageBuilder& block(std::uint8_t number, Bytes data);
    ImageBuilder& shortForm(int keyIndex, std::uint16_t slotValue);
    ImageBuilder& key(int keyIndex, std::vector<RecordSpec> records);
    // A header byte other than its default, written last.
    ImageBuilder& headerByte(std::size_t offset, std::uint8_t value);

    Bytes build() const;

private:
    bool wide_;
    std::vector<std::pair<std::uint8_t, Bytes>> blocks_;
    std::map<int, std::uint16_t> shortForms_;
    std::map<int, std::vector<RecordSpec>> keys_;
    std::vector<std::pair<std::size_t, std::uint8_t>> headerBytes_;
};

// The image of a source with only `TYPE MIRK` (model 6): blocks 1 and 2.
ImageBuilder mirkBuilder();
// A wide image of model 12 (TARN), blocks 1 and 2.
ImageBuilder tarnBuilder();

std::uint16_t wordAt(const Bytes& image, std::size_t offset);
void putWord(Bytes& image, std::size_t offset, std::uint16_t value);

}  // namespace kbxdump::test
