/*
 * The colour-adjust matrix and the grey adjust pair: built from brightness, saturation and
 * contrast, applied in 16.16 fixed point with 64-bit sums.
 */
#include "core/colour/colour_tables.h"

#include <math.h>
#include <string.h>

static const LONG kAdjustMin = -99, kAdjustMax = 100;
static const double kLumaRed = 0.3, kLumaGreen = 0.59, kLumaBlue = 0.11;

static LONG adj_Clamp(LONG v)
{
    return v < kAdjustMin ? kAdjustMin : (v > kAdjustMax ? kAdjustMax : v);
}

static LONG adj_Fixed(double v)
{
    return (LONG)floor(v * 65536.0 + 0.5);
}

static BYTE adj_Byte(long long v)
{
    return (BYTE)(v < 0 ? 0 : (v > 255 ? 255 : v));
}

/* The integer part of a 16.16 offset plus a sum of 16.16 / 4 coefficients times
 * values scaled by 257: o >> 16 plus sum >> 22, both arithmetic. */
static long long adj_Result(LONG offset, long long sum)
{
    return (long long)(offset >> 16) + (sum >> 22);
}

static double adj_Gain(LONG contrast)
{
    return 1.0 + adj_Clamp(contrast) * 0.003;
}

static double adj_Offset(double gain, LONG brightness)
{
    return (1.0 - gain) * 255.0 + adj_Clamp(brightness) * 0.5;
}

LONG WINAPI clr_BuildAdjustMatrix(ColorAdjustMatrix *matrix, LONG brightness, LONG saturation, LONG contrast)
{
    if (matrix == NULL)
        return -1;
    double g = adj_Gain(contrast);
    LONG sat = adj_Clamp(saturation);
    double s = sat >= 0 ? 1.0 + sat * 0.01 : 1.0 + sat * 0.005;
    double rows[9] = {
        kLumaRed * g + 0.7 * s,
        kLumaGreen * (g - s),
        kLumaBlue * (g - s),
        kLumaRed * (g - s),
        kLumaGreen * g + CLR_GREEN_SATURATION * s,
        kLumaBlue * (g - s),
        kLumaRed * (g - s),
        kLumaGreen * (g - s),
        kLumaBlue * g + 0.89 * s,
    };
    for (int i = 0; i < 9; i++)
        matrix->m[i] = adj_Fixed(rows[i]);
    LONG offset = adj_Fixed(adj_Offset(g, brightness));
    matrix->o[0] = matrix->o[1] = matrix->o[2] = offset;
    return 0;
}

void WINAPI clr_ApplyAdjustMatrix(const ColorAdjustMatrix *matrix, const BYTE *source, BYTE *destination, DWORD count)
{
    if (matrix == NULL) {
        if (source != destination)
            memmove(destination, source, (size_t)count * 3);
        return;
    }
    long long m[9];
    for (int i = 0; i < 9; i++)
        m[i] = matrix->m[i] >> 2;
    for (DWORD i = 0; i < count; i++) {
        const BYTE *p = source + (size_t)i * 3;
        long long a = p[2] * 257LL, b = p[1] * 257LL, c = p[0] * 257LL;
        long long r0 = adj_Result(matrix->o[0], m[0] * a + m[1] * b + m[2] * c);
        long long r1 = adj_Result(matrix->o[1], m[3] * a + m[4] * b + m[5] * c);
        long long r2 = adj_Result(matrix->o[2], m[6] * a + m[7] * b + m[8] * c);
        BYTE *q = destination + (size_t)i * 3;
        q[0] = adj_Byte(r2);
        q[1] = adj_Byte(r1);
        q[2] = adj_Byte(r0);
    }
}

LONG WINAPI clr_BuildGreyPair(GreyAdjustPair *pair, LONG brightness, LONG contrast)
{
    if (pair == NULL)
        return -1;
    double g = adj_Gain(contrast);
    pair->gain = adj_Fixed(g);
    pair->offset = adj_Fixed(adj_Offset(g, brightness));
    return 0;
}

void WINAPI clr_ApplyGreyPair(const GreyAdjustPair *pair, const BYTE *source, BYTE *destination, DWORD count)
{
    if (pair == NULL) {
        if (source != destination)
            memmove(destination, source, count);
        return;
    }
    long long gain = pair->gain >> 2;
    for (DWORD i = 0; i < count; i++)
        destination[i] = adj_Byte(adj_Result(pair->offset, source[i] * 257LL * gain));
}
