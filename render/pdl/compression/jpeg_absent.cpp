/*
 * JPEG output of a build without libjpeg: no image is ever JPEG-compressed (3, not
 * smaller), so images go out raw or by another method.
 */
#include "render/pdl/compression/jpeg_output.h"

LONG WINAPI jpg_CompressImage(BYTE *colourType, struct TempJobFile *spill, DWORD, DWORD, BYTE *method, DWORD *length,
                              BYTE *data)
{
    if (colourType == NULL || spill == NULL || method == NULL || length == NULL || data == NULL)
        return JPG_MISSING;
    return JPG_NOT_SMALLER;
}
