/*
 * Job and page commands of the writer, comments, raw job text and the ANSI strings.
 */
#include "render/pdl/writer/pdl_private.h"

#include <windows.h>

// Most bytes the 16-bit length of a string command carries.
static const DWORD kMaxStringBytes = 0xFFFF;
static const float kTenth = 0.1f;

int pdl_WriteModeBits(PdlWriter *writer, int b, int c, int d)
{
    return writer == NULL ? -1 : lmq_CmdEA(writer->stream, (d | (c | b << 2) << 4) & 0xFF);
}

int pdl_EmitEB(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdEB(writer->stream);
}

int pdl_EmitED(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdED(writer->stream);
}

int pdl_EmitEF(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdEF(writer->stream);
}

int pdl_EmitFB(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdFB(writer->stream);
}

int pdl_EmitFC(PdlWriter *writer)
{
    return writer == NULL ? -1 : lmq_CmdFC(writer->stream);
}

int pdl_EmitFE(PdlWriter *writer, int value)
{
    return writer == NULL ? -1 : lmq_CmdFE(writer->stream, value);
}

int pdl_EmitFI(PdlWriter *writer, int value)
{
    return writer == NULL ? -1 : lmq_CmdFI(writer->stream, value);
}

int pdl_SetFA(PdlWriter *writer, int selector, int value)
{
    if (writer == NULL) {
        return -1;
    }
    WORD *cached = &writer->cache->faValues[selector == 1 ? 0 : 1];
    if (pdl_IsCached(writer, *cached == (WORD)value)) {
        return 0;
    }
    if (lmq_CmdFA(writer->stream, selector, value) != 0) {
        return -1;
    }
    *cached = (WORD)value;
    return 0;
}

int pdl_SetFH(PdlWriter *writer, int first, int second)
{
    if (writer == NULL) {
        return -1;
    }
    WORD *pair = writer->cache->fhPair;
    if (pdl_IsCached(writer, pair[0] == (WORD)first && pair[1] == (WORD)second)) {
        return 0;
    }
    if (lmq_CmdFH(writer->stream, first, second) != 0) {
        return -1;
    }
    pair[0] = (WORD)first;
    pair[1] = (WORD)second;
    return 0;
}

int pdl_SetFF(PdlWriter *writer, LONG a, LONG b)
{
    if (writer == NULL) {
        return -1;
    }
    LONG *pair = writer->cache->ffValues;
    if (pdl_IsCached(writer, pair[0] == a && pair[1] == b)) {
        return 0;
    }
    int code = b != 0 ? (a != 0 ? 5 : 4) : (a != 0 ? 1 : 0);
    if (lmq_CmdFF(writer->stream, code) != 0) {
        return -1;
    }
    pair[0] = a;
    pair[1] = b;
    return 0;
}

int pdl_WritePageSize(PdlWriter *writer, int colorCode, int trayCode, int paperCode, const float size[2])
{
    return writer == NULL ? -1 : lmq_CmdEc(writer->stream, colorCode, trayCode, paperCode, size);
}

int pdl_WriteComment(PdlWriter *writer, DWORD length, const char *text)
{
    if (writer == NULL || text == NULL) {
        return -1;
    }
    return lmq_CmdEP(writer->stream, text, length);
}

int pdl_WriteRawString(PdlWriter *writer, DWORD length, const BYTE *text)
{
    if (writer == NULL || (text == NULL && length > 0)) {
        return -1;
    }
    return length == 0 ? 0 : lmq_WriteBytes(writer->stream, text, length);
}

// The first count characters of text in the ANSI code page, in a zeroed global-heap
// buffer of size + 1 bytes. *length: the bytes before the first zero. NULL when the
// conversion fails or memory is short; an empty text gives an empty buffer.
static BYTE *ToAnsi(const WCHAR *text, DWORD count, DWORD *length)
{
    *length = 0;
    if (text == NULL || count > kMaxStringBytes) {
        return NULL;
    }
    UINT codePage = GetACP();
    int size = 0;
    if (count > 0) {
        size = WideCharToMultiByte(codePage, 0, text, (int)count, NULL, 0, NULL, NULL);
        if (size <= 0) {
            return NULL;
        }
    }
    BYTE *buffer = (BYTE *)GlobalAlloc(GPTR, (DWORD)size + 1);
    if (buffer == NULL) {
        return NULL;
    }
    if (size > 0 && WideCharToMultiByte(codePage, 0, text, (int)count, (LPSTR)buffer, size, NULL, NULL) <= 0) {
        GlobalFree(buffer);
        return NULL;
    }
    DWORD n = 0;
    while (n < (DWORD)size && buffer[n] != 0) {
        ++n;
    }
    *length = n;
    return buffer;
}

// Sends text converted to the ANSI code page through send (EH or EE).
static int WriteAnsiString(PdlWriter *writer, const WCHAR *text, DWORD count,
                           int (*send)(OutputStream *, DWORD, const BYTE *))
{
    if (writer == NULL) {
        return -1;
    }
    DWORD length = 0;
    BYTE *bytes = ToAnsi(text, count, &length);
    if (bytes == NULL) {
        return -1;
    }
    int result = length > kMaxStringBytes ? -1 : send(writer->stream, length, bytes);
    GlobalFree(bytes);
    return result;
}

int pdl_WriteStringEH(PdlWriter *writer, const WCHAR *text, DWORD count)
{
    return WriteAnsiString(writer, text, count, lmq_CmdEH);
}

int pdl_WriteStringEE(PdlWriter *writer, const WCHAR *text, DWORD count)
{
    return WriteAnsiString(writer, text, count, lmq_CmdEE);
}

int pdl_WriteTextEg(PdlWriter *writer, const TextEgRecord *record, const WCHAR *text)
{
    if (writer == NULL || record == NULL) {
        return -1;
    }
    DWORD length = 0;
    BYTE *bytes = ToAnsi(text, record->count, &length);
    if (bytes == NULL) {
        return -1;
    }
    float extents[2] = {(float)record->extents[0] * kTenth, (float)record->extents[1] * kTenth};
    int result =
        length > kMaxStringBytes
            ? -1
            : lmq_CmdEg(writer->stream, length, bytes, record->matrix, record->kind, record->mediaCode, extents);
    GlobalFree(bytes);
    return result;
}
