/*
 * The document-name command of the cover page: Eg with the document's base name (its
 * path without directory and extension) in the ANSI code page, an identity matrix and a
 * zero byte.
 */
#include "render/pdl/cover/cover_block.h"

#include "render/pdl/cover/cover_bytes.h"

/* Length, text, six floats and the closing byte around the name. */
static const LONG kDocNameOverhead = 29;

/* The base name in ANSI bytes into name. Returns its bytes (0: none), -1 when it cannot
 * be converted. */
static int cover_BaseName(const CoverJob *job, char *name)
{
    LPCWSTR path = job != NULL ? job->documentPath : NULL;
    if (path == NULL || path[0] == 0) {
        return 0;
    }
    LPCWSTR start = path;
    for (LPCWSTR p = path; *p != 0; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            start = p + 1;
        }
    }
    int length = lstrlenW(start);
    for (int i = length - 1; i > 0; --i) {
        if (start[i] == '.') {
            length = i;
            break;
        }
    }
    if (length == 0) {
        return 0;
    }
    char whole[MAX_PATH * 2];
    int bytes = WideCharToMultiByte(CP_ACP, 0, start, length, whole, (int)sizeof whole, NULL, NULL);
    if (bytes <= 0) {
        return -1;
    }
    return cover_CutWhole(CP_ACP, whole, bytes, COVER_DOC_NAME_BYTES, name);
}

LONG pdl_MeasureDocNameText(const CoverJob *job)
{
    char name[COVER_DOC_NAME_BYTES];
    int bytes = cover_BaseName(job, name);
    return bytes <= 0 ? 0 : bytes + kDocNameOverhead;
}

LONG pdl_WriteDocNameText(const CoverJob *job, BYTE *buffer, DWORD capacity)
{
    char name[COVER_DOC_NAME_BYTES];
    int bytes = cover_BaseName(job, name);
    if (bytes < 0) {
        return -1;
    }
    if (bytes == 0) {
        return 0;
    }
    if (buffer == NULL) {
        return -1;
    }
    CoverOut out = {buffer, capacity, 0, FALSE};
    static const float kIdentity[6] = {1.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    static const BYTE kEnd = 0;
    cover_PutBytes(&out, "Eg", 2);
    cover_PutWord(&out, (WORD)bytes);
    cover_PutBytes(&out, name, (DWORD)bytes);
    for (float value : kIdentity) {
        cover_PutFloat(&out, value);
    }
    cover_PutBytes(&out, &kEnd, 1);
    return out.failed ? -1 : out.used;
}
