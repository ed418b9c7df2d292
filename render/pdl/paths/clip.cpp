/*
 * The clip worker: the engine's clip of a drawing call sent only when it differs from
 * what the printer clips to, and the copy of the last clip path that tells.
 */
#include "render/pdl/paths/path_workers.h"

#include <string.h>

#include "render/pdl/writer/pdl_writer.h"

/* True when inner lies within outer. */
static bool clip_Inside(const RECTL *inner, const RECTL *outer)
{
    return inner->left >= outer->left && inner->top >= outer->top && inner->right <= outer->right &&
           inner->bottom <= outer->bottom;
}

/* Sends the reset when a clip is in force. */
static int clip_Reset(DrawTarget *target)
{
    if (target->clip->kind == CLIP_KIND_NONE) {
        return 1;
    }
    if (pdl_ResetClip(target->writer) != 0) {
        return -1;
    }
    target->clip->kind = CLIP_KIND_NONE;
    return 1;
}

/* Frees the stored clip path. */
static void clip_DropStored(DrawTarget *target)
{
    ClipState *clip = target->clip;
    if (clip->storedPath != NULL) {
        HeapFree(target->heap, 0, clip->storedPath);
    }
    clip->storedPath = NULL;
    clip->storedSize = 0;
    clip->storedCount = 0;
}

/* Points the entries of a PathCopy at its own points. */
static void clip_Rebase(BYTE *block, DWORD count)
{
    PathCopyEntry *entries = (PathCopyEntry *)block;
    POINTFIX *points = (POINTFIX *)(block + sizeof(PathCopyEntry) * (count + 1));
    for (DWORD i = 0; i < count; ++i) {
        entries[i].points = points;
        points += entries[i].count;
    }
}

/* True when two PathCopy blocks of the same size and count hold the same path. */
static bool clip_SamePath(const BYTE *a, const BYTE *b, DWORD size, DWORD count)
{
    const PathCopyEntry *ea = (const PathCopyEntry *)a;
    const PathCopyEntry *eb = (const PathCopyEntry *)b;
    for (DWORD i = 0; i < count; ++i) {
        if (ea[i].flags != eb[i].flags || ea[i].count != eb[i].count) {
            return false;
        }
    }
    DWORD head = (DWORD)sizeof(PathCopyEntry) * (count + 1);
    return memcmp(a + head, b + head, size - head) == 0;
}

DWORD vec_PathCopySize(DWORD subpaths, DWORD points)
{
    return (DWORD)sizeof(POINTFIX) * points + (DWORD)sizeof(PathCopyEntry) * (subpaths + 1);
}

int vec_CopyPath(PATHOBJ *ppo, BYTE **block, DWORD *size, DWORD *count)
{
    *block = NULL;
    *size = 0;
    *count = 0;
    // First pass: the runs and points.
    DWORD runs = 0;
    DWORD points = 0;
    PATHDATA data;
    BOOL more = TRUE;
    PATHOBJ_vEnumStart(ppo);
    while (more) {
        more = PATHOBJ_bEnum(ppo, &data);
        if (data.count == 0) {
            continue;
        }
        ++runs;
        points += data.count;
    }
    if (runs == 0) {
        return COPY_EMPTY;
    }
    DWORD bytes = vec_PathCopySize(runs, points);
    BYTE *copy = (BYTE *)GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes);
    if (copy == NULL) {
        return COPY_NO_MEMORY;
    }
    PathCopyEntry *entries = (PathCopyEntry *)copy;
    POINTFIX *target = (POINTFIX *)(copy + sizeof(PathCopyEntry) * (runs + 1));
    DWORD i = 0;
    more = TRUE;
    PATHOBJ_vEnumStart(ppo);
    while (more && i < runs) {
        more = PATHOBJ_bEnum(ppo, &data);
        if (data.count == 0) {
            continue;
        }
        entries[i].flags = data.flags;
        entries[i].count = data.count;
        memcpy(target, data.pptfx, sizeof(POINTFIX) * data.count);
        target += data.count;
        ++i;
    }
    clip_Rebase(copy, runs);
    *block = copy;
    *size = bytes;
    *count = runs;
    return COPY_DONE;
}

int vec_StorePathClip(DrawTarget *target, PATHOBJ *ppo, const BYTE *prepared, DWORD preparedSize, DWORD preparedCount)
{
    BYTE *made = NULL;
    const BYTE *copy = prepared;
    DWORD size = preparedSize;
    DWORD count = preparedCount;
    if (copy == NULL) {
        int answer = vec_CopyPath(ppo, &made, &size, &count);
        if (answer == COPY_EMPTY) {
            return STORE_EMPTY;
        }
        if (answer != COPY_DONE) {
            clip_DropStored(target);
            return STORE_FAILED;
        }
        copy = made;
    }
    if (count == 0) {
        return STORE_EMPTY;
    }
    ClipState *clip = target->clip;
    int result;
    if (clip->storedPath != NULL && clip->storedSize == size && clip->storedCount == count &&
        clip_SamePath(clip->storedPath, copy, size, count)) {
        result = STORE_SAME;
    } else {
        clip_DropStored(target);
        BYTE *stored = (BYTE *)HeapAlloc(target->heap, 0, size);
        if (stored == NULL) {
            result = STORE_FAILED;
        } else {
            memcpy(stored, copy, size);
            clip_Rebase(stored, count);
            clip->storedPath = stored;
            clip->storedSize = size;
            clip->storedCount = count;
            result = STORE_NEW;
        }
    }
    if (made != NULL) {
        GlobalFree(made);
    }
    return result;
}

/* Sends a clip path: the path, paint mode 2, clip to it. */
static int clip_SendPath(DrawTarget *target, PATHOBJ *ppo, const PathCopyEntry *entries, DWORD count)
{
    int written = 0;
    int result = vec_WritePath(target->writer, ppo, entries, count, &written);
    if (result != 1) {
        return result;
    }
    if (pdl_SetPaintMode(target->writer, 2) != 0 || pdl_ClipToPath(target->writer) != 0) {
        return -1;
    }
    target->clip->kind = CLIP_KIND_PATH;
    return 1;
}

/* The clip of a DC_COMPLEX clip object. */
static int clip_ApplyPath(DrawTarget *target, CLIPOBJ *pco, PATHOBJ *ppo, const BYTE *prepared, DWORD preparedSize,
                          DWORD preparedCount)
{
    PATHOBJ *path = ppo;
    bool ownPath = false;
    if (path == NULL) {
        path = CLIPOBJ_ppoGetPath(pco);
        if (path == NULL) {
            return 0;
        }
        ownPath = true;
    }
    DWORD kind = target->clip->kind;
    int stored = vec_StorePathClip(target, path, prepared, preparedSize, preparedCount);
    int result = 1;
    if (stored == STORE_SAME && kind == CLIP_KIND_PATH) {
        // The printer clips to this path already.
    } else if (stored == STORE_SAME || stored == STORE_NEW) {
        result = clip_Reset(target);
        if (result == 1) {
            const ClipState *clip = target->clip;
            result = clip_SendPath(target, NULL, (const PathCopyEntry *)clip->storedPath, clip->storedCount);
        }
    } else {
        // Not stored (no memory, or nothing to store): the engine's path goes out as it is.
        result = clip_Reset(target);
        if (result == 1) {
            result = clip_SendPath(target, path, NULL, 0);
        }
    }
    if (ownPath) {
        EngDeletePath(path);
    }
    return result;
}

int vec_ApplyClip(DrawTarget *target, CLIPOBJ *pco, PATHOBJ *ppo, const RECTL *bounds, const BYTE *prepared,
                  DWORD preparedSize, DWORD preparedCount)
{
    if (target == NULL || target->clip == NULL || target->writer == NULL) {
        return 0;
    }
    ClipState *clip = target->clip;
    if (clip->kind == CLIP_KIND_RESET) {
        if (pdl_ResetClip(target->writer) != 0) {
            return -1;
        }
        clip->kind = CLIP_KIND_NONE;
    }
    if (pco == NULL || pco->iDComplexity == DC_TRIVIAL) {
        return clip_Reset(target);
    }
    if (pco->iDComplexity == DC_RECT) {
        RECTL rect;
        vec_NormalizeRect(&rect, pco->rclBounds.left, pco->rclBounds.top, pco->rclBounds.right, pco->rclBounds.bottom);
        if (bounds != NULL && clip_Inside(bounds, &rect)) {
            return clip_Reset(target);
        }
        if (clip->kind == CLIP_KIND_RECT && memcmp(&rect, &clip->lastRect, sizeof rect) == 0) {
            return 1;
        }
        // The printer intersects clips: a clip may only narrow without a reset.
        if ((clip->kind == CLIP_KIND_RECT && !clip_Inside(&rect, &clip->lastRect)) || clip->kind == CLIP_KIND_PATH) {
            if (pdl_ResetClip(target->writer) != 0) {
                return -1;
            }
            clip->kind = CLIP_KIND_NONE;
        }
        if (pdl_SetClipRect(target->writer, &rect) != 0) {
            return -1;
        }
        clip->lastRect = rect;
        clip->kind = CLIP_KIND_RECT;
        return 1;
    }
    if (pco->iDComplexity == DC_COMPLEX) {
        return clip_ApplyPath(target, pco, ppo, prepared, preparedSize, preparedCount);
    }
    return 0;
}

int vec_SetClip(DrawTarget *target, CLIPOBJ *pco, const RECTL *bounds)
{
    return vec_ApplyClip(target, pco, NULL, bounds, NULL, 0, 0);
}

int vec_CanCutRectToClip(PATHOBJ *ppo, CLIPOBJ *pco, const RECTL *)
{
    if (ppo == NULL || pco == NULL || pco->iDComplexity != DC_RECT) {
        return 0;
    }
    return vec_ClassifyPath(ppo, NULL, NULL, VEC_PATH_FILL) == PATH_SHAPE_RECTANGLE ? 1 : 0;
}
