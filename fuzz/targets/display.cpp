// The customer display's command language and text writes, on a fresh
// library whose interface library takes every byte. Every line of an input
// is one call: "row column text" writes the text at that place, any other
// line is a command keyword with its argument after the last blank
// ("BLOCKSIZE 3"), or none.

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/targets/fuzz_input.h"
#include "platform/event_loop.h"
#include "posfunc/display/customer_display.h"
#include "posfunc/display/display_update.h"
#include "posfunc/state.h"

namespace {

constexpr unsigned char kAccepted = 0;

unsigned char KBX_CALL takeByte(unsigned char) { return kAccepted; }
unsigned char KBX_CALL chooseInterface(unsigned char) { return kAccepted; }
unsigned char KBX_CALL noInterface() { return kAccepted; }

kbxfunc::Kbxi32Functions acceptingInterface() {
    kbxfunc::Kbxi32Functions functions;
    functions.setInterface = &chooseInterface;
    functions.getInterface = &noInterface;
    functions.chkInterface = &noInterface;
    functions.sndInterface = &takeByte;
    return functions;
}

// The leading number of `text` and what follows its blank; false without one.
bool takeNumber(std::string_view& text, int& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data() + text.size() || *end != ' ') return false;
    text.remove_prefix(std::size_t(end - text.data()) + 1);
    return true;
}

void runLine(kbxfunc::FuncState& state, std::string_view line) {
    std::string_view rest = line;
    int row = 0;
    int column = 0;
    if (takeNumber(rest, row) && row != 0 && takeNumber(rest, column)) {
        std::string text(rest);
        kbxfunc::displayText(state, text.data(), row, column);
        return;
    }
    int value = 0;
    std::string keyword(line);
    const std::size_t blank = line.rfind(' ');
    if (blank != std::string_view::npos) {
        std::string_view number = line.substr(blank + 1);
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
        if (error == std::errc() && end == number.data() + number.size()) keyword.resize(blank);
    }
    kbxfunc::displayText(state, keyword.data(), 0, value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kbx::platform::resetLoopForTests();
    kbxfunc::resetStateForTests();
    kbxfunc::FuncState& state = kbxfunc::state();
    state.kbxi.useFunctions(acceptingInterface(), false);
    state.commands.interfaceChosen = true;
    kbxfunc::openDisplay(state);
    kbxfuzz::forEachLine(kbxfuzz::textOf(data, size), [&state](std::string_view line) {
        runLine(state, line);
        kbxfunc::runUpdatePass(state);
    });
    kbxfunc::closeDisplay(state);
    kbxfunc::resetStateForTests();
    kbx::platform::resetLoopForTests();
    return 0;
}
