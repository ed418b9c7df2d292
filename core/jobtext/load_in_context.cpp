/*
 * Loading an outside DLL of the driver inside the activation context of its own manifest.
 */
#include "core/jobtext/job_attr.h"

/* The resource name of a DLL's own manifest. */
#define DLL_MANIFEST_RESOURCE 2

extern "C" HMODULE WINAPI util_LoadLibraryInContext(LPCWSTR path)
{
    if (path == NULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return NULL;
    }
    ACTCTXW request = {};
    request.cbSize = sizeof(request);
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = path;
    request.lpResourceName = MAKEINTRESOURCEW(DLL_MANIFEST_RESOURCE);
    HANDLE context = CreateActCtxW(&request);
    if (context == INVALID_HANDLE_VALUE)
        return LoadLibraryW(path);
    ULONG_PTR cookie = 0;
    BOOL active = ActivateActCtx(context, &cookie);
    HMODULE module = LoadLibraryW(path);
    DWORD error = GetLastError();
    if (active)
        DeactivateActCtx(0, cookie);
    ReleaseActCtx(context);
    SetLastError(error);
    return module;
}
