/*
 * Font information blocks: the IFIMETRICS, widths, kerning pairs and code table of one
 * device font, built from its font record.
 */
#include "render/pdl/fonts/fonts.h"

#include <stddef.h>
#include <stdlib.h>
#include <string.h>

#include "platform/include/qm_layout.h"
#include "render/pdl/fonts/font_record.h"

// One variant of the font simulation block (bold, italic, bold italic).
typedef struct FontSimVariant {
    BYTE reserved[3];
    BYTE panoseWeight;
    USHORT winWeight;
    USHORT selection;
    FWORD aveCharWidth;
    FWORD maxCharInc;
    POINTL caret;
} FontSimVariant;

// The simulation block behind the names: offsets of the three variants, then them.
typedef struct FontSimBlock {
    PTRDIFF boldOffset;
    PTRDIFF italicOffset;
    PTRDIFF boldItalicOffset;
    FontSimVariant variants[3];
} FontSimBlock;

static_assert(sizeof(FontSimVariant) == 20, "FontSimVariant");
static_assert(sizeof(FontSimBlock) == 72, "FontSimBlock");
static_assert(sizeof(FontInfoBlock) == QM_LAYOUT(672, 704), "FontInfoBlock");

// The IFIMETRICS follow the block head and 4 bytes, on the IFIMETRICS' own alignment
// (pointer-sized in 64-bit builds, where the head is longer too).
static const DWORD kIfiOffset = QM_LAYOUT(676, 712);
static_assert(kIfiOffset >= sizeof(FontInfoBlock) + 4, "the IFIMETRICS lie behind the block head");
static_assert(kIfiOffset % alignof(IFIMETRICS) == 0, "the IFIMETRICS are aligned");
static const ULONG kBaseInfoFlags = 0x82010;
static const ULONG kFixedPitchFlags = 0x401000;
static const ULONG kDbcsFixedPitchFlags = 0x10400000;
static const UINT kWesternCodePage = 1252;
static const BYTE kShiftJisCharSet = 128;
static const WORD kDefaultWeight = 400;
static const WORD kMaxWeight = 1000;
static const LONG kWidthBoth = 65537; // the width in both halves of the entry
static const WORD kWidthUnusedBit = 0x8000;

// True for the double-byte character sets 128, 129, 134 and 136.
static bool IsDbcsCharSet(BYTE charSet)
{
    return charSet == 128 || charSet == 129 || charSet == 134 || charSet == 136;
}

static bool IsFixedPitch(const FontRecordView *view)
{
    return (view->pitchAndFamily & 0x0F) == 1;
}

// Bytes a name of `chars` characters takes behind the IFIMETRICS (rounded to 4).
static DWORD NameBytes(DWORD chars)
{
    return (2 * chars + 5) & ~3u;
}

// Characters kept of an ANSI name converted to wide characters.
static DWORD NameChars(const char *name)
{
    int chars = MultiByteToWideChar(CP_ACP, 0, name, -1, NULL, 0);
    chars = chars > 0 ? chars - 1 : 0;
    return (DWORD)chars < FONT_FACE_CHARS ? (DWORD)chars : FONT_FACE_CHARS;
}

static void CopyName(const char *name, WCHAR *out, DWORD chars)
{
    WCHAR buffer[256] = {};
    MultiByteToWideChar(CP_ACP, 0, name, -1, buffer, 255);
    memcpy(out, buffer, chars * sizeof(WCHAR));
    out[chars] = 0;
}

// The table width of character c (bit 15 entries count as 0); -1 outside the table.
static LONG TableWidth(const FontRecordView *view, DWORD c)
{
    if (view->widths == NULL || c < view->firstChar || c > view->lastChar) {
        return -1;
    }
    WORD width = fnt_U16(view->widths + 2 * (c - view->firstChar));
    return (width & kWidthUnusedBit) != 0 ? 0 : width;
}

// fnt_GetCharWidths: the 128 width entries.
static void fnt_GetCharWidths(const FontRecordView *view, DWORD *widths)
{
    LONG width;
    for (DWORD c = 0; c < FONT_WIDTH_ENTRIES; ++c) {
        if (view->widths != NULL) {
            width = TableWidth(view, c);
            if (width < 0) {
                width = TableWidth(view, (DWORD)view->firstChar + view->defaultOffset);
            }
            if (width < 0) {
                width = 0;
            }
        } else {
            width = IsDbcsCharSet(view->charSet) ? view->fixedWidth / 2 : view->fixedWidth;
        }
        widths[c] = (DWORD)(width * kWidthBoth);
    }
}

// The average width: the record's, else the rounded mean of the width table, else the
// fixed pitch width.
static LONG AverageWidth(const FontRecordView *view)
{
    if (view->averageWidth != 0) {
        return view->averageWidth;
    }
    if (view->widths == NULL) {
        return view->fixedWidth;
    }
    DWORD count = (DWORD)view->lastChar - view->firstChar + 1;
    DWORD sum = 0;
    for (DWORD c = view->firstChar; c <= view->lastChar; ++c) {
        sum += (DWORD)TableWidth(view, c);
    }
    return (LONG)((sum + count / 2) / count);
}

static WCHAR WideOf(BYTE c, UINT codePage)
{
    WCHAR wide = 0;
    if (MultiByteToWideChar(codePage, 0, (const char *)&c, 1, &wide, 1) != 1) {
        return c;
    }
    return wide;
}

// fnt_BuildIfiMetrics: fills the IFIMETRICS (names and simulation block behind it).
static void fnt_BuildIfiMetrics(const FontRecordView *view, IFIMETRICS *ifi, DWORD faceChars, DWORD familyChars)
{
    DWORD faceBytes = NameBytes(faceChars);
    DWORD familyBytes = NameBytes(familyChars);
    BYTE *base = (BYTE *)ifi;
    ifi->cjThis = sizeof(IFIMETRICS) + faceBytes + familyBytes + sizeof(FontSimBlock);
    ifi->dpwszFaceName = sizeof(IFIMETRICS);
    ifi->dpwszFamilyName = sizeof(IFIMETRICS) + faceBytes;
    // The records give no style or unique name: both name the face.
    ifi->dpwszStyleName = ifi->dpwszFaceName;
    ifi->dpwszUniqueName = ifi->dpwszFaceName;
    ifi->dpFontSim = sizeof(IFIMETRICS) + faceBytes + familyBytes;
    CopyName(view->faceName, (WCHAR *)(base + ifi->dpwszFaceName), faceChars);
    CopyName(view->secondName, (WCHAR *)(base + ifi->dpwszFamilyName), familyChars);

    bool fixed = IsFixedPitch(view);
    ifi->flInfo = kBaseInfoFlags;
    if (fixed) {
        ifi->flInfo |= IsDbcsCharSet(view->charSet) ? kDbcsFixedPitchFlags : kFixedPitchFlags;
    }
    ifi->jWinCharSet = view->charSet;
    ifi->jWinPitchAndFamily = (BYTE)((view->pitchAndFamily & 0xF0) + ((view->pitchAndFamily & 0x0F) == 0 ? 1 : 2));
    ifi->usWinWeight = (view->weight == 0 || view->weight > kMaxWeight) ? kDefaultWeight : view->weight;
    ifi->fsSelection = (USHORT)((view->underline ? FM_SEL_UNDERSCORE : 0) | (view->strikeout ? FM_SEL_STRIKEOUT : 0));
    ifi->fsType = FM_TYPE_LICENSED;
    ifi->fwdUnitsPerEm = 1000;
    ifi->fwdLowestPPEm = (FWORD)fnt_Metric(view, 2);

    FWORD ascent = (FWORD)view->ascent;
    FWORD descent = (FWORD)(view->valueD - view->ascent + 1000);
    LONG gap = (LONG)view->valueG - (LONG)view->valueD;
    ifi->fwdWinAscender = ifi->fwdMacAscender = ifi->fwdTypoAscender = ascent;
    ifi->fwdWinDescender = descent;
    ifi->fwdMacDescender = ifi->fwdTypoDescender = (FWORD)-descent;
    ifi->fwdMacLineGap = ifi->fwdTypoLineGap = (FWORD)(gap > 0 ? gap : 0);

    LONG average = AverageWidth(view);
    ifi->fwdAveCharWidth = (FWORD)average;
    ifi->fwdMaxCharInc = (FWORD)(view->maximumWidth < average ? average : view->maximumWidth);

    DWORD m3 = fnt_Metric(view, 3), m4 = fnt_Metric(view, 4), m5 = fnt_Metric(view, 5);
    DWORD m6 = fnt_Metric(view, 6), m7 = fnt_Metric(view, 7), m8 = fnt_Metric(view, 8);
    DWORD m11 = fnt_Metric(view, 11);
    ifi->lItalicAngle = (LONG)(m5 >> 16);
    ifi->ptlCaret = m5 > 0xFFFF ? POINTL{1, 2} : POINTL{0, 1};
    ifi->ptlBaseline = POINTL{1, 0};
    ifi->ptlAspect = POINTL{view->aspectX, view->aspectY};
    ifi->fwdCapHeight = (FWORD)(m3 >> 16);
    ifi->fwdXHeight = (FWORD)(m4 & 0xFFFF);
    ifi->fwdSubscriptYSize = (FWORD)(m7 >> 16);
    ifi->fwdSubscriptYOffset = (FWORD)(m6 >> 16);
    ifi->fwdSuperscriptYSize = (FWORD)(m7 & 0xFFFF);
    ifi->fwdSuperscriptYOffset = (FWORD)(m6 & 0xFFFF);
    ifi->fwdUnderscoreSize = (FWORD)(m8 >> 16);
    ifi->fwdUnderscorePosition = (FWORD)(-(LONG)(m8 >> 16) / 2);
    ifi->fwdStrikeoutSize = (FWORD)(m11 >> 16);
    ifi->fwdStrikeoutPosition = (FWORD)(m4 > 0x370FFFF ? (m4 >> 16) / 4 : (m4 >> 16) / 2);

    ifi->chFirstChar = view->firstChar;
    ifi->chLastChar = view->lastChar;
    if (view->charSet == kShiftJisCharSet) {
        ifi->chBreakChar = 0x20;
        ifi->chDefaultChar = 0xA5;
        ifi->wcBreakChar = 0x20;
        ifi->wcDefaultChar = 0xFF65;
        ifi->wcFirstChar = 0;
        ifi->wcLastChar = 0xFFE5;
    } else {
        ifi->chDefaultChar = (BYTE)(view->firstChar + view->defaultOffset);
        ifi->chBreakChar = (BYTE)(view->firstChar + view->breakOffset);
        ifi->wcDefaultChar = WideOf(ifi->chDefaultChar, kWesternCodePage);
        ifi->wcBreakChar = WideOf(ifi->chBreakChar, kWesternCodePage);
        WCHAR low = 0xFFFF, high = 0;
        for (int c = 0; c < 256; ++c) {
            WCHAR wide = WideOf((BYTE)c, kWesternCodePage);
            low = wide < low ? wide : low;
            high = wide > high ? wide : high;
        }
        ifi->wcFirstChar = low;
        ifi->wcLastChar = high;
    }
    ifi->rclFontBox = RECTL{0, ifi->fwdTypoAscender, ifi->fwdMaxCharInc, ifi->fwdTypoDescender};
    memcpy(ifi->achVendId, "Unkn", 4);
    ifi->cKerningPairs = view->kerningCount;
    BYTE family = view->pitchAndFamily > 15 ? 1 : 0;
    ifi->panose.bFamilyType = family;
    ifi->panose.bSerifStyle = family;
    ifi->panose.bWeight = (BYTE)(ifi->usWinWeight / 100 + 1);
    ifi->panose.bProportion = fixed ? 9 : 0;

    FontSimBlock *sim = (FontSimBlock *)(base + ifi->dpFontSim);
    sim->boldOffset = offsetof(FontSimBlock, variants[0]);
    sim->italicOffset = offsetof(FontSimBlock, variants[1]);
    sim->boldItalicOffset = offsetof(FontSimBlock, variants[2]);
    FontSimVariant plain = {{0, 0, 0},
                            ifi->panose.bWeight,
                            ifi->usWinWeight,
                            ifi->fsSelection,
                            ifi->fwdAveCharWidth,
                            ifi->fwdMaxCharInc,
                            ifi->ptlCaret};
    FontSimVariant bold = plain;
    bold.panoseWeight = (BYTE)(plain.panoseWeight + 1);
    bold.winWeight = (USHORT)(plain.winWeight + 300);
    bold.selection |= FM_SEL_BOLD;
    bold.aveCharWidth = (FWORD)(plain.aveCharWidth + 1);
    bold.maxCharInc = (FWORD)(plain.maxCharInc + 1);
    FontSimVariant italic = plain;
    italic.selection |= FM_SEL_ITALIC;
    italic.caret = POINTL{1, 3};
    FontSimVariant boldItalic = bold;
    boldItalic.selection |= FM_SEL_ITALIC;
    boldItalic.caret = italic.caret;
    sim->variants[0] = bold;
    sim->variants[1] = italic;
    sim->variants[2] = boldItalic;
}

// fnt_GetKerningPairs: the record's pairs as wide characters in the code page of its
// character set, ended by a zero pair.
static void fnt_GetKerningPairs(const FontRecordView *view, FD_KERNINGPAIR *pairs)
{
    BYTE charSet = (view->charSet == 1 || view->charSet == 2) ? 0 : view->charSet;
    CHARSETINFO info = {};
    UINT codePage = TranslateCharsetInfo((DWORD *)(ULONG_PTR)charSet, &info, TCI_SRCCHARSET) ? info.ciACP : CP_ACP;
    for (DWORD i = 0; i < view->kerningCount; ++i) {
        const BYTE *pair = view->kerning + 2 + 4 * i;
        pairs[i].wcFirst = WideOf(pair[0], codePage);
        pairs[i].wcSecond = WideOf(pair[1], codePage);
        pairs[i].fwdKern = (FWORD)fnt_U16(pair + 2);
    }
    pairs[view->kerningCount] = FD_KERNINGPAIR{0, 0, 0};
}

// fnt_BlockCharWidth: see fonts.h.
LONG WINAPI fnt_BlockCharWidth(const FontInfoBlock *block, WORD code)
{
    const IFIMETRICS *ifi = fnt_BlockIfiMetrics(block);
    if (ifi == NULL) {
        return 0;
    }
    FontRecordView view;
    if (!fnt_ReadFontRecord((const BYTE *)block + block->recordOffset, block->recordSize, &view) ||
        view.widths == NULL || block->codeTableResult != 0) {
        return ifi->fwdAveCharWidth;
    }
    LONG glyph = fnt_MapCharCode(&block->codeTable, code);
    LONG width = glyph >= 0 ? TableWidth(&view, (DWORD)glyph) : -1;
    return width >= 0 ? width : ifi->fwdAveCharWidth;
}

// fnt_BlockIfiMetrics: see fonts.h.
IFIMETRICS *WINAPI fnt_BlockIfiMetrics(const FontInfoBlock *block)
{
    return block != NULL ? (IFIMETRICS *)((BYTE *)block + block->ifiOffset) : NULL;
}

// fnt_BlockKerningPairs: see fonts.h.
FD_KERNINGPAIR *WINAPI fnt_BlockKerningPairs(const FontInfoBlock *block)
{
    if (block == NULL || block->kerningCount == 0) {
        return NULL;
    }
    return (FD_KERNINGPAIR *)((BYTE *)block + block->kerningOffset);
}

// fnt_BuildFontInfoBlock: see fonts.h.
FontInfoBlock *WINAPI fnt_BuildFontInfoBlock(HANDLE heap, const BYTE *record, DWORD size)
{
    FontRecordView view;
    if (heap == NULL || !fnt_ReadFontRecord(record, size, &view)) {
        return NULL;
    }
    DWORD faceChars = NameChars(view.faceName);
    DWORD familyChars = NameChars(view.secondName);
    DWORD names = NameBytes(faceChars) + NameBytes(familyChars);
    DWORD kerningBytes = (DWORD)sizeof(FD_KERNINGPAIR) * (view.kerningCount + 1u);
    DWORD total = kIfiOffset + names + sizeof(IFIMETRICS) + sizeof(FontSimBlock) + kerningBytes + size;
    FontInfoBlock *block = (FontInfoBlock *)HeapAlloc(heap, HEAP_ZERO_MEMORY, total);
    if (block == NULL) {
        return NULL;
    }
    block->version = FONT_INFO_VERSION;
    block->totalSize = total;
    block->ifiOffset = kIfiOffset;
    block->kerningCount = view.kerningCount;
    block->kerningOffset = kIfiOffset + sizeof(IFIMETRICS) + names + sizeof(FontSimBlock);
    block->recordSize = size;
    block->recordOffset = block->kerningOffset + kerningBytes;
    BYTE *copy = (BYTE *)block + block->recordOffset;
    memcpy(copy, record, size);
    FontRecordView copied;
    fnt_ReadFontRecord(copy, size, &copied);
    block->fontId = (DWORD)strtoul(copied.fontIdText, NULL, 16);
    memcpy(block->metrics, copied.metrics, FONT_METRICS_SIZE);
    block->codeTableResult = fnt_BuildCodeTable(copy, &block->codeTable, size);
    fnt_GetCharWidths(&copied, block->widths);
    fnt_BuildIfiMetrics(&copied, fnt_BlockIfiMetrics(block), faceChars, familyChars);
    fnt_GetKerningPairs(&copied, (FD_KERNINGPAIR *)((BYTE *)block + block->kerningOffset));
    return block;
}
