#include "tools/kbxsim/simulator.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <thread>

#include "tools/kbxsim/image_file.h"
#include "tools/kbxsim/pseudo_terminal.h"
#include "tools/kbxsim/serial_channel.h"
#include "tools/kbxsim/server.h"
#include "tools/kbxsim/shared_firmware.h"
#include "tools/kbxsim/symbolic_link.h"
#include "tools/kbxsim/unique_descriptor.h"

namespace kbxsim {
namespace {

Firmware makeFirmware(const SimulatorOptions& options) {
    Firmware firmware(options.identification);
    firmware.answerEchoOnlyAt(options.echoSettings);
    return firmware;
}

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
          channel(terminal, firmware, SerialChannelOptions{options.lineRate, options.log}),
          stopPipe(makeStopPipe()) {
        server.add(channel);
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

void Simulator::withFirmware(const std::function<void(Firmware&)>& function) {
    running_->firmware.access(function);
}

}  // namespace kbxsim
