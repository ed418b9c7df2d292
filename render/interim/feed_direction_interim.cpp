/*
 * Interim feed-direction test: no page is turned for its tray (0).
 */
#include "render/driver/job/job_control.h"

DWORD WINAPI jc_IsPageTurnNeeded(PDEV *)
{
    return 0;
}
