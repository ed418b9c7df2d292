/*
 * Fuzz entry of the settings file reader: any bytes as a settings file (NDEV block, VQB
 * and SP info blocks, then an optional fax list), loaded through pd_LoadSettingsBlocks for
 * the sample printer keeping every block, then again parsing and dropping them. The file
 * is removed after each input.
 *
 * Seeds: settings files as the driver writes them for the sample model's defaults, with
 * info blocks, with a fax list of one destination, and with an older, shorter NDEV block.
 */
#include <stddef.h>
#include <stdint.h>

#include "core/stored/tests/fuzz/stored_fuzz_fixture.h"

static const WCHAR kSettingsFile[] = TEXT("C:\\fuzz\\settings.dat");

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    const stored_fuzz::Fixture *fixture = stored_fuzz::TheFixture("settings_file");
    if (size > 0x40000)
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    if (!fuzz_WriteFile(kSettingsFile, data, (DWORD)size))
        fuzz_Fail("settings_file", "the settings file could not be written");
    DevmodeSecondPart second;
    void *faxList = NULL, *vqb = NULL, *sp = NULL;
    DWORD vqbSize = 0, spSize = 0;
    if (pd_LoadSettingsBlocks(
            fixture->printer, fixture->context, kSettingsFile, 0, &faxList, &second, &vqb, &vqbSize, &sp, &spSize)) {
        if (faxList)
            GlobalFree(faxList);
        if (vqb)
            GlobalFree(vqb);
        if (sp)
            GlobalFree(sp);
    }
    pd_LoadSettingsBlocks(fixture->printer, fixture->context, kSettingsFile, 0, NULL, &second, NULL, NULL, NULL, NULL);
    DeleteFileW(kSettingsFile);
    fuzz_CheckCounts("settings_file", &before);
    return 0;
}
