#include "tools/kbxpos/terminal_loop.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <string>

#include "kbxplatform.h"

namespace kbxpos {
namespace {

constexpr std::size_t kLongestLine = 4096;  // longer lines are cut there

// Collects bytes into lines.
class LineReader {
public:
    // Reads what is there; false at the end of the input or on an error.
    bool read(int input) {
        std::array<char, 1024> buffer{};
        ssize_t got = 0;
        do {
            got = ::read(input, buffer.data(), buffer.size());
        } while (got < 0 && errno == EINTR);
        if (got <= 0) return false;
        pending_.append(buffer.data(), static_cast<std::size_t>(got));
        return true;
    }

    // Hands out each complete line (and at the end the unfinished one). A
    // line longer than kLongestLine is cut there and its rest skipped.
    After runLines(const std::function<After(std::string_view)>& runLine, bool atEnd) {
        for (;;) {
            const std::size_t end = pending_.find('\n');
            if (end == std::string::npos && pending_.size() < kLongestLine && !(atEnd && !pending_.empty())) {
                return After::Continue;
            }
            const std::size_t length = std::min(end == std::string::npos ? pending_.size() : end, kLongestLine);
            const std::string line = pending_.substr(0, length);
            pending_.erase(0, end == std::string::npos ? pending_.size() : end + 1);
            const bool skipped = skippingRest_;
            skippingRest_ = end == std::string::npos && !atEnd;
            if (!skipped && runLine(line) == After::Quit) return After::Quit;
        }
    }

private:
    std::string pending_;
    bool skippingRest_ = false;  // the line being read was cut: skip to its end
};

}  // namespace

bool runTerminal(int input, const std::function<After(std::string_view)>& runLine) {
    LineReader lines;
    const int loop = kbx_platform_fd();
    if (loop < 0) return false;
    for (;;) {
        std::array<pollfd, 2> watches{pollfd{input, POLLIN, 0}, pollfd{loop, POLLIN, 0}};
        if (::poll(watches.data(), watches.size(), -1) < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (watches[1].revents != 0 && kbx_platform_dispatch(0) < 0) return false;
        if (watches[0].revents == 0) continue;
        const bool more = lines.read(input);
        if (lines.runLines(runLine, !more) == After::Quit || !more) return true;
    }
}

void runLibraryFor(int milliseconds) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
        if (left <= 0) return;
        if (kbx_platform_dispatch(static_cast<int>(left)) < 0) return;
    }
}

}  // namespace kbxpos
