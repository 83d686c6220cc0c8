// The bounded bitmap loader of legend pictures over a whole file's bytes.

#include "editor/ui/legend/legend_picture.h"
#include "fuzz/targets/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QImage image = keyui::legend::decodeBitmap(kbxfuzz::bytesOf(data, size));
    if (!image.isNull() && (image.width() > keyui::legend::kMaxPictureSide ||
                            image.height() > keyui::legend::kMaxPictureSide))
        __builtin_trap();
    return 0;
}
