/*
 * Interim document monitor: no job is registered with it, so there is no session to run or end (0).
 */
#include "render/driver/job/job_control.h"

LONG WINAPI jc_RunMonitorSession(PDEV *)
{
    return 0;
}

LONG WINAPI jc_EndMonitorSession(PDEV *)
{
    return 0;
}
