/*
 * Description data files in memory: opening, closing, the cursor, the bounded record
 * reader and the version text.
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"

static DddStatus file_Attach(DddFile *file, BYTE *bytes, DWORD size, DddResourceBlock *shared);
static void file_FreeResources(DddResourceBlock *block);
static int file_ParseNumber(const char *text, DWORD length, DWORD *at, DWORD limit, DWORD *value);

/* Fills file over bytes (taken over) and makes or shares the resource block. */
static DddStatus file_Attach(DddFile *file, BYTE *bytes, DWORD size, DddResourceBlock *shared)
{
    ZeroMemory(file, sizeof(*file));
    DddResourceBlock *block = shared;
    if (!block) {
        block = (DddResourceBlock *)GlobalAlloc(GPTR, sizeof(DddResourceBlock));
        if (!block) {
            GlobalFree(bytes);
            return DDD_NO_MEMORY;
        }
        block->referencesAllowed = 1;
        block->ownerBytes = bytes;
        block->ownerSize = size;
    }
    file->bytes = bytes;
    file->size = size;
    file->level = DDD_LEVEL_MODEL;
    file->resources = block;
    file->ownsResources = shared == NULL;
    return DDD_OK;
}

/* Frees the scratch buffers, the first resource module and the block. */
static void file_FreeResources(DddResourceBlock *block)
{
    for (int i = 0; i < DDD_SCRATCH_COUNT; ++i) {
        if (block->scratch[i].data) {
            GlobalFree(block->scratch[i].data);
        }
    }
    if (block->firstModule) {
        ddd_OsFreeModule(block->firstModule);
    }
    GlobalFree(block);
}

/*
 * Reads decimal digits at *at (below length, stopping at a 0 byte); at least one digit.
 * Values above limit fail. Returns 1 with *value, 0 when there is no number or too large.
 */
static int file_ParseNumber(const char *text, DWORD length, DWORD *at, DWORD limit, DWORD *value)
{
    DWORD i = *at;
    DWORD result = 0;
    while (i < length && text[i] >= '0' && text[i] <= '9') {
        result = result * 10 + (DWORD)(text[i] - '0');
        if (result > limit) {
            return 0;
        }
        ++i;
    }
    if (i == *at) {
        return 0;
    }
    *at = i;
    *value = result;
    return 1;
}

DddStatus ddd_CloseFile(DddFile *file)
{
    if (!file || !file->bytes) {
        return DDD_ERROR;
    }
    if (file->ownsResources && file->resources) {
        file_FreeResources(file->resources);
    }
    GlobalFree(file->bytes);
    ZeroMemory(file, sizeof(*file));
    return DDD_OK;
}

DddStatus ddd_OpenFile(LPCWSTR path, DddFile *file, DddResourceBlock *shared)
{
    if (!path || !file) {
        return DDD_ERROR;
    }
    ZeroMemory(file, sizeof(*file));
    BYTE *bytes = NULL;
    DWORD size = 0;
    DddStatus status = ddd_OsLoadFile(path, &bytes, &size);
    if (status != DDD_OK) {
        return status;
    }
    return file_Attach(file, bytes, size, shared);
}

DddStatus ddd_OpenMemory(const BYTE *bytes, DWORD size, DddFile *file, DddResourceBlock *shared)
{
    if (!bytes || size == 0 || !file) {
        return DDD_ERROR;
    }
    ZeroMemory(file, sizeof(*file));
    BYTE *copy = (BYTE *)GlobalAlloc(GPTR, size);
    if (!copy) {
        return DDD_NO_MEMORY;
    }
    CopyMemory(copy, bytes, size);
    return file_Attach(file, copy, size, shared);
}

DWORD ddd_PackVersion(WORD major, WORD minor, WORD build)
{
    return ((DWORD)major << 24) | ((DWORD)minor << 16) | (DWORD)build;
}

DddStatus ddd_ParseVersionText(const char *text, DWORD length, WORD *major, WORD *minor, WORD *build)
{
    if (!text || !major || !minor || !build) {
        return DDD_ERROR;
    }
    DWORD end = 0;
    while (end < length && text[end] != 0) {
        ++end;
    }
    DWORD at = 0;
    while (at < end && text[at] != ':') {
        ++at;
    }
    if (at == end) {
        return DDD_ERROR;
    }
    ++at;
    /* Each number is ended by one character of any kind, or by the end of the text. */
    static const DWORD limits[3] = {255, 255, 65535};
    DWORD values[3] = {0, 0, 0};
    for (int part = 0; part < 3; ++part) {
        if (!file_ParseNumber(text, end, &at, limits[part], &values[part])) {
            return DDD_ERROR;
        }
        if (at < end) {
            ++at;
        }
    }
    *major = (WORD)values[0];
    *minor = (WORD)values[1];
    *build = (WORD)values[2];
    return DDD_OK;
}

DddStatus ddd_Read(DddFile *file, void *destination, DWORD n)
{
    if (!file || !destination || n == 0 || !file->bytes) {
        return DDD_ERROR;
    }
    if (!ddd_Available(file, file->position, n)) {
        file->failOffset = file->position;
        return DDD_ERROR;
    }
    CopyMemory(destination, file->bytes + file->position, n);
    file->position += n;
    return DDD_OK;
}

DddStatus ddd_Seek(DddFile *file, int mode, LONG value)
{
    if (!file || !file->bytes) {
        return DDD_ERROR;
    }
    long long target = mode == 1 ? (long long)file->position + value : (long long)(DWORD)value;
    if (target < 0 || target > (long long)file->size) {
        file->failOffset = file->position;
        return DDD_ERROR;
    }
    file->position = (DWORD)target;
    return DDD_OK;
}

DddStatus ddd_SeekBack(DddFile *file, DWORD n)
{
    if (!file || !file->bytes || n > file->position) {
        return DDD_ERROR;
    }
    file->position -= n;
    return DDD_OK;
}

/* ---- the bounded reader ---- */

BYTE ddd_ReaderByte(DddReader *reader)
{
    const BYTE *p = ddd_ReaderTake(reader, 1);
    return p ? p[0] : 0;
}

DWORD ddd_ReaderDword(DddReader *reader)
{
    const BYTE *p = ddd_ReaderTake(reader, 4);
    return p ? ddd_Dword(p) : 0;
}

void ddd_ReaderFail(DddReader *reader, DddStatus status)
{
    if (reader->status == DDD_OK) {
        reader->status = status;
        reader->file->failOffset = reader->position;
    }
}

void ddd_ReaderInit(DddReader *reader, DddFile *file, DWORD end)
{
    reader->file = file;
    reader->position = file->position;
    reader->end = end < file->size ? end : file->size;
    reader->status = DDD_OK;
    if (reader->position > reader->end) {
        ddd_ReaderFail(reader, DDD_ERROR);
    }
}

const BYTE *ddd_ReaderTake(DddReader *reader, DWORD n)
{
    if (reader->status != DDD_OK) {
        return NULL;
    }
    if (reader->position > reader->end || n > reader->end - reader->position) {
        ddd_ReaderFail(reader, DDD_ERROR);
        return NULL;
    }
    const BYTE *p = reader->file->bytes + reader->position;
    reader->position += n;
    return p;
}

WORD ddd_ReaderWord(DddReader *reader)
{
    const BYTE *p = ddd_ReaderTake(reader, 2);
    return p ? ddd_Word(p) : 0;
}
