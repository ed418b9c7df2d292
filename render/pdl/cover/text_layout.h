/*
 * Layout of the text items of page annotations (the cover-page text block): texts cut
 * into lines, and the position and size of each line.
 */
#ifndef QM_RENDER_PDL_COVER_TEXT_LAYOUT_H
#define QM_RENDER_PDL_COVER_TEXT_LAYOUT_H

#include <windows.h>

// Characters of an item's text, terminator included.
#define TEXT_ITEM_CHARS 129

// TextItemRow (22 bytes): how one text item is laid out.
struct TextItemRow {
    WORD kind;      // the item's kind (8: a text shrunk when long)
    WORD textId;    // string of the resource module for fixed texts
    WORD anchor;    // 2: the item is anchored at its bottom
    WORD alignment; // 1: the item is centred on x
    WORD color;     // colour word handed to the item
    WORD fontSize;  // tenths of a point
    WORD x;         // 0.1 mm
    WORD y;         // 0.1 mm
    WORD wrapWidth; // line capacity in bytes; 0: the text is one line
    WORD lineLimit; // most lines
    WORD lineStep;  // line pitch, 0.1 mm
};

// TextItem (266 bytes): one laid-out line.
struct TextItem {
    SHORT x;
    SHORT y;
    WORD fontSize;
    WORD color;
    WCHAR text[TEXT_ITEM_CHARS];
};

// util_SplitTextLines: cuts a text into lines at CR LF and wherever the next character
// (a double-byte character counts 2) would pass the capacity, measured in the ANSI code
// page; each line is stored back as wide text. Stops at maxLines.
//   capacity  in   bytes per line (at most TEXT_ITEM_CHARS - 1)
//   lines     out  maxLines lines
//   count     out  lines stored
// Returns 1, 0 on a missing argument or a failed conversion.
BOOL util_SplitTextLines(LPCWSTR text, DWORD capacity, DWORD maxLines, WCHAR (*lines)[TEXT_ITEM_CHARS], DWORD *count);

// util_ComputeTextItemPositions: lays out a text by its row: split into lines when the row
// has a wrap width, each line an item with its position, font size and colour.
//   items     out  up to itemCount items
// Returns the items filled, 0 on failure.
DWORD util_ComputeTextItemPositions(const TextItemRow *row, LPCWSTR text, TextItem *items, DWORD itemCount);

#endif /* QM_RENDER_PDL_COVER_TEXT_LAYOUT_H */
