#include "posfunc/state.h"

#include <memory>

namespace kbxfunc {
namespace {

std::unique_ptr<FuncState>& instance() {
    static std::unique_ptr<FuncState> state = std::make_unique<FuncState>();
    return state;
}

}  // namespace

FuncState& state() { return *instance(); }

void resetStateForTests() { instance() = std::make_unique<FuncState>(); }

}  // namespace kbxfunc
