/*
 * Path, shape and image commands of the LUMIQ encoder (opcodes beginning with B and C).
 */
#include "render/encoder/lmq_private.h"

// lmq_WriteS16Run / lmq_WriteFloatRun: a point-run command: u16 count, then
// count x perItem values. A count above 65535 refuses.
static int lmq_WriteS16Run(OutputStream *stream, DWORD opcode, DWORD count, const short *values, DWORD perItem)
{
    if (!lmq_FitsU16(count) || (count > 0 && values == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, opcode) || lmq_WriteU16(stream, count) ||
        lmq_WriteS16s(stream, values, perItem * count))
        return -1;
    return 0;
}

static int lmq_WriteFloatRun(OutputStream *stream, DWORD opcode, DWORD count, const float *values, DWORD perItem)
{
    if (!lmq_FitsU16(count) || (count > 0 && values == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, opcode) || lmq_WriteU16(stream, count) ||
        lmq_WriteFloats(stream, values, perItem * count))
        return -1;
    return 0;
}

int lmq_CmdB0(OutputStream *stream, DWORD count, const LONG *deltas)
{
    if (!lmq_FitsU16(count) || (count > 0 && deltas == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('B', '0')) || lmq_WriteU16(stream, count))
        return -1;
    for (DWORD i = 0; i < 2 * count; ++i) {
        if (lmq_WriteVarInt(stream, deltas[i]))
            return -1;
    }
    return 0;
}

int lmq_CmdBA(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('B', 'A'));
}

int lmq_CmdBB(OutputStream *stream, int x, int y)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('B', 'B')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y))
        return -1;
    return 0;
}

int lmq_CmdBb(OutputStream *stream, float x, float y)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('B', 'b')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y))
        return -1;
    return 0;
}

int lmq_CmdBC(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('B', 'C'));
}

int lmq_CmdBD(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('B', 'D'));
}

int lmq_CmdBP(OutputStream *stream, DWORD count, const short *points)
{
    return lmq_WriteS16Run(stream, LMQ_OPCODE('B', 'P'), count, points, 2);
}

int lmq_CmdBp(OutputStream *stream, DWORD count, const float *points)
{
    return lmq_WriteFloatRun(stream, LMQ_OPCODE('B', 'p'), count, points, 2);
}

int lmq_CmdBU(OutputStream *stream, DWORD count, const short *points)
{
    return lmq_WriteS16Run(stream, LMQ_OPCODE('B', 'U'), count, points, 6);
}

int lmq_CmdBu(OutputStream *stream, DWORD count, const float *points)
{
    return lmq_WriteFloatRun(stream, LMQ_OPCODE('B', 'u'), count, points, 6);
}

int lmq_CmdCc(OutputStream *stream, const float values[6])
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('C', 'c')) || lmq_WriteFloats(stream, values, 6))
        return -1;
    return 0;
}

int lmq_CmdCG(OutputStream *stream, int x1, int y1, int x2, int y2)
{
    return lmq_WriteFourS16Command(stream, LMQ_OPCODE('C', 'G'), x1, y1, x2, y2);
}

int lmq_CmdCg(OutputStream *stream, float x1, float y1, float x2, float y2)
{
    const float values[4] = {x1, y1, x2, y2};
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('C', 'g')) || lmq_WriteFloats(stream, values, 4))
        return -1;
    return 0;
}

int lmq_CmdCp(OutputStream *stream, float x, float y, DWORD width, DWORD height, int invert, const float placement[6],
              DWORD dataBytes)
{
    if (!lmq_FitsU16(width) || !lmq_FitsU16(height))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('C', 'p')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU16(stream, width) || lmq_WriteU16(stream, height) || lmq_WriteU8(stream, (DWORD)invert) ||
        lmq_WriteFloats(stream, placement, 6) || lmq_WriteU32(stream, dataBytes))
        return -1;
    return 0;
}

int lmq_CmdCq(OutputStream *stream, float x, float y, const float placement[6], DWORD width, DWORD height, int maskKind,
              DWORD maskBytes, int sourceKind)
{
    if (!lmq_FitsU16(width) || !lmq_FitsU16(height))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('C', 'q')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteFloats(stream, placement, 6) || lmq_WriteU16(stream, width) || lmq_WriteU16(stream, height) ||
        lmq_WriteU8(stream, (DWORD)maskKind))
        return -1;
    if (maskKind == 2 && (lmq_WriteU8(stream, 0) || lmq_WriteU32(stream, maskBytes)))
        return -1;
    return lmq_WriteU8(stream, (DWORD)sourceKind);
}

int lmq_CmdCqColorBlock(OutputStream *stream, int colorType, int entryBits, DWORD entryCount, DWORD paletteBytes,
                        const BYTE *palette, int compression, int bitsPerComponent, int dataPresent, DWORD dataBytes)
{
    int indexed = colorType >= 8 && colorType <= 11;
    if (indexed && (!lmq_FitsU16(entryCount) || !lmq_FitsU16(paletteBytes)))
        return -1;
    if (lmq_WriteU8(stream, (DWORD)colorType))
        return -1;
    if (indexed && (lmq_WriteU8(stream, (DWORD)entryBits) || lmq_WriteU16(stream, entryCount) ||
                    lmq_WriteU16(stream, paletteBytes) || lmq_WriteBytes(stream, palette, paletteBytes)))
        return -1;
    if (lmq_WriteU8(stream, (DWORD)compression) || lmq_WriteU8(stream, (DWORD)bitsPerComponent) ||
        lmq_WriteU8(stream, (DWORD)dataPresent) || lmq_WriteU32(stream, dataBytes))
        return -1;
    return 0;
}
