/*
 * Loading and freeing system libraries by mode.
 */
#include "management/network/pmc_library_loader.h"

#include <cstring>

HMODULE pmc_load_library(const char *file_name, int mode)
{
    if (!file_name)
        return nullptr;
    if (mode == PMC_LOAD_PLAIN)
        return LoadLibraryA(file_name);
    if (mode == PMC_LOAD_ALTERED)
        return LoadLibraryExA(file_name, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    HMODULE module = LoadLibraryA(file_name);
    if (!module)
        module = LoadLibraryExA(file_name, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return module;
}

BOOL pmc_free_library(HMODULE module, int mode)
{
    if (mode == PMC_FREE_ALWAYS)
        return FreeLibrary(module);
    if (mode != PMC_FREE_NT_ONLY)
        return FALSE;
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof version);
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version))
        return FALSE;
    if (version.dwPlatformId != VER_PLATFORM_WIN32_NT)
        return TRUE;
    return FreeLibrary(module);
}
