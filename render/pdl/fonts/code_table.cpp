/*
 * Font code tables: which glyph of a device font a character code uses.
 */
#include "render/pdl/fonts/fonts.h"

#include <string.h>

#include "render/pdl/fonts/font_record.h"

static const WORD kDefaultCharWhenZero = 81;
static const WORD kNoHex = 0xFFFF;
static const WORD kGlyphMissingBit = 0x8000;

// The second name read as a 16-bit hexadecimal number; kNoHex for any other character
// (or an empty name).
static WORD ParseHexName(const char *text)
{
    if (text == NULL || *text == '\0') {
        return kNoHex;
    }
    DWORD value = 0;
    for (const char *p = text; *p != '\0'; ++p) {
        int digit;
        if (*p >= '0' && *p <= '9') {
            digit = *p - '0';
        } else if (*p >= 'A' && *p <= 'F') {
            digit = *p - 'A' + 10;
        } else if (*p >= 'a' && *p <= 'f') {
            digit = *p - 'a' + 10;
        } else {
            return kNoHex;
        }
        value = (value << 4) | (DWORD)digit;
        if (value > 0xFFFF) {
            return kNoHex;
        }
    }
    return (WORD)value;
}

// fnt_BuildCodeTable: see fonts.h.
LONG WINAPI fnt_BuildCodeTable(const BYTE *record, FontCodeTable *table, DWORD recordSize)
{
    if (table == NULL) {
        return -1;
    }
    memset(table, 0, sizeof *table);
    FontRecordView view;
    if (!fnt_ReadFontRecord(record, recordSize, &view)) {
        return -1;
    }
    table->faceName = view.faceName;
    table->secondNameHex = ParseHexName(view.secondName);
    table->firstCode = view.firstChar;
    table->lastCode = view.lastChar;
    table->defaultChar = (WORD)(view.defaultOffset != 0 ? view.firstChar + view.defaultOffset : kDefaultCharWhenZero);
    for (int i = 0; i < 3; ++i) {
        DWORD offset = view.subTableOffset[i];
        if (offset == 0) {
            continue;
        }
        if (offset + 2 > recordSize) {
            return -1;
        }
        DWORD count = fnt_U16(record + offset);
        if (offset + 2 + 4 * count > recordSize) {
            return -1;
        }
        table->sub[i].pairs = record + offset + 2;
        table->sub[i].count = count;
    }
    return 0;
}

// fnt_MapCharCode: see fonts.h.
LONG WINAPI fnt_MapCharCode(const FontCodeTable *table, WORD code)
{
    if (table == NULL) {
        return -1;
    }
    if (code >= table->firstCode && code <= table->lastCode) {
        return code;
    }
    for (const CodeSubTable &sub : table->sub) {
        DWORD low = 0;
        DWORD high = sub.count;
        while (low < high) {
            DWORD middle = (low + high) / 2;
            WORD at = fnt_U16(sub.pairs + 4 * middle);
            if (at == code) {
                WORD glyph = fnt_U16(sub.pairs + 4 * middle + 2);
                return (glyph & kGlyphMissingBit) != 0 ? -1 : glyph;
            }
            if (at < code) {
                low = middle + 1;
            } else {
                high = middle;
            }
        }
    }
    return -1;
}
