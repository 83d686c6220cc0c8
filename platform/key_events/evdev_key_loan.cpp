#include "platform/key_events/evdev_key_loan.h"

#include <linux/input-event-codes.h>

#include <algorithm>

#include "platform/key_events/set_one_keymap.h"

namespace kbx::platform {
namespace {

// The kernel's "no key" and the block of key codes lent: the macro keys,
// which no PC keyboard has and desktops leave unbound.
constexpr std::uint16_t kNoKey = KEY_RESERVED;
constexpr std::uint16_t kFirstLentKey = KEY_MACRO1;
constexpr std::uint16_t kLastLentKey = KEY_MACRO30;

}  // namespace

UnknownKeyLoan::UnknownKeyLoan(ScanKeymap& keymap) : keymap_(&keymap) {
    std::uint16_t next = kFirstLentKey;
    for (std::uint32_t scan = 1; scan <= kHighestSetOneMake && next <= kLastLentKey; ++scan) {
        if (keymap.keyOf(scan) != kNoKey) continue;  // a key of its own, or no entry at all
        if (keymap.assign(scan, next)) lent_.push_back({scan, next++});
    }
}

UnknownKeyLoan::~UnknownKeyLoan() {
    for (const Lent& lent : lent_) keymap_->assign(lent.scan, kNoKey);
}

bool UnknownKeyLoan::isLent(std::uint16_t key) const {
    return std::any_of(lent_.begin(), lent_.end(), [&](const Lent& lent) { return lent.key == key; });
}

}  // namespace kbx::platform
