/*
 * Whole records between an entry list and the current settings: an entry made accessible
 * (copied into the settings) and the settings captured into an entry (apply). Both work on
 * copies and change the program's areas, entry and state byte only once every field went
 * through: a refused field, name or entry leaves everything as it was.
 */
#include "devmode_access/dma_private.h"

#include <string.h>

#include "core/faxlist/fax_list.h"
#include "core/user_registry/paper_margins.h"

/* A record copied out of the program's entries, aligned for its fields. */
typedef union DmaRecord {
    BYTE bytes[DMA_RECORD_MAX_SIZE];
    DWORD align;
} DmaRecord;

/* Copies of the program's areas that a record is written into. */
typedef struct DmaScratch {
    DriverDevmode devmode;
    PrinterDataBlock block;
} DmaScratch;

/* The paper margin entry's margins, in stored orientation. */
enum { DMA_MARGINS_OFFSET = offsetof(PaperMarginEntry, margins) };

static_assert(sizeof(FAX_LIST_TAG) == sizeof(((FaxSendList *)0)->tag), "fax list tag");

static LONG dma_CaptureMargins(DriverDevmode *devmode, PrinterDataBlock *block, BYTE *record);
static LONG dma_CaptureRecord(const DmaKind *kind, DriverDevmode *devmode, PrinterDataBlock *block, BYTE *record);
static LONG dma_NameRecord(const DmaKind *kind, const char *name, BYTE *record);
static LONG dma_OrientationKind(DriverDevmode *devmode, PrinterDataBlock *block, DWORD *orientation);
static LONG dma_ReadField(const DmaField *field, DriverDevmode *devmode, PrinterDataBlock *block, BYTE *record);
static LONG dma_WriteField(const DmaField *field, const BYTE *record, DriverDevmode *devmode, PrinterDataBlock *block);
static LONG dma_WriteMargins(const BYTE *record, DriverDevmode *devmode, PrinterDataBlock *block);
static LONG dma_WriteRecord(const DmaKind *kind, const BYTE *record, DriverDevmode *devmode, PrinterDataBlock *block);

/* Reads the four margin settings (shown orientation) into the record's margins, turned
 * into stored orientation. Returns 1 or -10. */
static LONG dma_CaptureMargins(DriverDevmode *devmode, PrinterDataBlock *block, BYTE *record)
{
    DWORD orientation;
    if (dma_OrientationKind(devmode, block, &orientation) != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    PaperMargins shown;
    for (const MarginSettingRow &row : g_MarginSettingRows) {
        const DmaField field = {row.functionId, VT_LONG32, (WORD)(row.index * sizeof(LONG)), sizeof(LONG)};
        if (dma_ReadField(&field, devmode, block, (BYTE *)shown.margin) != DMA_SUCCESS)
            return DMA_BAD_ARGUMENT;
    }
    PaperMargins stored;
    if (ureg_OrientMargins(UREG_MARGIN_STORED_FROM_SHOWN, orientation, &stored, &shown) != UREG_MARGIN_OK)
        return DMA_BAD_ARGUMENT;
    memcpy(record + DMA_MARGINS_OFFSET, &stored, sizeof(stored));
    return DMA_SUCCESS;
}

/* Reads every field of the kind's map (and kind 4's margins) into the record. Returns 1
 * or -10. */
static LONG dma_CaptureRecord(const DmaKind *kind, DriverDevmode *devmode, PrinterDataBlock *block, BYTE *record)
{
    for (DWORD i = 0; i < kind->fields; ++i) {
        if (dma_ReadField(&kind->map[i], devmode, block, record) != DMA_SUCCESS)
            return DMA_BAD_ARGUMENT;
    }
    if (kind->nameForm == DMA_NAME_PAPER)
        return dma_CaptureMargins(devmode, block, record);
    return DMA_SUCCESS;
}

/*
 * Names a captured record: kinds 2 and 3 take the name (from the ANSI code page) in their
 * name field, zero-padded; kind 4 the paper number the name gives in decimal: at most 5
 * characters, read up to the first non-digit, 1 to 65535. Kind 5 has no name. Returns 1
 * or -10.
 */
static LONG dma_NameRecord(const DmaKind *kind, const char *name, BYTE *record)
{
    if (kind->nameForm == DMA_NAME_POSITION)
        return DMA_SUCCESS;
    if (name == nullptr)
        return DMA_BAD_ARGUMENT;
    const DmaField *field = &kind->map[0];
    if (kind->nameForm == DMA_NAME_PAPER) {
        DWORD length = 0;
        while (length <= DMA_PAPER_DIGITS && name[length] != 0)
            ++length;
        if (length > DMA_PAPER_DIGITS)
            return DMA_BAD_ARGUMENT;
        DWORD paper = 0;
        for (DWORD i = 0; i < length && name[i] >= '0' && name[i] <= '9'; ++i)
            paper = paper * 10 + (DWORD)(name[i] - '0');
        if (paper == 0 || paper > 0xFFFF)
            return DMA_BAD_ARGUMENT;
        PaperMarginEntry *entry = (PaperMarginEntry *)record;
        entry->paper = (WORD)paper;
        entry->reserved = 0;
        return DMA_SUCCESS;
    }
    WCHAR *text = (WCHAR *)(record + field->offset);
    WCHAR converted[DMA_RECORD_MAX_SIZE / sizeof(WCHAR)];
    DWORD chars = 0;
    if (dma_AnsiToWide(name, MAXDWORD, converted, field->size / sizeof(WCHAR), &chars) != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    memset(text, 0, field->size);
    memcpy(text, converted, chars * sizeof(WCHAR));
    return DMA_SUCCESS;
}

/* The orientation kind of the margins (1 or 2): the orientation setting. Returns 1 or -10. */
static LONG dma_OrientationKind(DriverDevmode *devmode, PrinterDataBlock *block, DWORD *orientation)
{
    WORD type;
    DWORD size;
    *orientation = 0;
    if (dma_GetValue(FID_ORIENTATION, devmode, block, &type, &size, orientation, nullptr) != SST_OK)
        return DMA_BAD_ARGUMENT;
    return DMA_SUCCESS;
}

/* Reads one setting into its field: numbers zero-extended over the field, strings and log
 * fonts copied from their place over the field's bytes. Returns 1 or -10. */
static LONG dma_ReadField(const DmaField *field, DriverDevmode *devmode, PrinterDataBlock *block, BYTE *record)
{
    BYTE *at = record + field->offset;
    if (field->type == VT_STRING || field->type == VT_LOGFONT) {
        DmaPlace place;
        if (dma_LocateFunction(devmode, block, field->functionId, &place) != DMA_SUCCESS ||
            place.capacity < field->size)
            return DMA_BAD_ARGUMENT;
        memcpy(at, place.storage, field->size);
        return DMA_SUCCESS;
    }
    WORD type;
    DWORD size;
    DWORD value = 0;
    if (dma_GetValue(field->functionId, devmode, block, &type, &size, &value, nullptr) != SST_OK)
        return DMA_BAD_ARGUMENT;
    memcpy(at, &value, field->size);
    return DMA_SUCCESS;
}

/* Writes one field into its setting: a string up to its end, which must lie inside the
 * field; a log font whole; a number with the setting type's width (the field's low bytes).
 * Returns 1 or -10. */
static LONG dma_WriteField(const DmaField *field, const BYTE *record, DriverDevmode *devmode, PrinterDataBlock *block)
{
    const BYTE *at = record + field->offset;
    WORD status;
    if (field->type == VT_STRING) {
        const WCHAR *text = (const WCHAR *)at;
        DWORD chars = dma_CountWideChars(text, field->size / sizeof(WCHAR));
        if (chars == field->size / sizeof(WCHAR))
            return DMA_BAD_ARGUMENT;
        status = dma_SetValue(field->functionId, devmode, block, VT_STRING, (chars + 1) * sizeof(WCHAR), &text);
    } else if (field->type == VT_LOGFONT) {
        const void *font = at;
        status = dma_SetValue(field->functionId, devmode, block, VT_LOGFONT, field->size, &font);
    } else {
        DWORD value = 0;
        memcpy(&value, at, field->size);
        status = dma_SetValue(field->functionId, devmode, block, field->type, dma_GetTypeWidth(field->type), &value);
    }
    return status == SST_OK ? DMA_SUCCESS : DMA_BAD_ARGUMENT;
}

/* Writes the entry's margins (stored orientation) into the four margin settings, turned
 * into the orientation shown. Returns 1 or -10. */
static LONG dma_WriteMargins(const BYTE *record, DriverDevmode *devmode, PrinterDataBlock *block)
{
    DWORD orientation;
    if (dma_OrientationKind(devmode, block, &orientation) != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    PaperMargins stored, shown;
    memcpy(&stored, record + DMA_MARGINS_OFFSET, sizeof(stored));
    if (ureg_OrientMargins(UREG_MARGIN_SHOWN_FROM_STORED, orientation, &stored, &shown) != UREG_MARGIN_OK)
        return DMA_BAD_ARGUMENT;
    for (const MarginSettingRow &row : g_MarginSettingRows) {
        const DmaField field = {row.functionId, VT_LONG32, (WORD)(row.index * sizeof(LONG)), sizeof(LONG)};
        if (dma_WriteField(&field, (const BYTE *)shown.margin, devmode, block) != DMA_SUCCESS)
            return DMA_BAD_ARGUMENT;
    }
    return DMA_SUCCESS;
}

/* Writes every field of the kind's map (and kind 4's margins) into the areas. Returns 1
 * or -10. */
static LONG dma_WriteRecord(const DmaKind *kind, const BYTE *record, DriverDevmode *devmode, PrinterDataBlock *block)
{
    for (DWORD i = 0; i < kind->fields; ++i) {
        if (dma_WriteField(&kind->map[i], record, devmode, block) != DMA_SUCCESS)
            return DMA_BAD_ARGUMENT;
    }
    if (kind->nameForm == DMA_NAME_PAPER)
        return dma_WriteMargins(record, devmode, block);
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_AccessibleData(DmaSettingsSet *handle, DWORD kind, const char *name)
{
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    const DmaKind *row = dma_FindKind(kind);
    if (row == nullptr)
        return DMA_KIND_RANGE;
    const DmaEntryList *list = dma_KindList(handle, row);
    DWORD index;
    LONG result = dma_FindEntry(row, list, name, DMA_MASK_LIVE, &index);
    if (result != DMA_SUCCESS)
        return result;
    DmaRecord record;
    memcpy(record.bytes, list->entries + (size_t)index * list->entrySize, row->recordSize);

    DmaScratch scratch;
    DriverDevmode *devmode = nullptr;
    PrinterDataBlock *block = nullptr;
    if (handle->devmode != nullptr) {
        memcpy(&scratch.devmode, handle->devmode, sizeof(scratch.devmode));
        devmode = &scratch.devmode;
    }
    if (handle->printerData != nullptr) {
        memcpy(&scratch.block, handle->printerData, sizeof(scratch.block));
        block = &scratch.block;
    }
    if (dma_WriteRecord(row, record.bytes, devmode, block) != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    if (devmode != nullptr)
        memcpy(handle->devmode, devmode, sizeof(*devmode));
    if (block != nullptr)
        memcpy(handle->printerData, block, sizeof(*block));
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_ApplyData(DmaSettingsSet *handle, DWORD kind, DWORD mode, const char *name)
{
    if (handle == nullptr)
        return DMA_BAD_ARGUMENT;
    const DmaKind *row = dma_FindKind(kind);
    if (row == nullptr)
        return DMA_KIND_RANGE;
    DmaEntryList *list = dma_KindList(handle, row);
    DWORD index;
    LONG result;
    if (mode == DMA_APPLY_NAMED) {
        result = dma_FindEntry(row, list, name, DMA_MASK_ANY, &index);
    } else if (mode == DMA_APPLY_LAST) {
        // An empty list has no last entry: it is answered as a name that is not there.
        result = dma_CheckEntryList(row, list);
        if (result == DMA_SUCCESS && list->count == 0)
            result = row->notFound;
        if (result == DMA_SUCCESS)
            index = list->count - 1;
    } else {
        return DMA_MODE_RANGE;
    }
    if (result != DMA_SUCCESS)
        return result;
    if (row->nameForm == DMA_NAME_POSITION && handle->faxList == nullptr)
        return DMA_BAD_ARGUMENT;

    BYTE *entry = list->entries + (size_t)index * list->entrySize;
    DmaRecord record;
    memcpy(record.bytes, entry, row->recordSize);
    if (dma_CaptureRecord(row, handle->devmode, handle->printerData, record.bytes) != DMA_SUCCESS ||
        dma_NameRecord(row, name, record.bytes) != DMA_SUCCESS)
        return DMA_BAD_ARGUMENT;
    memcpy(entry, record.bytes, row->recordSize);
    list->states[index] = DMA_STATE_CAPTURED;
    if (row->nameForm == DMA_NAME_POSITION)
        memcpy(handle->faxList, FAX_LIST_TAG, sizeof(FAX_LIST_TAG));
    return DMA_SUCCESS;
}
