// The entry routine of qmkelvim.dll.
#include <windows.h>

#include "core/util/module.h"

// DllMain: keeps the instance handle on process attach; TRUE for every reason.
extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        util_SetModuleHandle(instance);
    }
    return TRUE;
}

// trc_GetLogFileName: the render driver's trace log file.
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\DDI_UM_TRACE_LOG.txt");
}
