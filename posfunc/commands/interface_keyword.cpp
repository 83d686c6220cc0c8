#include "posfunc/commands/interface_keyword.h"

#include <array>
#include <string_view>

#include "posfunc/commands/byte_transport.h"
#include "posfunc/state.h"

namespace kbxfunc {
namespace {

struct InterfaceKeyword {
    std::string_view keyword;  // compared with the text's beginning, in table order
    unsigned char selector;    // the interface library's interface number
};

constexpr std::array kInterfaceKeywords{
    InterfaceKeyword{"AUTO", 0}, InterfaceKeyword{"USB", 4}, InterfaceKeyword{"2000", 3},
    InterfaceKeyword{"NT", 2},   InterfaceKeyword{"W95", 1}, InterfaceKeyword{"W98", 1},
    InterfaceKeyword{"ME", 1},
};

}  // namespace

int setInterfaceByKeyword(FuncState& state, const char* keyword) {
    if (keyword == nullptr) return kCommandFailed;
    if (openCommandBracket(state) != 0) return kCommandFailed;
    // No byte sequence is being prepared once the selection is made.
    state.commands.busy = false;
    const std::string_view text(keyword);
    for (const InterfaceKeyword& entry : kInterfaceKeywords) {
        if (!text.starts_with(entry.keyword)) continue;
        state.commands.interfaceChosen = true;
        return state.kbxi.functions().setInterface(entry.selector);
    }
    return kCommandFailed;
}

}  // namespace kbxfunc
