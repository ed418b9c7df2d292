/*
 * The further exports of "advapi32.dll" that outside libraries bind beside CryptoAPI
 * (event log, services, security descriptors). The host offers none of these services:
 * each fails with ERROR_CALL_NOT_IMPLEMENTED. Parameters keep their documented count, so
 * that a caller's stack stays balanced.
 */
#include <windows.h>

namespace {

BOOL not_implemented()
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}

HANDLE no_handle()
{
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return nullptr;
}

} // namespace

extern "C" {

BOOL WINAPI CloseEventLog(HANDLE)
{
    return not_implemented();
}
HANDLE WINAPI OpenEventLogA(LPCSTR, LPCSTR)
{
    return no_handle();
}
BOOL WINAPI ReportEventA(HANDLE, WORD, WORD, DWORD, LPVOID, WORD, DWORD, LPCSTR *, LPVOID)
{
    return not_implemented();
}
BOOL WINAPI DeregisterEventSource(HANDLE)
{
    return not_implemented();
}
HANDLE WINAPI RegisterEventSourceA(LPCSTR, LPCSTR)
{
    return no_handle();
}
BOOL WINAPI CloseServiceHandle(HANDLE)
{
    return not_implemented();
}
BOOL WINAPI ControlService(HANDLE, DWORD, LPVOID)
{
    return not_implemented();
}
HANDLE WINAPI CreateServiceA(HANDLE, LPCSTR, LPCSTR, DWORD, DWORD, DWORD, DWORD, LPCSTR, LPCSTR, LPDWORD, LPCSTR,
                             LPCSTR, LPCSTR)
{
    return no_handle();
}
BOOL WINAPI DeleteService(HANDLE)
{
    return not_implemented();
}
HANDLE WINAPI OpenSCManagerA(LPCSTR, LPCSTR, DWORD)
{
    return no_handle();
}
HANDLE WINAPI OpenServiceA(HANDLE, LPCSTR, DWORD)
{
    return no_handle();
}
BOOL WINAPI QueryServiceStatus(HANDLE, LPVOID)
{
    return not_implemented();
}
HANDLE WINAPI RegisterServiceCtrlHandlerA(LPCSTR, LPVOID)
{
    return no_handle();
}
BOOL WINAPI SetServiceStatus(HANDLE, LPVOID)
{
    return not_implemented();
}
BOOL WINAPI StartServiceCtrlDispatcherA(const void *)
{
    return not_implemented();
}
BOOL WINAPI InitializeSecurityDescriptor(LPVOID, DWORD)
{
    return not_implemented();
}
BOOL WINAPI SetSecurityDescriptorDacl(LPVOID, BOOL, LPVOID, BOOL)
{
    return not_implemented();
}

} // extern "C"
