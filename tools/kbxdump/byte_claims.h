#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Which bytes of an image have been read already, and as what. Every header
// area, block and record claims its bytes once, so a link that leads back to
// something already read (a loop, a shared or overlapping record) is found
// the moment it is followed, and reading always ends.
namespace kbxdump {

struct Region {
    std::size_t start = 0;
    std::size_t end = 0;  // one past the last byte
    std::string what;     // "parameter block 2", "record 1 of key A01 (index 0)"
    int chain = 0;        // regions of one chain share this number
};

class ByteClaims {
public:
    explicit ByteClaims(std::size_t length);

    // Records `region` and returns nothing, or returns the region that
    // already holds one of its bytes and records nothing. The region must
    // lie within the length.
    std::optional<Region> claim(Region region);

private:
    static constexpr int kUnclaimed = -1;
    std::vector<Region> regions_;
    std::vector<int> owners_;  // region index per byte
};

}  // namespace kbxdump
