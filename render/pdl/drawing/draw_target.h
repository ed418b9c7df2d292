/*
 * What a drawing call of the drawing side works on, and the few services it asks of the
 * render driver above it. The driver's entry layer defines these functions: the drawing
 * side never reads the PDEV itself.
 */
#ifndef QM_RENDER_PDL_DRAWING_DRAW_TARGET_H
#define QM_RENDER_PDL_DRAWING_DRAW_TARGET_H

#include <windows.h>
#include <winddi.h>

#include "core/settings/settings_types.h"
#include "render/pdl/drawing/clip_state.h"
#include "render/pdl/writer/matrix2x3.h"

struct PDEV;
struct PdlWriter;

/* DrawTarget: the PDEV's pieces one drawing call uses, taken when the call begins. */
typedef struct DrawTarget {
    struct PDEV *pdev;
    struct PdlWriter *writer; /* the job's writer */
    ClipState *clip;          /* the page's clip state */
    HANDLE heap;              /* the PDEV's private heap (stored clip path) */
    DriverDevmode *devmode;   /* the job's DEVMODE and printer-data block (settings) */
    PrinterDataBlock *block;
    DWORD stampDrawing;     /* jc_IsStampDrawing: a stamp is drawn */
    DWORD stampClipSkipped; /* jc_IsStampClipSkipped: the clip is left alone */
    DWORD stampColorWord;   /* jc_GetStampColorWord: non-zero when the stamp colour applies */
    DWORD pageHook;         /* hook_IsActive: the image hook component takes the pages */
} DrawTarget;

/* drw_BeginDrawing: the target of a drawing call on surface pso: checks the PDEV (a bad one
 * sets ERROR_INVALID_PARAMETER), refuses a failed job and starts the page when due
 * (jc_EnsurePageStarted). 0 with target filled, -1 when the call cannot draw. */
LONG drw_BeginDrawing(SURFOBJ *pso, DrawTarget *target);

/* drw_TargetOfPdev: the target of the PDEV's job (writer, clip state, heap, settings),
 * without the stamp words; for the driver's own drawing outside a drawing call. */
void drw_TargetOfPdev(struct PDEV *pdev, DrawTarget *target);

/* drw_FailJob: a write failed inside a drawing call: the job fails (its pages are
 * refused and its end reports failure). */
void drw_FailJob(DrawTarget *target);

/* drw_SetDeviceTransform: makes matrix (drawing units to device pixels) the page transform
 * through job control. 0, or -1 when it could not be written. */
LONG drw_SetDeviceTransform(DrawTarget *target, const Matrix2x3 *matrix);

/* drw_ReadSetting: a numeric setting of the target's job, 0 when it cannot be read. */
DWORD drw_ReadSetting(const DrawTarget *target, WORD functionId);

/* drw_ConvertColors: count three-byte colours converted from in to out (which may be the
 * same) through the job's colour session, for caller kind 0 (brushes and text) or 1
 * (blits). 1 when they stay RGB (three bytes each), 2 when they became grey (one byte
 * each), negative on failure. Without a colour session they are copied (1). */
LONG drw_ConvertColors(const DrawTarget *target, DWORD kind, const BYTE *in, BYTE *out, DWORD count);

#endif /* QM_RENDER_PDL_DRAWING_DRAW_TARGET_H */
