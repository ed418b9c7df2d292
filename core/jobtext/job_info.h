/*
 * The job-information record and its text form: a block of "@PJL COMMENT QMJOBINFO " lines
 * that tells the device what the job is and what each page is. The render module fills
 * the record while pages are produced and writes the block at the end of the job, in
 * several calls through a small buffer when needed.
 */
#ifndef QM_CORE_JOBTEXT_JOB_INFO_H
#define QM_CORE_JOBTEXT_JOB_INFO_H

#include <windows.h>

/* Line codes (1-26 lines, 27-33 page items). */
enum {
    JI_VERSION = 1,
    JI_BEGIN,
    JI_PDLTYPE,
    JI_JOBTYPE,
    JI_STOREDJOBTYPE,
    JI_JOBCOPIES,
    JI_PAGECOPIES,
    JI_DUPLEXTYPE,
    JI_NUP,
    JI_POSTER,
    JI_BOOKLETTYPE,
    JI_OUTTRAY,
    JI_PAGEORDER,
    JI_STAPLE,
    JI_PUNCH,
    JI_FOLD,
    JI_SLIPSHEET,
    JI_TONERSAVE,
    JI_PHYSICALPAGES,
    JI_LOGICALPAGES,
    JI_ESTIMATEDSHEETS,
    JI_PASSTHROUGH,
    JI_PAGEINFOBEGIN,
    JI_PAGEINFO,
    JI_PAGEINFOEND,
    JI_END,
    JI_ITEM_SIZE = 27,
    JI_ITEM_MODE,
    JI_ITEM_COLORS,
    JI_ITEM_INTRAY,
    JI_ITEM_DUPLEX,
    JI_ITEM_ORIENTATION,
    JI_ITEM_POS,
    JI_CODE_COUNT = 34
};

/* errorFlags bit: the block is incomplete or inconsistent. */
#define JI_ERROR_INCOMPLETE 0x1
/* Page colour mode of a page without content. */
#define JI_MODE_EMPTY 3
/* Longest PDL version text, in characters. */
#define JI_PDL_VERSION_CHARS 64
/* Items per chunk of the page table. */
#define JI_CHUNK_BYTES 64000
/* Longest line, prefix and line end included (checked against the tables). */
#define JI_LONGEST_LINE 200

/* One page (40 bytes). */
typedef struct PageInfoEntry {
    DWORD colorMode; /* table M */
    DWORD colorCount;
    DWORD inputTray;
    DWORD duplex;      /* table D */
    DWORD orientation; /* table N */
    DWORD position;    /* stream position */
    char sizeName[16]; /* at most 15 characters */
} PageInfoEntry;

/* One chunk of items. */
typedef struct PageChunk {
    DWORD items;
    BYTE *data;
} PageChunk;

/* A chunked array of fixed-size items with a cursor.
 * Growth never moves an item: a full table gets new chunks (job_AllocPageChunks) instead of
 * a larger copy of its last chunk, so an item's address stays good until the table is
 * freed and a failed growth leaves every item where it was. Nothing reads the items as one
 * block: every reader goes through job_GetPageRecord or the cursor, which walk the chunks. */
typedef struct PageInfoTable {
    DWORD itemSize;
    WORD capacity;
    WORD reserved;
    DWORD used;    /* items in use */
    DWORD current; /* 1-based, 0 = none */
    DWORD chunkCount;
    PageChunk *chunks;
    DWORD growthStep; /* the table tag given at creation: items added when the table is full */
} PageInfoTable;

/* The job-information record. */
typedef struct JobInfoRecord {
    PageInfoTable *pageTable;
    DWORD pdlCode;
    char pdlVersion[JI_PDL_VERSION_CHARS + 1];
    DWORD jobType;
    DWORD storedJobType;
    DWORD jobCopies;
    DWORD pageCopies;
    DWORD duplexType;
    DWORD nup;
    DWORD poster;
    DWORD bookletType;
    DWORD bookletThreshold;
    DWORD outputTray;
    DWORD outputBin;
    DWORD pageOrder;
    DWORD staple;
    DWORD punchHoles;
    DWORD punchPosition;
    DWORD fold;
    DWORD separatorSheet;
    DWORD tonerSave;
    DWORD logicalPages;
    DWORD physicalPages;
    DWORD estimatedSheets;
    DWORD passThrough;
    char lineEnd[2];
    DWORD lineEndLength;
    DWORD present[JI_CODE_COUNT];
    DWORD nextCode; /* 0: the next call starts a block */
    DWORD nextPage;
    DWORD pageCount;
    DWORD errorFlags;
} JobInfoRecord;

#ifdef __cplusplus
static_assert(sizeof(PageInfoEntry) == 40, "PageInfoEntry");
extern "C" {
#endif

/*
 * job_NewJobInfo: a zeroed record with a page table of pageCapacity items (all chunks
 * allocated), codes 1, 2 and 26 present and line end LF. tableTag is kept as the table's
 * growth step in items. Returns NULL when memory runs out (nothing left allocated).
 */
JobInfoRecord *WINAPI job_NewJobInfo(WORD pageCapacity, DWORD tableTag);

/* job_FreeJobInfo: frees the chunks, the table and the record; NULL is ignored. */
void WINAPI job_FreeJobInfo(JobInfoRecord *record);

/* job_SetJobInfoPdl: the PDL code and version (cut to 64 characters); marks code 3. */
void WINAPI job_SetJobInfoPdl(JobInfoRecord *record, DWORD pdlCode, const char *version);

/* job_SetJobInfoJobType: the job type; marks code 4. */
void WINAPI job_SetJobInfoJobType(JobInfoRecord *record, DWORD jobType);

/* job_SetJobInfoLineEnd: non-zero CR LF, zero LF. */
void WINAPI job_SetJobInfoLineEnd(JobInfoRecord *record, DWORD crlf);

/*
 * job_WriteJobInfoLines: writes the block's next lines into out (capacity bytes, a zero
 * after the text); a line fits when written + line + 1 <= capacity and is never cut.
 * more: out, 1 when lines are left for another call; errorFlags: out (may be NULL).
 * Returns the bytes written; 0 with more = 1 when not even one line fits (callers must
 * then stop), 0 with more = 0 for a NULL record or buffer.
 */
DWORD WINAPI job_WriteJobInfoLines(JobInfoRecord *record, char *out, DWORD capacity, DWORD *more, WORD *errorFlags);

/* ---- the page table (job_page_table.cpp) ---- */

/* job_AllocPageChunks: adds zeroed chunks for items more items (at most 1600 per chunk)
 * without moving the existing ones. Returns 1, or 0 (table unchanged) when memory runs out
 * or the capacity would pass 65535. */
BOOL WINAPI job_AllocPageChunks(PageInfoTable *table, DWORD items);

/* job_AppendPageRecord: takes the next item (the table grows by its growth step when it
 * is full) and makes it current. Returns the zeroed item, or NULL (table unchanged) when
 * the table cannot grow. */
PageInfoEntry *WINAPI job_AppendPageRecord(PageInfoTable *table);

/* job_GetCurrentPageIndex: the current item, 1-based; 0 for none or a NULL table. */
DWORD WINAPI job_GetCurrentPageIndex(const PageInfoTable *table);

/* job_GetCurrentPageRecord: the current item, or NULL. */
PageInfoEntry *WINAPI job_GetCurrentPageRecord(const PageInfoTable *table);

/* job_GetPageRecord: item n (1-based) within the capacity, or NULL. */
PageInfoEntry *WINAPI job_GetPageRecord(const PageInfoTable *table, DWORD n);

/* job_SelectPageRecord: makes item n (1 to the used count) current. Returns 1, or 0 with
 * nothing changed. */
BOOL WINAPI job_SelectPageRecord(PageInfoTable *table, DWORD n);

/* job_CopyCurrentPageRecord: copies the current item into entry. Returns 1, or 0. */
BOOL WINAPI job_CopyCurrentPageRecord(const PageInfoTable *table, PageInfoEntry *entry);

/* job_GetPageCount: the used count; 0 for NULL. */
DWORD WINAPI job_GetPageCount(const PageInfoTable *table);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_JOBTEXT_JOB_INFO_H */
