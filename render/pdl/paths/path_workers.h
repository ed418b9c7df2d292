/*
 * The workers of the path calls and the clip worker that every drawing call (paths,
 * blits, text) uses. Unless said otherwise they answer 1 when done, 0 when they refused
 * their arguments or failed without writing (the call fails) and -1 when a write failed
 * (the caller fails the job).
 */
#ifndef QM_RENDER_PDL_PATHS_PATH_WORKERS_H
#define QM_RENDER_PDL_PATHS_PATH_WORKERS_H

#include <windows.h>
#include <winddi.h>

#include "platform/include/qm_layout.h"
#include "render/pdl/drawing/draw_target.h"
#include "render/pdl/paths/paths.h"
#include "render/pdl/writer/matrix2x3.h"

struct PdlWriter;

/* Path shapes of vec_ClassifyPath. */
#define PATH_SHAPE_ELLIPSE 1
#define PATH_SHAPE_RECTANGLE 2
#define PATH_SHAPE_GENERAL 3

/* Which shape vec_LineAllowsShortcut is asked for. */
#define SHORTCUT_ELLIPSE 1
#define SHORTCUT_RECTANGLE 2

/* Answers of vec_CopyPath and vec_StorePathClip. */
#define COPY_EMPTY 0
#define COPY_NO_MEMORY 3
#define COPY_DONE 4
#define STORE_EMPTY 0
#define STORE_SAME 1
#define STORE_NEW 2
#define STORE_FAILED 3

/*
 * PathCopy: a path kept as one block: count entries {flags, point count, pointer to the
 * entry's points}, a zeroed closing entry, then all points. Pointers point into the block
 * itself.
 */
typedef struct PathCopyEntry {
    FLONG flags;
    ULONG count;
    POINTFIX *points;
} PathCopyEntry;

static_assert(sizeof(PathCopyEntry) == QM_LAYOUT(12, 16), "PathCopyEntry: flags, count, pointer");

/* vec_PathCopySize: bytes of a PathCopy of subpaths entries and points points. */
DWORD vec_PathCopySize(DWORD subpaths, DWORD points);

/* vec_CopyPath: a PathCopy of ppo on the global heap (block, its size, its entries).
 * COPY_EMPTY with the outputs zero for an empty path, COPY_NO_MEMORY, or COPY_DONE. */
int vec_CopyPath(PATHOBJ *ppo, BYTE **block, DWORD *size, DWORD *count);

/* vec_StorePathClip: compares the clip path (ppo, or the prepared copy when given) with
 * the stored one and stores it when it differs: STORE_SAME, STORE_NEW, STORE_FAILED (no
 * path stored then) or STORE_EMPTY. */
int vec_StorePathClip(DrawTarget *target, PATHOBJ *ppo, const BYTE *prepared, DWORD preparedSize, DWORD preparedCount);

/* vec_ApplyClip: the clip worker. pco NULL or trivial: no clip. bounds (device pixels) of
 * what is drawn, or NULL; ppo the clip path when the caller has it; prepared a PathCopy of
 * it (NULL: made here). */
int vec_ApplyClip(DrawTarget *target, CLIPOBJ *pco, PATHOBJ *ppo, const RECTL *bounds, const BYTE *prepared,
                  DWORD preparedSize, DWORD preparedCount);

/* vec_SetClip: the clip worker for blits and text (no ready path). */
int vec_SetClip(DrawTarget *target, CLIPOBJ *pco, const RECTL *bounds);

/* vec_CanCutRectToClip: 1 when the path is a lone rectangle and the clip one rectangle,
 * so that the rectangle can be cut instead of clipped. */
int vec_CanCutRectToClip(PATHOBJ *ppo, CLIPOBJ *pco, const RECTL *bounds);

/* vec_SetPathClip: the clip of a path call (paint mode VEC_PATH_*); cut: out, 1 when a
 * rectangle fill is to be cut to the clip rectangle instead. */
int vec_SetPathClip(DrawTarget *target, PATHOBJ *ppo, CLIPOBJ *pco, ULONG mode, int *cut);

/* vec_WritePath: 'BA' and the subpaths of ppo, or of count PathCopy entries. written: out,
 * 1 when a segment went out. A Bezier run whose count is not a multiple of 3 sets
 * ERROR_INVALID_PARAMETER and is refused. */
int vec_WritePath(struct PdlWriter *writer, PATHOBJ *ppo, const PathCopyEntry *entries, DWORD count, int *written);

/* vec_ClassifyPath: PATH_SHAPE_* of a path call. */
int vec_ClassifyPath(PATHOBJ *ppo, const LINEATTRS *la, XFORMOBJ *pxo, ULONG mode);
/* vec_IsRectanglePath: 1 for four points without Bezier flag, closed, starting with a
 * horizontal edge. */
int vec_IsRectanglePath(FLONG flags, ULONG count, const POINTFIX *points);
/* vec_ReadRectangle: the four points of a path that is one rectangle (1), else 0. */
int vec_ReadRectangle(PATHOBJ *ppo, POINTFIX points[4]);
/* vec_IsDegenerateRectangle: 1 when the third point of the first subpath is its first. */
int vec_IsDegenerateRectangle(PATHOBJ *ppo);
/* vec_LineAllowsShortcut: 1 when the line allows drawing the shape by its own command:
 * no style; a geometric line only for a rectangle and with an identity transform. */
int vec_LineAllowsShortcut(const LINEATTRS *la, XFORMOBJ *pxo, int which);

/* vec_SetPathBrushes: line attributes and stroke brush, fill brush and fill rule. */
int vec_SetPathBrushes(DrawTarget *target, BRUSHOBJ *pboStroke, BRUSHOBJ *pboFill, const POINTL *origin,
                       const LINEATTRS *la, MIX mix, FLONG flOptions, ULONG mode);
/* vec_SetLineAttributes: 'AF', 'AE', 'AG', 'AD' and the style of a line. */
int vec_SetLineAttributes(DrawTarget *target, const LINEATTRS *la);
/* vec_SetLineStyle: a float dash array (kind 6), rotated right by one for LA_STARTGAP. */
int vec_SetLineStyle(struct PdlWriter *writer, DWORD count, const FLOAT_LONG *lengths, FLOAT offset, FLONG flags);
/* vec_SetCosmeticStyle: a 32-bit dash array times unit (kind 6), rotated for LA_STARTGAP. */
int vec_SetCosmeticStyle(struct PdlWriter *writer, DWORD count, const FLOAT_LONG *lengths, LONG offset, FLONG flags,
                         LONG unit);

/* vec_NormalizeRect: out from two corners, left <= right and top <= bottom. */
void vec_NormalizeRect(RECTL *out, LONG x1, LONG y1, LONG x2, LONG y2);
/* vec_NormalizeRectNonEmpty: the same; a rectangle of zero width and zero height grows
 * by one unit in both directions. */
void vec_NormalizeRectNonEmpty(RECTL *out, LONG x1, LONG y1, LONG x2, LONG y2);
/* vec_MultiplyMatrix: out = a x b (a point goes through a first). */
void vec_MultiplyMatrix(Matrix2x3 *out, const Matrix2x3 *a, const Matrix2x3 *b);

#endif /* QM_RENDER_PDL_PATHS_PATH_WORKERS_H */
