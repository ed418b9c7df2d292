/*
 * What the capability handlers share: their signature, the preparation flags and the
 * paper and tray lists they build.
 */
#ifndef QM_CORE_CAPABILITIES_CAPABILITIES_PRIVATE_H
#define QM_CORE_CAPABILITIES_CAPABILITIES_PRIVATE_H

#include "core/capabilities/capabilities.h"

/* Preparation flags of a dispatch row. */
#define DC_PREPARE_CONTEXT 1
#define DC_PREPARE_DEVMODE 2
#define DC_PREPARE_BLOCK 4

/* What a handler is given. */
typedef struct DcQuery {
    HANDLE printer;
    WORD index;
    void *output; /* or NULL: the count only */
    DWORD flags;
    DriverDevmode *devmode; /* the effective DEVMODE, or NULL */
    PrinterDataBlock *block;
    DriverContext *context;
} DcQuery;

typedef LONG (*DcHandler)(const DcQuery *query);

/* One paper of the answer: its number, name and size (0.1 mm). */
typedef struct DcPaper {
    WORD number;
    WCHAR name[DC_PAPER_NAME_CHARS];
    LONG width;
    LONG height;
} DcPaper;

/* The papers of the query (a new global block, free with GlobalFree) and their count.
 * Returns 1, or 0 on a failure. */
BOOL dc_BuildPaperList(const DcQuery *query, DcPaper **papers, DWORD *count);

/* The handlers by area. */
LONG dc_Papers(const DcQuery *query);
LONG dc_Extent(const DcQuery *query);
LONG dc_Bins(const DcQuery *query);
LONG dc_MediaReady(const DcQuery *query);

/* Copies at most capacity - 1 characters and a terminator. */
void dc_CopyName(WCHAR *to, const WCHAR *from, DWORD capacity);

#endif /* QM_CORE_CAPABILITIES_CAPABILITIES_PRIVATE_H */
