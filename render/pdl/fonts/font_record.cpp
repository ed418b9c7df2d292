/*
 * Reading a font record with its offsets checked.
 */
#include "render/pdl/fonts/font_record.h"

#include <string.h>

// A zero-terminated string starting at offset, or NULL when it runs past the record.
static const char *StringAt(const BYTE *record, DWORD size, DWORD offset)
{
    if (offset >= size) {
        return NULL;
    }
    const void *end = memchr(record + offset, 0, size - offset);
    return end != NULL ? (const char *)(record + offset) : NULL;
}

// fnt_ReadFontRecord: see font_record.h.
BOOL fnt_ReadFontRecord(const BYTE *record, DWORD size, FontRecordView *view)
{
    if (record == NULL || view == NULL || size < FONT_RECORD_HEADER_SIZE) {
        return FALSE;
    }
    FontRecordView v = {};
    v.bytes = record;
    v.size = size;
    v.aspectY = fnt_U16(record + 10);
    v.aspectX = fnt_U16(record + 12);
    v.ascent = fnt_U16(record + 14);
    v.valueD = fnt_U16(record + 16);
    v.valueG = fnt_U16(record + 18);
    v.charSet = record[20];
    v.pitchAndFamily = record[21];
    v.firstChar = record[22];
    v.lastChar = record[23];
    v.defaultOffset = record[24];
    v.breakOffset = record[25];
    v.fixedWidth = fnt_U16(record + 26);
    v.italic = record[28];
    v.underline = record[29];
    v.strikeout = record[30];
    v.weight = fnt_U16(record + 31);
    v.averageWidth = fnt_U16(record + 34);
    v.maximumWidth = fnt_U16(record + 36);
    for (int i = 0; i < 3; ++i) {
        v.subTableOffset[i] = fnt_U16(record + 38 + 2 * i);
    }
    if (v.lastChar < v.firstChar) {
        return FALSE;
    }
    DWORD nameOffset = fnt_U16(record);
    v.faceName = StringAt(record, size, nameOffset);
    if (v.faceName == NULL) {
        return FALSE;
    }
    v.secondName = StringAt(record, size, nameOffset + (DWORD)strlen(v.faceName) + 1);
    v.fontIdText = StringAt(record, size, fnt_U16(record + 8));
    DWORD metricsOffset = fnt_U16(record + 2);
    if (v.secondName == NULL || v.fontIdText == NULL || metricsOffset + FONT_METRICS_SIZE > size) {
        return FALSE;
    }
    v.metrics = record + metricsOffset;
    DWORD widthOffset = fnt_U16(record + 4);
    if (widthOffset != 0) {
        if (widthOffset + 2u * (v.lastChar - v.firstChar + 1u) > size) {
            return FALSE;
        }
        v.widths = record + widthOffset;
    }
    DWORD kerningOffset = fnt_U16(record + 6);
    if (kerningOffset != 0) {
        if (kerningOffset + 2 > size) {
            return FALSE;
        }
        v.kerningCount = fnt_U16(record + kerningOffset);
        if (kerningOffset + 2 + 4u * v.kerningCount > size) {
            return FALSE;
        }
        v.kerning = record + kerningOffset;
    }
    *view = v;
    return TRUE;
}
