/*
 * The clip state of a page: what the printer was last told to clip to, so that a clip is
 * sent only when it changes. It lives in the job state of the PDEV; a logical page starts
 * at CLIP_KIND_RESET.
 */
#ifndef QM_RENDER_PDL_DRAWING_CLIP_STATE_H
#define QM_RENDER_PDL_DRAWING_CLIP_STATE_H

#include <windows.h>

/* Clip kinds. */
#define CLIP_KIND_NONE 0
#define CLIP_KIND_RECT 1
#define CLIP_KIND_PATH 2
#define CLIP_KIND_RESET 3 /* a reset is due before the next clip */

typedef struct ClipState {
    DWORD kind;        /* CLIP_KIND_* */
    RECTL lastRect;    /* the rectangle sent last (kind 1), device pixels */
    BYTE *storedPath;  /* PathCopy of the clip path sent last (PDEV heap), or NULL */
    DWORD storedSize;  /* its bytes (0 when none) */
    DWORD storedCount; /* its subpaths */
} ClipState;

#endif /* QM_RENDER_PDL_DRAWING_CLIP_STATE_H */
