// The settings file reader (sections and keys) over a whole file's text,
// read again from what it gives back, then a write into what it read and a look-up of what was written.

#include <string>

#include "fuzz/targets/fuzz_input.h"
#include "platform/profile_file.h"

namespace {
constexpr char kSection[] = "Fuzz";
constexpr char kKey[] = "Key";
constexpr char kValue[] = "value";
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kbx::ProfileFile file = kbx::ProfileFile::parse(kbxfuzz::textOf(data, size));
    const std::string text = file.text();
    if (kbx::ProfileFile::parse(text).text() != text) __builtin_trap();
    if (file.writeString(kSection, kKey, kValue) && file.readString(kSection, kKey, "") != kValue)
        __builtin_trap();
    return 0;
}
