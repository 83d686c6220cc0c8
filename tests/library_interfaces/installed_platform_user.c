/* A point-of-sale application as kbxfunc.h describes it: it runs the
 * library's hook and timers through the event loop of kbxplatform.h. */
#include <kbxfunc.h>
#include <kbxplatform.h>

int main(void) {
    if (kbx_platform_fd() < 0) return 1;
    if (kbx_platform_dispatch(0) < 0) return 2;
    return kbx_set_language(1) == 0 && kbx_get_language() == 1 ? 0 : 3;
}
