/* A program of a shop application's developer, built against an installed
 * tree with nothing but its headers, pkg-config files and libraries: it
 * compiles a layout with the compiler library, checks the image with the
 * interface library's download of a file that is not there, and sets a
 * language in the point-of-sale library (in a file of its own: the
 * interface and point-of-sale headers each declare their own
 * kbx_set_interface). Exits 0 when every call answered as the headers say.
 *
 *   installed_libraries_user SOURCE.kbf IMAGE.kbx LOG */
#include <stdio.h>

#include <kbxc32.h>
#include <kbxi32.h>

int point_of_sale_language_sticks(void);

int main(int argc, char** argv) {
    if (argc != 4) {
        fprintf(stderr, "usage: %s SOURCE.kbf IMAGE.kbx LOG\n", argv[0]);
        return 2;
    }
    int failures = 0;
    const int compiled = kbxc(argv[1], argv[2], argv[3], NULL);
    if (compiled != KBXC_OK) {
        fprintf(stderr, "kbxc gave %d\n", compiled);
        ++failures;
    }
    char message[KBXI_MESSAGE_CAPACITY] = "AT";
    const int missing = kbx_download("/nonexistent/image.kbx", message, NULL);
    if (missing >= 0) {
        fprintf(stderr, "kbx_download of a missing file gave %d\n", missing);
        ++failures;
    }
    if (!point_of_sale_language_sticks()) ++failures;
    return failures == 0 ? 0 : 1;
}
