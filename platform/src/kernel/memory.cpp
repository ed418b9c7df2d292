/*
 * Global, local and private-heap memory with live-block accounting.
 *
 * Every block carries a header in front of the caller's bytes; blocks of a private heap
 * are chained to their heap so that HeapDestroy returns them all. Handles of global and
 * local blocks are the block addresses (fixed and moveable alike), which is all the
 * system relies on.
 */
#include <windows.h>

#include <mutex>
#include <stdlib.h>
#include <string.h>

#include "platform/src/kernel/kernel_private.h"
#include "platform/testing/qm_testing.h"

namespace {

enum BlockKind : DWORD { kGlobal = 1, kLocal = 2, kHeap = 3 };

const DWORD kBlockMagic = 0x4B4C4251; /* "QBLK" */
const DWORD kHeapMagic = 0x50414851;  /* "QHAP" */
const DWORD kDeadMagic = 0x44414544;

struct Heap;

struct alignas(16) BlockHeader {
    DWORD magic;
    DWORD kind;
    SIZE_T size;
    DWORD locks;
    Heap *heap;
    BlockHeader *prev;
    BlockHeader *next;
};
static_assert(sizeof(BlockHeader) % 16 == 0, "block payload stays 16-byte aligned");

struct Heap {
    DWORD magic;
    BlockHeader *first;
    DWORD live;
    Heap *prev;
    Heap *next;
};

std::mutex g_lock;
DWORD g_live_global;
DWORD g_live_local;
DWORD g_live_heap_blocks;
DWORD g_live_heaps;
Heap *g_heaps;
Heap g_process_heap = {kHeapMagic, nullptr, 0, nullptr, nullptr};
long long g_fail_countdown = -1; /* allocations still allowed before refusals; -1 = never refuse */
DWORD g_fail_count;              /* how many allocations to refuse once the countdown ends */

DWORD *counter_for(DWORD kind)
{
    switch (kind) {
    case kGlobal: return &g_live_global;
    case kLocal: return &g_live_local;
    default: return &g_live_heap_blocks;
    }
}

/* Caller holds g_lock. */
void link_block(BlockHeader *b)
{
    ++*counter_for(b->kind);
    if (b->heap) {
        b->prev = nullptr;
        b->next = b->heap->first;
        if (b->next)
            b->next->prev = b;
        b->heap->first = b;
        ++b->heap->live;
    }
}

/* Caller holds g_lock. */
void unlink_block(BlockHeader *b)
{
    --*counter_for(b->kind);
    if (b->heap) {
        if (b->prev)
            b->prev->next = b->next;
        else
            b->heap->first = b->next;
        if (b->next)
            b->next->prev = b->prev;
        --b->heap->live;
    }
}

BlockHeader *header_of(LPCVOID p, DWORD kind)
{
    /* Nothing is ever allocated in the lowest 64 KB: such a value is no block (a handle
     * number, or a small integer passed by mistake). */
    if ((uintptr_t)p < 0x10000)
        return nullptr;
    BlockHeader *b = (BlockHeader *)((uintptr_t)p - sizeof(BlockHeader));
    if (b->magic != kBlockMagic || b->kind != kind)
        return nullptr;
    return b;
}

void *new_block(DWORD kind, Heap *heap, SIZE_T size, bool zero)
{
    if (size > 0x7FFFFFF0u - sizeof(BlockHeader) || !qmk::AllocationAllowed()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    BlockHeader *b = (BlockHeader *)malloc(sizeof(BlockHeader) + (size ? size : 1));
    if (!b) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    memset(b, 0, sizeof(*b));
    b->magic = kBlockMagic;
    b->kind = kind;
    b->size = size;
    b->heap = heap;
    if (zero)
        memset(b + 1, 0, size);
    std::lock_guard<std::mutex> guard(g_lock);
    link_block(b);
    return b + 1;
}

void *resize_block(BlockHeader *b, SIZE_T size, bool zero)
{
    if (size > 0x7FFFFFF0u - sizeof(BlockHeader) || !qmk::AllocationAllowed()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    SIZE_T old = b->size;
    unlink_block(b);
    BlockHeader *nb = (BlockHeader *)realloc(b, sizeof(BlockHeader) + (size ? size : 1));
    if (!nb) {
        link_block(b);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    nb->size = size;
    if (zero && size > old)
        memset((char *)(nb + 1) + old, 0, size - old);
    link_block(nb);
    return nb + 1;
}

void free_block(BlockHeader *b)
{
    {
        std::lock_guard<std::mutex> guard(g_lock);
        unlink_block(b);
    }
    b->magic = kDeadMagic;
    free(b);
}

Heap *heap_of(HANDLE h)
{
    Heap *heap = (Heap *)h;
    if (!heap || heap->magic != kHeapMagic)
        return nullptr;
    return heap;
}

HANDLE mem_alloc(DWORD kind, UINT flags, SIZE_T bytes)
{
    return new_block(kind, nullptr, bytes, (flags & GMEM_ZEROINIT) != 0);
}

HANDLE mem_realloc(DWORD kind, HANDLE h, SIZE_T bytes, UINT flags)
{
    BlockHeader *b = header_of(h, kind);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (flags & GMEM_MODIFY)
        return h;
    return resize_block(b, bytes, (flags & GMEM_ZEROINIT) != 0);
}

HANDLE mem_free(DWORD kind, HANDLE h)
{
    if (!h)
        return nullptr;
    BlockHeader *b = header_of(h, kind);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return h;
    }
    free_block(b);
    return nullptr;
}

SIZE_T mem_size(DWORD kind, HANDLE h)
{
    BlockHeader *b = header_of(h, kind);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return b->size;
}

LPVOID mem_lock(DWORD kind, HANDLE h)
{
    BlockHeader *b = header_of(h, kind);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++b->locks;
    return h;
}

BOOL mem_unlock(DWORD kind, HANDLE h)
{
    BlockHeader *b = header_of(h, kind);
    if (!b) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (b->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --b->locks;
    if (b->locks == 0) {
        SetLastError(NO_ERROR);
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool qmk::AllocationAllowed()
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (g_fail_countdown < 0)
        return true;
    if (g_fail_countdown > 0) {
        --g_fail_countdown;
        return true;
    }
    if (g_fail_count > 0 && --g_fail_count == 0)
        g_fail_countdown = -1;
    return false;
}

extern "C" {

HGLOBAL WINAPI GlobalAlloc(UINT uFlags, SIZE_T dwBytes)
{
    return mem_alloc(kGlobal, uFlags, dwBytes);
}
HGLOBAL WINAPI GlobalReAlloc(HGLOBAL hMem, SIZE_T dwBytes, UINT uFlags)
{
    return mem_realloc(kGlobal, hMem, dwBytes, uFlags);
}
HGLOBAL WINAPI GlobalFree(HGLOBAL hMem)
{
    return mem_free(kGlobal, hMem);
}
SIZE_T WINAPI GlobalSize(HGLOBAL hMem)
{
    return mem_size(kGlobal, hMem);
}
LPVOID WINAPI GlobalLock(HGLOBAL hMem)
{
    return mem_lock(kGlobal, hMem);
}
BOOL WINAPI GlobalUnlock(HGLOBAL hMem)
{
    return mem_unlock(kGlobal, hMem);
}
HGLOBAL WINAPI GlobalHandle(LPCVOID pMem)
{
    return header_of(pMem, kGlobal) ? (HGLOBAL)pMem : nullptr;
}
UINT WINAPI GlobalFlags(HGLOBAL hMem)
{
    BlockHeader *b = header_of(hMem, kGlobal);
    return b ? (b->locks & 0xFF) : 0x8000; /* GMEM_INVALID_HANDLE */
}

HLOCAL WINAPI LocalAlloc(UINT uFlags, SIZE_T uBytes)
{
    return mem_alloc(kLocal, uFlags, uBytes);
}
HLOCAL WINAPI LocalReAlloc(HLOCAL hMem, SIZE_T uBytes, UINT uFlags)
{
    return mem_realloc(kLocal, hMem, uBytes, uFlags);
}
HLOCAL WINAPI LocalFree(HLOCAL hMem)
{
    return mem_free(kLocal, hMem);
}
SIZE_T WINAPI LocalSize(HLOCAL hMem)
{
    return mem_size(kLocal, hMem);
}
LPVOID WINAPI LocalLock(HLOCAL hMem)
{
    return mem_lock(kLocal, hMem);
}
BOOL WINAPI LocalUnlock(HLOCAL hMem)
{
    return mem_unlock(kLocal, hMem);
}

HANDLE WINAPI HeapCreate(DWORD, SIZE_T, SIZE_T)
{
    if (!qmk::AllocationAllowed()) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    Heap *heap = (Heap *)calloc(1, sizeof(Heap));
    if (!heap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    heap->magic = kHeapMagic;
    std::lock_guard<std::mutex> guard(g_lock);
    heap->next = g_heaps;
    if (g_heaps)
        g_heaps->prev = heap;
    g_heaps = heap;
    ++g_live_heaps;
    return heap;
}

BOOL WINAPI HeapDestroy(HANDLE hHeap)
{
    Heap *heap = heap_of(hHeap);
    if (!heap || heap == &g_process_heap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    std::lock_guard<std::mutex> guard(g_lock);
    for (BlockHeader *b = heap->first; b;) {
        BlockHeader *next = b->next;
        --g_live_heap_blocks;
        b->magic = kDeadMagic;
        free(b);
        b = next;
    }
    if (heap->prev)
        heap->prev->next = heap->next;
    else
        g_heaps = heap->next;
    if (heap->next)
        heap->next->prev = heap->prev;
    --g_live_heaps;
    heap->magic = kDeadMagic;
    free(heap);
    return TRUE;
}

LPVOID WINAPI HeapAlloc(HANDLE hHeap, DWORD dwFlags, SIZE_T dwBytes)
{
    Heap *heap = heap_of(hHeap);
    if (!heap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return new_block(kHeap, heap, dwBytes, (dwFlags & HEAP_ZERO_MEMORY) != 0);
}

LPVOID WINAPI HeapReAlloc(HANDLE hHeap, DWORD dwFlags, LPVOID lpMem, SIZE_T dwBytes)
{
    Heap *heap = heap_of(hHeap);
    BlockHeader *b = header_of(lpMem, kHeap);
    if (!heap || !b || b->heap != heap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if ((dwFlags & HEAP_REALLOC_IN_PLACE_ONLY) && dwBytes > b->size) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return resize_block(b, dwBytes, (dwFlags & HEAP_ZERO_MEMORY) != 0);
}

BOOL WINAPI HeapFree(HANDLE hHeap, DWORD, LPVOID lpMem)
{
    if (!lpMem)
        return TRUE;
    Heap *heap = heap_of(hHeap);
    BlockHeader *b = header_of(lpMem, kHeap);
    if (!heap || !b || b->heap != heap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    free_block(b);
    return TRUE;
}

SIZE_T WINAPI HeapSize(HANDLE hHeap, DWORD, LPCVOID lpMem)
{
    Heap *heap = heap_of(hHeap);
    BlockHeader *b = header_of(lpMem, kHeap);
    if (!heap || !b || b->heap != heap) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return (SIZE_T)-1;
    }
    return b->size;
}

HANDLE WINAPI GetProcessHeap(void)
{
    return &g_process_heap;
}

DWORD qmt_LiveGlobalBlocks(void)
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_live_global;
}

DWORD qmt_LiveLocalBlocks(void)
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_live_local;
}

DWORD qmt_LiveHeaps(void)
{
    std::lock_guard<std::mutex> guard(g_lock);
    return g_live_heaps;
}

DWORD qmt_LiveHeapBlocks(HANDLE hHeap)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (!hHeap)
        return g_live_heap_blocks;
    Heap *heap = heap_of(hHeap);
    return heap ? heap->live : 0;
}

void qmt_FailAllocations(DWORD after, DWORD count)
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (count == 0) {
        g_fail_countdown = -1;
        g_fail_count = 0;
        return;
    }
    g_fail_countdown = after;
    g_fail_count = count;
}

} // extern "C"
