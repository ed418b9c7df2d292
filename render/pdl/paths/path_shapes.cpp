/*
 * Shapes that have commands of their own (a whole ellipse, an axis-aligned rectangle),
 * rectangles and matrices.
 */
#include "render/pdl/paths/path_workers.h"

/* Points kept of a first subpath: enough to tell a rectangle. */
static const DWORD kKeptPoints = 5;

/* The first subpath of a path: its flags (ORed over its runs), its point count, its first
 * points, and whether anything follows it. */
typedef struct FirstSubpath {
    FLONG flags;
    ULONG count;
    POINTFIX points[kKeptPoints];
    bool more;
} FirstSubpath;

static void shapes_ReadFirst(PATHOBJ *ppo, FirstSubpath *first)
{
    *first = FirstSubpath{};
    PATHDATA data;
    BOOL more = TRUE;
    bool ended = false;
    PATHOBJ_vEnumStart(ppo);
    while (more) {
        more = PATHOBJ_bEnum(ppo, &data);
        if (data.count == 0) {
            continue;
        }
        if (ended) {
            first->more = true;
            break;
        }
        first->flags |= data.flags;
        for (ULONG i = 0; i < data.count; ++i, ++first->count) {
            if (first->count < kKeptPoints) {
                first->points[first->count] = data.pptfx[i];
            }
        }
        ended = (data.flags & PD_ENDSUBPATH) != 0;
    }
}

int vec_ReadRectangle(PATHOBJ *ppo, POINTFIX points[4])
{
    FirstSubpath first;
    shapes_ReadFirst(ppo, &first);
    if (first.more || !vec_IsRectanglePath(first.flags, first.count, first.points)) {
        return 0;
    }
    for (int i = 0; i < 4; ++i) {
        points[i] = first.points[i];
    }
    return 1;
}

int vec_IsRectanglePath(FLONG flags, ULONG count, const POINTFIX *points)
{
    if (count != 4 || (flags & PD_BEZIERS) || !(flags & PD_CLOSEFIGURE)) {
        return 0;
    }
    return points[0].y == points[1].y && points[1].x == points[2].x && points[2].y == points[3].y &&
                   points[3].x == points[0].x
               ? 1
               : 0;
}

int vec_IsDegenerateRectangle(PATHOBJ *ppo)
{
    FirstSubpath first;
    shapes_ReadFirst(ppo, &first);
    return first.count >= 3 && first.points[2].x == first.points[0].x && first.points[2].y == first.points[0].y ? 1 : 0;
}

int vec_LineAllowsShortcut(const LINEATTRS *la, XFORMOBJ *pxo, int which)
{
    if (la == NULL) {
        return 1;
    }
    if ((la->fl & LA_ALTERNATE) || (la->cstyle != 0 && la->pstyle != NULL)) {
        return 0;
    }
    if (!(la->fl & LA_GEOMETRIC)) {
        return 1;
    }
    if (which != SHORTCUT_RECTANGLE) {
        return 0;
    }
    return pxo == NULL || XFORMOBJ_iGetXform(pxo, NULL) == GX_IDENTITY ? 1 : 0;
}

int vec_ClassifyPath(PATHOBJ *ppo, const LINEATTRS *la, XFORMOBJ *pxo, ULONG mode)
{
    bool stroke = mode != VEC_PATH_FILL;
    if (ppo->fl & PO_ELLIPSE) {
        if (!stroke || vec_LineAllowsShortcut(la, pxo, SHORTCUT_ELLIPSE)) {
            return PATH_SHAPE_ELLIPSE;
        }
    }
    FirstSubpath first;
    shapes_ReadFirst(ppo, &first);
    if (!first.more && vec_IsRectanglePath(first.flags, first.count, first.points) &&
        (!stroke || vec_LineAllowsShortcut(la, pxo, SHORTCUT_RECTANGLE))) {
        return PATH_SHAPE_RECTANGLE;
    }
    return PATH_SHAPE_GENERAL;
}

void vec_NormalizeRect(RECTL *out, LONG x1, LONG y1, LONG x2, LONG y2)
{
    out->left = x1 < x2 ? x1 : x2;
    out->right = x1 < x2 ? x2 : x1;
    out->top = y1 < y2 ? y1 : y2;
    out->bottom = y1 < y2 ? y2 : y1;
}

void vec_NormalizeRectNonEmpty(RECTL *out, LONG x1, LONG y1, LONG x2, LONG y2)
{
    vec_NormalizeRect(out, x1, y1, x2, y2);
    if (out->left == out->right && out->top == out->bottom) {
        out->right += 1;
        out->bottom += 1;
    }
}

void vec_MultiplyMatrix(Matrix2x3 *out, const Matrix2x3 *a, const Matrix2x3 *b)
{
    Matrix2x3 r;
    r.a = a->a * b->a + a->b * b->c;
    r.b = a->a * b->b + a->b * b->d;
    r.c = a->c * b->a + a->d * b->c;
    r.d = a->c * b->b + a->d * b->d;
    r.e = a->e * b->a + a->f * b->c + b->e;
    r.f = a->e * b->b + a->f * b->d + b->f;
    *out = r;
}
