/*
 * Reading a font record (layout in fonts.h) with every offset checked against its size.
 */
#ifndef QM_RENDER_PDL_FONTS_FONT_RECORD_H
#define QM_RENDER_PDL_FONTS_FONT_RECORD_H

#include <windows.h>

#include "render/pdl/fonts/fonts.h"

// The fields of a font record's header.
typedef struct FontRecordView {
    const BYTE *bytes;
    DWORD size;
    const char *faceName; // zero-terminated inside the record
    const char *secondName;
    const BYTE *metrics; // FONT_METRICS_SIZE bytes
    const BYTE *widths;  // (last - first + 1) u16 values, or NULL
    const BYTE *kerning; // u16 count, then the pairs; or NULL
    WORD kerningCount;
    const char *fontIdText;
    BYTE charSet;
    BYTE pitchAndFamily;
    BYTE firstChar;
    BYTE lastChar;
    BYTE defaultOffset;
    BYTE breakOffset;
    WORD fixedWidth;
    BYTE italic;
    BYTE underline;
    BYTE strikeout;
    WORD weight;
    WORD averageWidth;
    WORD maximumWidth;
    WORD aspectX;
    WORD aspectY;
    WORD ascent;
    WORD valueD;
    WORD valueG;
    WORD subTableOffset[3];
} FontRecordView;

// fnt_ReadFontRecord: fills view from a record of size bytes. Returns 1, or 0 when the
// header, a name, the metrics, the width or kerning table or the identifier lies outside
// the record, or the last character is below the first.
BOOL fnt_ReadFontRecord(const BYTE *record, DWORD size, FontRecordView *view);

// Little-endian values.
inline WORD fnt_U16(const BYTE *p)
{
    return (WORD)(p[0] | (p[1] << 8));
}

inline DWORD fnt_U32(const BYTE *p)
{
    return (DWORD)p[0] | ((DWORD)p[1] << 8) | ((DWORD)p[2] << 16) | ((DWORD)p[3] << 24);
}

// fnt_Metric: value m[index] of the metrics block.
inline DWORD fnt_Metric(const FontRecordView *view, int index)
{
    return fnt_U32(view->metrics + 4 * index);
}

#endif /* QM_RENDER_PDL_FONTS_FONT_RECORD_H */
