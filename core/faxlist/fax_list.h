/*
 * The fax destination list "DFAX001" and the formatting of one destination's job-attribute
 * line ("@FANU=" or "@FAEN="). The block is a 1442-byte head followed by count 742-byte
 * destinations. The reader and the formatter are not built yet;
 * core/interim/fax_list_interim.cpp answers for them.
 */
#ifndef QM_CORE_FAXLIST_FAX_LIST_H
#define QM_CORE_FAXLIST_FAX_LIST_H

#include <windows.h>

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

#ifdef __cplusplus
static_assert(sizeof(FaxDestination) == 742, "FaxDestination");
static_assert(sizeof(FaxSendList) == 1442, "FaxSendList");
extern "C" {
#endif

/* job_GetFaxDestination: copies destination index of the block into entry (742 bytes).
 * Returns 1, or 0 without a block or entry, or when index is not below the count. */
BOOL WINAPI job_GetFaxDestination(const FaxSendList *list, DWORD index, FaxDestination *entry);

/*
 * job_FormatFaxAttribute: one destination's line in form 1 ("@FANU=") or 2 ("@FAEN="),
 * framed by "@PJL SET JOBATTR=" and quotation marks with the frame flag, ending in "\r\n".
 * out NULL asks for the element length. length: out (-1 for the element limits, 0 when the
 * line exceeds capacity). Returns 1, or 0 on failure.
 */
BOOL WINAPI job_FormatFaxAttribute(DWORD form, const FaxDestination *entry, const FaxDialSettings *dial, DWORD capacity,
                                   DWORD frame, const void *encodedMarker, char *out, LONG *length, DWORD quoteWidth);

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_FAXLIST_FAX_LIST_H */
