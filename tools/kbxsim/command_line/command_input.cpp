#include "tools/kbxsim/command_line/command_input.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <utility>

namespace kbxsim {
namespace {

constexpr std::size_t kReadChunk = 512;
constexpr char kLineEnd = '\n';
constexpr std::string_view kLineTooLong = "an input line longer than 4096 bytes was dropped";

}  // namespace

CommandInput::CommandInput(int descriptor, KeyboardSocketChannel& keyboard, KeyboardLanguage language,
                           std::function<void(const std::string&)> complain)
    : descriptor_(descriptor), keyboard_(keyboard), language_(language), complain_(std::move(complain)) {}

pollfd CommandInput::watch(Clock::time_point) { return pollfd{ended_ ? -1 : descriptor_, POLLIN, 0}; }

void CommandInput::service(short events, Clock::time_point) {
    if (ended_ || events == 0) return;
    std::array<char, kReadChunk> buffer{};
    const ssize_t count = ::read(descriptor_, buffer.data(), buffer.size());
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) return;
    if (count <= 0) {
        ended_ = true;
        if (!pending_.empty()) run(std::exchange(pending_, {}));
        return;
    }
    pending_.append(buffer.data(), static_cast<std::size_t>(count));
    for (std::size_t end = pending_.find(kLineEnd); end != std::string::npos; end = pending_.find(kLineEnd)) {
        const std::string line = pending_.substr(0, end);
        pending_.erase(0, end + 1);
        run(line);
    }
    if (pending_.size() > kLongestLine) {
        pending_.clear();
        complain_(std::string(kLineTooLong));
    }
}

void CommandInput::run(std::string_view line) {
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) return;
    ModuleInput input = parseModuleInput(line, language_);
    if (!input.error.empty()) return complain_(input.error);
    keyboard_.post(std::move(input.events));
}

}  // namespace kbxsim
