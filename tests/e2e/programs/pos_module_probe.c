/* A point-of-sale program that reads barcodes: it opens the library, chooses
 * the national keyboard, and prints each barcode frame its callback is given
 * as the count and the text's bytes in hex, until it has the frames it was
 * told to wait for or 20 seconds have passed.
 *
 *   pos_module_probe LANGUAGE FRAMES */
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

#include "kbxfunc.h"
#include "kbxplatform.h"

static int framesSeen = 0;

static void KBX_CALL onBarcode(int count) {
    const unsigned char* text = (const unsigned char*)kbx_get_barcode();
    printf("barcode %d:", count);
    for (int i = 0; text[i] != 0; ++i) printf(" %02X", text[i]);
    printf("\n");
    fflush(stdout);
    ++framesSeen;
}

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    const int frames = atoi(argv[2]);
    if (kbx_open() != 0) return 3;
    if (kbx_set_language(atoi(argv[1])) != 0) return 4;
    if (kbx_callback_barcode(onBarcode) != 0) return 5;
    const time_t deadline = time(NULL) + 20;
    while (framesSeen < frames && time(NULL) < deadline) kbx_platform_dispatch(100);
    kbx_close();
    return framesSeen == frames ? 0 : 1;
}
