/*
 * The entry routine of qmkelvim.dll.
 */
#include <windows.h>

#include "core/util/module.h"
#include "render/driver/binding/dma_binding.h"

// DllMain: on process attach keeps the instance handle and sends every setting access
// through the DEVMODE access library; TRUE for every reason.
extern "C" __attribute__((visibility("default"))) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) {
        util_SetModuleHandle(instance);
        dma_RouteSettingsToLibrary();
    }
    return TRUE;
}

// trc_GetLogFileName: the render driver's trace log file.
extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\DDI_UM_TRACE_LOG.txt");
}
