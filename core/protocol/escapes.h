/*
 * The escape codes the render driver answers and the payloads of the private ones: what
 * the user-interface driver (the sender) and the render driver (the receiver) exchange
 * through ExtEscape and DrvEscape. Each private code is named after what the receiver
 * does with it; where the sender means something else by it, its comment says so. All
 * integers are little-endian, wide text is UTF-16 and zero-terminated.
 */
#ifndef QM_CORE_PROTOCOL_ESCAPES_H
#define QM_CORE_PROTOCOL_ESCAPES_H

#include <stddef.h>

#include <windows.h>

#include "core/settings/settings_types.h"
#include "platform/include/qm_layout.h"

/* ---- GDI's query and the application escapes ---- */

#ifndef QUERYESCSUPPORT
#define QUERYESCSUPPORT 8
#endif

#define ESC_SETCOPYCOUNT 17
#define ESC_PASSTHROUGH 19
#define ESC_GETTECHNOLOGY 20

/* Extended escapes of applications, and the features each needs. */
#define ESC_EXT_CONTROL 0x1071
#define ESC_EXT_RASTER 0x1072
#define ESC_EXT_FINISHING 0x1073
#define ESC_EXT_DUPLEX 0x1074
#define ESC_EXT_DATA 0x1078

#define ESC_FEATURE_CONTROL 0x1101
#define ESC_FEATURE_RASTER 0x1102
#define ESC_FEATURE_FINISHING 0x1103
#define ESC_FEATURE_DUPLEX 0x1104

/* The request of ESC_EXT_CONTROL and ESC_EXT_DUPLEX: {u32 size 8, u16, u16}. */
#define EXT_REQUEST_SIZE 8
/* The feature reply of ESC_EXT_CONTROL op 3: {u32 size 18, u16 at 4, three u32 at 6, 10, 14}. */
#define EXT_FEATURE_REPLY_SIZE 18
/* The signature ESC_EXT_CONTROL op 0x6585 answers ("EPMQ" in memory). */
#define EXT_SIGNATURE 0x514D5045UL
/* The data header of an ESC_EXT_RASTER record: {total size, offset, chunk length, transfer
 * id}, followed by the drawing item. */
#define RASTER_HEADER_SIZE 16

/* ---- Private escapes of the user-interface driver ---- */

#define ESC_PAGE_END 0x5001           /* in: u32 end-of-document flag; out: PageEndReply (sender: its StampRequest) */
#define ESC_GET_DEVMODE 0x5002        /* out: the DriverDevmode */
#define ESC_STAMP_MODE 0x5003         /* in: u32 1 on, else off; out: optional u32 */
#define ESC_PLACE_ANNOTATION 0x5004   /* in: AnnotationOffset (sender: where the next stamp or text copy goes) */
#define ESC_SET_DEVMODE 0x5005        /* in: the DriverDevmode */
#define ESC_GET_JOB_INFO 0x5006       /* out: JobOwnerRecord (sender: the owner record the job keeps) */
#define ESC_SET_JOB_INFO 0x5007       /* in: JobOwnerRecord (sender: the job owner record) */
#define ESC_STAMP_RESTORE 0x5008      /* in: u32 1 restore, else off; out: optional u32 (sender: annotation mode) */
#define ESC_GET_FAX_MODEL 0x5009      /* out: u32 (sender: the job-attribute mode, one set per fax destination) */
#define ESC_GET_SHEET 0x500A          /* out: u32 sheet counter */
#define ESC_SET_PRINTER_DATA 0x500B   /* in: the PrinterDataBlock */
#define ESC_GET_PRINTER_DATA 0x500C   /* out: the PrinterDataBlock */
#define ESC_GET_PAGE_WORD 0x500D      /* out: u32 page word (sender: the job number) */
#define ESC_SET_MARGINS 0x5010        /* in: PageMarginRecord */
#define ESC_JOB_IN_PROGRESS 0x5020    /* (sender: the document has started, u32 1) */
#define ESC_SETTINGS_LOCK 0x5021      /* in: u16 ESC_SETTINGS_BEGIN or ESC_SETTINGS_END (sender: the settings series) */
#define ESC_OUTPUT_PATH 0x5023        /* in: ESC_PATH_CHARS wide characters (sender: the document name) */
#define ESC_FAX_LIST 0x5024           /* in: the "DFAX001" fax send list (core/faxlist/fax_list.h) */
#define ESC_ATTR_SETS 0x5025          /* in: JobAttrSetHead, the entries and the placeholder offsets */
#define ESC_GET_EXT_WORDS 0x5028      /* out: RenderJobRecord */
#define ESC_SET_EXT_WORDS 0x5029      /* in: RenderJobRecord */
#define ESC_SHARED_WARNING 0x502A     /* out: u32 */
#define ESC_PAGE_SETUP_WORD 0x502B    /* in: u32 (sender: the user confirmed the shared-printer warning) */
#define ESC_JOB_START_EXTRA 0x502C    /* in: DocumentIdentity, kept behind the job-start DEVMODE */
#define ESC_BLOCK_A_DATA 0x502D       /* in: job data block A (sender: the job's security-marking data) */
#define ESC_QUERY_BLOCK_B 0x502E      /* in: u16 selector; out: block B or its size (sender: security-marking data) */
#define ESC_BLOCK_C_DATA 0x502F       /* in: job data block C (sender: the document-monitor copy list) */
#define ESC_JOB_VALUES 0x5030         /* in: SecurityMarkingRecord, two job values */
#define ESC_BLOCK_B_DATA 0x5031       /* in: job data block B (sender: the render driver's security-marking data) */
#define ESC_BLOCK_D_DATA 0x5032       /* in: job data block D (sender: the settings-info block) */
#define ESC_JOB_CONTROL_FIRST 0x5040  /* in, out: optional u32 */
#define ESC_PAGE_DATA 0x5041          /* in: the page data block */
#define ESC_QUERY_PAGE_DATA 0x5042    /* in: u16 selector; out: the page data block's size or the block */
#define ESC_GET_JOB_ID 0x5043         /* out: u32 spooler job identifier */
#define ESC_JOB_CONTROL_SECOND 0x5044 /* in, out: optional u32 (sender: a page it added begins, 1, or ends, 0) */
#define ESC_LOCALE_PAPER 0x5100       /* in: u16 locale paper kind (1 letter, 2 A4) */

/* The two steps of ESC_SETTINGS_LOCK. */
#define ESC_SETTINGS_BEGIN 0
#define ESC_SETTINGS_END 1

/* The selectors of ESC_QUERY_BLOCK_B and ESC_QUERY_PAGE_DATA. */
#define ESC_QUERY_SIZE 0
#define ESC_QUERY_DATA 1

/* Wide characters of the ESC_OUTPUT_PATH payload (522 bytes), the terminator included;
 * the receiver keeps ESC_OUTPUT_PATH_CHARS of them. */
#define ESC_PATH_CHARS 261
#define ESC_OUTPUT_PATH_CHARS 260

/* ESC_PAGE_END reply: three words telling the sender what to draw, then eight floats in
 * pixels at the resolution of setting 20. */
typedef struct PageEndReply {
    DWORD drawOnSheet;   /* sender: a stamp on a page of its own */
    DWORD drawOnPage;    /* sender: a stamp on the current page */
    DWORD stampValue;    /* sender: the page annotations */
    float printable[4];  /* left, top, right, bottom of the paper's printable area */
    float placements[4]; /* two pairs of placement values */
} PageEndReply;

/* ESC_PLACE_ANNOTATION payload: the offsets of the annotation from its first copy. */
typedef struct AnnotationOffset {
    LONG x;
    LONG y;
} AnnotationOffset;

/* The six items of the owner record, in the order of their placement words. */
enum {
    OWNER_ITEM_USER,
    OWNER_ITEM_USER_HOST,
    OWNER_ITEM_DOCUMENT,
    OWNER_ITEM_JOB_NUMBER,
    OWNER_ITEM_DATE,
    OWNER_ITEM_TIME,
    OWNER_ITEMS
};

/* A placement word of an item that is not printed. */
#define OWNER_ITEM_OFF 0xFFFF

/*
 * ESC_SET_JOB_INFO payload and ESC_GET_JOB_INFO reply: the job information block. The
 * receiver keeps five parts (the texts), each present when its first character is not
 * zero, and answers with the stamp value word, the six index words and the page word of
 * its own in their places.
 */
typedef struct JobOwnerRecord {
    DWORD filled;                 /* sender: 1 when any item was filled; reply: the stamp value word */
    WORD placements[OWNER_ITEMS]; /* placement words of the items (settings 351-356); reply: index words */
    WCHAR user[64];               /* cut to OWNER_USER_ANSI_BYTES */
    WCHAR userHost[32];           /* user, "\" and computer name, cut to OWNER_USER_HOST_ANSI_BYTES */
    WCHAR document[261];
    WORD jobNumber; /* reply: the job's page word */
    WCHAR date[11];
    WCHAR time[7];
} JobOwnerRecord;

/* The ANSI bytes the sender cuts the user and the user-and-host texts to. */
#define OWNER_USER_ANSI_BYTES 63
#define OWNER_USER_HOST_ANSI_BYTES 31

/* Bytes of the time the receiver keeps and answers: its first six characters. */
#define OWNER_TIME_KEPT 12

/* ESC_GET_EXT_WORDS reply and ESC_SET_EXT_WORDS payload: the extended-escape words the
 * sender reads at the document's start and hands back unchanged. */
typedef struct RenderJobRecord {
    DWORD extendedMode; /* 1 while the extended escapes are on */
    DWORD jobModeFlag;
    WORD finishingSubMode;
    WORD unused;
} RenderJobRecord;

/* ESC_SET_MARGINS payload: the page's driver paper number (256 when not found) and its
 * four margins (0.1 mm, 46 when not found). */
typedef struct PageMarginRecord {
    WORD paperNumber;
    WORD margins[4];
} PageMarginRecord;

/* ESC_JOB_START_EXTRA payload: who prints what where. Unfilled parts are zero. */
typedef struct DocumentIdentity {
    WCHAR computer[261];
    WCHAR document[277]; /* at most 260 characters */
    WCHAR user[257];
    WCHAR printer[261];
} DocumentIdentity;

/* ESC_JOB_VALUES payload: the two job values (sender: whether security marking is offered
 * for the printer type, and the number of marking outputs). */
typedef struct SecurityMarkingRecord {
    DWORD offered;
    DWORD outputs;
} SecurityMarkingRecord;

/*
 * The head of the JobAttributeSet list (ESC_ATTR_SETS): count entries of entrySize bytes
 * each follow it ({DWORD text length, text of at most entrySize - 4 bytes with its zero}),
 * then count DWORD booklet-placeholder offsets. The two address words are 0 when the list
 * is sent; the receiver sets them. They hold addresses, so they are pointer-sized: 4 bytes
 * each on the 32-bit target (a 16-byte head), 8 on a 64-bit build (a 24-byte head); sender
 * and receiver size the head with sizeof.
 */
typedef struct JobAttrSetHead {
    DWORD count;
    DWORD entrySize;
    ULONG_PTR entries; /* address of the first entry */
    ULONG_PTR offsets; /* address of the first placeholder offset */
} JobAttrSetHead;

#ifdef __cplusplus
static_assert(sizeof(DriverDevmode) == 5872, "ESC_GET_DEVMODE, ESC_SET_DEVMODE");
static_assert(sizeof(PrinterDataBlock) == 5452, "ESC_SET_PRINTER_DATA, ESC_GET_PRINTER_DATA");
static_assert(sizeof(PageEndReply) == 44, "PageEndReply");
static_assert(offsetof(PageEndReply, printable) == 12, "PageEndReply floats");
static_assert(sizeof(AnnotationOffset) == 8, "AnnotationOffset");
static_assert(sizeof(JobOwnerRecord) == 768, "JobOwnerRecord");
static_assert(offsetof(JobOwnerRecord, user) == 16, "JobOwnerRecord user");
static_assert(offsetof(JobOwnerRecord, userHost) == 144, "JobOwnerRecord userHost");
static_assert(offsetof(JobOwnerRecord, document) == 208, "JobOwnerRecord document");
static_assert(offsetof(JobOwnerRecord, jobNumber) == 730, "JobOwnerRecord jobNumber");
static_assert(offsetof(JobOwnerRecord, date) == 732, "JobOwnerRecord date");
static_assert(offsetof(JobOwnerRecord, time) == 754, "JobOwnerRecord time");
static_assert(sizeof(RenderJobRecord) == 12, "RenderJobRecord");
static_assert(sizeof(PageMarginRecord) == 10, "PageMarginRecord");
static_assert(sizeof(DocumentIdentity) == 2112, "DocumentIdentity");
static_assert(offsetof(DocumentIdentity, document) == 522, "DocumentIdentity document");
static_assert(offsetof(DocumentIdentity, user) == 1076, "DocumentIdentity user");
static_assert(offsetof(DocumentIdentity, printer) == 1590, "DocumentIdentity printer");
static_assert(sizeof(SecurityMarkingRecord) == 8, "SecurityMarkingRecord");
static_assert(sizeof(JobAttrSetHead) == QM_LAYOUT(16, 24), "JobAttrSetHead");
static_assert(ESC_PATH_CHARS * sizeof(WCHAR) == 522, "ESC_OUTPUT_PATH payload");
#endif

#endif /* QM_CORE_PROTOCOL_ESCAPES_H */
