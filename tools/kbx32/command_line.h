#pragma once

#include <span>
#include <string>
#include <string_view>

// The command line the editor gives kbx32: the layout source and either
// "COMP" (compile only) or the interface string of the download.
namespace kbx32 {

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
    enum class Kind { run, ifChanged, upload, header, listPorts, help, usage };
    Kind kind = Kind::usage;
    Job job;                      // for run and ifChanged
    std::string image;            // for upload: the image file to write
    std::string interfaceString;  // for upload and header
    std::string portDevice;       // --port: the device of the interface's COM port for this run
    std::string problem;          // for usage

    // The interface string of the run, upload or header query.
    const std::string& interface() const {
        return kind == Kind::run || kind == Kind::ifChanged ? job.destination : interfaceString;
    }
};

inline constexpr std::string_view kUploadOption = "--upload";
inline constexpr std::string_view kHeaderOption = "--header";
inline constexpr std::string_view kPortOption = "--port";
inline constexpr std::string_view kListPortsOption = "--list-ports";
inline constexpr std::string_view kIfChangedOption = "--if-changed";

// Reads the arguments after the program name.
Request parseArguments(std::span<const char* const> arguments);

}  // namespace kbx32
