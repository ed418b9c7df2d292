/*
 * The built-in stamps: the descriptor table (the default stamp, the six built-in stamps
 * and the default font), the stamps made from it with the resource module's strings, and
 * their names.
 */
#include "core/stamps/stamp_record.h"

#include "core/util/conversion.h"
#include "core/util/resource_module.h"

#include <string.h>

/* Characters of a number string read for the font. */
static const int kNumberChars = 12;

/* The text of a missing string. */
static const WCHAR kUndefined[] = TEXT("Undefined");

const StampDescriptor g_StampDescriptors[STAMP_DESCRIPTOR_ROWS] = {
    {1791, 1792, 13311, 1, 1, 0, 514, 0, {5149, 0, 5158, 5159, 700, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1793, 0}},
    {1794, 1795, 13311, 1, 1, 2, 514, 0, {5150, 0, 5160, 5161, 0, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1796, 0}},
    {1797, 1798, 13311, 1, 0, 1, 769, 0, {5151, 0, 5162, 5163, 700, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1799, 0}},
    {1800, 1801, 13311, 1, 0, 1, 769, 0, {5152, 0, 5164, 5165, 700, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1802, 0}},
    {1803, 1804, 13311, 1, 0, 1, 769, 0, {5153, 0, 5166, 5167, 700, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1805, 0}},
    {1806, 1807, 13311, 1, 1, 0, 514, 0, {5154, 0, 5168, 5169, 0, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1808, 0}},
    {1809, 1810, 13311, 1, 1, 0, 514, 0, {5155, 0, 5170, 5171, 0, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1811, 0}},
};

const StampFontDescriptor g_DefaultStampFont = {5156, 0, 5172, 5173, 400, 0, 0, 0, 0, 1790, 0, 0, 2, 0, 1812, 0};

/* A decimal number from a resource string; 0 when the string is missing. */
static LONG bst_Number(HMODULE module, WORD id)
{
    WCHAR text[kNumberChars + 1] = {0};
    if (!module || !LoadStringW(module, id, text, kNumberChars + 1))
        return 0;
    return util_WideToInt(text);
}

/* A resource string into text of capacity characters (terminator included), or
 * "Undefined" when it is missing. */
static void bst_Text(HMODULE module, WORD id, WCHAR *text, int capacity)
{
    if (!module || !LoadStringW(module, id, text, capacity))
        lstrcpynW(text, kUndefined, capacity);
}

void ureg_MakeStampFont(LOGFONTW *font, const StampFontDescriptor *d)
{
    memset(font, 0, sizeof(*font));
    HMODULE module = util_GetResourceModule();
    font->lfHeight = bst_Number(module, d->heightId);
    font->lfWidth = d->width;
    font->lfEscapement = bst_Number(module, d->escapementId);
    font->lfOrientation = bst_Number(module, d->orientationId);
    font->lfWeight = d->weight;
    font->lfItalic = d->italic;
    font->lfUnderline = d->underline;
    font->lfStrikeOut = d->strikeOut;
    font->lfCharSet = (BYTE)bst_Number(module, d->charSetId);
    font->lfOutPrecision = d->outPrecision;
    font->lfClipPrecision = d->clipPrecision;
    font->lfQuality = d->quality;
    font->lfPitchAndFamily = d->pitchAndFamily;
    bst_Text(module, d->faceId, font->lfFaceName, STAMP_FACE_CHARS);
}

WORD ureg_MakeBuiltinStamp(StampRecord *record, const StampDescriptor *d)
{
    if (!record || !d)
        return STP_NOT_FOUND;
    memset(record, 0, sizeof(*record));
    HMODULE module = util_GetResourceModule();
    bst_Text(module, d->nameId, record->name, STAMP_NAME_CHARS);
    bst_Text(module, d->textId, record->text, STAMP_TEXT_CHARS);
    record->colour = d->colour;
    record->style = d->style;
    record->optionB = d->optionB;
    record->frame = d->frame;
    record->placement = d->placement;
    record->repeat = d->repeat;
    ureg_MakeStampFont(&record->font, &d->font);
    return STP_OK;
}

/* The built-in stamp row (1..6) of a name, or 0. */
static int bst_FindRow(const WCHAR *name)
{
    if (!name)
        return 0;
    HMODULE module = util_GetResourceModule();
    for (int row = 1; row <= STAMP_BUILTIN_COUNT; ++row) {
        WCHAR builtin[STAMP_NAME_CHARS];
        bst_Text(module, g_StampDescriptors[row].nameId, builtin, STAMP_NAME_CHARS);
        if (lstrcmpW(builtin, name) == 0)
            return row;
    }
    return 0;
}

BOOL ureg_IsBuiltinStampName(const WCHAR *name)
{
    return bst_FindRow(name) != 0;
}

WORD ureg_ListBuiltinStampNames(WCHAR *buffer, WORD *count, DWORD *size)
{
    if (!size)
        return STP_NOT_FOUND;
    HMODULE module = util_GetResourceModule();
    WCHAR names[STAMP_BUILTIN_COUNT][STAMP_NAME_CHARS];
    DWORD needed = sizeof(WCHAR); /* the closing empty string */
    for (int i = 0; i < STAMP_BUILTIN_COUNT; ++i) {
        bst_Text(module, g_StampDescriptors[i + 1].nameId, names[i], STAMP_NAME_CHARS);
        needed += ((DWORD)lstrlenW(names[i]) + 1) * sizeof(WCHAR);
    }
    if (count)
        *count = STAMP_BUILTIN_COUNT;
    DWORD capacity = *size;
    *size = needed;
    if (!buffer)
        return STP_OK;
    if (capacity < needed)
        return STP_BUFFER_TOO_SMALL;
    WCHAR *out = buffer;
    for (int i = 0; i < STAMP_BUILTIN_COUNT; ++i) {
        DWORD chars = (DWORD)lstrlenW(names[i]) + 1;
        memcpy(out, names[i], chars * sizeof(WCHAR));
        out += chars;
    }
    *out = 0;
    return STP_OK;
}

WORD ureg_GetBuiltinStamp(const WCHAR *name, StampRecord *record)
{
    int row = bst_FindRow(name);
    if (!row || !record)
        return STP_NO_KEY;
    return ureg_MakeBuiltinStamp(record, &g_StampDescriptors[row]);
}
