/*
 * Stand-in for job control's fax settings: counts the fax send lists handed to it and
 * answers the value a test sets; the job's fax settings are refused.
 */
#include "render/driver/escape/tests/fax_standin.h"
#include "render/driver/job/job_control.h"

namespace escape_test {
LONG g_FaxListAnswer = -1;
int g_FaxListsLoaded = 0;
} // namespace escape_test

LONG WINAPI jc_LoadFaxSendList(PDEV *, const void *, DWORD)
{
    ++escape_test::g_FaxListsLoaded;
    return escape_test::g_FaxListAnswer;
}

LONG WINAPI jc_ReadFaxJobSettings(PDEV *)
{
    return -1;
}
