#pragma once

// While the point-of-sale library reads a keyboard, the scan codes its
// kernel driver knows no key for (the frame markers 0x62 and 0x63 among
// them) get key codes of their own, so that the kernel reports their
// presses and releases as key events; on close they get their old key
// codes back. Without them the driver reports such a code as a scan code
// alone, the same for press and release, and one lost report would turn a
// frame's start into its end.

#include <cstdint>
#include <optional>
#include <vector>

namespace kbx::platform {

// A device's table from scan codes (as MSC_SCAN numbers them) to key codes.
class ScanKeymap {
public:
    virtual ~ScanKeymap() = default;
    // The key code of `scan`; nothing when the device has no such entry.
    virtual std::optional<std::uint16_t> keyOf(std::uint32_t scan) = 0;
    virtual bool assign(std::uint32_t scan, std::uint16_t key) = 0;
};

class UnknownKeyLoan {
public:
    UnknownKeyLoan() = default;
    // Lends a key code to every plain set-1 code that `keymap` maps to no key.
    explicit UnknownKeyLoan(ScanKeymap& keymap);
    ~UnknownKeyLoan();  // gives the codes back
    UnknownKeyLoan(const UnknownKeyLoan&) = delete;
    UnknownKeyLoan& operator=(const UnknownKeyLoan&) = delete;

    // Whether `key` is one of the lent codes: its events are no keys the
    // desktop would know, and are never passed on.
    bool isLent(std::uint16_t key) const;
    std::size_t size() const { return lent_.size(); }

private:
    struct Lent {
        std::uint32_t scan;
        std::uint16_t key;
    };
    ScanKeymap* keymap_ = nullptr;
    std::vector<Lent> lent_;
};

}  // namespace kbx::platform
