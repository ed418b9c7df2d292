/*
 * The DEVMODE trailer: the 24 bytes the user-interface driver appends to a full driver
 * DEVMODE before handing it to GDI, and the render driver reads when a PDEV is enabled.
 * The DEVMODE so handed over is 5896 bytes: dmSize 220 and dmDriverExtra 5676.
 */
#ifndef QM_CORE_PROTOCOL_DEVMODE_TRAILER_H
#define QM_CORE_PROTOCOL_DEVMODE_TRAILER_H

#include <stddef.h>

#include <windows.h>

#include "core/settings/settings_types.h"

/*
 * The trailer, at byte DEVMODE_TRAILER_OFFSET of the DEVMODE. The paper record (paperSize
 * to zero) is filled only when setting 387 is 1 and the paper size has a driver paper
 * number; otherwise it stays zero.
 */
typedef struct DevmodeTrailer {
    WORD size;        /* DEVMODE_TRAILER_SIZE */
    WORD paperSize;   /* the job's paper size (FunctionID 8) */
    WORD paperNumber; /* the driver paper number of that paper size */
    WORD margins[4];  /* left, right, top, bottom of that paper, 0.1 mm, portrait */
    WORD zero;
    DWORD devicePaperList; /* 1 when the device paper list is in use */
    DWORD enforced270;     /* 1 when FunctionID 270 is enforced by the model's special settings */
} DevmodeTrailer;

#define DEVMODE_TRAILER_OFFSET DM_FULL_SIZE
#define DEVMODE_TRAILER_SIZE 24
#define DEVMODE_WITH_TRAILER_SIZE (DM_FULL_SIZE + DEVMODE_TRAILER_SIZE)
#define DEVMODE_TRAILER_EXTRA (DEVMODE_WITH_TRAILER_SIZE - DM_PUBLIC_SIZE)

#ifdef __cplusplus
static_assert(sizeof(DevmodeTrailer) == DEVMODE_TRAILER_SIZE, "DevmodeTrailer");
static_assert(offsetof(DevmodeTrailer, paperSize) == 2, "DevmodeTrailer paper record at 5874");
static_assert(offsetof(DevmodeTrailer, margins) == 6, "DevmodeTrailer margins at 5878");
static_assert(offsetof(DevmodeTrailer, devicePaperList) == 16, "DevmodeTrailer list at 5888");
static_assert(offsetof(DevmodeTrailer, enforced270) == 20, "DevmodeTrailer enforced flag at 5892");
static_assert(DEVMODE_TRAILER_OFFSET == 5872 && DEVMODE_TRAILER_EXTRA == 5676, "DevmodeTrailer place");
#endif

#endif /* QM_CORE_PROTOCOL_DEVMODE_TRAILER_H */
