/*
 * The PDL writer: the one way drawing and page code writes LUMIQ. Each operation picks
 * the command's form (integer or float, byte address or 64-byte units, absolute or
 * relative points), asks the graphics-state cache whether the value differs from what
 * was last sent, writes the command through the encoder only when it does, and records
 * the new value. It also keeps the current point of the path being written and the
 * binding to the printer memory model that tracks downloaded glyphs. One writer exists
 * per PDEV while a document is open.
 *
 * Common contract: every operation takes the writer first and returns 0 on success, -1
 * when a write failed (the caller fails the job) or when it refused its operands; a
 * refusal writes nothing. A failed write leaves the cache as it was. Unless said
 * otherwise a NULL writer answers -1.
 */
#ifndef QM_RENDER_PDL_WRITER_PDL_WRITER_H
#define QM_RENDER_PDL_WRITER_PDL_WRITER_H

#include <windows.h>
#include <winddi.h>

#include "core/settings/settings_types.h"
#include "platform/include/qm_layout.h"
#include "render/pdl/memory/printer_memory.h"
#include "render/pdl/writer/image_header.h"
#include "render/pdl/writer/matrix2x3.h"
#include "render/stream/output_stream.h"

// Bytes of the palette copy the cache keeps.
#define GSC_PALETTE_BYTES 769

// From this PDL version on glyph addresses go in 64-byte units.
#define PDL_VERSION_GLYPH_UNITS 0x1010001UL
// Above this PDL version palette images send their palette as its own command.
#define PDL_VERSION_SEPARATE_PALETTE 0x101FFFFUL
// Highest glyph address that 64-byte units can carry.
#define PDL_MAX_UNIT_ADDRESS 0x3FFFC0UL

// Line style kind of a user dash array, and the cached "no kind" value.
#define PDL_DASH_USER 6
#define PDL_DASH_NONE 255

// GraphicsStateCache: the values last sent (global heap, one per writer). The comments
// give the value after the graphics reset; "kept" rows keep theirs, "page" rows are set
// by the page-level reset.
struct GraphicsStateCache {
    DWORD enabled;       // 1 at creation, unchanged by resets; 0: every value differs
    float matrix[6];     // Aa; all 0
    float lineWidth;     // AD/Ad; -1.0 (a width is never negative)
    LONG lineJoin;       // AF; -1
    LONG lineCap;        // AE; -1
    float miterLimit;    // AG/Ag; -1.0
    LONG pageAttribute;  // AI; -1
    WORD fillRule;       // AJ; 0
    WORD paintMode;      // AK; 0
    WORD ropKind;        // AL; 0
    DWORD ropCode;       // AL; kept
    BYTE colorKind;      // AM; 0
    BYTE colorType;      // AM; 0
    DWORD colorValue;    // AM; -1 (packed)
    BYTE lineStyleKind;  // AH/Ah; 255
    LONG patternOriginX; // AP; kept
    LONG patternOriginY;
    BYTE patternKind;
    BYTE patternColorType;
    BYTE patternBits;
    WORD patternWidth;
    WORD patternHeight;
    BYTE patternFlag;
    DWORD patternLength;
    BYTE *patternData; // global-heap copy; freed and NULL
    BYTE hatchKind;    // AQ; 0
    BYTE hatchMode;
    BYTE hatchColorType;
    DWORD hatchValue;                // AQ; 0
    LONG ffValues[2];                // FF; -1, -1
    WORD paletteWord;                // AV: entry count; 0
    BYTE paletteColorType;           // AV; 0 (no palette recorded)
    BYTE palette[GSC_PALETTE_BYTES]; // AV; kept
    WORD faValues[2];                // FA: selector 1, every other selector; page: 0
    DWORD deviceFont;                // DA; page: 0
    DWORD fontMatrix[6];             // Db, the float bits; page: 0
    WORD fhPair[2];                  // FH; page: -1, -1
};

// PdlWriter (global heap, zeroed; 32-bit fields and three pointers).
struct PdlWriter {
    DWORD pageMode1;         // 1 at creation; pdl_SetPageMode
    DWORD pageMode2;         // 1 at creation; while 1 pdl_ResetPage also resets the
                             // memory model and the page-level cache
    DWORD floatOnly;         // non-zero: every operation uses its float form
    DWORD memoryModelOn;     // 1 while a printer memory model is open
    PrinterMemory *memory;   // the printer memory model
    DWORD memorySize;        // printer memory size (0 when setting 1343 is set)
    DWORD currentPointValid; // 1 while currentX, currentY hold the current point
    LONG currentX;           // device pixels
    LONG currentY;
    GraphicsStateCache *cache;
    OutputStream *stream; // the PDEV's output stream
    DWORD glyphUnits;     // 1: glyph addresses in 64-byte units
    DWORD pdlVersion;     // packed; setting 8205 at creation
    DWORD noMemoryModel;  // setting 1343: no memory model, AQ sent every time
};

static_assert(sizeof(PdlWriter) == QM_LAYOUT(14 * 4, 72), "PdlWriter: eleven 32-bit fields and three pointers");

// Text position record (pdl_WriteTextPosition).
struct TextPositionRecord {
    int kind; // 0: single form (DE), else array form (DF)
    float x;
    float y;
    int flags;   // bit 0: first array, bit 1: second array
    DWORD count; // values in each array
    const short *first;
    const short *second;
    int value;
};

// Positioned ANSI text record (pdl_WriteTextEg).
struct TextEgRecord {
    WORD count; // characters of the wide text
    float matrix[6];
    BYTE kind;       // 2: a media code follows
    BYTE mediaCode;  // 81: the two extents follow
    LONG extents[2]; // width, height in tenths
};

// ---- Life cycle ----------------------------------------------------------------------

// pdl_CreateWriter: the writer of a job, writing to the job's output stream (stream may
// be NULL: every write then fails). The job's settings are those of devmode and block
// (the PDEV's DEVMODE and printer-data block). Reads setting 1343 (when set, no memory
// model: memorySize 0) and opens the printer memory model with memorySize bytes; reads
// setting 8205 as the PDL version; glyph addresses go in 64-byte units when the job's PDL
// version (jc_GetJobPdlVersion) is at least PDL_VERSION_GLYPH_UNITS. Returns the writer,
// NULL for a NULL devmode, when memory is short or the memory model cannot be opened
// (nothing kept).
PdlWriter *pdl_CreateWriter(OutputStream *stream, DriverDevmode *devmode, PrinterDataBlock *block, DWORD memorySize);
// pdl_DestroyWriter: closes the memory model and frees the cache, its pattern copy and
// the writer. NULL is ignored.
void pdl_DestroyWriter(PdlWriter *writer);
// pdl_ResetPage: while the second page-mode word is 1, reopens the memory model (failure
// -1) and does the page-level reset; then always the graphics reset.
int pdl_ResetPage(PdlWriter *writer);
// pdl_InvalidateStateCache: the page-level reset only.
void pdl_InvalidateStateCache(PdlWriter *writer);
// pdl_SetCacheEnabled: 0 makes every set operation send. Returns the previous value.
int pdl_SetCacheEnabled(PdlWriter *writer, int enabled);
void pdl_SetPageMode(PdlWriter *writer, DWORD first, DWORD second);
void pdl_SetLanguageVersion(PdlWriter *writer, DWORD version);

// gsc_Create: a zeroed cache with enabled 1 (global heap); NULL when memory is short.
GraphicsStateCache *gsc_Create(void);
// gsc_Destroy: frees the pattern copy and the cache. NULL is ignored.
void gsc_Destroy(GraphicsStateCache *cache);
// gsc_ResetGraphics: the graphics reset (frees the pattern copy).
void gsc_ResetGraphics(GraphicsStateCache *cache);
// gsc_ResetPageLevel: FA values, device font, font matrix and FH pair.
void gsc_ResetPageLevel(GraphicsStateCache *cache);

// ---- Printer memory model ------------------------------------------------------------

// pdl_InitMemoryModel: size 0 leaves the model off (0); else opens it (failure -1).
int pdl_InitMemoryModel(PdlWriter *writer, DWORD size);
// pdl_FreeMemoryModel: closes an open model (failure -1) and clears the flag.
int pdl_FreeMemoryModel(PdlWriter *writer);
// pdl_ResetMemoryModel: closes and reopens an open model with the kept size; any failure
// -1 with the model off.
int pdl_ResetMemoryModel(PdlWriter *writer);
// pdl_IsMemoryModelOn: 1 while a model is open, else 0.
int pdl_IsMemoryModelOn(PdlWriter *writer);
// pdl_FindDownload: the printer-memory address of a downloaded glyph, -1 when the model
// is off or the glyph is not there.
LONG pdl_FindDownload(PdlWriter *writer, WORD charCode, WORD fontId, BYTE kind);
// pdl_AllocDownload: commit 0: the address size bytes would take, nothing changed;
// commit 1: reserves them for the glyph. -1 when the model is off or there is no room.
LONG pdl_AllocDownload(PdlWriter *writer, WORD charCode, WORD fontId, BYTE kind, DWORD size, BOOL commit);

// ---- Transformation ------------------------------------------------------------------

// pdl_SetTransform: Aa when the six values differ (bit for bit) from the cached matrix.
int pdl_SetTransform(PdlWriter *writer, const Matrix2x3 *matrix);
// pdl_SetCachedTransform: records the matrix without sending it.
void pdl_SetCachedTransform(PdlWriter *writer, const Matrix2x3 *matrix);
// pdl_GetCurrentTransform: the cached matrix into out.
void pdl_GetCurrentTransform(PdlWriter *writer, Matrix2x3 *out);
// pdl_EmitAA: AA with code 1..4, uncached; another code is refused.
int pdl_EmitAA(PdlWriter *writer, int code);

// ---- Line attributes (cached) --------------------------------------------------------

int pdl_SetLineCap(PdlWriter *writer, int cap);
int pdl_SetLineJoin(PdlWriter *writer, int join);
int pdl_SetAI(PdlWriter *writer, int value);
int pdl_SetFillRule(PdlWriter *writer, int rule);
int pdl_SetPaintMode(PdlWriter *writer, int mode);
// pdl_SetLineWidth: AD when whole and within s16, else Ad.
int pdl_SetLineWidth(PdlWriter *writer, float width);
// pdl_SetMiterLimit: AG when whole and within -128..127, else Ag.
int pdl_SetMiterLimit(PdlWriter *writer, float limit);
// pdl_SetLineDash: kind 6 (user dashes: offset and count lengths, count at most 255) is
// always sent and leaves the cached kind "none"; other kinds are cached by kind.
int pdl_SetLineDash(PdlWriter *writer, int kind, float offset, DWORD count, const float *lengths);
// pdl_SetLineDashInt: as pdl_SetLineDash with integer offset and lengths.
int pdl_SetLineDashInt(PdlWriter *writer, int kind, LONG offset, DWORD count, const LONG *lengths);

// ---- Raster operation and colour -----------------------------------------------------

// pdl_SetRop: AL, cached by kind and code; sending clears the colour cache.
int pdl_SetRop(PdlWriter *writer, int kind, DWORD code);
// pdl_GetRop: the cached kind and code (either output may be NULL).
void pdl_GetRop(PdlWriter *writer, int *kind, DWORD *code);
// pdl_PackColor: type 3: color[0] x 0x10101; else color[0] << 16 | color[1] << 8 | color[2].
DWORD pdl_PackColor(int colorType, const BYTE *color);
// pdl_SetColor: AM with colour type 3 (one grey byte) or 4 (three bytes, byte 0 first on
// the wire); cached by kind, type and packed value; sending frees the cached pattern.
int pdl_SetColor(PdlWriter *writer, int kind, int colorType, const BYTE *color);

// ---- Brushes -------------------------------------------------------------------------

// pdl_SetHatchBrush: AN (An when float-only or the origin does not fit s16), never
// cached; clears the colour cache and frees the cached pattern.
int pdl_SetHatchBrush(PdlWriter *writer, int kind, int colorType, int pattern, const POINTL *origin, const BYTE *color);
// pdl_SetMonoPattern: AO/Ao by the same rule, one-bit rows of (width + 7) / 8 bytes.
int pdl_SetMonoPattern(PdlWriter *writer, const POINTL *origin, int kind, int colorType, const BYTE *color, DWORD width,
                       DWORD height, const BYTE *bits);
// pdl_SetColorPattern: AP, cached field by field and byte by byte; sending records a
// copy of the data and clears the colour cache.
int pdl_SetColorPattern(PdlWriter *writer, const POINTL *origin, int kind, int colorType, int bits, DWORD width,
                        DWORD height, int flag, DWORD length, const BYTE *data);
// pdl_SetHatchBackground: AQ, cached unless setting 1343 is set.
int pdl_SetHatchBackground(PdlWriter *writer, int kind, int mode, int colorType, const BYTE *color);
// pdl_SetPatternFromColor: the background (mode 2, type 4) and the built-in 8 x 8 pattern
// in the 24-bit colour, its bytes lowest first in both commands.
int pdl_SetPatternFromColor(PdlWriter *writer, int kind, DWORD color);

// ---- Clipping (uncached) -------------------------------------------------------------

// pdl_SetClipRect: AB when all four values fit s16, else Ab.
int pdl_SetClipRect(PdlWriter *writer, const RECTL *rect);
int pdl_ResetClip(PdlWriter *writer);
int pdl_ClipToPath(PdlWriter *writer);

// ---- Paths (points in 28.4) -----------------------------------------------------------

int pdl_BeginPath(PdlWriter *writer);
int pdl_MoveTo(PdlWriter *writer, const POINTFIX *point);
// pdl_LineTo: count points; runs above 65535 points go as several commands.
int pdl_LineTo(PdlWriter *writer, DWORD count, const POINTFIX *points);
// pdl_BezierTo: count curves of three points each; runs above 65535 curves go as several
// commands.
int pdl_BezierTo(PdlWriter *writer, DWORD count, const POINTFIX *points);
int pdl_ClosePath(PdlWriter *writer);
int pdl_PaintPath(PdlWriter *writer);
// pdl_FillFixRect: CG in pixels when all four 28.4 values are whole pixels within s16,
// else Cg.
int pdl_FillFixRect(PdlWriter *writer, LONG left, LONG top, LONG right, LONG bottom);
int pdl_FillRect(PdlWriter *writer, const RECTL *rect);
// pdl_DrawEllipse: Cc with centre x, centre y, radius x, radius y, start and end angle.
int pdl_DrawEllipse(PdlWriter *writer, const float values[6]);

// ---- Text and glyphs ------------------------------------------------------------------

// pdl_SelectFont: DA, cached.
int pdl_SelectFont(PdlWriter *writer, DWORD font);
// pdl_SetFontMatrix: Db, cached bit for bit.
int pdl_SetFontMatrix(PdlWriter *writer, const float matrix[6]);
// pdl_WriteText: count character codes from (x, y). advanceFlag 1: count - 1 advances
// (DD/Dd); else advances[0] is the one advance (DC/Dc; may be NULL when count is 1).
// The integer form only when the start and every advance are whole and within s16.
int pdl_WriteText(PdlWriter *writer, float x, float y, DWORD count, int advanceFlag, const WORD *codes,
                  const float *advances);
// pdl_WriteTextPosition: DE/De (kind 0) or DF/Df (other kinds).
int pdl_WriteTextPosition(PdlWriter *writer, const TextPositionRecord *record);
// pdl_BeginGlyph: DL with address / 64 in 64-byte units (above 0x3FFFC0: -1), else DH.
int pdl_BeginGlyph(PdlWriter *writer, DWORD address);
// pdl_DrawGlyph: DM/DI at whole s16 positions, else Dm/Di; the address as above.
int pdl_DrawGlyph(PdlWriter *writer, float x, float y, DWORD address);
// pdl_WriteGlyphValue: one typed value of a glyph record.
int pdl_WriteGlyphValue(PdlWriter *writer, int typeCode, const void *value, DWORD length);

// ---- Images ---------------------------------------------------------------------------

// pdl_WriteImage: Cq with its colour block when the source kind is 2. Above PDL version
// 0x101FFFF a palette image sends its palette as AV (when it changed) and the header
// with colour type 15. A source kind other than 2 with a data-present flag other than 1
// is refused.
int pdl_WriteImage(PdlWriter *writer, const ImageHeader *header);
// pdl_WritePalette: AV, cached (entry count, colour type and bytes).
int pdl_WritePalette(PdlWriter *writer, int colorType, int entryBits, DWORD entryCount, DWORD byteCount,
                     const BYTE *palette);
// pdl_WriteImagePlacement: Cp, the one-bit mask image header.
int pdl_WriteImagePlacement(PdlWriter *writer, float x, float y, DWORD width, DWORD height, int invert,
                            const float placement[6], DWORD dataBytes);
// pdl_WriteRawData: length bytes as they are.
int pdl_WriteRawData(PdlWriter *writer, const BYTE *data, DWORD length);

// ---- Job and page commands ------------------------------------------------------------

// pdl_WriteModeBits: EA with d | (c | b << 2) << 4.
int pdl_WriteModeBits(PdlWriter *writer, int b, int c, int d);
int pdl_EmitEB(PdlWriter *writer);
int pdl_EmitED(PdlWriter *writer);
int pdl_EmitEF(PdlWriter *writer);
int pdl_EmitFB(PdlWriter *writer);
int pdl_EmitFC(PdlWriter *writer);
int pdl_EmitFE(PdlWriter *writer, int value);
int pdl_EmitFI(PdlWriter *writer, int value);
// pdl_SetFA: FA, cached per selector (selector 1 in one slot, every other in the other).
int pdl_SetFA(PdlWriter *writer, int selector, int value);
// pdl_SetFH: FH, cached.
int pdl_SetFH(PdlWriter *writer, int first, int second);
// pdl_SetFF: FF with the code of the flag pair (a, b), cached.
int pdl_SetFF(PdlWriter *writer, LONG a, LONG b);
// pdl_WritePageSize: Ec with the colour code, tray code and paper code; paper code 81
// carries size[0] width and size[1] height, each rounded to tenths.
int pdl_WritePageSize(PdlWriter *writer, int colorCode, int trayCode, int paperCode, const float size[2]);
// pdl_WriteComment: EP of at most 255 bytes (longer text is cut).
int pdl_WriteComment(PdlWriter *writer, DWORD length, const char *text);
// pdl_WriteRawString: length bytes as they are, no length on the wire (job header text).
int pdl_WriteRawString(PdlWriter *writer, DWORD length, const BYTE *text);
// pdl_WriteStringEH / pdl_WriteStringEE: count wide characters converted to the ANSI
// code page, sent as EH / EE.
int pdl_WriteStringEH(PdlWriter *writer, const WCHAR *text, DWORD count);
int pdl_WriteStringEE(PdlWriter *writer, const WCHAR *text, DWORD count);
// pdl_WriteTextEg: Eg with the record's count characters of text in the ANSI code page
// and each extent sent as value x 0.1.
int pdl_WriteTextEg(PdlWriter *writer, const TextEgRecord *record, const WCHAR *text);

#endif /* QM_RENDER_PDL_WRITER_PDL_WRITER_H */
