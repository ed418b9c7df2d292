/*
 * The conversion of a source bitmap's rows into the packed rows of an image command:
 * colour rows (indices kept, other depths as three bytes a pixel, the translated colour's
 * low byte first), 4-bit indices widened to a byte, rows of sources at odd bit positions
 * shifted into place, and white-mask rows (a bit set where the pixel is white).
 */
#ifndef QM_RENDER_PDL_IMAGES_ROW_CONVERT_H
#define QM_RENDER_PDL_IMAGES_ROW_CONVERT_H

#include <windows.h>
#include <winddi.h>

struct Reducer;

/* How a source depth's pixels are translated (img_ClassifyXlate). */
enum XlateClass {
    XLATE_INDICES = 0, /* 1, 4, 8 bits: the indices stay */
    XLATE_EACH,        /* each pixel through the translation */
    XLATE_REVERSE,     /* the three colour bytes reversed */
    XLATE_FIRST_THREE, /* 32 bits: the first three bytes of four kept */
    XLATE_COPY         /* 24 bits: the rows as they are */
};

/* Row conversion modes. */
#define IMG_ROWS_COLOUR 0
#define IMG_ROWS_WHITE_MASK 1

/* The converted rows: one movable global block, locked; the caller frees it
 * (img_FreeRows). */
typedef struct ConvertedRows {
    HGLOBAL handle;
    BYTE *data;
    DWORD bytes;    /* rows x rowBytes (one more for widened 4-bit data) */
    DWORD rowBytes; /* bytes of one output row */
    DWORD width;    /* pixels of an output row (the reduced width when reduced) */
    DWORD height;
    DWORD bits; /* bits a pixel of the output: 1, 4, 8 or 24 */
} ConvertedRows;

/* img_BitmapBits: bits a pixel of a bitmap format (BMF_*), 0 for other formats. */
DWORD img_BitmapBits(ULONG format);

/* img_ClassifyXlate: how pixels of bits each are translated by pxlo. */
enum XlateClass img_ClassifyXlate(XLATEOBJ *pxlo, DWORD bits);

/*
 * img_ConvertRows: height rows of width pixels of pso from (x, y) converted in mode
 * through pxlo. method is the job's compression method (4-bit indices are widened to a
 * byte when it is not 1). With a reducer the 24-bit rows pass through it. 0 with rows
 * filled; -1 for an unusable source, -2 without memory (nothing is left allocated).
 */
LONG img_ConvertRows(const SURFOBJ *pso, LONG x, LONG y, DWORD width, DWORD height, XLATEOBJ *pxlo, DWORD mode,
                     struct Reducer *reducer, DWORD method, ConvertedRows *rows);

/* img_FreeRows: unlocks and frees the rows' block (none: nothing). */
void img_FreeRows(ConvertedRows *rows);

/* img_CopyMaskRows: height rows of (width + 7) / 8 bytes of the 1-bit mask from (x, y)
 * into out, shifted to byte alignment. */
void img_CopyMaskRows(const SURFOBJ *mask, LONG x, LONG y, DWORD width, DWORD height, BYTE *out);

/* img_ReverseTriples: count three-byte pixels reversed in place (blue, green, red to red,
 * green, blue and back). */
void img_ReverseTriples(BYTE *data, DWORD count);

#endif /* QM_RENDER_PDL_IMAGES_ROW_CONVERT_H */
