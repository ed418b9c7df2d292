/*
 * The fax side of a job: the destination list the user-interface driver hands over, the
 * records a cover sheet is composed from (one destination with the list's two head
 * strings, the cover texts and the sender's dial values of the job's DEVMODE, the cover
 * page geometry of paper record 9), the cover sheet written as a page of its own, and the
 * feed-direction test that tells the image code whether a page must be turned for the
 * direction its paper is fed in.
 *
 * Routines answer 0 for success and -1 for failure unless stated.
 */
#ifndef QM_RENDER_DRIVER_FAX_FAX_H
#define QM_RENDER_DRIVER_FAX_FAX_H

#include <stddef.h>

#include <windows.h>

#include "core/faxlist/fax_list.h"
#include "render/driver/pdev/pdev.h"

/* Characters of the two head strings of a list, without their terminators. */
#define FAX_HEAD_TEXT1_CHARS 40
#define FAX_HEAD_TEXT2_CHARS 670

/* The description paper record (type 10) that gives the cover page its geometry. */
#define FAX_COVER_PAPER 9

/* Cover kinds: none, the prepared cover file, the document name. */
#define FAX_COVER_NONE 0
#define FAX_COVER_PREPARED 1
#define FAX_COVER_DOC_NAME 2

/*
 * The cover destination record (2166 bytes, zero-filled): the whole destination, then the
 * list head's two strings, each cut to its field and always terminated.
 */
typedef struct FaxCoverDestination {
    FaxDestination destination;
    WCHAR headText1[FAX_HEAD_TEXT1_CHARS + 1];
    WCHAR headText2[FAX_HEAD_TEXT2_CHARS + 1];
} FaxCoverDestination;

/* The texts and choices of the cover sheet read from the job's DEVMODE. Each text is cut
 * to its setting's field and terminated. */
typedef struct FaxCoverText {
    WORD layoutSwitch;        /* 1804: 0 the first layout variant, else the second */
    WORD oneJobForAll;        /* 379 when the list holds two destinations or more, else 0 */
    WORD firstChoice;         /* 1807 */
    WORD secondChoice;        /* 1808 */
    WORD prefixWord;          /* 1809 */
    WCHAR title[7];           /* 1805 */
    WCHAR recipients[29];     /* 1806: the recipients' name of a job for all destinations */
    WCHAR senderName[41];     /* 1820 */
    WCHAR senderAddress[209]; /* 1821 */
    WCHAR senderPhone[31];    /* 1822 */
    WCHAR senderFax[31];      /* 1823 */
} FaxCoverText;

/* The sender's dial values. */
typedef struct FaxCoverSender {
    DWORD value4111;
    WCHAR prefix1[7];    /* 5141 */
    WORD prefix1Switch;  /* 5142 */
    WCHAR prefix2[7];    /* 5143 */
    WORD prefix2Switch;  /* 5144 */
    WORD noPrefixSwitch; /* 5145 */
} FaxCoverSender;

/*
 * What the feed-direction test reads of a page: the tray's pair of feed codes, the page's
 * paper code and paper type (paper-kind word), the tray code, the orientation, a flag and
 * the value that stands for the page's direction while the flag is 1.
 */
typedef struct FaxFeedQuery {
    WORD feedCodes[2];
    WORD paperCode;
    WORD paperType;
    BYTE trayCode;
    WORD orientation;
    WORD flag;
    WORD value;
} FaxFeedQuery;

#ifdef __cplusplus
static_assert(sizeof(FaxCoverDestination) == 2166, "FaxCoverDestination");
static_assert(offsetof(FaxCoverDestination, headText1) == 742, "FaxCoverDestination.headText1");
static_assert(offsetof(FaxCoverDestination, headText2) == 824, "FaxCoverDestination.headText2");
extern "C" {
#endif

/* ---- the destination list (send_list.cpp) ---- */

/* fax_LoadSendList: the PDEV's list becomes a checked copy of payload (size bytes); the
 * old one is freed first. -1 (no list) when the payload is not a whole list. */
LONG fax_LoadSendList(PDEV *pdev, const void *payload, DWORD size);

/* fax_FreeSendList: frees the PDEV's list (none: nothing to do). Returns 0. */
LONG fax_FreeSendList(PDEV *pdev);

/* fax_ReleaseSendList: as fax_FreeSendList when the job's resources are released; -1 when
 * the list could not be freed. */
LONG fax_ReleaseSendList(PDEV *pdev);

/* job_GetFaxDestinationStrings: record gets destination index of list (742 bytes) and the
 * head's two strings, cut and terminated. 1, or 0 without list or record or for an index
 * not below the count (record zero-filled). */
BOOL WINAPI job_GetFaxDestinationStrings(const FaxSendList *list, DWORD index, FaxCoverDestination *record);

/* fax_GetCoverDestination: the cover destination record of destination index (0-based)
 * of the PDEV's list; -1 without list or destination. */
LONG fax_GetCoverDestination(PDEV *pdev, DWORD index, FaxCoverDestination *record);

/* ---- the cover records (cover_records.cpp) ---- */

/* fax_ReadCoverText / fax_ReadCoverSender: the records from the job's DEVMODE and
 * printer data; -1 when a setting cannot be read. */
LONG fax_ReadCoverText(PDEV *pdev, FaxCoverText *record);
LONG fax_ReadCoverSender(PDEV *pdev, FaxCoverSender *record);

/* fax_GetCoverGeometry: the cover page's paper record from description paper record 9:
 * paper size from its minimum size, printable size from its minimum image size, centred
 * offsets, its margins; paper code 9 and a zero origin. -1 without the record. */
LONG fax_GetCoverGeometry(PDEV *pdev, PaperRecord *paper, WORD *paperCode, POINTL *origin);

/* ---- the cover sheet (cover_sheet.cpp) ---- */

/* fax_WriteCoverSheet: the cover page of a destination: page size at 600 x 600 dpi, the
 * content by cover kind and the text block, the page ends. The job's page geometry and
 * resolution are current again afterwards. */
LONG fax_WriteCoverSheet(PDEV *pdev, const FaxCoverDestination *record);

/* fax_WriteCoverDocName: the document-name command (nothing without a name). */
LONG fax_WriteCoverDocName(PDEV *pdev);

/* fax_CopyPreparedFile: the model's prepared cover file into the stream, unchanged; -1
 * when it cannot be opened or read. */
LONG fax_CopyPreparedFile(PDEV *pdev);

/* fax_WriteCoverText: the cover text block of the destination; -1 when it cannot be
 * measured, built or written. */
LONG fax_WriteCoverText(PDEV *pdev, const FaxCoverDestination *record);

/* ---- the feed direction (feed_direction.cpp) ---- */

/* fax_ClassifyFeedBySize: the feed direction (1, 2) by the tray's feed codes and the
 * paper code, the first code of the pair tried first; 0 when neither decides. */
WORD fax_ClassifyFeedBySize(const WORD feedCodes[2], WORD paperCode);

/* fax_ClassifyFeedByRecord: the feed direction of the paper code by the model's range
 * record 0x8002: the sub-word of the item naming the paper; 3 means 2 for tray code 4
 * with flag 1, 1 for tray code 4, else 2. 0 without record or item. */
WORD fax_ClassifyFeedByRecord(PDEV *pdev, WORD paperCode, BYTE trayCode, WORD flag);

/* fax_GetPageDirection: the page's own direction from orientation, flag, paper type and
 * value. */
WORD fax_GetPageDirection(WORD orientation, WORD flag, WORD paperType, WORD value);

/* fax_IsPageTurnNeeded: 1 when the page's direction differs from the feed direction of its
 * tray, 0 when they agree or the feed direction is not known. */
DWORD fax_IsPageTurnNeeded(PDEV *pdev, const FaxFeedQuery *query);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_DRIVER_FAX_FAX_H */
