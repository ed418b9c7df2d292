/*
 * Colour tables of the colour pipeline: ICC profile transforms read from profile files,
 * the colour-adjust matrix and the grey adjust pair. Pixels are three bytes in blue,
 * green, red order (the third byte is red); every routine keeps that order. Per-pixel work
 * is integer only: floating point is used while tables are built.
 */
#ifndef QM_CORE_COLOUR_COLOUR_TABLES_H
#define QM_CORE_COLOUR_COLOUR_TABLES_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Points per axis of a 3-D colour table and its entries (three 16-bit values each). */
#define CLR_GRID_POINTS 17
#define CLR_GRID_ENTRIES (CLR_GRID_POINTS * CLR_GRID_POINTS * CLR_GRID_POINTS)

/* Transform modes. */
#define CLR_MODE_NONE (-1)
#define CLR_MODE_MATRIX 0
#define CLR_MODE_TABLE 1

/* A 3x3 matrix m (row-major) and three offsets o, 16.16 fixed point. */
typedef struct ColorAdjustMatrix {
    LONG m[9];
    LONG o[3];
} ColorAdjustMatrix;

/* Gain and offset, 16.16 fixed point. */
typedef struct GreyAdjustPair {
    LONG gain;
    LONG offset;
} GreyAdjustPair;

/*
 * A loaded profile. input: 16-bit grid positions for red, green, blue (top 4 bits the
 * cell, low 12 the fraction). matrix (matrix mode): linear device RGB to output RGB, 16.16.
 * whiteCell (matrix mode with nearWhite): the 16-bit results at the eight corners of the
 * last cell, corner index red * 4 + green * 2 + blue. table (table mode): 17x17x17 entries
 * of red, green, blue, red slowest.
 */
typedef struct ProfileTransform {
    WORD input[3][256];
    LONG matrix[9];
    WORD whiteCell[8][3];
    WORD *table;
    LONG mode;
    LONG nearWhite;
} ProfileTransform;

/* clr_SwapBytes32: value with its byte order reversed. */
DWORD WINAPI clr_SwapBytes32(DWORD value);

/*
 * clr_CheckProfileHeader: the header of the profile at the narrow path. 1 signature 'acsp',
 * 2 'nicc'; -1 no path, -2 not opened, -3 fewer than 132 bytes, -4 close failed, -5 other
 * signature, -6 colour space not 'RGB ' or class neither 'mntr' nor 'scnr', -7 connection
 * space neither 'XYZ ' nor 'Lab '.
 */
LONG WINAPI clr_CheckProfileHeader(const char *path);

/*
 * clr_LoadProfile: reads the profile at the narrow path into transform (table mode from an
 * 'A2B0' lookup table, else matrix mode from curves and colourants). 0, or -1 bad
 * argument, -2 not opened, -3 read failure or a tag outside the file, -4 close failure,
 * -5 bad signature, -6 bad colour space or class, -7 bad connection space or missing tags,
 * -8 out of memory; on failure the transform is in mode -1 and holds no table.
 */
LONG WINAPI clr_LoadProfile(ProfileTransform *transform, const char *path);

/* clr_ApplyProfile: count pixels through transform; NULL or mode -1 copies. source and
 * destination may be the same. */
void WINAPI clr_ApplyProfile(const ProfileTransform *transform, const BYTE *source, BYTE *destination, DWORD count);

/* clr_FreeProfile: frees the transform's table; mode -1. */
void WINAPI clr_FreeProfile(ProfileTransform *transform);

/*
 * clr_BuildAdjustMatrix: the matrix of brightness, saturation and contrast (each clamped to
 * -99..100); all three 0 give the identity with zero offsets. 0, -1 without matrix.
 */
LONG WINAPI clr_BuildAdjustMatrix(ColorAdjustMatrix *matrix, LONG brightness, LONG saturation, LONG contrast);

/* clr_ApplyAdjustMatrix: count pixels through matrix; NULL copies. */
void WINAPI clr_ApplyAdjustMatrix(const ColorAdjustMatrix *matrix, const BYTE *source, BYTE *destination, DWORD count);

/* clr_BuildGreyPair: gain and offset of brightness and contrast (clamped to -99..100).
 * 0, -1 without pair. */
LONG WINAPI clr_BuildGreyPair(GreyAdjustPair *pair, LONG brightness, LONG contrast);

/* clr_ApplyGreyPair: count bytes through pair; NULL copies. */
void WINAPI clr_ApplyGreyPair(const GreyAdjustPair *pair, const BYTE *source, BYTE *destination, DWORD count);

/* The adjust matrix's saturation term of the green diagonal, shared with the preview. */
#define CLR_GREEN_SATURATION 0.41

#ifdef __cplusplus
}
#endif

#endif /* QM_CORE_COLOUR_COLOUR_TABLES_H */
