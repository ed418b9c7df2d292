/*
 * Helpers shared by the command files of the encoder; not for callers outside it.
 */
#ifndef QM_RENDER_ENCODER_LMQ_PRIVATE_H
#define QM_RENDER_ENCODER_LMQ_PRIVATE_H

#include "render/encoder/lmq_encoder.h"

// Opcode of a command: first letter the high byte, second the low byte.
#define LMQ_OPCODE(first, second) ((DWORD)(((BYTE)(first) << 8) | (BYTE)(second)))

// lmq_WriteOpcode: the command's opcode in one 2-byte write. Returns 0 / -1.
int lmq_WriteOpcode(OutputStream *stream, DWORD opcode);
// lmq_IsColorType: 1 when colorType has a colour operand form (3 grey, 4 RGB), else 0.
int lmq_IsColorType(int colorType);
// lmq_WriteColor: the colour(t) operand of packed color in one write (1 or 3 bytes).
// The colour type must have passed lmq_IsColorType. Returns 0 / -1.
int lmq_WriteColor(OutputStream *stream, int colorType, DWORD color);
// lmq_WriteFloatColor: the float colour(t) operand (each byte / 255) in one write of 4
// or 12 bytes. Returns 0 / -1.
int lmq_WriteFloatColor(OutputStream *stream, int colorType, DWORD color);
// lmq_WriteFloats: count floats, one write each, stopping at the first failure.
int lmq_WriteFloats(OutputStream *stream, const float *values, DWORD count);
// lmq_WriteAllFloats: count floats, one write each, all written even after a failure.
int lmq_WriteAllFloats(OutputStream *stream, const float *values, DWORD count);
// lmq_WriteS16s: count 16-bit values, one write each, stopping at the first failure.
int lmq_WriteS16s(OutputStream *stream, const short *values, DWORD count);
// lmq_WriteCodes: count 16-bit character codes, one write each.
int lmq_WriteCodes(OutputStream *stream, const WORD *codes, DWORD count);
// lmq_WriteNoOperand: a command that is its opcode alone. Returns 0 / -1.
int lmq_WriteNoOperand(OutputStream *stream, DWORD opcode);
// lmq_WriteU8Command: a command with one u8 operand. Returns 0 / -1.
int lmq_WriteU8Command(OutputStream *stream, DWORD opcode, int value);
// lmq_WriteFourS16Command: a command with four s16 operands, stopping at the first
// failed write. Returns 0 / -1.
int lmq_WriteFourS16Command(OutputStream *stream, DWORD opcode, int a, int b, int c, int d);
// lmq_FitsU16: 1 when value fits an unsigned 16-bit count field.
int lmq_FitsU16(DWORD value);

#endif /* QM_RENDER_ENCODER_LMQ_PRIVATE_H */
