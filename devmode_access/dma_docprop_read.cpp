/*
 * The settings file read back into the program's buffers. The file is outside input: it
 * is read whole, then every block is checked against the bytes left in 64-bit arithmetic
 * before a field of it is read. The file holds an "NDEV001" block of the current version
 * and layout, then optionally a VQBINFO block, an "SPINFO" block and a "DFAX001" block, in
 * this order and nothing behind them; bytes that cannot start the next block make the file
 * malformed.
 */
#include "devmode_access/dma_private.h"

#include <string.h>

#include "core/faxlist/fax_list.h"
#include "core/stored/stored_types.h"

/* A block found in the file: its place and bytes with the header; size 0 when absent. */
typedef struct DmaFoundBlock {
    DWORD offset;
    DWORD size;
} DmaFoundBlock;

/* The blocks of a file, in the order of DmaDocPropBlocks. */
enum { DMA_BLOCK_NDEV, DMA_BLOCK_VQB, DMA_BLOCK_FAX, DMA_BLOCK_SP, DMA_BLOCKS };

static const WCHAR kNdevName[] = TEXT("NDEV001");
static const WCHAR kVqbName[] = TEXT("VQBINFO");
static const WCHAR kSpName[] = TEXT("SPINFO");

static BOOL dma_BlockNamed(const BYTE *at, const WCHAR *name, DWORD nameBytes);
static LONG dma_ParseInfo(const BYTE *data, DWORD n, ULONGLONG *at, const WCHAR *name, DWORD nameBytes,
                          DmaFoundBlock *block);
static LONG dma_ParseSettingsFile(const BYTE *data, DWORD n, DmaFoundBlock *blocks);
static LONG dma_ReadWhole(const WCHAR *path, BYTE **data, DWORD *n);

/* TRUE when the name field at `at` holds the name up to its terminator. */
static BOOL dma_BlockNamed(const BYTE *at, const WCHAR *name, DWORD nameBytes)
{
    return memcmp(at, name, nameBytes) == 0;
}

/* The info block of that name at *at, when bytes are left: it must be whole. Advances *at.
 * Returns 1 (block: out, or left absent when no bytes are left) or -16. */
static LONG dma_ParseInfo(const BYTE *data, DWORD n, ULONGLONG *at, const WCHAR *name, DWORD nameBytes,
                          DmaFoundBlock *block)
{
    ULONGLONG left = n - *at;
    if (left == 0)
        return DMA_SUCCESS;
    InfoBlockHeader header;
    if (left < sizeof(header) || !dma_BlockNamed(data + *at, name, nameBytes))
        return DMA_FILE_MALFORMED;
    memcpy(&header, data + *at, sizeof(header));
    ULONGLONG size = sizeof(header) + (ULONGLONG)header.length;
    if (size > left)
        return DMA_FILE_MALFORMED;
    block->offset = (DWORD)*at;
    block->size = (DWORD)size;
    *at += size;
    return DMA_SUCCESS;
}

/* Finds the blocks of a file of n bytes. blocks: out. Returns 1 or -16. */
static LONG dma_ParseSettingsFile(const BYTE *data, DWORD n, DmaFoundBlock *blocks)
{
    memset(blocks, 0, sizeof(DmaFoundBlock) * DMA_BLOCKS);
    if (n == 0)
        return DMA_SUCCESS;
    NdevBlockHeader ndev;
    if (n < sizeof(ndev) || !dma_BlockNamed(data, kNdevName, sizeof(kNdevName)))
        return DMA_FILE_MALFORMED;
    memcpy(&ndev, data, sizeof(ndev));
    // The library reads the current layout only: no older block is upgraded here.
    if (ndev.version != NDEV_VERSION || ndev.length != sizeof(DevmodeSecondPart) ||
        sizeof(ndev) + (ULONGLONG)ndev.length > n)
        return DMA_FILE_MALFORMED;
    blocks[DMA_BLOCK_NDEV].size = (DWORD)(sizeof(ndev) + ndev.length);
    ULONGLONG at = blocks[DMA_BLOCK_NDEV].size;
    if (dma_ParseInfo(data, n, &at, kVqbName, sizeof(kVqbName), &blocks[DMA_BLOCK_VQB]) != DMA_SUCCESS ||
        dma_ParseInfo(data, n, &at, kSpName, sizeof(kSpName), &blocks[DMA_BLOCK_SP]) != DMA_SUCCESS)
        return DMA_FILE_MALFORMED;
    ULONGLONG left = n - at;
    if (left == 0)
        return DMA_SUCCESS;
    FaxSendList head;
    if (left < sizeof(head) || !dma_BlockNamed(data + at, FAX_LIST_TAG, sizeof(FAX_LIST_TAG)))
        return DMA_FILE_MALFORMED;
    memcpy(&head, data + at, sizeof(head));
    ULONGLONG size = sizeof(head) + (ULONGLONG)sizeof(FaxDestination) * head.count;
    // The fax list is the last block: it takes exactly the bytes left.
    if (size != left)
        return DMA_FILE_MALFORMED;
    blocks[DMA_BLOCK_FAX].offset = (DWORD)at;
    blocks[DMA_BLOCK_FAX].size = (DWORD)size;
    return DMA_SUCCESS;
}

/* Reads the file whole into a new global-heap block (NULL for an empty file). data, n:
 * out. Returns 1, -13 (not opened) or -15 (not read). */
static LONG dma_ReadWhole(const WCHAR *path, BYTE **data, DWORD *n)
{
    *data = nullptr;
    *n = 0;
    HANDLE file =
        CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return DMA_FILE_OPEN;
    DWORD high = 0;
    DWORD size = GetFileSize(file, &high);
    LONG result = DMA_SUCCESS;
    BYTE *bytes = nullptr;
    if (size == INVALID_FILE_SIZE || high != 0) {
        result = DMA_FILE_READ;
    } else if (size != 0) {
        bytes = (BYTE *)GlobalAlloc(GMEM_FIXED, size);
        DWORD read = 0;
        if (bytes == nullptr || !ReadFile(file, bytes, size, &read, nullptr) || read != size)
            result = DMA_FILE_READ;
    }
    CloseHandle(file);
    if (result != DMA_SUCCESS) {
        if (bytes != nullptr)
            GlobalFree(bytes);
        return result;
    }
    *data = bytes;
    *n = size;
    return DMA_SUCCESS;
}

DmaResult WINAPI DMA_ReplaceDocProp(DmaSettingsSet *handle, DmaDocPropBlocks *blocks)
{
    if (handle == nullptr || blocks == nullptr)
        return DMA_BAD_ARGUMENT;
    WCHAR path[DMA_PATH_MAX_CHARS];
    LONG named = dma_FilePath(handle, FID_SETTINGS_FILE, path);
    if (named != DMA_SUCCESS)
        return named == DMA_NO_PATH ? DMA_SUCCESS : named;
    BYTE *data;
    DWORD n;
    LONG result = dma_ReadWhole(path, &data, &n);
    if (result != DMA_SUCCESS)
        return result;
    DmaFoundBlock found[DMA_BLOCKS];
    result = dma_ParseSettingsFile(data, n, found);
    if (result == DMA_SUCCESS) {
        struct {
            void *buffer;
            DWORD *size;
        } const buffers[DMA_BLOCKS] = {
            {blocks->ndev, &blocks->ndevSize},
            {blocks->vqb, &blocks->vqbSize},
            {blocks->fax, &blocks->faxSize},
            {blocks->sp, &blocks->spSize},
        };
        // Every buffer is needed but the fax list's, which is needed for a list found.
        BOOL fit = TRUE;
        for (int i = 0; i < DMA_BLOCKS; ++i) {
            BOOL needed = i != DMA_BLOCK_FAX || found[i].size != 0;
            if (needed && (buffers[i].buffer == nullptr || *buffers[i].size < found[i].size))
                fit = FALSE;
        }
        for (int i = 0; i < DMA_BLOCKS; ++i) {
            if (fit && found[i].size != 0)
                memcpy(buffers[i].buffer, data + found[i].offset, found[i].size);
            *buffers[i].size = found[i].size;
        }
        result = fit ? DMA_SUCCESS : DMA_MORE_DATA;
    }
    if (data != nullptr)
        GlobalFree(data);
    return result;
}
