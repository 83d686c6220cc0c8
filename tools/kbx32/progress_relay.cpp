#include "tools/kbx32/progress_relay.h"

namespace kbx32 {

namespace {

constexpr int kLowestPercent = 0;
constexpr int kHighestPercent = 100;

struct RelaySlot {
    MessageChannel* channel = nullptr;
    int lastPercent = kLowestPercent - 1;  // none sent yet
};

RelaySlot& slot() {
    static RelaySlot instance;
    return instance;
}

void KBX_CALL forwardProgress(int percent) {
    RelaySlot& relay = slot();
    if (relay.channel == nullptr || percent == relay.lastPercent) return;
    if (percent < kLowestPercent || percent > kHighestPercent) return;
    relay.lastPercent = percent;
    relay.channel->send(Message::progress, percent);
}

}  // namespace

ProgressRelay::ProgressRelay(MessageChannel& channel) { slot() = RelaySlot{&channel}; }

ProgressRelay::~ProgressRelay() { slot() = RelaySlot{}; }

KbxcProgress ProgressRelay::callback() { return &forwardProgress; }

}  // namespace kbx32
