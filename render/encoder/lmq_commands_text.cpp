/*
 * Text and glyph commands of the LUMIQ encoder (opcodes beginning with D).
 */
#include "render/encoder/lmq_private.h"

// lmq_TextCountOk: 1 when count characters can be sent (1 .. 32767, so that the byte
// length 2 x count fits its 16-bit field) and the codes are there.
static int lmq_TextCountOk(DWORD count, const WORD *codes)
{
    return count >= 1 && count <= 0x7FFF && codes != nullptr;
}

// lmq_WriteTextTail: the byte length (2 x count) and the character codes.
static int lmq_WriteTextTail(OutputStream *stream, DWORD count, const WORD *codes)
{
    if (lmq_WriteU16(stream, 2 * count) || lmq_WriteCodes(stream, codes, count))
        return -1;
    return 0;
}

// lmq_PositionCountField: the count field of an array-form position record: doubled
// when both arrays are present (flags 3).
static DWORD lmq_PositionCountField(int flags, DWORD count)
{
    return flags == 3 ? 2 * count : count;
}

int lmq_CmdDA(OutputStream *stream, int font)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'A')) || lmq_WriteU16(stream, (DWORD)font))
        return -1;
    return 0;
}

int lmq_CmdDb(OutputStream *stream, const float matrix[6])
{
    int result = lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'b'));
    return result | lmq_WriteAllFloats(stream, matrix, 6);
}

int lmq_CmdDC(OutputStream *stream, int x, int y, int advance, DWORD count, const WORD *codes)
{
    if (!lmq_TextCountOk(count, codes))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'C')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, 1) ||
        lmq_WriteU16(stream, count == 1 ? 0u : (DWORD)advance) || lmq_WriteTextTail(stream, count, codes))
        return -1;
    return 0;
}

int lmq_CmdDc(OutputStream *stream, float x, float y, float advance, DWORD count, const WORD *codes)
{
    if (!lmq_TextCountOk(count, codes))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'c')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU8(stream, 1) || lmq_WriteFloat(stream, count == 1 ? 0.0f : advance) ||
        lmq_WriteTextTail(stream, count, codes))
        return -1;
    return 0;
}

int lmq_CmdDD(OutputStream *stream, int x, int y, const short *advances, DWORD count, const WORD *codes)
{
    if (!lmq_TextCountOk(count, codes) || (count > 1 && advances == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'D')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, 2) || lmq_WriteU16(stream, count - 1) ||
        lmq_WriteS16s(stream, advances, count - 1) || lmq_WriteTextTail(stream, count, codes))
        return -1;
    return 0;
}

int lmq_CmdDd(OutputStream *stream, float x, float y, const float *advances, DWORD count, const WORD *codes)
{
    if (!lmq_TextCountOk(count, codes) || (count > 1 && advances == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'd')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU8(stream, 2) || lmq_WriteU16(stream, count - 1) || lmq_WriteFloats(stream, advances, count - 1) ||
        lmq_WriteTextTail(stream, count, codes))
        return -1;
    return 0;
}

int lmq_CmdDE(OutputStream *stream, int x, int y, int flags, int second, int value)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'E')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, (DWORD)flags))
        return -1;
    if ((flags & 1) && lmq_WriteU16(stream, 0))
        return -1;
    if ((flags & 2) && lmq_WriteU16(stream, (DWORD)second))
        return -1;
    return lmq_WriteU16(stream, (DWORD)value);
}

int lmq_CmdDe(OutputStream *stream, float x, float y, int flags, float second, int value)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'e')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU8(stream, (DWORD)flags))
        return -1;
    if ((flags & 1) && lmq_WriteFloat(stream, 0.0f))
        return -1;
    if ((flags & 2) && lmq_WriteFloat(stream, second))
        return -1;
    return lmq_WriteU16(stream, (DWORD)value);
}

int lmq_CmdDF(OutputStream *stream, int x, int y, int flags, DWORD count, const short *first, const short *second,
              int value)
{
    DWORD field = lmq_PositionCountField(flags, count);
    if (count > 0xFFFFu || !lmq_FitsU16(field) || ((flags & 1) && count > 0 && first == nullptr) ||
        ((flags & 2) && count > 0 && second == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'F')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU8(stream, 2) || lmq_WriteU8(stream, (DWORD)flags) ||
        lmq_WriteU16(stream, field))
        return -1;
    if ((flags & 1) && lmq_WriteS16s(stream, first, count))
        return -1;
    if ((flags & 2) && lmq_WriteS16s(stream, second, count))
        return -1;
    return lmq_WriteU16(stream, (DWORD)value);
}

int lmq_CmdDf(OutputStream *stream, float x, float y, int flags, DWORD count, const float *first, const float *second,
              int value)
{
    DWORD field = lmq_PositionCountField(flags, count);
    if (count > 0xFFFFu || !lmq_FitsU16(field) || ((flags & 1) && count > 0 && first == nullptr) ||
        ((flags & 2) && count > 0 && second == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'f')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU8(stream, 2) || lmq_WriteU8(stream, (DWORD)flags) || lmq_WriteFloat(stream, (float)field))
        return -1;
    if ((flags & 1) && lmq_WriteFloats(stream, first, count))
        return -1;
    if ((flags & 2) && lmq_WriteFloats(stream, second, count))
        return -1;
    return lmq_WriteU16(stream, (DWORD)value);
}

int lmq_CmdDH(OutputStream *stream, DWORD address)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'H')) || lmq_WriteU32(stream, address))
        return -1;
    return 0;
}

int lmq_CmdDI(OutputStream *stream, int x, int y, DWORD address)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'I')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU32(stream, address))
        return -1;
    return 0;
}

int lmq_CmdDi(OutputStream *stream, float x, float y, DWORD address)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'i')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU32(stream, address))
        return -1;
    return 0;
}

int lmq_CmdDL(OutputStream *stream, DWORD units)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'L')) || lmq_WriteU16(stream, units))
        return -1;
    return 0;
}

int lmq_CmdDM(OutputStream *stream, int x, int y, DWORD units)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'M')) || lmq_WriteU16(stream, (DWORD)x) ||
        lmq_WriteU16(stream, (DWORD)y) || lmq_WriteU16(stream, units))
        return -1;
    return 0;
}

int lmq_CmdDm(OutputStream *stream, float x, float y, DWORD units)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('D', 'm')) || lmq_WriteFloat(stream, x) || lmq_WriteFloat(stream, y) ||
        lmq_WriteU16(stream, units))
        return -1;
    return 0;
}
