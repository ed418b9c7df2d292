// The seams of job control: the state of a page with nothing drawn, until each area
// replaces its seam.
#include "render/pdl/images/image_queue.h"

LONG jcs_CreateImageQueue(PDEV *, DWORD)
{
    return 0;
}

LONG jcs_DestroyImageQueue(PDEV *)
{
    return 0;
}

LONG jcs_CreateRotationBuffer(PDEV *)
{
    return 0;
}

void jcs_FreeRotationBuffer(PDEV *)
{
}

LONG jcs_BindCompression(PDEV *, DWORD)
{
    return 0;
}

void jcs_UnbindCompression(PDEV *)
{
}

LONG jcs_InitPageColorSet(PDEV *)
{
    return 0;
}

LONG jcs_OpenColorSession(PDEV *)
{
    return 0;
}

LONG jcs_CloseColorSession(PDEV *)
{
    return 0;
}

LONG jcs_SelectFontTable(DWORD table)
{
    return table <= 1 ? 1 : 0;
}

DWORD jcs_IsPageTurnNeeded(PDEV *)
{
    return 0;
}

LONG jcs_RunMonitorSession(PDEV *)
{
    return 0;
}

LONG jcs_EndMonitorSession(PDEV *)
{
    return 0;
}

DWORD jcs_IsHookActive(const PDEV *)
{
    return 0;
}

DWORD jcs_HasMarkingData(const PDEV *)
{
    return 0;
}
