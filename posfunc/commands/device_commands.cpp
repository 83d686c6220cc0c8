#include "posfunc/commands/device_commands.h"

#include "format/keyboard_protocol.h"
#include "posfunc/commands/byte_transport.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

using kbx::protocol::kFramePrefix;
using kbx::protocol::device_command::kBarcodeConfig;
using kbx::protocol::device_command::kBarcodeData;
using kbx::protocol::device_command::kCardReaderLeds;
using kbx::protocol::device_command::kCardReaderTracks;
using kbx::protocol::device_command::kTextEnd;

constexpr std::uint8_t kHighestTracks = 7;

// Sends the bytes in order inside the open bracket, stopping at the first
// failure, and closes the bracket: 0, or 1 when a byte failed.
template <std::size_t N>
int sendAndClose(FuncState& state, const std::array<std::uint8_t, N>& bytes) {
    bool failed = false;
    for (std::uint8_t byte : bytes) {
        if (sendCommandByte(state, byte) != 0) {
            failed = true;
            break;
        }
    }
    closeCommandBracket(state);
    return failed ? kCommandFailed : 0;
}

// The same inside a bracket of their own.
template <std::size_t N>
int sendBracketed(FuncState& state, const std::array<std::uint8_t, N>& bytes) {
    if (openCommandBracket(state) != 0) return kCommandFailed;
    return sendAndClose(state, bytes);
}

std::uint8_t sendBarcodeText(FuncState& state, std::uint8_t code, const char* text) {
    if (text == nullptr) return kCommandFailed;
    if (openCommandBracket(state) != 0) return kCommandFailed;
    for (std::uint8_t byte : {kFramePrefix, code}) {
        if (const int result = sendCommandByte(state, byte); result != 0) {
            // The command did not start: nothing holds the keyboard for it.
            closeCommandBracket(state);
            return static_cast<std::uint8_t>(result);
        }
    }
    int failedResult = 0;
    for (const char* p = text; *p != '\0'; ++p) {
        failedResult = sendCommandByte(state, static_cast<std::uint8_t>(*p));
        if (failedResult != 0) break;
    }
    closeCommandBracket(state);
    if (failedResult != 0) return static_cast<std::uint8_t>(failedResult);
    return static_cast<std::uint8_t>(sendCommandByte(state, kTextEnd));
}

}  // namespace

int runDeviceCommand(FuncState& state, const DeviceCommand& command) {
    return sendBracketed(state, std::array{kFramePrefix, command.code});
}

int setReaderTracks(FuncState& state, std::uint8_t tracks) {
    if (tracks > kHighestTracks) return kCommandFailed;
    return sendBracketed(state, std::array{kFramePrefix, kCardReaderTracks, tracks});
}

int setReaderLeds(FuncState& state, std::uint8_t ledState) {
    if (openCommandBracket(state) != 0) return kCommandFailed;
    if (ledState >= kCardReaderLeds.size()) {
        closeCommandBracket(state);
        return kCommandFailed;
    }
    return sendAndClose(state, std::array{kFramePrefix, kCardReaderLeds[ledState]});
}

std::uint8_t sendBarcodeConfig(FuncState& state, const char* text) {
    return sendBarcodeText(state, kBarcodeConfig, text);
}

std::uint8_t sendBarcodeData(FuncState& state, const char* text) {
    return sendBarcodeText(state, kBarcodeData, text);
}

}  // namespace kbxfunc
