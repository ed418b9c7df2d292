/*
 * Fuzz entry of the printer-data readers: any bytes as printer data of the sample
 * printer, written as records {u8 value, u16 length (little-endian), length bytes}, at
 * most 32 of them. The value byte picks a name (modulo the table below): the size value
 * (stored as REG_DWORD) or chunk 1-10 (REG_BINARY) of each chunked value the driver
 * reads. The stored blocks, every stored-value kind, the chunked values, the font
 * substitution table (sized, looked up and edited) and the printer-data block are then
 * read back as the driver reads them, and every value written is deleted.
 *
 * Seeds: printer data as the driver stores it for the sample model: the stored blocks
 * with a fax list, the printer-data block of the defaults, the font substitution table.
 */
#include <stddef.h>
#include <stdint.h>

#include <winspool.h>

#include "core/stored/tests/fuzz/stored_fuzz_fixture.h"

/* The chunked values: {size value, base of the chunk names}. */
static const struct {
    const WCHAR *sizeName;
    const WCHAR *base;
} kChunked[] = {
    {TEXT("N_DevSize"), TEXT("N_Dev")},
    {TEXT("VQBInfoSize"), TEXT("VQBInfo")},
    {TEXT("SPInfoSize"), TEXT("SPInfo")},
    {TEXT("FontSubTableSize"), TEXT("FontSubTable")},
    {TEXT("SysTTFontListSize"), TEXT("SysTTFontList")},
    {TEXT("PrinterDataSize"), TEXT("PrinterData")},
    {TEXT("UserSettingInfoSize"), TEXT("UserSettingInfo")},
    {TEXT("PaperMarginArraySize"), TEXT("PaperMarginArray")},
};
#define CHUNKED_COUNT (sizeof kChunked / sizeof kChunked[0])
/* Per chunked value: its size value and chunks 1-10. */
#define NAMES_PER_VALUE 11
#define NAME_COUNT (CHUNKED_COUNT * NAMES_PER_VALUE)
/* Every write rewrites the printer's stored values: an input writes at most this many. */
#define MAX_RECORDS 32

/* name: out (64 characters) the printer-data name of value n (0 .. NAME_COUNT - 1). */
static void data_Name(DWORD n, WCHAR *name)
{
    DWORD value = n / NAMES_PER_VALUE;
    DWORD part = n % NAMES_PER_VALUE;
    if (part == 0)
        lstrcpyW(name, kChunked[value].sizeName);
    else
        wsprintfW(name, TEXT("%s%d"), kChunked[value].base, (int)part);
}

/* Frees what a reader handed out, when it did. */
static void data_Free(void *block)
{
    if (block)
        GlobalFree(block);
}

/* The font substitution table as the render driver uses it. */
static void data_UseFontTable(const stored_fuzz::Fixture *fixture)
{
    WCHAR *table = pd_ReadFontSubTable(fixture->printer, 0);
    if (!table)
        return;
    pd_GetFontSubTableSize(table);
    pd_LookupFontSub(table, TEXT("Arial"));
    const WCHAR *edits[][2] = {{TEXT("Arial"), TEXT("Device")}, {TEXT("Arial"), NULL}, {TEXT("New Face"), TEXT("D")}};
    for (const auto &edit : edits)
        data_Free(pd_EditFontSubTable(table, edit[0], edit[1]));
    GlobalFree(table);
}

/* Everything the driver reads from printer data. */
static void data_ReadBack(const stored_fuzz::Fixture *fixture)
{
    DevmodeSecondPart second;
    void *faxList = NULL, *vqb = NULL, *sp = NULL;
    DWORD vqbSize = 0, spSize = 0;
    if (pd_LoadSettingsBlocks(fixture->printer,
                              fixture->context,
                              NULL,
                              STORE_PRINTER_DATA,
                              &faxList,
                              &second,
                              &vqb,
                              &vqbSize,
                              &sp,
                              &spSize)) {
        data_Free(faxList);
        data_Free(vqb);
        data_Free(sp);
    }
    for (DWORD kind = 0; kind < SVK_COUNT; ++kind) {
        DWORD total = 0;
        if (!pd_ReadStoredValue(fixture->printer, kind, NULL, &total))
            continue;
        BYTE *buffer = (BYTE *)GlobalAlloc(GPTR, total);
        DWORD read = total;
        if (buffer)
            pd_ReadStoredValue(fixture->printer, kind, buffer, &read);
        data_Free(buffer);
    }
    for (const auto &value : kChunked) {
        void *bytes = NULL;
        DWORD length = 0;
        if (pd_ReadChunkedValue(fixture->printer, &bytes, &length, value.base, value.sizeName))
            data_Free(bytes);
    }
    data_UseFontTable(fixture);
    PrinterDataBlock block;
    pd_LoadPrinterData(fixture->printer, &block, fixture->context);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    const stored_fuzz::Fixture *fixture = stored_fuzz::TheFixture("printer_data");
    if (size > 0x40000)
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    BYTE written[NAME_COUNT] = {};
    WCHAR name[64];
    size_t at = 0;
    for (int records = 0; records < MAX_RECORDS && at + 3 <= size; ++records) {
        DWORD n = data[at] % NAME_COUNT;
        DWORD length = (DWORD)data[at + 1] | (DWORD)data[at + 2] << 8;
        at += 3;
        if (length > size - at)
            length = (DWORD)(size - at);
        data_Name(n, name);
        DWORD type = n % NAMES_PER_VALUE == 0 ? REG_DWORD : REG_BINARY;
        if (SetPrinterDataW(fixture->printer, name, type, (BYTE *)data + at, length) == ERROR_SUCCESS)
            written[n] = 1;
        at += length;
    }
    data_ReadBack(fixture);
    for (DWORD n = 0; n < NAME_COUNT; ++n) {
        if (!written[n])
            continue;
        data_Name(n, name);
        if (DeletePrinterDataW(fixture->printer, name) != ERROR_SUCCESS)
            fuzz_Fail("printer_data", "a value written could not be deleted");
    }
    fuzz_CheckCounts("printer_data", &before);
    return 0;
}
