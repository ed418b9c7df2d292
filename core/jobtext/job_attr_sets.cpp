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

/* set_offset: the address of offset index of the table behind the entries (not aligned
 * when the entry size is not a multiple of 4: read and write it with memcpy). */
static BYTE *set_offset(const JobAttrSetHead *list, DWORD index)
{
    return set_entry(list, list->count) + (size_t)index * sizeof(DWORD);
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
    memcpy(set_offset(list, index), &context->bookletOffset, sizeof(DWORD));
    return length;
}

extern "C" BOOL WINAPI job_ReadJobAttrSet(const JobAttrSetHead *list, DWORD size, DWORD index, const char **text,
                                          DWORD *length, DWORD *offset)
{
    if (list == NULL || size < sizeof(JobAttrSetHead) || list->entrySize <= SET_LENGTH_BYTES || index >= list->count ||
        job_GetJobAttrSetListSize(list->count, list->entrySize - SET_LENGTH_BYTES) != size)
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
        memcpy(offset, set_offset(list, index), sizeof(DWORD));
    return TRUE;
}
