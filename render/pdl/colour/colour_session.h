/*
 * Colour conversion of a job: the colour session opened with the job's output and
 * closed when the job is released, and the page's colour set.
 */
#ifndef QM_RENDER_PDL_COLOUR_COLOUR_SESSION_H
#define QM_RENDER_PDL_COLOUR_COLOUR_SESSION_H

#include <windows.h>

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* clr_InitColorSet: the PDEV page's colour set, empty. 0 / -1. */
LONG WINAPI clr_InitColorSet(struct PDEV *pdev);

/* clr_OpenColorSession / clr_CloseColorSession: the PDEV job's colour session. 0 / -1. */
LONG WINAPI clr_OpenColorSession(struct PDEV *pdev);
LONG WINAPI clr_CloseColorSession(struct PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COLOUR_COLOUR_SESSION_H */
