/*
 * Fuzz entry of the configuration file readers: any bytes as the driver's configuration
 * file beside its modules (QM50BASE.cfg of the sample model) and as the trace
 * configuration file (qmkelv.cfg). Read as the driver reads them: the special settings of
 * the sample model's section (or "default") with the driver's name tables, applied to a
 * DEVMODE and printer-data block and queried per setting; the comment and other values of
 * the model's section; the trace flags and the ids of its "LOGOUT.DDMID=" lines. Both files
 * are removed after each input and the trace configuration read again (off).
 *
 * Seeds: the configuration texts of the configuration and trace tests, in ANSI and UTF-16.
 */
#include <stddef.h>
#include <stdint.h>

#include "core/config/config_file.h"
#include "core/config/special_settings.h"
#include "core/settings/settings.h"
#include "core/trace/trace.h"
#include "core/util/module.h"
#include "testing/fuzz/fuzz_support.h"

/* The trace log of this program; no input writes to it. */
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\config_fuzz.log");
}

static const WCHAR kConfigFile[] = FUZZ_MODULE_DIRECTORY TEXT("QM50BASE.cfg");
static const WCHAR kTraceFile[] = FUZZ_MODULE_DIRECTORY TEXT("qmkelv.cfg");
/* The sample model's name, and one without a section of its own. */
static const WCHAR *const kModels[] = {TEXT("Model 50-C/1"), TEXT("Model 70")};

/* Frees a string a reader handed out, when it did. */
static void config_Free(WCHAR *text)
{
    if (text)
        GlobalFree(text);
}

/* The special settings of a model, applied and queried as the driver does. */
static void config_SpecialSettings(LPCWSTR model)
{
    SpecialSettingsRequest request = {
        model, kConfigFile, g_SpecialItemNames, g_SpecialValueNames, g_SpecialSwitchNames};
    SpecialSettings *settings = cfg_ReadSpecialSettings(&request);
    if (!settings)
        return;
    DriverDevmode *devmode = dm_AllocDevmode(0);
    PrinterDataBlock *block = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    if (devmode && block) {
        opt_ApplySpecialSettings(settings, devmode, block, SPECIAL_APPLY_ALL);
        opt_ApplySpecialSettings(settings, devmode, block, SPECIAL_APPLY_ENFORCED);
    }
    for (const SpecialNameRow *row = g_SpecialItemNames; row->name[0] != 0; ++row) {
        SpecialFlagsRequest flags = {row->number, settings, 0};
        opt_GetSpecialSettingFlags(&flags);
        opt_IsSettingEnforced(settings, row->number);
        WORD type = 0;
        DWORD_PTR slot = 0;
        opt_GetSpecialSettingValue(settings, row->number, &type, &slot);
    }
    if (devmode)
        GlobalFree(devmode);
    if (block)
        GlobalFree(block);
    opt_FreeSpecialSettings(settings);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz_EnsureRoot();
    static HMODULE module = NULL;
    if (!module) {
        /* The sample's resource module stands in as the driver module: the files are read
         * from its directory. */
        module = fuzz_LoadModuleCopy(QM_SAMPLE_RESOURCE_MODULE, TEXT("qm50c1.xrs"));
        if (!module)
            fuzz_Fail("config", "the resource module could not be loaded");
        util_SetModuleHandle((HINSTANCE)module);
        trc_Initialize();
    }
    if (size > 0x40000)
        return 0;
    FuzzCounts before;
    fuzz_TakeCounts(&before);
    if (!fuzz_WriteFile(kConfigFile, data, (DWORD)size) || !fuzz_WriteFile(kTraceFile, data, (DWORD)size))
        fuzz_Fail("config", "the configuration files could not be written");

    for (LPCWSTR model : kModels) {
        config_SpecialSettings(model);
        config_Free(util_ReadConfigComment(model, kConfigFile));
        config_Free(cfg_GetModelValue(model, kConfigFile, TEXT("dmPaperSize")));
        WCHAR *block = cfg_ReadModelSection(kConfigFile, model);
        WCHAR *value = NULL;
        if (block && cfg_FindKey(1, TRUE, block, TEXT("bin.TRAY1="), &value))
            config_Free(value);
        config_Free(block);
    }
    cfg_SectionExists(kConfigFile, TEXT("DME,1"));

    trc_Initialize();
    trc_GetFlags();
    WORD ids[TRC_MAX_IDS];
    trc_GetIds(ids, TRC_MAX_IDS);

    DeleteFileW(kConfigFile);
    DeleteFileW(kTraceFile);
    trc_Initialize();
    fuzz_CheckCounts("config", &before);
    return 0;
}
