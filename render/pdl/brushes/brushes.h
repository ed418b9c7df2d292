/*
 * Brushes and raster operations: the paint of every filled or stroked drawing call (a
 * solid colour, an engine hatch, a one-bit pattern or a colour pattern) with its raster
 * operation, selected on the writer before the painting command.
 *
 * Colours arrive as the device's PAL_BGR values (blue, green, red from the lowest byte)
 * and are kept in that order until they reach the writer, where vec_ToWireOrder turns
 * them into the red, green, blue order of the stream.
 *
 * Workers answer 1 when done, 0 when they refused their arguments (nothing is written
 * then) and -1 when a write failed (the caller fails the job).
 */
#ifndef QM_RENDER_PDL_BRUSHES_BRUSHES_H
#define QM_RENDER_PDL_BRUSHES_BRUSHES_H

#include <windows.h>
#include <winddi.h>

#include "render/pdl/brushes/realized_brush.h"
#include "render/pdl/drawing/draw_target.h"

/* Brush kinds of the writer. */
#define BRUSH_KIND_PEN 1
#define BRUSH_KIND_FILL 2
#define BRUSH_KIND_STAMP 3

/* Colour types of the stream. */
#define COLOR_TYPE_GREY 3
#define COLOR_TYPE_RGB 4

/* The ROP4 that inverts the destination, the one accepted without a brush. */
#define ROP4_INVERT 0x5555

/* Raster-operation code of a ROP3 byte outside the table. */
#define ROP_CODE_PATCOPY 13
/* Raster-operation code that leaves the destination. */
#define ROP_CODE_NOP 11

/* vec_MixToRop3: the two ROP3 bytes of an engine mix (R2 codes in the low nibble of each
 * byte, 16 taken as 0): foreground in the low byte, background in the high byte. */
WORD vec_MixToRop3(MIX mix);

/* vec_Rop3ToCode: the raster-operation codes of both bytes of a ROP4 (a byte outside the
 * table gives 13): code(high byte) << 8 | code(low byte). */
WORD vec_Rop3ToCode(ROP4 rop4);

/* vec_ValuesFit16: 1 when all count values lie within -32768..32767, else 0. */
int vec_ValuesFit16(const LONG *values, DWORD count);

/* vec_ToWireOrder: reverses the three bytes of each of count colours in place (PAL_BGR
 * memory order to the stream's red, green, blue, and back). */
void vec_ToWireOrder(BYTE *colors, DWORD count);

/*
 * vec_TranslateColors: the colour conversion of the job applied to count three-byte
 * colours (kind 0 brushes and text, 1 blits). in and out may be the same. Answers 1 when
 * the result is RGB (colour type 4, 3 bytes a colour), 2 when it is grey (type 3, 1 byte a
 * colour), 0 on failure.
 */
int vec_TranslateColors(DrawTarget *target, DWORD kind, const BYTE *in, DWORD count, BYTE *out);

/*
 * vec_SetBrush: selects the paint of brush kind for the next painting command. origin may
 * be NULL (0, 0); pbo NULL accepts only the ROP4 0x5555 (the destination inverted). With
 * rop4 the foreground raster-operation code goes out first ('AL' 1). Callers holding an
 * engine mix convert it with vec_MixToRop3.
 */
int vec_SetBrush(DrawTarget *target, int kind, const POINTL *origin, BRUSHOBJ *pbo, const ROP4 *rop4);

/* vec_SetSolidColor: a device colour (PAL_BGR) translated, as 'AM' of kind; while a stamp
 * is drawn in the stamp colour, setting 301's colour as the built-in pattern instead. */
int vec_SetSolidColor(DrawTarget *target, int kind, ULONG color);

/* vec_SetHatchBackground: 'AQ' from a colour entry: mode 2 (transparent, the entry's bytes
 * untranslated) when the mix's background code is 11, else the colour translated (mode 1). */
int vec_SetHatchBackground(DrawTarget *target, const BYTE *entry, int kind, ROP4 rop4);

/* vec_SetHatch: 'AN' of an engine hatch style (0..5 give codes 2..7, others 1) in the
 * translated colour of the entry, at origin (NULL: 0, 0). */
int vec_SetHatch(DrawTarget *target, const BYTE *entry, int kind, ULONG style, const POINTL *origin);

/* vec_SetMonoPattern: 'AO' of a one-bit realised brush, rows top first, in the translated
 * foreground entry. The origin must fit 16 bits. */
int vec_SetMonoPattern(DrawTarget *target, int kind, const BYTE *entry, const RealizedBrush *brush,
                       const POINTL *origin);

/* vec_SetColorPattern: 'AP' of a 4-, 8- or 24-bit realised brush: three bytes a pixel,
 * tightly packed rows top first, translated. Width and height must fit 16 bits. */
int vec_SetColorPattern(DrawTarget *target, const RealizedBrush *brush, int kind, const POINTL *origin);

/*
 * vec_PatternToRgb: the pixels of a 4-, 8- or 24-bit realised brush as three bytes each
 * (PAL_BGR order), tightly packed rows top first. size: in, the bytes of out; out, the
 * bytes needed. out NULL: only the size. 1, or 0 for another format, a palette index
 * outside the palette or a short buffer.
 */
int vec_PatternToRgb(const RealizedBrush *brush, DWORD *size, BYTE *out);

#endif /* QM_RENDER_PDL_BRUSHES_BRUSHES_H */
