/*
 * The faces of a booklet: how many a page range needs, when a set is complete, which page
 * each half of a face holds and how a half is turned.
 */
#include "render/driver/booklet/booklet.h"

/* The mirrored turn code of an odd page, by the mirror flag (clear, set) and the code. */
static const WORD kMirroredTurn[2][4] = {
    {1, 0, 3, 2},
    {3, 2, 1, 0},
};
static const WORD kNoTurn = 4;

WORD bk_CountFaces(LONG first, LONG last, BOOL cover)
{
    if (last < first || first < 0)
        return 0;
    if (cover && first == 0)
        return (WORD)(((last + 6) / 4) * 2 - 1);
    return (WORD)(((last - first + 4) / 4) * 2);
}

int bk_IsSetComplete(LONG first, LONG last, WORD threshold, BOOL cover)
{
    if (threshold == 0)
        return 2;
    LONG needed = 4 * (LONG)threshold;
    if (cover && first == 0)
        needed -= 2;
    return last - first + 1 >= needed ? 1 : 2;
}

WORD bk_GetFacePage(LONG first, LONG last, WORD face, WORD bindingSide, WORD half, BOOL outerFirst, BOOL cover)
{
    LONG faces = bk_CountFaces(first, last, cover);
    if (faces == 0 || face >= faces)
        return BK_PAGE_ERROR;
    LONG i = face;
    bool d = bindingSide == 1;
    bool h = half == 1;
    LONG page;
    if (outerFirst) {
        bool covered = first == 0 && cover && i != 0;
        bool lead = covered != ((i & 1) != 0);
        if ((lead != d) != h)
            page = first + 2 * faces - i - 1;
        else
            page = first + i;
    } else {
        LONG k = i;
        if (first == 0 && faces == i + 1 && cover)
            k++;
        if ((((k & 1) != 0) != d) != h)
            page = first + faces - i - 1;
        else
            page = first + faces + i;
    }
    if (page > last)
        return BK_BLANK_HALF;
    // Pages are 16-bit: the blank marker and the error value are no page.
    if (page >= BK_BLANK_HALF)
        return BK_PAGE_ERROR;
    return (WORD)page;
}

WORD bk_GetHalfTurnCode(WORD page, BOOL flag, WORD code)
{
    if (page & 1)
        return code < 4 ? kMirroredTurn[flag ? 1 : 0][code] : kNoTurn;
    return code <= kNoTurn ? code : kNoTurn;
}
