/*
 * The module's instance handle and directory (module.h).
 */
#include "core/util/module.h"

/* Written once by the DLL entry routine, read afterwards. */
static HINSTANCE g_moduleInstance = NULL;

int util_GetModuleDirectory(WCHAR *buffer, DWORD size)
{
    if (!buffer || size < UTIL_MODULE_DIRECTORY_MIN_BYTES) {
        return 0;
    }
    DWORD chars = size / sizeof(WCHAR);
    buffer[0] = 0;
    DWORD length = GetModuleFileNameW(g_moduleInstance, buffer, chars);
    if (length == 0 || length >= chars) {
        buffer[0] = 0;
        return 0;
    }
    /* Cut after the last separator; a name without one has no directory to give. */
    DWORD cut = length;
    while (cut > 0 && buffer[cut - 1] != '\\' && buffer[cut - 1] != '/') {
        --cut;
    }
    if (cut == 0) {
        buffer[0] = 0;
        return 0;
    }
    buffer[cut - 1] = '\\';
    buffer[cut] = 0;
    return 1;
}

HINSTANCE util_GetModuleHandle(void)
{
    return g_moduleInstance;
}

void util_SetModuleHandle(HINSTANCE instance)
{
    g_moduleInstance = instance;
}
