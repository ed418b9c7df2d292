/*
 * The records the page commands store beside a recorded page (page store of the output
 * stream), read back by the page replay.
 */
#ifndef QM_RENDER_DRIVER_PAGE_PAGE_RECORDS_H
#define QM_RENDER_DRIVER_PAGE_PAGE_RECORDS_H

#include <windows.h>

#include "render/driver/pdev/job_blocks.h"
#include "render/driver/pdev/pdev.h"
#include "render/pdl/writer/matrix2x3.h"

// Page size (60 bytes): the size handed to the command, the output paper record, the
// page's source, page-size type, colour kind and duplex setting, and the three 'Ec'
// codes (colour, tray, paper).
struct PageSizeRecord {
    float size[2];
    PaperRecord paper;
    WORD source;
    WORD pageSizeType;
    LONG colorKind;
    LONG duplexSetting;
    BYTE codes[3];
    BYTE reserved[5];
};

// Page transform (72 bytes): the matrix (page to sheet, 1/72 inch), the three placement
// flags of the recording word (bits 0x40, 0x80, 0x100), the page paper record and the
// paper code of the page.
struct TransformRecord {
    Matrix2x3 matrix;
    LONG flags[3];
    PaperRecord paper;
    DWORD paperCode;
};

static_assert(sizeof(PageSizeRecord) == 60, "a page-size record is 60 bytes");
static_assert(sizeof(TransformRecord) == 72, "a transform record is 72 bytes");

// page_WritePageSizeCommand: the page-size command ('Ec', and 'AA' with a page-size type
// 1-4 from PDL version 0x01020006) without the job information's page record.
LONG page_WritePageSizeCommand(PDEV *pdev, BYTE colorCode, BYTE trayCode, BYTE paperCode, const float size[2],
                               LONG pageSizeType);

// page_WriteDeviceTransform: 'Aa' of matrix (1/72 inch) in device units.
LONG page_WriteDeviceTransform(PDEV *pdev, const Matrix2x3 *matrix);

#endif /* QM_RENDER_DRIVER_PAGE_PAGE_RECORDS_H */
