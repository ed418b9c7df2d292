/*
 * Values and helpers the page files share.
 */
#ifndef QM_RENDER_DRIVER_PAGE_PAGE_PRIVATE_H
#define QM_RENDER_DRIVER_PAGE_PAGE_PRIVATE_H

#include <windows.h>

#include "render/driver/pdev/pdev.h"

// Resolution taken when the job's resolution is not positive.
#define PAGE_DEFAULT_RESOLUTION 600

// Page-state bits that must all be set for a page command to be written.
#define PAGE_STATE_SHEET_WRITABLE (PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN | PAGE_STATE_SHEET_OPEN)

// page_Resolution: value, or PAGE_DEFAULT_RESOLUTION when it is not positive.
LONG page_Resolution(LONG value);

// page_IsRecording: the page being recorded carries all bits of flags (0x8001 and the
// command's bit).
inline BOOL page_IsRecording(const PDEV *pdev, WORD flags)
{
    return (pdev->job.recordWord & flags) == flags;
}

// page_OutputBegun: the job's output has begun (page-state bit 0x2).
inline BOOL page_OutputBegun(const PDEV *pdev)
{
    return (pdev->job.pageState & PAGE_STATE_OUTPUT_BEGUN) != 0;
}

// page_ReadSetting: a numeric setting of the job's settings as a signed value. value: out,
// 0 when the setting cannot be read. Returns TRUE when it was read.
BOOL page_ReadSetting(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, LONG *value);

#endif /* QM_RENDER_DRIVER_PAGE_PAGE_PRIVATE_H */
