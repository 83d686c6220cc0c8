#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

// The dynamic symbols a shared library defines, as `nm` lists them.
std::string definedSymbols(const std::string& library) {
    const std::string command = "nm -D --defined-only --format=posix " + library + " 2>&1";
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::string names;
    char line[512];
    while (pipe && std::fgets(line, sizeof line, pipe.get())) {
        std::string entry(line);
        const std::string name = entry.substr(0, entry.find(' '));
        const char kind = entry.size() > name.size() + 1 ? entry[name.size() + 1] : '?';
        if (kind == 'T' || kind == 'W' || kind == 'D' || kind == 'B' || kind == 'i') names += name + "\n";
    }
    return names;
}

TEST(Exports, CompilerLibraryExportsOnlyKbxc) {
    EXPECT_EQ(definedSymbols(KBX_LIBRARY_DIR "/libkbxc32.so"), "kbxc\n");
}

}  // namespace
