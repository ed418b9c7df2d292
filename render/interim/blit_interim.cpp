/*
 * Interim blit core: nothing is drawn yet, so no blit is reported as drawn (FALSE).
 */
#include "render/pdl/blit/blit.h"

BOOL WINAPI vec_BitBlt(SURFOBJ *, SURFOBJ *, SURFOBJ *, CLIPOBJ *, XLATEOBJ *, RECTL *, RECTL *, POINTL *, RECTL *,
                       POINTL *, BRUSHOBJ *, POINTL *, ROP4)
{
    return FALSE;
}
