#include "kbxc32.h"

#include "compiler/driver.h"

extern "C" KBXC_EXPORT int KBX_CALL kbxc(const char* source, const char* output, const char* log,
                                         KbxcProgress progress) {
    return kbxcCompileLayout(source, output, log, progress);
}
