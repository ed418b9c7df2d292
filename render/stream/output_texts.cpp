/*
 * Message strings of the output code.
 */
#include "render/stream/output_texts.h"

BOOL out_LoadText(HMODULE module, UINT id, LPWSTR buffer, int capacity)
{
    if (!buffer || capacity <= 0)
        return FALSE;
    buffer[0] = 0;
    return LoadStringW(module, id, buffer, capacity) > 0;
}
