/*
 * What the private escapes keep for a job (a member of JobState, so it moves whole with
 * the job at DrvResetPDEV): the copies of the variable payloads, the job information
 * parts, the stamp-mode flags and the values that only the escapes deliver.
 */
#ifndef QM_RENDER_DRIVER_PDEV_ESCAPE_STATE_H
#define QM_RENDER_DRIVER_PDEV_ESCAPE_STATE_H

#include <windows.h>

#include "core/protocol/escapes.h"

/* The kept payload copies (global heap), by slot. */
#define ESC_BLOCK_A 0    /* job data block A */
#define ESC_BLOCK_B 1    /* job data block B (also the payload of the 0x1078 escape) */
#define ESC_BLOCK_C 2    /* job data block C */
#define ESC_BLOCK_D 3    /* job data block D */
#define ESC_BLOCK_PAGE 4 /* the page data block */
#define ESC_BLOCK_COUNT 5

/* The parts of the job information block kept: its five texts. */
#define ESC_JOB_INFO_PARTS 5

typedef struct EscapeBlock {
    void *data; /* NULL when none is kept */
    DWORD size;
} EscapeBlock;

typedef struct EscapeState {
    EscapeBlock blocks[ESC_BLOCK_COUNT];
    void *jobInfoParts[ESC_JOB_INFO_PARTS]; /* copies of the job information parts, NULL when absent */
    DWORD jobValues[2];                     /* the two job values of the security-marking record */
    DWORD jobInfoHeld;                      /* 1 once a job information block was stored */
    DWORD stampMode;                        /* 1 while the user-interface DLL draws a stamp */
    DWORD overlay;                          /* 1 after a stamp was restored onto the page */
    DWORD transformSaved;                   /* 1 while savedTransform holds the page transform */
    float savedTransform[6];                /* the page transform replaced for a stamp */
    DWORD stampColorWord;                   /* non-zero: stamps take the stamp colour */
    DWORD overlayClipWord;                  /* 0: the overlay is drawn unclipped */
    WCHAR outputPath[ESC_OUTPUT_PATH_CHARS + 1];
    DocumentIdentity jobStartExtra; /* the block kept behind the job-start DEVMODE */
} EscapeState;

struct PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* esc_KeepBlock: replaces kept block slot (ESC_BLOCK_*) of the PDEV's job by a copy of size
 * bytes of data (the old copy is freed first; size 0 keeps nothing). 1, or -1 when the
 * copy cannot be allocated. */
LONG WINAPI esc_KeepBlock(struct PDEV *pdev, int slot, const BYTE *data, ULONG size);

/* esc_ReleaseKept: frees every copy the escapes keep for the PDEV's job (data blocks, job
 * information parts, job-attribute sets). NULL is ignored. */
void WINAPI esc_ReleaseKept(struct PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_PDEV_ESCAPE_STATE_H */
