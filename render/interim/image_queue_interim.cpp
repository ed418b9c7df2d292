/*
 * Interim image queue: nothing is ever queued, so making, destroying and flushing the empty queue succeed.
 */
#include "render/pdl/images/image_queue.h"

LONG WINAPI img_CreateImageQueue(PDEV *, DWORD)
{
    return 0;
}

LONG WINAPI img_DestroyImageQueue(PDEV *)
{
    return 0;
}

BOOL WINAPI img_FlushImageQueue(PDEV *, DWORD)
{
    return TRUE;
}
