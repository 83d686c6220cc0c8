/* A program of the interface library alone: it calls nothing of
 * kbxplatform.h, which the library links by itself. */
#include <kbxi32.h>

int main(void) { return kbx_set_interface(9) == 1 ? 0 : 1; }
