/*
 * Booklet imposition: the sheet faces of a booklet, the pages on each, the division of a
 * long job into sub-booklets or sets, and the scale and turn of a half.
 *
 * Page numbers are 0-based positions in the recorded page list, 16-bit unsigned:
 * BK_BLANK_HALF marks a half that holds no page and BK_PAGE_ERROR an error.
 */
#ifndef QM_RENDER_DRIVER_BOOKLET_BOOKLET_H
#define QM_RENDER_DRIVER_BOOKLET_BOOKLET_H

#include <windows.h>

#include "render/driver/pdev/job_blocks.h"
#include "render/pdl/writer/matrix2x3.h"

/* A half that holds no page (-100 as a 16-bit value); the highest page number a booklet
 * can hold is one below it. */
#define BK_BLANK_HALF ((WORD)0xFF9C)
/* An error in place of a page number (-1 as a 16-bit value). */
#define BK_PAGE_ERROR ((WORD)0xFFFF)

/* What bk_DivideBooklet answers: the number of sub-booklets, the sheets of each and how
 * many of them (the first ones) take one sheet more. */
struct BookletDivision {
    WORD count;
    WORD sheetsPerBooklet;
    WORD remainder;
};

/* bk_CountFaces: the number of sheet faces for pages first .. last, the cover flag
 * changing the count of a range that starts at page 0. */
WORD bk_CountFaces(LONG first, LONG last, BOOL cover);

/* bk_IsSetComplete: 1 when pages first .. last fill a set of threshold sheets (4 pages a
 * sheet, 2 fewer for a covered range from page 0), else 2; threshold 0 never completes. */
int bk_IsSetComplete(LONG first, LONG last, WORD threshold, BOOL cover);

/* bk_DivideBooklet: cuts pages into sub-booklets of at most sheetsPerBooklet sheets (0: one
 * booklet). With ranges (2 words a sub-booklet: first and last page) the ranges are filled,
 * from the array's end when reverse is set; without it only the division is answered. */
BookletDivision bk_DivideBooklet(WORD pages, BOOL reverse, WORD sheetsPerBooklet, WORD *ranges);

/* bk_CountSets: the number of sets a job in sets of threshold sheets is cut into at job
 * end (threshold 0: one set). */
WORD bk_CountSets(WORD pages, WORD threshold, BOOL cover);

/* bk_DivideSets: fills ranges (2 words a set) with the sets of bk_CountSets, each
 * 4 x threshold pages long and the last taking the rest; in reverse order the last set
 * comes first. Answers the count. */
WORD bk_DivideSets(WORD pages, WORD threshold, BOOL cover, BOOL reverse, WORD *ranges);

/* bk_GetFacePage: the page on half (0 first, 1 second) of face number face of the booklet
 * of pages first .. last, BK_BLANK_HALF when the half is blank, BK_PAGE_ERROR for a face
 * the range does not have. bindingSide 1 binds on the other edge; outerFirst puts the
 * outer sheet's faces first, else the centre sheet's. */
WORD bk_GetFacePage(LONG first, LONG last, WORD face, WORD bindingSide, WORD half, BOOL outerFirst, BOOL cover);

/* bk_GetHalfTurnCode: the turn code (0..3, 4 none) of a half holding page: an odd page
 * mirrors the code (flag chooses the mirror); anything outside 0..3 (0..4 for an even
 * page) gives 4. */
WORD bk_GetHalfTurnCode(WORD page, BOOL flag, WORD code);

/* bk_ScaleToHalf: the scale that fits a page of width x height into half of it turned:
 * the smaller of width / height and height / 2 / width; 0 for an empty size. */
void bk_ScaleToHalf(float *out, float width, float height);

/* bk_TenthMmToDots: a length in 0.1 mm as dots at dpi. */
void bk_TenthMmToDots(WORD value, float *out, int dpi);

/* bk_GetHalfRects: the logical page of a booklet half at (x, y) in dots at dpi, on a sheet
 * whose printable area paper gives: rect (left, top, right, bottom; y up) the page's
 * rectangle, scaled by bk_ScaleToHalf it fills half of the printable area; size the page's
 * size plus its margins. Each non-zero gutter (0.1 mm) narrows both on the right by its
 * unscaled width. -1 for an empty printable area. */
LONG bk_GetHalfRects(LONG dpi, const PaperRecord *paper, float x, float y, WORD gutter1, WORD gutter2, float rect[4],
                     float size[2]);

/* bk_HalfPageMatrix: out = the matrix followed by the scale from dots at dpiX x dpiY to
 * 1/72 inch, the translation (0, -offset) and the translation to the half origin (x, y).
 * out is written only on success (0); -1 for a missing matrix or resolution. */
LONG bk_HalfPageMatrix(const Matrix2x3 *matrix, Matrix2x3 *out, LONG dpiX, LONG dpiY, float offset, float x, float y);

/* geo_TranslateLocal: moves the matrix's origin by (x, y) in its own (source) units. */
void geo_TranslateLocal(Matrix2x3 *matrix, float x, float y);

#endif /* QM_RENDER_DRIVER_BOOKLET_BOOKLET_H */
