/*
 * Primitive operand writers of the LUMIQ encoder: big-endian integers, floats, svar,
 * typed glyph-record values. Each writes one operand with one stream write.
 */
#include "render/encoder/lmq_private.h"

#include <cmath>
#include <cstring>

// lmq_FloatBits: the IEEE single-precision bit pattern of value.
static DWORD lmq_FloatBits(float value)
{
    unsigned int bits = 0;
    static_assert(sizeof bits == sizeof value, "float is 32 bits");
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// lmq_PutBigEndian: the low width bytes of value into out, most significant first.
static void lmq_PutBigEndian(DWORD value, int width, BYTE *out)
{
    for (int i = width - 1; i >= 0; --i) {
        out[i] = (BYTE)(value & 0xFF);
        value >>= 8;
    }
}

// lmq_WriteWidth: the low width bytes of value, big-endian, in one write.
static int lmq_WriteWidth(OutputStream *stream, DWORD value, int width)
{
    BYTE bytes[4];
    lmq_PutBigEndian(value, width, bytes);
    return lmq_WriteBytes(stream, bytes, (DWORD)width);
}

int lmq_EncodeVarInt(LONG value, BYTE *out)
{
    // The magnitude is taken as unsigned 32-bit so that the most negative value has one.
    DWORD m = value < 0 ? 0u - (DWORD)value : (DWORD)value;
    BYTE sign = value < 0 ? 0x40 : 0x00;
    int k = 0;
    DWORD d = 1;
    if (m >= 0x8000000u) {
        k = 4;
        d = 0x10000000u;
    } else if (m >= 0x100000u) {
        k = 3;
        d = 0x200000u;
    } else if (m >= 0x2000u) {
        k = 2;
        d = 0x4000u;
    } else if (m >= 0x40u) {
        k = 1;
        d = 0x80u;
    }
    int n = 0;
    for (int i = 0; i < k; ++i) {
        out[n++] = (BYTE)((m / d) | sign | 0x80);
        m %= d;
        d /= 128;
        sign = 0;
    }
    out[n++] = (BYTE)(m | sign);
    return n;
}

int lmq_FitsU16(DWORD value)
{
    return value <= 0xFFFFu;
}

int lmq_HasFraction(float value)
{
    if (!std::isfinite(value))
        return 1;
    double whole = 0.0;
    double fraction = std::modf((double)value, &whole);
    return (long long)(fraction * 10000.0) != 0 ? 1 : 0;
}

int lmq_IsColorType(int colorType)
{
    return colorType == 3 || colorType == 4;
}

float lmq_TenthsExtent(float extent)
{
    return (float)(std::round((double)extent * 10.0) * 0.1);
}

int lmq_WriteAllFloats(OutputStream *stream, const float *values, DWORD count)
{
    int result = 0;
    for (DWORD i = 0; i < count; ++i)
        result |= lmq_WriteFloat(stream, values[i]);
    return result;
}

int lmq_WriteBytes(OutputStream *stream, const BYTE *data, DWORD length)
{
    return spl_WriteStream(stream, length, data) < 0 ? -1 : 0;
}

int lmq_WriteCodes(OutputStream *stream, const WORD *codes, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        if (lmq_WriteU16(stream, codes[i]))
            return -1;
    }
    return 0;
}

int lmq_WriteColor(OutputStream *stream, int colorType, DWORD color)
{
    return colorType == 3 ? lmq_WriteU8(stream, color) : lmq_WriteU24(stream, color);
}

int lmq_WriteFloat(OutputStream *stream, float value)
{
    return lmq_WriteWidth(stream, lmq_FloatBits(value), 4);
}

int lmq_WriteFloatColor(OutputStream *stream, int colorType, DWORD color)
{
    static const float kPerLevel = 0.003921569f;
    BYTE bytes[12];
    int channels = colorType == 3 ? 1 : 3;
    for (int i = 0; i < channels; ++i) {
        DWORD level = (color >> (8 * (channels - 1 - i))) & 0xFF;
        lmq_PutBigEndian(lmq_FloatBits((float)level * kPerLevel), 4, bytes + 4 * i);
    }
    return lmq_WriteBytes(stream, bytes, (DWORD)(4 * channels));
}

int lmq_WriteFloats(OutputStream *stream, const float *values, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        if (lmq_WriteFloat(stream, values[i]))
            return -1;
    }
    return 0;
}

int lmq_WriteFourS16Command(OutputStream *stream, DWORD opcode, int a, int b, int c, int d)
{
    if (lmq_WriteOpcode(stream, opcode) || lmq_WriteU16(stream, (DWORD)a) || lmq_WriteU16(stream, (DWORD)b) ||
        lmq_WriteU16(stream, (DWORD)c) || lmq_WriteU16(stream, (DWORD)d))
        return -1;
    return 0;
}

int lmq_WriteNoOperand(OutputStream *stream, DWORD opcode)
{
    return lmq_WriteOpcode(stream, opcode);
}

int lmq_WriteOpcode(OutputStream *stream, DWORD opcode)
{
    return lmq_WriteWidth(stream, opcode, 2);
}

int lmq_WriteS16s(OutputStream *stream, const short *values, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        if (lmq_WriteU16(stream, (DWORD)values[i]))
            return -1;
    }
    return 0;
}

int lmq_WriteTypedValue(OutputStream *stream, int typeCode, const void *value, DWORD length)
{
    if (value == nullptr)
        return -1;
    DWORD word = 0;
    switch (typeCode) {
    case 0:
    case 1: std::memcpy(&word, value, sizeof word); return lmq_WriteU24(stream, word);
    case 14: std::memcpy(&word, value, sizeof word); return lmq_WriteU32(stream, word);
    case 2:
    case 6:
    case 7:
    case 12: return lmq_WriteU8(stream, *(const BYTE *)value);
    case 4:
    case 5:
    case 9:
    case 10:
    case 13: {
        WORD half = 0;
        std::memcpy(&half, value, sizeof half);
        return lmq_WriteU16(stream, half);
    }
    case 3:
    case 11: {
        float f = 0.0f;
        std::memcpy(&f, value, sizeof f);
        return lmq_WriteFloat(stream, f);
    }
    case 8: return lmq_WriteBytes(stream, (const BYTE *)value, length);
    default: return -1;
    }
}

int lmq_WriteU16(OutputStream *stream, DWORD value)
{
    return lmq_WriteWidth(stream, value, 2);
}

int lmq_WriteU24(OutputStream *stream, DWORD value)
{
    return lmq_WriteWidth(stream, value, 3);
}

int lmq_WriteU32(OutputStream *stream, DWORD value)
{
    return lmq_WriteWidth(stream, value, 4);
}

int lmq_WriteU8(OutputStream *stream, DWORD value)
{
    return lmq_WriteWidth(stream, value, 1);
}

int lmq_WriteU8Command(OutputStream *stream, DWORD opcode, int value)
{
    if (lmq_WriteOpcode(stream, opcode) || lmq_WriteU8(stream, (DWORD)value))
        return -1;
    return 0;
}

int lmq_WriteVarInt(OutputStream *stream, LONG value)
{
    BYTE bytes[5];
    int n = lmq_EncodeVarInt(value, bytes);
    return lmq_WriteBytes(stream, bytes, (DWORD)n);
}
