/*
 * Byte output of the cover pieces (cover_bytes.h).
 */
#include "render/pdl/cover/cover_bytes.h"

#include <string.h>

void cover_PutBytes(CoverOut *out, const void *bytes, DWORD count)
{
    if (out->buffer != NULL) {
        if (out->failed || (DWORD)out->used + count > out->capacity) {
            out->failed = TRUE;
            return;
        }
        memcpy(out->buffer + out->used, bytes, count);
    }
    out->used += (LONG)count;
}

void cover_PutWord(CoverOut *out, WORD value)
{
    const BYTE bytes[2] = {(BYTE)(value >> 8), (BYTE)value};
    cover_PutBytes(out, bytes, 2);
}

void cover_PutFloat(CoverOut *out, float value)
{
    DWORD bits = 0;
    memcpy(&bits, &value, sizeof bits);
    const BYTE bytes[4] = {(BYTE)(bits >> 24), (BYTE)(bits >> 16), (BYTE)(bits >> 8), (BYTE)bits};
    cover_PutBytes(out, bytes, 4);
}

int cover_CutWhole(UINT codePage, const char *text, int bytes, int limit, char *out)
{
    if (bytes < 0) {
        return -1;
    }
    int at = 0;
    while (at < bytes) {
        int size = (at + 1 < bytes && IsDBCSLeadByteEx(codePage, (BYTE)text[at])) ? 2 : 1;
        if (at + size > limit) {
            break;
        }
        at += size;
    }
    memcpy(out, text, (size_t)at);
    return at;
}
