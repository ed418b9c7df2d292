/*
 * Job-attribute text: the narrow (ANSI code page) text that opens and closes every print
 * job. The header block holds the job ticket of the outside ticket maker, the universal
 * exit line and one line per job-attribute record of the description data (type 15), with
 * the built-in group (booklet count, the lines of the outside attribute component, the fax
 * destination lines) at a "%" placeholder record. The trailer is the universal exit line
 * and the end-of-job line.
 *
 * Every writer returns the bytes it appended (a zero follows them and is not counted) or
 * one of the negative JOB_E_* codes; the first failure ends a build, and what was written
 * so far stays in the buffer but must be discarded.
 */
#ifndef QM_CORE_JOBTEXT_JOB_ATTR_H
#define QM_CORE_JOBTEXT_JOB_ATTR_H

#include "core/ddd/ddd_access.h"
#include "core/protocol/escapes.h"
#include "core/settings/settings_types.h"

#include <windows.h>

/* Failure codes of the job-attribute writers. */
#define JOB_E_RECORD (-110)         /* fetching or releasing a job-attribute record failed */
#define JOB_E_NO_KEYWORD (-120)     /* record without keyword */
#define JOB_E_NO_VALUE (-130)       /* record without FunctionID and fixed value */
#define JOB_E_ENTRY (-140)          /* description entry 2, 24 or 25 missing or zero */
#define JOB_E_OPERATOR (-160)       /* condition operator invalid */
#define JOB_E_COMPARE_TYPE (-170)   /* ValueType not supported for comparison */
#define JOB_E_OPERATOR_TYPE (-175)  /* operator not allowed for the ValueType */
#define JOB_E_READ (-210)           /* setting read failed */
#define JOB_E_FORMAT_TYPE (-220)    /* ValueType not supported for formatting */
#define JOB_E_SIZE (-230)           /* value size does not match its ValueType */
#define JOB_E_COPY (-310)           /* narrow copy failed: no room left below the capacity */
#define JOB_E_LENGTH (-320)         /* length failed */
#define JOB_E_CONVERT (-340)        /* code-page conversion failed */
#define JOB_E_NO_MEMORY (-350)      /* out of memory for the job ticket */
#define JOB_E_UNKNOWN_ID (-410)     /* FunctionID not in the settings tables */
#define JOB_E_CONDITION_TYPE (-420) /* condition ValueType differs from the setting's */
#define JOB_E_ARGUMENT (-440)       /* bad arguments */
#define JOB_E_CONNECTIVE (-450)     /* connective outside 1-6 */
#define JOB_E_CAPABILITIES (-460)   /* model capabilities unreadable */
#define JOB_E_COMPONENT (-510)      /* attribute-component function missing or failed */
#define JOB_E_OUTSIDE (-610)        /* outside DLL missing; paper keyword or fax destination missing */
#define JOB_E_RANGE_335 (-620)      /* setting 335 out of range */
#define JOB_E_TICKET (-720)         /* ticket maker failed */
#define JOB_E_TICKET_FILL (-730)    /* ticket maker's second call failed */

/* Model flags (first word of the model capabilities) read by the job-attribute text. */
#define JOB_FLAG_RESTRICTED_DBCS 0x2u      /* double-byte characters in the restricted text */
#define JOB_FLAG_NUP_LINE 0x4u             /* N-up line of the attribute component */
#define JOB_FLAG_HOST_ADDRESS 0x8u         /* host-address line */
#define JOB_FLAG_TRAY_FROM_SOURCE 0x10u    /* tray code from setting 13 first */
#define JOB_FLAG_PJL 0x40000u              /* PJL form of the wrapped lines and the end of job */
#define JOB_FLAG_HOST_NAME 0x200000u       /* host-name line; owner kind 5 */
#define JOB_FLAG_OWNER_SETTINGS 0x2000000u /* owner name from the settings */
#define JOB_FLAG_BOOKLET_COUNT 0x4000000u  /* booklet-count line */
#define JOB_FLAG_FAX_KIND2 0x40000000u     /* fax destination lines in kind 2 */

/* Longest document-monitor job-id text read from the context, in bytes. */
#define JOB_MONITOR_ID_BYTES 64

struct FaxSendList;

/* The fax destinations of one set: first to last (inclusive) of the list; list NULL = none. */
typedef struct JobFaxRange {
    WORD first;
    WORD last;
    const struct FaxSendList *list;
} JobFaxRange;

/* What the caller hands the builder, and what it hands back. */
typedef struct JobAttrContext {
    DriverDevmode *devmode;
    PrinterDataBlock *block;
    DWORD monitorActive;                     /* 1: the document monitor is active for the job */
    char monitorJobId[JOB_MONITOR_ID_BYTES]; /* its job-id text, zero-terminated within 64 bytes */
    const WCHAR *nameText;                   /* the restricted-text writer's source, or NULL */
    DWORD attrComponent;                     /* 1: write the attribute-component group */
    JobFaxRange fax;
    HANDLE printer;
    WORD bookletCount;   /* 0: not yet known */
    DWORD bookletOffset; /* out: offset of the booklet placeholder, 0 for none */
    DWORD capacity;      /* bytes of the output buffer, terminating zero included */
} JobAttrContext;

#ifdef __cplusplus
extern "C" {
#endif

/* ---- the header block (job_attr_block.cpp) ---- */

/*
 * job_BuildJobAttrBlock: writes the job ticket (ticket data given and the maker in use),
 * the universal exit line, then the lines of every job-attribute record in record order.
 * model, base: the description files; context: in/out (bookletOffset); ticket, ticketSize:
 * the ticket data or NULL; out: the narrow buffer of context->capacity bytes. Returns the
 * bytes written or a JOB_E_* code (-440 without model, context, DEVMODE or buffer). The
 * attribute component loaded on the way is freed before the return.
 */
LONG WINAPI job_BuildJobAttrBlock(DddFile *model, DddFile *base, JobAttrContext *context, const void *ticket,
                                  DWORD ticketSize, char *out);

/*
 * job_EstimateHeaderSize: the upper bound of what job_BuildJobAttrBlock writes, the
 * terminating zero included, from the fixed per-line allowances, entry 2 and on fax
 * models entries 24 and 25. Returns the bytes, -140 (an entry missing or zero), -440 (no
 * model) or -460 (capabilities unreadable).
 */
LONG WINAPI job_EstimateHeaderSize(HANDLE printer, DriverDevmode *devmode, DddFile *model, DddFile *base,
                                   const void *ticket, DWORD ticketSize);

/* ---- universal exit, end of job and trailer (job_trailer.cpp) ---- */

/* job_GetUelSize: 14, the room reserved for the universal exit line. */
LONG WINAPI job_GetUelSize(void);

/* job_WriteUel: ESC "%-12345X" and a zero into out (10 bytes). Returns 9, -440 for NULL. */
LONG WINAPI job_WriteUel(char *out);

/* job_EstimateEojSize: the end-of-job text's length + 1 + 5; -460 without capabilities. */
LONG WINAPI job_EstimateEojSize(DddFile *model, DWORD ignored);

/* job_WriteEoj: "@PJL EOJ" (model flag 0x40000) or "@EOJO", then "\n" and a zero, into a
 * buffer of job_EstimateEojSize bytes. Returns the bytes, -440 or -460. */
LONG WINAPI job_WriteEoj(DddFile *model, DWORD ignored, char *out);

/* job_EstimateTrailerSize: 1 + 1 + 8 + the end-of-job text's length + 5. */
LONG WINAPI job_EstimateTrailerSize(DddFile *model, DWORD ignored);

/* job_WriteTrailer: the universal exit line, the end-of-job text and "\n" into a buffer of
 * job_EstimateTrailerSize bytes. Returns the bytes, -440 or -460. */
LONG WINAPI job_WriteTrailer(DddFile *model, DWORD ignored, char *out);

/* ---- narrow appends (job_append.cpp) ---- */

/*
 * job_AppendNarrow: text converted to the ANSI code page and copied with its zero into out,
 * whose capacity counts the zero. Returns the bytes without the zero; -310 when they do not
 * fit (out untouched), -340 when the conversion fails, -440 for NULL arguments.
 */
LONG WINAPI job_AppendNarrow(const WCHAR *text, char *out, DWORD capacity);

/* job_AppendTwoNarrow: a and then b, as job_AppendNarrow; nothing is kept when b fails. */
LONG WINAPI job_AppendTwoNarrow(const WCHAR *a, const WCHAR *b, char *out, DWORD capacity);

/* ---- the outside components (job_ticket.cpp, load_in_context.cpp) ---- */

/*
 * job_WriteJobTicket: the ticket of the outside ticket maker for the ticket data (when the
 * data is given and the model has capability bit 61). out: the buffer (capacity bytes with
 * the zero), or NULL to ask for the ticket's size. Returns the bytes written or the size;
 * 0 when no ticket applies or the maker lacks an export or gives no handle; -310, -350,
 * -440, -460, -610, -720, -730.
 */
LONG WINAPI job_WriteJobTicket(HANDLE printer, DriverDevmode *devmode, DddFile *model, const void *ticket,
                               DWORD ticketSize, char *out, DWORD capacity);

/*
 * util_LoadLibraryInContext: loads a DLL inside the activation context made from its own
 * manifest (resource 2) when it has one, else plainly. path: in. Returns the module or
 * NULL; the loader's last error is kept as the thread's last error.
 */
HMODULE WINAPI util_LoadLibraryInContext(LPCWSTR path);

/* ---- JobAttributeSet lists (job_attr_sets.cpp) ---- */

/* job_GetJobAttrSetListSize: (estimate + 8) x count + 16; 0 when that overflows. */
DWORD WINAPI job_GetJobAttrSetListSize(DWORD count, DWORD estimate);

/* job_InitJobAttrSetList: zeroes a list of that size and fills its head (entry size =
 * estimate + 4, address words 0). Returns 1, 0 for NULL or a size that does not match. */
BOOL WINAPI job_InitJobAttrSetList(JobAttrSetHead *list, DWORD size, DWORD count, DWORD estimate);

/*
 * job_BuildJobAttrSet: builds set index of the list into its entry (capacity = entry size
 * - 4) with job_BuildJobAttrBlock, then stores its length and placeholder offset.
 * Returns the bytes or a JOB_E_* code (-440 for a bad list or index).
 */
LONG WINAPI job_BuildJobAttrSet(JobAttrSetHead *list, DWORD index, DddFile *model, DddFile *base,
                                JobAttrContext *context, const void *ticket, DWORD ticketSize);

/*
 * job_ReadJobAttrSet: set index of a received list of size bytes. text, length, offset: out.
 * Returns 1, or 0 when the list is shorter than its head says, the index is past the count
 * or the length does not fit the entry.
 */
BOOL WINAPI job_ReadJobAttrSet(const JobAttrSetHead *list, DWORD size, DWORD index, const char **text, DWORD *length,
                               DWORD *offset);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_JOBTEXT_JOB_ATTR_H */
