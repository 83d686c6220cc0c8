#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "cli/options.h"

// The command line the editor gives kbx32: the layout source and either
// "COMP" (compile only) or the interface string of the download; and the
// options of the other operations, read with the tools' one convention
// (cli/options.h).
namespace kbx32 {

inline constexpr char kProgramName[] = "kbx32";  // in its messages and usage lines

inline constexpr std::string_view kCompileOnly = "COMP";

struct Job {
    std::string source;
    std::string destination;  // "COMP" or an interface string ("AT", "COM2:9600,E,7,1")

    bool compileOnly() const { return destination == kCompileOnly; }
    // Where the compiler writes its log: beside the source, with ".TXT" for a
    // compile-only run and ".LOG" for a download (the editor shows these).
    std::string logPath() const;
};

struct Request {
    enum class Kind { run, ifChanged, upload, header, listPorts, help, version, usage };
    Kind kind = Kind::usage;
    Job job;                      // for run and ifChanged
    std::string image;            // for upload: the image file to write
    std::string interfaceString;  // for upload and header
    std::string portDevice;       // --port: the device of the interface's COM port for this run
    bool messageLines = false;    // --messages: the line protocol even at a terminal
    std::string problem;          // for usage

    // The interface string of the run, upload or header query.
    const std::string& interface() const {
        return kind == Kind::run || kind == Kind::ifChanged ? job.destination : interfaceString;
    }
};

enum OptionId { kPortOption, kIfChangedOption, kUploadOption, kHeaderOption, kListPortsOption, kMessagesOption };

// An option of kbx32 and how --help shows it.
struct OptionRow {
    cli::Option option;
    std::string_view shown;        // "--port=DEVICE"
    std::string_view description;  // for --help
};

inline constexpr std::array kOptionRows{
    OptionRow{{"port", 0, true, kPortOption}, "--port=DEVICE",
              "the serial port COMn of INTERFACE is DEVICE for this run"},
    OptionRow{{"if-changed", 0, false, kIfChangedOption}, "--if-changed",
              "download only when the keyboard holds another image"},
    OptionRow{{"upload", 0, true, kUploadOption}, "--upload=IMAGE",
              "read the keyboard memory into the image file IMAGE"},
    OptionRow{{"header", 0, true, kHeaderOption}, "--header=INTERFACE",
              "print the first 8 bytes of the keyboard memory"},
    OptionRow{{"list-ports", 0, false, kListPortsOption}, "--list-ports", "list the serial ports present"},
    OptionRow{{"messages", 0, false, kMessagesOption}, "--messages",
              "write the kbx_message lines even to a terminal"},
};

constexpr bool rowsFollowTheOptionIds() {
    for (std::size_t i = 0; i < kOptionRows.size(); ++i)
        if (kOptionRows[i].option.id != int(i)) return false;
    return true;
}
static_assert(rowsFollowTheOptionIds(), "one row per OptionId, in enum order");

// Reads the arguments after the program name.
Request parseArguments(std::span<const char* const> arguments);

}  // namespace kbx32
