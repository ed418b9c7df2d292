/*
 * The PDEV's fax destination list and the cover destination record taken from it. The
 * list is a checked copy of what the user-interface driver sent; its head strings are
 * copied into a record only as far as the record's fields reach.
 */
#include "render/driver/fax/fax.h"

#include <string.h>

/* CopyCut: at most chars characters of a field that may lack its terminator, then one. */
static void send_CopyCut(WCHAR *to, const WCHAR *from, size_t fieldChars, size_t chars)
{
    size_t n = 0;
    while (n < chars && n < fieldChars && from[n] != 0) {
        to[n] = from[n];
        ++n;
    }
    to[n] = 0;
}

LONG fax_LoadSendList(PDEV *pdev, const void *payload, DWORD size)
{
    if (pdev == NULL) {
        return -1;
    }
    fax_FreeSendList(pdev);
    FaxSendList *list = pd_LoadFaxSendList(pdev->printer, 0, size, payload, NULL);
    if (list == NULL) {
        return -1;
    }
    pdev->job.faxList = list;
    return 0;
}

LONG fax_FreeSendList(PDEV *pdev)
{
    if (pdev != NULL && pdev->job.faxList != NULL) {
        pd_FreeFaxSendList((FaxSendList *)pdev->job.faxList);
        pdev->job.faxList = NULL;
    }
    return 0;
}

LONG fax_ReleaseSendList(PDEV *pdev)
{
    if (pdev == NULL) {
        return -1;
    }
    return fax_FreeSendList(pdev);
}

BOOL WINAPI job_GetFaxDestinationStrings(const FaxSendList *list, DWORD index, FaxCoverDestination *record)
{
    if (record == NULL) {
        return FALSE;
    }
    memset(record, 0, sizeof *record);
    if (list == NULL || !job_GetFaxDestination(list, index, &record->destination)) {
        return FALSE;
    }
    send_CopyCut(record->headText1, list->list1, sizeof list->list1 / sizeof(WCHAR), FAX_HEAD_TEXT1_CHARS);
    send_CopyCut(record->headText2, list->list2, sizeof list->list2 / sizeof(WCHAR), FAX_HEAD_TEXT2_CHARS);
    return TRUE;
}

LONG fax_GetCoverDestination(PDEV *pdev, DWORD index, FaxCoverDestination *record)
{
    if (pdev == NULL) {
        return -1;
    }
    return job_GetFaxDestinationStrings(pdev->job.faxList, index, record) ? 0 : -1;
}
