#pragma once

// The serial line on a POSIX terminal device: opening it exclusively,
// setting its line, discarding buffers, and reads and writes bounded by the
// port's time-outs. Each call reports only whether it worked; the port
// object turns that into its codes and messages.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "iface/transports/serial_port.h"
#include "iface/transports/serial_timeouts.h"

namespace kbxi::serial_line {

// Opens a device for reading and writing and takes it exclusively. A
// terminal that another owner already holds exclusively is refused. -1 when
// the device cannot be opened.
int openExclusive(const std::string& path);

// Gives the exclusive hold back and closes; false when the close failed.
bool closeDevice(int descriptor);

// Asks the serial driver to hand each received byte over at once rather than
// when its latency timer runs out (16 ms on common USB-serial adapters, a
// wait for every acknowledgement). True when this call turned it on; false,
// and nothing changed, when it was on already or the device has no serial
// driver settings (a pseudo-terminal).
bool requestLowLatency(int descriptor);
// Turns it off again.
void dropLowLatency(int descriptor);

// Whether the terminal state of the device can be read.
bool stateReadable(int descriptor);

// Raw binary line with the given baud rate, parity and data bits, one stop
// bit, no flow control, receiver on, modem lines ignored. False when the
// state cannot be read or set or the baud rate is not one the line knows.
bool applyLineSettings(int descriptor, const LineSettings& settings);

// Makes DTR and RTS inactive; a device without modem lines is left as it is.
void dropModemLines(int descriptor);

bool discardInput(int descriptor);
bool discardOutput(int descriptor);

// Waits until what was written is on the line, then discards whatever
// still waits. (Discarding at once could lose a byte the other end has not
// taken yet.)
bool finishOutput(int descriptor);

// Writes one byte, waiting at most `limit` for room; false when nothing was
// written.
bool writeByte(int descriptor, std::uint8_t byte, std::chrono::milliseconds limit);

struct ReadOutcome {
    std::size_t count = 0;  // bytes read
    bool failed = false;    // the read ended on an error or a hang-up
};

// Reads until `count` bytes arrived or the time-outs end the read.
ReadOutcome readBytes(int descriptor, std::uint8_t* buffer, std::size_t count,
                      const SerialTimeouts& timeouts);

}  // namespace kbxi::serial_line
