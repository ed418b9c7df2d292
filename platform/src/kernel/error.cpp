/* Thread-local last error. */
#include <windows.h>

static thread_local DWORD g_last_error = ERROR_SUCCESS;

extern "C" DWORD WINAPI GetLastError(void)
{
    return g_last_error;
}

extern "C" void WINAPI SetLastError(DWORD dwErrCode)
{
    g_last_error = dwErrCode;
}
