/*
 * Host-side model of the printer's memory: which address ranges hold which downloaded
 * object, in order of last use, and where a new object goes, evicting the least
 * recently used objects when room is short. Nothing here talks to the printer.
 */
#ifndef QM_RENDER_PDL_MEMORY_PRINTER_MEMORY_H
#define QM_RENDER_PDL_MEMORY_PRINTER_MEMORY_H

#include <windows.h>

// Granularity of the printer's memory, in bytes.
#define MEM_GRANULE 64

// Result codes.
#define MEM_OK 0
#define MEM_NO_MANAGER 1 // lookup without a manager
#define MEM_NO_HOST_MEMORY 2
#define MEM_NO_ROOM 4 // also: no manager (allocation, destruction)
#define MEM_NOT_FOUND 5

// MemoryBlock (24 bytes, global heap): one range of the printer's memory. A block whose
// three keys are 0 holds nothing.
struct MemoryBlock {
    DWORD address;
    DWORD size; // a multiple of MEM_GRANULE
    WORD key2;
    WORD key1;
    BYTE key3;
    MemoryBlock *next; // towards the least recently used
    MemoryBlock *prev; // towards the most recently used
};

// PrinterMemory (12 bytes, global heap). The blocks cover [0, total) without overlap and
// are listed in order of last use, the most recent first.
struct PrinterMemory {
    DWORD total; // the caller's size taken down to a multiple of MEM_GRANULE
    MemoryBlock *front;
    MemoryBlock *back;
};

// mem_CreatePrinterMemory: a manager with one empty block over the whole memory.
//   memory  out  the manager (NULL on failure)
//   size    in   bytes of printer memory
// Returns MEM_OK, MEM_NO_HOST_MEMORY (also for a NULL out pointer).
WORD mem_CreatePrinterMemory(PrinterMemory **memory, DWORD size);

// mem_DestroyPrinterMemory: frees every block and the manager. MEM_OK, MEM_NO_ROOM for NULL.
WORD mem_DestroyPrinterMemory(PrinterMemory *memory);

// mem_FindDownload: the address of the block carrying the three keys, which becomes the
// most recently used. Keys all 0 name no download.
//   address  out  the address (untouched unless found)
// Returns MEM_OK, MEM_NOT_FOUND, MEM_NO_MANAGER.
WORD mem_FindDownload(PrinterMemory *memory, WORD key1, WORD key2, BYTE key3, DWORD *address);

// mem_AllocateDownload: places size bytes (taken up to a multiple of MEM_GRANULE, at
// least one granule), evicting the least recently used blocks as needed.
//   address  out  where the object goes
//   word     out  set to 0 (optional)
//   commit   in   0: only answer the address an allocation would take, changing nothing;
//                 1: allocate and label the block with the keys (most recently used)
// Returns MEM_OK; MEM_NO_ROOM without a manager, for a size not below the total or when
// no run of neighbours is large enough; MEM_NO_HOST_MEMORY when a split finds no memory
// (the memory stays consistent).
WORD mem_AllocateDownload(PrinterMemory *memory, WORD key1, WORD key2, BYTE key3, DWORD *address, WORD *word,
                          DWORD size, BOOL commit);

#endif /* QM_RENDER_PDL_MEMORY_PRINTER_MEMORY_H */
