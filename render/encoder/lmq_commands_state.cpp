/*
 * Graphics-state commands of the LUMIQ encoder (opcodes beginning with A): matrix,
 * clip, line attributes, paint mode, raster operation, colours, brushes and palette.
 */
#include "render/encoder/lmq_private.h"

// Orientation matrices of AA by code 1..4.
static const short kOrientation[4][6] = {
    {1, 0, 0, -1, 0, 0},
    {-1, 0, 0, 1, 0, 0},
    {0, 1, 1, 0, 0, 0},
    {0, -1, -1, 0, 0, 0},
};

// lmq_PatternBytes: byte count of a one-bit pattern, rows of (width + 7) / 8 bytes.
static DWORD lmq_PatternBytes(DWORD width, DWORD height)
{
    return (width + 7) / 8 * height;
}

int lmq_CmdAA(OutputStream *stream, int code)
{
    if (code < 1 || code > 4)
        return -1;
    int result = lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'A'));
    for (int i = 0; i < 6; ++i)
        result |= lmq_WriteU16(stream, (DWORD)kOrientation[code - 1][i]);
    return result;
}

int lmq_CmdAa(OutputStream *stream, const float matrix[6])
{
    int result = lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'a'));
    return result | lmq_WriteAllFloats(stream, matrix, 6);
}

int lmq_CmdAB(OutputStream *stream, int left, int top, int right, int bottom)
{
    return lmq_WriteFourS16Command(stream, LMQ_OPCODE('A', 'B'), left, top, right, bottom);
}

int lmq_CmdAb(OutputStream *stream, float left, float top, float right, float bottom)
{
    const float values[4] = {left, top, right, bottom};
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'b')) || lmq_WriteFloats(stream, values, 4))
        return -1;
    return 0;
}

int lmq_CmdAC(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('A', 'C'));
}

int lmq_CmdAD(OutputStream *stream, int width)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'D')) || lmq_WriteU16(stream, (DWORD)width))
        return -1;
    return 0;
}

int lmq_CmdAd(OutputStream *stream, float width)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'd')) || lmq_WriteFloat(stream, width))
        return -1;
    return 0;
}

int lmq_CmdAE(OutputStream *stream, int cap)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('A', 'E'), cap);
}

int lmq_CmdAF(OutputStream *stream, int join)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('A', 'F'), join);
}

int lmq_CmdAG(OutputStream *stream, int limit)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('A', 'G'), limit);
}

int lmq_CmdAg(OutputStream *stream, float limit)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'g')) || lmq_WriteFloat(stream, limit))
        return -1;
    return 0;
}

int lmq_CmdAH(OutputStream *stream, int kind, int offset, DWORD count, const short *lengths)
{
    int dashed = (kind & 0xFF) == 6;
    if (dashed && (count > 255 || (count > 0 && lengths == nullptr)))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'H')) || lmq_WriteU8(stream, (DWORD)kind))
        return -1;
    if (!dashed)
        return 0;
    if (lmq_WriteU16(stream, (DWORD)offset) || lmq_WriteU8(stream, count) || lmq_WriteS16s(stream, lengths, count))
        return -1;
    return 0;
}

int lmq_CmdAh(OutputStream *stream, int kind, float offset, DWORD count, const float *lengths)
{
    int dashed = (kind & 0xFF) == 6;
    if (dashed && (count > 255 || (count > 0 && lengths == nullptr)))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'h')) || lmq_WriteU8(stream, (DWORD)kind))
        return -1;
    if (!dashed)
        return 0;
    if (lmq_WriteFloat(stream, offset) || lmq_WriteU8(stream, count) || lmq_WriteFloats(stream, lengths, count))
        return -1;
    return 0;
}

int lmq_CmdAI(OutputStream *stream, int value)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('A', 'I'), value);
}

int lmq_CmdAJ(OutputStream *stream, int rule)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('A', 'J'), rule);
}

int lmq_CmdAK(OutputStream *stream, int mode)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('A', 'K'), mode);
}

int lmq_CmdAL(OutputStream *stream, int kind, DWORD code)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'L')) || lmq_WriteU8(stream, (DWORD)kind) || lmq_WriteU32(stream, code))
        return -1;
    return 0;
}

int lmq_CmdAM(OutputStream *stream, int kind, int colorType, DWORD color)
{
    if (!lmq_IsColorType(colorType))
        return -1;
    int result = lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'M'));
    result |= lmq_WriteU8(stream, (DWORD)kind);
    result |= lmq_WriteU8(stream, (DWORD)colorType);
    return result | lmq_WriteColor(stream, colorType, color);
}

int lmq_CmdAN(OutputStream *stream, int x, int y, int kind, int colorType, DWORD color, int pattern)
{
    if (!lmq_IsColorType(colorType))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'N')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, (DWORD)kind) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteColor(stream, colorType, color) || lmq_WriteU8(stream, (DWORD)pattern))
        return -1;
    return 0;
}

int lmq_CmdAn(OutputStream *stream, float x, float y, int kind, int colorType, DWORD color, int pattern)
{
    if (!lmq_IsColorType(colorType))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'n')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU8(stream, (DWORD)kind) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteFloatColor(stream, colorType, color) || lmq_WriteU8(stream, (DWORD)pattern))
        return -1;
    return 0;
}

int lmq_CmdAO(OutputStream *stream, int x, int y, int kind, int colorType, DWORD color, DWORD width, DWORD height,
              const BYTE *bits)
{
    if (!lmq_IsColorType(colorType) || !lmq_FitsU16(width) || !lmq_FitsU16(height))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'O')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, (DWORD)kind) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteColor(stream, colorType, color) || lmq_WriteU8(stream, 1) || lmq_WriteU16(stream, width) ||
        lmq_WriteU16(stream, height) || lmq_WriteBytes(stream, bits, lmq_PatternBytes(width, height)))
        return -1;
    return 0;
}

int lmq_CmdAo(OutputStream *stream, float x, float y, int kind, int colorType, DWORD color, DWORD width, DWORD height,
              const BYTE *bits)
{
    if (!lmq_IsColorType(colorType) || !lmq_FitsU16(width) || !lmq_FitsU16(height))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'o')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU8(stream, (DWORD)kind) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteFloatColor(stream, colorType, color) || lmq_WriteU8(stream, 1) || lmq_WriteU16(stream, width) ||
        lmq_WriteU16(stream, height) || lmq_WriteBytes(stream, bits, lmq_PatternBytes(width, height)))
        return -1;
    return 0;
}

int lmq_CmdAP(OutputStream *stream, int x, int y, int kind, int colorType, DWORD width, DWORD height, DWORD n,
              const BYTE *data)
{
    if (!lmq_FitsU16(width) || !lmq_FitsU16(height))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'P')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, (DWORD)kind) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteU8(stream, 8) || lmq_WriteU16(stream, width) || lmq_WriteU16(stream, height) ||
        lmq_WriteU8(stream, 1) || lmq_WriteU32(stream, n) || lmq_WriteBytes(stream, data, n))
        return -1;
    return 0;
}

int lmq_CmdAQ(OutputStream *stream, int kind, int mode, int colorType, DWORD color)
{
    if (!lmq_IsColorType(colorType))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'Q')) || lmq_WriteU8(stream, (DWORD)kind) ||
        lmq_WriteU8(stream, (DWORD)mode) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteColor(stream, colorType, color))
        return -1;
    return 0;
}

int lmq_CmdAR(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('A', 'R'));
}

int lmq_CmdAV(OutputStream *stream, int colorType, int entryBits, DWORD entryCount, DWORD n, const BYTE *data)
{
    if (!lmq_FitsU16(entryCount) || !lmq_FitsU16(n))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('A', 'V')) || lmq_WriteU8(stream, (DWORD)colorType) ||
        lmq_WriteU8(stream, (DWORD)entryBits) || lmq_WriteU16(stream, entryCount) || lmq_WriteU16(stream, n) ||
        lmq_WriteBytes(stream, data, n))
        return -1;
    return 0;
}
