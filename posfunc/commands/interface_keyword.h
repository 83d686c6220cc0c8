#pragma once

// The interface chosen by keyword: the beginning of the text names it.

namespace kbxfunc {

struct FuncState;

// "AUTO", "USB", "2000", "NT", "W95", "W98", "ME": the interface library's
// result of selecting that interface; 1 for any other text.
int setInterfaceByKeyword(FuncState& state, const char* keyword);

}  // namespace kbxfunc
