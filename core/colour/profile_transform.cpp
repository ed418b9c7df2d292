/*
 * ICC profile transforms: built from a profile's lookup table (table mode, a 17x17x17
 * table of output RGB) or from its curves and colourants (matrix mode, a 3x3 matrix with
 * a near-white cell), applied per pixel in integers. Both modes produce linear RGB in 12
 * bits, encoded to bytes by the sRGB curve.
 */
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include "core/colour/colour_tables.h"
#include "core/colour/profile_file.h"

static const DWORD kTagA2B0 = 0x41324230, kTagWtpt = 0x77747074;
static const DWORD kTagTrc[3] = {0x72545243, 0x67545243, 0x62545243}; /* rTRC gTRC bTRC */
static const DWORD kTagXyz[3] = {0x7258595A, 0x6758595A, 0x6258595A}; /* rXYZ gXYZ bXYZ */
static const DWORD kTypeCurv = 0x63757276, kTypeXyz = 0x58595A20, kTypeMft1 = 0x6D667431, kTypeMft2 = 0x6D667432;
static const DWORD kClassScanner = 0x73636E72, kClassMonitor = 0x6D6E7472, kPcsLab = 0x4C616220;

/* The connection space's white and the output white's chromaticity (its y inverted). */
static const double kPcsWhite[3] = {0.9642, 1.0, 0.8249};
static const double kOutWhiteX = 0.3127, kOutWhiteY = 0.3290, kOutWhiteScale = 3.0393;
/* The output chromaticity matrix, column by column (red, green, blue primaries). */
static const double kOutChroma[3][3] = {{0.7465, 0.2535, 0.0}, {-5.9428, 6.914, 0.0288}, {0.1748, 0.0044, 0.8208}};

static const DWORD kOutputCurveSize = 4096;
static const DWORD kMaxCurveEntries = 4096;

/* ---- the output table: 12-bit linear to an sRGB-encoded byte */

static const BYTE *pt_OutputTable(void)
{
    static BYTE table[4096];
    static const bool built = [] {
        for (int i = 0; i < 4096; i++) {
            double v = i / 4095.0;
            double e = v <= 0.0031308 ? 12.92 * v : 1.055 * pow(v, 1.0 / 2.4) - 0.055;
            table[i] = (BYTE)floor(e * 255.0 + 0.5);
        }
        return true;
    }();
    (void)built;
    return table;
}

/* ---- small matrix helpers (row-major 3x3) */

static void pt_Multiply(const double a[9], const double b[9], double out[9])
{
    for (int r = 0; r < 3; r++)
        for (int c = 0; c < 3; c++)
            out[r * 3 + c] = a[r * 3] * b[c] + a[r * 3 + 1] * b[3 + c] + a[r * 3 + 2] * b[6 + c];
}

static BOOL pt_Invert(const double m[9], double out[9])
{
    double det =
        m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6]) + m[2] * (m[3] * m[7] - m[4] * m[6]);
    if (fabs(det) < 1e-12)
        return FALSE;
    out[0] = (m[4] * m[8] - m[5] * m[7]) / det;
    out[1] = (m[2] * m[7] - m[1] * m[8]) / det;
    out[2] = (m[1] * m[5] - m[2] * m[4]) / det;
    out[3] = (m[5] * m[6] - m[3] * m[8]) / det;
    out[4] = (m[0] * m[8] - m[2] * m[6]) / det;
    out[5] = (m[2] * m[3] - m[0] * m[5]) / det;
    out[6] = (m[3] * m[7] - m[4] * m[6]) / det;
    out[7] = (m[1] * m[6] - m[0] * m[7]) / det;
    out[8] = (m[0] * m[4] - m[1] * m[3]) / det;
    return TRUE;
}

/* XYZ (white Y = 1) to linear output RGB: the inverse of C * diag(C^-1 * W). */
static void pt_OutputMatrix(double out[9])
{
    double c[9], ci[9];
    for (int col = 0; col < 3; col++)
        for (int row = 0; row < 3; row++)
            c[row * 3 + col] = kOutChroma[col][row];
    double w[3] = {kOutWhiteX * kOutWhiteScale, 1.0, (1.0 - kOutWhiteX - kOutWhiteY) * kOutWhiteScale};
    pt_Invert(c, ci);
    double s[3];
    for (int r = 0; r < 3; r++)
        s[r] = ci[r * 3] * w[0] + ci[r * 3 + 1] * w[1] + ci[r * 3 + 2] * w[2];
    double toXyz[9];
    for (int r = 0; r < 3; r++)
        for (int col = 0; col < 3; col++)
            toXyz[r * 3 + col] = c[r * 3 + col] * s[col];
    pt_Invert(toXyz, out);
}

static WORD pt_Clamp16(double v)
{
    double x = floor(v * 65535.0 + 0.5);
    return (WORD)(x < 0 ? 0 : (x > 65535 ? 65535 : x));
}

static double pt_S15Fixed16(const BYTE *at)
{
    return (LONG)pf_Read32(at) / 65536.0;
}

static WORD pt_Read16(const BYTE *at)
{
    return (WORD)((at[0] << 8) | at[1]);
}

/* ---- curves */

/* Resamples n 16-bit entries (read by get) to size entries: the first and last kept,
 * linear in between at i * (n - 1) / (size - 1). */
static void pt_Resample(const BYTE *entries, DWORD n, DWORD bytesPerEntry, WORD *out, DWORD size)
{
    for (DWORD i = 0; i < size; i++) {
        double at = (double)i * (n - 1) / (size - 1);
        DWORD lo = (DWORD)at;
        if (lo >= n - 1)
            lo = n - 2;
        double f = at - lo;
        double a = bytesPerEntry == 1 ? entries[lo] * 257.0 : pt_Read16(entries + lo * 2);
        double b = bytesPerEntry == 1 ? entries[lo + 1] * 257.0 : pt_Read16(entries + (lo + 1) * 2);
        double v = a + (b - a) * f;
        out[i] = (WORD)floor(v + 0.5);
    }
}

/* A 'curv' tag as a 256-entry input table; FALSE when the tag is not a usable curve. */
static BOOL pt_CurveTable(const BYTE *tag, DWORD size, WORD out[256])
{
    if (size < 12 || pf_Read32(tag) != kTypeCurv)
        return FALSE;
    DWORD n = pf_Read32(tag + 8);
    if (n > (size - 12) / 2)
        return FALSE;
    const BYTE *entries = tag + 12;
    if (n == 0) {
        for (int i = 0; i < 256; i++)
            out[i] = (WORD)(i * 257);
    } else if (n == 1) {
        double gamma = pt_Read16(entries) / 256.0;
        for (int i = 0; i < 256; i++) {
            double v = pow(i / 255.0, gamma);
            out[i] = pt_Clamp16(v < 0 ? 0 : (v > 1 ? 1 : v));
        }
    } else if (n == 256) {
        for (int i = 0; i < 256; i++)
            out[i] = pt_Read16(entries + i * 2);
    } else {
        pt_Resample(entries, n, 2, out, 256);
    }
    return TRUE;
}

static BOOL pt_XyzTag(const BYTE *tag, DWORD size, double out[3])
{
    if (size < 20 || pf_Read32(tag) != kTypeXyz)
        return FALSE;
    for (int i = 0; i < 3; i++)
        out[i] = pt_S15Fixed16(tag + 8 + i * 4);
    return TRUE;
}

/* ---- lookup tables */

typedef struct LookupTable {
    DWORD grid;
    DWORD bytesPerEntry; /* 1 'mft1', 2 'mft2' */
    DWORD inEntries, outEntries;
    const BYTE *input;  /* 3 curves of inEntries */
    const BYTE *clut;   /* grid^3 x 3, first input slowest */
    const BYTE *output; /* 3 curves of outEntries */
} LookupTable;

/* The layout of an 'mft1' or 'mft2' tag; FALSE when it is not 3 in, 3 out, at least 2
 * grid points, with every table inside the tag. */
static BOOL pt_LookupLayout(const BYTE *tag, DWORD size, LookupTable *lut)
{
    if (size < 48)
        return FALSE;
    DWORD type = pf_Read32(tag);
    if ((type != kTypeMft1 && type != kTypeMft2) || tag[8] != 3 || tag[9] != 3 || tag[10] < 2)
        return FALSE;
    lut->grid = tag[10];
    unsigned long long at = 48;
    if (type == kTypeMft1) {
        lut->bytesPerEntry = 1;
        lut->inEntries = lut->outEntries = 256;
    } else {
        if (size < 52)
            return FALSE;
        lut->bytesPerEntry = 2;
        lut->inEntries = pt_Read16(tag + 48);
        lut->outEntries = pt_Read16(tag + 50);
        if (lut->inEntries < 2 || lut->inEntries > kMaxCurveEntries || lut->outEntries < 2 ||
            lut->outEntries > kMaxCurveEntries)
            return FALSE;
        at = 52;
    }
    unsigned long long inBytes = 3ull * lut->inEntries * lut->bytesPerEntry;
    unsigned long long clutBytes = 3ull * lut->grid * lut->grid * lut->grid * lut->bytesPerEntry;
    unsigned long long outBytes = 3ull * lut->outEntries * lut->bytesPerEntry;
    if (at + inBytes + clutBytes + outBytes > size)
        return FALSE;
    lut->input = tag + at;
    lut->clut = lut->input + inBytes;
    lut->output = lut->clut + clutBytes;
    return TRUE;
}

static double pt_ClutValue(const LookupTable *lut, DWORD r, DWORD g, DWORD b, int channel)
{
    size_t index = (((size_t)r * lut->grid + g) * lut->grid + b) * 3 + channel;
    return lut->bytesPerEntry == 1 ? lut->clut[index] * 257.0 : pt_Read16(lut->clut + index * 2);
}

/* The lookup table's grid at a point of [0, 1]^3, trilinearly; 16-bit results. */
static void pt_InterpolateClut(const LookupTable *lut, const double point[3], double out[3])
{
    DWORD lo[3];
    double f[3];
    for (int a = 0; a < 3; a++) {
        double x = point[a] * (lut->grid - 1);
        lo[a] = (DWORD)x;
        if (lo[a] >= lut->grid - 1)
            lo[a] = lut->grid - 2;
        f[a] = x - lo[a];
    }
    for (int ch = 0; ch < 3; ch++) {
        double sum = 0;
        for (int corner = 0; corner < 8; corner++) {
            int dr = corner >> 2, dg = (corner >> 1) & 1, db = corner & 1;
            double w = (dr ? f[0] : 1 - f[0]) * (dg ? f[1] : 1 - f[1]) * (db ? f[2] : 1 - f[2]);
            if (w != 0)
                sum += w * pt_ClutValue(lut, lo[0] + dr, lo[1] + dg, lo[2] + db, ch);
        }
        out[ch] = sum;
    }
}

/* CIE L*a*b* (connection white) to XYZ. */
static void pt_LabToXyz(double L, double a, double b, double xyz[3])
{
    double fy = (L + 16.0) / 116.0;
    double fx = fy + a / 500.0, fz = fy - b / 200.0;
    double f[3] = {fx, fy, fz};
    for (int i = 0; i < 3; i++) {
        double t = f[i] > 0.206893 ? f[i] * f[i] * f[i] : (f[i] - 16.0 / 116.0) / 7.787;
        xyz[i] = t * kPcsWhite[i];
    }
    if (L < 8.0)
        xyz[1] = L / 903.3;
}

static LONG pt_BuildTable(ProfileTransform *t, const LookupTable *lut, DWORD connection, const double white[3])
{
    WORD *outCurves = (WORD *)malloc(sizeof(WORD) * 3 * kOutputCurveSize);
    WORD *table = (WORD *)malloc(sizeof(WORD) * 3 * CLR_GRID_ENTRIES);
    if (outCurves == NULL || table == NULL) {
        free(outCurves);
        free(table);
        return -8;
    }
    for (int c = 0; c < 3; c++) {
        pt_Resample(lut->input + (size_t)c * lut->inEntries * lut->bytesPerEntry,
                    lut->inEntries,
                    lut->bytesPerEntry,
                    t->input[c],
                    256);
        pt_Resample(lut->output + (size_t)c * lut->outEntries * lut->bytesPerEntry,
                    lut->outEntries,
                    lut->bytesPerEntry,
                    outCurves + c * kOutputCurveSize,
                    kOutputCurveSize);
    }
    double out[9];
    pt_OutputMatrix(out);
    size_t n = 0;
    for (int i = 0; i < CLR_GRID_POINTS; i++)
        for (int j = 0; j < CLR_GRID_POINTS; j++)
            for (int k = 0; k < CLR_GRID_POINTS; k++, n++) {
                double point[3] = {i / 16.0, j / 16.0, k / 16.0}, v[3], xyz[3];
                pt_InterpolateClut(lut, point, v);
                for (int c = 0; c < 3; c++) {
                    DWORD index = (DWORD)(v[c] / 16.0);
                    v[c] = outCurves[c * kOutputCurveSize + (index > 4095 ? 4095 : index)];
                }
                if (connection == kPcsLab)
                    pt_LabToXyz(v[0] * 100.0 / 65280.0, v[1] / 256.0 - 128.0, v[2] / 256.0 - 128.0, xyz);
                else
                    for (int c = 0; c < 3; c++)
                        xyz[c] = v[c] / 32768.0;
                for (int c = 0; c < 3; c++)
                    xyz[c] *= white[c] / kPcsWhite[c];
                for (int c = 0; c < 3; c++)
                    table[n * 3 + c] =
                        pt_Clamp16(out[c * 3] * xyz[0] + out[c * 3 + 1] * xyz[1] + out[c * 3 + 2] * xyz[2]);
            }
    free(outCurves);
    t->table = table;
    t->mode = CLR_MODE_TABLE;
    return 0;
}

/* Matrix mode: the colourant matrix with each row scaled to the white, then to output
 * RGB; the near-white cell holds the clamped results at the last cell's corners. */
static LONG pt_BuildMatrix(ProfileTransform *t, const double colourants[3][3], const double white[3])
{
    double scaled[9];
    for (int row = 0; row < 3; row++) {
        double sum = colourants[0][row] + colourants[1][row] + colourants[2][row];
        if (fabs(sum) < 1e-9)
            return -7;
        for (int col = 0; col < 3; col++)
            scaled[row * 3 + col] = colourants[col][row] * white[row] / sum;
    }
    double out[9], m[9];
    pt_OutputMatrix(out);
    pt_Multiply(out, scaled, m);
    for (int i = 0; i < 9; i++) {
        double v = floor(m[i] * 65536.0 + 0.5);
        t->matrix[i] = (LONG)(v > 2147483647.0 ? 2147483647.0 : (v < -2147483648.0 ? -2147483648.0 : v));
    }
    t->nearWhite = 0;
    for (int corner = 0; corner < 8; corner++) {
        double p[3] = {(15 + (corner >> 2)) / 16.0, (15 + ((corner >> 1) & 1)) / 16.0, (15 + (corner & 1)) / 16.0};
        for (int c = 0; c < 3; c++) {
            double v = m[c * 3] * p[0] + m[c * 3 + 1] * p[1] + m[c * 3 + 2] * p[2];
            if (v < 0 || v > 1)
                t->nearWhite = 1;
            t->whiteCell[corner][c] = pt_Clamp16(v);
        }
    }
    t->mode = CLR_MODE_MATRIX;
    return 0;
}

LONG WINAPI clr_LoadProfile(ProfileTransform *transform, const char *path)
{
    if (transform == NULL)
        return -1;
    memset(transform, 0, sizeof *transform);
    transform->mode = CLR_MODE_NONE;
    ProfileFile file;
    LONG result = pf_ReadProfile(path, &file);
    if (result != 0)
        return result;
    const BYTE *data;
    DWORD size;
    double white[3];
    BOOL haveWhite = pf_FindTag(&file, kTagWtpt, &data, &size) && pt_XyzTag(data, size, white);
    LookupTable lut;
    BOOL haveLut = pf_FindTag(&file, kTagA2B0, &data, &size) && pt_LookupLayout(data, size, &lut);
    if (file.deviceClass == kClassMonitor && file.connection == kPcsLab) {
        result = -7;
    } else if (haveLut && haveWhite && file.deviceClass == kClassScanner) {
        result = pt_BuildTable(transform, &lut, file.connection, white);
    } else {
        double colourants[3][3];
        BOOL complete = haveWhite;
        for (int c = 0; complete && c < 3; c++)
            complete = pf_FindTag(&file, kTagTrc[c], &data, &size) && pt_CurveTable(data, size, transform->input[c]) &&
                       pf_FindTag(&file, kTagXyz[c], &data, &size) && pt_XyzTag(data, size, colourants[c]);
        result = complete ? pt_BuildMatrix(transform, colourants, white) : -7;
    }
    pf_FreeProfileFile(&file);
    if (result != 0) {
        free(transform->table);
        memset(transform, 0, sizeof *transform);
        transform->mode = CLR_MODE_NONE;
    }
    return result;
}

void WINAPI clr_FreeProfile(ProfileTransform *transform)
{
    if (transform == NULL)
        return;
    free(transform->table);
    transform->table = NULL;
    transform->mode = CLR_MODE_NONE;
}

/* ---- applying */

/* Tetrahedral interpolation in one cell: corner(c) gives the 16-bit value of corner c
 * (red * 4 + green * 2 + blue) for channel ch; fractions in 1/4096; a 12-bit result. */
static DWORD pt_Tetra(const WORD *const corners[8], int ch, DWORD fr, DWORD fg, DWORD fb)
{
    // Signed: a corner may be lower than the one before it.
    const long long c000 = corners[0][ch], c111 = corners[7][ch];
    long long sum;
    if (fr >= fg && fg >= fb)
        sum = c000 * 4096LL + fr * (long long)(corners[4][ch] - c000) +
              fg * (long long)(corners[6][ch] - corners[4][ch]) + fb * (long long)(c111 - corners[6][ch]);
    else if (fr >= fb && fb >= fg)
        sum = c000 * 4096LL + fr * (long long)(corners[4][ch] - c000) +
              fb * (long long)(corners[5][ch] - corners[4][ch]) + fg * (long long)(c111 - corners[5][ch]);
    else if (fb >= fr && fr >= fg)
        sum = c000 * 4096LL + fb * (long long)(corners[1][ch] - c000) +
              fr * (long long)(corners[5][ch] - corners[1][ch]) + fg * (long long)(c111 - corners[5][ch]);
    else if (fg >= fr && fr >= fb)
        sum = c000 * 4096LL + fg * (long long)(corners[2][ch] - c000) +
              fr * (long long)(corners[6][ch] - corners[2][ch]) + fb * (long long)(c111 - corners[6][ch]);
    else if (fg >= fb && fb >= fr)
        sum = c000 * 4096LL + fg * (long long)(corners[2][ch] - c000) +
              fb * (long long)(corners[3][ch] - corners[2][ch]) + fr * (long long)(c111 - corners[3][ch]);
    else
        sum = c000 * 4096LL + fb * (long long)(corners[1][ch] - c000) +
              fg * (long long)(corners[3][ch] - corners[1][ch]) + fr * (long long)(c111 - corners[3][ch]);
    DWORD v = (DWORD)(sum < 0 ? 0 : sum >> 16);
    return v > 4094 ? 4095 : v;
}

static DWORD pt_Clamp12(long long v)
{
    return v < 0 ? 0 : (v > 4094 ? 4095 : (DWORD)v);
}

void WINAPI clr_ApplyProfile(const ProfileTransform *transform, const BYTE *source, BYTE *destination, DWORD count)
{
    if (transform == NULL || transform->mode == CLR_MODE_NONE ||
        (transform->mode == CLR_MODE_TABLE && transform->table == NULL)) {
        if (source != destination)
            memmove(destination, source, (size_t)count * 3);
        return;
    }
    const BYTE *encode = pt_OutputTable();
    long long m[9];
    for (int i = 0; i < 9; i++)
        m[i] = transform->matrix[i] >> 2;
    const WORD *whiteCorners[8];
    for (int c = 0; c < 8; c++)
        whiteCorners[c] = transform->whiteCell[c];
    for (DWORD i = 0; i < count; i++) {
        const BYTE *p = source + (size_t)i * 3;
        DWORD pr = transform->input[0][p[2]], pg = transform->input[1][p[1]], pb = transform->input[2][p[0]];
        DWORD out[3];
        if (transform->mode == CLR_MODE_TABLE || (transform->nearWhite && pr > 0xEFFF && pg > 0xEFFF && pb > 0xEFFF)) {
            const WORD *corners[8];
            if (transform->mode == CLR_MODE_TABLE) {
                DWORD base = ((pr >> 12) * CLR_GRID_POINTS + (pg >> 12)) * CLR_GRID_POINTS + (pb >> 12);
                for (int c = 0; c < 8; c++)
                    corners[c] = transform->table + (base + (c >> 2) * CLR_GRID_POINTS * CLR_GRID_POINTS +
                                                     ((c >> 1) & 1) * CLR_GRID_POINTS + (c & 1)) *
                                                        3;
            } else {
                memcpy(corners, whiteCorners, sizeof corners);
            }
            for (int ch = 0; ch < 3; ch++)
                out[ch] = pt_Tetra(corners, ch, pr & 0xFFF, pg & 0xFFF, pb & 0xFFF);
        } else {
            for (int ch = 0; ch < 3; ch++)
                out[ch] = pt_Clamp12((m[ch * 3] * pr + m[ch * 3 + 1] * pg + m[ch * 3 + 2] * pb) >> 18);
        }
        BYTE *q = destination + (size_t)i * 3;
        q[0] = encode[out[2]];
        q[1] = encode[out[1]];
        q[2] = encode[out[0]];
    }
}
