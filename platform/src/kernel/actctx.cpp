/*
 * Activation contexts. A context is made from a manifest resource of a module file (or of
 * a loaded module); activating it pushes it on the calling thread's stack of active
 * contexts, deactivating pops it by the cookie the activation gave. The host loader binds
 * no side-by-side assemblies, so an active context changes nothing about how a module is
 * found: the calls keep their documented results and errors.
 */
#include <windows.h>

#include <new>
#include <vector>

namespace {

const DWORD kActCtxMagic = 0x58544341; /* "ACTX" */

struct ActCtx {
    DWORD magic;
    LONG refs;
};

thread_local std::vector<ActCtx *> t_active;

/* The record of a handle made by CreateActCtxW, or NULL. */
ActCtx *resolve(HANDLE h)
{
    ActCtx *ctx = (ActCtx *)h;
    if (ctx == nullptr || h == INVALID_HANDLE_VALUE || ctx->magic != kActCtxMagic)
        return nullptr;
    return ctx;
}

/* 1 when the module holds a manifest resource of that name; the last error tells why not. */
BOOL has_manifest(HMODULE module, LPCWSTR name)
{
    return FindResourceW(module, name, RT_MANIFEST) != nullptr;
}

} // namespace

/*
 * CreateActCtxW: a context over the manifest resource of pActCtx->lpSource (a module file,
 * opened as a data file) or of pActCtx->hModule (ACTCTX_FLAG_HMODULE_VALID); the resource
 * name is lpResourceName with ACTCTX_FLAG_RESOURCE_NAME_VALID, else 1. Returns the handle,
 * or INVALID_HANDLE_VALUE with ERROR_INVALID_PARAMETER (bad record), the loader's error
 * (file missing) or ERROR_RESOURCE_*_NOT_FOUND (no such manifest).
 */
extern "C" HANDLE WINAPI CreateActCtxW(PCACTCTXW pActCtx)
{
    if (pActCtx == nullptr || pActCtx->cbSize < sizeof(ACTCTXW)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    LPCWSTR name = (pActCtx->dwFlags & ACTCTX_FLAG_RESOURCE_NAME_VALID) ? pActCtx->lpResourceName : MAKEINTRESOURCEW(1);
    BOOL found = FALSE;
    if (pActCtx->dwFlags & ACTCTX_FLAG_HMODULE_VALID) {
        found = has_manifest(pActCtx->hModule, name);
    } else {
        if (pActCtx->lpSource == nullptr) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return INVALID_HANDLE_VALUE;
        }
        HMODULE file = LoadLibraryExW(pActCtx->lpSource, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        if (file == nullptr)
            return INVALID_HANDLE_VALUE;
        found = has_manifest(file, name);
        DWORD error = GetLastError();
        FreeLibrary(file);
        SetLastError(error);
    }
    if (!found)
        return INVALID_HANDLE_VALUE;
    ActCtx *ctx = new (std::nothrow) ActCtx{kActCtxMagic, 1};
    if (ctx == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return INVALID_HANDLE_VALUE;
    }
    return (HANDLE)ctx;
}

/* ActivateActCtx: pushes the context on the thread's stack; lpCookie (out) identifies the
 * activation. FALSE with ERROR_INVALID_PARAMETER for a bad handle or NULL cookie. */
extern "C" BOOL WINAPI ActivateActCtx(HANDLE hActCtx, ULONG_PTR *lpCookie)
{
    ActCtx *ctx = resolve(hActCtx);
    if (ctx == nullptr || lpCookie == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ctx->refs++;
    t_active.push_back(ctx);
    *lpCookie = (ULONG_PTR)t_active.size();
    return TRUE;
}

/* DeactivateActCtx: pops the activation named by the cookie, which must be the latest of
 * the thread; FALSE with ERROR_INVALID_PARAMETER otherwise. */
extern "C" BOOL WINAPI DeactivateActCtx(DWORD dwFlags, ULONG_PTR ulCookie)
{
    (void)dwFlags;
    if (ulCookie == 0 || ulCookie != (ULONG_PTR)t_active.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    ActCtx *ctx = t_active.back();
    t_active.pop_back();
    ReleaseActCtx((HANDLE)ctx);
    return TRUE;
}

/* ReleaseActCtx: drops one reference; the context goes with its last one. */
extern "C" void WINAPI ReleaseActCtx(HANDLE hActCtx)
{
    ActCtx *ctx = resolve(hActCtx);
    if (ctx == nullptr)
        return;
    if (--ctx->refs == 0) {
        ctx->magic = 0;
        delete ctx;
    }
}
