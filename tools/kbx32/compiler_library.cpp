#include "tools/kbx32/compiler_library.h"

namespace kbx32 {

CompilerLibrary::CompilerLibrary(const std::string& fileName) : library_(fileName) {
    entry_ = library_.symbol<Entry>(kCompilerEntryName);
}

}  // namespace kbx32
