/*
 * Interim colour conversion: colours are not converted yet; they are copied and stay RGB (1).
 */
#include "render/pdl/colour/colour_convert.h"

#include <string.h>

LONG WINAPI clr_ConvertColors(PDEV *, DWORD, const BYTE *in, BYTE *out, DWORD count)
{
    if (in == NULL || out == NULL) {
        return -1;
    }
    memmove(out, in, 3 * (size_t)count);
    return 1;
}
