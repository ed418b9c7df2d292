/*
 * A render driver that draws nothing and writes one line per call it receives, with every
 * object it is handed, for the tests of printer DCs. Its capabilities, hooks and answers are
 * set before a DC is made; the tests reach its controls through GetProcAddress.
 */
#ifndef QM_PLATFORM_SRC_GDI_TESTS_RECORDING_DRIVER_H
#define QM_PLATFORM_SRC_GDI_TESTS_RECORDING_DRIVER_H

#include <windows.h>
#include <winddi.h>

/* What the next PDEVs announce and how the drawing entries answer. */
typedef struct _REC_SETUP {
    FLONG flGraphicsCaps; /* DEVINFO.flGraphicsCaps */
    FLONG flHooks;        /* EngAssociateSurface */
    ULONG iPaletteMode;   /* PAL_BGR or PAL_RGB */
    ULONG ulDpi;
    BOOL bStrokeAndFill; /* DrvStrokeAndFillPath's answer (the other entries answer TRUE) */
} REC_SETUP;

typedef void(WINAPI *REC_SETUP_PROC)(const REC_SETUP *setup);
/* The lines written since the last call, each ended by '\n'; the log starts anew. The text
 * stays valid until the next call. */
typedef const char *(WINAPI *REC_TAKE_LOG_PROC)(void);

#define REC_MODULE_NAME TEXT("qmrecdrv.dll")

#endif /* QM_PLATFORM_SRC_GDI_TESTS_RECORDING_DRIVER_H */
