/*
 * Printer DCs of CreateDCW: the printer opened, its render driver (GetPrinterDriverW level 2,
 * pDriverPath) enabled, then DrvEnablePDEV with the printer handle as hDriver,
 * DrvCompletePDEV and DrvEnableSurface; DeleteDC undoes them in reverse order. The driver is
 * always called without the GDI lock: it may call back into GDI and the engine.
 */
#include "platform/src/gdi/gdi_private.h"

#include <string.h>

#include <winspool.h>

namespace qmg {

typedef DHPDEV(WINAPI *EnablePdevProc)(DEVMODEW *pdm, LPWSTR pwszLogAddress, ULONG cPat, HSURF *phsurfPatterns,
                                       ULONG cjCaps, ULONG *pdevcaps, ULONG cjDevInfo, DEVINFO *pdi, HDEV hdev,
                                       LPWSTR pwszDeviceName, HANDLE hDriver);
typedef void(WINAPI *CompletePdevProc)(DHPDEV dhpdev, HDEV hdev);
typedef void(WINAPI *PdevProc)(DHPDEV dhpdev);
typedef HSURF(WINAPI *EnableSurfaceProc)(DHPDEV dhpdev);
typedef BOOL(WINAPI *EndDocProc)(SURFOBJ *pso, FLONG fl);

/* A spooler answer of the size protocol read into bytes; false when it fails. */
template <typename Call> static bool ReadSized(std::vector<BYTE> *bytes, Call call)
{
    DWORD needed = 0;
    call(nullptr, 0, &needed);
    if (needed == 0) {
        return false;
    }
    bytes->assign(needed, 0);
    return call(bytes->data(), needed, &needed) != FALSE;
}

/* The DEVMODE the PDEV is made with: the application's, else the printer's (its
 * PRINTER_INFO_2), copied whole with its private part; empty for none. */
static std::vector<BYTE> PdevDevmode(HANDLE printer, const DEVMODEW *devmode)
{
    std::vector<BYTE> info;
    if (!devmode && ReadSized(&info, [&](LPBYTE out, DWORD size, LPDWORD needed) {
            return GetPrinterW(printer, 2, out, size, needed);
        })) {
        devmode = reinterpret_cast<const PRINTER_INFO_2W *>(info.data())->pDevMode;
    }
    if (!devmode) {
        return std::vector<BYTE>();
    }
    const BYTE *bytes = reinterpret_cast<const BYTE *>(devmode);
    return std::vector<BYTE>(bytes, bytes + devmode->dmSize + devmode->dmDriverExtra);
}

/* The device half of a DC: PDEV, completion and surface. False when a step fails (the
 * caller disables what was made with DisableDevice). */
static bool EnableDevice(const PrinterDc *dc, std::vector<BYTE> *devmode, PrinterDevice *out)
{
    memset(out, 0, sizeof *out);
    EnablePdevProc enablePdev = (EnablePdevProc)(void *)DriverEntry(dc->driver, INDEX_DrvEnablePDEV);
    CompletePdevProc completePdev = (CompletePdevProc)(void *)DriverEntry(dc->driver, INDEX_DrvCompletePDEV);
    EnableSurfaceProc enableSurface = (EnableSurfaceProc)(void *)DriverEntry(dc->driver, INDEX_DrvEnableSurface);
    if (!enablePdev || !completePdev || !enableSurface) {
        SetLastError(ERROR_DLL_INIT_FAILED);
        return false;
    }
    out->hdev = qmh_CreateDevice();
    if (!out->hdev) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    std::u16string name = dc->name;
    out->pdev = enablePdev(devmode->empty() ? nullptr : reinterpret_cast<DEVMODEW *>(devmode->data()),
                           nullptr,
                           0,
                           nullptr,
                           sizeof out->gdiInfo,
                           reinterpret_cast<ULONG *>(&out->gdiInfo),
                           sizeof out->devInfo,
                           &out->devInfo,
                           out->hdev,
                           (LPWSTR)name.data(),
                           dc->printer);
    if (!out->pdev || !qmh_BindDevicePdev(out->hdev, out->pdev)) {
        SetLastError(ERROR_DLL_INIT_FAILED);
        return false;
    }
    completePdev(out->pdev, out->hdev);
    out->hsurf = enableSurface(out->pdev);
    out->surface = out->hsurf ? EngLockSurface(out->hsurf) : nullptr;
    if (!out->surface) {
        SetLastError(ERROR_DLL_INIT_FAILED);
        return false;
    }
    return true;
}

/* Disables what EnableDevice made, whatever step it reached. */
static void DisableDevice(const PrinterDriver *driver, PrinterDevice *device)
{
    if (device->surface) {
        EngUnlockSurface(device->surface);
    }
    if (device->hsurf) {
        if (PdevProc disable = (PdevProc)(void *)DriverEntry(driver, INDEX_DrvDisableSurface)) {
            disable(device->pdev);
        }
    }
    if (device->pdev) {
        if (PdevProc disable = (PdevProc)(void *)DriverEntry(driver, INDEX_DrvDisablePDEV)) {
            disable(device->pdev);
        }
    }
    if (device->hdev) {
        qmh_DeleteDevice(device->hdev);
    }
    memset(device, 0, sizeof *device);
}

/* Undoes what the creation made, whatever step it reached. */
static void TearDown(PrinterDc *dc)
{
    DisableDevice(dc->driver, &dc->device);
    dc->surface = nullptr;
    if (dc->driver) {
        ReleaseDriver(dc->driver);
        dc->driver = nullptr;
    }
    if (dc->printer) {
        ClosePrinter(dc->printer);
        dc->printer = nullptr;
    }
}

HDC CreatePrinterDC(LPCWSTR device, const DEVMODEW *devmode)
{
    PrinterDc *dc = new PrinterDc();
    dc->kind = kPrinterDc;
    dc->stock = false;
    dc->name = (const char16_t *)device;
    std::vector<BYTE> driverInfo;
    std::vector<BYTE> pdevDevmode;
    bool made = OpenPrinterW((LPWSTR)device, &dc->printer, nullptr) != FALSE;
    if (!made) {
        dc->printer = nullptr;
    } else if (!ReadSized(&driverInfo, [&](LPBYTE out, DWORD size, LPDWORD needed) {
                   return GetPrinterDriverW(dc->printer, nullptr, 2, out, size, needed);
               })) {
        SetLastError(ERROR_UNKNOWN_PRINTER_DRIVER);
        made = false;
    } else {
        dc->driver = AcquireDriver(reinterpret_cast<const DRIVER_INFO_2W *>(driverInfo.data())->pDriverPath);
        pdevDevmode = PdevDevmode(dc->printer, devmode);
        made = dc->driver && EnableDevice(dc, &pdevDevmode, &dc->device);
    }
    if (made) {
        ResetDcState(&dc->state, (LONG)dc->device.gdiInfo.ulLogPixelsX, (LONG)dc->device.gdiInfo.ulLogPixelsY);
        dc->surface = dc->device.surface;
        dc->escape = (QMH_ESCAPE_ENTRY)(void *)DriverEntry(dc->driver, INDEX_DrvEscape);
        made = Admit(dc);
        if (!made) {
            SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        }
    }
    if (!made) {
        DWORD error = GetLastError();
        TearDown(dc);
        delete dc;
        SetLastError(error);
        return nullptr;
    }
    return reinterpret_cast<HDC>(dc);
}

void DestroyPrinterDC(PrinterDc *dc)
{
    if (dc->job != 0) {
        if (EndDocProc endDoc = (EndDocProc)(void *)DriverEntry(dc->driver, INDEX_DrvEndDoc)) {
            endDoc(dc->surface, ED_ABORTDOC);
        }
        AbortPrinter(dc->printer);
        dc->job = 0;
    }
    TearDown(dc);
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        ReleaseDcState(&dc->state);
    }
    delete dc;
}

typedef BOOL(WINAPI *ResetPdevProc)(DHPDEV dhpdevOld, DHPDEV dhpdevNew);
typedef BOOL(WINAPI *StartDocProc)(SURFOBJ *pso, LPWSTR pwszDocName, DWORD dwJobId);

bool ResetPrinterDC(HDC hdc, const DEVMODEW *devmode)
{
    PrinterDc snapshot = PrinterDc();
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        const PrinterDc *dc = static_cast<const PrinterDc *>(Find(hdc, kPrinterDc));
        if (!dc || !dc->driver) {
            SetLastError(ERROR_INVALID_HANDLE);
            return false;
        }
        if (dc->inPage) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return false;
        }
        snapshot.driver = dc->driver;
        snapshot.printer = dc->printer;
        snapshot.name = dc->name;
        snapshot.device = dc->device;
        snapshot.job = dc->job;
        snapshot.document = dc->document;
    }
    std::vector<BYTE> pdevDevmode = PdevDevmode(snapshot.printer, devmode);
    PrinterDevice fresh;
    ResetPdevProc resetPdev = (ResetPdevProc)(void *)DriverEntry(snapshot.driver, INDEX_DrvResetPDEV);
    bool made = EnableDevice(&snapshot, &pdevDevmode, &fresh);
    if (made && resetPdev && !resetPdev(snapshot.device.pdev, fresh.pdev)) {
        SetLastError(ERROR_DLL_INIT_FAILED);
        made = false;
    }
    if (!made) {
        DWORD error = GetLastError();
        DisableDevice(snapshot.driver, &fresh);
        SetLastError(error);
        return false;
    }
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        PrinterDc *dc = static_cast<PrinterDc *>(Find(hdc, kPrinterDc));
        if (dc) {
            dc->device = fresh;
            dc->surface = fresh.surface;
        }
    }
    DisableDevice(snapshot.driver, &snapshot.device);
    /* Inside a document the new PDEV carries it on. */
    StartDocProc startDoc = (StartDocProc)(void *)DriverEntry(snapshot.driver, INDEX_DrvStartDoc);
    if (snapshot.job != 0 && (!startDoc || !startDoc(fresh.surface, (LPWSTR)snapshot.document.data(), snapshot.job))) {
        SetLastError(ERROR_CANCELLED);
        return false;
    }
    return true;
}

/* HORZSIZE and VERTSIZE: GDIINFO gives millimetres, or micrometres as a negative number. */
static int Millimetres(ULONG size)
{
    LONG value = (LONG)size;
    return value < 0 ? -value / 1000 : value;
}

int PrinterDeviceCaps(const PrinterDc *dc, int index)
{
    const GDIINFO &g = dc->device.gdiInfo;
    switch (index) {
    case DRIVERVERSION: return (int)g.ulVersion;
    case TECHNOLOGY: return (int)g.ulTechnology;
    case HORZSIZE: return Millimetres(g.ulHorzSize);
    case VERTSIZE: return Millimetres(g.ulVertSize);
    case HORZRES: return (int)g.ulHorzRes;
    case VERTRES: return (int)g.ulVertRes;
    case BITSPIXEL: return (int)g.cBitsPixel;
    case PLANES: return (int)g.cPlanes;
    case NUMCOLORS: return (int)g.ulNumColors;
    case TEXTCAPS: return (int)g.flTextCaps;
    case RASTERCAPS: return (int)g.flRaster;
    case ASPECTX: return (int)g.ulAspectX;
    case ASPECTY: return (int)g.ulAspectY;
    case ASPECTXY: return (int)g.ulAspectXY;
    case LOGPIXELSX: return (int)g.ulLogPixelsX;
    case LOGPIXELSY: return (int)g.ulLogPixelsY;
    case PHYSICALWIDTH: return (int)g.szlPhysSize.cx;
    case PHYSICALHEIGHT: return (int)g.szlPhysSize.cy;
    case PHYSICALOFFSETX: return (int)g.ptlPhysOffset.x;
    case PHYSICALOFFSETY: return (int)g.ptlPhysOffset.y;
    case SHADEBLENDCAPS: return (int)g.flShadeBlend;
    default: return 0;
    }
}

} // namespace qmg

extern "C" {

/* ResetDCW: the same DC on the new PDEV, or NULL (see ResetPrinterDC). */
HDC WINAPI ResetDCW(HDC hdc, const DEVMODEW *lpdm)
{
    qmg::CountCall();
    return qmg::ResetPrinterDC(hdc, lpdm) ? hdc : nullptr;
}

} // extern "C"
