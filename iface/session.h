#pragma once

// The library's calls as the exports make them. File and command calls run
// in a fixed order: remember the caller's buffer, select automatically when
// nothing was chosen, read the interface string, do the work, and close the
// serial port when the string opened it. Byte calls deliver no message.

#include <cstdint>
#include <span>

#include "kbxi32.h"
#include "iface/message_buffer.h"

namespace kbxi {

struct InterfaceState;

int refresh(InterfaceState& state, const char* path, MessageBuffer message, int refreshEnd, std::uint8_t fillByte,
            KbxiProgress progress);
int upload(InterfaceState& state, const char* path, MessageBuffer message, KbxiProgress progress);
int readKeyboardHeader(InterfaceState& state, unsigned char* header, MessageBuffer message);
int sendCommandBytes(InterfaceState& state, int* length, unsigned char* buffer, MessageBuffer message);

std::uint8_t selectInterface(InterfaceState& state, std::uint8_t selector);
std::uint8_t selectedInterface(const InterfaceState& state);
std::uint8_t checkInterface(InterfaceState& state);
std::uint8_t echoCheck(InterfaceState& state);
std::uint8_t sendInterfaceByte(InterfaceState& state, std::uint8_t byte);
std::uint8_t sendDirectByte(InterfaceState& state, std::uint8_t byte);
int closeUsb(InterfaceState& state);

}  // namespace kbxi
