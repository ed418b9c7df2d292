// Helpers of the escape handlers: buffer checks, little-endian reads and writes, the kept
// payload copies and the page-state counters the escapes report.
#include "render/driver/escape/escape_private.h"

#include <string.h>

BOOL esc_HasInput(const EscapeCall *call, ULONG size)
{
    return call->in != NULL && call->cjIn >= size;
}

BOOL esc_HasReply(const EscapeCall *call, ULONG size)
{
    return call->out != NULL && call->cjOut >= size;
}

WORD esc_ReadWord(const BYTE *data, ULONG offset)
{
    WORD value;
    memcpy(&value, data + offset, sizeof(value));
    return value;
}

DWORD esc_ReadLong(const BYTE *data, ULONG offset)
{
    DWORD value;
    memcpy(&value, data + offset, sizeof(value));
    return value;
}

void esc_WriteWord(BYTE *data, ULONG offset, WORD value)
{
    memcpy(data + offset, &value, sizeof(value));
}

void esc_WriteLong(BYTE *data, ULONG offset, DWORD value)
{
    memcpy(data + offset, &value, sizeof(value));
}

LONG esc_ReplyLong(const EscapeCall *call, DWORD value)
{
    if (!esc_HasReply(call, sizeof(DWORD))) return ESC_FAIL;
    esc_WriteLong(call->out, 0, value);
    return 1;
}

BOOL esc_IsPageActive(const PDEV *pdev)
{
    const WORD active = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN | PAGE_STATE_SHEET_OPEN;
    return (pdev->job.pageState & active) == active;
}

LONG esc_KeepBlock(PDEV *pdev, int slot, const BYTE *data, ULONG size)
{
    EscapeBlock *block = &pdev->job.escape.blocks[slot];
    if (block->data != NULL) GlobalFree(block->data);
    block->data = NULL;
    block->size = 0;
    if (size == 0) return 1;
    void *copy = GlobalAlloc(GMEM_FIXED, size);
    if (copy == NULL) return ESC_FAIL;
    memcpy(copy, data, size);
    block->data = copy;
    block->size = size;
    return 1;
}

// The counters: the logical pages counted in the job, the sheet sides output and the
// current page number of the page state.
WORD esc_LogicalPageCounter(const PDEV *pdev)
{
    return (WORD)pdev->job.logicalPages;
}

WORD esc_SheetCounter(const PDEV *pdev)
{
    return (WORD)pdev->job.setup.sidesOutput;
}

WORD esc_PageWord(const PDEV *pdev)
{
    return pdev->job.control.counters.currentPage;
}

extern "C" void WINAPI esc_ReleaseKept(PDEV *pdev)
{
    if (pdev == NULL) return;
    EscapeState *escape = &pdev->job.escape;
    for (int slot = 0; slot < ESC_BLOCK_COUNT; ++slot) esc_KeepBlock(pdev, slot, NULL, 0);
    for (void *&part : escape->jobInfoParts) {
        if (part != NULL) GlobalFree(part);
        part = NULL;
    }
    escape->jobInfoHeld = 0;
    if (pdev->job.attrSets != NULL) GlobalFree(pdev->job.attrSets);
    pdev->job.attrSets = NULL;
    pdev->job.attrSetsSize = 0;
}
