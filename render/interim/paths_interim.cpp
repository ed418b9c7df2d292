/*
 * Interim paths: nothing is drawn yet, so no path is reported as drawn (FALSE).
 */
#include "render/pdl/paths/paths.h"

BOOL WINAPI vec_DrawPath(SURFOBJ *, PATHOBJ *, CLIPOBJ *, XFORMOBJ *, BRUSHOBJ *, BRUSHOBJ *, POINTL *, LINEATTRS *,
                         MIX, FLONG, ULONG)
{
    return FALSE;
}
