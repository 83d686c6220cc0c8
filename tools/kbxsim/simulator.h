#pragma once

// The simulated keyboard inside a test program: the firmware on a
// pseudo-terminal of its own, served on a background thread (the only thread
// the system has, and only here). A test points the library's serial port at
// portPath(), talks to it, and reads the memory and counters or arms faults
// here; every call takes the firmware's lock. The destructor stops the
// thread and removes the link.
//
//   kbxsim::SimulatorOptions options;
//   options.echoSettings = kbxsim::LineSettings{1200, kbxsim::Parity::odd, 8};
//   kbxsim::Simulator keyboard(options);
//   setenv("KBX_COM1", keyboard.portPath().c_str(), 1);
//   ... kbx_download(...) ...
//   EXPECT_EQ(keyboard.memory(4, 298), imageBytes);

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "tools/kbxsim/firmware.h"

namespace kbxsim {

struct SimulatorOptions {
    std::filesystem::path link;                // a symbolic link to the slave; empty: none
    std::optional<LineSettings> echoSettings;  // the echo is answered only at these; nothing: at any
    bool lineRate = false;                     // replies paced to the slave's baud rate
    std::uint16_t identification = kDefaultIdentification;
    std::ostream* log = nullptr;  // a line per byte received; written on the serving thread
};

class Simulator {
public:
    // Throws std::runtime_error when the pseudo-terminal or the link cannot be
    // made.
    explicit Simulator(SimulatorOptions options = {});
    ~Simulator();
    Simulator(const Simulator&) = delete;
    Simulator& operator=(const Simulator&) = delete;

    const std::string& slavePath() const;
    const std::filesystem::path& linkPath() const;  // empty without a link
    std::string portPath() const;                   // the link if there is one, else the slave

    // Memory. place() and loadImage() do not count as host writes.
    std::vector<std::uint8_t> memory() const;
    std::vector<std::uint8_t> memory(std::size_t address, std::size_t count) const;
    void place(std::size_t address, std::span<const std::uint8_t> bytes);
    std::string loadImage(const std::filesystem::path& path);        // empty, or what went wrong
    std::string saveImage(const std::filesystem::path& path) const;  // empty, or what went wrong

    Counters counters() const;
    std::uint64_t hostWritesIn(std::size_t first, std::size_t last) const;
    void resetCounters();

    // Faults and settings, as the Firmware members of the same names.
    void answerEchoOnlyAt(std::optional<LineSettings> settings);
    void refuseBytes(std::uint64_t position, std::uint64_t count = 1);
    void refuseEveryByte();
    void loseAnswers(std::uint64_t position, std::uint64_t count = 1);
    void goSilent(std::uint64_t position, std::uint64_t count = ByteWindow::kForever);
    void corruptReplies(const ReplyCorruption& corruption, int replies = 1);
    void clearFaults();

    // Anything else, with the lock held.
    void withFirmware(const std::function<void(Firmware&)>& function);

    // Stops serving (also done by the destructor); the memory stays readable.
    // Empty when serving ended normally, else what failed.
    std::string stop();

private:
    struct Running;
    std::unique_ptr<Running> running_;
};

}  // namespace kbxsim
