/*
 * The stored settings blocks: "NDEV001" (the DEVMODE's second part, optionally followed
 * by a "DFAX001" fax list), "VQBINFO" and "SPINFO", saved to and loaded from a settings
 * file, the printer's printer data or the per-user store.
 */
#include "core/stored/stored.h"

#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "core/stored/settings_blocks_private.h"
#include "core/util/global_block.h"

#include <string.h>

const WCHAR kNdevName[] = TEXT("NDEV001");
const WCHAR kVqbName[] = TEXT("VQBINFO");
const WCHAR kSpName[] = TEXT("SPINFO");
const WCHAR kFaxListName[] = TEXT("DFAX001");

/* The stored values of the blocks: {base name, size value name}. */
static const WCHAR kNdevValue[] = TEXT("N_Dev");
static const WCHAR kNdevSizeValue[] = TEXT("N_DevSize");
static const WCHAR kVqbValue[] = TEXT("VQBInfo");
static const WCHAR kVqbSizeValue[] = TEXT("VQBInfoSize");
static const WCHAR kSpValue[] = TEXT("SPInfo");
static const WCHAR kSpSizeValue[] = TEXT("SPInfoSize");

static BOOL blk_NameIs(const BYTE *at, const WCHAR *name);
static BOOL blk_ReadValue(HANDLE printer, DriverContext *context, WORD storeKind, const WCHAR *base,
                          const WCHAR *sizeName, void **data, DWORD *size);
static BOOL blk_SaveInfo(HANDLE printer, DriverContext *context, WORD storeKind, const WCHAR *name, const void *data,
                         DWORD size, const WCHAR *base, const WCHAR *sizeName);
static BOOL blk_SaveToStore(HANDLE printer, DriverContext *context, WORD storeKind, const void *faxList,
                            DWORD faxListSize, const DevmodeSecondPart *second, const void *vqb, DWORD vqbSize,
                            const void *sp, DWORD spSize);
static BOOL blk_WriteValue(HANDLE printer, DriverContext *context, WORD storeKind, const void *data, DWORD size,
                           const WCHAR *base, const WCHAR *sizeName);

/* 1 when the 8-character name field at `at` holds name up to its terminator. */
static BOOL blk_NameIs(const BYTE *at, const WCHAR *name)
{
    for (DWORD i = 0; i < NDEV_NAME_CHARS; ++i) {
        WCHAR c;
        memcpy(&c, at + i * sizeof(WCHAR), sizeof(c));
        if (c != name[i])
            return FALSE;
        if (c == 0)
            return TRUE;
    }
    return FALSE;
}

/* Reads a stored value of store kind 2 (chunked printer data) or 3 (per-user store). */
static BOOL blk_ReadValue(HANDLE printer, DriverContext *context, WORD storeKind, const WCHAR *base,
                          const WCHAR *sizeName, void **data, DWORD *size)
{
    if (storeKind == STORE_PRINTER_DATA)
        return pd_ReadChunkedValue(printer, data, size, base, sizeName);
    if (storeKind == STORE_PER_USER)
        return ureg_ReadBlockValue(printer, context, data, size, base, sizeName);
    *data = NULL;
    *size = 0;
    return FALSE;
}

/* Saves one info block (header and data) as a stored value. */
static BOOL blk_SaveInfo(HANDLE printer, DriverContext *context, WORD storeKind, const WCHAR *name, const void *data,
                         DWORD size, const WCHAR *base, const WCHAR *sizeName)
{
    if (size > PD_MAX_CHUNKED_SIZE)
        return FALSE;
    DWORD total = sizeof(InfoBlockHeader) + size;
    BYTE *value = (BYTE *)GlobalAlloc(GPTR, total);
    if (!value)
        return FALSE;
    blk_MakeInfoHeader((InfoBlockHeader *)value, name, size);
    if (size)
        memcpy(value + sizeof(InfoBlockHeader), data, size);
    BOOL saved = blk_WriteValue(printer, context, storeKind, value, total, base, sizeName);
    GlobalFree(value);
    return saved;
}

/* Saves "N_Dev" (with the fax list), VQBInfo and "SPInfo", stopping at the first failure. */
static BOOL blk_SaveToStore(HANDLE printer, DriverContext *context, WORD storeKind, const void *faxList,
                            DWORD faxListSize, const DevmodeSecondPart *second, const void *vqb, DWORD vqbSize,
                            const void *sp, DWORD spSize)
{
    if (!printer || (storeKind != STORE_PRINTER_DATA && storeKind != STORE_PER_USER))
        return FALSE;
    if (faxListSize > PD_MAX_CHUNKED_SIZE)
        return FALSE;
    DWORD total = sizeof(NdevBlockHeader) + sizeof(DevmodeSecondPart) + faxListSize;
    BYTE *value = (BYTE *)GlobalAlloc(GPTR, total);
    if (!value)
        return FALSE;
    blk_MakeNdevHeader((NdevBlockHeader *)value);
    memcpy(value + sizeof(NdevBlockHeader), second, sizeof(*second));
    if (faxListSize)
        memcpy(value + sizeof(NdevBlockHeader) + sizeof(*second), faxList, faxListSize);
    BOOL saved = blk_WriteValue(printer, context, storeKind, value, total, kNdevValue, kNdevSizeValue);
    GlobalFree(value);
    return saved && blk_SaveInfo(printer, context, storeKind, kVqbName, vqb, vqbSize, kVqbValue, kVqbSizeValue) &&
           blk_SaveInfo(printer, context, storeKind, kSpName, sp, spSize, kSpValue, kSpSizeValue);
}

/* Writes a stored value of store kind 2 (chunked printer data) or 3 (per-user store). */
static BOOL blk_WriteValue(HANDLE printer, DriverContext *context, WORD storeKind, const void *data, DWORD size,
                           const WCHAR *base, const WCHAR *sizeName)
{
    if (storeKind == STORE_PRINTER_DATA)
        return pd_WriteChunkedValue(printer, data, size, base, sizeName);
    return ureg_WriteBlockValue(printer, context, data, size, base, sizeName);
}

void blk_MakeInfoHeader(InfoBlockHeader *header, const WCHAR *name, DWORD length)
{
    memset(header, 0, sizeof(*header));
    memcpy(header->name, name, (lstrlenW(name) + 1) * sizeof(WCHAR));
    header->length = length;
}

void blk_MakeNdevHeader(NdevBlockHeader *header)
{
    memset(header, 0, sizeof(*header));
    memcpy(header->name, kNdevName, sizeof(kNdevName));
    header->version = NDEV_VERSION;
    header->length = sizeof(DevmodeSecondPart);
}

BOOL blk_ParseFaxList(BlockCursor *cursor, void **faxList)
{
    *faxList = NULL;
    /* The head must be there before its count is read. */
    if (cursor->left < FAX_LIST_HEAD_SIZE || !blk_NameIs(cursor->at, kFaxListName))
        return FALSE;
    WORD count;
    memcpy(&count, cursor->at + FAX_LIST_COUNT_OFFSET, sizeof(count));
    DWORD size = FAX_LIST_HEAD_SIZE + (DWORD)FAX_DESTINATION_SIZE * count;
    if (size != cursor->left)
        return FALSE;
    void *copy = GlobalAlloc(GPTR, size);
    if (!copy)
        return FALSE;
    memcpy(copy, cursor->at, size);
    cursor->at += size;
    cursor->left = 0;
    *faxList = copy;
    return TRUE;
}

BOOL blk_ParseInfo(BlockCursor *cursor, const WCHAR *name, BOOL keep, void **data, DWORD *size)
{
    *data = NULL;
    *size = 0;
    /* At least a whole header must be left before any field of it is read. */
    if (cursor->left < sizeof(InfoBlockHeader) || !blk_NameIs(cursor->at, name))
        return FALSE;
    InfoBlockHeader header;
    memcpy(&header, cursor->at, sizeof(header));
    if (header.length > cursor->left - sizeof(header))
        return FALSE;
    const BYTE *bytes = cursor->at + sizeof(header);
    if (keep && header.length > 0) {
        void *copy = GlobalAlloc(GPTR, header.length);
        if (!copy)
            return FALSE;
        memcpy(copy, bytes, header.length);
        *data = copy;
        *size = header.length;
    }
    cursor->at = bytes + header.length;
    cursor->left -= sizeof(header) + header.length;
    return TRUE;
}

BOOL blk_ParseNdev(BlockCursor *cursor, DevmodeSecondPart *second, HANDLE printer)
{
    if (cursor->left < sizeof(NdevBlockHeader) || !blk_NameIs(cursor->at, kNdevName))
        return FALSE;
    NdevBlockHeader header;
    memcpy(&header, cursor->at, sizeof(header));
    /* A length above the second part's size is refused: it could only overrun the buffer. */
    if (header.version > NDEV_VERSION || header.length > sizeof(DevmodeSecondPart) ||
        header.length > cursor->left - sizeof(header))
        return FALSE;
    /* An older, shorter block keeps the defaults of the newer fields behind its length. */
    if (header.version < NDEV_VERSION && !pd_MakeDefaultSecondPart(printer, second))
        return FALSE;
    memcpy(second, cursor->at + sizeof(header), header.length);
    cursor->at += sizeof(header) + header.length;
    cursor->left -= sizeof(header) + header.length;
    WORD version = NDEV_VERSION;
    memcpy(second->bytes, &version, sizeof(version));
    return TRUE;
}

BOOL WINAPI pd_LoadSettingsBlocks(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                  void **faxList, DevmodeSecondPart *second, void **vqb, DWORD *vqbSize, void **sp,
                                  DWORD *spSize)
{
    void *fax = NULL;
    void *vqbData = NULL;
    void *spData = NULL;
    DWORD vqbBytes = 0;
    DWORD spBytes = 0;
    if (faxList)
        *faxList = NULL;
    if (vqb)
        *vqb = NULL;
    if (vqbSize)
        *vqbSize = 0;
    if (sp)
        *sp = NULL;
    if (spSize)
        *spSize = 0;
    if (!second || (vqb && !vqbSize) || (sp && !spSize))
        return FALSE;

    BOOL loaded = FALSE;
    void *value = NULL;
    DWORD valueSize = 0;
    if (path) {
        if (pd_ReadSettingsFile(path, &value, &valueSize)) {
            BlockCursor cursor = {(const BYTE *)value, valueSize};
            loaded = blk_ParseNdev(&cursor, second, printer) &&
                     blk_ParseInfo(&cursor, kVqbName, vqb != NULL, &vqbData, &vqbBytes) &&
                     blk_ParseInfo(&cursor, kSpName, sp != NULL, &spData, &spBytes) &&
                     (!faxList || cursor.left == 0 || blk_ParseFaxList(&cursor, &fax));
        }
        GlobalFree(value);
    } else if (blk_ReadValue(printer, context, storeKind, kNdevValue, kNdevSizeValue, &value, &valueSize)) {
        BlockCursor cursor = {(const BYTE *)value, valueSize};
        loaded = blk_ParseNdev(&cursor, second, printer) &&
                 (!faxList || cursor.left == 0 || blk_ParseFaxList(&cursor, &fax));
        GlobalFree(value);
        /* The info values are optional: one that cannot be read gives no data; one that is
         * read must parse. */
        const struct {
            void **wanted;
            const WCHAR *name;
            const WCHAR *base;
            const WCHAR *sizeName;
            void **data;
            DWORD *size;
        } infos[] = {
            {vqb, kVqbName, kVqbValue, kVqbSizeValue, &vqbData, &vqbBytes},
            {sp, kSpName, kSpValue, kSpSizeValue, &spData, &spBytes},
        };
        for (const auto &info : infos) {
            if (!loaded || !info.wanted)
                continue;
            if (!blk_ReadValue(printer, context, storeKind, info.base, info.sizeName, &value, &valueSize))
                continue;
            BlockCursor infoCursor = {(const BYTE *)value, valueSize};
            loaded = blk_ParseInfo(&infoCursor, info.name, TRUE, info.data, info.size);
            GlobalFree(value);
        }
    }
    if (!loaded) {
        util_GlobalFreeIfSet(fax);
        util_GlobalFreeIfSet(vqbData);
        util_GlobalFreeIfSet(spData);
        return FALSE;
    }
    if (faxList)
        *faxList = fax;
    if (vqb) {
        *vqb = vqbData;
        *vqbSize = vqbBytes;
    }
    if (sp) {
        *sp = spData;
        *spSize = spBytes;
    }
    return TRUE;
}

BOOL WINAPI pd_MakeDefaultSecondPart(HANDLE printer, DevmodeSecondPart *second)
{
    if (!printer || !second)
        return FALSE;
    DriverContext *context = ddd_OpenContext(printer);
    if (!context)
        return FALSE;
    BOOL made = FALSE;
    DriverDevmode *devmode = dm_AllocDevmode(0);
    if (devmode && opt_SetAllDefaults(context, devmode, NULL, TEXT("DummyName"))) {
        memcpy(second, &devmode->second, sizeof(*second));
        made = TRUE;
    }
    util_GlobalFreeIfSet(devmode);
    ddd_CloseContext(context);
    return made;
}

BOOL WINAPI pd_SaveSettingsBlocks(HANDLE printer, DriverContext *context, const WCHAR *path, WORD storeKind,
                                  const void *faxList, DWORD faxListSize, const DevmodeSecondPart *second,
                                  const void *vqb, DWORD vqbSize, const void *sp, DWORD spSize)
{
    if (!second)
        return FALSE;
    if (!vqb)
        vqbSize = 0;
    else if (vqbSize == 0)
        return FALSE;
    if (!sp)
        spSize = 0;
    else if (spSize == 0)
        return FALSE;
    if (!faxList)
        faxListSize = 0;
    else if (faxListSize == 0)
        return FALSE;
    if (path)
        return pd_WriteSettingsFile(path, faxList, faxListSize, second, vqb, vqbSize, sp, spSize);
    return blk_SaveToStore(printer, context, storeKind, faxList, faxListSize, second, vqb, vqbSize, sp, spSize);
}
