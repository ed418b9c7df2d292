/*
 * The render DLL's binding of the DEVMODE access library. The count and the module handle
 * change only under the render DLL's binding lock (DrvEnablePDEV, DrvDisablePDEV); the
 * two entry points are resolved on first use without a lock, so they are kept as atomics:
 * two threads may both resolve them and store the same address.
 */
#include "render/driver/binding/dma_binding.h"

#include <atomic>
#include <string.h>

#include "core/jobtext/job_attr.h"
#include "core/settings/settings.h"
#include "core/util/module.h"

/* The library's primitives as it exports them. */
typedef WORD(WINAPI *DmaGetValueEntry)(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type,
                                       DWORD *size, void *value, WORD *kind);
typedef WORD(WINAPI *DmaSetValueEntry)(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type,
                                       DWORD size, const void *value);

enum {
    DMA_DIRECTORY_CHARS = 260, /* the module directory with its trailing backslash */
    DMA_NAME_CHARS = 260,      /* the file name of string 32766 and its terminator */
    DMA_BIND_COUNT_MAX = 0xFFFF
};

static WORD s_bindCount;
static std::atomic<HMODULE> s_library;
static std::atomic<DmaGetValueEntry> s_getEntry;
static std::atomic<DmaSetValueEntry> s_setEntry;

static HMODULE dma_LoadLibraryFile(HINSTANCE instance);
static FARPROC dma_ResolveEntry(const char *name);

/*
 * Loads the library inside its activation context: the module directory followed by the
 * file name of string 32766 of the render DLL's string table. instance: in. Returns the
 * module, NULL on failure.
 */
static HMODULE dma_LoadLibraryFile(HINSTANCE instance)
{
    WCHAR path[DMA_DIRECTORY_CHARS + DMA_NAME_CHARS] = {};
    WCHAR name[DMA_NAME_CHARS] = {};
    if (!util_GetModuleDirectory(path, DMA_DIRECTORY_CHARS * sizeof(WCHAR)))
        return nullptr;
    if (LoadStringW(instance, DMA_LIBRARY_NAME_STRING, name, DMA_NAME_CHARS) <= 0)
        return nullptr;
    lstrcatW(path, name);
    return util_LoadLibraryInContext(path);
}

/* Resolves one export of the bound library; NULL without a library or export. */
static FARPROC dma_ResolveEntry(const char *name)
{
    HMODULE library = s_library.load();
    return library == nullptr ? nullptr : GetProcAddress(library, name);
}

BOOL WINAPI dma_BindLibrary(HINSTANCE instance)
{
    if (s_bindCount == DMA_BIND_COUNT_MAX)
        return FALSE;
    if (++s_bindCount > 1)
        return TRUE;
    HMODULE library = instance == nullptr ? nullptr : dma_LoadLibraryFile(instance);
    if (library == nullptr) {
        s_bindCount = 0;
        return FALSE;
    }
    s_library.store(library);
    return TRUE;
}

WORD WINAPI dma_CallGetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type, DWORD *size,
                             void *value)
{
    if (functionId == FID_CONSTANT_ZERO) {
        if (type == nullptr || size == nullptr || value == nullptr)
            return SST_BAD;
        *type = VT_LONG;
        *size = 4;
        memset(value, 0, 4);
        return SST_OK;
    }
    DmaGetValueEntry get = s_getEntry.load();
    if (get == nullptr) {
        get = (DmaGetValueEntry)(void *)dma_ResolveEntry("dma_GetValue");
        if (get == nullptr)
            return SST_BAD;
        s_getEntry.store(get);
    }
    WORD kind = 0;
    WORD status = get(functionId, devmode, block, type, size, value, &kind);
    if (status != SST_OK || (*type != VT_STRING && *type != VT_LOGFONT))
        return status;
    /* Strings and log fonts come back as an offset within their area. */
    DWORD offset;
    memcpy(&offset, value, sizeof(offset));
    BYTE *area = kind == SK_DEVMODE       ? (BYTE *)devmode
                 : kind == SK_SECOND_PART ? (BYTE *)devmode + DM_SHORT_SIZE
                                          : (BYTE *)block;
    BYTE *pointer = area + offset;
    memcpy(value, &pointer, sizeof(pointer));
    return SST_OK;
}

WORD WINAPI dma_CallSetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type, DWORD size,
                             const void *value)
{
    DmaSetValueEntry set = s_setEntry.load();
    if (set == nullptr) {
        set = (DmaSetValueEntry)(void *)dma_ResolveEntry("dma_SetValue");
        if (set == nullptr)
            return SST_BAD;
        s_setEntry.store(set);
    }
    return set(functionId, devmode, block, type, size, value);
}

void WINAPI dma_RouteSettingsToLibrary(void)
{
    dma_SetFunctionValueRoute(dma_CallGetValue, dma_CallSetValue);
}

void WINAPI dma_UnbindLibrary(void)
{
    if (s_bindCount == 0)
        return;
    if (--s_bindCount != 0)
        return;
    HMODULE library = s_library.exchange(nullptr);
    s_getEntry.store(nullptr);
    s_setEntry.store(nullptr);
    if (library != nullptr)
        FreeLibrary(library);
}
