#include "tools/kbxdump/byte_claims.h"

#include <utility>

namespace kbxdump {

ByteClaims::ByteClaims(std::size_t length) : owners_(length, kUnclaimed) {}

std::optional<Region> ByteClaims::claim(Region region) {
    for (std::size_t at = region.start; at < region.end; ++at) {
        if (owners_[at] != kUnclaimed) return regions_[std::size_t(owners_[at])];
    }
    const int index = int(regions_.size());
    for (std::size_t at = region.start; at < region.end; ++at) owners_[at] = index;
    regions_.push_back(std::move(region));
    return std::nullopt;
}

}  // namespace kbxdump
