#include "iface/transports/serial_port.h"

#include <array>
#include <span>
#include <thread>
#include <utility>

#include "format/keyboard_protocol.h"
#include "iface/transports/serial_line.h"

namespace kbxi {
namespace {

constexpr char kCantOpen[] = "Can't open %s.";
constexpr int kCantOpenCode = 1;
constexpr char kOpened[] = "%s: %d, %c, %d";
constexpr char kCloseFailed[] = " (close failed).";
constexpr int kCloseFailedCode = 15;

constexpr std::chrono::milliseconds kSettleTime{10};

// What a step of configuring a port or sending a byte works on.
struct PortContext {
    int descriptor;
    const LineSettings& settings;
    SerialTimeouts& timeouts;
    std::uint8_t byte;  // the byte being sent
};

struct PortStep {
    int code;             // the result when the step fails
    const char* failure;  // the message then, a format taking the port name
    bool (*run)(PortContext&);
};

bool readState(PortContext& port) { return serial_line::stateReadable(port.descriptor); }

bool setState(PortContext& port) {
    if (!serial_line::applyLineSettings(port.descriptor, port.settings)) return false;
    serial_line::dropModemLines(port.descriptor);
    return true;
}

bool settle(PortContext&) {
    std::this_thread::sleep_for(kSettleTime);
    return true;
}

// The terminal driver's buffers have their own fixed size: nothing to set.
bool setBufferSizes(PortContext&) { return true; }

// The time-outs are fields of the port object; reading them cannot fail.
bool readTimeouts(PortContext&) { return true; }

bool setTimeouts(PortContext& port) {
    port.timeouts = kFixedSerialTimeouts;
    return true;
}

bool discardOutput(PortContext& port) { return serial_line::discardOutput(port.descriptor); }

bool discardInput(PortContext& port) { return serial_line::discardInput(port.descriptor); }

bool writeTheByte(PortContext& port) {
    return serial_line::writeByte(port.descriptor, port.byte, writeTimeLimit(port.timeouts, 1));
}

bool finishOutput(PortContext& port) { return serial_line::finishOutput(port.descriptor); }

bool acknowledged(PortContext& port) {
    std::uint8_t reply = 0;
    const serial_line::ReadOutcome outcome =
        serial_line::readBytes(port.descriptor, &reply, 1, port.timeouts);
    return outcome.count == 1 && reply == kbx::protocol::kAcknowledge;
}

// Configuring a port once its device is open, in this order.
constexpr std::array kConfigurationSteps{
    PortStep{2, "Can't get state of %s", readState},
    PortStep{3, "Can\xB4t set com state of %s.", setState},
    PortStep{0, "", settle},
    PortStep{4, "Can\xB4t setup buffer size of %s.", setBufferSizes},
    PortStep{5, "Can\xB4t get timeout of %s.", readTimeouts},
    PortStep{6, "Can\xB4t set timeout of %s.", setTimeouts},
    PortStep{7, "Can't clear transmit buffer of %s.", discardOutput},
    PortStep{8, "Can't clear receive buffer ", discardInput},
};

// Sending one byte that the keyboard acknowledges, in this order.
constexpr std::array kSendSteps{
    PortStep{0x91, " error clear receive buffer ", discardInput},
    PortStep{0x92, " unable to send data ", writeTheByte},
    PortStep{0x93, " can\xB4t setup timeout ", setTimeouts},
    PortStep{0x94, " error clear transmit buffer ", finishOutput},
    PortStep{0x95, " download failed ", acknowledged},
};

const PortStep* firstFailingStep(std::span<const PortStep> steps, PortContext& port) {
    for (const PortStep& step : steps) {
        if (!step.run(port)) return &step;
    }
    return nullptr;
}

char parityLetter(char parity) {
    return parity == 'O' || parity == 'E' || parity == 'N' ? parity : '?';
}

}  // namespace

SerialPort::~SerialPort() { closeQuietly(); }

int SerialPort::open(const SerialRequest& request, MessageBuffer& message) {
    closeQuietly();
    portName_ = request.portName;
    if (request.hasSettings) return openWithSettings(request.settings, message);
    return searchLineSettings(message);
}

int SerialPort::openWithSettings(std::string_view settingsText, MessageBuffer& message) {
    closeQuietly();
    descriptor_ = serial_line::openExclusive(serialDevicePath(portName_));
    if (descriptor_ < 0) {
        message.format(kCantOpen, portName_.c_str());
        return kCantOpenCode;
    }
    lowLatencyAdded_ = serial_line::requestLowLatency(descriptor_);
    settings_ = parseLineSettings(settingsText);
    PortContext port{descriptor_, settings_, timeouts_, 0};
    if (const PortStep* failed = firstFailingStep(kConfigurationSteps, port)) {
        closeQuietly();
        message.format(failed->failure, portName_.c_str());
        return failed->code;
    }
    message.format(kOpened, portName_.c_str(), settings_.baud, parityLetter(settings_.parity),
                   settings_.dataBits);
    return 0;
}

int SerialPort::sendByte(std::uint8_t byte, MessageBuffer& message) {
    // A closed port fails at the first step, as a stale handle would.
    PortContext port{descriptor_, settings_, timeouts_, byte};
    const PortStep* failed = firstFailingStep(kSendSteps, port);
    if (failed == nullptr) return 0;
    message.format(failed->failure, portName_.c_str());
    return failed->code;
}

std::size_t SerialPort::read(std::uint8_t* buffer, std::size_t count) {
    if (!isOpen()) return 0;
    return serial_line::readBytes(descriptor_, buffer, count, timeouts_).count;
}

int SerialPort::close(MessageBuffer& message) {
    // Closing a port that is not open has nothing to fail: a call that
    // already closed it on an error path is not told it failed.
    if (!isOpen()) return 0;
    if (serial_line::closeDevice(releaseDescriptor())) return 0;
    message.append(kCloseFailed);
    return kCloseFailedCode;
}

void SerialPort::closeQuietly() {
    if (isOpen()) serial_line::closeDevice(releaseDescriptor());
}

int SerialPort::releaseDescriptor() {
    if (std::exchange(lowLatencyAdded_, false)) serial_line::dropLowLatency(descriptor_);
    return std::exchange(descriptor_, -1);
}

}  // namespace kbxi
