/*
 * The workers of text output. Unless said otherwise they answer 1 when done, 0 when they
 * refused their arguments or a glyph could not be had (the text call fails) and -1 when a
 * write failed (the job fails).
 */
#ifndef QM_RENDER_PDL_TEXT_TEXT_PRIVATE_H
#define QM_RENDER_PDL_TEXT_TEXT_PRIVATE_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/drawing/draw_target.h"
#include "render/pdl/text/text_job.h"

/* Download kinds of the printer memory: outline glyphs (the second for a small-bitmap
 * solid black text brush) and bitmap glyphs. */
#define GLYPH_KIND_OUTLINE 17
#define GLYPH_KIND_OUTLINE_BLACK 18
#define GLYPH_KIND_BITMAP 33

/* Layouts of fnt_RunLayout. */
#define RUN_FREE 0
#define RUN_LINE 1
#define RUN_COLUMN 2

/* TextCall: one text call. */
typedef struct TextCall {
    DrawTarget *target;
    TextJob job;
    STROBJ *pstro;
    FONTOBJ *pfo;
    BRUSHOBJ *pboFore;
    MIX mix;
} TextCall;

/* A device font the call's characters may go to: its identifier with style bits and its
 * information block (for the code table). */
typedef struct DeviceChoice {
    DWORD fontId;
    const FontInfoBlock *block;
} DeviceChoice;

/* ---- text_output.cpp ---- */
int fnt_DrawOpaqueRect(TextCall *call, BRUSHOBJ *pboOpaque, const POINTL *origin, const RECTL *rect);
int fnt_DrawExtraRects(TextCall *call, const POINTL *origin, const RECTL *rects);
int fnt_SetTextColor(TextCall *call);
int fnt_DrawGlyphRuns(TextCall *call);

/* ---- glyph_batch.cpp ---- */
/* fnt_DrawGlyphBatch: count glyphs at pgp with their characters codes (NULL when the
 * string has none). */
int fnt_DrawGlyphBatch(TextCall *call, ULONG count, const GLYPHPOS *pgp, const WCHAR *codes);
/* fnt_MapTrueTypeToDevice: the device font substituting the call's TrueType font. 1 with
 * choice filled, 2 when none does, 0 when the substitution failed. */
int fnt_MapTrueTypeToDevice(TextCall *call, DeviceChoice *choice);

/* ---- device_text.cpp ---- */
/* fnt_FixCodes: codes from 0xF000 up lose their top nibble for fonts other than
 * Shift-JIS; for a Shift-JIS font 0xA5 becomes 0x5C and 0xA0 0x20. */
void fnt_FixCodes(WCHAR *codes, ULONG count, BOOL shiftJis);
/* fnt_RunLayout: RUN_LINE when all y are equal (or the string is horizontal), RUN_COLUMN
 * when all x are, else RUN_FREE. */
int fnt_RunLayout(ULONG count, const POINTL *positions, const STROBJ *pstro);
/* fnt_FontHeightPoints: the em height of the font in points at the job's resolution. */
float fnt_FontHeightPoints(const TextCall *call);
/* fnt_DeviceFontStyle: the identifier of device font `face` (1-based) with the style
 * bits of the call's font. 1, or 0 without the font. */
BOOL fnt_DeviceFontStyle(const TextCall *call, ULONG face, DWORD *fontId);
/* fnt_DrawDeviceText: count characters in the device font. */
int fnt_DrawDeviceText(TextCall *call, const DeviceChoice *choice, ULONG count, const POINTL *positions,
                       const WCHAR *codes);

/* ---- glyph_records.cpp ---- */
/* fnt_DrawDownloadedGlyphs: count glyphs through the printer memory; a glyph without a
 * key or room goes as fnt_DrawGlyphRecords. */
int fnt_DrawDownloadedGlyphs(TextCall *call, ULONG count, const HGLYPH *glyphs, const POINTL *positions);
/* fnt_DrawGlyphRecords: count glyphs, each a position record and its glyph record. */
int fnt_DrawGlyphRecords(TextCall *call, ULONG count, const HGLYPH *glyphs, const POINTL *positions);

#endif /* QM_RENDER_PDL_TEXT_TEXT_PRIVATE_H */
