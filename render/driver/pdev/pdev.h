/*
 * The PDEV: the render driver's record of one printer device context. GDI creates it with
 * DrvEnablePDEV, hands it back to every later entry point and destroys it with
 * DrvDisablePDEV. It lives on its own private heap, zeroed at creation, and carries the
 * signature 0x4E515444 ("DTQN" in memory) in its first and in its last double word.
 *
 * Everything a running job needs is kept in `job` (JobState), which DrvResetPDEV moves
 * whole into the new PDEV; the job pipeline adds its members there.
 */
#ifndef QM_RENDER_DRIVER_PDEV_PDEV_H
#define QM_RENDER_DRIVER_PDEV_PDEV_H

#include <windows.h>
#include <winddi.h>

#include "core/protocol/devmode_trailer.h"
#include "core/settings/settings_types.h"
#include "render/driver/pdev/escape_state.h"
#include "render/driver/pdev/job_blocks.h"
#include "render/driver/pdev/job_state.h"
#include "render/pdl/colour/colour_set.h"
#include "render/pdl/drawing/clip_state.h"

#define PDEV_SIGNATURE 0x4E515444UL

/* PDEV flags. */
#define PDEV_FLAG_DOC_STARTED 0x00000004UL  /* a document is open (DrvStartDoc) */
#define PDEV_FLAG_JOB_FAILED 0x00000008UL   /* the job failed; pages are refused */
#define PDEV_FLAG_PAGE_STARTED 0x00004000UL /* a page was started in this job */
#define PDEV_FLAG_PAGE_OPEN 0x00008000UL    /* a page is open */
#define PDEV_FLAG_CONTINUATION 0x00100000UL /* made by DrvResetPDEV inside a running job */
#define PDEV_FLAG_HANDED_OVER 0x80000000UL  /* its job went to a new PDEV (DrvResetPDEV) */

/* Page state bits of the job (JobState.pageState). */
#define PAGE_STATE_DOC_OPEN 0x0001
#define PAGE_STATE_OUTPUT_BEGUN 0x0002
#define PAGE_STATE_SHEET_OPEN 0x0004
#define PAGE_STATE_ABORT 0x8000

/* Paper number of setting 262 meaning "no output paper". */
#define PDEV_NO_OUTPUT_PAPER 267

struct OutputStream;
struct PdlWriter;
struct DriverContext;
struct DddFile;
struct DeviceFontTables;
struct RotateBuffer;
struct ImageSpillFile;

/*
 * A paper: the page as the DEVMODE asks for it (first) or the output paper (second).
 * Lengths in units of 1/18432 inch.
 */
typedef struct PaperDescription {
    WCHAR name[48];
    LONG left; /* printable area */
    LONG top;
    LONG right;
    LONG bottom;
    LONG width; /* paper size */
    LONG height;
    DWORD rotated;      /* 1: turned for landscape */
    DWORD defaultPaper; /* 1: holds the model's default paper */
    void *record;       /* the description-data paper record (type 10) it came from */
    DWORD ownsRecord;   /* 1: record is freed with the PDEV */
} PaperDescription;

/*
 * The state of a running job. DrvResetPDEV moves it whole into the new PDEV (and clears
 * the owners in the old one); the job pipeline adds its members here.
 */
typedef struct JobState {
    DWORD jobIdSlot;                           /* the job identifier the job-identifier slot holds */
    WORD pageState;                            /* PAGE_STATE_* */
    WORD jobControl[2];                        /* two job-control words */
    struct OutputStream *stream;               /* the output channel (owner) */
    struct PdlWriter *writer;                  /* the command writer (owner) */
    void *imageQueue;                          /* the image queue (owner) */
    struct RotateBuffer *rotateBuffer;         /* images of turned pages are rotated in it (owner) */
    struct ImageSpillFile *imageSpill;         /* the image spill file record (owner) */
    void *jobPointers[5];                      /* job header and trailer pieces (PDEV heap) */
    WORD recordWord;                           /* page recording: 0, 0x8000 recording, mode | 0x8001 page open */
    WORD storedPages;                          /* pages recorded so far */
    WCHAR tempOutputPath[MAX_PATH];            /* temporary output file, kept until job end */
    WORD colorResult;                          /* the page's colour: 0 undecided, 1, 2 colour, 3 */
    WORD colorScanOff;                         /* non-zero: the page is never scanned for colour */
    PageSetupState setup;                      /* snapshot, page geometry and the page's paper values */
    WCHAR documentName[MAX_PATH];              /* copied at job open, empty when none */
    DWORD logicalPages;                        /* logical pages counted in the job */
    ColorSet colorSet;                         /* the colours collected for the page */
    struct ColorSession *colorSession;         /* the job's colour pipeline (owner), or NULL */
    struct CompressDllTable *textCompression;  /* the compression component for text (owner), or NULL */
    struct CompressDllTable *imageCompression; /* the same table when it serves images too */
    WORD faxDestinations;                      /* destinations of the fax send list */
    DWORD faxJob;                              /* 1: a fax job */
    DWORD faxPerDestination;                   /* 1: one spool job per fax destination */
    const struct FaxSendList *faxList;         /* the fax send list, NULL when none */
    HANDLE monitorSession;                     /* the document monitor's session of the job, NULL for none */
    /* Job header, job information and stream trace records. */
    struct JobInfoRecord *jobInfo;   /* the job-information record (owner, global heap) */
    DWORD traceStartTick;            /* GetTickCount at job open */
    BYTE modeByte;                   /* the job mode bits of 'EA' (always 0) */
    struct JobAttrSetHead *attrSets; /* job-attribute sets of the user-interface DLL (owner), or NULL */
    DWORD attrSetsSize;              /* their size in bytes */
    JobControlState control;         /* job control: page counters, replay requests, escape state */
    EscapeState escape;              /* what the private escapes keep for the job */
    ClipState clip;                  /* the page's clip; its stored path on the PDEV heap */
    struct FontKeyTable *fontKeys;   /* download keys of the job's fonts (owner), or NULL */
} JobState;

/* The page buffer (pdev_ResetPageBuffer). */
typedef struct PageBuffer {
    DWORD state;
    RECTL rect;
    BYTE *buffer; /* PDEV heap */
    DWORD size;
    DWORD used;
} PageBuffer;

typedef struct PDEV {
    DWORD signature;               /* PDEV_SIGNATURE */
    DWORD jobId;                   /* spooler job id of DrvStartDoc */
    DriverDevmode devmode;         /* the full driver DEVMODE */
    PrinterDataBlock *printerData; /* PDEV heap */
    HANDLE heap;                   /* the private heap */
    HANDLE printer;                /* hDriver of DrvEnablePDEV */
    DWORD word256;                 /* 256 at creation */
    DWORD scaledResolution;        /* resolution x scale / 100 */
    DWORD copyCount;               /* setting 12 */
    HDEV hdev;
    HSURF surface;                 /* device surface */
    HPALETTE palette;              /* PAL_BGR palette of DEVINFO */
    DWORD flags;                   /* PDEV_FLAG_* */
    PaperDescription paper[2];     /* current page, output paper */
    struct DriverContext *context; /* printer context */
    struct DddFile *modelFile;     /* its two description files */
    struct DddFile *baseFile;
    DWORD carriedWord;              /* cleared at creation, carried by DrvResetPDEV */
    struct DeviceFontTables *fonts; /* device font tables (PDEV heap) */
    DWORD fontCount;                /* device fonts (0 when the model has none) */
    WCHAR *fontSubTable;            /* font substitution table (global heap) */
    DevmodeTrailer trailer;         /* the trailer of the DEVMODE the PDEV was enabled with */
    DWORD faxModel;                 /* 1 when the model class is 2 */
    DWORD jobInProgress;            /* cleared at creation, carried by DrvResetPDEV */
    DriverDevmode jobStartDevmode;  /* the DEVMODE job control keeps */
    JobState job;
    DWORD carryWord; /* kept across DrvResetPDEV while a document is open */
    BYTE carryFlag;
    PageBuffer pageBuffer;
    DWORD resourceUse;  /* 1: holds a use of the resource module */
    DWORD signatureEnd; /* PDEV_SIGNATURE */
} PDEV;

#ifdef __cplusplus
extern "C" {
#endif

/* pdev_IsValid: 1 when pdev is non-NULL and both signature words hold PDEV_SIGNATURE. */
BOOL WINAPI pdev_IsValid(const PDEV *pdev);

/* pdev_FromSurface: the PDEV of a surface (its dhpdev); NULL for a NULL surface. The
 * caller checks it with pdev_IsValid. */
PDEV *WINAPI pdev_FromSurface(const SURFOBJ *pso);

/* pdev_GetHalftonePatternSize: the halftone pattern size for the smaller of the two
 * resolutions (15 from 2400, 13 from 1800, 11 from 1200, 9 from 900, 7 from 400, 5 from
 * 180, else 3), 2 less when reduce is non-zero. */
ULONG WINAPI pdev_GetHalftonePatternSize(ULONG resolutionX, ULONG resolutionY, BOOL reduce);

/* pdev_ClearCarryWord: clears the carried-over word. */
void WINAPI pdev_ClearCarryWord(PDEV *pdev);

/* pdev_ResetPageBuffer: buffer state 3, rectangle cleared, buffer freed to the PDEV heap,
 * size words zeroed. */
void WINAPI pdev_ResetPageBuffer(PDEV *pdev);

/* pdev_InitModuleSlot: the job-identifier slot takes the job identifier. Returns 0. */
LONG WINAPI pdev_InitModuleSlot(PDEV *pdev, DWORD jobId);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_PDEV_PDEV_H */
