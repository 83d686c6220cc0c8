// The steps that talk to the keyboard through the interface library: downloading the
// compiled image, uploading the keyboard memory, reading the image header.
#include <array>
#include <cstdio>
#include <cstring>

#include "tools/kbx32/interface_library.h"
#include "tools/kbx32/paths.h"
#include "tools/kbx32/progress_relay.h"
#include "tools/kbx32/port_diagnosis.h"
#include "tools/kbx32/steps.h"

namespace kbx32 {

namespace {


// The library's negative results and how a run ends with them.
struct LibraryCode {
    int lowest;
    int highest;
    Outcome outcome;
};
constexpr std::array<LibraryCode, 7> kLibraryCodes{{
    {-1, -1, Outcome::noImageName},
    {-5, -5, Outcome::transferFailed},
    {-6, -6, Outcome::imageInvalid},
    {-7, -7, Outcome::imageNotFound},
    {-10, -10, Outcome::wrongInterface},
    {-31, -23, Outcome::portNotOpened},  // the serial port's set-up codes
    {-47, -47, Outcome::transferFailed},  // the USB library cannot be bound
}};

Outcome outcomeOfLibrary(int result) {
    for (const LibraryCode& code : kLibraryCodes) {
        if (result >= code.lowest && result <= code.highest) return code.outcome;
    }
    return Outcome::transferFailed;
}

// The caller's buffer of the library: the interface string in, the message
// out. An interface string that does not fit is refused before the call.
class MessageArea {
public:
    bool take(const std::string& interfaceString) {
        if (interfaceString.size() >= sizeof text_) return false;
        std::memcpy(text_, interfaceString.c_str(), interfaceString.size() + 1);
        return true;
    }
    char* data() { return text_; }
    std::string text() const { return std::string(text_, strnlen(text_, sizeof text_)); }

private:
    char text_[KBXI_MESSAGE_CAPACITY] = {};
};

StepResult interfaceTooLong(const std::string& interfaceString) {
    return {Outcome::wrongInterface, "the interface string '" + interfaceString + "' is longer than " +
                                         std::to_string(KBXI_MESSAGE_CAPACITY - 1) + " characters"};
}

// The library's message, added to the log the editor shows after the run.
void appendToLog(const std::string& logPath, const std::string& text) {
    std::FILE* log = std::fopen(logPath.c_str(), "a");
    if (log == nullptr) return;
    std::fprintf(log, "%s\n", text.c_str());
    std::fclose(log);
}

}  // namespace

StepResult downloadImage(const Job& job, MessageChannel& messages) {
    messages.send(Message::downloadPhase);
    const InterfaceLibrary library;
    if (!library.usable()) {
        appendToLog(job.logPath(), "FATAL: " + library.error());
        return {Outcome::interfaceUnavailable, library.error()};
    }
    MessageArea message;
    if (!message.take(job.destination)) return interfaceTooLong(job.destination);

    const std::string image = withExtension(job.source, kImageExtension);
    int result = 0;
    {
        const ProgressRelay relay(messages);
        result = library.download(image.c_str(), message.data(), ProgressRelay::callback());
    }
    appendToLog(job.logPath(), message.text());
    if (result < 0) {
        const Outcome outcome = outcomeOfLibrary(result);
        if (outcome != Outcome::portNotOpened) return {outcome, message.text()};
        // The editor shows the log: the device and the system's reason go there too.
        const PortDiagnosis diagnosis = diagnosePortFailure(job.destination);
        appendToLog(job.logPath(), diagnosis.text);
        return withPortDiagnosis({outcome, message.text()}, diagnosis);
    }
    messages.send(Message::phaseFinished);
    return {};
}

StepResult uploadImage(const std::string& image, const std::string& interfaceString, MessageChannel& messages) {
    messages.send(Message::downloadPhase);
    const InterfaceLibrary library;
    if (!library.usable()) return {Outcome::interfaceUnavailable, library.error()};
    MessageArea message;
    if (!message.take(interfaceString)) return interfaceTooLong(interfaceString);
    int result = 0;
    {
        const ProgressRelay relay(messages);
        result = library.upload(image.c_str(), message.data(), ProgressRelay::callback());
    }
    if (result < 0) return withPortDiagnosis(interfaceString, {outcomeOfLibrary(result), message.text()});
    if (result == 0) return {Outcome::transferFailed, message.text()};
    messages.send(Message::phaseFinished);
    return {Outcome::success, std::to_string(result) + " bytes uploaded"};
}

StepResult readHeaderBytes(const std::string& interfaceString, KeyboardHeader& header) {
    static_assert(std::tuple_size_v<KeyboardHeader> == KBXI_HEADER_SIZE);
    const InterfaceLibrary library;
    if (!library.usable()) return {Outcome::interfaceUnavailable, library.error()};
    MessageArea message;
    if (!message.take(interfaceString)) return interfaceTooLong(interfaceString);
    const int result = library.header(header.data(), message.data());
    if (result < 0) return withPortDiagnosis(interfaceString, {outcomeOfLibrary(result), message.text()});
    if (result != 0) return {Outcome::transferFailed, message.text()};
    return {};
}

StepResult readHeader(const std::string& interfaceString, std::FILE* output) {
    KeyboardHeader header{};
    if (StepResult failed = readHeaderBytes(interfaceString, header); failed.outcome != Outcome::success)
        return failed;
    std::fputs("header", output);
    for (unsigned char byte : header) std::fprintf(output, " %02X", byte);
    std::fprintf(output, "\n");
    return {};
}

}  // namespace kbx32
