/*
 * Dividing a long booklet job: into sub-booklets of a number of sheets, or at job end into
 * sets of a number of sheets' pages.
 */
#include "render/driver/booklet/booklet.h"

/* Writes range number index (0 the first in page order) of count into ranges, from the
 * array's end when reverse is set. */
static void divide_PutRange(WORD *ranges, WORD count, WORD index, BOOL reverse, LONG first, LONG last)
{
    WORD slot = reverse ? (WORD)(count - 1 - index) : index;
    ranges[2 * slot] = (WORD)first;
    ranges[2 * slot + 1] = (WORD)last;
}

BookletDivision bk_DivideBooklet(WORD pages, BOOL reverse, WORD sheetsPerBooklet, WORD *ranges)
{
    BookletDivision division = {0, 0, 0};
    LONG sheets = ((LONG)pages + 3) / 4;
    if (sheets == 0)
        return division;
    // No sheet count makes the whole job one booklet.
    LONG count = sheetsPerBooklet == 0 ? 1 : (sheets + sheetsPerBooklet - 1) / sheetsPerBooklet;
    division.count = (WORD)count;
    division.sheetsPerBooklet = (WORD)(sheets / count);
    division.remainder = (WORD)(sheets % count);
    if (ranges == NULL)
        return division;
    LONG first = 0;
    for (LONG i = 0; i < count; i++) {
        LONG own = division.sheetsPerBooklet + (i < division.remainder ? 1 : 0);
        LONG last = first + 4 * own - 1;
        if (last > (LONG)pages - 1)
            last = (LONG)pages - 1;
        divide_PutRange(ranges, division.count, (WORD)i, reverse, first, last);
        first += 4 * own;
    }
    return division;
}

WORD bk_CountSets(WORD pages, WORD threshold, BOOL cover)
{
    if (pages == 0)
        return 0;
    if (threshold == 0)
        return 1;
    LONG size = 4 * (LONG)threshold;
    return (WORD)(((LONG)pages + size + (cover ? 0 : 2) - 3) / size);
}

WORD bk_DivideSets(WORD pages, WORD threshold, BOOL cover, BOOL reverse, WORD *ranges)
{
    WORD count = bk_CountSets(pages, threshold, cover);
    if (ranges == NULL)
        return count;
    LONG size = 4 * (LONG)threshold;
    for (WORD i = 0; i < count; i++) {
        LONG first = i * size;
        LONG last = i + 1 == count ? (LONG)pages - 1 : first + size - 1;
        divide_PutRange(ranges, count, i, reverse, first, last);
    }
    return count;
}
