/*
 * The job-information record: creation with its page table, the setters of this area,
 * and the resumable writer of the "@PJL COMMENT QMJOBINFO " block.
 */
#include "core/jobtext/job_info.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static const char kPrefix[] = "@PJL COMMENT QMJOBINFO ";
static const char kVersion[] = "1.2.0";

/* Value tables: index -> text; an index outside its table writes no line. */
static const char *const kPdl[] = {"UNKNOWN", "LUMIQ", "POSTSCRIPT", "PCLXL"};
static const char *const kJobType[] = {"PRINT", "DIRECTFAX", "INTERNETFAX", "FORMREGISTRATION"};
static const char *const kStoredJobType[] = {"IMMEDIATE", "SECURITY", "PROOF", "DELAY", "QUICKCOPY", "PERSONALBOX"};
static const char *const kDuplex[] = {"SIMPLEX", "DUPLEX", "TUMBLE"};
static const char *const kBooklet[] = {"NOBOOKLET", "NONEDIVIDE", "AUTODIVIDE", "MANUALDIVIDE"};
static const char *const kOutTray[] = {"MAINTRAY", "SIDETRAY", "OUTBIN", "BOOKLETTRAY", "FOLDERTRAY"};
static const char *const kPageOrder[] = {"1TON", "NTO1"};
static const char *const kStaple[] = {"NOSTAPLE",
                                      "TOPLEFT",
                                      "TOPDUAL",
                                      "TOPRIGHT",
                                      "RIGHTDUAL",
                                      "BOTTOMRIGHT",
                                      "BOTTOMDUAL",
                                      "BOTTOMLEFT",
                                      "LEFTDUAL",
                                      "SADDLE"};
static const char *const kPunchHoles[] = {"NOPUNCH", "UNKNOWN", "TWO", "THREE", "FOUR"};
static const char *const kPunchPosition[] = {"TOP", "LEFT", "RIGHT", "BOTTOM"};
static const char *const kFold[] = {"NOFOLD",
                                    "BIFOLDINSIDE",
                                    "BIFOLDOUTSIDE",
                                    "ZFOLDLEFT",
                                    "ZFOLDRIGHT",
                                    "TRIZFOLDINSIDE",
                                    "TRIZFOLDOUTSIDE",
                                    "TRICFOLDINSIDE",
                                    "TRICFOLDOUTSIDE"};
static const char *const kSlipSheet[] = {"NOSLIPSHEET", "EMPTY", "COPY"};
static const char *const kToner[] = {"OFF", "ON"};
static const char *const kColorMode[] = {"UNKNOWN", "COLOR", "MONOCHROME", "EMPTY"};
static const char *const kOrientation[] = {"UNKNOWN", "PORTRAIT", "LANDSCAPE", "REVPORTRAIT", "REVLANDSCAPE"};

#define TABLE(t) t, (DWORD)(sizeof(t) / sizeof(t[0]))

/* The longest line: prefix, the longest page line with every item, the line end. */
static constexpr DWORD kLongestPageLine = 23 + 9 + 21 + 17 + 20 + 19 + 16 + 26 + 16 + 2;
static constexpr DWORD kLongestPdlLine = 23 + 12 + 10 + 10 + JI_PDL_VERSION_CHARS + 1 + 2;
static_assert(kLongestPageLine < JI_LONGEST_LINE && kLongestPdlLine < JI_LONGEST_LINE, "longest line");
static_assert(JI_LONGEST_LINE <= 512, "a line fits the render module's buffer");

/* The codes every block of a job type must carry. */
static const DWORD kRequiredPrint[] = {JI_PDLTYPE, JI_JOBTYPE, JI_JOBCOPIES, JI_PAGECOPIES, JI_PAGEINFO, JI_ITEM_SIZE};
static const DWORD kRequiredFax[] = {JI_PDLTYPE, JI_JOBTYPE, JI_PAGEINFO, JI_ITEM_SIZE};

/* A line being built: at most JI_LONGEST_LINE bytes. */
typedef struct Line {
    char text[JI_LONGEST_LINE];
    DWORD length;
} Line;

static const char *table_text(const char *const *table, DWORD count, DWORD index)
{
    return index < count ? table[index] : NULL;
}

/* add: appends formatted text to the line (cut at its end, which the static_asserts rule out). */
static void add(Line *line, const char *format, ...) __attribute__((format(printf, 2, 3)));
static void add(Line *line, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vsnprintf(line->text + line->length, sizeof(line->text) - line->length, format, args);
    va_end(args);
    if (n > 0)
        line->length += (DWORD)n < sizeof(line->text) - line->length ? (DWORD)n : 0;
}

/* add_table: "key" with the table's text; 0 when the index is outside the table. */
static BOOL add_table(Line *line, const char *format, const char *const *table, DWORD count, DWORD index)
{
    const char *text = table_text(table, count, index);
    if (text == NULL)
        return FALSE;
    add(line, format, text);
    return TRUE;
}

/* page_items: the items of one page's line. */
static void page_items(JobInfoRecord *record, const PageInfoEntry *page, Line *line)
{
    const char *separator = "";
    char size[16];
    memcpy(size, page->sizeName, sizeof(size));
    size[15] = '\0';
    if (record->present[JI_ITEM_SIZE] && size[0] != '\0') {
        add(line, "SIZE[%s]", size);
        separator = ":";
    } else {
        record->errorFlags |= JI_ERROR_INCOMPLETE;
    }
    if (record->present[JI_ITEM_MODE] && table_text(TABLE(kColorMode), page->colorMode)) {
        add(line, "%sMODE[%s]", separator, kColorMode[page->colorMode]);
        separator = ":";
    }
    if (record->present[JI_ITEM_COLORS] && page->colorMode == 1 && (LONG)page->colorCount >= 0) {
        add(line, "%sCOLORS[%d]", separator, (int)page->colorCount);
        separator = ":";
    }
    if (record->present[JI_ITEM_INTRAY]) {
        add(line, "%sINTRAY[%u]", separator, (unsigned)page->inputTray);
        separator = ":";
    }
    if (record->present[JI_ITEM_DUPLEX] && table_text(TABLE(kDuplex), page->duplex)) {
        add(line, "%sDUPLEX[%s]", separator, kDuplex[page->duplex]);
        separator = ":";
    }
    if (record->present[JI_ITEM_ORIENTATION] && table_text(TABLE(kOrientation), page->orientation)) {
        add(line, "%sORIENTATION[%s]", separator, kOrientation[page->orientation]);
        separator = ":";
    }
    if (record->present[JI_ITEM_POS])
        add(line, "%sPOS[%lu]", separator, (unsigned long)page->position);
}

/* build_text: the text of line code (page: the page of code 24). 0 when the code writes
 * no line. */
static BOOL build_text(JobInfoRecord *record, DWORD code, DWORD page, Line *line)
{
    JobInfoRecord *r = record;
    switch (code) {
    case JI_VERSION: add(line, "VERSION=%s", kVersion); return TRUE;
    case JI_BEGIN: add(line, "BEGIN"); return TRUE;
    case JI_PDLTYPE: {
        const char *pdl = table_text(TABLE(kPdl), r->pdlCode);
        if (pdl == NULL)
            return FALSE;
        add(line, "PDLTYPE=PDL[%s]:VERSION[%.64s]", pdl, r->pdlVersion);
        return TRUE;
    }
    case JI_JOBTYPE: return add_table(line, "JOBTYPE=%s", TABLE(kJobType), r->jobType);
    case JI_STOREDJOBTYPE: return add_table(line, "STOREDJOBTYPE=%s", TABLE(kStoredJobType), r->storedJobType);
    case JI_JOBCOPIES:
        if ((LONG)r->jobCopies <= 0)
            return FALSE;
        add(line, "JOBCOPIES=%d", (int)r->jobCopies);
        return TRUE;
    case JI_PAGECOPIES:
        if ((LONG)r->pageCopies <= 0)
            return FALSE;
        add(line, "PAGECOPIES=%d", (int)r->pageCopies);
        return TRUE;
    case JI_DUPLEXTYPE: return add_table(line, "DUPLEXTYPE=%s", TABLE(kDuplex), r->duplexType);
    case JI_NUP:
        if ((LONG)r->nup < 1)
            return FALSE;
        add(line, "NUP=%d", (int)r->nup);
        return TRUE;
    case JI_POSTER:
        if ((LONG)r->poster < 1)
            return FALSE;
        add(line, "POSTER=%d", (int)r->poster);
        return TRUE;
    case JI_BOOKLETTYPE:
        if (r->bookletType == 2 || r->bookletType == 3) {
            if ((LONG)r->bookletThreshold <= 0)
                return FALSE;
            add(line, "BOOKLETTYPE=TYPE[%s]:THRESHOLD[%d]", kBooklet[r->bookletType], (int)r->bookletThreshold);
            return TRUE;
        }
        return add_table(line, "BOOKLETTYPE=TYPE[%s]", TABLE(kBooklet), r->bookletType);
    case JI_OUTTRAY:
        if (r->outputTray == 2) {
            if ((LONG)r->outputBin <= 0)
                return FALSE;
            add(line, "OUTTRAY=%s%d", kOutTray[2], (int)r->outputBin);
            return TRUE;
        }
        return add_table(line, "OUTTRAY=%s", TABLE(kOutTray), r->outputTray);
    case JI_PAGEORDER: return add_table(line, "PAGEORDER=%s", TABLE(kPageOrder), r->pageOrder);
    case JI_STAPLE: return add_table(line, "STAPLE=%s", TABLE(kStaple), r->staple);
    case JI_PUNCH:
        if (r->punchHoles == 0) {
            add(line, "PUNCH=HOLES[%s]", kPunchHoles[0]);
            return TRUE;
        }
        if (!table_text(TABLE(kPunchHoles), r->punchHoles) || !table_text(TABLE(kPunchPosition), r->punchPosition))
            return FALSE;
        add(line, "PUNCH=HOLES[%s]:POSITION[%s]", kPunchHoles[r->punchHoles], kPunchPosition[r->punchPosition]);
        return TRUE;
    case JI_FOLD: return add_table(line, "FOLD=%s", TABLE(kFold), r->fold);
    case JI_SLIPSHEET: return add_table(line, "SLIPSHEET=%s", TABLE(kSlipSheet), r->separatorSheet);
    case JI_TONERSAVE: return add_table(line, "TONERSAVE=%s", TABLE(kToner), r->tonerSave);
    case JI_PHYSICALPAGES: add(line, "PHYSICALPAGES=%lu", (unsigned long)r->physicalPages); return TRUE;
    case JI_LOGICALPAGES: add(line, "LOGICALPAGES=%lu", (unsigned long)r->logicalPages); return TRUE;
    case JI_ESTIMATEDSHEETS: add(line, "ESTIMATEDSHEETS=%lu", (unsigned long)r->estimatedSheets); return TRUE;
    case JI_PASSTHROUGH: add(line, r->passThrough ? "PASSTHROUGH=ON" : "PASSTHROUGH=OFF"); return TRUE;
    case JI_PAGEINFOBEGIN: add(line, "PAGEINFOBEGIN"); return TRUE;
    case JI_PAGEINFO: {
        const PageInfoEntry *entry = job_GetPageRecord(r->pageTable, page);
        if (entry == NULL)
            return FALSE;
        add(line, "PAGEINFO=");
        page_items(r, entry, line);
        return TRUE;
    }
    case JI_PAGEINFOEND: add(line, "PAGEINFOEND"); return TRUE;
    case JI_END: add(line, "END"); return TRUE;
    default: return FALSE;
    }
}

/* build_line: prefix, text and line end of a code; 0 when it writes no line. */
static BOOL build_line(JobInfoRecord *record, DWORD code, DWORD page, Line *line)
{
    line->length = 0;
    add(line, "%s", kPrefix);
    if (!build_text(record, code, page, line))
        return FALSE;
    if (line->length + record->lineEndLength < sizeof(line->text)) {
        memcpy(line->text + line->length, record->lineEnd, record->lineEndLength);
        line->length += record->lineEndLength;
    }
    return TRUE;
}

/* start_block: the completeness check and the page counts of a new block. */
static void start_block(JobInfoRecord *record)
{
    record->errorFlags = 0;
    const DWORD *required = NULL;
    DWORD count = 0;
    if (record->jobType == 0) {
        required = kRequiredPrint;
        count = sizeof(kRequiredPrint) / sizeof(kRequiredPrint[0]);
    } else if (record->jobType <= 3) {
        required = kRequiredFax;
        count = sizeof(kRequiredFax) / sizeof(kRequiredFax[0]);
    }
    for (DWORD i = 0; i < count; ++i) {
        if (!record->present[required[i]])
            record->errorFlags |= JI_ERROR_INCOMPLETE;
    }
    record->pageCount = job_GetPageCount(record->pageTable);
    DWORD empty = 0;
    for (DWORD n = 1; n <= record->pageCount; ++n) {
        const PageInfoEntry *page = job_GetPageRecord(record->pageTable, n);
        if (page != NULL && page->colorMode == JI_MODE_EMPTY)
            ++empty;
    }
    record->physicalPages = record->pageCount - empty;
    if (record->pageCount != 0) {
        record->present[JI_PHYSICALPAGES] = 1;
        record->present[JI_PAGEINFOBEGIN] = 1;
        record->present[JI_PAGEINFOEND] = 1;
    }
    record->nextCode = JI_VERSION;
    record->nextPage = 1;
}

extern "C" DWORD WINAPI job_WriteJobInfoLines(JobInfoRecord *record, char *out, DWORD capacity, DWORD *more,
                                              WORD *errorFlags)
{
    if (more)
        *more = 0;
    if (record == NULL || out == NULL || capacity == 0)
        return 0;
    if (record->nextCode == 0)
        start_block(record);
    DWORD written = 0;
    out[0] = '\0';
    Line line;
    for (; record->nextCode <= JI_END; ++record->nextCode) {
        DWORD code = record->nextCode;
        if (!record->present[code])
            continue;
        DWORD lastPage = code == JI_PAGEINFO ? record->pageCount : record->nextPage;
        for (; record->nextPage <= lastPage; ++record->nextPage) {
            if (build_line(record, code, record->nextPage, &line)) {
                if (written + line.length + 1 > capacity) {
                    if (more)
                        *more = 1;
                    if (errorFlags)
                        *errorFlags = (WORD)record->errorFlags;
                    return written;
                }
                memcpy(out + written, line.text, line.length);
                written += line.length;
                out[written] = '\0';
            }
            if (code != JI_PAGEINFO)
                break;
        }
        if (code == JI_PAGEINFO)
            record->nextPage = 1;
    }
    /* The block is complete: the next call starts a new one, checked and counted again. */
    record->nextCode = 0;
    record->nextPage = 1;
    if (errorFlags)
        *errorFlags = (WORD)record->errorFlags;
    return written;
}

extern "C" JobInfoRecord *WINAPI job_NewJobInfo(WORD pageCapacity, DWORD tableTag)
{
    JobInfoRecord *record = (JobInfoRecord *)GlobalAlloc(GPTR, sizeof(JobInfoRecord));
    PageInfoTable *table = (PageInfoTable *)GlobalAlloc(GPTR, sizeof(PageInfoTable));
    if (record == NULL || table == NULL) {
        GlobalFree(record);
        GlobalFree(table);
        return NULL;
    }
    table->itemSize = sizeof(PageInfoEntry);
    table->growthStep = tableTag;
    if (!job_AllocPageChunks(table, pageCapacity)) {
        GlobalFree(table);
        GlobalFree(record);
        return NULL;
    }
    record->pageTable = table;
    record->present[JI_VERSION] = 1;
    record->present[JI_BEGIN] = 1;
    record->present[JI_END] = 1;
    job_SetJobInfoLineEnd(record, 0);
    return record;
}

extern "C" void WINAPI job_FreeJobInfo(JobInfoRecord *record)
{
    if (record == NULL)
        return;
    PageInfoTable *table = record->pageTable;
    if (table != NULL) {
        for (DWORD i = 0; i < table->chunkCount; ++i)
            GlobalFree(table->chunks[i].data);
        GlobalFree(table->chunks);
        GlobalFree(table);
    }
    GlobalFree(record);
}

extern "C" void WINAPI job_SetJobInfoPdl(JobInfoRecord *record, DWORD pdlCode, const char *version)
{
    if (record == NULL)
        return;
    record->pdlCode = pdlCode;
    record->pdlVersion[0] = '\0';
    if (version != NULL)
        snprintf(record->pdlVersion, sizeof(record->pdlVersion), "%.64s", version);
    record->present[JI_PDLTYPE] = 1;
}

extern "C" void WINAPI job_SetJobInfoJobType(JobInfoRecord *record, DWORD jobType)
{
    if (record == NULL)
        return;
    record->jobType = jobType;
    record->present[JI_JOBTYPE] = 1;
}

extern "C" void WINAPI job_SetJobInfoLineEnd(JobInfoRecord *record, DWORD crlf)
{
    if (record == NULL)
        return;
    record->lineEnd[0] = crlf ? '\r' : '\n';
    record->lineEnd[1] = crlf ? '\n' : '\0';
    record->lineEndLength = crlf ? 2 : 1;
}
