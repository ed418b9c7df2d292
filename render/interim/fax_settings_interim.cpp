/*
 * Interim fax job settings: fax send lists are not read yet, so a list and the job's fax settings are refused (-1).
 */
#include "render/driver/job/job_control.h"

LONG WINAPI jc_LoadFaxSendList(PDEV *, const void *, DWORD)
{
    return -1;
}

LONG WINAPI jc_ReadFaxJobSettings(PDEV *)
{
    return -1;
}
