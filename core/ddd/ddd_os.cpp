/*
 * The reader's calls into the operating system: mapping a file read-only and copying it,
 * and loading resource-only modules of the driver's directory and their strings.
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"
#include "core/util/module.h"

/* Longest module path, in characters, including the terminator. */
#define OS_PATH_CHARS MAX_PATH
/* Loads a module as data only: no code runs, and its own directory is searched. */
#define OS_RESOURCE_LOAD_FLAGS (LOAD_LIBRARY_AS_DATAFILE | LOAD_WITH_ALTERED_SEARCH_PATH)

DddStatus ddd_OsLoadFile(LPCWSTR path, BYTE **bytes, DWORD *size)
{
    *bytes = NULL;
    *size = 0;
    HANDLE handle = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (handle == INVALID_HANDLE_VALUE) {
        return DDD_ERROR;
    }
    DWORD high = 0;
    DWORD length = GetFileSize(handle, &high);
    if (length == INVALID_FILE_SIZE || high != 0 || length == 0) {
        CloseHandle(handle);
        return DDD_ERROR;
    }
    HANDLE mapping = CreateFileMappingW(handle, NULL, PAGE_READONLY, 0, 0, NULL);
    if (!mapping) {
        CloseHandle(handle);
        return DDD_ERROR;
    }
    const BYTE *view = (const BYTE *)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
    DddStatus status = DDD_ERROR;
    if (view) {
        BYTE *copy = (BYTE *)GlobalAlloc(GPTR, length);
        if (copy) {
            CopyMemory(copy, view, length);
            *bytes = copy;
            *size = length;
            status = DDD_OK;
        } else {
            status = DDD_NO_MEMORY;
        }
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    CloseHandle(handle);
    return status;
}

void ddd_OsFreeModule(HMODULE module)
{
    if (module) {
        FreeLibrary(module);
    }
}

HMODULE ddd_OsLoadModule(const char *fileName)
{
    WCHAR path[UTIL_MODULE_DIRECTORY_MIN_BYTES / sizeof(WCHAR)];
    if (!util_GetModuleDirectory(path, sizeof(path))) {
        return NULL;
    }
    DWORD nameBytes = 0;
    while (fileName[nameBytes]) {
        ++nameBytes;
    }
    WCHAR *name = ddd_AnsiToWide((const BYTE *)fileName, nameBytes);
    if (!name) {
        return NULL;
    }
    DWORD length = 0;
    while (path[length]) {
        ++length;
    }
    /* The directory and the name stay below MAX_PATH characters. */
    HMODULE module = NULL;
    DWORD i = 0;
    while (name[i] && length + 1 < OS_PATH_CHARS) {
        path[length++] = name[i++];
    }
    if (!name[i]) {
        path[length] = 0;
        module = LoadLibraryExW(path, NULL, OS_RESOURCE_LOAD_FLAGS);
    }
    GlobalFree(name);
    return module;
}

int ddd_OsLoadString(HMODULE module, UINT id, WCHAR *buffer, int chars)
{
    return LoadStringW(module, id, buffer, chars);
}
