/*
 * The one-bit mask test and the single-rectangle clip of an image's destination.
 */
#include "render/pdl/images/image_checks.h"

#include "render/pdl/images/row_convert.h"

/* Codes of ROP kind 2 whose images may go out as one-bit masks. */
static const DWORD kMaskCodes[] = {184, 226};

// checks_IsBlackOrWhite: colour translates to black or white.
static BOOL checks_IsBlackOrWhite(XLATEOBJ *pxlo, ULONG colour)
{
    ULONG translated = XLATEOBJ_iXlate(pxlo, colour) & 0xFFFFFF;
    return translated == 0 || translated == 0xFFFFFF;
}

// checks_Pixels: every pixel of the area is black or white.
static BOOL checks_Pixels(const SURFOBJ *pso, DWORD bits, DWORD width, DWORD height, const POINTL *origin,
                          XLATEOBJ *pxlo)
{
    for (DWORD j = 0; j < height; ++j) {
        const BYTE *line = (const BYTE *)pso->pvScan0 + (LONG_PTR)(origin->y + (LONG)j) * pso->lDelta;
        for (DWORD i = 0; i < width; ++i) {
            DWORD at = (DWORD)origin->x + i;
            ULONG pixel;
            switch (bits) {
            case 4: pixel = (at & 1) ? (line[at / 2] & 0x0F) : (line[at / 2] >> 4); break;
            case 8: pixel = line[at]; break;
            case 16: pixel = (ULONG)line[at * 2] | ((ULONG)line[at * 2 + 1] << 8); break;
            case 24:
                pixel = (ULONG)line[at * 3] | ((ULONG)line[at * 3 + 1] << 8) | ((ULONG)line[at * 3 + 2] << 16);
                break;
            default:
                pixel = (ULONG)line[at * 4] | ((ULONG)line[at * 4 + 1] << 8) | ((ULONG)line[at * 4 + 2] << 16) |
                        ((ULONG)line[at * 4 + 3] << 24);
                break;
            }
            if (!checks_IsBlackOrWhite(pxlo, pixel)) {
                return FALSE;
            }
        }
    }
    return TRUE;
}

BOOL img_IsBlackAndWhite(const SURFOBJ *pso, DWORD width, DWORD height, const POINTL *origin, XLATEOBJ *pxlo,
                         DWORD *kept, DWORD kind, DWORD code)
{
    BOOL answer = FALSE;
    BOOL codeFits = FALSE;
    for (DWORD c : kMaskCodes) {
        codeFits = codeFits || code == c;
    }
    DWORD bits = pso != NULL ? img_BitmapBits(pso->iBitmapFormat) : 0;
    if (kind == IMG_ROP_KIND_ROP3 && codeFits && bits != 0 && pso->pvScan0 != NULL && origin != NULL &&
        origin->x >= 0 && origin->y >= 0) {
        if (bits == 1) {
            answer = checks_IsBlackOrWhite(pxlo, 0) && checks_IsBlackOrWhite(pxlo, 1);
        } else {
            answer = checks_Pixels(pso, bits, width, height, origin, pxlo);
        }
    }
    if (kept != NULL) {
        *kept = answer ? 1 : 0;
    }
    return answer;
}

BOOL img_IsClippedByRect(DWORD width, DWORD height, const CLIPOBJ *pco, const RECTL *dest)
{
    if (pco == NULL || dest == NULL || pco->iDComplexity != DC_RECT) {
        return FALSE;
    }
    if ((LONGLONG)dest->right - dest->left != (LONGLONG)width ||
        (LONGLONG)dest->bottom - dest->top != (LONGLONG)height) {
        return FALSE;
    }
    const RECTL &clip = pco->rclBounds;
    return dest->left < clip.left || dest->top < clip.top || dest->right > clip.right || dest->bottom > clip.bottom;
}

BOOL img_ClipDestination(const CLIPOBJ *pco, RECTL *out, const RECTL *dest, POINTL *origin)
{
    *out = *dest;
    if (pco != NULL) {
        const RECTL &clip = pco->rclBounds;
        if (out->left < clip.left) {
            out->left = clip.left;
        }
        if (out->top < clip.top) {
            out->top = clip.top;
        }
        if (out->right > clip.right) {
            out->right = clip.right;
        }
        if (out->bottom > clip.bottom) {
            out->bottom = clip.bottom;
        }
    }
    if (origin != NULL) {
        origin->x += out->left - dest->left;
        origin->y += out->top - dest->top;
    }
    return out->left < out->right && out->top < out->bottom;
}
