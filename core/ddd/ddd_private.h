/*
 * Private helpers of the description data reader: a bounded byte reader over one record,
 * little-endian decoding, and the calls into the operating system, kept in one file
 * (ddd_os.cpp).
 */
#ifndef QM_CORE_DDD_DDD_PRIVATE_H
#define QM_CORE_DDD_DDD_PRIVATE_H

#include "core/ddd/ddd.h"

/* Reads bounded by the end of one record (or of the file). */
typedef struct DddReader {
    DddFile *file;
    DWORD position;
    DWORD end;
    DddStatus status; /* first failure, kept: later reads then fail too */
} DddReader;

/* Little-endian decoding of bytes known to lie in the file. */
static inline WORD ddd_Word(const BYTE *p)
{
    return (WORD)(p[0] | (p[1] << 8));
}
static inline DWORD ddd_Dword(const BYTE *p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

/* ddd_Available: 1 when n bytes from position lie in the file. */
static inline int ddd_Available(const DddFile *file, DWORD position, DWORD n)
{
    return file && file->bytes && position <= file->size && n <= file->size - position;
}

/* Reader over file from the cursor to end (clamped to the file). */
void ddd_ReaderInit(DddReader *reader, DddFile *file, DWORD end);
/* Takes n bytes: their address, or NULL (status 1, offset recorded) past the end. */
const BYTE *ddd_ReaderTake(DddReader *reader, DWORD n);
BYTE ddd_ReaderByte(DddReader *reader);
WORD ddd_ReaderWord(DddReader *reader);
DWORD ddd_ReaderDword(DddReader *reader);
/* Fails the reader with status at its position (the first failure is kept). */
void ddd_ReaderFail(DddReader *reader, DddStatus status);

/* Reads a text field at the reader's position (bounded by the reader). */
DddStatus ddd_ReaderText(DddReader *reader, WCHAR **text);

/* Entry table: fixed count and fixed size per key, 0 = stored in the file. */
typedef struct DddEntryShape {
    BYTE count;
    BYTE size;
} DddEntryShape;
extern const DddEntryShape g_dddEntryShapes[DDD_ENTRY_COUNT];

/* Directory slot order of the record types. */
#define DDD_DIRECTORY_SLOTS 23
extern const WORD g_dddSlotTypes[DDD_DIRECTORY_SLOTS];

/* Reads text element index of an entry with stored sizes, inverted text only (no
 * references): for module names. text: out, new ANSI copy (0-terminated). */
DddStatus ddd_ReadEntryAnsi(DddFile *file, WORD key, WORD index, char **text);

/* Allocation of a block owned by a record (freed with it); NULL when out of memory. */
void *ddd_RecordAlloc(DddRecordHead *record, DWORD size);
/* Links an already allocated block into the record's owned chain; 4 when out of memory
 * (the block is then freed). */
DddStatus ddd_RecordOwn(DddRecordHead *record, void *block);

/* ---- operating system (ddd_os.cpp) ---- */

/* Maps path read-only and copies its bytes into a new global block. 0, 1 or 4. */
DddStatus ddd_OsLoadFile(LPCWSTR path, BYTE **bytes, DWORD *size);
/* Loads a resource module of the driver's directory without running code; NULL on failure. */
HMODULE ddd_OsLoadModule(const char *fileName);
void ddd_OsFreeModule(HMODULE module);
/* Loads string id of module into buffer (chars characters); the length, 0 when missing. */
int ddd_OsLoadString(HMODULE module, UINT id, WCHAR *buffer, int chars);
/* The directory of path with its trailing separator, as a new string; NULL on failure. */
WCHAR *ddd_OsDirectoryOf(LPCWSTR path);

#endif /* QM_CORE_DDD_DDD_PRIVATE_H */
