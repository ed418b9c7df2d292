/*
 * The enforced special settings on a DEVMODE of either form.
 */
#include "core/devmode_helpers/devmode_helpers.h"

#include "core/settings/settings.h"

/* The mode of opt_ApplySpecialSettings that writes the enforced items only. */
static const WORD kEnforcedOnly = 1;

BOOL WINAPI dm_ApplyEnforcedSettings(DriverContext *context, DriverDevmode *devmode, PrinterDataBlock *block)
{
    if (!context || !devmode || !context->special) {
        return TRUE;
    }
    DWORD bytes = (DWORD)devmode->dm.dmSize + devmode->dm.dmDriverExtra;
    if (bytes >= (DWORD)DM_FULL_SIZE) {
        opt_ApplySpecialSettings(context->special, devmode, block, kEnforcedOnly);
        return TRUE;
    }
    DriverDevmode *full = dm_AllocDevmode(0);
    if (!full) {
        return FALSE;
    }
    DWORD kept = bytes < (DWORD)DM_SHORT_SIZE ? bytes : (DWORD)DM_SHORT_SIZE;
    memcpy(full, devmode, kept);
    opt_ApplySpecialSettings(context->special, full, block, kEnforcedOnly);
    memcpy(devmode, full, kept);
    GlobalFree(full);
    return TRUE;
}
