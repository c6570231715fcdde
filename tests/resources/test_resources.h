/* Raw-data resources of the test program. The Windows build compiles them into the program
   (keyseq_tests.rc); the host tests register the same words in the simulation's resource
   registry. Each list is 16-bit words, stored little-endian as the resource compiler stores
   them. This file is read by the resource compiler too, so it holds only macros. */
#ifndef KEYSEQ_TEST_RESOURCES_H
#define KEYSEQ_TEST_RESOURCES_H

/* UTF-16LE text with its byte-order mark: "键序台". */
#define KEYSEQ_RES_TEXT_BOM 901
#define KEYSEQ_RES_TEXT_BOM_WORDS 0xFEFF, 0x952E, 0x5E8F, 0x53F0

/* UTF-16LE text without a byte-order mark and with a zero unit inside: "A键", 0, "B". */
#define KEYSEQ_RES_TEXT_PLAIN 902
#define KEYSEQ_RES_TEXT_PLAIN_WORDS 0x0041, 0x952E, 0x0000, 0x0042

/* Bytes 01 02 03 04 00 FF. */
#define KEYSEQ_RES_DATA 903
#define KEYSEQ_RES_DATA_WORDS 0x0201, 0x0403, 0xFF00

/* A 24-bit BMP file of 3 x 2 pixels: red, green, blue over white, black, magenta. */
#define KEYSEQ_RES_PICTURE 904
#define KEYSEQ_RES_PICTURE_WORDS                                                                   \
    0x4D42, 0x004E, 0x0000, 0x0000, 0x0000, 0x0036, 0x0000, 0x0028, 0x0000, 0x0003, 0x0000,        \
        0x0002, 0x0000, 0x0001, 0x0018, 0x0000, 0x0000, 0x0018, 0x0000, 0x0B13, 0x0000, 0x0B13,    \
        0x0000, 0x0000, 0x0000, 0x0000, 0x0000, 0xFFFF, 0x00FF, 0x0000, 0x00FF, 0x00FF, 0x0000,    \
        0x0000, 0x00FF, 0x00FF, 0x00FF, 0x0000, 0x0000

/* Not a picture: bytes that no decoder reads. */
#define KEYSEQ_RES_NOT_PICTURE 905
#define KEYSEQ_RES_NOT_PICTURE_WORDS 0x6F6E, 0x2074, 0x6E61, 0x6920, 0x616D, 0x6567

/* The program icon, as a group icon. */
#define KEYSEQ_RES_ICON 920

/* The two icons keyseq.exe has under the same identifiers: its main window's icon 500 and
   the icon 100 that forms use when they have none of their own. */
#define KEYSEQ_RES_MAIN_WINDOW_ICON 500
#define KEYSEQ_RES_FORM_ICON 100

/* Identifiers with no resource of any kind. */
#define KEYSEQ_RES_MISSING 999

#endif
