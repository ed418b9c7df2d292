/*
 * Small text helpers: vector lengths, the glyph mode, the font transform.
 */
#include "render/pdl/fonts/fonts.h"

#include <stdlib.h>

// fnt_GetGlyphMode: see fonts.h.
ULONG WINAPI fnt_GetGlyphMode(DHPDEV, FONTOBJ *)
{
    return FO_GLYPHBITS;
}

// fnt_TransformPoints: see fonts.h.
BOOL WINAPI fnt_TransformPoints(FONTOBJ *pfo, ULONG count, POINTL *in, POINTL *out)
{
    if (pfo == NULL || in == NULL || out == NULL) {
        return FALSE;
    }
    XFORMOBJ *xform = FONTOBJ_pxoGetXform(pfo);
    if (xform == NULL) {
        return FALSE;
    }
    return XFORMOBJ_bApplyXform(xform, XF_LTOL, count, in, out);
}

// fnt_VectorLength: see fonts.h. An integer square-root walk: starting at the larger
// component r, (r + n)^2 - r^2 is the sum of the odd numbers 2r + 1, 2r + 3, ...; n grows
// until that sum covers the square of the smaller component.
LONG WINAPI fnt_VectorLength(LONG a, LONG b)
{
    unsigned long long x = (unsigned long long)llabs(a);
    unsigned long long y = (unsigned long long)llabs(b);
    if (x == 0) {
        return (LONG)y;
    }
    if (y == 0) {
        return (LONG)x;
    }
    unsigned long long larger = x > y ? x : y;
    unsigned long long smaller = x > y ? y : x;
    unsigned long long target = smaller * smaller;
    unsigned long long covered = 0;
    unsigned long long odd = 2 * larger + 1;
    unsigned long long length = larger;
    while (covered < target) {
        covered += odd;
        odd += 2;
        ++length;
    }
    return (LONG)length;
}
