/*
 * The quarter turn of images on sideways pages, in the job's one reused buffer.
 */
#include "render/pdl/images/raster_image.h"

#include <string.h>

/* Pixels a side of the square turned at a time. */
static const DWORD kRotateTile = 64;

RotateBuffer *img_CreateRotateBuffer(void)
{
    return (RotateBuffer *)GlobalAlloc(GPTR, sizeof(RotateBuffer));
}

void img_FreeRotateBuffer(RotateBuffer *holder)
{
    if (holder == NULL) {
        return;
    }
    if (holder->buffer != NULL) {
        GlobalFree(holder->buffer);
    }
    GlobalFree(holder);
}

BOOL img_WantsRotation(DWORD width, DWORD height, DWORD bits)
{
    return width > IMG_ROTATE_MIN_SIDE && height > IMG_ROTATE_MIN_SIDE &&
           (bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

LONG img_Rotate90(RotateBuffer *holder, DWORD width, DWORD height, DWORD rowBytes, DWORD bits, const BYTE *data,
                  DWORD alignment, BYTE **rotated)
{
    if (holder == NULL || data == NULL || rotated == NULL || width == 0 || height == 0 ||
        (bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        return 1;
    }
    DWORD pixel = bits / 8;
    if (alignment == 0) {
        alignment = 1;
    }
    ULONGLONG outRow = ((ULONGLONG)height * pixel + alignment - 1) / alignment * alignment;
    ULONGLONG need = outRow * width;
    if (need > 0xFFFFFFFFu) {
        return 1;
    }
    if (need > holder->capacity) {
        BYTE *grown = (BYTE *)GlobalAlloc(GMEM_FIXED, (SIZE_T)need);
        if (grown == NULL) {
            return 1;
        }
        if (holder->buffer != NULL) {
            GlobalFree(holder->buffer);
        }
        holder->buffer = grown;
        holder->capacity = (DWORD)need;
    }
    memset(holder->buffer, 0, (SIZE_T)need);
    // In tiles, so that the rows read and the rows written stay in the cache.
    for (DWORD j0 = 0; j0 < height; j0 += kRotateTile) {
        DWORD j1 = j0 + kRotateTile < height ? j0 + kRotateTile : height;
        for (DWORD i0 = 0; i0 < width; i0 += kRotateTile) {
            DWORD i1 = i0 + kRotateTile < width ? i0 + kRotateTile : width;
            for (DWORD j = j0; j < j1; ++j) {
                const BYTE *in = data + (SIZE_T)j * rowBytes;
                BYTE *out = holder->buffer + (SIZE_T)(height - 1 - j) * pixel;
                for (DWORD i = i0; i < i1; ++i) {
                    const BYTE *from = in + (SIZE_T)i * pixel;
                    BYTE *to = out + (SIZE_T)i * outRow;
                    for (DWORD b = 0; b < pixel; ++b) {
                        to[b] = from[b];
                    }
                }
            }
        }
    }
    *rotated = holder->buffer;
    return 0;
}

void img_RotatePlacement(float placement[6])
{
    float p0 = placement[0];
    float p1 = placement[1];
    float p2 = placement[2];
    float p3 = placement[3];
    placement[0] = -p1;
    placement[1] = p0;
    placement[2] = -p3;
    placement[3] = p2;
    placement[4] = 0.0f;
    placement[5] = 0.0f;
}
