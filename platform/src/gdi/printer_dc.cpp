/*
 * Printer DCs of the host build: the DC of a print job, bound to the render driver's escape
 * entry and the device's current surface. ExtEscape on it hands the escape to the driver
 * as GDI does: the payload pointers unchanged, the driver's answer unchanged.
 */
#include "platform/src/gdi/gdi_private.h"

using namespace qmg;

extern "C" {

/* qmh_CreatePrinterDC: see qmhost_engine.h. */
HDC qmh_CreatePrinterDC(QMH_ESCAPE_ENTRY escape, SURFOBJ *surface)
{
    if (!escape) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    PrinterDc *dc = new PrinterDc();
    dc->kind = kPrinterDc;
    dc->stock = false;
    dc->escape = escape;
    dc->surface = surface;
    if (!Register(dc)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return reinterpret_cast<HDC>(dc);
}

/* qmh_SetPrinterDCSurface: see qmhost_engine.h. */
BOOL qmh_SetPrinterDCSurface(HDC hdc, SURFOBJ *surface)
{
    std::lock_guard<std::recursive_mutex> guard(Lock());
    PrinterDc *dc = static_cast<PrinterDc *>(Find(hdc, kPrinterDc));
    if (!dc) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    dc->surface = surface;
    return TRUE;
}

/* The driver's answer for a printer DC: its ULONG result read as int, so 0xFFFFFFFF is -1.
 * A negative size is refused (-1, ERROR_INVALID_PARAMETER) before the driver sees it. A
 * display DC answers 0 (no driver escapes there); any other handle 0 with
 * ERROR_INVALID_HANDLE. The driver is called without the GDI lock: it may call back into
 * GDI and the engine. */
int WINAPI ExtEscape(HDC hdc, int iEscape, int cjInput, LPCSTR lpInData, int cjOutput, LPSTR lpOutData)
{
    CountCall();
    QMH_ESCAPE_ENTRY escape = nullptr;
    SURFOBJ *surface = nullptr;
    {
        std::lock_guard<std::recursive_mutex> guard(Lock());
        if (const PrinterDc *dc = static_cast<const PrinterDc *>(Find(hdc, kPrinterDc))) {
            escape = dc->escape;
            surface = dc->surface;
        }
    }
    if (!escape) {
        if (!Find(hdc, kDc) && !IsDisplayDC(hdc)) {
            SetLastError(ERROR_INVALID_HANDLE);
        }
        return 0;
    }
    if (cjInput < 0 || cjOutput < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    ULONG answer = escape(surface, (ULONG)iEscape, (ULONG)cjInput, (PVOID)lpInData, (ULONG)cjOutput, lpOutData);
    return (int)answer;
}

} // extern "C"
