#include "iface/session.h"

#include "iface/interface_string.h"
#include "iface/library_link.h"
#include "iface/protocol/command.h"
#include "iface/protocol/transfer.h"
#include "iface/protocol/upload.h"
#include "iface/state.h"

namespace kbxi {
namespace {

constexpr char kNoFileSpecified[] = "no file specified";
constexpr int kHeaderFailed = 1;
constexpr std::uint8_t kNothingChosen = 1;

std::uint8_t lowByte(int value) { return std::uint8_t(value & 0xFF); }

void selectIfNothingChosen(InterfaceState& state) {
    if (!state.selection.chosen) setInterface(state.selection, kAutomaticSelection);
}

int parseInterface(InterfaceState& state) {
    InterfaceTargets targets{
        state.selection,
        state.serialSelected,
        state.checkRequested,
        [&state](std::string& why) {
            const int bound = state.usb.bind();
            why = state.usb.bindError();
            return bound;
        },
        [&state](const SerialRequest& request) { return state.serialPort.open(request, state.message); },
    };
    return parseInterfaceString(state.message, targets);
}

// The serial port is open only for the call whose string named it; its
// selection ends with it, so that later calls go to the keyboard port again
// instead of to a closed port. A failed close appends its note.
void closeSerialPort(InterfaceState& state) {
    if (!state.serialSelected) return;
    state.serialPort.close(state.message);
    state.serialSelected = false;
}

// A file or command call: the operation runs once the interface string was
// accepted; the caller's buffer is not kept beyond the call.
template <typename Operation>
int runCall(InterfaceState& state, MessageBuffer message, Operation operation) {
    state.message = message;
    selectIfNothingChosen(state);
    int result = parseInterface(state);
    if (result >= 0) {
        LibraryLink link(state);
        result = operation(link);
        closeSerialPort(state);
    }
    state.message = MessageBuffer();
    return result;
}

// Byte calls deliver no message. They may run inside a file call's wait (a
// timer of the point-of-sale library sending a byte), so that call's buffer
// is put back afterwards.
class SilentCall {
public:
    explicit SilentCall(InterfaceState& state) : state_(state), callersBuffer_(state.message) {
        state_.message = MessageBuffer();
    }
    ~SilentCall() { state_.message = callersBuffer_; }
    SilentCall(const SilentCall&) = delete;
    SilentCall& operator=(const SilentCall&) = delete;

private:
    InterfaceState& state_;
    MessageBuffer callersBuffer_;
};

}  // namespace

int refresh(InterfaceState& state, const char* path, MessageBuffer message, int refreshEnd, std::uint8_t fillByte,
            KbxiProgress progress) {
    state.downloadProgress = progress;
    if (path == nullptr) {
        message.set(kNoFileSpecified);
        return download_code::kNoFile;
    }
    return runCall(state, message, [&](LibraryLink& link) {
        const DownloadRequest request{refreshEnd, fillByte, state.checkRequested, state.downloadProgress};
        return downloadFile(link, state.timer, path, request, state.message);
    });
}

int upload(InterfaceState& state, const char* path, MessageBuffer message, KbxiProgress progress) {
    state.uploadProgress = progress;
    return runCall(state, message, [&](LibraryLink& link) {
        return uploadToFile(link, state.upload, path, state.uploadProgress, state.message);
    });
}

int readKeyboardHeader(InterfaceState& state, unsigned char* header, MessageBuffer message) {
    return runCall(state, message, [&](LibraryLink& link) {
        if (header == nullptr) return kHeaderFailed;
        return readHeader(link, state.upload, std::span<std::uint8_t, KBXI_HEADER_SIZE>(header, KBXI_HEADER_SIZE),
                          state.uploadProgress, state.message);
    });
}

int sendCommandBytes(InterfaceState& state, int* length, unsigned char* buffer, MessageBuffer message) {
    const bool raw = requestsRawCommand(message.text());
    return runCall(state, message,
                   [&](LibraryLink& link) { return sendCommand(link, length, buffer, raw, state.message); });
}

std::uint8_t selectInterface(InterfaceState& state, std::uint8_t selector) {
    return setInterface(state.selection, selector);
}

std::uint8_t selectedInterface(const InterfaceState& state) { return getInterface(state.selection); }

std::uint8_t checkInterface(InterfaceState& state) {
    const SilentCall call(state);
    if (!state.selection.chosen) return kNothingChosen;
    return lowByte(LibraryLink(state).run(interfaceCheck(state.selection)));
}

std::uint8_t echoCheck(InterfaceState& state) {
    const SilentCall call(state);
    selectIfNothingChosen(state);
    return lowByte(LibraryLink(state).run(kbxi::echoCheck(state.selection)));
}

std::uint8_t sendInterfaceByte(InterfaceState& state, std::uint8_t byte) {
    const SilentCall call(state);
    selectIfNothingChosen(state);
    return lowByte(LibraryLink(state).sendFramed(byte));
}

std::uint8_t sendDirectByte(InterfaceState& state, std::uint8_t byte) {
    const SilentCall call(state);
    selectIfNothingChosen(state);
    return lowByte(LibraryLink(state).sendRaw(byte));
}

int closeUsb(InterfaceState& state) {
    state.usb.release();
    return 0;
}

}  // namespace kbxi
