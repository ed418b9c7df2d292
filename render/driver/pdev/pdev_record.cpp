/*
 * The PDEV record: signature check, the page buffer, the carried word and the
 * job-identifier slot.
 */
#include "render/driver/pdev/pdev.h"

// Halftone pattern sizes by the lowest resolution they start at, largest first.
typedef struct HalftoneStep {
    ULONG fromResolution;
    ULONG size;
} HalftoneStep;

static const HalftoneStep kHalftoneSteps[] = {
    {2400, 15},
    {1800, 13},
    {1200, 11},
    {900, 9},
    {400, 7},
    {180, 5},
};
static const ULONG kSmallestHalftoneSize = 3;
static const DWORD kPageBufferResetState = 3;

// pdev_ClearCarryWord: see pdev.h.
void WINAPI pdev_ClearCarryWord(PDEV *pdev)
{
    if (pdev != NULL) {
        pdev->carryWord = 0;
    }
}

// pdev_FromSurface: see pdev.h.
PDEV *WINAPI pdev_FromSurface(const SURFOBJ *pso)
{
    return pso != NULL ? (PDEV *)pso->dhpdev : NULL;
}

// pdev_GetHalftonePatternSize: see pdev.h.
ULONG WINAPI pdev_GetHalftonePatternSize(ULONG resolutionX, ULONG resolutionY, BOOL reduce)
{
    ULONG n = resolutionX < resolutionY ? resolutionX : resolutionY;
    ULONG size = kSmallestHalftoneSize;
    for (const HalftoneStep &step : kHalftoneSteps) {
        if (n >= step.fromResolution) {
            size = step.size;
            break;
        }
    }
    return reduce ? size - 2 : size;
}

// pdev_InitModuleSlot: see pdev.h.
LONG WINAPI pdev_InitModuleSlot(PDEV *pdev, DWORD jobId)
{
    if (pdev != NULL) {
        pdev->job.jobIdSlot = jobId;
    }
    return 0;
}

// pdev_IsValid: see pdev.h.
BOOL WINAPI pdev_IsValid(const PDEV *pdev)
{
    return pdev != NULL && pdev->signature == PDEV_SIGNATURE && pdev->signatureEnd == PDEV_SIGNATURE;
}

// pdev_ResetPageBuffer: see pdev.h.
void WINAPI pdev_ResetPageBuffer(PDEV *pdev)
{
    if (pdev == NULL) {
        return;
    }
    PageBuffer *page = &pdev->pageBuffer;
    page->state = kPageBufferResetState;
    page->rect = RECTL{0, 0, 0, 0};
    if (page->buffer != NULL) {
        HeapFree(pdev->heap, 0, page->buffer);
        page->buffer = NULL;
    }
    page->size = 0;
    page->used = 0;
}
