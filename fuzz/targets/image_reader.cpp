// The image reader of kbxdump over the bytes of an image file, and the
// printer over every image it accepts.

#include "fuzz/targets/fuzz_input.h"
#include "kbxdump/image_printer.h"
#include "kbxdump/image_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const kbxdump::ReadResult result = kbxdump::readImage(kbxfuzz::bytesOf(data, size));
    if (result.ok()) (void)kbxdump::formatImage(*result.image);
    return 0;
}
