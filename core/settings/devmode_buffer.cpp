/*
 * DEVMODE buffers of the two forms: short (1604 bytes, form 1) and full (5872 bytes).
 */
#include "core/settings/settings.h"

#include <string.h>

DriverDevmode *WINAPI dm_AllocDevmode(WORD form)
{
    return (DriverDevmode *)GlobalAlloc(GPTR, dm_GetDevmodeSize(form));
}

LONG WINAPI dm_ClearDevmode(DriverDevmode *devmode, WORD form)
{
    if (devmode != nullptr)
        memset(devmode, 0, dm_GetDevmodeSize(form));
    return 0;
}

BOOL WINAPI dm_CopyDevmode(DriverDevmode *destination, const DriverDevmode *source, WORD form)
{
    if (destination == nullptr || source == nullptr)
        return FALSE;
    memcpy(destination, source, dm_GetDevmodeSize(form));
    return TRUE;
}

DWORD WINAPI dm_GetDevmodeSize(WORD form)
{
    return form == DM_FORM_SHORT ? DM_SHORT_SIZE : DM_FULL_SIZE;
}

PrivateDevmode *WINAPI dm_GetPrivatePart(DriverDevmode *devmode)
{
    return devmode == nullptr ? nullptr : &devmode->priv;
}

DWORD WINAPI dm_GetShortDriverExtra(void)
{
    return DM_SHORT_SIZE - DM_PUBLIC_SIZE;
}
