/*
 * The library's allocator over the process heap.
 */
#include "management/base/pmc_memory.h"

#include <windows.h>

void *pmc_alloc(std::size_t size) noexcept
{
    return HeapAlloc(GetProcessHeap(), 0, size);
}

void pmc_free(void *block) noexcept
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}

void *CPmcHeapObject::operator new(std::size_t size) noexcept
{
    return pmc_alloc(size);
}

void CPmcHeapObject::operator delete(void *block) noexcept
{
    pmc_free(block);
}
