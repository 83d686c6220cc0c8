#pragma once

// The command line of kbxsim: "kbxsim serial [options]", "kbxsim --help" or
// "kbxsim --version", read with the shared option reader of the tools.

#include <cstdint>
#include <chrono>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "kbxsim/customer_display.h"
#include "kbxsim/faults.h"
#include "kbxsim/key_typing.h"
#include "kbxsim/line_settings.h"
#include "tools/kbxsim/firmware/firmware.h"

namespace kbxsim {

inline constexpr std::string_view kProgramName = "kbxsim";
inline constexpr std::string_view kSerialMode = "serial";

struct CommandLine {
    bool help = false;     // --help or -h
    bool version = false;  // --version
    std::filesystem::path link;
    std::optional<LineSettings> echoSettings;
    bool lineRate = false;
    std::chrono::milliseconds adapterLatency{0};
    std::filesystem::path load;
    std::filesystem::path save;
    std::uint16_t identification = kDefaultIdentification;
    bool verbose = false;

    // The keyboard channel and what it types.
    std::filesystem::path channel;
    KeyboardLanguage language = kDefaultLanguage;
    std::vector<std::string> input;  // --do, in order
    std::size_t displayRows = kDefaultDisplayRows;
    std::size_t displayColumns = kDefaultDisplayColumns;

    // Faults, by the number of the byte received (1 = the first).
    std::optional<std::uint64_t> refuseByte;
    bool refuseAll = false;
    std::optional<std::uint64_t> loseAcknowledgement;
    std::optional<std::uint64_t> silentFrom;
    std::optional<std::uint64_t> silentFor;
    std::optional<ReplyCorruption> replyCorruption;
    int corruptedReplies = 1;  // FaultPlan::kEveryReply for every reply

    friend bool operator==(const CommandLine&, const CommandLine&) = default;
};

struct ParsedCommandLine {
    CommandLine options;
    std::string error;  // a usage problem; empty when the command line is good
};

// `arguments` without the program name.
ParsedCommandLine parseCommandLine(std::span<const std::string_view> arguments);

// Arms the faults of the command line in a firmware that has received nothing.
void armFaults(const CommandLine& options, Firmware& firmware);

}  // namespace kbxsim
