#pragma once

// A keyboard link for the protocol tests: it records every byte sent, answers
// each with what the test scripts, and serves replies from a memory of its
// own.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "iface/protocol/link.h"

namespace kbxi::test {

using Bytes = std::vector<std::uint8_t>;

// A write or read frame as it went out, read back from the framed bytes.
struct SentFrame {
    std::uint8_t command = 0;  // 0x0F write, 0x0E read, 0x12 update
    std::uint16_t address = 0;
    std::size_t count = 0;
    Bytes data;
};

class ScriptedLink : public Link {
public:
    // Answers a framed byte: its number (from 0, over the whole test) and
    // the byte. Default: every byte taken.
    std::function<int(std::size_t number, std::uint8_t byte)> framedAnswer;
    std::function<int(std::uint8_t byte)> rawAnswer;
    // Answers a block read; default: the bytes of `memory`.
    std::function<int(std::uint16_t address, std::span<std::uint8_t> out)> blockAnswer;

    bool usbSelected = false;
    bool serialSelected = false;
    std::string checkFailure;  // what the download check says; empty: it passes
    int bindResult = 0;
    std::vector<Bytes> portReplies;  // one per readPort, in order; none left: a failed read
    Bytes memory = Bytes(0x10000, 0);

    Bytes framed;  // every framed byte, taken or not
    Bytes raw;
    int usbReleases = 0;
    int checks = 0;
    int binds = 0;
    int releases = 0;
    std::vector<std::uint16_t> blockAddresses;
    std::vector<std::size_t> blockLengths;

    // The frames in `framed`, split at every frame start.
    std::vector<SentFrame> frames() const;
    std::vector<SentFrame> writeFrames() const;

    int sendFramed(std::uint8_t byte) override;
    int sendRaw(std::uint8_t byte) override;
    bool usb() const override { return usbSelected; }
    void releaseUsb() override { ++usbReleases; }
    std::string_view downloadCheck() override;
    bool serial() const override { return serialSelected; }
    int bindReplies() override;
    void releaseReplies() override { ++releases; }
    int readBlock(std::uint16_t address, std::span<std::uint8_t> out) override;
    int readPort(std::span<std::uint8_t> out) override;

private:
    std::size_t portRead_ = 0;
};

// An image file's bytes: the magic, then bytes that tell their offset, with
// the image length field set to the length.
Bytes imageOfLength(std::size_t length);

}  // namespace kbxi::test
