/*
 * The device surface of a PDEV: 24 bits per pixel over the printable area of the page.
 */
#include "core/settings/function_ids.h"
#include "core/trace/trace.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/entry/entry.h"
#include "render/driver/forms/pdev_paper.h"
#include "render/driver/job/job_control.h"

// The drawing calls GDI hands to the driver: BITBLT, STRETCHBLT, TEXTOUT, STROKEPATH,
// FILLPATH, STROKEANDFILLPATH, COPYBITS, STRETCHBLTROP.
static const FLONG kSurfaceHooks = 0x24EB;

extern "C" {

HSURF WINAPI DrvEnableSurface(DHPDEV dhpdev)
{
    trc_WriteEnter(TEXT("DrvEnableSurface"));
    PDEV *pdev = (PDEV *)dhpdev;
    HSURF surface = NULL;
    if (!pdev_IsValid(pdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    } else {
        DWORD resolution = pdev_GetSetting32(pdev, FID_PRINT_QUALITY);
        const PaperDescription *paper = &pdev->paper[0];
        SIZEL size;
        size.cx = pdev_UnitsToPixels(paper->right - paper->left, resolution);
        size.cy = pdev_UnitsToPixels(paper->bottom - paper->top, resolution);
        surface = EngCreateDeviceSurface((DHSURF)pdev, size, BMF_24BPP);
        if (surface != NULL && !EngAssociateSurface(surface, pdev->hdev, kSurfaceHooks)) {
            EngDeleteSurface(surface);
            surface = NULL;
        }
        pdev->surface = surface;
        if (surface != NULL) {
            jc_PrepareSurfaceSettings(pdev);
        }
    }
    ent_TraceExitHex(TEXT("DrvEnableSurface"), (ULONG_PTR)surface);
    return surface;
}

void WINAPI DrvDisableSurface(DHPDEV dhpdev)
{
    trc_WriteEnter(TEXT("DrvDisableSurface"));
    PDEV *pdev = (PDEV *)dhpdev;
    if (!pdev_IsValid(pdev)) {
        SetLastError(ERROR_INVALID_PARAMETER);
    } else if (pdev->surface != NULL) {
        EngDeleteSurface(pdev->surface);
        pdev->surface = NULL;
    }
    ent_TraceExitBare(TEXT("DrvDisableSurface"));
}

} // extern "C"
