/* The library's entry routine and the record sizes of its data kinds. */
#include "devmode_access/dma_private.h"

/* Record size of each data kind, by kind number. */
static const LONG kStructSizes[] = {
    0,    /* 0 */
    0,    /* 1 */
    308,  /* 2: stamp */
    706,  /* 3: named text record */
    20,   /* 4: paper margin entry */
    742,  /* 5: fax destination */
    1442, /* 6: fax list head */
};

/* The library keeps no state: nothing to set up or tear down. */
BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

LONG WINAPI DMA_QueryStructSize(DWORD kind)
{
    return kind < sizeof(kStructSizes) / sizeof(kStructSizes[0]) ? kStructSizes[kind] : 0;
}
