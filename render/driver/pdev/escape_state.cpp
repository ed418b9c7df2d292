/*
 * What the escapes keep for a job: the payload copies and their release.
 */
#include "render/driver/pdev/escape_state.h"

#include <string.h>

#include "render/driver/pdev/pdev.h"

LONG WINAPI esc_KeepBlock(PDEV *pdev, int slot, const BYTE *data, ULONG size)
{
    EscapeBlock *block = &pdev->job.escape.blocks[slot];
    if (block->data != NULL)
        GlobalFree(block->data);
    block->data = NULL;
    block->size = 0;
    if (size == 0)
        return 1;
    void *copy = GlobalAlloc(GMEM_FIXED, size);
    if (copy == NULL)
        return -1;
    memcpy(copy, data, size);
    block->data = copy;
    block->size = size;
    return 1;
}

void WINAPI esc_ReleaseKept(PDEV *pdev)
{
    if (pdev == NULL)
        return;
    EscapeState *escape = &pdev->job.escape;
    for (int slot = 0; slot < ESC_BLOCK_COUNT; ++slot)
        esc_KeepBlock(pdev, slot, NULL, 0);
    for (void *&part : escape->jobInfoParts) {
        if (part != NULL)
            GlobalFree(part);
        part = NULL;
    }
    escape->jobInfoHeld = 0;
    if (pdev->job.attrSets != NULL)
        GlobalFree(pdev->job.attrSets);
    pdev->job.attrSets = NULL;
    pdev->job.attrSetsSize = 0;
}
