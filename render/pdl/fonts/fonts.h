/*
 * Device fonts and glyph sets of the render driver: the printer's resident fonts read from
 * the font records of the description data (type-11 records, numbered from 1) and turned
 * into the tables the engine asks for (IFIMETRICS, widths, kerning pairs), the glyph sets
 * (a default 256-glyph set and a Shift-JIS set from the resource module), the font code
 * tables the text output looks characters up in, and the default device LOGFONT.
 *
 * Font record (the data block of a type-11 record; all values little-endian, offsets
 * counted from the start of the data):
 *   0  u16 offset of the two zero-terminated ANSI names (face name, second name behind it)
 *   2  u16 offset of the 52-byte metrics block (13 u32 values m0..m12)
 *   4  u16 offset of the width table (u16 per character first..last; 0: none)
 *   6  u16 offset of the kerning table (u16 pair count, 4-byte pairs {char, char, s16}; 0: none)
 *   8  u16 offset of the zero-terminated hexadecimal font identifier
 *  10  u16 aspect y          12  u16 aspect x
 *  14  u16 ascent A          16  u16 second vertical value D     18  u16 third value G
 *  20  u8 character set      21  u8 pitch (low nibble) and family (high nibble)
 *  22  u8 first character    23  u8 last character
 *  24  u8 default character offset    25  u8 break character offset
 *  26  u16 fixed pitch width
 *  28  style block: u8 italic, u8 underline, u8 strikeout, u16 weight
 *  33  u8 reserved
 *  34  u16 average width     36  u16 maximum width
 *  38  u16 offsets of three code sub-tables (u16 count, then {u16 code, u16 glyph} sorted by code; 0: none)
 */
#ifndef QM_RENDER_PDL_FONTS_FONTS_H
#define QM_RENDER_PDL_FONTS_FONTS_H

#include <windows.h>
#include <winddi.h>

#include "core/ddd/ddd.h"
#include "platform/include/qm_layout.h"

#define FONT_RECORD_HEADER_SIZE 44
#define FONT_METRICS_SIZE 52
#define FONT_WIDTH_ENTRIES 128
#define FONT_INFO_VERSION 0x10000UL
#define FONT_FACE_CHARS 32
/* Record type of the font records in the description data. */
#define FONT_RECORD_TYPE 11

/* One sub-table of a code table: count pairs {code, glyph} sorted by code. */
typedef struct CodeSubTable {
    const BYTE *pairs;
    DWORD count;
} CodeSubTable;

/* The font code table (fnt_BuildCodeTable): 72 bytes. */
typedef struct FontCodeTable {
    const char *faceName; /* inside the font record */
    WORD secondNameHex;   /* the second name read as hexadecimal, 0xFFFF when it is not */
    WORD firstCode;
    WORD lastCode;
    WORD defaultChar; /* 81 when the record gives 0 */
    CodeSubTable sub[3];
    DWORD reserved[9];
} FontCodeTable;

/* Head of a font information block; the IFIMETRICS, kerning pairs and record copy lie at
 * the offsets of its size block. */
typedef struct FontInfoBlock {
    DWORD version; /* FONT_INFO_VERSION */
    DWORD totalSize;
    DWORD ifiOffset;
    DWORD kerningCount;
    DWORD kerningOffset;
    DWORD recordSize;
    DWORD recordOffset;
    DWORD fontId; /* the record's hexadecimal identifier */
    BYTE metrics[FONT_METRICS_SIZE];
    LONG codeTableResult; /* 0, or -1 when the code table could not be built */
    FontCodeTable codeTable;
    DWORD widths[FONT_WIDTH_ENTRIES]; /* width x 65537 for characters 0..127 */
} FontInfoBlock;

/* One device font entry (for font substitution). */
typedef struct DeviceFontEntry {
    WCHAR faceName[FONT_FACE_CHARS + 1];
    BYTE pitchAndFamily;
    BYTE charSet;
    WORD weight;
    DWORD italic;
    DWORD fontId;
} DeviceFontEntry;

/* A printer's device font tables (on the heap they were built on, the PDEV's). */
typedef struct DeviceFontTables {
    DWORD count;          /* font records */
    DWORD *allFonts;      /* record numbers, count + 1 entries, zero-terminated */
    DWORD *selectedFonts; /* selected record numbers, zero-terminated */
    DWORD selectedCount;
    FontInfoBlock **blocks;   /* count blocks: the selected fonts first, then the others */
    DeviceFontEntry *entries; /* count entries, by record number */
} DeviceFontTables;

#ifdef __cplusplus
extern "C" {
#endif

/* ---- glyph sets (glyph_sets.cpp) ---- */

/* fnt_InitFontModule: creates the glyph lock and builds the default glyph set
 * (EngComputeGlyphSet(0, 0, 256)). Returns 1, or 0 (lock deleted again) when the set
 * cannot be built. */
BOOL WINAPI fnt_InitFontModule(void);
/* fnt_FreeGlyphSets: forgets the cached Shift-JIS set and frees the default set. */
void WINAPI fnt_FreeGlyphSets(void);
/* fnt_EnterGlyphLock / fnt_LeaveGlyphLock / fnt_DeleteGlyphLock: the glyph lock. */
void WINAPI fnt_EnterGlyphLock(void);
void WINAPI fnt_LeaveGlyphLock(void);
void WINAPI fnt_DeleteGlyphLock(void);
/*
 * fnt_GetGlyphSet: the glyph set of device font `font` (1-based): the Shift-JIS set
 * (resource type 260 id 6 of the resource module, built once) for character set 128,
 * else the default set. Call under the glyph lock. NULL without tables, for a bad font
 * number, or a missing or malformed Shift-JIS resource.
 */
FD_GLYPHSET *WINAPI fnt_GetGlyphSet(const DeviceFontTables *tables, ULONG font);

/* ---- code tables (code_table.cpp) ---- */

/* fnt_BuildCodeTable: the code table of a font record of recordSize bytes. table: out.
 * Returns 0, or -1 for a NULL argument or a record too short for what it names. */
LONG WINAPI fnt_BuildCodeTable(const BYTE *record, FontCodeTable *table, DWORD recordSize);
/* fnt_MapCharCode: the glyph of a code: the code itself between the first and last code,
 * else by bisection in the sub-tables. -1 when the code has none (a glyph with bit 0x8000
 * counts as none). */
LONG WINAPI fnt_MapCharCode(const FontCodeTable *table, WORD code);

/* ---- device font tables (device_fonts.cpp, ifimetrics.cpp) ---- */

/* fnt_BuildDeviceFontTables: the device font tables of the font records of model (and its
 * base file), on heap (the PDEV's: the PDEV keeps the tables and their count). A model
 * without font records gives empty tables (count 0). Returns the tables, or NULL (nothing
 * left behind) without heap or model, for a broken record, a failed lookup or no memory. */
DeviceFontTables *WINAPI fnt_BuildDeviceFontTables(HANDLE heap, DddFile *model, DddFile *base);
/* fnt_FreeDeviceFontTables: frees tables built on heap. NULL is ignored. */
void WINAPI fnt_FreeDeviceFontTables(HANDLE heap, DeviceFontTables *tables);
/* fnt_EnumSystemFonts: the installed font family names, zero-separated and ended by an
 * empty name, in a new global-heap block; NULL when they cannot be listed. */
WCHAR *WINAPI fnt_EnumSystemFonts(void);
/* fnt_BuildFontInfoBlock: the font information block of a font record of size bytes, on
 * heap. NULL for a broken record or no memory. */
FontInfoBlock *WINAPI fnt_BuildFontInfoBlock(HANDLE heap, const BYTE *record, DWORD size);
/* The IFIMETRICS and kerning pairs of a block (NULL when it has none). */
IFIMETRICS *WINAPI fnt_BlockIfiMetrics(const FontInfoBlock *block);
FD_KERNINGPAIR *WINAPI fnt_BlockKerningPairs(const FontInfoBlock *block);
/* fnt_BlockCharWidth: the width of a code from the record's width table; the average
 * character width when the face has no table or the code no glyph. */
LONG WINAPI fnt_BlockCharWidth(const FontInfoBlock *block, WORD code);
/* fnt_GetFontBlock: the block of face index iFace (1..count of the tables); NULL without
 * tables or otherwise. */
FontInfoBlock *WINAPI fnt_GetFontBlock(const DeviceFontTables *tables, ULONG iFace);

/* fnt_GetDeviceFontLogFont: the default device LOGFONT: the device font whose identifier
 * is fontId (setting 384), its height 10 points at resolution (setting 20). logFont: out.
 * Returns 1, or 0 without tables or when no device font has that identifier. */
BOOL WINAPI fnt_GetDeviceFontLogFont(const DeviceFontTables *tables, DWORD fontId, WORD resolution, LOGFONTW *logFont);

/* ---- text helpers (font_math.cpp) ---- */

/* fnt_VectorLength: the length of (a, b), the smallest integer whose square covers
 * a^2 + b^2. */
LONG WINAPI fnt_VectorLength(LONG a, LONG b);
/* fnt_GetGlyphMode: the DrvGetGlyphMode worker: always FO_GLYPHBITS. */
ULONG WINAPI fnt_GetGlyphMode(DHPDEV dhpdev, FONTOBJ *pfo);
/* fnt_TransformPoints: applies the font's transform (notional to device, XF_LTOL) to
 * count points. Returns 1, 0 when the font has no transform. */
BOOL WINAPI fnt_TransformPoints(FONTOBJ *pfo, ULONG count, POINTL *in, POINTL *out);

#ifdef __cplusplus
}
#endif

static_assert(sizeof(FontCodeTable) == QM_LAYOUT(72, 104), "FontCodeTable");
static_assert(sizeof(FD_KERNINGPAIR) == 6, "FD_KERNINGPAIR");
static_assert(sizeof(FD_GLYPHSET) == QM_LAYOUT(24, 32), "FD_GLYPHSET");
static_assert(sizeof(IFIMETRICS) == QM_LAYOUT(184, 192), "IFIMETRICS");
static_assert(sizeof(FD_DEVICEMETRICS) == 124, "FD_DEVICEMETRICS");

#endif /* QM_RENDER_PDL_FONTS_FONTS_H */
