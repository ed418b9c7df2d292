/*
 * Direct conversion of colour values: the colours of brushes, text and blits passed
 * through the job's colour session.
 */
#ifndef QM_RENDER_PDL_COLOUR_COLOUR_CONVERT_H
#define QM_RENDER_PDL_COLOUR_COLOUR_CONVERT_H

#include <windows.h>

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* clr_ConvertColors: count three-byte colours of the PDEV's job converted from in to out
 * (which may be the same), for caller kind 0 (brushes and text) or 1 (blits). Answers 1
 * when the colours stay RGB (three bytes each), 2 when they became grey (one byte each),
 * negative on failure. */
LONG WINAPI clr_ConvertColors(struct PDEV *pdev, DWORD kind, const BYTE *in, BYTE *out, DWORD count);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COLOUR_COLOUR_CONVERT_H */
