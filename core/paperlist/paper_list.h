/*
 * The device paper list: the model's papers combined with the printer's forms, held by the
 * driver context when a site switches to it. Sizes in 0.001 mm (form units).
 */
#ifndef QM_CORE_PAPERLIST_PAPER_LIST_H
#define QM_CORE_PAPERLIST_PAPER_LIST_H

#include "core/context/driver_context.h"

#define PAPER_LIST_NAME_CHARS 65

/* One paper of the list (160 bytes). */
typedef struct PaperListEntry {
    SHORT formNumber; /* position in the form list from 1; 0 for the custom size */
    WCHAR name[PAPER_LIST_NAME_CHARS];
    LONG width;
    LONG height;
    WORD paperId;                  /* the dmPaperSize value */
    LONG left, top, right, bottom; /* imageable area */
} PaperListEntry;

typedef struct PaperList {
    PaperListEntry *entries;
    WORD modelCount; /* model entries first */
    WORD extraCount; /* then the extra forms */
} PaperList;

/* Kinds of opt_CountPapers. */
#define PAPER_COUNT_MODEL 1
#define PAPER_COUNT_EXTRA 2
#define PAPER_COUNT_ALL 3
#define PAPER_COUNT_ALL_BUT_CUSTOM 4

/* Fields of opt_GetPaperAt. */
#define PAPER_FIELD_ID 1   /* WORD */
#define PAPER_FIELD_FORM 2 /* WORD */
#define PAPER_FIELD_NAME 3 /* const WCHAR*, inside the list */
#define PAPER_FIELD_SIZE 4 /* two LONGs: width and height / 100 (0.1 mm) */

/* Keys of opt_FindPaper. */
#define PAPER_KEY_ID 1   /* WORD paper id */
#define PAPER_KEY_FORM 2 /* WORD form number */
#define PAPER_KEY_NAME 3 /* const WCHAR*, compared exactly */

/* The areas opt_UsesDevicePaperList reads. */
typedef struct PaperListUseRequest {
    DriverContext *context;
    PrinterDataBlock *block;
} PaperListUseRequest;

/* Results. */
#define PAPER_LIST_OK 1
#define PAPER_LIST_NO_CONTEXT (-1)
#define PAPER_LIST_NONE (-2)
#define PAPER_LIST_NOT_FOUND (-3)
#define PAPER_LIST_BAD_ARGUMENT (-100)

#ifdef __cplusplus
extern "C" {
#endif

/* opt_HasPaperList: 1 when the context holds a list, else 0. */
BOOL WINAPI opt_HasPaperList(const DriverContext *context);

/* opt_CountPapers: the entries of a kind (PAPER_COUNT_*). count: out. Returns 1, -1 no
 * context, -2 no list, -100 bad kind or no output. */
int WINAPI opt_CountPapers(const DriverContext *context, WORD *count, int kind);

/* opt_GetPaperAt: a field (PAPER_FIELD_*) of entry index. out: as the field says. Returns
 * 1, -1 no context, -2 no list, -3 index beyond the list, -100 bad field or no output. */
int WINAPI opt_GetPaperAt(const DriverContext *context, DWORD index, int field, void *out);

/* opt_FindPaper: a field (PAPER_FIELD_*) of the first entry, in list order, whose key
 * (PAPER_KEY_*) equals key (a WORD for kinds 1 and 2, a const WCHAR* for kind 3). out: as
 * the field says. Returns 1, -1 no context, -2 no list, -3 not found, -100 bad kind or a
 * NULL key or output. */
int WINAPI opt_FindPaper(const DriverContext *context, int keyKind, const void *key, int field, void *out);

/* opt_UsesDevicePaperList: the value of setting 5201 of the block when the context's map has
 * formdb 1 and that value is non-zero; 0 otherwise (also for a read error or NULL). */
DWORD WINAPI opt_UsesDevicePaperList(const PaperListUseRequest *request);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_PAPERLIST_PAPER_LIST_H */
