/*
 * The one allocator of the printer-management library. Every object, buffer and node of
 * the library comes from here, so a refused allocation always takes the -3 path and the
 * process heap's block count shows what is still alive. Nothing throws.
 */
#ifndef MANAGEMENT_BASE_PMC_MEMORY_H
#define MANAGEMENT_BASE_PMC_MEMORY_H

#include <cstddef>

/*
 * pmc_alloc: allocates `size` bytes from the process heap.
 * size (in): bytes wanted; 0 is allowed and gives a distinct block.
 * Returns the block, or null when the allocation is refused.
 */
void *pmc_alloc(std::size_t size) noexcept;

/*
 * pmc_free: gives a block of pmc_alloc back; null is ignored.
 */
void pmc_free(void *block) noexcept;

/*
 * CPmcHeapObject: base of every heap object of the library. `new` on a derived class
 * allocates through pmc_alloc and answers null on refusal (the constructor does not run);
 * `delete` frees through pmc_free. The two operators are the library's own functions (not
 * inline), so that programs creating or deriving from the exported classes reach them.
 */
class CPmcHeapObject
{
public:
    static void *operator new(std::size_t size) noexcept;
    static void operator delete(void *block) noexcept;
};

#endif /* MANAGEMENT_BASE_PMC_MEMORY_H */
