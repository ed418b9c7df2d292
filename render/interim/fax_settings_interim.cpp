// Fax job settings: the send list and the job's fax state are not read by this driver
// yet, so a fax send list is refused.
#include "render/driver/job/job_control.h"

LONG WINAPI jc_LoadFaxSendList(PDEV *, const void *, DWORD)
{
    return -1;
}

LONG WINAPI jc_ReadFaxJobSettings(PDEV *)
{
    return -1;
}
