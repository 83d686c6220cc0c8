#pragma once

// Opening and closing the library: the keyboard state to start from and the
// key event source that feeds the hook procedure.

namespace kbxfunc {

struct FuncState;

// kbx_open: 0, or 1 when the configured key event source cannot be opened.
// With no source configured the library opens all the same; the hook then
// sees only what is handed to KeybrdHook.
int openLibrary(FuncState& state);

// kbx_close: 0, or 1 when the library was not open. Callbacks stay stored.
int closeLibrary(FuncState& state);

}  // namespace kbxfunc
