/*
 * Job and page control commands of the LUMIQ encoder (opcodes beginning with E and F).
 */
#include "render/encoder/lmq_private.h"

#include <cstring>

// Media code whose page-size commands carry the page extents.
static const int kCustomMediaCode = 81;
// Longest comment of EP.
static const DWORD kMaxCommentLength = 255;

int lmq_CmdEA(OutputStream *stream, int packed)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('E', 'A'), packed);
}

int lmq_CmdEB(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('E', 'B'));
}

int lmq_CmdEc(OutputStream *stream, int a, int b, int mediaCode, const float *extents)
{
    int custom = (mediaCode & 0xFF) == kCustomMediaCode;
    if (custom && extents == nullptr)
        return -1;
    int result = lmq_WriteOpcode(stream, LMQ_OPCODE('E', 'c'));
    result |= lmq_WriteU8(stream, (DWORD)a);
    result |= lmq_WriteU8(stream, (DWORD)b);
    result |= lmq_WriteU8(stream, (DWORD)mediaCode);
    if (custom) {
        result |= lmq_WriteFloat(stream, lmq_TenthsExtent(extents[0]));
        result |= lmq_WriteFloat(stream, lmq_TenthsExtent(extents[1]));
    }
    return result;
}

int lmq_CmdED(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('E', 'D'));
}

int lmq_CmdEE(OutputStream *stream, DWORD n, const BYTE *text)
{
    if (!lmq_FitsU16(n))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('E', 'E')) || lmq_WriteU16(stream, n) || lmq_WriteBytes(stream, text, n))
        return -1;
    return 0;
}

int lmq_CmdEF(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('E', 'F'));
}

int lmq_CmdEg(OutputStream *stream, DWORD n, const BYTE *text, const float matrix[6], int kind, int mediaCode,
              const float *extents)
{
    int withMedia = (kind & 0xFF) == 2;
    int custom = withMedia && (mediaCode & 0xFF) == kCustomMediaCode;
    if (!lmq_FitsU16(n) || (custom && extents == nullptr))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('E', 'g')) || lmq_WriteU16(stream, n) || lmq_WriteBytes(stream, text, n) ||
        lmq_WriteFloats(stream, matrix, 6) || lmq_WriteU8(stream, (DWORD)kind))
        return -1;
    if (withMedia && lmq_WriteU8(stream, (DWORD)mediaCode))
        return -1;
    if (custom && lmq_WriteFloats(stream, extents, 2))
        return -1;
    return 0;
}

int lmq_CmdEH(OutputStream *stream, DWORD n, const BYTE *text)
{
    if (!lmq_FitsU16(n))
        return -1;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('E', 'H')) || lmq_WriteU16(stream, 1) || lmq_WriteU16(stream, n) ||
        lmq_WriteBytes(stream, text, n))
        return -1;
    return 0;
}

int lmq_CmdEP(OutputStream *stream, const char *text, DWORD length)
{
    if (text == nullptr)
        return -1;
    DWORD n = (length & 0xFF) != 0 ? length : (DWORD)std::strlen(text);
    if (n > kMaxCommentLength)
        n = kMaxCommentLength;
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('E', 'P')) || lmq_WriteU8(stream, n) ||
        lmq_WriteBytes(stream, (const BYTE *)text, n))
        return -1;
    return 0;
}

int lmq_CmdFA(OutputStream *stream, int selector, int value)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('F', 'A')) || lmq_WriteU8(stream, (DWORD)selector) ||
        lmq_WriteU16(stream, (DWORD)value))
        return -1;
    return 0;
}

int lmq_CmdFB(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('F', 'B'));
}

int lmq_CmdFC(OutputStream *stream)
{
    return lmq_WriteNoOperand(stream, LMQ_OPCODE('F', 'C'));
}

int lmq_CmdFE(OutputStream *stream, int value)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('F', 'E'), value);
}

int lmq_CmdFF(OutputStream *stream, int code)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('F', 'F'), code);
}

int lmq_CmdFH(OutputStream *stream, int first, int second)
{
    if (lmq_WriteOpcode(stream, LMQ_OPCODE('F', 'H')) || lmq_WriteU8(stream, (DWORD)first) ||
        lmq_WriteU8(stream, (DWORD)second))
        return -1;
    return 0;
}

int lmq_CmdFI(OutputStream *stream, int value)
{
    return lmq_WriteU8Command(stream, LMQ_OPCODE('F', 'I'), value);
}
