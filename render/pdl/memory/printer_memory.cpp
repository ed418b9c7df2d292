/*
 * The printer memory model: a list of blocks in order of last use.
 */
#include "render/pdl/memory/printer_memory.h"
#include "platform/include/qm_layout.h"

static_assert(sizeof(MemoryBlock) == QM_LAYOUT(24, 32), "MemoryBlock");
static_assert(sizeof(PrinterMemory) == QM_LAYOUT(12, 24), "PrinterMemory");

static MemoryBlock *new_block(DWORD address, DWORD size)
{
    MemoryBlock *block = (MemoryBlock *)GlobalAlloc(GPTR, sizeof(MemoryBlock));
    if (!block)
        return NULL;
    block->address = address;
    block->size = size;
    return block;
}

static void clear_keys(MemoryBlock *block)
{
    block->key1 = 0;
    block->key2 = 0;
    block->key3 = 0;
}

static void unlink_block(PrinterMemory *memory, MemoryBlock *block)
{
    if (block->prev)
        block->prev->next = block->next;
    else
        memory->front = block->next;
    if (block->next)
        block->next->prev = block->prev;
    else
        memory->back = block->prev;
    block->next = NULL;
    block->prev = NULL;
}

static void push_front(PrinterMemory *memory, MemoryBlock *block)
{
    block->prev = NULL;
    block->next = memory->front;
    if (memory->front)
        memory->front->prev = block;
    else
        memory->back = block;
    memory->front = block;
}

static void push_back(PrinterMemory *memory, MemoryBlock *block)
{
    block->next = NULL;
    block->prev = memory->back;
    if (memory->back)
        memory->back->next = block;
    else
        memory->front = block;
    memory->back = block;
}

static void move_front(PrinterMemory *memory, MemoryBlock *block)
{
    unlink_block(memory, block);
    push_front(memory, block);
}

static MemoryBlock *block_at(const PrinterMemory *memory, DWORD address)
{
    for (MemoryBlock *b = memory->front; b; b = b->next)
        if (b->address == address)
            return b;
    return NULL;
}

static MemoryBlock *block_ending_at(const PrinterMemory *memory, DWORD end)
{
    for (MemoryBlock *b = memory->front; b; b = b->next)
        if (b->address + b->size == end)
            return b;
    return NULL;
}

// First block from the least recently used end with at least n bytes; NULL when none.
static MemoryBlock *first_fit(const PrinterMemory *memory, DWORD n)
{
    for (MemoryBlock *b = memory->back; b; b = b->prev)
        if (b->size >= n)
            return b;
    return NULL;
}

// The run of neighbours the back block grows over to reach n bytes: the block that
// starts where the run ends is taken first, else the one that ends where it starts.
// Out: [*low, *high). FALSE when the run cannot reach n bytes.
static BOOL grown_range(const PrinterMemory *memory, DWORD n, DWORD *low, DWORD *high)
{
    *low = memory->back->address;
    *high = *low + memory->back->size;
    while (*high - *low < n) {
        MemoryBlock *after = block_at(memory, *high);
        if (after) {
            *high += after->size;
            continue;
        }
        MemoryBlock *before = *low ? block_ending_at(memory, *low) : NULL;
        if (!before)
            return FALSE;
        *low = before->address;
    }
    return TRUE;
}

// Merges every other block of [low, high) into the back block, which then covers it.
static void merge_range(PrinterMemory *memory, DWORD low, DWORD high)
{
    MemoryBlock *grown = memory->back;
    MemoryBlock *b = memory->front;
    while (b) {
        MemoryBlock *next = b->next;
        if (b != grown && b->address >= low && b->address < high) {
            unlink_block(memory, b);
            GlobalFree(b);
        }
        b = next;
    }
    grown->address = low;
    grown->size = high - low;
    clear_keys(grown);
}

// Takes a block of n bytes at the front and answers its address. The one routine of
// the query (commit FALSE: nothing changes) and the allocation.
static WORD place(PrinterMemory *memory, DWORD n, BOOL commit, DWORD *address)
{
    MemoryBlock *fit = first_fit(memory, n);
    if (fit) {
        if (fit->size == n) {
            *address = fit->address;
            if (commit)
                move_front(memory, fit);
            return MEM_OK;
        }
        *address = fit->address + fit->size - n;
        if (!commit)
            return MEM_OK;
        MemoryBlock *taken = new_block(*address, n);
        if (!taken)
            return MEM_NO_HOST_MEMORY;
        fit->size -= n;
        clear_keys(fit);
        unlink_block(memory, fit);
        push_back(memory, fit);
        push_front(memory, taken);
        return MEM_OK;
    }
    // The run of neighbours is measured before anything merges, and the merge is made only
    // once the run reaches n: a refused request merges nothing, so both ends of the list
    // stay exactly as they were and every cached download survives it. Merging neighbour
    // by neighbour and keeping the merges made before the run falls short would also be
    // consistent, but would throw away downloads for nothing.
    DWORD low, high;
    if (!grown_range(memory, n, &low, &high))
        return MEM_NO_ROOM;
    *address = low;
    if (!commit)
        return MEM_OK;
    merge_range(memory, low, high);
    MemoryBlock *grown = memory->back;
    if (grown->size > n) {
        MemoryBlock *rest = new_block(low + n, grown->size - n);
        if (!rest)
            return MEM_NO_HOST_MEMORY; // merged, empty and whole: still consistent
        grown->size = n;
        push_back(memory, rest);
    }
    move_front(memory, grown);
    return MEM_OK;
}

WORD mem_CreatePrinterMemory(PrinterMemory **memory, DWORD size)
{
    if (!memory)
        return MEM_NO_HOST_MEMORY;
    *memory = NULL;
    PrinterMemory *m = (PrinterMemory *)GlobalAlloc(GPTR, sizeof(PrinterMemory));
    if (!m)
        return MEM_NO_HOST_MEMORY;
    m->total = size - size % MEM_GRANULE;
    MemoryBlock *whole = new_block(0, m->total);
    if (!whole) {
        GlobalFree(m);
        return MEM_NO_HOST_MEMORY;
    }
    push_front(m, whole);
    *memory = m;
    return MEM_OK;
}

WORD mem_DestroyPrinterMemory(PrinterMemory *memory)
{
    if (!memory)
        return MEM_NO_ROOM;
    MemoryBlock *b = memory->front;
    while (b) {
        MemoryBlock *next = b->next;
        GlobalFree(b);
        b = next;
    }
    GlobalFree(memory);
    return MEM_OK;
}

WORD mem_FindDownload(PrinterMemory *memory, WORD key1, WORD key2, BYTE key3, DWORD *address)
{
    if (!memory)
        return MEM_NO_MANAGER;
    if (!key1 && !key2 && !key3)
        return MEM_NOT_FOUND; // empty blocks carry these keys
    for (MemoryBlock *b = memory->front; b; b = b->next) {
        if (b->key1 != key1 || b->key2 != key2 || b->key3 != key3)
            continue;
        move_front(memory, b);
        if (address)
            *address = b->address;
        return MEM_OK;
    }
    return MEM_NOT_FOUND;
}

WORD mem_AllocateDownload(PrinterMemory *memory, WORD key1, WORD key2, BYTE key3, DWORD *address, WORD *word,
                          DWORD size, BOOL commit)
{
    if (word)
        *word = 0;
    if (!memory || !memory->back)
        return MEM_NO_ROOM;
    if (size > 0xFFFFFFFFUL - MEM_GRANULE)
        return MEM_NO_ROOM;
    DWORD n = size == 0 ? MEM_GRANULE : (size + MEM_GRANULE - 1) / MEM_GRANULE * MEM_GRANULE;
    if (n >= memory->total)
        return MEM_NO_ROOM;
    DWORD at = 0;
    WORD result = place(memory, n, commit, &at);
    if (result != MEM_OK)
        return result;
    if (commit) {
        memory->front->key1 = key1;
        memory->front->key2 = key2;
        memory->front->key3 = key3;
    }
    if (address)
        *address = at;
    return MEM_OK;
}
