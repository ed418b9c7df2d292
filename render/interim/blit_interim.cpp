// Interim definitions of the hand-offs whose areas are not built yet (handoffs.h). Each
// is replaced by its area's own definition, which removes it from here.
#include "render/pdl/blit/blit.h"

// vec_BitBlt: nothing is drawn, so the blit is not reported as drawn.
BOOL WINAPI vec_BitBlt(SURFOBJ *, SURFOBJ *, SURFOBJ *, CLIPOBJ *, XLATEOBJ *, RECTL *, RECTL *, POINTL *, RECTL *,
                       POINTL *, BRUSHOBJ *, POINTL *, ROP4)
{
    return FALSE;
}

// vec_DrawPath: nothing is drawn.
BOOL WINAPI vec_DrawPath(SURFOBJ *, PATHOBJ *, CLIPOBJ *, XFORMOBJ *, BRUSHOBJ *, BRUSHOBJ *, POINTL *, LINEATTRS *,
                         MIX, FLONG, ULONG)
{
    return FALSE;
}

// fnt_TextOut: nothing is drawn.
BOOL WINAPI fnt_TextOut(SURFOBJ *, STROBJ *, FONTOBJ *, CLIPOBJ *, RECTL *, RECTL *, BRUSHOBJ *, BRUSHOBJ *, POINTL *,
                        MIX)
{
    return FALSE;
}

// img_FlushImageQueue: the queue is empty (nothing is queued yet), so flushing it succeeds.
BOOL WINAPI img_FlushImageQueue(PDEV *, DWORD)
{
    return TRUE;
}

