/*
 * Layout of the text items of page annotations.
 */
#include "render/pdl/cover/text_layout.h"

#include <string.h>

static_assert(sizeof(TextItemRow) == 22, "a layout row is 22 bytes");
static_assert(sizeof(TextItem) == 266, "a text item is 266 bytes");

// Constants of the item layout: millimetres per point, the width of a half-width
// character and the height of a line in points, the shrink rule of long kind-8 texts.
static const double kWidthPerPoint = 0.35277777777777775;
static const double kHeightPerPoint = 0.3033888888888889;
static const double kPointsPerCentimetre = 28.34645669291339;
static const int kLongKind = 8;
static const int kLongBytes = 51;
static const double kLongWidth = 107.0;

#define LAYOUT_ANSI_MAX 2048

// ANSI copy of a text (at most LAYOUT_ANSI_MAX - 1 bytes). Returns its length, -1 on failure.
static int to_ansi(LPCWSTR text, char *ansi)
{
    int length = WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, LAYOUT_ANSI_MAX, NULL, NULL);
    if (length <= 0)
        return -1;
    ansi[length - 1] = 0;
    return length - 1;
}

// Stores bytes [from, to) of the ANSI text as wide line n.
static void store_line(const char *ansi, int from, int to, WCHAR *line)
{
    int chars = to > from ? MultiByteToWideChar(CP_ACP, 0, ansi + from, to - from, line, TEXT_ITEM_CHARS - 1) : 0;
    line[chars > 0 ? chars : 0] = 0;
}

BOOL util_SplitTextLines(LPCWSTR text, DWORD capacity, DWORD maxLines, WCHAR (*lines)[TEXT_ITEM_CHARS], DWORD *count)
{
    if (!text || !lines || !count || capacity == 0)
        return FALSE;
    *count = 0;
    if (capacity > TEXT_ITEM_CHARS - 1)
        capacity = TEXT_ITEM_CHARS - 1;
    char ansi[LAYOUT_ANSI_MAX];
    int length = to_ansi(text, ansi);
    if (length < 0)
        return FALSE;
    UINT codePage = GetACP();
    int start = 0, at = 0;
    while (at < length && *count < maxLines) {
        if (ansi[at] == '\r' && ansi[at + 1] == '\n') {
            store_line(ansi, start, at, lines[(*count)++]);
            at += 2;
            start = at;
            continue;
        }
        int size = IsDBCSLeadByteEx(codePage, (BYTE)ansi[at]) && ansi[at + 1] ? 2 : 1;
        if ((DWORD)(at + size - start) > capacity && at > start) { // a line holds one character at least
            store_line(ansi, start, at, lines[(*count)++]);
            start = at;
            continue;
        }
        at += size;
    }
    if (start < length && *count < maxLines)
        store_line(ansi, start, length, lines[(*count)++]);
    return TRUE;
}

DWORD util_ComputeTextItemPositions(const TextItemRow *row, LPCWSTR text, TextItem *items, DWORD itemCount)
{
    if (!row || !text || !items || itemCount == 0)
        return 0;
    char ansi[LAYOUT_ANSI_MAX];
    int textBytes = to_ansi(text, ansi);
    if (textBytes < 0)
        return 0;
    DWORD count = 0, limit = itemCount < TEXT_ITEM_CHARS ? itemCount : TEXT_ITEM_CHARS;
    WCHAR(*split)
    [TEXT_ITEM_CHARS] = (WCHAR(*)[TEXT_ITEM_CHARS])GlobalAlloc(GPTR, sizeof(WCHAR) * TEXT_ITEM_CHARS * TEXT_ITEM_CHARS);
    if (!split)
        return 0;
    if (row->wrapWidth) {
        DWORD maxLines = row->lineLimit < limit ? row->lineLimit : limit;
        if (!util_SplitTextLines(text, row->wrapWidth, maxLines, split, &count))
            count = 0;
    } else {
        lstrcpynW(split[0], text, TEXT_ITEM_CHARS);
        count = 1;
    }
    double fontSize = row->fontSize;
    if (row->kind == kLongKind && textBytes > kLongBytes)
        fontSize = kLongWidth / textBytes * 2 * kPointsPerCentimetre;
    int offset = 0;
    for (DWORD i = 0; i < count; ++i) {
        TextItem *item = &items[i];
        char line[LAYOUT_ANSI_MAX];
        int lineBytes = to_ansi(split[i], line);
        double x = row->x;
        if (row->alignment == 1)
            x -= row->fontSize * 0.1 * kWidthPerPoint * (lineBytes / 2) * 10;
        double y = row->anchor == 2 ? offset - row->fontSize * 0.1 * kHeightPerPoint * 10 + row->y : row->y + offset;
        item->x = (SHORT)x;
        item->y = (SHORT)y;
        item->fontSize = (WORD)fontSize;
        item->color = row->color;
        lstrcpynW(item->text, split[i], TEXT_ITEM_CHARS);
        offset += row->lineStep;
    }
    GlobalFree(split);
    return count;
}
