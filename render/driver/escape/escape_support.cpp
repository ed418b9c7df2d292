/*
 * Helpers of the escape handlers: buffer checks, little-endian reads and writes and the
 * page-state counters the escapes report.
 */
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
    if (!esc_HasReply(call, sizeof(DWORD)))
        return ESC_FAIL;
    esc_WriteLong(call->out, 0, value);
    return 1;
}

BOOL esc_IsPageActive(const PDEV *pdev)
{
    const WORD active = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN | PAGE_STATE_SHEET_OPEN;
    return (pdev->job.pageState & active) == active;
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
