/*
 * The outside resource module and its use count. The count and the handle change under one
 * process-wide lock that lives as long as the module (a spin lock over a constant-
 * initialised word: nothing runs at load), so that entry points running at the same time
 * neither load the module twice nor free it under another's use.
 */
#include "core/util/resource_module.h"

#include "core/util/module.h"

enum {
    kPathChars = 260,
    kLoadFlags = DONT_RESOLVE_DLL_REFERENCES | LOAD_WITH_ALTERED_SEARCH_PATH /* 9 */
};

/* The built-in name of user-defined entries, used without the resource module. */
static const WCHAR kDefaultUserDefinedName[] = TEXT("\u30e6\u30fc\u30b6\u30fc\u5b9a\u7fa9");

static volatile LONG g_resourceLock;
static HMODULE g_resourceModule;
static LONG g_resourceUses;

static void lock_resource_module(void);
static void unlock_resource_module(void);
static HMODULE load_resource_file(void);

/* Loads the module named by string 32767 from the module directory; NULL on failure. */
static HMODULE load_resource_file(void)
{
    WCHAR path[kPathChars] = {};
    WCHAR name[kPathChars] = {};
    if (!util_GetModuleDirectory(path, sizeof(path)))
        return nullptr;
    if (LoadStringW(util_GetModuleHandle(), UTIL_RESOURCE_MODULE_NAME_STRING, name, kPathChars) <= 0)
        return nullptr;
    if (lstrlenW(path) + lstrlenW(name) >= kPathChars)
        return nullptr;
    lstrcatW(path, name);
    return LoadLibraryExW(path, nullptr, kLoadFlags);
}

static void lock_resource_module(void)
{
    while (InterlockedCompareExchange(&g_resourceLock, 1, 0) != 0)
        Sleep(0);
}

static void unlock_resource_module(void)
{
    InterlockedExchange(&g_resourceLock, 0);
}

DWORD WINAPI util_FormatUserDefinedName(DWORD n, WCHAR *buffer, DWORD capacity)
{
    if (buffer == nullptr || capacity == 0)
        return 0;
    WCHAR name[UTIL_USER_DEFINED_NAME_CHARS + 1] = {};
    HMODULE module = util_GetResourceModule();
    if (module == nullptr ||
        LoadStringW(module, UTIL_USER_DEFINED_NAME_STRING, name, UTIL_USER_DEFINED_NAME_CHARS + 1) <= 0)
        lstrcpyW(name, kDefaultUserDefinedName);
    WCHAR text[UTIL_USER_DEFINED_NAME_CHARS + 16];
    wsprintfW(text, TEXT("%s%d"), name, (int)(n + 1));
    lstrcpynW(buffer, text, (int)capacity);
    return (DWORD)lstrlenW(buffer);
}

HMODULE WINAPI util_GetResourceModule(void)
{
    lock_resource_module();
    HMODULE module = g_resourceModule;
    unlock_resource_module();
    return module != nullptr ? module : util_LoadResourceModule();
}

HMODULE WINAPI util_GetResourceModuleHandle(void)
{
    return util_GetResourceModule();
}

BOOL WINAPI util_GetUiLanguageId(WORD *id)
{
    if (id == nullptr)
        return FALSE;
    *id = 0;
    WCHAR text[16] = {};
    HMODULE module = util_GetResourceModule();
    if (module == nullptr || LoadStringW(module, UTIL_UI_LANGUAGE_STRING, text, 16) <= 0)
        return FALSE;
    DWORD value = 0;
    for (const WCHAR *p = text; *p >= '0' && *p <= '9'; p++)
        value = value * 10 + (DWORD)(*p - '0');
    *id = (WORD)value;
    return TRUE;
}

HMODULE WINAPI util_LoadResourceModule(void)
{
    lock_resource_module();
    if (g_resourceModule == nullptr)
        g_resourceModule = load_resource_file();
    if (g_resourceModule != nullptr)
        g_resourceUses++;
    HMODULE module = g_resourceModule;
    unlock_resource_module();
    return module;
}

LONG WINAPI util_ReleaseResourceModule(void)
{
    lock_resource_module();
    if (g_resourceUses == 1) {
        FreeLibrary(g_resourceModule);
        g_resourceModule = nullptr;
        g_resourceUses = 0;
    } else if (g_resourceUses > 1) {
        g_resourceUses--;
    }
    unlock_resource_module();
    return 0;
}
