/*
 * The job control state a PDEV carries while a document is open, beside the members of
 * JobState that other areas share (snapshot, page geometry record, names, colour and fax
 * values): the saved page geometry, the page counters, the replay requests and the
 * extended escape state. It is a member of JobState and moves whole with it at
 * DrvResetPDEV.
 */
#ifndef QM_RENDER_DRIVER_PDEV_JOB_STATE_H
#define QM_RENDER_DRIVER_PDEV_JOB_STATE_H

#include <windows.h>

#include "render/driver/pdev/job_blocks.h"

/* Page state bits of job control beside those of pdev.h. */
#define PAGE_STATE_PAGE_OPEN 0x0008 /* a logical page is open */
#define PAGE_STATE_REREAD 0x0040    /* page setup to be re-read at the next page start */
#define PAGE_STATE_DRAWN 0x0080     /* something has been drawn on the page */

#define JOB_NAME_CHARS 260

/* No override: the value of an override word that leaves its setting alone. */
#define EXT_NO_OVERRIDE 0xFFFF

/* Overridable settings of the extended escapes, in the order of the override words. */
#define EXT_OVERRIDE_COUNT 5
/* Saved settings: the five overridable ones, then duplex (16) and colour mode (270). */
#define EXT_SAVED_COUNT 7

/*
 * ExtendedEscapeState: the state the extended escapes drive. esc_InitExtendedState sets it
 * up at surface set-up; its overrides are written into the job's DEVMODE when the job's
 * output begins and restored on every end of the job.
 */
typedef struct ExtendedEscapeState {
    DWORD modeOn;       /* 1: extended mode on */
    DWORD jobValues[3]; /* PDL version, setting 4103 on, colour kind 2 */
    WORD transferCounter;
    WORD transferId;
    DWORD expectedBytes;
    DWORD receivedBytes;
    WORD overrides[EXT_OVERRIDE_COUNT]; /* settings 295, 264, 294, 321, 296 */
    WORD duplexOverride;                /* setting 16 */
    WORD finishingSubMode;
    DWORD jobModeFlag;           /* forces setting 270 to 0 */
    WORD saved[EXT_SAVED_COUNT]; /* 295, 264, 294, 321, 296, 16, 270 */
    DWORD savedFlag;             /* 1 while saved[] holds values to restore */
} ExtendedEscapeState;

/* The page-state block's counters (cleared at job start; the page-state word, the
 * recording word, the colour values, the paper source, the duplex setting and the logical
 * page count are JobState's own). */
typedef struct PageCounters {
    WORD stampWords[2];
    WORD currentPage;
    WORD pagesOutput; /* logical pages counted as output */
    WORD firstRecorded;
    WORD recordedCount;
    WORD pendingSource;    /* a paper-source change to apply with the next page setup */
    WORD pendingSourceSet; /* 1 while pendingSource holds one */
    WORD blankFace;        /* 1 while the page is a blank inserted face */
} PageCounters;

/* Fax job flags beside the destination values of JobState. */
typedef struct FaxJobFlags {
    DWORD coverOnly; /* setting 381 equal to 1 */
    DWORD coverKind; /* 0 no cover sheet, 1, 2 */
    DWORD setting1800;
    PaperRecord outputPaper; /* the output paper when the job's output began (one job per destination) */
} FaxJobFlags;

typedef struct JobControlState {
    HANDLE printer;          /* the printer handle of the job */
    DWORD pdlVersion;        /* the job's PDL version (clamped setting 8205) */
    DWORD fontTable;         /* font substitution table 0 or 1 */
    PageBlock savedGeometry; /* copy of the page geometry record */
    PageCounters counters;
    FaxJobFlags fax;
    DWORD replayFlag;     /* pages are recorded and output at job end */
    DWORD replayRequest;  /* the escape-driven replay request */
    DWORD nextPageReplay; /* a replay request for the next page */
    DWORD pageTurn;       /* the page must be turned for its tray */
    DWORD imageAnalysis;  /* the image-analysis word */
    WCHAR outputFile[JOB_NAME_CHARS];
    ExtendedEscapeState ext;
} JobControlState;

#endif /* QM_RENDER_DRIVER_PDEV_JOB_STATE_H */
