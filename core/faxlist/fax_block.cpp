/*
 * The "DFAX001" block: loading and checking it, reading its head and destinations, and
 * converting between the block and the property sheets' list object. A block is trusted
 * only as far as its size: the head must be whole and every destination its count names
 * must lie inside it.
 */
#include "core/faxlist/fax_list.h"

#include "core/stored/stored.h"
#include "core/util/global_block.h"

#include <string.h>

static const WCHAR kFaxListValue[] = TEXT("FaxSendList");
static const WCHAR kFaxListSizeValue[] = TEXT("FaxSendListSize");
static const WCHAR kFaxTag[8] = {'D', 'F', 'A', 'X', '0', '0', '1', 0};

/* fax_BlockSize: the bytes of a block with count destinations. */
static DWORD fax_BlockSize(DWORD count)
{
    return (DWORD)sizeof(FaxSendList) + count * (DWORD)sizeof(FaxDestination);
}

/* fax_CheckedCopy: a copy of exactly the block's bytes when size holds the head with its
 * tag and every destination of its count; else NULL. */
static FaxSendList *fax_CheckedCopy(const void *data, DWORD size, WORD *count)
{
    if (data == NULL || size < sizeof(FaxSendList) || memcmp(data, kFaxTag, sizeof(kFaxTag)) != 0)
        return NULL;
    WORD n;
    memcpy(&n, (const BYTE *)data + offsetof(FaxSendList, count), sizeof(n));
    DWORD needed = fax_BlockSize(n);
    if (size < needed)
        return NULL;
    FaxSendList *copy = (FaxSendList *)util_GlobalAllocZero(needed);
    if (copy == NULL)
        return NULL;
    memcpy(copy, data, needed);
    if (count != NULL)
        *count = n;
    return copy;
}

FaxSendList *WINAPI pd_LoadFaxSendList(HANDLE printer, DWORD reserved, DWORD size, const void *block, WORD *count)
{
    (void)reserved;
    if (count != NULL)
        *count = 0;
    if (block != NULL)
        return fax_CheckedCopy(block, size, count);
    void *stored = NULL;
    DWORD storedSize = 0;
    if (printer == NULL || !pd_ReadChunkedValue(printer, &stored, &storedSize, kFaxListValue, kFaxListSizeValue))
        return NULL;
    FaxSendList *copy = fax_CheckedCopy(stored, storedSize, count);
    util_GlobalFreeIfSet(stored);
    return copy;
}

BOOL WINAPI pd_FreeFaxSendList(FaxSendList *list)
{
    util_GlobalFreeIfSet(list);
    return TRUE;
}

BOOL WINAPI job_GetFaxListHead(const FaxSendList *list, FaxSendList *head)
{
    if (list == NULL || head == NULL)
        return FALSE;
    memcpy(head, list, sizeof(*head));
    return TRUE;
}

BOOL WINAPI job_GetFaxDestination(const FaxSendList *list, DWORD index, FaxDestination *entry)
{
    if (list == NULL || entry == NULL || index >= list->count)
        return FALSE;
    memcpy(entry, (const BYTE *)list + fax_BlockSize(index), sizeof(*entry));
    return TRUE;
}

BOOL WINAPI pd_BuildFaxSendList(void *block, DWORD count, const FaxAddressList *object)
{
    if (block == NULL || object == NULL || count > FAX_LIST_COUNT_MAX)
        return FALSE;
    /* The walk runs from the newest node; the newest of the count becomes the last entry. */
    ListNode *next = NULL;
    const void *data = count > 0 ? ui_GetFirstNodeData(object->list, &next) : NULL;
    for (DWORD walked = 0; walked < count; ++walked) {
        if (data == NULL)
            return FALSE;
        memcpy((BYTE *)block + fax_BlockSize(count - 1 - walked), data, sizeof(FaxDestination));
        data = walked + 1 < count ? ui_GetNextNodeData(next, &next) : NULL;
    }
    FaxSendList *head = (FaxSendList *)block;
    memcpy(head->tag, kFaxTag, sizeof(kFaxTag));
    head->count = (WORD)count;
    memcpy(head->list1, object->list1, sizeof(head->list1));
    memcpy(head->list2, object->list2, sizeof(head->list2));
    return TRUE;
}

BOOL WINAPI pd_FillFaxAddressList(FaxAddressList *object, const FaxSendList *list)
{
    if (object == NULL || list == NULL)
        return FALSE;
    BOOL created = FALSE;
    if (object->list == NULL) {
        object->list = ui_CreateNodeList();
        if (object->list == NULL)
            return FALSE;
        created = TRUE;
    }
    memcpy(object->list1, list->list1, sizeof(object->list1));
    memcpy(object->list2, list->list2, sizeof(object->list2));
    DWORD added = 0;
    for (; added < list->count; ++added) {
        FaxDestination *entry = (FaxDestination *)util_GlobalAllocZero(sizeof(FaxDestination));
        if (entry == NULL)
            break;
        if (!job_GetFaxDestination(list, added, entry) || !ui_AddNode(object->list, 0, 0, entry)) {
            util_GlobalFreeIfSet(entry);
            break;
        }
    }
    if (added == list->count)
        return TRUE;
    /* Take back what this call added: the newest nodes are at the head. */
    for (; added > 0; --added) {
        ListNode *next = NULL;
        void *entry = ui_GetFirstNodeData(object->list, &next);
        ui_RemoveNodeAt(object->list, ui_GetNodeCount(object->list) - 1);
        util_GlobalFreeIfSet(entry);
    }
    if (created)
        ui_DestroyNodeList(&object->list);
    return FALSE;
}
