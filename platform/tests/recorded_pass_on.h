#pragma once

// A pass-through device that records what the key sources write to it and
// hands out the desktop's requests a test puts there.

#include <deque>
#include <vector>

#include "platform/key_events/evdev_device.h"

namespace kbx::platform::testing {

using Events = std::vector<EvdevEvent>;

struct PassOnRecord {
    Events written;
    std::deque<EvdevEvent> requests;
};

class RecordedPassOn final : public PassOnDevice {
public:
    explicit RecordedPassOn(PassOnRecord& record) : record_(record) {}
    int descriptor() const override { return -1; }
    void write(const EvdevEvent& event) override { record_.written.push_back(event); }
    bool nextRequest(EvdevEvent& request) override {
        if (record_.requests.empty()) return false;
        request = record_.requests.front();
        record_.requests.pop_front();
        return true;
    }

private:
    PassOnRecord& record_;
};

}  // namespace kbx::platform::testing
