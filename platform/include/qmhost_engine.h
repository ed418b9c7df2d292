/*
 * Host-only services of the graphics-engine area for the tools that play GDI on Linux
 * (printhost): the devices a driver's PDEVs are made for and the printer DC whose escapes
 * reach the driver. Not part of the Windows API; driver code never uses it.
 */
#ifndef QM_QMHOST_ENGINE_H
#define QM_QMHOST_ENGINE_H

#include <windows.h>
#include <winddi.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Makes a device handle to pass to DrvEnablePDEV and DrvCompletePDEV. */
HDEV qmh_CreateDevice(void);

/* Binds the driver's PDEV (from DrvEnablePDEV) to the device, so that EngAssociateSurface
 * can set the surface's dhpdev. FALSE for an unknown device. */
BOOL qmh_BindDevicePdev(HDEV hdev, DHPDEV dhpdev);

/* Forgets a device. FALSE for an unknown one. */
BOOL qmh_DeleteDevice(HDEV hdev);

/* The HOOK_* bits EngAssociateSurface recorded for a surface; 0 for an unknown one. */
FLONG qmh_SurfaceHooks(HSURF hsurf);

/* The render driver's escape entry, as DrvEnableDriver's table gives it (INDEX_DrvEscape). */
typedef ULONG(WINAPI *QMH_ESCAPE_ENTRY)(SURFOBJ *pso, ULONG iEsc, ULONG cjIn, PVOID pvIn, ULONG cjOut, PVOID pvOut);

/* A printer DC: ExtEscape on it calls escape with the surface. NULL (ERROR_INVALID_PARAMETER)
 * without an escape entry; ERROR_NOT_ENOUGH_MEMORY when refused. surface may be NULL until
 * the device has one. DeleteDC frees it. */
HDC qmh_CreatePrinterDC(QMH_ESCAPE_ENTRY escape, SURFOBJ *surface);

/* Rebinds the DC to the device's new surface (after ResetDC). FALSE (ERROR_INVALID_HANDLE)
 * for a handle that is not a printer DC. */
BOOL qmh_SetPrinterDCSurface(HDC hdc, SURFOBJ *surface);

#ifdef __cplusplus
}
#endif

#endif /* QM_QMHOST_ENGINE_H */
