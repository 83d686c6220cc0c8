#pragma once

// How the keyboard-port transports reach their facility: through a keyboard
// channel, opened on first use and kept while it works. Each request counts
// as opening the device for itself and closing it after: a channel that
// cannot be opened fails that request, and a channel that failed is let go,
// so that the next request opens it again. Keeping it between requests only
// saves the connection set-up of every byte.

#include <functional>
#include <memory>

#include "platform/keyboard_channel.h"

namespace kbxi {

using KeyboardChannelOpener = std::function<std::unique_ptr<kbx::platform::KeyboardChannel>()>;

class KeyboardChannelAccess {
public:
    explicit KeyboardChannelAccess(KeyboardChannelOpener opener = kbx::platform::openKeyboardChannel)
        : opener_(std::move(opener)) {}
    KeyboardChannelAccess(const KeyboardChannelAccess&) = delete;
    KeyboardChannelAccess& operator=(const KeyboardChannelAccess&) = delete;

    // Tests put their own keyboard in; the channel held so far is let go.
    void setOpener(KeyboardChannelOpener opener) {
        opener_ = std::move(opener);
        channel_.reset();
    }

    // The channel for the next request: null when it cannot be opened.
    kbx::platform::KeyboardChannel* channel() {
        if (!channel_ && opener_) channel_ = opener_();
        return channel_.get();
    }
    // After a request the channel failed: the next one opens it again.
    void release() { channel_.reset(); }

private:
    KeyboardChannelOpener opener_;
    std::unique_ptr<kbx::platform::KeyboardChannel> channel_;
};

}  // namespace kbxi
