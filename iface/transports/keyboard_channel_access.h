#pragma once

// How the keyboard-port transports reach their facility: through a keyboard
// channel, opened on first use and kept while it works. Each request counts
// as opening the device for itself and closing it after: a channel that
// cannot be opened fails that request, and a channel that failed is let go,
// so that the next request opens it again. Keeping it between requests only
// saves the connection set-up of every byte. Within one operation (a byte's
// send with its waits) a channel that failed is not opened again, so that a
// keyboard that stopped answering costs one time-out per operation, not one
// per request.

#include <functional>
#include <memory>
#include <string>

#include "platform/keyboard_channel.h"

namespace kbxi {

// Opens the channel: null on failure, with why when there is a reason to tell.
using KeyboardChannelOpener = std::function<std::unique_ptr<kbx::platform::KeyboardChannel>(std::string& why)>;

class KeyboardChannelAccess {
public:
    // A channel that cannot be opened is reported through the notifier with
    // the opener's reason, once for each new reason.
    explicit KeyboardChannelAccess(KeyboardChannelOpener opener = defaultOpener()) : opener_(std::move(opener)) {}
    KeyboardChannelAccess(const KeyboardChannelAccess&) = delete;
    KeyboardChannelAccess& operator=(const KeyboardChannelAccess&) = delete;

    // Tests put their own keyboard in; the channel held so far is let go.
    void setOpener(KeyboardChannelOpener opener) {
        opener_ = std::move(opener);
        channel_.reset();
    }

    // The channel for the next request: null when it cannot be opened.
    kbx::platform::KeyboardChannel* channel() {
        if (!channel_ && opener_ && !failedInOperation_) open();
        return channel_.get();
    }
    // After a request the channel failed: the next request opens it again,
    // once the current operation is over.
    void release() {
        channel_.reset();
        failedInOperation_ = operations_ > 0;
    }

    // One operation, for its lifetime.
    class Operation {
    public:
        explicit Operation(KeyboardChannelAccess& access) : access_(access) { ++access_.operations_; }
        ~Operation() {
            if (--access_.operations_ == 0) access_.failedInOperation_ = false;
        }
        Operation(const Operation&) = delete;
        Operation& operator=(const Operation&) = delete;

    private:
        KeyboardChannelAccess& access_;
    };

private:
    static KeyboardChannelOpener defaultOpener() {
        return [](std::string& why) { return kbx::platform::openKeyboardChannel(why); };
    }
    void open();

    KeyboardChannelOpener opener_;
    std::string reported_;  // the reason told last, so that retries do not repeat it
    std::unique_ptr<kbx::platform::KeyboardChannel> channel_;
    int operations_ = 0;
    bool failedInOperation_ = false;
};

}  // namespace kbxi
