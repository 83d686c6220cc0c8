#pragma once

// The loop that serves the channels of a simulated keyboard on one thread.

#include <functional>
#include <string>
#include <vector>

#include "tools/kbxsim/transports/channel.h"

namespace kbxsim {

class Server {
public:
    void add(Channel& channel) { channels_.push_back(&channel); }

    // Serves until `onControl`, called whenever `controlDescriptor` is
    // readable, returns false. Empty on a regular stop, else what failed.
    std::string run(int controlDescriptor, const std::function<bool()>& onControl);

private:
    std::vector<Channel*> channels_;
};

}  // namespace kbxsim
