#include "tests/support/symbols.h"

#include <cstdio>
#include <memory>

namespace kbxtest {

std::string definedSymbols(const std::string& library) {
    const std::string command = "nm -D --defined-only --format=posix " + library + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string names;
    char line[512];
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        const std::string entry(line);
        const std::string symbol = entry.substr(0, entry.find(' '));
        const char kind = entry.size() > symbol.size() + 1 ? entry[symbol.size() + 1] : '?';
        // The name without its version ("kbxc@@KBXC32_1"); the library
        // interface tests check the versions.
        const std::string name = symbol.substr(0, symbol.find('@'));
        // Functions and data; version definitions of a version script are not symbols of the code.
        if (kind == 'T' || kind == 'W' || kind == 'D' || kind == 'B' || kind == 'R' || kind == 'i') {
            names += name + "\n";
        }
    }
    return names;
}

}  // namespace kbxtest
