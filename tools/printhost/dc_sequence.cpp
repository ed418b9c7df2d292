/*
 * GDI's side of a printer DC: the render driver loaded and enabled once, then per DC the
 * PDEV, its completion and its surface, and the teardown in reverse order.
 */
#include "tools/printhost/print_host.h"

#include <string.h>

#include <winspool.h>

#include "platform/include/qmhost_engine.h"

// The engine version GDI announces to DrvEnableDriver.
static const ULONG kEngineVersion = 0x20000;

typedef BOOL(WINAPI *EnableDriverProc)(ULONG iEngineVersion, ULONG cj, DRVENABLEDATA *pded);
typedef DHPDEV(WINAPI *EnablePdevProc)(DEVMODEW *pdm, LPWSTR pwszLogAddress, ULONG cPat, HSURF *phsurfPatterns,
                                       ULONG cjCaps, ULONG *pdevcaps, ULONG cjDevInfo, DEVINFO *pdi, HDEV hdev,
                                       LPWSTR pwszDeviceName, HANDLE hDriver);
typedef void(WINAPI *CompletePdevProc)(DHPDEV dhpdev, HDEV hdev);
typedef void(WINAPI *DisablePdevProc)(DHPDEV dhpdev);
typedef HSURF(WINAPI *EnableSurfaceProc)(DHPDEV dhpdev);
typedef void(WINAPI *DisableSurfaceProc)(DHPDEV dhpdev);
typedef void(WINAPI *DisableDriverProc)(void);

PFN ph_DriverFunction(const DriverHost *host, ULONG index)
{
    for (ULONG i = 0; i < host->data.c; ++i) {
        if (host->data.pdrvfn[i].iFunc == index) {
            return host->data.pdrvfn[i].pfn;
        }
    }
    return NULL;
}

BOOL ph_LoadDriver(LPCWSTR name, DriverHost *host)
{
    memset(host, 0, sizeof *host);
    HMODULE module = LoadLibraryW(name);
    if (module == NULL) {
        return FALSE;
    }
    EnableDriverProc enable = (EnableDriverProc)(void *)GetProcAddress(module, "DrvEnableDriver");
    if (enable == NULL || !enable(kEngineVersion, sizeof host->data, &host->data)) {
        FreeLibrary(module);
        memset(host, 0, sizeof *host);
        return FALSE;
    }
    host->module = module;
    return TRUE;
}

void ph_UnloadDriver(DriverHost *host)
{
    if (host->module != NULL) {
        // DrvDisableDriver is exported by name, beside the table.
        DisableDriverProc disable = (DisableDriverProc)(void *)GetProcAddress(host->module, "DrvDisableDriver");
        if (disable != NULL) {
            disable();
        }
        FreeLibrary(host->module);
    }
    memset(host, 0, sizeof *host);
}

BOOL ph_CreateDc(const DriverHost *host, LPCWSTR printerName, DeviceContext *dc)
{
    dc->printer = NULL;
    dc->hdev = NULL;
    dc->pdev = NULL;
    dc->surface = NULL;
    memset(&dc->gdiInfo, 0, sizeof dc->gdiInfo);
    memset(&dc->devInfo, 0, sizeof dc->devInfo);
    EnablePdevProc enablePdev = (EnablePdevProc)(void *)ph_DriverFunction(host, INDEX_DrvEnablePDEV);
    CompletePdevProc completePdev = (CompletePdevProc)(void *)ph_DriverFunction(host, INDEX_DrvCompletePDEV);
    EnableSurfaceProc enableSurface = (EnableSurfaceProc)(void *)ph_DriverFunction(host, INDEX_DrvEnableSurface);
    if (enablePdev == NULL || completePdev == NULL || enableSurface == NULL) {
        return FALSE;
    }
    if (!OpenPrinterW((LPWSTR)printerName, &dc->printer, NULL)) {
        dc->printer = NULL;
        return FALSE;
    }
    dc->hdev = qmh_CreateDevice();
    if (dc->hdev != NULL && (!dc->devmode.empty() || ph_BuildJobDevmode(dc->printer, printerName, &dc->devmode))) {
        dc->pdev = enablePdev((DEVMODEW *)dc->devmode.data(),
                              NULL,
                              0,
                              NULL,
                              sizeof dc->gdiInfo,
                              (ULONG *)&dc->gdiInfo,
                              sizeof dc->devInfo,
                              &dc->devInfo,
                              dc->hdev,
                              (LPWSTR)printerName,
                              dc->printer);
    }
    if (dc->pdev != NULL && qmh_BindDevicePdev(dc->hdev, dc->pdev)) {
        completePdev(dc->pdev, dc->hdev);
        dc->surface = enableSurface(dc->pdev);
    }
    if (dc->surface == NULL) {
        ph_DeleteDc(host, dc);
        return FALSE;
    }
    return TRUE;
}

void ph_DeleteDc(const DriverHost *host, DeviceContext *dc)
{
    DisableSurfaceProc disableSurface = (DisableSurfaceProc)(void *)ph_DriverFunction(host, INDEX_DrvDisableSurface);
    DisablePdevProc disablePdev = (DisablePdevProc)(void *)ph_DriverFunction(host, INDEX_DrvDisablePDEV);
    if (dc->surface != NULL && disableSurface != NULL) {
        disableSurface(dc->pdev);
    }
    if (dc->pdev != NULL && disablePdev != NULL) {
        disablePdev(dc->pdev);
    }
    if (dc->hdev != NULL) {
        qmh_DeleteDevice(dc->hdev);
    }
    if (dc->printer != NULL) {
        ClosePrinter(dc->printer);
    }
    dc->surface = NULL;
    dc->pdev = NULL;
    dc->hdev = NULL;
    dc->printer = NULL;
}
