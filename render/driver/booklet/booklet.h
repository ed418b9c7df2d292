/*
 * Booklet imposition: the sheet faces of a booklet and the pages on each.
 */
#ifndef QM_RENDER_DRIVER_BOOKLET_BOOKLET_H
#define QM_RENDER_DRIVER_BOOKLET_BOOKLET_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* bk_CountFaces: the number of sheet faces for pages first .. last, the cover flag
 * changing the count of a range that starts at page 0. */
WORD WINAPI bk_CountFaces(LONG first, LONG last, BOOL cover);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_BOOKLET_BOOKLET_H */
