/*
 * The colour-content analysis of an image: whether its pixels carry colour, are all grey,
 * or all within the grey tolerance. The PDEV's analysis word and the page-colour side
 * live with job control; this is the scan.
 */
#ifndef QM_RENDER_PDL_COMPRESSION_COLOUR_ANALYSIS_H
#define QM_RENDER_PDL_COMPRESSION_COLOUR_ANALYSIS_H

#include <windows.h>

struct PDEV;
struct ColorSet;

#ifdef __cplusplus
extern "C" {
#endif

/* Analysis results. */
#define IMG_ANALYSIS_COLOUR 1
#define IMG_ANALYSIS_GREY 2
#define IMG_ANALYSIS_NEAR_GREY 3
#define IMG_ANALYSIS_NONE 4

/* img_IsTolerantGrey: all three equal, or min and max within the tolerance of the mean
 * (5 below a mean of 192, 2 from 192 up). */
BOOL WINAPI img_IsTolerantGrey(BYTE a, BYTE b, BYTE c);

/*
 * img_ScanImageColor: the scan of one image with the exact test (exact) or the tolerant
 * one. Colour type 4 with 24 bits: rows of width * 3 bytes; colour type 11 with 1, 4 or 8
 * bits: rows of (width * bits + 7) / 8 bytes of indices (most significant bits first)
 * into palette (entries 0x00RRGGBB). 1 a colour found, 2 all grey (exact) or 3 (tolerant),
 * 4 not scannable.
 */
LONG WINAPI img_ScanImageColor(BOOL exact, const BYTE *data, DWORD width, DWORD height, const DWORD *palette,
                               DWORD paletteEntries, DWORD colourType, DWORD bits);

/*
 * img_AnalyseImageColor: the PDEV page's colour analysis of an image (*result as
 * img_ScanImageColor; 4 when the page colour is already decided). A colour found marks the
 * page coloured; after a success the image's colours go into set when it is valid. 0, or
 * -1 for a missing argument, an image that cannot be scanned, or a failure of the set.
 */
LONG WINAPI img_AnalyseImageColor(LONG *result, struct ColorSet *set, struct PDEV *pdev, const BYTE *data, DWORD width,
                                  DWORD height, const DWORD *palette, DWORD paletteEntries, DWORD colourType,
                                  DWORD bits);

/* img_CreateAnalysisState / img_FreeAnalysisState: the PDEV job's analysis word cleared.
 * 0, -1 without PDEV. */
LONG WINAPI img_CreateAnalysisState(struct PDEV *pdev);
LONG WINAPI img_FreeAnalysisState(struct PDEV *pdev);

#ifdef __cplusplus
}
#endif

#endif /* QM_RENDER_PDL_COMPRESSION_COLOUR_ANALYSIS_H */
