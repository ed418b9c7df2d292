/*
 * Text fields: scratch buffers of the resource block, resource-string references into the
 * modules named by entry 35, and inverted inline text.
 *
 * A text field is {u16 n, n bytes}. A reference is the inverted fallback text with its
 * terminator followed by {u16 module, u16 string, byte 0}; inline text is the ANSI bytes
 * with their terminator, each XOR 0xFF. Inline conversion never reads past n, whether or
 * not the bytes hold a terminator, so a failed reference falls back to its own text.
 */
#include "core/ddd/ddd.h"

#include "core/ddd/ddd_private.h"

/* Entry holding the resource module names. */
#define TEXT_MODULE_ENTRY 35
/* Bytes of the reference trailer {u16 module, u16 string, byte 0}. */
#define TEXT_REFERENCE_TAIL 5

static DddScratch *text_AcquireScratch(DddResourceBlock *block, DWORD need);
static int text_IsPlainFileName(const char *name);
static HMODULE text_LoadNamedModule(DddResourceBlock *block, WORD index);
static WCHAR *text_ResolveReference(DddResourceBlock *block, WORD module, WORD string, DddStatus *status);
static DWORD text_Length(const WCHAR *text);
static WCHAR *text_WideCopy(const WCHAR *text, int length);

/* A free scratch buffer of at least need bytes (replacing a smaller free one), or NULL. */
static DddScratch *text_AcquireScratch(DddResourceBlock *block, DWORD need)
{
    if (need < DDD_SCRATCH_MIN_BYTES) {
        need = DDD_SCRATCH_MIN_BYTES;
    }
    DddScratch *smaller = NULL;
    for (int i = 0; i < DDD_SCRATCH_COUNT; ++i) {
        DddScratch *scratch = &block->scratch[i];
        if (scratch->inUse) {
            continue;
        }
        if (scratch->data && scratch->capacity >= need) {
            scratch->inUse = 1;
            return scratch;
        }
        if (!smaller) {
            smaller = scratch;
        }
    }
    if (!smaller) {
        return NULL;
    }
    BYTE *data = (BYTE *)GlobalAlloc(GPTR, need);
    if (!data) {
        return NULL;
    }
    if (smaller->data) {
        GlobalFree(smaller->data);
    }
    smaller->data = data;
    smaller->capacity = need;
    smaller->inUse = 1;
    return smaller;
}

/* 1 when name is a plain file name: not empty, no separator, no drive, no "..". */
static int text_IsPlainFileName(const char *name)
{
    if (!name[0]) {
        return 0;
    }
    for (const char *p = name; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') {
            return 0;
        }
        if (p[0] == '.' && p[1] == '.') {
            return 0;
        }
    }
    return 1;
}

/* Loads the module named by string index of the owner's entry 35; NULL on failure. */
static HMODULE text_LoadNamedModule(DddResourceBlock *block, WORD index)
{
    if (!block->ownerBytes) {
        return NULL;
    }
    DddFile owner;
    ZeroMemory(&owner, sizeof(owner));
    owner.bytes = (BYTE *)block->ownerBytes;
    owner.size = block->ownerSize;
    char *name = NULL;
    if (ddd_ReadEntryAnsi(&owner, TEXT_MODULE_ENTRY, index, &name) != DDD_OK) {
        return NULL;
    }
    HMODULE module = text_IsPlainFileName(name) ? ddd_OsLoadModule(name) : NULL;
    GlobalFree(name);
    return module;
}

/*
 * The text of a reference: string `string` of module `module` (1 = the first module,
 * kept in the block; m >= 2 = the file of string m - 1, loaded for this string only).
 * A module that cannot be loaded switches references off. NULL when no text came from it
 * (status stays 0) or out of memory (status 4).
 */
static WCHAR *text_ResolveReference(DddResourceBlock *block, WORD module, WORD string, DddStatus *status)
{
    HMODULE handle = NULL;
    if (module == 1) {
        if (!block->firstModule) {
            block->firstModule = text_LoadNamedModule(block, 0);
        }
        handle = block->firstModule;
    } else {
        handle = text_LoadNamedModule(block, (WORD)(module - 1));
    }
    if (!handle) {
        block->referencesAllowed = 0;
        return NULL;
    }
    WCHAR buffer[DDD_RESOURCE_STRING_CHARS + 1];
    int length = ddd_OsLoadString(handle, string, buffer, DDD_RESOURCE_STRING_CHARS + 1);
    if (module != 1) {
        ddd_OsFreeModule(handle);
    }
    if (length <= 0) {
        return NULL;
    }
    WCHAR *text = text_WideCopy(buffer, length);
    if (!text) {
        *status = DDD_NO_MEMORY;
    }
    return text;
}

/* Characters of a 0-terminated wide string. */
static DWORD text_Length(const WCHAR *text)
{
    DWORD length = 0;
    while (text[length]) {
        ++length;
    }
    return length;
}

/* A new 0-terminated copy of length characters; NULL when out of memory. */
static WCHAR *text_WideCopy(const WCHAR *text, int length)
{
    WCHAR *copy = (WCHAR *)GlobalAlloc(GPTR, ((DWORD)length + 1) * sizeof(WCHAR));
    if (copy) {
        CopyMemory(copy, text, (DWORD)length * sizeof(WCHAR));
    }
    return copy;
}

DddStatus ddd_DecodeText(DddFile *file, const BYTE *body, DWORD n, WCHAR **text, DWORD *bytes)
{
    *text = NULL;
    if (bytes) {
        *bytes = 0;
    }
    if (n == 0) {
        return DDD_OK;
    }
    DddResourceBlock *block = file->resources;
    DddStatus status = DDD_OK;
    WCHAR *result = NULL;
    int reference =
        n > TEXT_REFERENCE_TAIL && body[n - 1] == 0 && ddd_Word(body + n - 5) != 0 && ddd_Word(body + n - 3) != 0;
    if (reference && block && block->referencesAllowed) {
        result = text_ResolveReference(block, ddd_Word(body + n - 5), ddd_Word(body + n - 3), &status);
        if (status != DDD_OK) {
            return status;
        }
    }
    if (!result) {
        DddScratch *scratch = block ? text_AcquireScratch(block, n) : NULL;
        if (!scratch) {
            return DDD_NO_MEMORY;
        }
        for (DWORD i = 0; i < n; ++i) {
            scratch->data[i] = (BYTE)(body[i] ^ 0xFF);
        }
        result = ddd_AnsiToWide(scratch->data, n);
        scratch->inUse = 0;
        if (!result) {
            return DDD_NO_MEMORY;
        }
    }
    *text = result;
    if (bytes) {
        *bytes = text_Length(result) * sizeof(WCHAR) + sizeof(WCHAR);
    }
    return DDD_OK;
}

DddStatus ddd_ReaderText(DddReader *reader, WCHAR **text)
{
    *text = NULL;
    WORD n = ddd_ReaderWord(reader);
    const BYTE *body = ddd_ReaderTake(reader, n);
    if (reader->status != DDD_OK) {
        return reader->status;
    }
    DddStatus status = ddd_DecodeText(reader->file, body, n, text, NULL);
    if (status != DDD_OK) {
        ddd_ReaderFail(reader, status);
    }
    return status;
}

DddStatus ddd_ReadTextField(DddFile *file, WCHAR **text, DWORD *bytes)
{
    if (!file || !text || !file->bytes) {
        return DDD_ERROR;
    }
    *text = NULL;
    DddReader reader;
    ddd_ReaderInit(&reader, file, file->size);
    WORD n = ddd_ReaderWord(&reader);
    const BYTE *body = ddd_ReaderTake(&reader, n);
    if (reader.status != DDD_OK) {
        return reader.status;
    }
    DddStatus status = ddd_DecodeText(file, body, n, text, bytes);
    if (status == DDD_OK) {
        file->position = reader.position;
    }
    return status;
}
