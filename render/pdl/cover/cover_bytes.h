/*
 * Byte output of the cover pieces: big-endian words and floats into a buffer, or only
 * counted when there is none, so one routine both measures and writes.
 */
#ifndef QM_RENDER_PDL_COVER_COVER_BYTES_H
#define QM_RENDER_PDL_COVER_COVER_BYTES_H

#include <windows.h>

typedef struct CoverOut {
    BYTE *buffer; /* NULL: bytes are only counted */
    DWORD capacity;
    LONG used;
    BOOL failed; /* a write passed the capacity */
} CoverOut;

void cover_PutBytes(CoverOut *out, const void *bytes, DWORD count);
void cover_PutWord(CoverOut *out, WORD value);
void cover_PutFloat(CoverOut *out, float value);
/* Copies at most limit bytes of an ANSI text of `bytes` bytes into out, never cutting a
 * double-byte character. Returns the bytes copied, -1 for a negative length. */
int cover_CutWhole(UINT codePage, const char *text, int bytes, int limit, char *out);

#endif /* QM_RENDER_PDL_COVER_COVER_BYTES_H */
