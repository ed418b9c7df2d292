/*
 * Blits without a source: black and white as solid fills, the pattern operations as fills
 * with the brush, the masked pattern operations through their mask.
 */
#include "render/pdl/blit/blit_fill.h"

#include <string.h>

#include "render/pdl/brushes/brushes.h"
#include "render/pdl/images/image_checks.h"
#include "render/pdl/images/image_output.h"
#include "render/pdl/paths/path_workers.h"
#include "render/pdl/writer/pdl_writer.h"

static const ROP4 kBlack = 0x0000;
static const ROP4 kWhite = 0xFFFF;
/* ROP4s that paint the brush: the pattern operations, then those through a mask. */
static const ROP4 kPatternRops[] = {0x0505,
                                    0x0A0A,
                                    0x0F0F,
                                    0x5050,
                                    0x5555,
                                    0x5A5A,
                                    0x5F5F,
                                    0xA0A0,
                                    0xA5A5,
                                    0xAFAF,
                                    0xF0F0,
                                    0xF5F5,
                                    0xFAFA,
                                    0xAAA0,
                                    0xAAF0};
/* The colours of black and white (PAL_BGR). */
static const ULONG kBlackColor = 0x000000;
static const ULONG kWhiteColor = 0xFFFFFF;
/* What every fill is written with: the fill rule, the paint mode and, for black and
 * white, the raster operation (pattern copy). */
static const int kFillRule = 1;
static const int kPaintFill = 2;
static const int kCopyRopKind = 1;
static const DWORD kCopyRopCode = ROP_CODE_PATCOPY;
/* The raster-operation code whose mask image paints where its bits are set. */
static const DWORD kMaskPaintsCode = 184;
/* Colour conversion of the blit core's colours. */
static const DWORD kBlitColours = 1;

BOOL vec_IsFillRop(ROP4 rop4)
{
    if (rop4 == kBlack || rop4 == kWhite) {
        return TRUE;
    }
    for (ROP4 rop : kPatternRops) {
        if (rop == rop4) {
            return TRUE;
        }
    }
    return FALSE;
}

/* A writer answer as a worker answer. */
static int fill_Written(int answer)
{
    return answer == 0 ? 1 : -1;
}

/* The clip of a fill over dest: a rectangle that one clip rectangle cuts is cut to it
 * (moving the mask origin, may be NULL, with it) and sent without the clip; else the clip
 * as it is. cut: out, what to fill; *left: out, FALSE when nothing is left. 1 or -1. */
static int fill_Clip(DrawTarget *target, CLIPOBJ *pco, const RECTL *dest, RECTL *cut, POINTL *maskOrigin, BOOL *left)
{
    BOOL single = img_IsClippedByRect((DWORD)(dest->right - dest->left), (DWORD)(dest->bottom - dest->top), pco, dest);
    if (vec_SetClip(target, single ? NULL : pco, dest) < 0) {
        return -1;
    }
    *cut = *dest;
    *left = single ? img_ClipDestination(pco, cut, dest, maskOrigin) : TRUE;
    return 1;
}

/* Black or white: the colour translated, then the rectangle filled as a pattern copy. */
static int fill_Solid(DrawTarget *target, CLIPOBJ *pco, const RECTL *dest, ULONG color)
{
    RECTL cut;
    BOOL left = FALSE;
    int result = fill_Clip(target, pco, dest, &cut, NULL, &left);
    if (result != 1 || !left) {
        return result;
    }
    BYTE bytes[3] = {(BYTE)color, (BYTE)(color >> 8), (BYTE)(color >> 16)};
    int translated = vec_TranslateColors(target, kBlitColours, bytes, 1, bytes);
    if (translated == 0) {
        return 0;
    }
    if (translated == 1) {
        vec_ToWireOrder(bytes, 1);
    }
    int type = translated == 1 ? COLOR_TYPE_RGB : COLOR_TYPE_GREY;
    if (pdl_SetColor(target->writer, BRUSH_KIND_FILL, type, bytes) != 0 ||
        pdl_SetFillRule(target->writer, kFillRule) != 0 ||
        pdl_SetRop(target->writer, kCopyRopKind, kCopyRopCode) != 0 ||
        pdl_SetPaintMode(target->writer, kPaintFill) != 0) {
        return -1;
    }
    return fill_Written(pdl_FillRect(target->writer, &cut));
}

/* The mask of a masked pattern operation over cut as a one-bit mask image whose set bits
 * paint the selected brush. */
static int fill_MaskImage(DrawTarget *target, BlitSource *mask, RECTL *cut)
{
    mask->width = (DWORD)(cut->right - cut->left);
    mask->height = (DWORD)(cut->bottom - cut->top);
    mask->origin = mask->maskOrigin;
    if (!vec_ClipSource(mask, cut)) {
        return 1; // the mask covers nothing of the rectangle
    }
    ImageServices services;
    if (img_GetServices(target->pdev, &services) != 0) {
        return 0;
    }
    ImageRequest request;
    memset(&request, 0, sizeof request);
    request.source = mask->surface;
    request.width = mask->width;
    request.height = mask->height;
    request.sourceOrigin = mask->origin;
    request.dest = *cut;
    request.placement[0] = 1.0f;
    request.placement[3] = 1.0f;
    request.ropKind = IMG_ROP_KIND_ROP3;
    request.ropCode = kMaskPaintsCode;
    // Image output fails the job itself when a write fails.
    return img_OutputWhiteMask(&services, &request) == 1 ? 1 : 0;
}

/* A pattern operation: the brush with the ROP4, then the rectangle or the mask. */
static int fill_Pattern(DrawTarget *target, CLIPOBJ *pco, const RECTL *dest, BlitSource *mask, BRUSHOBJ *pbo,
                        POINTL *pptlBrush, ROP4 rop4)
{
    RECTL cut;
    BOOL left = FALSE;
    BOOL masked = mask != NULL && mask->surface != NULL;
    int result = fill_Clip(target, pco, dest, &cut, masked ? &mask->maskOrigin : NULL, &left);
    if (result != 1 || !left) {
        return result;
    }
    POINTL origin = pptlBrush != NULL ? *pptlBrush : POINTL{0, 0};
    result = vec_SetBrush(target, BRUSH_KIND_FILL, &origin, pbo, &rop4);
    if (result != 1) {
        return result;
    }
    if (pdl_SetFillRule(target->writer, kFillRule) != 0) {
        return -1;
    }
    if (masked) {
        return fill_MaskImage(target, mask, &cut);
    }
    if (pdl_SetPaintMode(target->writer, kPaintFill) != 0) {
        return -1;
    }
    return fill_Written(pdl_FillRect(target->writer, &cut));
}

int vec_BlitFill(DrawTarget *target, CLIPOBJ *pco, const RECTL *dest, BlitSource *mask, BRUSHOBJ *pbo,
                 POINTL *pptlBrush, ROP4 rop4)
{
    if (dest->right <= dest->left || dest->bottom <= dest->top) {
        return 1; // nothing to fill
    }
    if (rop4 == kBlack || rop4 == kWhite) {
        return fill_Solid(target, pco, dest, rop4 == kWhite ? kWhiteColor : kBlackColor);
    }
    return fill_Pattern(target, pco, dest, mask, pbo, pptlBrush, rop4);
}
