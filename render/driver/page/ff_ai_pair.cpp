/*
 * The 'FF'/'AI' pair written at the start of every logical page, cover sheets included.
 */
#include "render/driver/page/page_setup.h"

#include "render/pdl/writer/pdl_writer.h"

LONG pg_WriteFFAndAI(PDEV *pdev)
{
    if (pdev == NULL || pdev->job.writer == NULL) {
        return -1;
    }
    const PageSetupSnapshot *snapshot = &pdev->job.setup.snapshot;
    LONG result = 0;
    if (snapshot->ffFlag != -1 && pdl_SetFF(pdev->job.writer, snapshot->ffFlag, 0) != 0) {
        result = -1;
    }
    if (snapshot->aiFlag != -1 && pdl_SetAI(pdev->job.writer, snapshot->aiFlag) != 0) {
        result = -1;
    }
    return result;
}
