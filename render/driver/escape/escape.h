/*
 * The private escapes: esc_Dispatch (the worker of DrvEscape) answers QUERYESCSUPPORT
 * and every escape code the user-interface DLL and applications send. Beside it: the
 * extended feature table, the drawing of one raster-transfer chunk and the three stamp
 * queries of the drawing code.
 */
#ifndef QM_RENDER_DRIVER_ESCAPE_ESCAPE_H
#define QM_RENDER_DRIVER_ESCAPE_ESCAPE_H

#include <windows.h>
#include <winddi.h>

#include "render/driver/pdev/pdev.h"

/* An entry of the extended feature table (20 bytes). */
typedef struct ExtendedFeature {
    WORD feature;
    WORD escape;
    DWORD lowestVersion; /* lowest job PDL version the entry applies from */
    DWORD values[3];
} ExtendedFeature;

#ifdef __cplusplus
static_assert(sizeof(ExtendedFeature) == 20, "ExtendedFeature");
extern "C" {
#endif

/* esc_Dispatch: the worker of DrvEscape. Returns the escape's answer. */
ULONG WINAPI esc_Dispatch(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut);

/*
 * esc_LookupFeature: the entry of the extended feature table for feature at the PDL
 * version of the PDEV's extended escape state, copied to entry when it is given (0x1104
 * loses the bits 0x4 and 0x8 of its first value without setting 4103). 0, or -1 when no
 * entry applies (0x1102 with setting 1333 on; 0x1103 on a model without colour kind 2,
 * with setting 5202 equal to 1 or the colour mode enforced by the DEVMODE trailer).
 */
LONG WINAPI esc_LookupFeature(PDEV *pdev, WORD feature, ExtendedFeature *entry);

/*
 * esc_DrawRasterChunk: draws one accepted chunk of a raster transfer. record: the whole
 * transfer record of length bytes; item: its drawing item. 0 or a negative code.
 */
LONG WINAPI esc_DrawRasterChunk(PDEV *pdev, const BYTE *record, const BYTE *item, DWORD length);

/* esc_FlushImagesAnswerOne: flushes the page's image queue: 1 after success, else -1. */
LONG WINAPI esc_FlushImagesAnswerOne(PDEV *pdev);

/* jc_IsStampDrawing: in stamp mode 1 when either stamp option of the job is on, else 0;
 * outside stamp mode 1 while the overlay flag is set. */
LONG WINAPI jc_IsStampDrawing(const PDEV *pdev);

/* jc_IsStampClipSkipped: 1 when the clip of the drawing is to be skipped for a stamp. */
LONG WINAPI jc_IsStampClipSkipped(const PDEV *pdev);

/* jc_GetStampColorWord: the stamp colour word while stamps are drawn with a stamp option
 * on (non-zero: brushes and text take the stamp colour), else 0. */
DWORD WINAPI jc_GetStampColorWord(const PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_ESCAPE_ESCAPE_H */
