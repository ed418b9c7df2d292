/*
 * DrvTextOut drawn as LUMIQ: the opaque rectangle, the text colour, the glyph runs and the
 * extra rectangles of a text call.
 */
#include "render/pdl/text/text_output.h"

#include "render/pdl/brushes/brushes.h"
#include "render/pdl/images/image_queue.h"
#include "render/pdl/paths/path_workers.h"
#include "render/pdl/text/text_private.h"
#include "render/pdl/writer/pdl_writer.h"

/* Flush mode of the image queue before a drawing call (not the page end). */
static const DWORD kFlushForDrawing = 0;
/* The solid colour of a brush that has none. */
static const ULONG kNoSolidColor = 0xFFFFFFFFUL;

/* A writer answer as a worker answer. */
static int text_Written(int answer)
{
    return answer == 0 ? 1 : -1;
}

/* The brush of a rectangle fill (kind 2) with the call's mix, then the winding rule. */
static int text_SetRectBrush(TextCall *call, BRUSHOBJ *pbo, const POINTL *origin)
{
    ROP4 rop4 = vec_MixToRop3(call->mix);
    int result = vec_SetBrush(call->target, BRUSH_KIND_FILL, origin, pbo, &rop4);
    if (result != 1) {
        return result;
    }
    return text_Written(pdl_SetFillRule(call->target->writer, 1));
}

int fnt_DrawOpaqueRect(TextCall *call, BRUSHOBJ *pboOpaque, const POINTL *origin, const RECTL *rect)
{
    if (pboOpaque == NULL) {
        return 0;
    }
    int result = text_SetRectBrush(call, pboOpaque, origin);
    if (result != 1) {
        return result;
    }
    if (pdl_SetPaintMode(call->target->writer, 2) != 0) {
        return -1;
    }
    RECTL normal;
    vec_NormalizeRect(&normal, rect->left, rect->top, rect->right, rect->bottom);
    return text_Written(pdl_FillRect(call->target->writer, &normal));
}

int fnt_DrawExtraRects(TextCall *call, const POINTL *origin, const RECTL *rects)
{
    int result = text_SetRectBrush(call, call->pboFore, origin);
    for (const RECTL *rect = rects; result == 1; ++rect) {
        if (rect->left == 0 && rect->top == 0 && rect->right == 0 && rect->bottom == 0) {
            break;
        }
        result = text_Written(pdl_FillRect(call->target->writer, rect));
    }
    return result;
}

int fnt_SetTextColor(TextCall *call)
{
    if (pdl_SetRop(call->target->writer, 1, call->mix & 0xFF) != 0) {
        return -1;
    }
    if (call->pboFore->iSolidColor != kNoSolidColor) {
        return vec_SetSolidColor(call->target, BRUSH_KIND_FILL, call->pboFore->iSolidColor);
    }
    return vec_SetBrush(call->target, BRUSH_KIND_FILL, NULL, call->pboFore, NULL);
}

int fnt_DrawGlyphRuns(TextCall *call)
{
    if (pdl_SetPaintMode(call->target->writer, 2) != 0) {
        return -1;
    }
    int result = fnt_SetTextColor(call);
    if (result != 1) {
        return result;
    }
    STROBJ *pstro = call->pstro;
    if (pstro->pgp != NULL) {
        return fnt_DrawGlyphBatch(call, pstro->cGlyphs, pstro->pgp, pstro->pwszOrg);
    }
    STROBJ_vEnumStart(pstro);
    const WCHAR *codes = pstro->pwszOrg;
    BOOL more = TRUE;
    while (more && result == 1) {
        ULONG count = 0;
        GLYPHPOS *pgp = NULL;
        more = STROBJ_bEnum(pstro, &count, &pgp);
        if (count == 0) {
            break;
        }
        result = fnt_DrawGlyphBatch(call, count, pgp, codes);
        if (codes != NULL) {
            codes += count;
        }
    }
    return result;
}

/* The text call on a target that is ready to draw. */
static int text_Draw(TextCall *call, CLIPOBJ *pco, RECTL *prclExtra, RECTL *prclOpaque, BRUSHOBJ *pboOpaque,
                     const POINTL *origin)
{
    DrawTarget *target = call->target;
    if (!target->stampClipSkipped) {
        const RECTL *bounds = prclOpaque != NULL ? prclOpaque : &call->pstro->rclBkGround;
        int result = vec_SetClip(target, target->stampDrawing ? NULL : pco, bounds);
        if (result != 1) {
            return result;
        }
    }
    if (prclOpaque != NULL) {
        int result = fnt_DrawOpaqueRect(call, pboOpaque, origin, prclOpaque);
        if (result != 1) {
            return result;
        }
    }
    int result = fnt_DrawGlyphRuns(call);
    if (result == 1 && prclExtra != NULL) {
        result = fnt_DrawExtraRects(call, origin, prclExtra);
    }
    return result;
}

BOOL WINAPI fnt_TextOut(SURFOBJ *pso, STROBJ *pstro, FONTOBJ *pfo, CLIPOBJ *pco, RECTL *prclExtra, RECTL *prclOpaque,
                        BRUSHOBJ *pboFore, BRUSHOBJ *pboOpaque, POINTL *pptlOrg, MIX mix)
{
    if (pso == NULL || pstro == NULL || pfo == NULL || pboFore == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    DrawTarget target;
    if (drw_BeginDrawing(pso, &target) != 0) {
        return FALSE;
    }
    if (img_FlushImageQueue(target.pdev, kFlushForDrawing) != 0) {
        return FALSE;
    }
    TextCall call = {};
    call.target = &target;
    call.pstro = pstro;
    call.pfo = pfo;
    call.pboFore = pboFore;
    call.mix = mix;
    if (drw_GetTextJob(&target, &call.job) != 0) {
        return FALSE;
    }
    int result = text_Draw(&call, pco, prclExtra, prclOpaque, pboOpaque, pptlOrg);
    if (result == -1) {
        drw_FailJob(&target);
    }
    return result == 1 ? TRUE : FALSE;
}
