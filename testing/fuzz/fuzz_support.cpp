/* Support of the fuzz entries (fuzz_support.h). */
#include "testing/fuzz/fuzz_support.h"

#include <winspool.h>

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "platform/testing/qm_testing_files.h"
#include "platform/testing/qm_testing_registry.h"
#include "platform/testing/qm_testing_spooler.h"

static std::string g_ownRoot;

/* Removes the root fuzz_EnsureRoot made. */
static void fuzz_RemoveOwnRoot(void)
{
    std::error_code ec;
    std::filesystem::remove_all(g_ownRoot, ec);
}

extern "C" {

BOOL fuzz_CopyIn(const char *hostFile, LPCWSTR name)
{
    WCHAR from[MAX_PATH];
    WCHAR to[MAX_PATH];
    if (!fuzz_HostPath(hostFile, from, MAX_PATH) || lstrlenW(FUZZ_MODULE_DIRECTORY) + lstrlenW(name) >= MAX_PATH)
        return FALSE;
    lstrcpyW(to, FUZZ_MODULE_DIRECTORY);
    lstrcatW(to, name);
    CreateDirectoryW(TEXT("C:\\drv"), NULL);
    return CopyFileW(from, to, FALSE);
}

void fuzz_CheckCounts(const char *target, const FuzzCounts *before)
{
    FuzzCounts now;
    fuzz_TakeCounts(&now);
    static const struct {
        const char *name;
        size_t offset;
    } kCounters[] = {
        {"global blocks", offsetof(FuzzCounts, globals)},
        {"local blocks", offsetof(FuzzCounts, locals)},
        {"heaps", offsetof(FuzzCounts, heaps)},
        {"modules", offsetof(FuzzCounts, modules)},
        {"printer handles", offsetof(FuzzCounts, printers)},
        {"registry keys", offsetof(FuzzCounts, registryKeys)},
        {"kernel handles", offsetof(FuzzCounts, handles)},
        {"mapped views", offsetof(FuzzCounts, views)},
        {"surfaces", offsetof(FuzzCounts, surfaces)},
        {"palettes", offsetof(FuzzCounts, palettes)},
    };
    std::string left;
    for (const auto &counter : kCounters) {
        DWORD was = *(const DWORD *)((const char *)before + counter.offset);
        DWORD is = *(const DWORD *)((const char *)&now + counter.offset);
        if (was != is)
            left += std::string(left.empty() ? "" : ", ") + counter.name + " " + std::to_string(was) + " -> " +
                    std::to_string(is);
    }
    if (!left.empty())
        fuzz_Fail(target, ("the input left objects behind: " + left).c_str());
}

void fuzz_EnsureRoot(void)
{
    const char *root = getenv("QM_ROOT");
    if (root && *root)
        return;
    const char *tmp = getenv("TMPDIR");
    std::string templ = std::string(tmp && *tmp ? tmp : "/tmp") + "/qmfuzz.XXXXXX";
    if (!mkdtemp(templ.data()))
        fuzz_Fail("root", "no temporary directory could be made");
    g_ownRoot = templ;
    setenv("QM_ROOT", g_ownRoot.c_str(), 1);
    qmt_ResetRoot();
    atexit(fuzz_RemoveOwnRoot);
}

void fuzz_Fail(const char *target, const char *what)
{
    fprintf(stderr, "fuzz %s: %s\n", target, what);
    fflush(stderr);
    abort();
}

BOOL fuzz_HostPath(const char *hostFile, WCHAR *path, DWORD capacity)
{
    DWORD n = 0;
    path[n++] = 'Z';
    path[n++] = ':';
    for (const char *p = hostFile; *p; ++p) {
        if (n + 1 >= capacity)
            return FALSE;
        path[n++] = *p == '/' ? '\\' : (WCHAR)(unsigned char)*p;
    }
    path[n] = 0;
    return TRUE;
}

HANDLE fuzz_InstallPrinter(LPCWSTR name, const char *hostModel)
{
    WCHAR model[MAX_PATH];
    if (!fuzz_HostPath(hostModel, model, MAX_PATH))
        return NULL;
    QMH_PRINTER_SETUP setup = {name,
                               TEXT("LPT1:"),
                               TEXT("QM Driver"),
                               TEXT("C:\\drv\\qmkelvim.dll"),
                               model,
                               TEXT("C:\\drv\\qmkelviu.dll"),
                               NULL,
                               NULL,
                               0};
    if (!qmh_InstallPrinter(&setup))
        return NULL;
    PRINTER_DEFAULTSW defaults = {NULL, NULL, PRINTER_ALL_ACCESS};
    HANDLE printer = NULL;
    return OpenPrinterW((LPWSTR)name, &printer, &defaults) ? printer : NULL;
}

HMODULE fuzz_LoadModuleCopy(const char *hostModule, LPCWSTR name)
{
    WCHAR path[MAX_PATH];
    if (!fuzz_CopyIn(hostModule, name) || lstrlenW(FUZZ_MODULE_DIRECTORY) + lstrlenW(name) >= MAX_PATH)
        return NULL;
    lstrcpyW(path, FUZZ_MODULE_DIRECTORY);
    lstrcatW(path, name);
    return LoadLibraryExW(path, NULL, LOAD_LIBRARY_AS_DATAFILE);
}

void fuzz_TakeCounts(FuzzCounts *counts)
{
    counts->globals = qmt_LiveGlobalBlocks();
    counts->locals = qmt_LiveLocalBlocks();
    counts->heaps = qmt_LiveHeaps();
    counts->modules = qmt_LiveModules();
    counts->printers = qmt_LivePrinterHandles();
    counts->registryKeys = qmt_LiveRegistryKeys();
    counts->handles = qmt_LiveHandles(QMT_HANDLE_ANY);
    counts->views = qmt_LiveMappedViews();
    counts->surfaces = qmt_LiveSurfaces();
    counts->palettes = qmt_LivePalettes();
}

BOOL fuzz_WriteFile(LPCWSTR path, const void *data, DWORD size)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    DWORD written = 0;
    BOOL ok = size == 0 || (WriteFile(file, data, size, &written, NULL) && written == size);
    return CloseHandle(file) && ok;
}

} // extern "C"
