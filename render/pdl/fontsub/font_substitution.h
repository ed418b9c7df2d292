/*
 * Font substitution: the substitution table a job matches TrueType faces to device
 * fonts with, chosen at job start.
 */
#ifndef QM_RENDER_PDL_FONTSUB_FONT_SUBSTITUTION_H
#define QM_RENDER_PDL_FONTSUB_FONT_SUBSTITUTION_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* fnt_SelectSubstTable: kind 0 selects the 7-group table, kind 1 the 15-group table.
 * 1 when selected; 0 for any other kind. */
LONG WINAPI fnt_SelectSubstTable(DWORD kind);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_FONTSUB_FONT_SUBSTITUTION_H */
