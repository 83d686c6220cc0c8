#include "iface/transports/keyboard_channel_access.h"

#include "platform/notifier.h"

namespace kbxi {
namespace {

// The title of the message that names a keyboard channel that cannot be opened.
constexpr char kChannelFailedTitle[] = "kbxi32";

}  // namespace

void KeyboardChannelAccess::open() {
    std::string why;
    channel_ = opener_(why);
    if (channel_) {
        reported_.clear();
        return;
    }
    if (why.empty() || why == reported_) return;
    kbx::platform::notify(why, kChannelFailedTitle, kbx::platform::Buttons::ok);
    reported_ = why;
}

}  // namespace kbxi
