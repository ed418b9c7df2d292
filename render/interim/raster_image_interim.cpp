/*
 * Interim rotation buffer: no image is rotated yet, so there is no buffer to make or free (0).
 */
#include "render/pdl/images/raster_image.h"

LONG WINAPI img_CreateRotateBuffer(PDEV *)
{
    return 0;
}

void WINAPI img_FreeRotateBuffer(PDEV *) {}
