/*
 * The colour scan of one image.
 */
#include "render/pdl/compression/colour_analysis.h"

/* The grey tolerance by the quarter of the byte range the mean falls in. */
static const BYTE kToleranceByQuarter[4] = {5, 5, 5, 2};

BOOL WINAPI img_IsTolerantGrey(BYTE a, BYTE b, BYTE c)
{
    if (a == b && b == c)
        return TRUE;
    int mean = (a + b + c) / 3;
    int tolerance = kToleranceByQuarter[mean >> 6];
    int lo = a < b ? (a < c ? a : c) : (b < c ? b : c);
    int hi = a > b ? (a > c ? a : c) : (b > c ? b : c);
    return lo >= mean - tolerance && hi <= mean + tolerance;
}

static BOOL ana_Passes(BOOL exact, BYTE a, BYTE b, BYTE c)
{
    return exact ? (a == b && b == c) : img_IsTolerantGrey(a, b, c);
}

static BOOL ana_EntryPasses(BOOL exact, DWORD entry)
{
    return ana_Passes(exact, (BYTE)(entry >> 16), (BYTE)(entry >> 8), (BYTE)entry);
}

LONG WINAPI img_ScanImageColor(BOOL exact, const BYTE *data, DWORD width, DWORD height, const DWORD *palette,
                               DWORD paletteEntries, DWORD colourType, DWORD bits)
{
    const LONG allGrey = exact ? 2 : 3;
    if (data == NULL)
        return IMG_ANALYSIS_NONE;
    if (colourType == 4) {
        if (bits != 24)
            return IMG_ANALYSIS_NONE;
        size_t n = (size_t)width * height;
        for (size_t i = 0; i < n; i++) {
            const BYTE *p = data + i * 3;
            if (!ana_Passes(exact, p[0], p[1], p[2]))
                return IMG_ANALYSIS_COLOUR;
        }
        return allGrey;
    }
    if (colourType != 11 || (bits != 1 && bits != 4 && bits != 8) || palette == NULL)
        return IMG_ANALYSIS_NONE;
    BOOL everyEntry = TRUE;
    for (DWORD i = 0; i < paletteEntries && everyEntry; i++)
        everyEntry = ana_EntryPasses(exact, palette[i]);
    if (everyEntry)
        return allGrey;
    size_t stride = ((size_t)width * bits + 7) / 8;
    DWORD mask = (1u << bits) - 1;
    for (DWORD y = 0; y < height; y++)
        for (DWORD x = 0; x < width; x++) {
            size_t bit = (size_t)x * bits;
            DWORD index = (data[y * stride + bit / 8] >> (8 - bits - bit % 8)) & mask;
            if (index >= paletteEntries || !ana_EntryPasses(exact, palette[index]))
                return IMG_ANALYSIS_COLOUR;
        }
    return allGrey;
}
