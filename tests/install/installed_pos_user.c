/* The point-of-sale half of installed_libraries_user.c. */
#include <stdio.h>

#include <kbxfunc.h>

int point_of_sale_language_sticks(void) {
    kbx_set_language(1);
    if (kbx_get_language() == 1) return 1;
    fprintf(stderr, "kbx_get_language gave %d after kbx_set_language(1)\n", kbx_get_language());
    return 0;
}
