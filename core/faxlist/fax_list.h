/*
 * The fax destination list "DFAX001" and the formatting of one destination's job-attribute
 * line ("@FANU=" or "@FAEN="). The block is a 1442-byte head followed by count 742-byte
 * destinations, entry i at 1442 + 742 x i; it is stored behind the "NDEV001" block, as the
 * printer-data value "FaxSendList" and in the settings file. The property sheets keep the
 * same destinations as a list object (FaxAddressList) over a node list.
 *
 * Blocks handed out are global-heap blocks; BOOL results are 1 for success and 0 for
 * failure.
 */
#ifndef QM_CORE_FAXLIST_FAX_LIST_H
#define QM_CORE_FAXLIST_FAX_LIST_H

#include <stddef.h>

#include <windows.h>

#include "core/context/driver_context.h"
#include "core/nodelist/nodelist.h"
#include "core/settings/settings_types.h"
#include "core/stored/stored_types.h"

/* One destination (every field is a setting, FunctionIDs 1794-1818). */
typedef struct FaxDestination {
    WORD entryForm;      /* 1794 */
    WCHAR number[129];   /* 1795 */
    WORD prefixSelector; /* 1796 */
    WCHAR text1797[41];
    WCHAR text1798[83];
    WORD element3;          /* 1810 */
    WORD elementSelector;   /* 1811 */
    WORD element4Number;    /* 1812 */
    WCHAR element4Text[9];  /* 1813 */
    WORD element1Number;    /* 1814 */
    WORD element1Flag;      /* 1815 */
    WCHAR element1List[60]; /* 1816 */
    WCHAR element5Text[21]; /* 1817 */
    WCHAR element6Text[21]; /* 1818 */
} FaxDestination;

/* The head of the block; destination i follows at 1442 + 742 x i. */
typedef struct FaxSendList {
    WCHAR tag[8]; /* "DFAX001" */
    WORD count;
    WCHAR list1[41];
    WCHAR list2[671];
} FaxSendList;

/* The dial settings the job-attribute builder reads for the formatter. */
typedef struct FaxDialSettings {
    WORD value4111;
    WCHAR prefix1[6];    /* 5141 */
    WORD prefix1Switch;  /* 5142 */
    WCHAR prefix2[6];    /* 5143 */
    WORD prefix2Switch;  /* 5144 */
    WORD noPrefixSwitch; /* 5145 */
} FaxDialSettings;

/* The property sheets' list object: the head's two strings and the destinations, each node
 * carrying a 742-byte FaxDestination of the global heap (the newest node first). */
typedef struct FaxAddressList {
    WCHAR list1[41];
    WCHAR list2[671];
    NodeList *list;
} FaxAddressList;

/* The tag of the block, zero-padded to the 8 characters of its field. */
#define FAX_LIST_TAG TEXT("DFAX001")
/* The most destinations of a block: the count is a u16. */
#define FAX_LIST_COUNT_MAX 65535

#ifdef __cplusplus
static_assert(sizeof(FaxDestination) == 742, "FaxDestination");
static_assert(offsetof(FaxDestination, entryForm) == 0, "FaxDestination.entryForm");
static_assert(offsetof(FaxDestination, number) == 2, "FaxDestination.number");
static_assert(offsetof(FaxDestination, prefixSelector) == 260, "FaxDestination.prefixSelector");
static_assert(offsetof(FaxDestination, text1797) == 262, "FaxDestination.text1797");
static_assert(offsetof(FaxDestination, text1798) == 344, "FaxDestination.text1798");
static_assert(offsetof(FaxDestination, element3) == 510, "FaxDestination.element3");
static_assert(offsetof(FaxDestination, elementSelector) == 512, "FaxDestination.elementSelector");
static_assert(offsetof(FaxDestination, element4Number) == 514, "FaxDestination.element4Number");
static_assert(offsetof(FaxDestination, element4Text) == 516, "FaxDestination.element4Text");
static_assert(offsetof(FaxDestination, element1Number) == 534, "FaxDestination.element1Number");
static_assert(offsetof(FaxDestination, element1Flag) == 536, "FaxDestination.element1Flag");
static_assert(offsetof(FaxDestination, element1List) == 538, "FaxDestination.element1List");
static_assert(offsetof(FaxDestination, element5Text) == 658, "FaxDestination.element5Text");
static_assert(offsetof(FaxDestination, element6Text) == 700, "FaxDestination.element6Text");
static_assert(sizeof(FaxSendList) == 1442, "FaxSendList");
/* One layout, two views: the stored blocks' constants name the same bytes. */
static_assert(sizeof(FaxSendList) == FAX_LIST_HEAD_SIZE, "FaxSendList and FAX_LIST_HEAD_SIZE");
static_assert(sizeof(FaxDestination) == FAX_DESTINATION_SIZE, "FaxDestination and FAX_DESTINATION_SIZE");
static_assert(offsetof(FaxSendList, tag) == 0, "FaxSendList.tag");
static_assert(offsetof(FaxSendList, count) == 16, "FaxSendList.count");
static_assert(offsetof(FaxSendList, count) == FAX_LIST_COUNT_OFFSET, "FaxSendList.count and FAX_LIST_COUNT_OFFSET");
static_assert(offsetof(FaxSendList, list1) == 18, "FaxSendList.list1");
static_assert(offsetof(FaxSendList, list2) == 100, "FaxSendList.list2");
extern "C" {
#endif

/*
 * pd_LoadFaxSendList: a new copy of the given block (size bytes), or without one of the
 * printer's chunked value "FaxSendList". The copy must hold a whole head with the tag
 * "DFAX001" and every destination its count names; it holds exactly 1442 + 742 x count
 * bytes (bytes behind them are not copied). reserved is unused. count: out (may be NULL).
 * Returns the block (free with pd_FreeFaxSendList), or NULL.
 */
FaxSendList *WINAPI pd_LoadFaxSendList(HANDLE printer, DWORD reserved, DWORD size, const void *block, WORD *count);

/* pd_FreeFaxSendList: frees a block of pd_LoadFaxSendList (NULL allowed). Returns 1. */
BOOL WINAPI pd_FreeFaxSendList(FaxSendList *list);

/* job_GetFaxListHead: copies the 1442-byte head. Returns 1, or 0 without block or head. */
BOOL WINAPI job_GetFaxListHead(const FaxSendList *list, FaxSendList *head);

/* job_GetFaxDestination: copies destination index of the block into entry (742 bytes).
 * Returns 1, or 0 without a block or entry, or when index is not below the count. */
BOOL WINAPI job_GetFaxDestination(const FaxSendList *list, DWORD index, FaxDestination *entry);

/* util_WideToAnsiAlloc: text in the ANSI code page as a new global-heap string. out: the
 * string; length: out (may be NULL), bytes without the terminator. Returns 1 or 0. */
BOOL WINAPI util_WideToAnsiAlloc(char **out, const WCHAR *text, DWORD *length);

/* util_AnsiToWideAlloc: ANSI text as a new global-heap wide string. out: the string;
 * count: out (may be NULL), characters with the terminator. Returns 1 or 0. */
BOOL WINAPI util_AnsiToWideAlloc(const char *text, WCHAR **out, DWORD *count);

/*
 * pd_BuildFaxSendList: writes the block of the list object into the caller's zeroed block
 * of 1442 + 742 x count bytes: tag, count, the two strings, and the destinations in the
 * order they were added (the oldest node is entry 0). count must be the object's node
 * count (at most 65535); a list with fewer nodes fails. Returns 1 or 0.
 */
BOOL WINAPI pd_BuildFaxSendList(void *block, DWORD count, const FaxAddressList *object);

/*
 * pd_FillFaxAddressList: copies the head's two strings into the object and adds a new
 * 742-byte copy of each destination, entry 0 first, to the object's node list (created
 * when the object has none). On failure the nodes added by the call are removed and freed.
 * Returns 1 or 0.
 */
BOOL WINAPI pd_FillFaxAddressList(FaxAddressList *object, const FaxSendList *list);

/*
 * pd_SaveSettingsBlocksWithFax: pd_SaveSettingsBlocks with the block built from the list
 * object (the head alone for an empty list); without an object no fax list is saved. A
 * printer or a path, and second, are required. Returns 1 or 0.
 */
BOOL WINAPI pd_SaveSettingsBlocksWithFax(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                         const FaxAddressList *object, const DevmodeSecondPart *second, const void *vqb,
                                         DWORD vqbSize, const void *sp, DWORD spSize);

/*
 * pd_LoadSettingsBlocksWithFax: pd_LoadSettingsBlocks, asking for the fax list when an
 * object is given; a list found fills the object (pd_FillFaxAddressList). A printer or a
 * path, and second, are required. Returns 1 or 0.
 */
BOOL WINAPI pd_LoadSettingsBlocksWithFax(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                         FaxAddressList *object, DevmodeSecondPart *second, void **vqb, DWORD *vqbSize,
                                         void **sp, DWORD *spSize);

/*
 * job_FormatFaxAttribute: one destination's line in form 1 ("@FANU=", texts plain) or 2
 * ("@FAEN=", texts 1813 and 1818 in the stored-text encoding), framed by
 * "@PJL SET JOBATTR=" and quotation marks with the frame flag, ending in "\r\n" and a
 * terminating zero that is not counted. With encodedMarker the texts 1813 and 1818 are
 * taken as already encoded. out NULL asks for the element length. length: out (-1 for
 * the element limits, 0 when the line and its terminator exceed capacity: out is then
 * untouched). Returns 1, or 0 on failure.
 */
BOOL WINAPI job_FormatFaxAttribute(DWORD form, const FaxDestination *entry, const FaxDialSettings *dial, DWORD capacity,
                                   DWORD frame, const void *encodedMarker, char *out, LONG *length, DWORD quoteWidth);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_FAXLIST_FAX_LIST_H */
