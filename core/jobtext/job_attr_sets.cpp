/*
 * JobAttributeSet lists: a 16-byte head, count entries of (estimate + 4) bytes each
 * ({DWORD length, text with its zero in at most estimate bytes}), then count DWORD
 * booklet-placeholder offsets: (estimate + 8) x count + 16 bytes in all.
 */
#include "core/jobtext/job_attr.h"

#include <string.h>

/* Bytes of an entry's length word. */
#define SET_LENGTH_BYTES 4

/* set_entry: entry index of a list whose head was checked. */
static BYTE *set_entry(const JobAttrSetHead *list, DWORD index)
{
    return (BYTE *)(list + 1) + (size_t)index * list->entrySize;
}

/* set_offsets: the offset table behind the entries. */
static DWORD *set_offsets(const JobAttrSetHead *list)
{
    return (DWORD *)set_entry(list, list->count);
}

extern "C" DWORD WINAPI job_GetJobAttrSetListSize(DWORD count, DWORD estimate)
{
    unsigned long long size = ((unsigned long long)estimate + 8) * count + sizeof(JobAttrSetHead);
    return size > 0x7FFFFFFF ? 0 : (DWORD)size;
}

extern "C" BOOL WINAPI job_InitJobAttrSetList(JobAttrSetHead *list, DWORD size, DWORD count, DWORD estimate)
{
    if (list == NULL || count == 0 || estimate == 0 || size != job_GetJobAttrSetListSize(count, estimate))
        return FALSE;
    memset(list, 0, size);
    list->count = count;
    list->entrySize = estimate + SET_LENGTH_BYTES;
    return TRUE;
}

extern "C" LONG WINAPI job_BuildJobAttrSet(JobAttrSetHead *list, DWORD index, DddFile *model, DddFile *base,
                                           JobAttrContext *context, const void *ticket, DWORD ticketSize)
{
    if (list == NULL || context == NULL || index >= list->count || list->entrySize <= SET_LENGTH_BYTES)
        return JOB_E_ARGUMENT;
    BYTE *entry = set_entry(list, index);
    context->capacity = list->entrySize - SET_LENGTH_BYTES;
    LONG length = job_BuildJobAttrBlock(model, base, context, ticket, ticketSize, (char *)entry + SET_LENGTH_BYTES);
    if (length < 0)
        return length;
    DWORD word = (DWORD)length;
    memcpy(entry, &word, sizeof(word));
    set_offsets(list)[index] = context->bookletOffset;
    return length;
}

extern "C" BOOL WINAPI job_ReadJobAttrSet(const JobAttrSetHead *list, DWORD size, DWORD index, const char **text,
                                          DWORD *length, DWORD *offset)
{
    if (list == NULL || size < sizeof(JobAttrSetHead) || list->entrySize <= SET_LENGTH_BYTES ||
        index >= list->count || job_GetJobAttrSetListSize(list->count, list->entrySize - SET_LENGTH_BYTES) != size)
        return FALSE;
    const BYTE *entry = set_entry(list, index);
    DWORD word = 0;
    memcpy(&word, entry, sizeof(word));
    if (word >= list->entrySize - SET_LENGTH_BYTES)
        return FALSE;
    if (text)
        *text = (const char *)entry + SET_LENGTH_BYTES;
    if (length)
        *length = word;
    if (offset)
        *offset = set_offsets(list)[index];
    return TRUE;
}
