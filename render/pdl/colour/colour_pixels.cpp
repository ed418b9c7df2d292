/*
 * Pixel routines of the colour pipeline and the grey test.
 */
#include "render/pdl/colour/colour_pixels.h"

void WINAPI clr_RgbToInkGrey(const BYTE *source, BYTE *destination, DWORD pixels, DWORD lines)
{
    size_t n = (size_t)pixels * lines;
    for (size_t i = 0; i < n; i++) {
        const BYTE *p = source + i * 3;
        destination[i] = (BYTE)(((p[1] * 151 + p[0] * 28 + p[2] * 77) >> 8) ^ 0xFF);
    }
}

void WINAPI img_MaskWhitePixels(const BYTE *source, BYTE *destination, DWORD pixels, DWORD lines)
{
    size_t n = (size_t)pixels * lines;
    for (size_t i = 0; i < n; i++) {
        const BYTE *p = source + i * 3;
        BYTE v = (p[0] == 0xFF && p[1] == 0xFF && p[2] == 0xFF) ? 0xFF : 0x00;
        BYTE *q = destination + i * 3;
        q[0] = q[1] = q[2] = v;
    }
}

void WINAPI img_InvertBytes(const BYTE *source, BYTE *destination, DWORD length, DWORD lines)
{
    size_t n = (size_t)length * lines;
    for (size_t i = 0; i < n; i++)
        destination[i] = (BYTE)~source[i];
}

LONG WINAPI img_CheckCachedColor(const DWORD *kept, const BYTE *data, DWORD pixels)
{
    if (kept != NULL && (*kept == IMG_COLOR_FOUND || *kept == IMG_ALL_GREY))
        return (LONG)*kept;
    if (data == NULL)
        return -1;
    for (DWORD i = 0; i < pixels; i++) {
        const BYTE *p = data + (size_t)i * 3;
        if (p[0] != p[1] || p[1] != p[2])
            return IMG_COLOR_FOUND;
    }
    return IMG_ALL_GREY;
}
