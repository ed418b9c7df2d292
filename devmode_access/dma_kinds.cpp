/*
 * The data kinds of the entry lists a program keeps: the field map of each record, the
 * searches over the program's entries, their names, and marking one deleted. Entries are
 * the program's input: an entry size below the record, or a name without its end inside
 * its field, never leads to a read outside the entry.
 */
#include "devmode_access/dma_private.h"

#include <stddef.h>
#include <string.h>

#include "core/faxlist/fax_list.h"
#include "core/stamps/stamp_record.h"
#include "core/user_registry/paper_margins.h"

/* Place and bytes of a field of a record type. */
#define DMA_FIELD(record, member) (WORD) offsetof(record, member), (WORD)sizeof(((record *)0)->member)

/* Each row: FunctionID, the setting's type, the field's place and bytes. */

/* Stamps (308 bytes). The style (300) and frame (302) settings are one byte each, held
 * zero-extended in their fields of 4 and 2 bytes. */
static const DmaField kStampMap[] = {
    {297, VT_STRING, DMA_FIELD(StampRecord, name)},
    {299, VT_STRING, DMA_FIELD(StampRecord, text)},
    {301, VT_DWORD, DMA_FIELD(StampRecord, colour)},
    {300, VT_BYTE, DMA_FIELD(StampRecord, style)},
    {1287, VT_LONG, DMA_FIELD(StampRecord, optionB)},
    {302, VT_BYTE, DMA_FIELD(StampRecord, frame)},
    {303, VT_WORD, DMA_FIELD(StampRecord, placement)},
    {1288, VT_LONG, DMA_FIELD(StampRecord, repeat)},
    {304, VT_LOGFONT, DMA_FIELD(StampRecord, font)},
};

/* Named text records (706 bytes): five texts, the first the name. */
static const DmaField kNamedTextMap[] = {
    {1819, VT_STRING, 0, 82},
    {1820, VT_STRING, 82, 82},
    {1821, VT_STRING, 164, 418},
    {1822, VT_STRING, 582, 62},
    {1823, VT_STRING, 644, 62},
};

/* Paper margin entries (20 bytes): the paper number; the four margins follow at byte 4 in
 * stored orientation, one setting each as the margin settings table gives them. */
static const DmaField kPaperMarginNames[] = {
    {1824, VT_WORD, DMA_FIELD(PaperMarginEntry, paper)},
};

/* Fax destinations (742 bytes). */
static const DmaField kFaxDestinationMap[] = {
    {1794, VT_WORD, DMA_FIELD(FaxDestination, entryForm)},
    {1795, VT_STRING, DMA_FIELD(FaxDestination, number)},
    {1796, VT_WORD, DMA_FIELD(FaxDestination, prefixSelector)},
    {1797, VT_STRING, DMA_FIELD(FaxDestination, text1797)},
    {1798, VT_STRING, DMA_FIELD(FaxDestination, text1798)},
    {1810, VT_WORD, DMA_FIELD(FaxDestination, element3)},
    {1811, VT_WORD, DMA_FIELD(FaxDestination, elementSelector)},
    {1812, VT_WORD, DMA_FIELD(FaxDestination, element4Number)},
    {1813, VT_STRING, DMA_FIELD(FaxDestination, element4Text)},
    {1814, VT_WORD, DMA_FIELD(FaxDestination, element1Number)},
    {1815, VT_WORD, DMA_FIELD(FaxDestination, element1Flag)},
    {1816, VT_STRING, DMA_FIELD(FaxDestination, element1List)},
    {1817, VT_STRING, DMA_FIELD(FaxDestination, element5Text)},
    {1818, VT_STRING, DMA_FIELD(FaxDestination, element6Text)},
};

#define DMA_MAP(map) map, (DWORD)(sizeof(map) / sizeof(map[0]))

/* The kinds 2-5, by kind number. */
static const DmaKind kKinds[] = {
    {DMA_KIND_STAMP, sizeof(StampRecord), DMA_NAME_TEXT, DMA_NO_NAMED_ENTRY, DMA_MAP(kStampMap)},
    {DMA_KIND_NAMED_TEXT, 706, DMA_NAME_TEXT, DMA_NO_NAMED_ENTRY, DMA_MAP(kNamedTextMap)},
    {DMA_KIND_PAPER_MARGIN, sizeof(PaperMarginEntry), DMA_NAME_PAPER, DMA_NO_MARGIN_ENTRY, DMA_MAP(kPaperMarginNames)},
    {DMA_KIND_FAX_DESTINATION,
     sizeof(FaxDestination),
     DMA_NAME_POSITION,
     DMA_NO_FAX_ENTRY,
     DMA_MAP(kFaxDestinationMap)},
};

/* Name fields hold at most 41 characters (kind 3); the largest record is kind 5's. */
enum { DMA_NAME_MAX_CHARS = 41 };

static_assert(sizeof(FaxDestination) == DMA_RECORD_MAX_SIZE, "largest record");
static_assert(sizeof(StampRecord) == 308, "stamp record");

static DWORD dma_FormatPaper(WORD paper, char *digits);

/* The decimal digits of a paper number, without terminator; returns their count. */
static DWORD dma_FormatPaper(WORD paper, char *digits)
{
    char reversed[DMA_PAPER_DIGITS];
    DWORD n = 0;
    do {
        reversed[n++] = (char)('0' + paper % 10);
        paper /= 10;
    } while (paper != 0);
    for (DWORD i = 0; i < n; ++i)
        digits[i] = reversed[n - 1 - i];
    return n;
}

LONG dma_CheckEntryList(const DmaKind *kind, const DmaEntryList *list)
{
    // An empty list is empty whatever its other fields hold.
    if (list->count == 0)
        return DMA_SUCCESS;
    if (list->entrySize < kind->recordSize || list->entries == nullptr || list->states == nullptr)
        return DMA_BAD_ARGUMENT;
    return DMA_SUCCESS;
}

DWORD dma_EntryName(const DmaKind *kind, const BYTE *record, char *name, DWORD size)
{
    const DmaField *field = &kind->map[0];
    if (kind->nameForm == DMA_NAME_PAPER) {
        WORD paper;
        memcpy(&paper, record + field->offset, sizeof(paper));
        char digits[DMA_PAPER_DIGITS];
        DWORD n = dma_FormatPaper(paper, digits);
        if (name != nullptr && size >= n + 1) {
            memcpy(name, digits, n);
            name[n] = 0;
        }
        return n + 1;
    }
    WCHAR text[DMA_NAME_MAX_CHARS + 1];
    DWORD chars = field->size / sizeof(WCHAR);
    dma_LoadWide(record + field->offset, field->size, text);
    if (dma_CountWideChars(text, chars) == chars)
        return 0;
    return dma_WideToAnsiExact(text, chars, name, size);
}

LONG dma_FindEntry(const DmaKind *kind, const DmaEntryList *list, const char *name, BYTE mask, DWORD *index)
{
    LONG result = dma_CheckEntryList(kind, list);
    if (result != DMA_SUCCESS)
        return result;
    if (kind->nameForm == DMA_NAME_POSITION) {
        ULONG_PTR position = (ULONG_PTR)name;
        if (position == 0 || position > list->count || (list->states[position - 1] & mask) == 0)
            return kind->notFound;
        *index = (DWORD)(position - 1);
        return DMA_SUCCESS;
    }
    if (name == nullptr)
        return DMA_BAD_ARGUMENT;
    for (DWORD i = 0; i < list->count; ++i) {
        if ((list->states[i] & mask) == 0)
            continue;
        char entryName[DMA_NAME_MAX_CHARS * 2 + 1];
        DWORD needed = dma_EntryName(kind, list->entries + (size_t)i * list->entrySize, entryName, sizeof(entryName));
        // A name without its end, or without a form in the code page, matches nothing.
        if (needed != 0 && needed <= sizeof(entryName) && strcmp(entryName, name) == 0) {
            *index = i;
            return DMA_SUCCESS;
        }
    }
    return kind->notFound;
}

const DmaKind *dma_FindKind(DWORD kind)
{
    for (const DmaKind &row : kKinds) {
        if (row.kind == kind)
            return &row;
    }
    return nullptr;
}

DmaEntryList *dma_KindList(DmaSettingsSet *handle, const DmaKind *kind)
{
    switch (kind->kind) {
    case DMA_KIND_STAMP: return &handle->stamps;
    case DMA_KIND_NAMED_TEXT: return &handle->textRecords;
    case DMA_KIND_PAPER_MARGIN: return &handle->paperMargins;
    default: return &handle->faxDestinations;
    }
}

DmaResult WINAPI DMA_DeleteData(DmaSettingsSet *handle, DWORD kind, const char *name)
{
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    const DmaKind *row = dma_FindKind(kind);
    if (row == nullptr || row->nameForm == DMA_NAME_POSITION)
        return DMA_KIND_RANGE;
    DmaEntryList *list = dma_KindList(handle, row);
    DWORD index;
    LONG result = dma_FindEntry(row, list, name, DMA_MASK_ANY, &index);
    if (result != DMA_SUCCESS)
        return result;
    list->states[index] = DMA_STATE_DELETED;
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_GetNameFromInfo(const void *record, DWORD kind, DWORD *size, char *buffer)
{
    if (record == nullptr || size == nullptr)
        return DMA_BAD_ARGUMENT;
    const DmaKind *row = dma_FindKind(kind);
    if (row == nullptr || row->nameForm == DMA_NAME_POSITION)
        return DMA_KIND_RANGE;
    DWORD needed = dma_EntryName(row, (const BYTE *)record, nullptr, 0);
    if (needed == 0)
        return DMA_BAD_ARGUMENT;
    if (buffer == nullptr || *size < needed) {
        *size = needed;
        return DMA_MORE_DATA;
    }
    return dma_EntryName(row, (const BYTE *)record, buffer, *size) != 0 ? DMA_SUCCESS : DMA_BAD_ARGUMENT;
}
