/*
 * Host-only services of the graphics-engine area for the tools that play GDI on Linux
 * (printhost): the devices a driver's PDEVs are made for. Not part of the Windows API;
 * driver code never uses it.
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

#ifdef __cplusplus
}
#endif

#endif /* QM_QMHOST_ENGINE_H */
