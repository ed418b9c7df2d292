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

typedef DmaResult(WINAPI *GetValueFn)(DmaSettingsSet *, WORD, DWORD *);
typedef DmaResult(WINAPI *SetValueFn)(DmaSettingsSet *, WORD, DWORD);
typedef DmaResult(WINAPI *GetStringFn)(DmaSettingsSet *, WORD, char *, DWORD *);
typedef DmaResult(WINAPI *SetStringFn)(DmaSettingsSet *, WORD, const char *, DWORD);
typedef DmaResult(WINAPI *GetFontFn)(DmaSettingsSet *, WORD, LOGFONTA *, DWORD *);
typedef DmaResult(WINAPI *SetFontFn)(DmaSettingsSet *, WORD, const LOGFONTA *, DWORD);
typedef DmaResult(WINAPI *SetFaxCountFn)(DmaSettingsSet *, LONG, BOOL);
typedef DmaResult(WINAPI *GetFaxCountFn)(const void *, WORD *);

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

int main(void)
{
    static const UINT pages[] = {1252, 932};
    HMODULE library = LoadLibraryW(TEXT("qmkelvdm.dll"));
    CHECK(library != NULL);
    if (library == NULL)
        return 1;
    CHECK(find_def_names(library) >= 14);
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
    FreeLibrary(library);
    if (g_failures == 0)
        printf("all checks passed\n");
    return g_failures == 0 ? 0 : 1;
}
