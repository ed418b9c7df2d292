/*
 * A C program using the DEVMODE access library as outside programs do: only the public
 * header and <windows.h> (and the test control that pins the ANSI code page). It loads
 * the library by file name, finds every name of the export list, and calls through stdcall
 * pointers under code pages 1252 and 932. Exit code 0 when every check holds.
 */
#include <windows.h>

#include <stddef.h>
#include <stdio.h>
#include <string.h>

#include "devmode_access/include/qmkelvdm.h"
#include "platform/include/qm_layout.h"
#include "platform/testing/qm_testing_text.h"

_Static_assert(sizeof(DmaSettingsSet) == QM_LAYOUT(608, 656), "DmaSettingsSet");
_Static_assert(offsetof(DmaSettingsSet, modelName) == 264, "modelName");
_Static_assert(offsetof(DmaSettingsSet, devmode) == QM_LAYOUT(524, 528), "devmode");
_Static_assert(offsetof(DmaSettingsSet, printerData) == QM_LAYOUT(528, 536), "printerData");
_Static_assert(offsetof(DmaSettingsSet, faxList) == QM_LAYOUT(540, 552), "faxList");
_Static_assert(offsetof(DmaSettingsSet, faxDestinations) == QM_LAYOUT(544, 560), "faxDestinations");
_Static_assert(offsetof(DmaSettingsSet, paperMargins) == QM_LAYOUT(560, 584), "paperMargins");
_Static_assert(offsetof(DmaSettingsSet, stamps) == QM_LAYOUT(576, 608), "stamps");
_Static_assert(offsetof(DmaSettingsSet, textRecords) == QM_LAYOUT(592, 632), "textRecords");
_Static_assert(sizeof(DmaEntryList) == QM_LAYOUT(16, 24), "DmaEntryList");
_Static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA");
_Static_assert(sizeof(DmaDocPropBlocks) == QM_LAYOUT(32, 64), "DmaDocPropBlocks");
_Static_assert(sizeof(DmaIdEntry) == 8, "DmaIdEntry");

typedef DmaResult(WINAPI *GetValueFn)(DmaSettingsSet *, WORD, DWORD *);
typedef DmaResult(WINAPI *SetValueFn)(DmaSettingsSet *, WORD, DWORD);
typedef DmaResult(WINAPI *GetStringFn)(DmaSettingsSet *, WORD, char *, DWORD *);
typedef DmaResult(WINAPI *SetStringFn)(DmaSettingsSet *, WORD, const char *, DWORD);
typedef DmaResult(WINAPI *GetFontFn)(DmaSettingsSet *, WORD, LOGFONTA *, DWORD *);
typedef DmaResult(WINAPI *SetFontFn)(DmaSettingsSet *, WORD, const LOGFONTA *, DWORD);
typedef DmaResult(WINAPI *SetFaxCountFn)(DmaSettingsSet *, LONG, BOOL);
typedef DmaResult(WINAPI *GetFaxCountFn)(const void *, WORD *);
typedef DmaResult(WINAPI *EnumIdsFn)(DmaSettingsSet *, DWORD, WORD *, DmaIdEntry *);
typedef DmaResult(WINAPI *GetNameFn)(const void *, DWORD, DWORD *, char *);
typedef DmaResult(WINAPI *AccessFn)(DmaSettingsSet *, DWORD, const char *);
typedef DmaResult(WINAPI *ApplyFn)(DmaSettingsSet *, DWORD, DWORD, const char *);
typedef DmaResult(WINAPI *BlocksFn)(DmaSettingsSet *, DmaDocPropBlocks *);
typedef DmaResult(WINAPI *ConstBlocksFn)(DmaSettingsSet *, const DmaDocPropBlocks *);
typedef DmaResult(WINAPI *ByValueFn)(DmaSettingsSet *, void *, DWORD, void *, DWORD, void *, DWORD, void *, DWORD);

static int g_failures;

#define CHECK(condition) check((condition), #condition, __LINE__)

static void check(int condition, const char *text, int line)
{
    if (!condition) {
        printf("line %d: %s\n", line, text);
        g_failures++;
    }
}

/* One caller's settings areas and handle. */
typedef struct Areas {
    DmaSettingsSet handle;
    BYTE devmode[5872];
    BYTE block[5452];
    BYTE faxList[1442];
} Areas;

static void init_areas(Areas *a)
{
    static const WCHAR tag[8] = {'D', 'F', 'A', 'X', '0', '0', '1', 0};
    memset(a, 0, sizeof(*a));
    a->handle.devmode = (struct DriverDevmode *)a->devmode;
    a->handle.printerData = (struct PrinterDataBlock *)a->block;
    a->handle.faxList = a->faxList;
    memcpy(a->faxList, tag, sizeof(tag));
}

/* Finds every name of the export list in the library; the count of names found. */
static int find_def_names(HMODULE library)
{
    FILE *def = fopen(QM_DEF_FILE, "r");
    char line[256];
    int inExports = 0, found = 0;
    CHECK(def != NULL);
    if (def == NULL)
        return 0;
    while (fgets(line, sizeof(line), def) != NULL) {
        char name[256];
        if (line[0] == ';' || sscanf(line, "%255s", name) != 1)
            continue;
        if (strcmp(name, "EXPORTS") == 0) {
            inExports = 1;
            continue;
        }
        if (!inExports || strcmp(name, "LIBRARY") == 0)
            continue;
        if (GetProcAddress(library, name) == NULL) {
            printf("export %s missing\n", name);
            g_failures++;
        }
        found++;
    }
    fclose(def);
    return found;
}

/* The file's bytes into buffer (at most size); the count read, 0 when missing. */
static DWORD read_file(const WCHAR *path, BYTE *buffer, DWORD size)
{
    DWORD read = 0;
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return 0;
    if (!ReadFile(file, buffer, size, &read, NULL))
        read = 0;
    CloseHandle(file);
    return read;
}

/* A by-value form called with the record's eight fields. */
static DmaResult call_by_value(ByValueFn form, DmaSettingsSet *handle, const DmaDocPropBlocks *r)
{
    return form(handle, r->ndev, r->ndevSize, r->vqb, r->vqbSize, r->fax, r->faxSize, r->sp, r->spSize);
}

/* Entry lists, identifiers and the settings files through the record and file exports. */
static void check_records_and_files(HMODULE library, Areas *a)
{
    EnumIdsFn enumIds = (EnumIdsFn)(void *)GetProcAddress(library, "DMA_EnumDMAID_ByTargetInfo");
    GetNameFn getName = (GetNameFn)(void *)GetProcAddress(library, "DMA_GetNameFromInfo");
    AccessFn access = (AccessFn)(void *)GetProcAddress(library, "DMA_AccessibleData");
    AccessFn remove = (AccessFn)(void *)GetProcAddress(library, "DMA_DeleteData");
    ApplyFn apply = (ApplyFn)(void *)GetProcAddress(library, "DMA_ApplyData");
    ConstBlocksFn extractEx = (ConstBlocksFn)(void *)GetProcAddress(library, "DMA_ExtractDocPropEx");
    ByValueFn extract = (ByValueFn)(void *)GetProcAddress(library, "DMA_ExtractDocProp");
    ConstBlocksFn oneTimeEx = (ConstBlocksFn)(void *)GetProcAddress(library, "DMA_ExtractOneTimeEx");
    ByValueFn oneTime = (ByValueFn)(void *)GetProcAddress(library, "DMA_ExtractOneTime");
    BlocksFn replace = (BlocksFn)(void *)GetProcAddress(library, "DMA_ReplaceDocProp");
    SetStringFn setString = (SetStringFn)(void *)GetProcAddress(library, "DMA_SetStringData");
    static BYTE stamps[2][308], blocks[4][4400], files[2][6000];
    static const WCHAR tag[8] = {'D', 'F', 'A', 'X', '0', '0', '1', 0};
    static const WCHAR names[3][8] = {{'N', 'D', 'E', 'V', '0', '0', '1', 0},
                                      {'V', 'Q', 'B', 'I', 'N', 'F', 'O', 0},
                                      {'S', 'P', 'I', 'N', 'F', 'O', 0, 0}};
    BYTE states[2] = {DMA_STATE_CAPTURED, DMA_STATE_CAPTURED};
    DmaIdEntry ids[4];
    WORD count = 4;
    DWORD size = 0, lengths[2][2];
    WCHAR temp[MAX_PATH], path[2][MAX_PATH];
    char narrow[2][MAX_PATH];
    DmaDocPropBlocks record, back;
    int i;

    memset(ids, 0, sizeof(ids));
    CHECK(enumIds(&a->handle, DMA_KIND_PAPER_MARGIN, &count, ids) == DMA_SUCCESS && count == 4);
    CHECK(ids[0].flags == 0 && ids[3].flags == 0);

    /* A stamp captured from the settings, named, found, deleted. */
    a->handle.stamps.count = 2;
    a->handle.stamps.entrySize = 308;
    a->handle.stamps.states = states;
    a->handle.stamps.entries = stamps[0];
    CHECK(setString(&a->handle, 297, "Stamp", 10) == DMA_SUCCESS);
    CHECK(apply(&a->handle, DMA_KIND_STAMP, DMA_APPLY_LAST, "Stamp") == DMA_SUCCESS);
    CHECK(getName(stamps[1], DMA_KIND_STAMP, &size, NULL) == DMA_MORE_DATA && size == 6);
    CHECK(access(&a->handle, DMA_KIND_STAMP, "Stamp") == DMA_SUCCESS);
    CHECK(remove(&a->handle, DMA_KIND_STAMP, "Stamp") == DMA_SUCCESS && states[1] == DMA_STATE_DELETED);
    CHECK(access(&a->handle, DMA_KIND_STAMP, "Stamp") == DMA_NO_NAMED_ENTRY);
    CHECK(apply(&a->handle, DMA_KIND_FAX_DESTINATION, 2, DMA_POSITION(1)) == DMA_MODE_RANGE);

    /* The settings file written by each form, then read back. */
    CHECK(GetTempPathW(MAX_PATH, temp) != 0);
    for (i = 0; i < 2; i++) {
        static const WCHAR file[] = {'q', 'm', 'd', 'm', 'a', 'c', '.', 'b', 'i', 'n', 0};
        lstrcpyW(path[i], temp);
        lstrcatW(path[i], file);
        path[i][lstrlenW(path[i]) - 5] = (WCHAR)('0' + i);
        CHECK(WideCharToMultiByte(CP_ACP, 0, path[i], -1, narrow[i], MAX_PATH, NULL, NULL) > 0);
    }
    memset(blocks, 0, sizeof(blocks));
    for (i = 0; i < 3; i++)
        memcpy(blocks[i], names[i], 16);
    *(DWORD *)(blocks[0] + 16) = 21024;
    *(DWORD *)(blocks[0] + 20) = 4268;
    *(DWORD *)(blocks[1] + 16) = 3;
    memcpy(blocks[3], tag, 16);
    record.ndev = blocks[0];
    record.ndevSize = 24 + 4268;
    record.vqb = blocks[1];
    record.vqbSize = 23;
    record.sp = blocks[2];
    record.spSize = 20;
    record.fax = blocks[3];
    record.faxSize = 1442;
    CHECK(setString(&a->handle, 374, narrow[0], MAX_PATH) == DMA_SUCCESS);
    CHECK(setString(&a->handle, 375, narrow[1], MAX_PATH) == DMA_SUCCESS);
    CHECK(extractEx(&a->handle, &record) == DMA_SUCCESS);
    CHECK(oneTimeEx(&a->handle, &record) == DMA_SUCCESS);
    lengths[0][0] = read_file(path[0], files[0], sizeof(files[0]));
    lengths[0][1] = read_file(path[1], files[1], sizeof(files[1]));
    CHECK(lengths[0][0] == 4292 + 23 + 20 + 1442);
    CHECK(lengths[0][1] == 1442);
    CHECK(call_by_value(extract, &a->handle, &record) == DMA_SUCCESS);
    CHECK(call_by_value(oneTime, &a->handle, &record) == DMA_SUCCESS);
    {
        static BYTE again[2][6000];
        lengths[1][0] = read_file(path[0], again[0], sizeof(again[0]));
        lengths[1][1] = read_file(path[1], again[1], sizeof(again[1]));
        CHECK(lengths[1][0] == lengths[0][0] && memcmp(again[0], files[0], lengths[0][0]) == 0);
        CHECK(lengths[1][1] == lengths[0][1] && memcmp(again[1], files[1], lengths[0][1]) == 0);
    }
    CHECK(extract(NULL, record.ndev, 1, NULL, 0, NULL, 0, NULL, 0) == extractEx(NULL, &record));
    memset(&back, 0, sizeof(back));
    CHECK(replace(&a->handle, &back) == DMA_MORE_DATA);
    CHECK(back.ndevSize == 4292 && back.vqbSize == 23 && back.spSize == 20 && back.faxSize == 1442);
    DeleteFileW(path[0]);
    DeleteFileW(path[1]);
}

int main(void)
{
    static const UINT pages[] = {1252, 932};
    HMODULE library = LoadLibraryW(TEXT("qmkelvdm.dll"));
    CHECK(library != NULL);
    if (library == NULL)
        return 1;
    CHECK(find_def_names(library) >= 26);
    GetValueFn getValue = (GetValueFn)(void *)GetProcAddress(library, "DMA_GetValue");
    SetValueFn setValue = (SetValueFn)(void *)GetProcAddress(library, "DMA_SetValue");
    GetStringFn getString = (GetStringFn)(void *)GetProcAddress(library, "DMA_GetStringData");
    SetStringFn setString = (SetStringFn)(void *)GetProcAddress(library, "DMA_SetStringData");
    GetFontFn getFont = (GetFontFn)(void *)GetProcAddress(library, "DMA_GetLogFontData");
    SetFontFn setFont = (SetFontFn)(void *)GetProcAddress(library, "DMA_SetLogFontData");
    SetFaxCountFn setFaxCount = (SetFaxCountFn)(void *)GetProcAddress(library, "DMA_SetFaxAddressNum");
    GetFaxCountFn getFaxCount = (GetFaxCountFn)(void *)GetProcAddress(library, "DMA_GetFaxAddressNum");
    if (g_failures != 0)
        return 1;

    for (size_t p = 0; p < sizeof(pages) / sizeof(pages[0]); p++) {
        static Areas one, two;
        const char *name = pages[p] == 932 ? "\x83\x76\x83\x8A\x83\x93\x83\x5E" : "Drucker \xE4";
        struct {
            char text[64];
            char guard[4];
        } out;
        DWORD size = 0, value = 0;
        WORD count = 0;
        LOGFONTA font;
        qmt_PinAnsiCodePage(pages[p]);
        init_areas(&one);
        init_areas(&two);

        /* Two handles, calls interleaved. */
        CHECK(setValue(&one.handle, 12, 3) == DMA_SUCCESS);
        CHECK(setValue(&two.handle, 12, 5) == DMA_SUCCESS);
        CHECK(setString(&one.handle, 1, name, 64) == DMA_SUCCESS);
        CHECK(setString(&two.handle, 1, "other", 64) == DMA_SUCCESS);
        CHECK(getValue(&one.handle, 12, &value) == DMA_SUCCESS && value == 3);
        CHECK(getValue(&two.handle, 12, &value) == DMA_SUCCESS && value == 5);

        /* Two calls: the size, then the text; nothing written past the buffer. */
        CHECK(getString(&one.handle, 1, NULL, &size) == DMA_MORE_DATA && size == 32);
        memset(&out, '#', sizeof(out));
        CHECK(getString(&one.handle, 1, out.text, &size) == DMA_SUCCESS);
        CHECK(strcmp(out.text, name) == 0);
        CHECK(memcmp(out.guard, "####", 4) == 0);
        size = 0;
        CHECK(getString(&two.handle, 1, NULL, &size) == DMA_MORE_DATA);
        CHECK(getString(&two.handle, 1, out.text, &size) == DMA_SUCCESS && strcmp(out.text, "other") == 0);

        size = 0;
        CHECK(getFont(&one.handle, 304, NULL, &size) == DMA_MORE_DATA && size == 60);
        memset(&font, 0, sizeof(font));
        font.lfHeight = 10;
        strcpy(font.lfFaceName, name);
        CHECK(setFont(&one.handle, 304, &font, sizeof(font)) == DMA_SUCCESS);
        memset(&out, '#', sizeof(out));
        CHECK(getFont(&one.handle, 304, (LOGFONTA *)out.text, &size) == DMA_SUCCESS);
        CHECK(memcmp(out.text, &font, sizeof(font)) == 0);
        CHECK(memcmp(out.guard, "####", 4) == 0);

        /* Protected texts: size query only; 36865 refuses 13 characters. */
        size = 0;
        CHECK(getString(&one.handle, 36865, NULL, &size) == DMA_MORE_DATA && size == 13);
        CHECK(getString(&one.handle, 36865, out.text, &size) == DMA_BAD_ARGUMENT);
        CHECK(setString(&one.handle, 36865, "0123456789abc", 13) == DMA_TOO_LONG);
        CHECK(setString(&one.handle, 36869, "0123456789abcdefghijk", 21) == DMA_SUCCESS);
        CHECK(setString(&one.handle, 36869, "0123456789abcdefghijk", 22) == DMA_TOO_LONG);

        /* Broken input. */
        CHECK(getValue(NULL, 12, &value) == DMA_BAD_ARGUMENT);
        CHECK(setValue(NULL, 12, 1) == DMA_BAD_ARGUMENT);
        CHECK(getString(NULL, 1, NULL, &size) == DMA_BAD_ARGUMENT);
        CHECK(setString(NULL, 1, "x", 1) == DMA_BAD_ARGUMENT);
        CHECK(getFont(NULL, 304, &font, &size) == DMA_BAD_ARGUMENT);
        CHECK(setFont(&one.handle, 304, &font, 59) == DMA_BAD_ARGUMENT);
        CHECK(getValue(&one.handle, 600, &value) == DMA_UNKNOWN_ID);
        CHECK(getValue(&one.handle, 1, &value) == DMA_IS_STRING);
        CHECK(setFaxCount(&one.handle, 2, FALSE) == DMA_SUCCESS);
        CHECK(setFaxCount(&one.handle, -3, TRUE) == DMA_BAD_ARGUMENT);
        CHECK(getFaxCount(one.faxList, &count) == DMA_SUCCESS && count == 2);
        CHECK(getFaxCount(two.devmode, &count) == DMA_BAD_ARGUMENT);
    }
    qmt_PinAnsiCodePage(0);
    {
        static Areas areas;
        init_areas(&areas);
        check_records_and_files(library, &areas);
    }
    FreeLibrary(library);
    if (g_failures == 0)
        printf("all checks passed\n");
    return g_failures == 0 ? 0 : 1;
}
