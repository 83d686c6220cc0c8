// The settings file reader (sections and keys) over a whole file's text,
// then a write into what it read and look-ups of what was written, in the
// file as it is and as it reads back from its saved text.

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
    if (!file.writeString(kSection, kKey, kValue)) __builtin_trap();
    // What was written reads back, before and after the file is saved and read again.
    if (file.readString(kSection, kKey, "") != kValue) __builtin_trap();
    if (kbx::ProfileFile::parse(file.text()).readString(kSection, kKey, "") != kValue) __builtin_trap();
    return 0;
}
