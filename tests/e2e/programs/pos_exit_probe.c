/* A point-of-sale program at its simplest: it opens the library and ends
 * with the library still open, by returning from main or by exit(). */
#include <stdlib.h>
#include <string.h>

#include "kbxfunc.h"

int main(int argc, char** argv) {
    if (kbx_open() != 0) return 3;
    if (argc > 1 && strcmp(argv[1], "exit") == 0) exit(0);
    return 0;
}
