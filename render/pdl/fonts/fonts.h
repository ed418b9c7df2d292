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

/*
 * What the font checks of the text output read of a job, filled by the driver from its
 * PDEV (pdev_GetFontJobView): the font tables, settings, model values and the page
 * transform the writer holds at the time of the call.
 */
typedef struct FontJobView {
    const DeviceFontTables *tables;
    LONG resolutionX;                 /* setting 20, dots per inch */
    LONG resolutionY;                 /* setting 21 */
    BOOL outlineOff;                  /* setting 1335: never outline glyphs */
    LONG outlineMinSize;              /* setting 346: points above which glyphs go as outlines */
    BOOL smallBitmapOn;               /* setting 1307: the small-bitmap hint may be given */
    BOOL outlineAlways;               /* the model's capability 0x2000 */
    BOOL pageHookRunning;             /* the image hook draws the page */
    float pageA, pageB, pageC, pageD; /* the linear part of the current page transform */
    LONG smallMinPixels;              /* model value 32776 (7 when the model has none) */
    LONG smallMaxPixels;              /* model value 32777 (16) */
    LONG smallMinPoints;              /* model value 32778 (50): fewest outline points for the hint */
} FontJobView;

/* The model values of the small-bitmap hint and what a model without them gets. */
#define FONT_SMALL_MIN_PIXELS_ID 32776
#define FONT_SMALL_MAX_PIXELS_ID 32777
#define FONT_SMALL_MIN_POINTS_ID 32778
#define FONT_SMALL_MIN_PIXELS_DEFAULT 7
#define FONT_SMALL_MAX_PIXELS_DEFAULT 16
#define FONT_SMALL_MIN_POINTS_DEFAULT 50
/* The model capability that sends every device-font glyph as an outline. */
#define FONT_OUTLINE_ALWAYS_CAPABILITY 0x2000UL

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

/* ---- checks of the text output (font_checks.cpp) ---- */

/*
 * fnt_GetDeviceFontId: the identifier of device font `font` (1-based face index) with the
 * style bits of pfo: unless plain, +8 (bit 3) when its metrics are italic and the engine
 * does not simulate italic, the weight / 100 in bits 4-7 when its metrics are bold
 * (fsSelection 0x20), +8 for simulated italic, and for simulated
 * bold the weight nibble moved up by 3 (0x30; from 0xC0 on it becomes 0xF0), as the
 * simulated face's weight is 300 more. id: out. Returns 1, or 0 without tables or font.
 */
BOOL WINAPI fnt_GetDeviceFontId(const FontJobView *view, FONTOBJ *pfo, ULONG font, DWORD *id, BOOL plain);
/* fnt_FontPixelSize: the font's size in points: its em height through the font transform
 * (28.4 units, shifted down by 4) as MulDiv(length, 72, setting 21). size: out. Returns 1,
 * or 0 without metrics or transform. */
BOOL WINAPI fnt_FontPixelSize(const FontJobView *view, FONTOBJ *pfo, LONG *size);
/* fnt_CanUseOutline: 1 when the font's glyphs go to the printer as outlines. */
BOOL WINAPI fnt_CanUseOutline(const FontJobView *view, FONTOBJ *pfo);
/* fnt_CanUseDeviceSize: 1 when an outline's points fit the 16-bit point form (the size
 * and widest glyph within the resolution's limits); 0 while the page hook draws. */
BOOL WINAPI fnt_CanUseDeviceSize(const FontJobView *view, FONTOBJ *pfo);
/* fnt_FontPixelHeight: the glyph height in pixels: the em square through the font
 * transform and the current page transform, the smaller of the two axes, rounded; 0
 * without metrics or transform. */
LONG WINAPI fnt_FontPixelHeight(const FontJobView *view, FONTOBJ *pfo);
/* fnt_CanUseSmallBitmap: the small-bitmap hint of an outline glyph record: setting 1307
 * on, copy-pen mix, a font bold neither by simulation nor by its metrics, a solid colour
 * of 0 or -1 (brushColour), at least the model's point count, and a pixel height strictly
 * between the model's two limits. */
BOOL WINAPI fnt_CanUseSmallBitmap(const FontJobView *view, FONTOBJ *pfo, ULONG brushColour, ULONG outlinePoints,
                                  MIX mix);

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
