/*
 * Fuzz entry of the DEVMODE access library's settings file reader: any bytes as the file
 * the handle's settings-file path names, read back through DMA_ReplaceDocProp: first the
 * size query, then into buffers of exactly the sizes it answered. A file is either
 * malformed or its blocks are copied whole, in the order and sizes they stand in the file.
 *
 * Seeds: settings files as the driver writes them (with info blocks, with a fax list of
 * one destination) and one with an older, shorter "NDEV001" block, which the library
 * refuses.
 */
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <vector>

#include "devmode_access/dma_private.h"
#include "testing/fuzz/fuzz_support.h"

static const WCHAR kSettingsFile[] = TEXT("C:\\fuzz\\dma_settings.dat");

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    if (size > 0x40000)
        return 0;
    static DriverDevmode devmode;
    static PrinterDataBlock block;
    static BOOL ready;
    if (!ready) {
        CreateDirectoryW(TEXT("C:\\fuzz"), NULL);
        const WCHAR *path = kSettingsFile;
        if (dma_SetValue(FID_SETTINGS_FILE, &devmode, &block, VT_STRING, sizeof(kSettingsFile), &path) != SST_OK)
            fuzz_Fail("dma_settings_file", "the settings-file path could not be set");
        ready = TRUE;
    }
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    if (!fuzz_WriteFile(kSettingsFile, data, (DWORD)size))
        fuzz_Fail("dma_settings_file", "the settings file could not be written");
    DmaSettingsSet handle;
    memset(&handle, 0, sizeof(handle));
    handle.devmode = &devmode;
    handle.printerData = &block;
    DmaDocPropBlocks query;
    memset(&query, 0, sizeof(query));
    LONG result = DMA_ReplaceDocProp(&handle, &query);
    if (result == DMA_MORE_DATA) {
        // Buffers of exactly the answered sizes (one byte where a size is 0) take the file.
        std::vector<BYTE> ndev(query.ndevSize + 1), vqb(query.vqbSize + 1), fax(query.faxSize + 1),
            sp(query.spSize + 1);
        DmaDocPropBlocks blocks = {
            ndev.data(), query.ndevSize, vqb.data(), query.vqbSize, fax.data(), query.faxSize, sp.data(), query.spSize};
        if (DMA_ReplaceDocProp(&handle, &blocks) != DMA_SUCCESS)
            fuzz_Fail("dma_settings_file", "buffers of the answered sizes were refused");
        DWORD total = blocks.ndevSize + blocks.vqbSize + blocks.spSize + blocks.faxSize;
        if (total != size || memcmp(ndev.data(), data, blocks.ndevSize) != 0 ||
            memcmp(fax.data(), data + size - blocks.faxSize, blocks.faxSize) != 0)
            fuzz_Fail("dma_settings_file", "the blocks copied are not the file's");
    } else if (result != DMA_FILE_MALFORMED) {
        fuzz_Fail("dma_settings_file", "a file is either read or malformed");
    }
    DeleteFileW(kSettingsFile);
    fuzz_CheckCounts("dma_settings_file", &before);
    return 0;
}
