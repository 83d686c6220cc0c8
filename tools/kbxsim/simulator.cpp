#include "kbxsim/simulator.h"

#include <stdlib.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <thread>

#include "tools/kbxsim/firmware/firmware.h"
#include "tools/kbxsim/firmware/image_file.h"
#include "tools/kbxsim/firmware/shared_firmware.h"
#include "tools/kbxsim/modules/module_input.h"
#include "tools/kbxsim/transports/keyboard_socket.h"
#include "tools/kbxsim/transports/pseudo_terminal.h"
#include "tools/kbxsim/transports/serial_channel.h"
#include "tools/kbxsim/transports/server.h"
#include "tools/kbxsim/transports/symbolic_link.h"
#include "tools/kbxsim/transports/unique_descriptor.h"

namespace kbxsim {
namespace {

Firmware makeFirmware(const SimulatorOptions& options) {
    Firmware firmware(options.identification);
    firmware.answerEchoOnlyAt(options.echoSettings);
    firmware.display().resize(options.displayRows, options.displayColumns);
    return firmware;
}

constexpr std::string_view kFolderPattern = "kbxsim-XXXXXX";
constexpr std::string_view kSocketName = "keyboard";

// A folder of its own for the channel's socket when the test names none,
// removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() = default;
    explicit TemporaryFolder(bool make) {
        if (!make) return;
        std::string pattern = (std::filesystem::temp_directory_path() / kFolderPattern).string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error(std::string("cannot make a temporary folder: ") + std::strerror(errno));
        }
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

std::optional<SymbolicLink> makeLink(const std::filesystem::path& path, const std::string& target) {
    if (path.empty()) return std::nullopt;
    return std::optional<SymbolicLink>(std::in_place, path, target);
}

// A pipe whose read end tells the serving thread to stop.
std::array<UniqueDescriptor, 2> makeStopPipe() {
    std::array<int, 2> ends{};
    if (::pipe(ends.data()) != 0) throw std::runtime_error(std::string("cannot make a pipe: ") + std::strerror(errno));
    return {UniqueDescriptor(ends[0]), UniqueDescriptor(ends[1])};
}

}  // namespace

struct Simulator::Running {
    explicit Running(const SimulatorOptions& options)
        : firmware(makeFirmware(options)),
          link(makeLink(options.link, terminal.slavePath())),
          channel(terminal, firmware, SerialChannelOptions{options.lineRate, options.adapterLatency, options.log}),
          socketFolder(options.channel.empty()),
          keyboard(options.channel.empty() ? socketFolder.path() / kSocketName : options.channel, firmware,
                   KeyboardChannelOptions{options.log, {}, {}}),
          language(options.language),
          stopPipe(makeStopPipe()) {
        server.add(channel);
        server.add(keyboard);
        thread = std::thread([this] { error = server.run(stopPipe[0].get(), [] { return false; }); });
    }

    std::string stop() {
        if (thread.joinable()) {
            const char stopByte = 0;
            while (::write(stopPipe[1].get(), &stopByte, 1) < 0 && errno == EINTR) {
            }
            thread.join();
        }
        return error;
    }

    SharedFirmware firmware;
    PseudoTerminal terminal;
    std::optional<SymbolicLink> link;
    SerialChannel channel;
    TemporaryFolder socketFolder;
    KeyboardSocketChannel keyboard;
    KeyboardLanguage language;  // read and written by the test's thread only
    Server server;
    std::array<UniqueDescriptor, 2> stopPipe;
    std::thread thread;
    std::string error;  // written by the thread, read after it ended
};

Simulator::Simulator(SimulatorOptions options) : running_(std::make_unique<Running>(options)) {}

Simulator::~Simulator() { running_->stop(); }

std::string Simulator::stop() { return running_->stop(); }

const std::string& Simulator::slavePath() const { return running_->terminal.slavePath(); }

const std::filesystem::path& Simulator::linkPath() const {
    static const std::filesystem::path kNoLink;
    return running_->link ? running_->link->path() : kNoLink;
}

std::string Simulator::portPath() const { return running_->link ? running_->link->path().string() : slavePath(); }

std::vector<std::uint8_t> Simulator::memory() const { return memory(0, kMemorySize); }

std::vector<std::uint8_t> Simulator::memory(std::size_t address, std::size_t count) const {
    return running_->firmware.access([&](const Firmware& firmware) {
        const auto bytes = firmware.memory().bytes();
        const std::size_t first = std::min(address, bytes.size());
        const std::size_t last = first + std::min(count, bytes.size() - first);
        return std::vector<std::uint8_t>(bytes.begin() + first, bytes.begin() + last);
    });
}

void Simulator::place(std::size_t address, std::span<const std::uint8_t> bytes) {
    running_->firmware.access([&](Firmware& firmware) { firmware.memory().place(address, bytes); });
}

std::string Simulator::loadImage(const std::filesystem::path& path) {
    return running_->firmware.access([&](Firmware& firmware) { return kbxsim::loadImage(path, firmware.memory()); });
}

std::string Simulator::saveImage(const std::filesystem::path& path) const {
    return running_->firmware.access(
        [&](const Firmware& firmware) { return kbxsim::saveImage(path, firmware.memory()); });
}

Counters Simulator::counters() const {
    return running_->firmware.access([](const Firmware& firmware) { return firmware.counters(); });
}

std::uint64_t Simulator::hostWritesIn(std::size_t first, std::size_t last) const {
    return running_->firmware.access(
        [&](const Firmware& firmware) { return firmware.memory().hostWritesIn(first, last); });
}

void Simulator::resetCounters() {
    running_->firmware.access([](Firmware& firmware) { firmware.resetCounters(); });
}

void Simulator::answerEchoOnlyAt(std::optional<LineSettings> settings) {
    running_->firmware.access([&](Firmware& firmware) { firmware.answerEchoOnlyAt(settings); });
}

void Simulator::refuseBytes(std::uint64_t position, std::uint64_t count) {
    running_->firmware.access([&](Firmware& firmware) { firmware.refuseBytes(position, count); });
}

void Simulator::refuseEveryByte() {
    running_->firmware.access([](Firmware& firmware) { firmware.refuseEveryByte(); });
}

void Simulator::loseAnswers(std::uint64_t position, std::uint64_t count) {
    running_->firmware.access([&](Firmware& firmware) { firmware.loseAnswers(position, count); });
}

void Simulator::goSilent(std::uint64_t position, std::uint64_t count) {
    running_->firmware.access([&](Firmware& firmware) { firmware.goSilent(position, count); });
}

void Simulator::corruptReplies(const ReplyCorruption& corruption, int replies) {
    running_->firmware.access([&](Firmware& firmware) { firmware.corruptReplies(corruption, replies); });
}

void Simulator::clearFaults() {
    running_->firmware.access([](Firmware& firmware) { firmware.clearFaults(); });
}

const std::filesystem::path& Simulator::channelPath() const { return running_->keyboard.path(); }

KeyboardChannelCounters Simulator::channelCounters() const { return running_->keyboard.counters(); }

std::vector<std::uint32_t> Simulator::desktopInput() const { return running_->keyboard.desktopInput(); }

void Simulator::swipe(std::string_view track1, std::string_view track2, std::string_view track3) {
    running_->keyboard.post(kbxsim::swipe(track1, track2, track3, running_->language));
}

void Simulator::barcode(std::string_view text) {
    running_->keyboard.post(framed(Module::barcode, text, running_->language));
}

void Simulator::keylock(std::string_view position) {
    running_->keyboard.post(framed(Module::keylock, position, running_->language));
}

void Simulator::cardIn(std::string_view text) {
    running_->keyboard.post(framed(Module::functionCard, text, running_->language));
}

void Simulator::cardOut(std::string_view text) {
    running_->keyboard.post(framed(Module::functionCard, text, running_->language));
}

void Simulator::type(std::string_view text) { running_->keyboard.post(typeText(text, running_->language)); }

std::string Simulator::input(std::string_view line) {
    ModuleInput parsed = parseModuleInput(line, running_->language);
    if (parsed.error.empty()) running_->keyboard.post(std::move(parsed.events));
    return parsed.error;
}

void Simulator::setLanguage(KeyboardLanguage language) { running_->language = language; }

std::vector<DeviceCommand> Simulator::commandLog() const {
    return running_->firmware.access([](const Firmware& firmware) { return firmware.commandLog(); });
}

std::vector<std::string> Simulator::displayScreen() const {
    return running_->firmware.access([](const Firmware& firmware) { return firmware.display().screen(); });
}

DisplayControl Simulator::displayControl() const {
    return running_->firmware.access([](const Firmware& firmware) { return firmware.display().control(); });
}

std::vector<std::uint8_t> Simulator::displayBytes() const {
    return running_->firmware.access([](const Firmware& firmware) { return firmware.displayBytes(); });
}

void Simulator::withFirmware(const std::function<void(Firmware&)>& function) {
    running_->firmware.access(function);
}

}  // namespace kbxsim
