// Interim PDEV entry points until the PDEV lifecycle is built in render/driver/pdev/: no
// PDEV can be made yet, so DrvEnablePDEV refuses and the others find no valid PDEV.
#include <windows.h>
#include <winddi.h>

#include "core/trace/trace.h"
#include "render/driver/entry/entry.h"
#include "render/driver/pdev/pdev.h"

extern "C" {

DHPDEV WINAPI DrvEnablePDEV(DEVMODEW *, LPWSTR, ULONG, HSURF *, ULONG, ULONG *, ULONG, DEVINFO *, HDEV, LPWSTR,
                            HANDLE)
{
    trc_Initialize();
    trc_WriteEnter(TEXT("DrvEnablePDEV"));
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    ent_TraceExitHex(TEXT("DrvEnablePDEV"), 0);
    return NULL;
}

void WINAPI DrvCompletePDEV(DHPDEV dhpdev, HDEV)
{
    trc_WriteEnter(TEXT("DrvCompletePDEV"));
    if (!pdev_IsValid((PDEV *)dhpdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    ent_TraceExitBare(TEXT("DrvCompletePDEV"));
}

void WINAPI DrvDisablePDEV(DHPDEV dhpdev)
{
    trc_WriteEnter(TEXT("DrvDisablePDEV"));
    if (!pdev_IsValid((PDEV *)dhpdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    ent_TraceExitBare(TEXT("DrvDisablePDEV"));
}

HSURF WINAPI DrvEnableSurface(DHPDEV dhpdev)
{
    trc_WriteEnter(TEXT("DrvEnableSurface"));
    if (!pdev_IsValid((PDEV *)dhpdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    ent_TraceExitHex(TEXT("DrvEnableSurface"), 0);
    return NULL;
}

void WINAPI DrvDisableSurface(DHPDEV dhpdev)
{
    trc_WriteEnter(TEXT("DrvDisableSurface"));
    if (!pdev_IsValid((PDEV *)dhpdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    }
    ent_TraceExitBare(TEXT("DrvDisableSurface"));
}

BOOL WINAPI DrvResetPDEV(DHPDEV dhpdevOld, DHPDEV dhpdevNew)
{
    trc_WriteEnter(TEXT("DrvResetPDEV"));
    (void)dhpdevOld;
    (void)dhpdevNew;
    SetLastError(ERROR_INVALID_PARAMETER);
    ent_TraceExitInt(TEXT("DrvResetPDEV"), FALSE);
    return FALSE;
}

} // extern "C"
