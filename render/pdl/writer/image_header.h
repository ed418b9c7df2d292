/*
 * The operand record of the colour image command, as the image code fills it and the
 * image queue stores it: 60 bytes with one-byte packing (64 where the palette pointer is
 * 8 bytes), fields in stream order.
 */
#ifndef QM_RENDER_PDL_WRITER_IMAGE_HEADER_H
#define QM_RENDER_PDL_WRITER_IMAGE_HEADER_H

#include <windows.h>
#include "platform/include/qm_layout.h"

#define IMAGE_MASK_NONE 1
#define IMAGE_MASK_BITS 2 // mask rows follow the header
#define IMAGE_SOURCE_NONE 1
#define IMAGE_SOURCE_DATA 2 // pixel data follows the header
#define IMAGE_COLOR_GREY 3
#define IMAGE_COLOR_RGB 4
#define IMAGE_COLOR_JPEG 5
#define IMAGE_COLOR_GREY_PALETTE 10
#define IMAGE_COLOR_RGB_PALETTE 11
#define IMAGE_COLOR_SEPARATE_PALETTE 15 // the palette went ahead as its own command

#pragma pack(push, 1)
struct ImageHeader {
    float x; // origin on the page
    float y;
    float placement[6]; // the caller's placement values
    WORD width;         // pixels of the data
    WORD height;
    BYTE maskKind;         // IMAGE_MASK_*
    BYTE maskZero;         // 0; sent only for mask kind 2
    DWORD maskBytes;       // sent only for mask kind 2
    BYTE sourceKind;       // IMAGE_SOURCE_*
    BYTE colorType;        // IMAGE_COLOR_*
    BYTE paletteEntryBits; // 8
    WORD paletteEntries;
    WORD paletteBytes; // 3 per entry
    BYTE *palette;
    BYTE compression; // 1 none, 4 JPEG, 6 and 7 outside component, 8 run coder
    BYTE bitsPerComponent;
    BYTE dataPresent; // 1
    DWORD dataBytes;
};
#pragma pack(pop)

static_assert(sizeof(ImageHeader) == QM_LAYOUT(60, 64), "ImageHeader");

#endif /* QM_RENDER_PDL_WRITER_IMAGE_HEADER_H */
