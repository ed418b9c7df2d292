/*
 * Settings access by FunctionID over the generated location tables: lookup, the two
 * primitives with their special settings, and the wrappers. This is the driver's
 * hottest path: no allocation, a walk of at most 13 ranges and one list.
 */
#include "core/settings/settings.h"

#include <string.h>

#include "core/settings/binding_position.h"
#include "core/settings/settings_tables.h"

/* DEVMODE bytes written together with 14, 311 and 364. */
enum {
    DM_YRESOLUTION_OFFSET = 96,
    FONT1_ESCAPEMENT_OFFSET = 596,
    FONT1_ORIENTATION_OFFSET = 600,
    FONT2_ORIENTATION_OFFSET = 828
};

/* Where dma_GetFunctionValue and dma_SetFunctionValue forward to; NULL: the primitives
 * of this module. Written once by the module's entry routine before any access. */
static DmaGetValueRoute s_getRoute;
static DmaSetValueRoute s_setRoute;

/* A looked-up setting: its row, area and place. */
typedef struct ValueLocation {
    const SettingLocation *row;
    WORD kind;
    BYTE *place;
} ValueLocation;

static WORD dma_CheckValueForWrite(const SettingLocation *row, WORD type, DWORD size, const void *value,
                                   DWORD *copyLength);
static WORD dma_FindRow(WORD functionId, const SettingLocation **row, WORD *kind);
static DWORD dma_GetWordByteMask(WORD functionId);
static WORD dma_LookupValueLocation(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block,
                                    ValueLocation *location);
static WORD dma_SetDependentSettings(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, DWORD written);

/* Reads an unaligned little-endian 32-bit word. */
static inline DWORD dma_ReadDword(const BYTE *p)
{
    DWORD v;
    memcpy(&v, p, 4);
    return v;
}

/*
 * Checks a value before writing it to its row: type 2 unless the type is the stored or
 * presented one; type 6 needs a string whose bytes with terminator fit the capacity
 * and the given size, type 9 a record and a size within the capacity, every other type
 * a size equal to its width. Out: *copyLength the bytes to write (type 6: the string
 * with terminator, 9: the capacity, else the stored width). Returns 0, 2, 4, 8 or 16.
 */
static WORD dma_CheckValueForWrite(const SettingLocation *row, WORD type, DWORD size, const void *value,
                                   DWORD *copyLength)
{
    bool presented = row->presentedType != 0 && type == row->presentedType;
    if (type != row->storedType && !presented)
        return SST_TYPE;
    DWORD width = dma_GetTypeWidth(type);
    if (width == 0)
        return SST_BAD;
    if (type == VT_STRING) {
        const WCHAR *text = *(const WCHAR *const *)value;
        if (text == nullptr)
            return SST_BAD;
        if (row->presentedType == 0 && size > row->capacity)
            return SST_TOO_LONG;
        DWORD bytes = dma_CountWideChars(text, row->capacity / 2) * 2 + 2;
        if (bytes > row->capacity || bytes > size)
            return SST_TOO_LONG;
        *copyLength = bytes;
        return SST_OK;
    }
    if (type == VT_LOGFONT) {
        if (*(const void *const *)value == nullptr)
            return SST_BAD;
        if (size > row->capacity)
            return SST_TOO_LONG;
        *copyLength = row->capacity;
        return SST_OK;
    }
    if (size != width)
        return SST_SIZE;
    *copyLength = dma_GetTypeWidth(row->storedType);
    return SST_OK;
}

/*
 * Finds the row of a FunctionID: the first range holding it, then its list.
 * Out: *row, *kind. Returns 0, 1 (no range) or 16 (not in the range's list).
 */
static WORD dma_FindRow(WORD functionId, const SettingLocation **row, WORD *kind)
{
    for (const SettingLocationRange *range = g_SettingLocationRanges; range->locations != nullptr; ++range) {
        if (functionId < range->firstId || functionId > range->lastId)
            continue;
        for (const SettingLocation *r = range->locations; r->functionId != 0; ++r) {
            if (r->functionId == functionId) {
                *row = r;
                *kind = range->storageKind;
                return SST_OK;
            }
        }
        return SST_BAD;
    }
    return SST_NO_RANGE;
}

/* Mask of the byte that 392-403 stand for within their word; 0 for other FunctionIDs. */
static DWORD dma_GetWordByteMask(WORD functionId)
{
    if (functionId < FID_WORD_BYTES_FIRST || functionId > FID_WORD_BYTES_LAST)
        return 0;
    return 0xFFu << (8 * ((functionId - FID_WORD_BYTES_FIRST) % 3));
}

/*
 * Looks a setting up and finds its place in the area of its StorageKind.
 * Out: *location. Returns 0, 1, or 16 (no row, area missing, type without width).
 */
static WORD dma_LookupValueLocation(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block,
                                    ValueLocation *location)
{
    WORD status = dma_FindRow(functionId, &location->row, &location->kind);
    if (status != SST_OK)
        return status;
    BYTE *area;
    switch (location->kind) {
    case SK_DEVMODE: area = (BYTE *)devmode; break;
    case SK_SECOND_PART: area = devmode == nullptr ? nullptr : (BYTE *)devmode + DM_SHORT_SIZE; break;
    default: area = (BYTE *)block; break;
    }
    if (area == nullptr || dma_GetTypeWidth(location->row->storedType) == 0)
        return SST_BAD;
    location->place = area + location->row->offset;
    return SST_OK;
}

/*
 * Writes the setting that depends on the one just written: 267 gives 325 by the edge
 * code; 320 and 341 give 326 and 344 through the binding-position tables. When the
 * tables know no choice for the device value, the choice stays as it is.
 * Returns the nested write's status, 16 for an unknown edge code or unreadable 295,
 * the orientation's read status, or 0.
 */
static WORD dma_SetDependentSettings(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, DWORD written)
{
    WORD choice;
    if (functionId == FID_BINDING_EDGE) {
        if (opt_MapPositionCode((WORD)written, &choice) != 0)
            return SST_BAD;
        return dma_SetValue(FID_BINDING_EDGE_CHOICE, devmode, block, VT_WORD, 2, &choice);
    }
    if (functionId != FID_BINDING_POSITION && functionId != FID_BINDING_POSITION2)
        return SST_OK;
    WORD type;
    DWORD size;
    DWORD pages = 0, orientation = 0;
    if (dma_GetValue(FID_PAGES_PER_SHEET, devmode, block, &type, &size, &pages, nullptr) != SST_OK)
        return SST_BAD;
    WORD status = dma_GetValue(FID_ORIENTATION, devmode, block, &type, &size, &orientation, nullptr);
    if (status != SST_OK)
        return status;
    PositionQuery query = {(WORD)orientation, (WORD)pages, (WORD)written, 0};
    if (opt_MapPositionToChoice(functionId, &query, &choice) != 0)
        return SST_OK;
    WORD target = functionId == FID_BINDING_POSITION ? FID_BINDING_POSITION_CHOICE : FID_BINDING_POSITION2_CHOICE;
    return dma_SetValue(target, devmode, block, VT_WORD, 2, &choice);
}

DWORD WINAPI dma_CountWideChars(const WCHAR *text, DWORD max)
{
    if (text == nullptr)
        return 0;
    DWORD n = 0;
    while (n < max && text[n] != 0)
        ++n;
    return n;
}

const SettingLocation *WINAPI dma_FindSettingRow(WORD functionId, WORD *kind)
{
    const SettingLocation *row;
    WORD k;
    if (dma_FindRow(functionId, &row, &k) != SST_OK)
        return nullptr;
    if (kind != nullptr)
        *kind = k;
    return row;
}

BOOL WINAPI dma_GetFlagMask(WORD functionId, DWORD *mask)
{
    for (const FlagRange &range : g_FlagRanges) {
        if (functionId < range.firstId || functionId > range.lastId)
            continue;
        for (const FlagMaskRow *row = range.masks; row->functionId != 0; ++row) {
            if (row->functionId == functionId) {
                *mask = row->mask;
                return TRUE;
            }
        }
        return FALSE;
    }
    return FALSE;
}

WORD WINAPI dma_GetFunctionValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type,
                                 DWORD *size, void *value)
{
    if (s_getRoute != nullptr)
        return s_getRoute(functionId, devmode, block, type, size, value);
    if (functionId == FID_CONSTANT_ZERO) {
        if (type == nullptr || size == nullptr || value == nullptr)
            return SST_BAD;
        *type = VT_LONG;
        *size = 4;
        memset(value, 0, 4);
        return SST_OK;
    }
    WORD kind;
    WORD status = dma_GetValue(functionId, devmode, block, type, size, value, &kind);
    if (status != SST_OK || (*type != VT_STRING && *type != VT_LOGFONT))
        return status;
    /* Types 6 and 9 come back as an offset within their area: make it a pointer. */
    DWORD offset = dma_ReadDword((const BYTE *)value);
    BYTE *area = kind == SK_DEVMODE       ? (BYTE *)devmode
                 : kind == SK_SECOND_PART ? (BYTE *)devmode + DM_SHORT_SIZE
                                          : (BYTE *)block;
    BYTE *pointer = area + offset;
    memcpy(value, &pointer, sizeof pointer);
    return SST_OK;
}

WORD WINAPI dma_GetRangeFunctionId(DWORD row, DWORD entry)
{
    if (row >= SETTING_RANGE_COUNT)
        return 0;
    const SettingLocation *list = g_SettingLocationRanges[row].locations;
    /* The entry is bounded by the list: past its end the answer is 0. */
    for (DWORD i = 0; i < entry; ++i) {
        if (list[i].functionId == 0)
            return 0;
    }
    return list[entry].functionId;
}

BOOL WINAPI dma_GetRangeStorageKind(DWORD row, WORD *kind)
{
    if (row >= SETTING_RANGE_COUNT || kind == nullptr)
        return FALSE;
    *kind = g_SettingLocationRanges[row].storageKind;
    return TRUE;
}

DWORD WINAPI dma_GetTypeWidth(WORD type)
{
    switch (type) {
    case VT_SHORT:
    case VT_WORD: return 2;
    case VT_BYTE: return 1;
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD:
    case VT_STRING:
    case VT_LOGFONT:
    case VT_FONTFIELD: return 4;
    default: return 0;
    }
}

DWORD_PTR WINAPI dma_GetTypedValue(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, WORD expected)
{
    DWORD need;
    switch (expected) {
    case VT_LONG:
    case VT_LONG32:
    case VT_DWORD: need = 4; break;
    case VT_SHORT:
    case VT_WORD: need = 2; break;
    case VT_BYTE: need = 1; break;
    case VT_STRING: need = 0; break;
    default: return 0;
    }
    if (devmode == nullptr)
        return 0;
    WORD type;
    DWORD size;
    DWORD_PTR value = 0;
    if (dma_GetFunctionValue(functionId, devmode, block, &type, &size, &value) != SST_OK)
        return 0;
    if (need != 0 && size != need)
        return 0;
    return value;
}

WORD WINAPI dma_GetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD *type, DWORD *size,
                         void *value, WORD *kind)
{
    if (type == nullptr || size == nullptr || value == nullptr)
        return SST_BAD;
    ValueLocation loc;
    WORD status = dma_LookupValueLocation(functionId, devmode, block, &loc);
    if (status != SST_OK)
        return status;
    const SettingLocation *row = loc.row;
    if (functionId == FID_FONT1_ANGLE) {
        const BYTE *dm = (const BYTE *)devmode;
        if (dma_ReadDword(dm + FONT1_ESCAPEMENT_OFFSET) != dma_ReadDword(dm + FONT1_ORIENTATION_OFFSET))
            return SST_BAD;
    }

    /* The 32-bit source word of the special settings, else the bytes at the place. */
    DWORD word = 0;
    const BYTE *source = loc.place;
    DWORD copyLength = dma_GetTypeWidth(row->storedType);
    DWORD mask;
    if (functionId == FID_QUALITY_PAIR) {
        const BYTE *dm = (const BYTE *)devmode;
        SHORT quality, resolution;
        memcpy(&quality, loc.place, 2);
        memcpy(&resolution, dm + DM_YRESOLUTION_OFFSET, 2);
        word = (DWORD)(LONG)quality * 65536u + (DWORD)(LONG)resolution;
        source = (const BYTE *)&word;
    } else if ((mask = dma_GetWordByteMask(functionId)) != 0) {
        word = dma_ReadDword(loc.place) & mask;
        source = (const BYTE *)&word;
    } else if (row->storedType == VT_LONG && dma_GetFlagMask(functionId, &mask)) {
        bool set = (dma_ReadDword(loc.place) & mask) != 0;
        word = functionId == FID_INVERTED_FLAG ? !set : set;
        source = (const BYTE *)&word;
    } else if (row->storedType == VT_STRING || row->storedType == VT_LOGFONT) {
        word = row->offset;
        source = (const BYTE *)&word;
    }
    if (source == (const BYTE *)&word)
        copyLength = 4;

    WORD shown = row->presentedType != 0 ? row->presentedType : row->storedType;
    DWORD shownWidth = dma_GetTypeWidth(shown);
    if (shownWidth == 0)
        return SST_BAD;
    memset(value, 0, shownWidth);
    memcpy(value, source, copyLength);

    *type = shown;
    if (shown == VT_STRING) {
        /* Reported sizes stay within the capacity, even for a string without terminator. */
        DWORD bytes = dma_CountWideChars((const WCHAR *)loc.place, row->capacity / 2) * 2 + 2;
        *size = bytes > row->capacity ? row->capacity : bytes;
    } else if (shown == VT_LOGFONT) {
        *size = sizeof(LOGFONTW);
    } else {
        *size = shownWidth;
    }
    if (kind != nullptr)
        *kind = loc.kind;
    return SST_OK;
}

BOOL WINAPI dma_IsStampSetting(WORD functionId)
{
    return (functionId >= 297 && functionId <= 319) || (functionId >= 1286 && functionId <= 1288);
}

WORD WINAPI dma_SetFunctionValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type,
                                 DWORD size, const void *value)
{
    if (s_setRoute != nullptr)
        return s_setRoute(functionId, devmode, block, type, size, value);
    return dma_SetValue(functionId, devmode, block, type, size, value);
}

void WINAPI dma_SetFunctionValueRoute(DmaGetValueRoute get, DmaSetValueRoute set)
{
    s_getRoute = get;
    s_setRoute = set;
}

LONG WINAPI dma_SetTypedValue(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, WORD type, DWORD size,
                              DWORD_PTR value)
{
    if (devmode == nullptr)
        return -1;
    /* The write's status is passed on, so that a refused write is not taken for success. */
    return dma_SetValue(functionId, devmode, block, type, size, &value);
}

WORD WINAPI dma_SetValue(WORD functionId, DriverDevmode *devmode, PrinterDataBlock *block, WORD type, DWORD size,
                         const void *value)
{
    if (value == nullptr)
        return SST_BAD;
    ValueLocation loc;
    WORD status = dma_LookupValueLocation(functionId, devmode, block, &loc);
    if (status != SST_OK)
        return status;
    const SettingLocation *row = loc.row;
    DWORD flagMask = 0;
    bool isFlag = row->storedType == VT_LONG && dma_GetFlagMask(functionId, &flagMask);
    if (isFlag && row->presentedType == 0)
        size = 4;
    DWORD copyLength;
    status = dma_CheckValueForWrite(row, type, size, value, &copyLength);
    if (status != SST_OK)
        return status;

    /* The given value as a word: the caller's bytes are as wide as the given type. For
     * settings stored narrower it is cut to the stored width, as it is written. */
    BYTE *place = loc.place;
    DWORD given = 0;
    memcpy(&given, value, dma_GetTypeWidth(type));
    DWORD storedWidth = dma_GetTypeWidth(row->storedType);
    if (storedWidth < 4 && !isFlag && functionId != FID_QUALITY_PAIR)
        given &= (1ul << (8 * storedWidth)) - 1;
    DWORD byteMask;
    if (functionId == FID_QUALITY_PAIR) {
        WORD high = (WORD)(given >> 16), low = (WORD)given;
        memcpy(place, &high, 2);
        memcpy((BYTE *)devmode + DM_YRESOLUTION_OFFSET, &low, 2);
    } else if ((byteMask = dma_GetWordByteMask(functionId)) != 0) {
        DWORD word = (dma_ReadDword(place) & ~byteMask) | (given & byteMask);
        memcpy(place, &word, 4);
    } else if (isFlag) {
        bool on = functionId == FID_INVERTED_FLAG ? (given & 1) == 0 : (given & 0xFF) != 0;
        DWORD word = dma_ReadDword(place);
        word = on ? (word | flagMask) : (word & ~flagMask);
        memcpy(place, &word, 4);
    } else if (row->storedType == VT_STRING || row->storedType == VT_LOGFONT) {
        memcpy(place, *(const void *const *)value, copyLength);
    } else {
        memcpy(place, &given, copyLength);
    }
    if (functionId == FID_FONT1_ANGLE)
        memcpy((BYTE *)devmode + FONT1_ORIENTATION_OFFSET, place, 4);
    else if (functionId == FID_FONT2_ANGLE)
        memcpy((BYTE *)devmode + FONT2_ORIENTATION_OFFSET, place, 4);

    return dma_SetDependentSettings(functionId, devmode, block, given);
}
