/*
 * A printer's device font tables, built from the model's font records at DrvEnablePDEV.
 */
#include "render/pdl/fonts/fonts.h"

#include <string.h>

#include "core/ddd/ddd_access.h"
#include "render/pdl/fonts/font_record.h"

static const DWORD kSecondNameBuffer = 80;   // bytes kept of the previous second name
static const DWORD kFamilyListGrowth = 4096; // characters added when the list is full

// The installed family list being collected.
typedef struct FamilyList {
    WCHAR *text;
    DWORD used;
    DWORD capacity;
    BOOL failed;
} FamilyList;

// Where the font records come from and the heap the tables are built on.
typedef struct FontSource {
    HANDLE heap;
    DddFile *model;
    DddFile *base;
} FontSource;

static int CALLBACK CollectFamily(const LOGFONTW *logFont, const TEXTMETRICW *, DWORD, LPARAM param)
{
    FamilyList *list = (FamilyList *)param;
    DWORD length = (DWORD)lstrlenW(logFont->lfFaceName) + 1;
    if (list->used + length + 1 > list->capacity) {
        DWORD capacity = list->capacity + length + kFamilyListGrowth;
        WCHAR *grown = (WCHAR *)GlobalAlloc(GPTR, capacity * sizeof(WCHAR));
        if (grown == NULL) {
            list->failed = TRUE;
            return 0;
        }
        memcpy(grown, list->text, list->used * sizeof(WCHAR));
        GlobalFree(list->text);
        list->text = grown;
        list->capacity = capacity;
    }
    memcpy(list->text + list->used, logFont->lfFaceName, length * sizeof(WCHAR));
    list->used += length;
    return 1;
}

// True when the wide form of an ANSI face name is one of the installed family names.
static bool IsInstalled(const WCHAR *families, const char *faceName)
{
    WCHAR face[LF_FACESIZE + 1] = {};
    MultiByteToWideChar(CP_ACP, 0, faceName, -1, face, LF_FACESIZE);
    for (const WCHAR *name = families; name != NULL && *name != 0; name += lstrlenW(name) + 1) {
        if (lstrcmpW(name, face) == 0) {
            return true;
        }
    }
    return false;
}

// Fetches font record `number`. Returns DDD_OK, DDD_NOT_FOUND past the last record, or
// another status on failure.
static DddStatus FetchFontRecord(const FontSource *source, DWORD number, DddNamedData **record)
{
    DddFetchRequest request = {DDD_LEVEL_MODEL, source->model, source->base, FONT_RECORD_TYPE, (WORD)number, NULL};
    DddStatus status = ddd_FetchRecordByIndex(&request);
    *record = (DddNamedData *)request.record;
    if (status == DDD_OK && *record == NULL) {
        status = DDD_ERROR;
    }
    return status;
}

static void FreeRecord(DddNamedData **record)
{
    void *owned = *record;
    ddd_FreeRecord(&owned, DDD_FREE_OWN_TYPE);
    *record = NULL;
}

// Fills a device font entry from a record.
static void FillEntry(const FontInfoBlock *block, DeviceFontEntry *entry)
{
    const IFIMETRICS *ifi = fnt_BlockIfiMetrics(block);
    const WCHAR *face = (const WCHAR *)((const BYTE *)ifi + ifi->dpwszFaceName);
    lstrcpynW(entry->faceName, face, FONT_FACE_CHARS + 1);
    const BYTE *record = (const BYTE *)block + block->recordOffset;
    FontRecordView view;
    fnt_ReadFontRecord(record, block->recordSize, &view);
    entry->pitchAndFamily = view.pitchAndFamily;
    entry->charSet = view.charSet;
    entry->weight = view.weight;
    entry->italic = view.italic;
    entry->fontId = block->fontId;
}

// Builds the block of record `number` on the source's heap; NULL on failure.
static FontInfoBlock *BuildBlock(const FontSource *source, DWORD number)
{
    DddNamedData *record = NULL;
    if (FetchFontRecord(source, number, &record) != DDD_OK) {
        return NULL;
    }
    FontInfoBlock *block = fnt_BuildFontInfoBlock(source->heap, record->data, record->dataLength);
    FreeRecord(&record);
    return block;
}

// Walks the records: counts them and fills the lists of all and selected numbers (when
// given). Returns the count, or -1 when a record is broken or cannot be read.
static LONG WalkRecords(const FontSource *source, const WCHAR *families, DWORD *all, DWORD *selected,
                        DWORD *selectedCount)
{
    char previous[kSecondNameBuffer] = {};
    DWORD count = 0;
    DWORD chosen = 0;
    for (DWORD number = 1; number <= 0xFFFF; ++number) {
        DddNamedData *record = NULL;
        DddStatus status = FetchFontRecord(source, number, &record);
        if (status == DDD_NOT_FOUND) {
            break;
        }
        if (status != DDD_OK) {
            return -1;
        }
        FontRecordView view;
        BOOL readable = fnt_ReadFontRecord(record->data, record->dataLength, &view);
        if (readable && all != NULL) {
            all[count] = number;
            bool repeated = strncmp(previous, view.secondName, sizeof previous - 1) == 0;
            if (!repeated && !IsInstalled(families, view.faceName)) {
                selected[chosen++] = number;
            }
            strncpy(previous, view.secondName, sizeof previous - 1);
        }
        FreeRecord(&record);
        if (!readable) {
            return -1;
        }
        ++count;
    }
    if (selectedCount != NULL) {
        *selectedCount = chosen;
    }
    return (LONG)count;
}

// True when number is in the zero-terminated list.
static bool InList(const DWORD *list, DWORD number)
{
    for (; *list != 0; ++list) {
        if (*list == number) {
            return true;
        }
    }
    return false;
}

// fnt_BuildDeviceFontTables: see fonts.h.
DeviceFontTables *WINAPI fnt_BuildDeviceFontTables(HANDLE heap, DddFile *model, DddFile *base)
{
    if (heap == NULL || model == NULL) {
        return NULL;
    }
    const FontSource source = {heap, model, base};
    LONG count = WalkRecords(&source, NULL, NULL, NULL, NULL);
    if (count < 0) {
        return NULL;
    }
    DeviceFontTables *tables = (DeviceFontTables *)HeapAlloc(heap, HEAP_ZERO_MEMORY, sizeof(DeviceFontTables));
    if (tables == NULL) {
        return NULL;
    }
    tables->allFonts = (DWORD *)HeapAlloc(heap, HEAP_ZERO_MEMORY, (count + 1) * sizeof(DWORD));
    tables->selectedFonts = (DWORD *)HeapAlloc(heap, HEAP_ZERO_MEMORY, (count + 1) * sizeof(DWORD));
    tables->blocks = (FontInfoBlock **)HeapAlloc(heap, HEAP_ZERO_MEMORY, (count + 1) * sizeof(FontInfoBlock *));
    tables->entries = (DeviceFontEntry *)HeapAlloc(heap, HEAP_ZERO_MEMORY, (count + 1) * sizeof(DeviceFontEntry));
    WCHAR *families = fnt_EnumSystemFonts();
    bool ok = tables->allFonts != NULL && tables->selectedFonts != NULL && tables->blocks != NULL &&
              tables->entries != NULL && families != NULL &&
              WalkRecords(&source, families, tables->allFonts, tables->selectedFonts, &tables->selectedCount) == count;
    if (families != NULL) {
        GlobalFree(families);
    }
    tables->count = (DWORD)count;
    // The selected fonts' blocks first, then the others', in record order.
    DWORD next = 0;
    for (DWORD i = 0; ok && i < tables->selectedCount; ++i) {
        tables->blocks[next] = BuildBlock(&source, tables->selectedFonts[i]);
        ok = tables->blocks[next++] != NULL;
    }
    for (DWORD i = 0; ok && i < (DWORD)count; ++i) {
        DWORD number = tables->allFonts[i];
        FontInfoBlock *block = BuildBlock(&source, number);
        ok = block != NULL;
        if (!ok) {
            break;
        }
        FillEntry(block, &tables->entries[i]);
        if (InList(tables->selectedFonts, number)) {
            HeapFree(heap, 0, block);
        } else {
            tables->blocks[next++] = block;
        }
    }
    if (!ok) {
        fnt_FreeDeviceFontTables(heap, tables);
        return NULL;
    }
    return tables;
}

// fnt_EnumSystemFonts: see fonts.h.
WCHAR *WINAPI fnt_EnumSystemFonts(void)
{
    FamilyList list = {(WCHAR *)GlobalAlloc(GPTR, kFamilyListGrowth * sizeof(WCHAR)), 0, kFamilyListGrowth, FALSE};
    if (list.text == NULL) {
        return NULL;
    }
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    if (dc == NULL) {
        GlobalFree(list.text);
        return NULL;
    }
    EnumFontFamiliesW(dc, NULL, CollectFamily, (LPARAM)&list);
    ReleaseDC(desktop, dc);
    if (list.failed) {
        GlobalFree(list.text);
        return NULL;
    }
    list.text[list.used] = 0;
    return list.text;
}

// fnt_FreeDeviceFontTables: see fonts.h.
void WINAPI fnt_FreeDeviceFontTables(HANDLE heap, DeviceFontTables *tables)
{
    if (heap == NULL || tables == NULL) {
        return;
    }
    if (tables->blocks != NULL) {
        for (DWORD i = 0; i < tables->count; ++i) {
            if (tables->blocks[i] != NULL) {
                HeapFree(heap, 0, tables->blocks[i]);
            }
        }
        HeapFree(heap, 0, tables->blocks);
    }
    void *lists[] = {tables->allFonts, tables->selectedFonts, tables->entries};
    for (void *list : lists) {
        if (list != NULL) {
            HeapFree(heap, 0, list);
        }
    }
    HeapFree(heap, 0, tables);
}

// fnt_GetFontBlock: see fonts.h.
FontInfoBlock *WINAPI fnt_GetFontBlock(const DeviceFontTables *tables, ULONG iFace)
{
    if (tables == NULL || iFace == 0 || iFace > tables->count) {
        return NULL;
    }
    return tables->blocks[iFace - 1];
}
