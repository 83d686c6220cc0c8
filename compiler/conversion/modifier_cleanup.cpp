#include "compiler/conversion/modifier_cleanup.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "compiler/conversion/scan_codes.h"

namespace kbxc {
namespace {

constexpr std::uint8_t kLeftShiftMake = 0x2A;
constexpr std::uint8_t kRightShiftMake = 0x36;
constexpr std::uint8_t kControlMake = 0x1D;
constexpr std::array kRunMakes{kControlMake, kLeftShiftMake, kRightShiftMake};

bool inRun(std::uint8_t byte) {
    const auto make = static_cast<std::uint8_t>(byte & ~kBreakBit);
    return std::find(kRunMakes.begin(), kRunMakes.end(), make) != kRunMakes.end();
}

bool isRemovableTap(std::uint8_t make, std::uint8_t next, bool shiftLockBehaviour) {
    if (isBreakCode(make) || next != breakCode(make)) return false;
    return !(shiftLockBehaviour && (make == kLeftShiftMake || make == kRightShiftMake));
}

}  // namespace

void removeIdleModifierTaps(ProgrammingBytes& bytes, bool shiftLockBehaviour) {
    std::size_t start = 0;
    while (start < bytes.size()) {
        if (!inRun(bytes[start])) {
            ++start;
            continue;
        }
        const bool afterE0 = start > 0 && bytes[start - 1] == kPrefixE0;
        if (!afterE0) {
            while (start + 1 < bytes.size() && inRun(bytes[start + 1]) &&
                   isRemovableTap(bytes[start], bytes[start + 1], shiftLockBehaviour)) {
                bytes.erase(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                            bytes.begin() + static_cast<std::ptrdiff_t>(start + 2));
            }
        }
        while (start < bytes.size() && inRun(bytes[start])) ++start;
    }
}

}  // namespace kbxc
