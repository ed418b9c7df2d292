/*
 * The page values of the image hook: what job control keeps of each page size for the
 * hook, and the page's size in dots the hook's pages are written at.
 */
#include "render/driver/hook/image_hook.h"

#include "render/driver/binding/pdev_settings.h"
#include "render/stream/output_stream.h"

// The resolution the hook's pages are written at.
static const WORD kResolutionSetting = 20;

void hook_PageDots(PDEV *pdev, DWORD *width, DWORD *height)
{
    DWORD resolution = pdev_GetSetting32(pdev, kResolutionSetting);
    const PaperRecord &paper = pdev->job.setup.page.output;
    *width = (DWORD)((ULONGLONG)resolution * paper.width / 254);
    *height = (DWORD)((ULONGLONG)resolution * paper.length / 254);
}

void hook_StorePageSize(PDEV *pdev, BYTE colorCode, BYTE trayCode, BYTE paperCode, const float size[2], float dots[2])
{
    HookPageParams &page = pdev->job.stream->hook.page;
    page.colorCode = colorCode;
    page.trayCode = trayCode;
    page.paperCode = paperCode;
    page.width = (WORD)(size[0] * 10.0f + 0.5f);
    page.length = (WORD)(size[1] * 10.0f + 0.5f);
    DWORD width = 0;
    DWORD height = 0;
    hook_PageDots(pdev, &width, &height);
    dots[0] = (float)width;
    dots[1] = (float)height;
}
