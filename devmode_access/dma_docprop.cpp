/*
 * The settings blocks of a document written out: the settings file (the path of setting
 * 374) in the order "NDEV001", VQBINFO, "SPINFO", "DFAX001", and the one-time file (the
 * path of setting 375) holding the fax list alone. The blocks are the program's, each with
 * its header, and are written as they are. An empty path asks for no file.
 */
#include "devmode_access/dma_private.h"

#include <stddef.h>
#include <string.h>

#include "platform/include/qm_layout.h"

/* Four {pointer, size} pairs: 32 bytes in the 32-bit build, natural in the 64-bit one. */
static_assert(sizeof(DmaDocPropBlocks) == QM_LAYOUT(32, 64), "DmaDocPropBlocks");
static_assert(offsetof(DmaDocPropBlocks, spSize) == QM_LAYOUT(28, 56), "DmaDocPropBlocks.spSize");

/* A block to write, in file order. */
typedef struct DmaFileBlock {
    const void *data;
    DWORD size;
} DmaFileBlock;

static LONG dma_CreateAndWrite(const WCHAR *path, const DmaFileBlock *blocks, DWORD count, LONG createFailed,
                               LONG writeFailed);

/* Creates the file (replacing one there, shared with no one) and writes each block whose
 * data and size are non-zero. Returns 1, createFailed or writeFailed. */
static LONG dma_CreateAndWrite(const WCHAR *path, const DmaFileBlock *blocks, DWORD count, LONG createFailed,
                               LONG writeFailed)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return createFailed;
    LONG result = DMA_SUCCESS;
    for (DWORD i = 0; i < count && result == DMA_SUCCESS; ++i) {
        if (blocks[i].data == nullptr || blocks[i].size == 0)
            continue;
        DWORD written = 0;
        if (!WriteFile(file, blocks[i].data, blocks[i].size, &written, nullptr) || written != blocks[i].size)
            result = writeFailed;
    }
    CloseHandle(file);
    return result;
}

LONG dma_FilePath(DmaSettingsSet *handle, WORD functionId, WCHAR *path)
{
    DmaPlace place;
    if (dma_LocateFunction(handle->devmode, handle->printerData, functionId, &place) != DMA_SUCCESS ||
        place.storedType != VT_STRING || place.capacity > DMA_TEXT_MAX_BYTES)
        return DMA_BAD_ARGUMENT;
    DWORD chars = place.capacity / sizeof(WCHAR);
    dma_LoadWide(place.storage, place.capacity, path);
    DWORD length = dma_CountWideChars(path, chars);
    if (length == chars)
        return DMA_BAD_ARGUMENT;
    return length == 0 ? DMA_NO_PATH : DMA_SUCCESS;
}

DmaResult WINAPI DMA_ExtractDocProp(DmaSettingsSet *handle, void *ndev, DWORD ndevSize, void *vqb, DWORD vqbSize,
                                    void *fax, DWORD faxSize, void *sp, DWORD spSize)
{
    const DmaDocPropBlocks blocks = {ndev, ndevSize, vqb, vqbSize, fax, faxSize, sp, spSize};
    return DMA_ExtractDocPropEx(handle, &blocks);
}

DmaResult WINAPI DMA_ExtractDocPropEx(DmaSettingsSet *handle, const DmaDocPropBlocks *blocks)
{
    if (handle == nullptr || blocks == nullptr || blocks->ndev == nullptr || blocks->vqb == nullptr ||
        blocks->sp == nullptr)
        return DMA_BAD_ARGUMENT;
    WCHAR path[DMA_PATH_MAX_CHARS];
    LONG named = dma_FilePath(handle, FID_SETTINGS_FILE, path);
    if (named != DMA_SUCCESS)
        return named == DMA_NO_PATH ? DMA_SUCCESS : named;
    const DmaFileBlock order[] = {
        {blocks->ndev, blocks->ndevSize},
        {blocks->vqb, blocks->vqbSize},
        {blocks->sp, blocks->spSize},
        {blocks->fax, blocks->faxSize},
    };
    return dma_CreateAndWrite(path, order, 4, DMA_FILE_OPEN, DMA_FILE_WRITE);
}

DmaResult WINAPI DMA_ExtractOneTime(DmaSettingsSet *handle, void *ndev, DWORD ndevSize, void *vqb, DWORD vqbSize,
                                    void *fax, DWORD faxSize, void *sp, DWORD spSize)
{
    const DmaDocPropBlocks blocks = {ndev, ndevSize, vqb, vqbSize, fax, faxSize, sp, spSize};
    return DMA_ExtractOneTimeEx(handle, &blocks);
}

DmaResult WINAPI DMA_ExtractOneTimeEx(DmaSettingsSet *handle, const DmaDocPropBlocks *blocks)
{
    if (handle == nullptr || blocks == nullptr || blocks->fax == nullptr)
        return DMA_BAD_ARGUMENT;
    WCHAR path[DMA_PATH_MAX_CHARS];
    LONG named = dma_FilePath(handle, FID_FILE_PATH_375, path);
    if (named != DMA_SUCCESS)
        return named == DMA_NO_PATH ? DMA_SUCCESS : named;
    const DmaFileBlock fax = {blocks->fax, blocks->faxSize};
    return dma_CreateAndWrite(path, &fax, 1, DMA_ONETIME_CREATE, DMA_ONETIME_WRITE);
}
