/*
 * Opening a model with its base file, the header, and the numbered entries.
 */
#include "core/ddd/ddd_access.h"

#include "core/ddd/ddd_private.h"
#include "core/settings/function_ids.h"

/* Entries read here. */
#define ENTRY_FLAG_SETTINGS 12
#define ENTRY_INFO_FIRST 17
#define ENTRY_CAPABILITIES 26
#define ENTRY_REGISTRY_PATH 30
#define ENTRY_REGISTRY_PATH_2 33
#define ENTRY_INFO_STRINGS 36
#define ENTRY_CAPABILITIES_2 39
/* The second capability word exists from this format on. */
#define FORMAT_SECOND_CAPABILITIES 5631
/* A capability argument naming one bit. */
#define CAPABILITY_BIT_MARK 0xFFFF0000UL
/* ddd_GetHeaderName's status when out of memory. */
#define HEADER_NAME_NO_MEMORY 3

/* The format number of the model file opened last in the process. */
static DWORD g_lastModelFormat = 0;

static int access_HasDddExtension(LPCWSTR path);
static int access_IsPlainName(const WCHAR *name);
static DddStatus access_OpenBase(DddFile *model, DddFile *base, LPCWSTR modelPath, const BYTE *baseBytes,
                                 DWORD baseSize);
static DddStatus access_FinishPair(DddStatus status, DddFile *model, DddFile *base);
static DddStatus access_ElementAt(DddFile *file, WORD key, WORD index, DWORD *size);

/* 1 when the text after the last '.' is "DDD" in any case. */
static int access_HasDddExtension(LPCWSTR path)
{
    LPCWSTR dot = NULL;
    for (LPCWSTR p = path; *p; ++p) {
        if (*p == '.') {
            dot = p;
        } else if (*p == '\\' || *p == '/') {
            dot = NULL;
        }
    }
    if (!dot) {
        return 0;
    }
    static const char expected[] = "ddd";
    for (int i = 0; i < 3; ++i) {
        WCHAR c = dot[1 + i];
        if (c >= 'A' && c <= 'Z') {
            c = (WCHAR)(c - 'A' + 'a');
        }
        if (c != (WCHAR)expected[i]) {
            return 0;
        }
    }
    return dot[4] == 0;
}

/* 1 when name has no separator, drive or "..", so it names a file of the same directory. */
static int access_IsPlainName(const WCHAR *name)
{
    for (const WCHAR *p = name; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':' || (p[0] == '.' && p[1] == '.')) {
            return 0;
        }
    }
    return 1;
}

/* Checks the model's header, then opens and checks the base file it names (from the
 * model's directory, or from baseBytes when given). */
static DddStatus access_OpenBase(DddFile *model, DddFile *base, LPCWSTR modelPath, const BYTE *baseBytes,
                                 DWORD baseSize)
{
    DddStatus status = ddd_ReadAndCheckHeader(model);
    if (status != DDD_OK) {
        return status;
    }
    WCHAR *name = ddd_AnsiToWide(model->bytes + DDD_BASE_NAME_OFFSET, DDD_TEXT_FIELD_BYTES);
    if (!name) {
        return DDD_NO_MEMORY;
    }
    if (!name[0]) {
        GlobalFree(name);
        return DDD_OK;
    }
    /* The base file must lie beside the model: a name with a path is refused. */
    if (!access_IsPlainName(name)) {
        GlobalFree(name);
        return DDD_ERROR;
    }
    if (baseBytes) {
        status = ddd_OpenMemory(baseBytes, baseSize, base, model->resources);
    } else if (!modelPath) {
        status = DDD_ERROR;
    } else {
        WCHAR *directory = ddd_OsDirectoryOf(modelPath);
        DWORD dirLength = 0;
        DWORD nameLength = 0;
        while (directory && directory[dirLength]) {
            ++dirLength;
        }
        while (name[nameLength]) {
            ++nameLength;
        }
        WCHAR *path = directory ? (WCHAR *)GlobalAlloc(GPTR, (dirLength + nameLength + 1) * sizeof(WCHAR)) : NULL;
        if (!path) {
            status = DDD_NO_MEMORY;
        } else {
            CopyMemory(path, directory, dirLength * sizeof(WCHAR));
            CopyMemory(path + dirLength, name, nameLength * sizeof(WCHAR));
            status = ddd_OpenFile(path, base, model->resources);
            GlobalFree(path);
        }
        if (directory) {
            GlobalFree(directory);
        }
    }
    GlobalFree(name);
    if (status != DDD_OK) {
        return status;
    }
    base->level = DDD_LEVEL_BASE;
    return ddd_ReadAndCheckHeader(base);
}

/* Ends an open: keeps the model's format, or closes whatever was opened. */
static DddStatus access_FinishPair(DddStatus status, DddFile *model, DddFile *base)
{
    if (status == DDD_OK) {
        g_lastModelFormat = model->format;
        return DDD_OK;
    }
    if (base->bytes) {
        ddd_CloseFile(base);
    }
    if (model->bytes) {
        ddd_CloseFile(model);
    }
    return status;
}

/*
 * Positions the cursor at element index of entry key (after a stored size, if any).
 * size: out, the element's size. Returns 0 or 1.
 */
static DddStatus access_ElementAt(DddFile *file, WORD key, WORD index, DWORD *size)
{
    if (ddd_FindEntry(file, key) != DDD_OK) {
        return DDD_ERROR;
    }
    const DddEntryShape *shape = &g_dddEntryShapes[key];
    DddReader reader;
    ddd_ReaderInit(&reader, file, file->size);
    WORD count = shape->count ? shape->count : ddd_ReaderWord(&reader);
    if (reader.status != DDD_OK || index >= count) {
        return DDD_ERROR;
    }
    if (shape->size) {
        ddd_ReaderTake(&reader, (DWORD)index * shape->size);
        *size = shape->size;
    } else {
        for (WORD i = 0; i < index; ++i) {
            ddd_ReaderTake(&reader, ddd_ReaderWord(&reader));
        }
        DWORD position = reader.position;
        *size = ddd_ReaderWord(&reader);
        reader.position = position;
    }
    if (reader.status != DDD_OK) {
        return DDD_ERROR;
    }
    file->position = reader.position;
    return DDD_OK;
}

DddStatus ddd_CloseFilePair(DddFile *model, DddFile *base)
{
    DddStatus status = DDD_OK;
    if (!base || ddd_CloseFile(base) != DDD_OK) {
        status = DDD_ERROR;
    }
    if (!model || ddd_CloseFile(model) != DDD_OK) {
        status = DDD_ERROR;
    }
    return status;
}

DWORD ddd_GetLastModelFormat(void)
{
    return g_lastModelFormat;
}

WCHAR *ddd_GetEntryString(DddFile *file, WORD key, WORD index)
{
    DddEntryStringRequest request = {file, key, index, NULL};
    return ddd_ReadEntryString(&request) == DDD_OK ? request.text : NULL;
}

WCHAR *ddd_GetHeaderName(DddFile *model, WORD *status)
{
    WORD result = DDD_ERROR;
    WCHAR *name = NULL;
    if (model && ddd_Available(model, DDD_MODEL_NAME_OFFSET, DDD_TEXT_FIELD_BYTES)) {
        name = ddd_AnsiToWide(model->bytes + DDD_MODEL_NAME_OFFSET, DDD_TEXT_FIELD_BYTES);
        result = name ? DDD_OK : HEADER_NAME_NO_MEMORY;
    }
    if (status) {
        *status = result;
    }
    return name;
}

DddStatus ddd_OpenFilePair(LPCWSTR path, DddFile *model, DddFile *base)
{
    if (!path || !model || !base) {
        return DDD_ERROR;
    }
    ZeroMemory(model, sizeof(*model));
    ZeroMemory(base, sizeof(*base));
    if (!access_HasDddExtension(path)) {
        return DDD_ERROR;
    }
    DddStatus status = ddd_OpenFile(path, model, NULL);
    if (status == DDD_OK) {
        model->level = DDD_LEVEL_MODEL;
        status = access_OpenBase(model, base, path, NULL, 0);
    }
    return access_FinishPair(status, model, base);
}

DddStatus ddd_OpenMemoryPair(const BYTE *modelBytes, DWORD modelSize, const BYTE *baseBytes, DWORD baseSize,
                             DddFile *model, DddFile *base)
{
    if (!model || !base) {
        return DDD_ERROR;
    }
    ZeroMemory(model, sizeof(*model));
    ZeroMemory(base, sizeof(*base));
    DddStatus status = ddd_OpenMemory(modelBytes, modelSize, model, NULL);
    if (status == DDD_OK) {
        model->level = DDD_LEVEL_MODEL;
        status = access_OpenBase(model, base, NULL, baseBytes, baseSize);
    }
    return access_FinishPair(status, model, base);
}

DddStatus ddd_ReadAndCheckHeader(DddFile *file)
{
    if (!file || !ddd_Available(file, 0, DDD_HEADER_BYTES + 4)) {
        if (file) {
            file->failOffset = 0;
        }
        return DDD_ERROR;
    }
    WORD major = 0, minor = 0, build = 0;
    if (ddd_ParseVersionText(
            (const char *)file->bytes + DDD_VERSION_OFFSET, DDD_VERSION_BYTES, &major, &minor, &build) != DDD_OK) {
        file->failOffset = DDD_VERSION_OFFSET;
        return DDD_ERROR;
    }
    DWORD version = ddd_PackVersion(major, minor, build);
    if (version > ddd_PackVersion(255, 255, 65535)) {
        return DDD_BAD_VERSION;
    }
    const BYTE *f = file->bytes + DDD_FORMAT_OFFSET;
    file->version = version;
    file->format = ((DWORD)f[0] << 24) | ((DWORD)f[1] << 16) | ((DWORD)f[2] << 8) | f[3];
    return DDD_OK;
}

DddStatus ddd_ReadHeaderRecord(DddFile *file, DddHeader **header)
{
    if (!header) {
        return DDD_ERROR;
    }
    *header = NULL;
    if (!file || !ddd_Available(file, 0, DDD_HEADER_BYTES)) {
        return DDD_ERROR;
    }
    WORD major = 0, minor = 0, build = 0;
    if (ddd_ParseVersionText(
            (const char *)file->bytes + DDD_VERSION_OFFSET, DDD_VERSION_BYTES, &major, &minor, &build) != DDD_OK) {
        return DDD_ERROR;
    }
    DddHeader *rec = (DddHeader *)GlobalAlloc(GPTR, sizeof(DddHeader));
    if (!rec) {
        return DDD_NO_MEMORY;
    }
    rec->head.type = DDD_TYPE_HEADER;
    rec->head.level = file->level;
    rec->head.format = file->format;
    static const DWORD offsets[3] = {DDD_TITLE_OFFSET, DDD_MODEL_NAME_OFFSET, DDD_BASE_NAME_OFFSET};
    WCHAR **texts[3] = {&rec->title, &rec->modelName, &rec->baseName};
    for (int i = 0; i < 3; ++i) {
        WCHAR *text = ddd_AnsiToWide(file->bytes + offsets[i], DDD_TEXT_FIELD_BYTES);
        if (!text || ddd_RecordOwn(&rec->head, text) != DDD_OK) {
            void *block = rec;
            ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
            return DDD_NO_MEMORY;
        }
        *texts[i] = text;
    }
    const BYTE *f = file->bytes + DDD_FORMAT_OFFSET;
    rec->major = major;
    rec->minor = minor;
    rec->build = build;
    rec->format = ((DWORD)f[0] << 24) | ((DWORD)f[1] << 16) | ((DWORD)f[2] << 8) | f[3];
    *header = rec;
    return DDD_OK;
}

/* ---- numbered entries ---- */

DWORD ddd_GetEntryNumber(DddFile *file, WORD key, WORD size, WORD index)
{
    BYTE buffer[4] = {0, 0, 0, 0};
    if (size == 0 || size > 4) {
        return 0;
    }
    DddEntryItemRequest request = {file, key, size, index, buffer};
    if (ddd_ReadEntryItem(&request) != DDD_OK) {
        return 0;
    }
    return ddd_Dword(buffer);
}

WORD ddd_GetEntryCount(DddFile *file, WORD key)
{
    if (!file || ddd_FindEntry(file, key) != DDD_OK) {
        return 0;
    }
    if (g_dddEntryShapes[key].count) {
        return g_dddEntryShapes[key].count;
    }
    WORD count = 0;
    return ddd_Read(file, &count, 2) == DDD_OK ? (WORD)ddd_Word((const BYTE *)&count) : 0;
}

int ddd_GetModelCapabilities(DddFile *file, ModelCapabilities *caps)
{
    if (!caps) {
        return 0;
    }
    caps->bits[0] = 0;
    caps->bits[1] = 0;
    if (!file || ddd_FindEntry(file, ENTRY_CAPABILITIES) != DDD_OK) {
        return 0;
    }
    caps->bits[0] = ddd_GetEntryNumber(file, ENTRY_CAPABILITIES, 4, 0);
    if (file->format > FORMAT_SECOND_CAPABILITIES) {
        caps->bits[1] = ddd_GetEntryNumber(file, ENTRY_CAPABILITIES_2, 4, 0);
    }
    return 1;
}

DddStatus ddd_GetEntryBitmap(DddFile *model, DddFile *base, WORD key, WORD *word1, WORD *word2, BYTE **dib,
                             DWORD *dibLength)
{
    if (!dib || !dibLength) {
        return DDD_ERROR;
    }
    *dib = NULL;
    *dibLength = 0;
    if (!model || ddd_GetEntryCount(model, key) == 0) {
        return DDD_ERROR;
    }
    WORD bitmapKey = (WORD)ddd_GetEntryNumber(model, key, 2, 0);
    DddFile *holder = NULL;
    WORD level = 0;
    DddStatus status = ddd_LocateRecord(DDD_BY_KEY, model, base, DDD_LEVEL_MODEL, 12, bitmapKey, &holder, &level);
    if (status != DDD_OK) {
        return status;
    }
    DddParseRequest request = {DDD_PARSE_BITMAP_DATA, holder, model, base, 12, level, NULL};
    status = ddd_ParseRecord(&request);
    if (status != DDD_OK) {
        return status;
    }
    DddBitmap *bitmap = (DddBitmap *)request.record;
    BYTE *copy = (BYTE *)GlobalAlloc(GPTR, bitmap->dibLength ? bitmap->dibLength : 1);
    if (copy) {
        CopyMemory(copy, bitmap->dib, bitmap->dibLength);
        *dib = copy;
        *dibLength = bitmap->dibLength;
        if (word1) {
            *word1 = bitmap->word1;
        }
        if (word2) {
            *word2 = bitmap->word2;
        }
    }
    void *block = bitmap;
    ddd_FreeRecord(&block, DDD_FREE_OWN_TYPE);
    return copy ? DDD_OK : DDD_NO_MEMORY;
}

DddStatus ddd_GetInfoString(DddFile *file, WORD kind, WCHAR **text)
{
    if (!text) {
        return DDD_ERROR;
    }
    *text = NULL;
    /* Entry 36 holds the strings of kinds 6-11, 14-22, 24 and 25, in that order. */
    static const signed char s_entry36Index[26] = {
        -1, -1, -1, -1, -1, -1, 0, 1, 2, 3, 4, 5, -1, -1, 6, 7, 8, 9, 10, 11, 12, 13, 14, -1, 15, 16,
    };
    DddEntryStringRequest request = {file, 0, 0, NULL};
    if (kind <= 5) {
        request.key = (WORD)(ENTRY_INFO_FIRST + kind);
    } else if (kind < 26 && s_entry36Index[kind] >= 0) {
        request.key = ENTRY_INFO_STRINGS;
        request.index = (WORD)s_entry36Index[kind];
    } else {
        return DDD_ERROR;
    }
    DddStatus status = ddd_ReadEntryString(&request);
    *text = request.text;
    return status;
}

DddStatus ddd_GetRegistryBasePath(DddFile *file, WORD which, WCHAR **text)
{
    if (!text) {
        return DDD_ERROR;
    }
    *text = NULL;
    if (which > 1) {
        return DDD_ERROR;
    }
    DddEntryStringRequest request = {
        file, which == 0 ? (WORD)ENTRY_REGISTRY_PATH : (WORD)ENTRY_REGISTRY_PATH_2, 0, NULL};
    DddStatus status = ddd_ReadEntryString(&request);
    *text = request.text;
    return status;
}

int ddd_HasCapability(DddFile *file, DWORD bitOrMask)
{
    ModelCapabilities caps;
    if (!ddd_GetModelCapabilities(file, &caps)) {
        return 0;
    }
    return ddd_TestCapability(&caps, bitOrMask);
}

int ddd_IsFlagSettingEnabled(DddFile *file, WORD functionId)
{
    if (functionId < FID_OPTION_FLAGS_FIRST || functionId > FID_OPTION_FLAGS_LAST) {
        return 1;
    }
    /* One u32 serves 4097-4160: 4097 and 4129 share a bit, as the file defines it. */
    DWORD bits = ddd_GetEntryNumber(file, ENTRY_FLAG_SETTINGS, 4, 0);
    DWORD bit = 1u << ((functionId - FID_OPTION_FLAGS_FIRST) % 32);
    return (bits & bit) ? 0 : 1;
}

DWORD ddd_GetNumberItem(DddFile *file, WORD key, WORD item)
{
    if (key >= DDD_ENTRY_COUNT || g_dddEntryShapes[key].count != 1 || g_dddEntryShapes[key].size != item) {
        return 0;
    }
    return ddd_GetEntryNumber(file, key, item, 0);
}

DWORD ddd_GetCopyLimit(DddFile *model)
{
    return ddd_GetNumberItem(model, DDD_ENTRY_COPY_LIMIT, DDD_ITEM_COPY_LIMIT);
}

DWORD ddd_GetColorKindByte(DddFile *model)
{
    return ddd_GetNumberItem(model, DDD_ENTRY_COLOR_KIND, DDD_ITEM_COLOR_KIND);
}

DWORD ddd_GetWriterMemory(DddFile *model)
{
    return ddd_GetNumberItem(model, DDD_ENTRY_WRITER_MEMORY, DDD_ITEM_WRITER_MEMORY);
}

DWORD ddd_GetAlignmentUnit(DddFile *model)
{
    return ddd_GetNumberItem(model, DDD_ENTRY_ALIGNMENT_UNIT, DDD_ITEM_ALIGNMENT_UNIT);
}

DddStatus ddd_ReadEntryArray(DddFile *file, WORD key, WORD elementSize, WORD *count, void **buffer)
{
    if (!count || !buffer || elementSize == 0) {
        return DDD_ERROR;
    }
    *count = 0;
    *buffer = NULL;
    WORD n = ddd_GetEntryCount(file, key);
    if (ddd_FindEntry(file, key) != DDD_OK) {
        return DDD_ERROR;
    }
    if (n == 0) {
        return DDD_OK;
    }
    BYTE *block = (BYTE *)GlobalAlloc(GPTR, (DWORD)n * elementSize);
    if (!block) {
        return DDD_NO_MEMORY;
    }
    for (WORD i = 0; i < n; ++i) {
        DddEntryItemRequest request = {file, key, elementSize, i, block + (DWORD)i * elementSize};
        if (ddd_ReadEntryItem(&request) != DDD_OK) {
            GlobalFree(block);
            return DDD_ERROR;
        }
    }
    *count = n;
    *buffer = block;
    return DDD_OK;
}

DddStatus ddd_ReadEntryItem(DddEntryItemRequest *request)
{
    if (!request || !request->file || !request->buffer || request->elementSize == 0 ||
        request->key >= DDD_ENTRY_COUNT) {
        return DDD_ERROR;
    }
    DWORD size = 0;
    DddFile *file = request->file;
    if (access_ElementAt(file, request->key, request->index, &size) != DDD_OK) {
        return DDD_ERROR;
    }
    /* An element with a stored size starts with that size. */
    if (!g_dddEntryShapes[request->key].size) {
        file->position += 2;
    }
    if (request->elementSize > size) {
        return DDD_ERROR;
    }
    return ddd_Read(file, request->buffer, request->elementSize);
}

DddStatus ddd_ReadEntryString(DddEntryStringRequest *request)
{
    if (!request || !request->file || request->key >= DDD_ENTRY_COUNT) {
        return DDD_ERROR;
    }
    request->text = NULL;
    if (g_dddEntryShapes[request->key].size) {
        return DDD_ERROR;
    }
    DWORD size = 0;
    if (access_ElementAt(request->file, request->key, request->index, &size) != DDD_OK) {
        return DDD_ERROR;
    }
    return ddd_ReadTextField(request->file, &request->text, NULL);
}

int ddd_TestCapability(const ModelCapabilities *caps, DWORD bitOrMask)
{
    if (!caps) {
        return 0;
    }
    if (bitOrMask >= CAPABILITY_BIT_MARK) {
        DWORD bit = bitOrMask & 0xFFFF;
        if (bit > 63) {
            return 0;
        }
        return (caps->bits[bit / 32] >> (bit % 32)) & 1;
    }
    return (caps->bits[0] & bitOrMask) ? 1 : 0;
}
