/*
 * Finding, loading and opening the security-marking module. The module counts as
 * installed when HKLM "SOFTWARE\Tessaly Ornet\Sigilon Basic" names, in its value
 * "DRVIFInstallPath", a file that can be opened for reading; a printer type is registered
 * when a value of its sub key "PRINTERS" whose name holds "TYPE_" and a digit has data
 * holding the type name in quotation marks.
 *
 * The module handle is process-wide, under one lock: every session holds one load of the
 * module (LoadLibraryExA counts them), so the module stays while any session is open and
 * is unloaded with the last one.
 */
#include "core/outside/vqb_private.h"

#include "core/util/global_block.h"
#include "core/util/resource_module.h"

#include <string.h>

static const WCHAR kInstallKey[] = TEXT("SOFTWARE\\Tessaly Ornet\\Sigilon Basic");
static const WCHAR kPrintersKey[] = TEXT("SOFTWARE\\Tessaly Ornet\\Sigilon Basic\\PRINTERS");
static const char kInstallKeyNarrow[] = "SOFTWARE\\Tessaly Ornet\\Sigilon Basic";
static const char kInstallValue[] = "DRVIFInstallPath";
static const WCHAR kTypePrefix[] = TEXT("TYPE_");
/* The most bytes of the install path, as read. */
enum { VQB_PATH_BYTES = 256, VQB_NAME_CHARS = 16384 };
/* The capability bit of models that offer security marking. */
static const DWORD kMarkingCapability = 0xFFFF0000u | 36;

static const char *const kPdlKeywords[VQB_PDL_COUNT] = {"LUMIQ", "PCLXL"};

static const WCHAR kWarningText[] =
    TEXT("An unexpected error occured.\nChanges on Deterrent Effect settings will be discarded.");
static const WCHAR kWarningCaption[] = TEXT("Warning");

typedef HMODULE(WINAPI *LoadLibraryExAProc)(LPCSTR name, HANDLE file, DWORD flags);
typedef BOOL(WINAPI *FreeLibraryProc)(HMODULE module);
typedef FARPROC(WINAPI *GetProcAddressProc)(HMODULE module, LPCSTR name);

/* The binding state: the loader functions found once, the module and its loads. */
typedef struct VqbBinding {
    CRITICAL_SECTION lock;
    LoadLibraryExAProc load;
    FreeLibraryProc free;
    GetProcAddressProc find;
    HMODULE module;
    DWORD loads;
} VqbBinding;

/* vqb_Binding: the process's binding state, its lock made on first use. */
static VqbBinding *vqb_Binding(void)
{
    static VqbBinding binding;
    static BOOL ready = (InitializeCriticalSection(&binding.lock), TRUE);
    (void)ready;
    return &binding;
}

/* vqb_Loaders: looks the loader functions up in "KERNEL32" once (lock held). */
static BOOL vqb_Loaders(VqbBinding *binding)
{
    if (binding->load != NULL && binding->free != NULL && binding->find != NULL)
        return TRUE;
    HMODULE kernel = GetModuleHandleW(TEXT("KERNEL32"));
    if (kernel == NULL)
        return FALSE;
    binding->load = (LoadLibraryExAProc)(void *)GetProcAddress(kernel, "LoadLibraryExA");
    binding->free = (FreeLibraryProc)(void *)GetProcAddress(kernel, "FreeLibrary");
    binding->find = (GetProcAddressProc)(void *)GetProcAddress(kernel, "GetProcAddress");
    return binding->load != NULL && binding->free != NULL && binding->find != NULL;
}

/* vqb_InstallPath: the module's path from the install key (at most 256 bytes). */
static BOOL vqb_InstallPath(char *path)
{
    HKEY key = NULL;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInstallKeyNarrow, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    DWORD type = 0;
    DWORD size = VQB_PATH_BYTES;
    memset(path, 0, VQB_PATH_BYTES + 1);
    LONG rc = RegQueryValueExA(key, kInstallValue, NULL, &type, (BYTE *)path, &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && path[0] != 0;
}

/* vqb_IsInstalled: the install path names a file that can be opened for reading. */
static BOOL vqb_IsInstalled(char *path)
{
    if (!vqb_InstallPath(path))
        return FALSE;
    WCHAR wide[VQB_PATH_BYTES + 1];
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, wide, VQB_PATH_BYTES + 1) == 0)
        return FALSE;
    HANDLE file = CreateFileW(wide, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return FALSE;
    CloseHandle(file);
    return TRUE;
}

/* vqb_NameMarksType: the value name holds "TYPE_" followed directly by a digit. */
static BOOL vqb_NameMarksType(const WCHAR *name, DWORD chars)
{
    const DWORD prefix = (DWORD)(sizeof(kTypePrefix) / sizeof(WCHAR)) - 1;
    for (DWORD at = 0; at + prefix < chars; ++at) {
        if (memcmp(name + at, kTypePrefix, prefix * sizeof(WCHAR)) == 0 && name[at + prefix] >= '0' &&
            name[at + prefix] <= '9')
            return TRUE;
    }
    return FALSE;
}

/* vqb_DataQuotes: the text (chars characters, not necessarily terminated) holds the type
 * name in quotation marks, compared case by case. */
static BOOL vqb_DataQuotes(const WCHAR *text, DWORD chars, const WCHAR *typeName)
{
    DWORD length = (DWORD)lstrlenW(typeName);
    for (DWORD at = 0; at + length + 2 <= chars; ++at) {
        if (text[at] == '"' && memcmp(text + at + 1, typeName, length * sizeof(WCHAR)) == 0 &&
            text[at + 1 + length] == '"')
            return TRUE;
    }
    return FALSE;
}

/* vqb_IsRegistered: some value of the "PRINTERS" key registers the type. */
static BOOL vqb_IsRegistered(const WCHAR *typeName)
{
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kPrintersKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return FALSE;
    DWORD longestData = 0;
    BOOL registered = FALSE;
    WCHAR *name = (WCHAR *)util_GlobalAllocZero(VQB_NAME_CHARS * sizeof(WCHAR));
    if (name != NULL &&
        RegQueryInfoKeyW(key, NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL, &longestData, NULL, NULL) ==
            ERROR_SUCCESS) {
        BYTE *data = (BYTE *)util_GlobalAllocZero(longestData + sizeof(WCHAR));
        for (DWORD index = 0; data != NULL && !registered; ++index) {
            DWORD nameChars = VQB_NAME_CHARS;
            DWORD type = 0;
            DWORD size = longestData;
            LONG rc = RegEnumValueW(key, index, name, &nameChars, NULL, &type, data, &size);
            if (rc == ERROR_NO_MORE_ITEMS)
                break;
            // The data is read within its size: a text need not end in a terminator.
            registered = rc == ERROR_SUCCESS && type == REG_SZ && vqb_NameMarksType(name, nameChars) &&
                         vqb_DataQuotes((const WCHAR *)data, size / sizeof(WCHAR), typeName);
        }
        util_GlobalFreeIfSet(data);
    }
    util_GlobalFreeIfSet(name);
    RegCloseKey(key);
    return registered;
}

/* vqb_Release: gives back one load of the module; the last one clears the handle. */
static void vqb_Release(void)
{
    VqbBinding *binding = vqb_Binding();
    EnterCriticalSection(&binding->lock);
    if (binding->loads > 0 && binding->module != NULL) {
        binding->free(binding->module);
        if (--binding->loads == 0)
            binding->module = NULL;
    }
    LeaveCriticalSection(&binding->lock);
}

/* vqb_Load: one more load of the module at path. */
static BOOL vqb_Load(const char *path)
{
    VqbBinding *binding = vqb_Binding();
    EnterCriticalSection(&binding->lock);
    BOOL loaded = FALSE;
    if (vqb_Loaders(binding)) {
        HMODULE module = binding->load(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (module != NULL) {
            if (binding->module != NULL && binding->module != module) {
                // Another file than the sessions' own: not taken.
                binding->free(module);
            } else {
                binding->module = module;
                binding->loads++;
                loaded = TRUE;
            }
        }
    }
    LeaveCriticalSection(&binding->lock);
    return loaded;
}

FARPROC vqb_Find(const char *name)
{
    VqbBinding *binding = vqb_Binding();
    EnterCriticalSection(&binding->lock);
    FARPROC proc = binding->module != NULL ? binding->find(binding->module, name) : NULL;
    LeaveCriticalSection(&binding->lock);
    return proc;
}

void vqb_Warn(HWND window)
{
    if (window != NULL)
        MessageBoxW(window, kWarningText, kWarningCaption, MB_OK | MB_ICONWARNING);
}

BOOL vqb_ToAnsi(const WCHAR *text, char *buffer, DWORD size)
{
    BOOL usedDefault = FALSE;
    int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, buffer, (int)size, NULL, &usedDefault);
    return written > 0 && !usedDefault;
}

int WINAPI ext_VqbIsAvailable(const ModelCapabilities *capabilities, const WCHAR *typeName)
{
    if (capabilities == NULL || typeName == NULL)
        return -1;
    char path[VQB_PATH_BYTES + 1];
    return ddd_TestCapability(capabilities, kMarkingCapability) && vqb_IsInstalled(path) && vqb_IsRegistered(typeName)
               ? 1
               : 0;
}

int WINAPI ext_VqbOpen(const WCHAR *printerName, const WCHAR *typeName, DWORD pdlIndex, VqbSession **session)
{
    if (session != NULL)
        *session = NULL;
    if (printerName == NULL || typeName == NULL || session == NULL || pdlIndex >= VQB_PDL_COUNT)
        return VQB_E_ARGUMENT;
    char printer[MAX_PATH * 2];
    char type[MAX_PATH * 2];
    if (!vqb_ToAnsi(printerName, printer, sizeof(printer)) || !vqb_ToAnsi(typeName, type, sizeof(type)))
        return VQB_E_CONVERT;
    WORD language = 0;
    if (!util_GetUiLanguageId(&language))
        return VQB_E_LANGUAGE;
    VqbSession *opened = (VqbSession *)util_GlobalAllocZero(sizeof(VqbSession));
    if (opened == NULL)
        return VQB_E_MEMORY;
    char path[VQB_PATH_BYTES + 1];
    if (!vqb_InstallPath(path) || !vqb_Load(path)) {
        GlobalFree(opened);
        return VQB_E_MODULE;
    }
    VazerCreateHandleProc create = (VazerCreateHandleProc)(void *)vqb_Find("VAZER_CreateHandle");
    opened->handle = create != NULL ? create(printer, type, kPdlKeywords[pdlIndex], language) : NULL;
    if (opened->handle == NULL) {
        vqb_Release();
        GlobalFree(opened);
        return VQB_E_MODULE;
    }
    *session = opened;
    return VQB_OK;
}

int WINAPI ext_VqbClose(VqbSession *session)
{
    if (session == NULL)
        return VQB_E_ARGUMENT;
    if (session->handle == NULL)
        return VQB_E_NO_HANDLE;
    VazerReleaseHandleProc release = (VazerReleaseHandleProc)(void *)vqb_Find("VAZER_ReleaseHandle");
    BOOL released = release != NULL && release(session->handle);
    vqb_Release();
    GlobalFree(session);
    return released ? VQB_OK : VQB_E_MODULE;
}
