/*
 * The fax destination list the caller keeps: the two strings of its 1442-byte head and
 * the number of destinations, kept both in setting 380 and in the head.
 */
#include "devmode_access/dma_private.h"

#include "core/faxlist/fax_list.h"

#include <stddef.h>
#include <string.h>

/* The head's fields, read and written through its layout. */
enum {
    FAX_TAG_BYTES = sizeof(((FaxSendList *)0)->tag), /* "DFAX001" as UTF-16, zero-padded */
    FAX_COUNT_OFFSET = offsetof(FaxSendList, count),
    FAX_TEXT1_OFFSET = offsetof(FaxSendList, list1),
    FAX_TEXT1_CHARS = sizeof(((FaxSendList *)0)->list1) / sizeof(WCHAR),
    FAX_TEXT2_OFFSET = offsetof(FaxSendList, list2),
    FAX_TEXT2_CHARS = sizeof(((FaxSendList *)0)->list2) / sizeof(WCHAR),
    FAX_COUNT_MAX = FAX_LIST_COUNT_MAX
};

static const WCHAR kFaxTag[FAX_TAG_BYTES / sizeof(WCHAR)] = {'D', 'F', 'A', 'X', '0', '0', '1', 0};

static_assert(FAX_TEXT2_CHARS * 2 <= DMA_TEXT_MAX_BYTES, "fax list text buffer");

/* The head string of a fax list identifier: its offset and characters with terminator. */
static void dma_FaxTextField(WORD id, DWORD *offset, DWORD *chars)
{
    *offset = id == DMAID_FAX_LIST_TEXT1 ? FAX_TEXT1_OFFSET : FAX_TEXT2_OFFSET;
    *chars = id == DMAID_FAX_LIST_TEXT1 ? FAX_TEXT1_CHARS : FAX_TEXT2_CHARS;
}

DmaResult WINAPI DMA_GetFaxAddressNum(const void *faxList, WORD *count)
{
    if (faxList == nullptr || count == nullptr || memcmp(faxList, kFaxTag, FAX_TAG_BYTES) != 0)
        return DMA_BAD_ARGUMENT;
    memcpy(count, (const BYTE *)faxList + FAX_COUNT_OFFSET, sizeof(WORD));
    return DMA_SUCCESS;
}

LONG dma_GetFaxListText(DmaSettingsSet *handle, WORD id, char *buffer, DWORD *size)
{
    if (handle->faxList == nullptr)
        return DMA_UNKNOWN_ID;
    DWORD offset, chars;
    dma_FaxTextField(id, &offset, &chars);
    WCHAR wide[FAX_TEXT2_CHARS + 1];
    dma_LoadWide((const BYTE *)handle->faxList + offset, chars * 2, wide);
    DWORD needed = dma_WideToAnsi(wide, chars, nullptr, 0);
    if (needed == 0)
        return DMA_BAD_ARGUMENT;
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return DMA_MORE_DATA;
    }
    return dma_WideToAnsi(wide, chars, buffer, *size) != 0 ? DMA_SUCCESS : DMA_BAD_ARGUMENT;
}

DmaResult WINAPI DMA_SetFaxAddressNum(DmaSettingsSet *handle, LONG count, BOOL relative)
{
    /* Everything is checked before anything is written. */
    if (handle == nullptr || handle->faxList == nullptr)
        return DMA_BAD_ARGUMENT;
    LONGLONG total = count;
    if (relative) {
        WORD type;
        DWORD size;
        DWORD current = 0;
        if (dma_GetValue(FID_FAX_DESTINATIONS, handle->devmode, handle->printerData, &type, &size, &current, nullptr) !=
            SST_OK)
            return DMA_BAD_ARGUMENT;
        total = (LONGLONG)current + count;
    }
    if (total < 0 || total > FAX_COUNT_MAX)
        return DMA_BAD_ARGUMENT;
    WORD value = (WORD)total;
    if (dma_SetValue(FID_FAX_DESTINATIONS, handle->devmode, handle->printerData, VT_WORD, sizeof(value), &value) !=
        SST_OK)
        return DMA_BAD_ARGUMENT;
    memcpy((BYTE *)handle->faxList + FAX_COUNT_OFFSET, &value, sizeof(value));
    return DMA_SUCCESS;
}

LONG dma_SetFaxListText(DmaSettingsSet *handle, WORD id, const char *text, DWORD length)
{
    if (handle->faxList == nullptr)
        return DMA_UNKNOWN_ID;
    if (text == nullptr)
        return DMA_BAD_ARGUMENT;
    DWORD offset, chars;
    dma_FaxTextField(id, &offset, &chars);
    WCHAR wide[FAX_TEXT2_CHARS] = {};
    LONG result = dma_AnsiToWide(text, length, wide, chars, nullptr);
    if (result != DMA_SUCCESS)
        return result;
    BYTE *head = (BYTE *)handle->faxList;
    memcpy(head + offset, wide, chars * sizeof(WCHAR));
    memcpy(head, kFaxTag, FAX_TAG_BYTES);
    return DMA_SUCCESS;
}
