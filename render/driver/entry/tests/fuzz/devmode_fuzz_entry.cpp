/*
 * Fuzz entry of the DEVMODE the driver accepts: any bytes as the DEVMODE an application
 * hands to GDI. GDI passes the driver a buffer of exactly the size the DEVMODE claims
 * (dmSize + dmDriverExtra), so an input shorter than its claim is passed over. The render
 * driver gets it as GDI gives it: DrvEnablePDEV on the sample printer (size, trailer,
 * paper, forms, margins, fonts, GDIINFO and DEVINFO from its settings), then, for a PDEV
 * made, DrvCompletePDEV, DrvEnableSurface, every setting read through the bound DEVMODE
 * access library, and the PDEV disabled. A claimed size holding the full driver DEVMODE
 * is also read as programs read theirs, through the DMA_* exports (numbers, texts, log
 * fonts of every public identifier).
 *
 * Seeds: the sample model's default DEVMODE with its trailer as the user-interface DLL
 * hands it over, in the variants of the PDEV tests (A4, landscape with a scale, a form
 * name, a paper of its own size, the device paper list), and the public part alone.
 */
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <windows.h>
#include <winddi.h>

#include "core/settings/dmaid.h"
#include "core/settings/settings.h"
#include "devmode_access/include/qmkelvdm.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/entry/tests/fuzz/pdev_fuzz_fixture.h"

// The trace log of this program, should a configuration turn the trace on.
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\devmode_fuzz.log");
}

// Reads every setting of the PDEV as the job code does, through the binding.
static void devmode_ReadSettings(PDEV *pdev)
{
    for (WORD group = 0;; ++group) {
        DWORD count = 0;
        const SettingDescriptor *descriptors = NULL;
        if (!opt_GetSettingGroup(&count, NULL, &descriptors, group))
            break;
        for (DWORD i = 0; i < count; ++i) {
            WORD functionId = (WORD)descriptors[i].functionId;
            const SettingLocation *row = dma_FindSettingRow(functionId, NULL);
            if (row && row->storedType == 6)
                dma_CountWideChars(pdev_GetSettingString(pdev, functionId), row->capacity / sizeof(WCHAR));
            else
                pdev_GetSetting32(pdev, functionId);
        }
    }
}

// One public identifier read from the program's copy of the full DEVMODE.
static void devmode_ReadPublic(DmaSettingsSet *set, WORD id)
{
    DWORD value = 0;
    DmaResult result = DMA_GetValue(set, id, &value);
    if (result == DMA_IS_STRING) {
        DWORD size = 0;
        if (DMA_GetStringData(set, id, NULL, &size) == DMA_MORE_DATA && size > 0 && size < 0x10000) {
            char *text = new char[size];
            DMA_GetStringData(set, id, text, &size);
            delete[] text;
        }
        size = 0;
        if (DMA_GetStringData_StrLength(set, id, NULL, &size) == DMA_MORE_DATA && size > 0 && size < 0x10000) {
            char *text = new char[size];
            DMA_GetStringData_StrLength(set, id, text, &size);
            delete[] text;
        }
    } else if (result == DMA_IS_LOGFONT) {
        LOGFONTA font;
        DWORD size = sizeof font;
        DMA_GetLogFontData(set, id, &font, &size);
    }
}

// Every public identifier read from a program's copy of the full DEVMODE.
static void devmode_ReadAsProgram(const BYTE *bytes)
{
    DriverDevmode *devmode = new DriverDevmode;
    memcpy(devmode, bytes, sizeof *devmode);
    PrinterDataBlock *block = new PrinterDataBlock;
    memset(block, 0, sizeof *block);
    DmaSettingsSet set;
    memset(&set, 0, sizeof set);
    set.devmode = devmode;
    set.printerData = block;
    for (const DmaIdRange *range = g_DmaIdRanges; range->pairs; ++range) {
        for (const DmaIdPair *pair = range->pairs; pair->publicId; ++pair)
            devmode_ReadPublic(&set, pair->publicId);
    }
    delete block;
    delete devmode;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    HANDLE printer = pdev_fuzz::Setup("devmode", NULL);
    WORD dmSize = 0;
    WORD dmDriverExtra = 0;
    if (size < offsetof(DEVMODEW, dmDriverExtra) + sizeof dmDriverExtra)
        return 0;
    memcpy(&dmSize, data + offsetof(DEVMODEW, dmSize), sizeof dmSize);
    memcpy(&dmDriverExtra, data + offsetof(DEVMODEW, dmDriverExtra), sizeof dmDriverExtra);
    size_t claimed = (size_t)dmSize + dmDriverExtra;
    if (claimed > size || claimed < offsetof(DEVMODEW, dmDriverExtra) + sizeof dmDriverExtra)
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    BYTE *devmode = new BYTE[claimed];
    memcpy(devmode, data, claimed);
    pdev_fuzz::Pdev made = pdev_fuzz::Enable(printer, (DEVMODEW *)devmode);
    if (made.pdev)
        devmode_ReadSettings((PDEV *)made.pdev);
    pdev_fuzz::Disable(&made);
    if (claimed >= sizeof(DriverDevmode))
        devmode_ReadAsProgram(devmode);
    delete[] devmode;
    fuzz_CheckCounts("devmode", &before);
    return 0;
}
