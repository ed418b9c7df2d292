/*
 * Interim text output: nothing is drawn yet, so no text is reported as drawn (FALSE).
 */
#include "render/pdl/text/text_output.h"

BOOL WINAPI fnt_TextOut(SURFOBJ *, STROBJ *, FONTOBJ *, CLIPOBJ *, RECTL *, RECTL *, BRUSHOBJ *, BRUSHOBJ *, POINTL *,
                        MIX)
{
    return FALSE;
}
