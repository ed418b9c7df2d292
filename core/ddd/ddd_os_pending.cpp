/*
 * Stand-in for ddd_os.cpp while the host platform layer does not yet provide files and
 * modules: files are read with the C library, and no resource module can be loaded. Used by the host build only until
 * those kernel services exist (core/ddd/sources.cmake decides).
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"

#include <stdio.h>

DddStatus ddd_OsLoadFile(LPCWSTR path, BYTE **bytes, DWORD *size)
{
    *bytes = NULL;
    *size = 0;
    char name[1024];
    DWORD i = 0;
    for (; path[i] && i + 1 < sizeof(name); ++i) {
        name[i] = path[i] == '\\' ? '/' : (char)path[i];
    }
    name[i] = 0;
    FILE *f = fopen(name, "rb");
    if (!f) {
        return DDD_ERROR;
    }
    fseek(f, 0, SEEK_END);
    long length = ftell(f);
    fseek(f, 0, SEEK_SET);
    if (length <= 0) {
        fclose(f);
        return DDD_ERROR;
    }
    BYTE *copy = (BYTE *)GlobalAlloc(GPTR, (DWORD)length);
    if (!copy) {
        fclose(f);
        return DDD_NO_MEMORY;
    }
    DddStatus status = fread(copy, 1, (size_t)length, f) == (size_t)length ? DDD_OK : DDD_ERROR;
    fclose(f);
    if (status != DDD_OK) {
        GlobalFree(copy);
        return status;
    }
    *bytes = copy;
    *size = (DWORD)length;
    return DDD_OK;
}

void ddd_OsFreeModule(HMODULE)
{
}

HMODULE ddd_OsLoadModule(const char *)
{
    return NULL;
}

int ddd_OsLoadString(HMODULE, UINT, WCHAR *, int)
{
    return 0;
}
