#include "posfunc/commands/byte_transport.h"

#include "posfunc/state.h"

namespace kbxfunc {
namespace {

constexpr unsigned char kAutomaticInterface = 0;

}  // namespace

int openCommandBracket(FuncState& state) {
    if (!state.kbxi.loaded() && state.kbxi.load() != 0) return kCommandFailed;
    state.commands.busy = true;
    if (state.kbxi.ntFamily()) state.kbxi.functions().vddKbdCapture();
    state.commands.bracketOpen = true;
    return 0;
}

int closeCommandBracket(FuncState& state) {
    CommandState& commands = state.commands;
    commands.busy = false;
    if (!commands.bracketOpen || !state.kbxi.ntFamily()) return kCommandFailed;
    // The interface library may have been unloaded since the bracket opened;
    // then there is nothing left that holds the keyboard.
    if (state.kbxi.loaded()) {
        state.kbxi.functions().vddKbdClr();
        state.kbxi.functions().vddKbdRelease();
    }
    commands.bracketOpen = false;
    return 0;
}

int sendCommandByte(FuncState& state, std::uint8_t byte) {
    if (openCommandBracket(state) != 0) return kCommandFailed;
    if (!state.commands.interfaceChosen) {
        state.kbxi.functions().setInterface(kAutomaticInterface);
        state.commands.interfaceChosen = true;
    }
    state.commands.busy = false;
    return state.kbxi.functions().sndInterface(byte);
}

}  // namespace kbxfunc
