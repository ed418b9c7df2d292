/*
 * The path calls: DrvStrokePath, DrvFillPath and DrvStrokeAndFillPath drawn as LUMIQ.
 */
#include "render/pdl/paths/path_workers.h"

#include "platform/include/qm_float.h"
#include "render/pdl/brushes/brushes.h"
#include "render/pdl/images/image_queue.h"
#include "render/pdl/writer/pdl_writer.h"

/* Flush mode of the image queue before a drawing call (not the page end). */
static const DWORD kFlushForDrawing = 0;

/* A writer answer as a worker answer. */
static int path_Written(int answer)
{
    return answer == 0 ? 1 : -1;
}

int vec_SetPathClip(DrawTarget *target, PATHOBJ *ppo, CLIPOBJ *pco, ULONG mode, int *cut)
{
    *cut = 0;
    RECTFX fix;
    PATHOBJ_vGetBounds(ppo, &fix);
    RECTL bounds = {fix.xLeft >> 4, fix.yTop >> 4, (fix.xRight + 16) >> 4, (fix.yBottom + 16) >> 4};
    if (target->stampClipSkipped) {
        return 1;
    }
    if (target->stampDrawing) {
        return vec_ApplyClip(target, NULL, NULL, NULL, NULL, 0, 0);
    }
    if (mode == VEC_PATH_FILL && vec_CanCutRectToClip(ppo, pco, &bounds)) {
        *cut = 1;
        return vec_ApplyClip(target, NULL, NULL, NULL, NULL, 0, 0);
    }
    return vec_ApplyClip(target, pco, NULL, &bounds, NULL, 0, 0);
}

int vec_SetPathBrushes(DrawTarget *target, BRUSHOBJ *pboStroke, BRUSHOBJ *pboFill, const POINTL *origin,
                       const LINEATTRS *la, MIX mix, FLONG flOptions, ULONG mode)
{
    ROP4 rop4 = vec_MixToRop3(mix);
    if (mode != VEC_PATH_STROKE && flOptions != FP_ALTERNATEMODE && flOptions != FP_WINDINGMODE) {
        return 0;
    }
    if (mode != VEC_PATH_FILL) {
        int result = vec_SetLineAttributes(target, la);
        if (result == 1) {
            result = vec_SetBrush(target, BRUSH_KIND_PEN, origin, pboStroke, &rop4);
        }
        if (result != 1 || mode == VEC_PATH_STROKE) {
            return result;
        }
    }
    int result = vec_SetBrush(target, BRUSH_KIND_FILL, origin, pboFill, &rop4);
    if (result != 1) {
        return result;
    }
    return path_Written(pdl_SetFillRule(target->writer, flOptions == FP_ALTERNATEMODE ? 1 : 2));
}

/* A whole ellipse: 'Cc' over the path's bounds, or the bounds as a rectangle when flat. */
static int path_DrawEllipse(DrawTarget *target, PATHOBJ *ppo, ULONG mode)
{
    RECTFX fix;
    PATHOBJ_vGetBounds(ppo, &fix);
    float left = (float)fix.xLeft * 0.0625f;
    float top = (float)fix.yTop * 0.0625f;
    float radiusX = ((float)fix.xRight * 0.0625f - left) / 2;
    float radiusY = ((float)fix.yBottom * 0.0625f - top) / 2;
    if (pdl_SetPaintMode(target->writer, (int)mode) != 0) {
        return -1;
    }
    if (radiusX > 0 && radiusY > 0) {
        const float values[6] = {left + radiusX, top + radiusY, radiusX, radiusY, 0.0f, 360.0f};
        return path_Written(pdl_DrawEllipse(target->writer, values));
    }
    return path_Written(pdl_FillFixRect(target->writer, fix.xLeft, fix.yTop, fix.xRight, fix.yBottom));
}

/* An axis-aligned rectangle, cut to the clip rectangle when cut. */
static int path_DrawRectangle(DrawTarget *target, PATHOBJ *ppo, CLIPOBJ *pco, ULONG mode, int cut)
{
    POINTFIX p[4];
    if (!vec_ReadRectangle(ppo, p)) {
        return 0;
    }
    RECTL rect;
    vec_NormalizeRectNonEmpty(&rect, p[3].x, p[1].y, p[1].x, p[3].y);
    if (cut) {
        RECTL clip;
        vec_NormalizeRect(&clip,
                          pco->rclBounds.left * 16,
                          pco->rclBounds.top * 16,
                          pco->rclBounds.right * 16,
                          pco->rclBounds.bottom * 16);
        RECT cutRect;
        if (!IntersectRect(&cutRect, (const RECT *)&rect, (const RECT *)&clip)) {
            return 1; // cut to nothing: nothing to draw
        }
        rect = RECTL{cutRect.left, cutRect.top, cutRect.right, cutRect.bottom};
    }
    if (pdl_SetPaintMode(target->writer, (int)mode) != 0) {
        return -1;
    }
    return path_Written(pdl_FillFixRect(target->writer, rect.left, rect.top, rect.right, rect.bottom));
}

/* The pen transform of a geometric line as a matrix; a scaling keeps only its diagonal. */
static bool path_PenMatrix(XFORMOBJ *pxo, Matrix2x3 *pen)
{
    XFORML xform;
    ULONG complexity = XFORMOBJ_iGetXform(pxo, &xform);
    if (complexity == DDI_ERROR) {
        return false;
    }
    *pen = Matrix2x3{qm_FloatOf(xform.eM11),
                     qm_FloatOf(xform.eM12),
                     qm_FloatOf(xform.eM21),
                     qm_FloatOf(xform.eM22),
                     qm_FloatOf(xform.eDx),
                     qm_FloatOf(xform.eDy)};
    if (complexity == GX_SCALE) {
        *pen = Matrix2x3{pen->a, 0.0f, 0.0f, pen->d, 0.0f, 0.0f};
    }
    return true;
}

/* Any other path: the path, then painted; a geometric line under its pen transform. */
static int path_DrawGeneral(DrawTarget *target, PATHOBJ *ppo, XFORMOBJ *pxo, const LINEATTRS *la, ULONG mode)
{
    int written = 0;
    int result = vec_WritePath(target->writer, ppo, NULL, 0, &written);
    if (result != 1) {
        return result;
    }
    if (mode == VEC_PATH_FILL) {
        if (pdl_SetPaintMode(target->writer, 2) != 0) {
            return -1;
        }
        return path_Written(pdl_PaintPath(target->writer));
    }
    bool geometric = la != NULL && (la->fl & LA_GEOMETRIC) && pxo != NULL;
    Matrix2x3 saved;
    if (geometric) {
        Matrix2x3 pen;
        if (!path_PenMatrix(pxo, &pen)) {
            return 0;
        }
        pdl_GetCurrentTransform(target->writer, &saved);
        Matrix2x3 combined;
        vec_MultiplyMatrix(&combined, &pen, &saved);
        if (drw_SetDeviceTransform(target, &combined) != 0) {
            return -1;
        }
    }
    result = 1;
    if (pdl_SetPaintMode(target->writer, (int)mode) != 0 || pdl_PaintPath(target->writer) != 0) {
        result = -1;
    }
    if (geometric && drw_SetDeviceTransform(target, &saved) != 0) {
        result = -1;
    }
    return result;
}

/* The path call on a target that is ready to draw. */
static int path_Draw(DrawTarget *target, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                     BRUSHOBJ *pboFill, const POINTL *origin, const LINEATTRS *la, MIX mix, FLONG flOptions, ULONG mode)
{
    int cut = 0;
    int result = vec_SetPathClip(target, ppo, pco, mode, &cut);
    if (result != 1) {
        return result;
    }
    int shape = vec_ClassifyPath(ppo, la, pxo, mode);
    LINEATTRS rounded;
    const LINEATTRS *line = la;
    if (shape == PATH_SHAPE_RECTANGLE && mode != VEC_PATH_FILL && vec_IsDegenerateRectangle(ppo)) {
        rounded = *la;
        rounded.iJoin = JOIN_ROUND;
        line = &rounded;
    }
    result = vec_SetPathBrushes(target, pboStroke, pboFill, origin, line, mix, flOptions, mode);
    if (result != 1) {
        return result;
    }
    switch (shape) {
    case PATH_SHAPE_ELLIPSE: return path_DrawEllipse(target, ppo, mode);
    case PATH_SHAPE_RECTANGLE: return path_DrawRectangle(target, ppo, pco, mode, cut);
    default: return path_DrawGeneral(target, ppo, pxo, line, mode);
    }
}

// vec_DrawPath: see paths.h.
BOOL WINAPI vec_DrawPath(SURFOBJ *pso, PATHOBJ *ppo, CLIPOBJ *pco, XFORMOBJ *pxo, BRUSHOBJ *pboStroke,
                         BRUSHOBJ *pboFill, POINTL *pptlBrushOrg, LINEATTRS *plineattrs, MIX mix, FLONG flOptions,
                         ULONG mode)
{
    DrawTarget target;
    if (drw_BeginDrawing(pso, &target) != 0) {
        return FALSE;
    }
    if (img_FlushImageQueue(target.pdev, kFlushForDrawing) != 0) {
        return FALSE;
    }
    if (ppo == NULL || mode < VEC_PATH_STROKE || mode > VEC_PATH_STROKE_AND_FILL ||
        (mode != VEC_PATH_FILL && plineattrs == NULL)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    int result = path_Draw(&target, ppo, pco, pxo, pboStroke, pboFill, pptlBrushOrg, plineattrs, mix, flOptions, mode);
    if (result == -1) {
        drw_FailJob(&target);
    }
    return result == 1 ? TRUE : FALSE;
}
