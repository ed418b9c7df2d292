/*
 * Validation of user text against byte-range tables. A table is the concatenation of the
 * strings of a 0-terminated list of string ids of the resource module, each followed by
 * ",": comma-separated numbers of 1 or 2 hexadecimal digits, one byte each. The tables:
 *   single-byte ranges {start, end} and double-byte ranges {start high, start low, end
 *   high, end low}, each list ended by an entry whose first byte is 0;
 *   forbidden single bytes and forbidden double-byte pairs, ended by a 0 byte.
 * A table that does not read so makes the text invalid; nothing is read past a table.
 */
#include "ui/driver/runtime/text.h"

#include "core/util/global_block.h"
#include "core/util/resource_module.h"

typedef struct ByteTable {
    BYTE *bytes; /* NULL: no table given */
    DWORD count;
} ByteTable;

static const char kSingleBlank = ' ';
static const DWORD kBlankChars = 8;

static BOOL check_LoadTable(HMODULE module, const UINT *ids, ByteTable *table);
static int check_HexDigit(WCHAR c);
static BOOL check_InRanges(const ByteTable *table, DWORD width, DWORD value, BOOL *inside);
static BOOL check_InList(const ByteTable *table, DWORD width, DWORD value, BOOL *listed);
static BOOL check_IsOnlyBlanks(const char *text, const char *doubleBlank);
static BOOL check_HasTerminator(const ByteTable *table, DWORD entryBytes);

/* The bytes of one entry of each table: single ranges, double ranges, forbidden single
 * bytes, forbidden pairs. */
static const DWORD kEntryBytes[4] = {2, 4, 1, 2};

/* Whether the entries of table (entryBytes each) end with an entry whose first byte is 0. */
static BOOL check_HasTerminator(const ByteTable *table, DWORD entryBytes)
{
    for (DWORD at = 0; at < table->count; at += entryBytes) {
        if (table->bytes[at] == 0)
            return TRUE;
        if (at + entryBytes > table->count)
            return FALSE;
    }
    return FALSE;
}

static int check_HexDigit(WCHAR c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

/* Reads the table of ids into table (bytes NULL for no ids). FALSE when it does not read. */
static BOOL check_LoadTable(HMODULE module, const UINT *ids, ByteTable *table)
{
    table->bytes = nullptr;
    table->count = 0;
    if (ids == nullptr || ids[0] == 0)
        return TRUE;
    DWORD chars = 0;
    for (const UINT *id = ids; *id != 0; ++id) {
        const WCHAR *text = nullptr;
        int length = LoadStringW(module, *id, (LPWSTR)&text, 0);
        if (length <= 0 || text == nullptr)
            return FALSE;
        chars += (DWORD)length + 1;
    }
    BYTE *bytes = (BYTE *)util_GlobalAllocZero(chars);
    if (bytes == nullptr)
        return FALSE;
    DWORD count = 0;
    for (const UINT *id = ids; *id != 0; ++id) {
        const WCHAR *text = nullptr;
        int length = LoadStringW(module, *id, (LPWSTR)&text, 0);
        // Each string is followed by ",": every number of it ends at a comma or its end.
        int digits = 0;
        int value = 0;
        for (int i = 0; i <= length; ++i) {
            if (i == length || text[i] == ',') {
                if (digits == 0 && i == length && i > 0 && text[i - 1] == ',')
                    break; // a string ending in "," adds no empty number
                if (digits == 0 || digits > 2) {
                    GlobalFree(bytes);
                    return FALSE;
                }
                bytes[count++] = (BYTE)value;
                digits = 0;
                value = 0;
                continue;
            }
            int digit = check_HexDigit(text[i]);
            if (digit < 0) {
                GlobalFree(bytes);
                return FALSE;
            }
            value = value * 16 + digit;
            ++digits;
        }
    }
    table->bytes = bytes;
    table->count = count;
    return TRUE;
}

/* Whether value (width 1 or 2 bytes, big-endian in the table) lies in a range of the
 * table; FALSE when the table ends without its terminating entry. */
static BOOL check_InRanges(const ByteTable *table, DWORD width, DWORD value, BOOL *inside)
{
    *inside = FALSE;
    for (DWORD at = 0;; at += 2 * width) {
        if (at >= table->count)
            return FALSE;
        if (table->bytes[at] == 0)
            return TRUE;
        if (at + 2 * width > table->count)
            return FALSE;
        DWORD start = width == 1 ? table->bytes[at] : ((DWORD)table->bytes[at] << 8) | table->bytes[at + 1];
        DWORD end = width == 1 ? table->bytes[at + 1] : ((DWORD)table->bytes[at + 2] << 8) | table->bytes[at + 3];
        if (value >= start && value <= end)
            *inside = TRUE;
    }
}

/* Whether value (width 1 or 2 bytes) is listed; FALSE when the list has no terminating 0. */
static BOOL check_InList(const ByteTable *table, DWORD width, DWORD value, BOOL *listed)
{
    *listed = FALSE;
    for (DWORD at = 0;; at += width) {
        if (at >= table->count)
            return FALSE;
        if (table->bytes[at] == 0)
            return TRUE;
        if (at + width > table->count)
            return FALSE;
        DWORD entry = width == 1 ? table->bytes[at] : ((DWORD)table->bytes[at] << 8) | table->bytes[at + 1];
        if (entry == value)
            *listed = TRUE;
    }
}

/* Whether text holds nothing but single-byte spaces and the double-byte space. */
static BOOL check_IsOnlyBlanks(const char *text, const char *doubleBlank)
{
    UINT page = GetACP();
    for (const char *p = text; *p != 0;) {
        if (IsDBCSLeadByteEx(page, (BYTE)*p) && p[1] != 0) {
            if (doubleBlank[0] == 0 || p[0] != doubleBlank[0] || p[1] != doubleBlank[1])
                return FALSE;
            p += 2;
        } else {
            if (*p != kSingleBlank)
                return FALSE;
            ++p;
        }
    }
    return TRUE;
}

int ui_ValidateText(const WCHAR *text, const UINT *singleRanges, const UINT *doubleRanges, const UINT *forbiddenSingles,
                    const UINT *forbiddenDoubles, DWORD flags, DWORD limit)
{
    char *ansi = nullptr;
    DWORD bytes = 0;
    if (!ui_WideToMultiByteExact(text, &ansi, &bytes))
        return 0;
    int valid = 1;
    if (bytes == 0)
        valid = (flags & UI_TEXT_EMPTY_VALID) != 0 ? 1 : 0;
    else if ((flags & UI_TEXT_EXTRA_LIMIT) == UI_TEXT_EXTRA_LIMIT && bytes > limit)
        valid = 0;
    ByteTable tables[4] = {};
    HMODULE module = valid && bytes > 0 ? util_GetResourceModule() : nullptr;
    if (valid && bytes > 0) {
        const UINT *ids[4] = {singleRanges, doubleRanges, forbiddenSingles, forbiddenDoubles};
        for (int i = 0; i < 4 && valid; ++i)
            if (ids[i] != nullptr && ids[i][0] != 0 &&
                (module == nullptr || !check_LoadTable(module, ids[i], &tables[i]) ||
                 !check_HasTerminator(&tables[i], kEntryBytes[i])))
                valid = 0;
    }
    UINT page = GetACP();
    for (DWORD at = 0; valid && at < bytes;) {
        BYTE first = (BYTE)ansi[at];
        BOOL hit = FALSE;
        if (IsDBCSLeadByteEx(page, first)) {
            if (at + 1 >= bytes) {
                valid = 0;
                break;
            }
            DWORD pair = ((DWORD)first << 8) | (BYTE)ansi[at + 1];
            if (tables[1].bytes != nullptr && (!check_InRanges(&tables[1], 2, pair, &hit) || !hit))
                valid = 0;
            else if (tables[3].bytes != nullptr && (!check_InList(&tables[3], 2, pair, &hit) || hit))
                valid = 0;
            at += 2;
        } else {
            if (tables[0].bytes != nullptr && (!check_InRanges(&tables[0], 1, first, &hit) || !hit))
                valid = 0;
            else if (tables[2].bytes != nullptr && (!check_InList(&tables[2], 1, first, &hit) || hit))
                valid = 0;
            at += 1;
        }
    }
    if (valid && bytes > 0 && (flags & UI_TEXT_NO_ONLY_BLANKS) != 0) {
        WCHAR wideBlank[kBlankChars] = {};
        char doubleBlank[kBlankChars] = {};
        if (module == nullptr)
            module = util_GetResourceModule();
        if (module != nullptr && LoadStringW(module, UI_DOUBLE_BYTE_SPACE_STRING, wideBlank, kBlankChars) > 0) {
            BOOL usedDefault = FALSE;
            int n = WideCharToMultiByte(
                CP_ACP, WC_NO_BEST_FIT_CHARS, wideBlank, -1, doubleBlank, kBlankChars, nullptr, &usedDefault);
            if (n != 3 || usedDefault)
                doubleBlank[0] = 0; // the page has no double-byte space
        }
        if (check_IsOnlyBlanks(ansi, doubleBlank))
            valid = 0;
    }
    for (ByteTable &table : tables)
        util_GlobalFreeIfSet(table.bytes);
    GlobalFree(ansi);
    return valid;
}
