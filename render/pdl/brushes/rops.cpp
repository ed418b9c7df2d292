/*
 * Engine mixes and ROP4s turned into the stream's raster-operation codes.
 */
#include "render/pdl/brushes/brushes.h"

/* ROP3 of each R2 code (0..15; 16 is taken as 0). */
static const BYTE kMixToRop3[16] = {
    0xFF, 0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F, 0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA};

/* The ROP3 bytes the stream has codes for, and their codes. */
static const BYTE kRop3Table[16] = {
    0xFF, 0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F, 0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA};
static const BYTE kRop3Codes[16] = {16, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};

static BYTE rops_CodeOf(BYTE rop3)
{
    for (int i = 0; i < 16; ++i) {
        if (kRop3Table[i] == rop3) {
            return kRop3Codes[i];
        }
    }
    return ROP_CODE_PATCOPY;
}

WORD vec_MixToRop3(MIX mix)
{
    BYTE foreground = kMixToRop3[mix & 0x0F];
    BYTE background = kMixToRop3[(mix >> 8) & 0x0F];
    return (WORD)(background << 8 | foreground);
}

WORD vec_Rop3ToCode(ROP4 rop4)
{
    return (WORD)(rops_CodeOf((BYTE)(rop4 >> 8)) << 8 | rops_CodeOf((BYTE)rop4));
}

int vec_ValuesFit16(const LONG *values, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        if (values[i] < -32768 || values[i] > 32767) {
            return 0;
        }
    }
    return 1;
}

void vec_ToWireOrder(BYTE *colors, DWORD count)
{
    for (DWORD i = 0; i < count; ++i, colors += 3) {
        BYTE first = colors[0];
        colors[0] = colors[2];
        colors[2] = first;
    }
}
