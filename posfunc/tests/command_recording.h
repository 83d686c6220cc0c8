#pragma once

// A recording interface library for the command and display tests: a table of
// entry points that log every call and every byte, with results the test
// scripts. Installing it starts the library and the thread's loop afresh.

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/event_loop.h"
#include "posfunc/state.h"

namespace kbxfunc::test {

using Bytes = std::vector<std::uint8_t>;

struct RecordingKbxi {
    std::vector<std::string> calls;  // every entry point called, in order ("send EF", "select 0", ...)
    Bytes sent;                      // the bytes kbx_snd_interface was given
    // The result of kbx_snd_interface for the n-th byte (from 0); default 0.
    std::function<unsigned char(std::size_t index, std::uint8_t byte)> sendResult;
    unsigned char selectResult = 0;
    // What the keyboard answers to each vdd_sendbyte, in order; nothing left
    // or nullopt: no answer.
    std::deque<std::optional<std::uint8_t>> answers;
    std::optional<std::uint8_t> pendingAnswer;
    int availablePolls = 0;
};

inline RecordingKbxi& recording() {
    static RecordingKbxi recorder;
    return recorder;
}

inline std::string hexByte(std::uint8_t byte) {
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

namespace recorded {

inline int KBX_CALL vddSendbyte(unsigned char byte) {
    RecordingKbxi& r = recording();
    r.calls.push_back("vdd_sendbyte " + hexByte(byte));
    r.pendingAnswer.reset();
    if (!r.answers.empty()) {
        r.pendingAnswer = r.answers.front();
        r.answers.pop_front();
    }
    return 0;
}
inline int KBX_CALL vddKbdCapture() {
    recording().calls.push_back("capture");
    return 0;
}
inline std::uint32_t KBX_CALL vddEfAvailable() {
    ++recording().availablePolls;
    return recording().pendingAnswer ? 1 : 0;
}
inline int KBX_CALL vddKbdClr() {
    recording().calls.push_back("clr");
    return 0;
}
inline int KBX_CALL vddKbdRelease() {
    recording().calls.push_back("release");
    return 0;
}
inline unsigned char KBX_CALL vddEfGet() {
    RecordingKbxi& r = recording();
    r.calls.push_back("EF_get");
    const std::uint8_t answer = r.pendingAnswer.value_or(0);
    r.pendingAnswer.reset();
    return answer;
}
inline int KBX_CALL transfer(const char*, char*, void(KBX_CALL*)(int)) { return 0; }
inline unsigned char KBX_CALL setInterface(unsigned char selector) {
    recording().calls.push_back("select " + std::to_string(selector));
    return recording().selectResult;
}
inline unsigned char KBX_CALL getInterface() { return 0; }
inline unsigned char KBX_CALL chkInterface() { return 0; }
inline unsigned char KBX_CALL sndInterface(unsigned char byte) {
    RecordingKbxi& r = recording();
    const std::size_t index = r.sent.size();
    r.sent.push_back(byte);
    r.calls.push_back("send " + hexByte(byte));
    return r.sendResult ? r.sendResult(index, byte) : 0;
}

}  // namespace recorded

inline Kbxi32Functions recordingFunctions() {
    Kbxi32Functions f;
    f.vddSendbyte = &recorded::vddSendbyte;
    f.vddKbdCapture = &recorded::vddKbdCapture;
    f.vddEfAvailable = &recorded::vddEfAvailable;
    f.vddKbdClr = &recorded::vddKbdClr;
    f.vddKbdRelease = &recorded::vddKbdRelease;
    f.vddEfGet = &recorded::vddEfGet;
    f.download = &recorded::transfer;
    f.upload = &recorded::transfer;
    f.setInterface = &recorded::setInterface;
    f.getInterface = &recorded::getInterface;
    f.chkInterface = &recorded::chkInterface;
    f.sndInterface = &recorded::sndInterface;
    return f;
}

// A fresh library bound to the recording interface library; the interface
// counts as chosen unless the test says otherwise, so that a test sees only
// its own command.
inline void installRecordingKbxi(bool ntFamily, bool interfaceChosen = true) {
    kbx::platform::resetLoopForTests();
    resetStateForTests();
    recording() = RecordingKbxi{};
    state().kbxi.useFunctions(recordingFunctions(), ntFamily);
    state().commands.interfaceChosen = interfaceChosen;
}

// Every byte sent fails from the n-th (0-based) on.
inline std::function<unsigned char(std::size_t, std::uint8_t)> failFrom(std::size_t first) {
    return [first](std::size_t index, std::uint8_t) -> unsigned char { return index >= first ? 1 : 0; };
}

// The test's library starts on the non-NT family with the interface chosen.
class RecordingTest : public ::testing::Test {
protected:
    void SetUp() override { installRecordingKbxi(false); }
    void TearDown() override {
        kbx::platform::resetLoopForTests();
        resetStateForTests();
    }
    static const Bytes& sent() { return recording().sent; }
    static const std::vector<std::string>& calls() { return recording().calls; }
};

}  // namespace kbxfunc::test
