/*
 * The outside compression component: binding and the compression of one image. The
 * component's result is taken into a scratch block of the size it reports and copied over
 * the data only when every step answered 0, so a failing step never leaves a half
 * overwritten image.
 */
#include "render/pdl/compression/compress_component.h"

#include <string.h>

#include "core/jobtext/job_attr.h"
#include "platform/include/qm_layout.h"

static_assert(sizeof(CompressDllTable) == QM_LAYOUT(32, sizeof(CompressDllTable)), "CompressDllTable is 32 bytes");

static const DWORD kMethodModes[2][2] = {{6, 2}, {7, 1}};

LONG WINAPI cmp_CompressWithComponent(DWORD width, DWORD height, const CompressDllTable *table, DWORD method,
                                      BYTE *methodOut, DWORD *length, BYTE *data)
{
    if (table == NULL || methodOut == NULL || length == NULL || data == NULL)
        return CMP_MISSING;
    DWORD mode = 0;
    for (int i = 0; i < 2; i++)
        if (kMethodModes[i][0] == method)
            mode = kMethodModes[i][1];
    if (mode == 0)
        return CMP_MISSING;
    if (table->init(table->handle, mode, width, height, (width + 7) / 8) != 0)
        return CMP_CALL_FAILED;
    DWORD size = 0;
    if (table->compress(table->handle, data, height, &size) != 0)
        return CMP_CALL_FAILED;
    if (size > *length)
        return table->finish(table->handle) != 0 ? CMP_CALL_FAILED : CMP_DONE;
    BYTE *scratch = (BYTE *)HeapAlloc(GetProcessHeap(), 0, size > 0 ? size : 1);
    if (scratch == NULL) {
        table->finish(table->handle);
        return CMP_CALL_FAILED;
    }
    LONG got = table->get(table->handle, scratch);
    LONG finished = table->finish(table->handle);
    if (got == 0 && finished == 0) {
        memcpy(data, scratch, size);
        *length = size;
        *methodOut = (BYTE)method;
    }
    HeapFree(GetProcessHeap(), 0, scratch);
    return got == 0 && finished == 0 ? CMP_DONE : CMP_CALL_FAILED;
}

CompressDllTable *WINAPI cmp_LoadComponent(LPCWSTR path)
{
    if (path == NULL)
        return NULL;
    HMODULE module = util_LoadLibraryInContext(path);
    if (module == NULL)
        return NULL;
    CompressDllTable *t = (CompressDllTable *)HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(CompressDllTable));
    if (t == NULL) {
        FreeLibrary(module);
        return NULL;
    }
    t->module = module;
    t->load = (QmcmpLoadCompress)(void *)GetProcAddress(module, "qmcmp_LoadCompress");
    t->init = (QmcmpInitBitmap)(void *)GetProcAddress(module, "qmcmp_InitBitmap");
    t->compress = (QmcmpCompressBitmap)(void *)GetProcAddress(module, "qmcmp_CompressBitmap");
    t->get = (QmcmpGetBitmap)(void *)GetProcAddress(module, "qmcmp_GetBitmap");
    t->finish = (QmcmpFinishBitmap)(void *)GetProcAddress(module, "qmcmp_FinishBitmap");
    t->release = (QmcmpFreeCompress)(void *)GetProcAddress(module, "qmcmp_FreeCompress");
    if (t->load != NULL && t->init != NULL && t->compress != NULL && t->get != NULL && t->finish != NULL &&
        t->release != NULL)
        t->handle = t->load();
    if (t->handle == NULL) {
        FreeLibrary(module);
        HeapFree(GetProcessHeap(), 0, t);
        return NULL;
    }
    return t;
}

LONG WINAPI cmp_ReleaseComponent(CompressDllTable *table)
{
    if (table == NULL)
        return 1;
    LONG result = table->release(table->handle);
    FreeLibrary(table->module);
    HeapFree(GetProcessHeap(), 0, table);
    return result;
}
