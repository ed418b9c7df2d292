/*
 * Pixel routines of the colour pipeline over 3-byte pixels (blue, green, red) and bytes,
 * and the grey test of an image's pixels.
 */
#ifndef QM_RENDER_PDL_COLOUR_COLOUR_PIXELS_H
#define QM_RENDER_PDL_COLOUR_COLOUR_PIXELS_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* clr_RgbToInkGrey: one byte per pixel, ((b1 * 151 + b0 * 28 + b2 * 77) >> 8) XOR 0xFF. */
void WINAPI clr_RgbToInkGrey(const BYTE *source, BYTE *destination, DWORD pixels, DWORD lines);

/* img_MaskWhitePixels: FF FF FF stays, every other pixel becomes 00 00 00. */
void WINAPI img_MaskWhitePixels(const BYTE *source, BYTE *destination, DWORD pixels, DWORD lines);

/* img_InvertBytes: each byte complemented (length bytes per line). */
void WINAPI img_InvertBytes(const BYTE *source, BYTE *destination, DWORD length, DWORD lines);

/* Results of the grey test. */
#define IMG_COLOR_FOUND 1
#define IMG_ALL_GREY 2

/* img_CheckCachedColor: the kept analysis result when it is 1 or 2; otherwise the exact
 * grey test (all three bytes equal) over pixels 3-byte pixels: 1 a colour found, 2 all
 * grey. -1 without data. */
LONG WINAPI img_CheckCachedColor(const DWORD *kept, const BYTE *data, DWORD pixels);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COLOUR_COLOUR_PIXELS_H */
