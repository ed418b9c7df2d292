/*
 * LUMIQ command encoder: one operation per LUMIQ command, writing the two-byte opcode
 * and the operands big-endian into an OutputStream. No state, no allocation, no
 * decisions about when a command is needed (the graphics-state writer makes those).
 *
 * Common contract of every operation here:
 * stream  in/out  the output stream every byte goes to (spl_WriteStream)
 * Each operand is one call of spl_WriteStream. Returns 0 on success, -1 when a write
 * failed (bytes written before the failure stay in the stream) or when the operation
 * refused its operands; a refusal is decided before the opcode and writes nothing.
 * Integer operands are written as their low 8/16/24/32 bits unless a refusal is named.
 */
#ifndef QM_RENDER_ENCODER_LMQ_ENCODER_H
#define QM_RENDER_ENCODER_LMQ_ENCODER_H

#include <windows.h>

#include "render/stream/output_stream.h"

// ---- Primitive operand writers --------------------------------------------------

// lmq_WriteBytes: writes length raw bytes in one stream write.
int lmq_WriteBytes(OutputStream *stream, const BYTE *data, DWORD length);
// lmq_WriteU8 / U16 / U24 / U32: the low 8, 16, 24 or 32 bits of value, big-endian,
// in one write of 1, 2, 3 or 4 bytes (signed values as two's complement).
int lmq_WriteU8(OutputStream *stream, DWORD value);
int lmq_WriteU16(OutputStream *stream, DWORD value);
int lmq_WriteU24(OutputStream *stream, DWORD value);
int lmq_WriteU32(OutputStream *stream, DWORD value);
// lmq_WriteFloat: the IEEE single-precision bit pattern of value, big-endian, 4 bytes.
int lmq_WriteFloat(OutputStream *stream, float value);
// lmq_WriteVarInt: the signed variable-length form (svar, 1 to 5 bytes) of value, in
// one write. Every 32-bit value, INT32_MIN included, has a form.
int lmq_WriteVarInt(OutputStream *stream, LONG value);
// lmq_EncodeVarInt: builds the svar bytes of value into out (at least 5 bytes).
// Returns the number of bytes (1 to 5).
int lmq_EncodeVarInt(LONG value, BYTE *out);
// lmq_HasFraction: 1 when the fractional part of value times 10000, truncated, is not
// 0 (a fraction below 0.0001 counts as whole), else 0. NaN and infinities answer 1.
int lmq_HasFraction(float value);
// lmq_WriteTypedValue: writes one glyph-record value in the width of its type code:
// 0, 1 u24 and 14 u32 (value points to a DWORD); 2, 6, 7, 12 u8 (a BYTE); 4, 5, 9, 10,
// 13 u16 (a WORD); 3, 11 float (a float, its bits); 8 length raw bytes. Any other
// code, or a NULL value, writes nothing and returns -1.
int lmq_WriteTypedValue(OutputStream *stream, int typeCode, const void *value, DWORD length);
// lmq_TenthsExtent: a page extent as the page-size commands carry it: extent x 10
// rounded half away from zero (in double), times 0.1, as float.
float lmq_TenthsExtent(float extent);

// ---- Colour operands --------------------------------------------------------------
// colour type 3: grey, the low byte of the packed colour (grey x 0x10101);
// colour type 4: red << 16 | green << 8 | blue, written red first. Float forms write
// each byte / 255. Any other colour type refuses the command.

// ---- Graphics state (A) --------------------------------------------------------------

// AA: orientation matrix by code 1..4; any other code refuses.
int lmq_CmdAA(OutputStream *stream, int code);
// Aa: matrix a, b, c, d, tx, ty (six floats). All operands are written even after a
// failed write.
int lmq_CmdAa(OutputStream *stream, const float matrix[6]);
int lmq_CmdAB(OutputStream *stream, int left, int top, int right, int bottom);
int lmq_CmdAb(OutputStream *stream, float left, float top, float right, float bottom);
int lmq_CmdAC(OutputStream *stream);
int lmq_CmdAR(OutputStream *stream);
int lmq_CmdAD(OutputStream *stream, int width);
int lmq_CmdAd(OutputStream *stream, float width);
int lmq_CmdAE(OutputStream *stream, int cap);
int lmq_CmdAF(OutputStream *stream, int join);
int lmq_CmdAG(OutputStream *stream, int limit);
int lmq_CmdAg(OutputStream *stream, float limit);
// AH / Ah: line style kind; kind 6 adds offset, count and count dash lengths (count
// above 255 refuses; lengths may be NULL only when count is 0).
int lmq_CmdAH(OutputStream *stream, int kind, int offset, DWORD count, const short *lengths);
int lmq_CmdAh(OutputStream *stream, int kind, float offset, DWORD count, const float *lengths);
int lmq_CmdAI(OutputStream *stream, int value);
int lmq_CmdAJ(OutputStream *stream, int rule);
int lmq_CmdAK(OutputStream *stream, int mode);
int lmq_CmdAL(OutputStream *stream, int kind, DWORD code);
// AM: current colour; all operands are written even after a failed write.
int lmq_CmdAM(OutputStream *stream, int kind, int colorType, DWORD color);
int lmq_CmdAN(OutputStream *stream, int x, int y, int kind, int colorType, DWORD color, int pattern);
int lmq_CmdAn(OutputStream *stream, float x, float y, int kind, int colorType, DWORD color, int pattern);
// AO / Ao: one-bit pattern of width x height (each at most 65535, else refused) with
// rows of (width + 7) / 8 bytes in bits.
int lmq_CmdAO(OutputStream *stream, int x, int y, int kind, int colorType, DWORD color, DWORD width, DWORD height,
              const BYTE *bits);
int lmq_CmdAo(OutputStream *stream, float x, float y, int kind, int colorType, DWORD color, DWORD width, DWORD height,
              const BYTE *bits);
// AP: colour pattern of width x height (each at most 65535, else refused), n data bytes.
int lmq_CmdAP(OutputStream *stream, int x, int y, int kind, int colorType, DWORD width, DWORD height, DWORD n,
              const BYTE *data);
int lmq_CmdAQ(OutputStream *stream, int kind, int mode, int colorType, DWORD color);
// AV: palette; entryCount and n above 65535 refuse.
int lmq_CmdAV(OutputStream *stream, int colorType, int entryBits, DWORD entryCount, DWORD n, const BYTE *data);

// ---- Paths and shapes (B, C) -----------------------------------------------------------
// Point arrays hold x, y pairs; counts above 65535 refuse.

int lmq_CmdBA(OutputStream *stream);
int lmq_CmdBB(OutputStream *stream, int x, int y);
int lmq_CmdBb(OutputStream *stream, float x, float y);
int lmq_CmdBP(OutputStream *stream, DWORD count, const short *points);
// B0: count points given as dx, dy pairs relative to the point before.
int lmq_CmdB0(OutputStream *stream, DWORD count, const LONG *deltas);
int lmq_CmdBp(OutputStream *stream, DWORD count, const float *points);
// BU / Bu: count Bezier segments of three points each (6 x count values).
int lmq_CmdBU(OutputStream *stream, DWORD count, const short *points);
int lmq_CmdBu(OutputStream *stream, DWORD count, const float *points);
int lmq_CmdBC(OutputStream *stream);
int lmq_CmdBD(OutputStream *stream);
int lmq_CmdCG(OutputStream *stream, int x1, int y1, int x2, int y2);
int lmq_CmdCg(OutputStream *stream, float x1, float y1, float x2, float y2);
// Cc: centre x, centre y, radius x, radius y, start angle, end angle.
int lmq_CmdCc(OutputStream *stream, const float values[6]);
// Cq: the image header up to the source kind. maskBytes is written only for mask kind 2;
// width and height above 65535 refuse.
int lmq_CmdCq(OutputStream *stream, float x, float y, const float placement[6], DWORD width, DWORD height, int maskKind,
              DWORD maskBytes, int sourceKind);
// lmq_CmdCqColorBlock: the rest of the image header. Colour types 8 to 11 carry the
// palette (entryCount and paletteBytes above 65535 refuse); other types ignore it.
int lmq_CmdCqColorBlock(OutputStream *stream, int colorType, int entryBits, DWORD entryCount, DWORD paletteBytes,
                        const BYTE *palette, int compression, int bitsPerComponent, int dataPresent, DWORD dataBytes);
// Cp: one-bit mask image header; width and height above 65535 refuse.
int lmq_CmdCp(OutputStream *stream, float x, float y, DWORD width, DWORD height, int invert, const float placement[6],
              DWORD dataBytes);

// ---- Text and glyphs (D) ---------------------------------------------------------------
// Text commands take count character codes (1 to 32767, else refused: the byte length
// 2 x count must fit 16 bits).

int lmq_CmdDA(OutputStream *stream, int font);
// Db: font matrix (six floats); all operands are written even after a failed write.
int lmq_CmdDb(OutputStream *stream, const float matrix[6]);
// DC / Dc: one advance (written as 0 when count is 1).
int lmq_CmdDC(OutputStream *stream, int x, int y, int advance, DWORD count, const WORD *codes);
int lmq_CmdDc(OutputStream *stream, float x, float y, float advance, DWORD count, const WORD *codes);
// DD / Dd: count - 1 advances, one per character after the first.
int lmq_CmdDD(OutputStream *stream, int x, int y, const short *advances, DWORD count, const WORD *codes);
int lmq_CmdDd(OutputStream *stream, float x, float y, const float *advances, DWORD count, const WORD *codes);
// DE / De: text position record, single form: flags bit 0 adds a zero, bit 1 adds second
// (the first value of the second array).
int lmq_CmdDE(OutputStream *stream, int x, int y, int flags, int second, int value);
int lmq_CmdDe(OutputStream *stream, float x, float y, int flags, float second, int value);
// DF / Df: text position record, array form: flags bit 0 writes first, bit 1 second,
// count values each. The count field is 2 x count when flags is 3, else count; a field
// above 65535 refuses.
int lmq_CmdDF(OutputStream *stream, int x, int y, int flags, DWORD count, const short *first, const short *second,
              int value);
int lmq_CmdDf(OutputStream *stream, float x, float y, int flags, DWORD count, const float *first, const float *second,
              int value);
// DH / DI / Di: byte address; DL / DM / Dm: the address in 64-byte units.
int lmq_CmdDH(OutputStream *stream, DWORD address);
int lmq_CmdDL(OutputStream *stream, DWORD units);
int lmq_CmdDI(OutputStream *stream, int x, int y, DWORD address);
int lmq_CmdDM(OutputStream *stream, int x, int y, DWORD units);
int lmq_CmdDi(OutputStream *stream, float x, float y, DWORD address);
int lmq_CmdDm(OutputStream *stream, float x, float y, DWORD units);

// ---- Job and page control (E, F) -------------------------------------------------------

int lmq_CmdEA(OutputStream *stream, int packed);
int lmq_CmdEB(OutputStream *stream);
// Ec: page size; media code 81 carries extents[0] width, extents[1] height, each through
// lmq_TenthsExtent; code 81 with NULL extents refuses. All operands are written even
// after a failed write.
int lmq_CmdEc(OutputStream *stream, int a, int b, int mediaCode, const float *extents);
int lmq_CmdED(OutputStream *stream);
// EE / EH: ANSI string of n bytes (n above 65535 refuses).
int lmq_CmdEE(OutputStream *stream, DWORD n, const BYTE *text);
int lmq_CmdEF(OutputStream *stream);
// Eg: positioned ANSI text; kind 2 adds the media code, code 81 the extents (as given;
// NULL refuses); n above 65535 refuses.
int lmq_CmdEg(OutputStream *stream, DWORD n, const BYTE *text, const float matrix[6], int kind, int mediaCode,
              const float *extents);
int lmq_CmdEH(OutputStream *stream, DWORD n, const BYTE *text);
// EP: comment. The length is the caller's when its low 8 bits are not 0, else the
// text's up to its terminating zero; above 255 it is cut to 255.
int lmq_CmdEP(OutputStream *stream, const char *text, DWORD length);
int lmq_CmdFA(OutputStream *stream, int selector, int value);
int lmq_CmdFB(OutputStream *stream);
int lmq_CmdFC(OutputStream *stream);
int lmq_CmdFE(OutputStream *stream, int value);
int lmq_CmdFF(OutputStream *stream, int code);
int lmq_CmdFH(OutputStream *stream, int first, int second);
int lmq_CmdFI(OutputStream *stream, int value);

#endif /* QM_RENDER_ENCODER_LMQ_ENCODER_H */
