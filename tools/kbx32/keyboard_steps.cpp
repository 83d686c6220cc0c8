// The steps that talk to the keyboard through the interface library: downloading the
// compiled image, uploading the keyboard memory, reading the image header.
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

#include "tools/kbx32/block_errors.h"
#include "tools/kbx32/interface_library.h"
#include "tools/kbx32/paths.h"
#include "tools/kbx32/progress_relay.h"
#include "tools/kbx32/run_log.h"
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

// The interface string's parse, the same for every operation.
constexpr std::array<LibraryCode, 3> kParseCodes{{
    {-10, -10, Outcome::wrongInterface},
    {-31, -23, Outcome::portNotOpened},  // the serial port's set-up codes
    {-47, -47, Outcome::transferFailed},  // the USB library cannot be bound
}};

// The download's own results.
constexpr std::array<LibraryCode, 4> kDownloadCodes{{
    {-1, -1, Outcome::noImageName},
    {-5, -5, Outcome::transferFailed},
    {-6, -6, Outcome::imageInvalid},
    {-7, -7, Outcome::imageNotFound},
}};

template <std::size_t N>
std::optional<Outcome> outcomeIn(const std::array<LibraryCode, N>& codes, int result) {
    for (const LibraryCode& code : codes) {
        if (result >= code.lowest && result <= code.highest) return code.outcome;
    }
    return std::nullopt;
}

Outcome outcomeOfDownload(int result) {
    return outcomeIn(kParseCodes, result).value_or(outcomeIn(kDownloadCodes, result).value_or(Outcome::transferFailed));
}

// An upload fails with the negated block error, or with 0 when the capture
// library cannot be bound or the image file cannot be written.
StepResult uploadFailure(int result, const std::string& message) {
    if (const auto parsed = outcomeIn(kParseCodes, result)) return {*parsed, message};
    if (result < 0) return {Outcome::uploadFailed, blockErrorText(-result)};
    return {Outcome::uploadFailed, message};
}

// A header query fails with 1; its message names the block error, if any.
StepResult headerFailure(int result, const std::string& message) {
    if (const auto parsed = outcomeIn(kParseCodes, result)) return {*parsed, message};
    if (const auto error = blockErrorOfMessage(message)) return {Outcome::headerFailed, blockErrorText(*error)};
    return {Outcome::headerFailed, message};
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

}  // namespace

StepResult downloadImage(const Job& job, MessageChannel& messages) {
    messages.send(Message::downloadPhase);
    const InterfaceLibrary library;
    if (!library.usable()) {
        const std::string logProblem = appendToLog(job.logPath(), "FATAL: " + library.error());
        return withLogProblem({Outcome::interfaceUnavailable, library.error()}, logProblem);
    }
    MessageArea message;
    if (!message.take(job.destination)) return interfaceTooLong(job.destination);

    const std::string image = withExtension(job.source, kImageExtension);
    int result = 0;
    {
        const ProgressRelay relay(messages);
        result = library.download(image.c_str(), message.data(), ProgressRelay::callback());
    }
    std::string logProblem = appendToLog(job.logPath(), message.text());
    if (result < 0) {
        const Outcome outcome = outcomeOfDownload(result);
        if (outcome != Outcome::portNotOpened) return withLogProblem({outcome, message.text()}, logProblem);
        // The editor shows the log: the device and the system's reason go there too.
        const PortDiagnosis diagnosis = diagnosePortFailure(job.destination);
        if (logProblem.empty()) logProblem = appendToLog(job.logPath(), diagnosis.text);
        return withLogProblem(withPortDiagnosis({outcome, message.text()}, diagnosis), logProblem);
    }
    if (!logProblem.empty()) return withLogProblem({}, logProblem);
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
    if (result <= 0) return withPortDiagnosis(interfaceString, uploadFailure(result, message.text()));
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
    if (result != 0) return withPortDiagnosis(interfaceString, headerFailure(result, message.text()));
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
