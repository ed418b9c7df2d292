/*
 * Raster image output: the buffer images of turned pages are rotated in (one a job,
 * reused), and the rotation by 90 degrees itself.
 */
#ifndef QM_RENDER_PDL_IMAGES_RASTER_IMAGE_H
#define QM_RENDER_PDL_IMAGES_RASTER_IMAGE_H

#include <windows.h>

#include "platform/include/qm_layout.h"

/* Images are turned only when both sides exceed this many pixels. */
#define IMG_ROTATE_MIN_SIDE 64

/* RotateBuffer: capacity and buffer; grows, never shrinks (global memory). */
typedef struct RotateBuffer {
    DWORD capacity;
    BYTE *buffer;
} RotateBuffer;

static_assert(sizeof(RotateBuffer) == QM_LAYOUT(8, 16), "RotateBuffer");

/* img_CreateRotateBuffer: an empty rotation buffer, NULL without memory. */
RotateBuffer *img_CreateRotateBuffer(void);

/* img_FreeRotateBuffer: frees holder and its buffer (NULL: nothing). */
void img_FreeRotateBuffer(RotateBuffer *holder);

/* img_WantsRotation: whether an image of that size and depth is turned on a sideways
 * page: both sides above 64 pixels, 8, 16, 24 or 32 bits a pixel. */
BOOL img_WantsRotation(DWORD width, DWORD height, DWORD bits);

/*
 * img_Rotate90: turns width x height pixels of bits each (rows of rowBytes) a quarter
 * turn into holder's buffer: output row i is source column i read from the bottom row
 * up, output[i][height - 1 - j] = source[j][i], rows padded to alignment bytes. 0 with
 * *rotated the buffer; 1 not rotated (no holder, another depth, no memory).
 */
LONG img_Rotate90(RotateBuffer *holder, DWORD width, DWORD height, DWORD rowBytes, DWORD bits, const BYTE *data,
                  DWORD alignment, BYTE **rotated);

/* img_RotatePlacement: the placement of a turned image: (p0..p5) becomes
 * (-p1, p0, -p3, p2, 0, 0). */
void img_RotatePlacement(float placement[6]);

#endif /* QM_RENDER_PDL_IMAGES_RASTER_IMAGE_H */
