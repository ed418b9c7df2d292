/*
 * Booklet imposition: face counts, complete sets, the division into sub-booklets and sets,
 * the pages on each face in both face orders, the turn codes and the half scale.
 */
#include "render/driver/booklet/booklet.h"

#include <vector>

#include <gtest/gtest.h>

namespace {

const WORD B = BK_BLANK_HALF;

TEST(BookletFaces, CountsFacesAndCompleteSets)
{
    struct Case {
        LONG first, last;
        BOOL cover;
        WORD faces;
    } counts[] = {
        {0, 7, FALSE, 4},
        {0, 7, TRUE, 5},  // the cover adds a face to a range from page 0
        {8, 15, TRUE, 4}, // but not to a later range
        {0, 0, FALSE, 2},
        {0, 4, FALSE, 4}, // 1 page: one sheet; 5 pages: two sheets
        {0, 8, TRUE, 5},
        {0, 9, TRUE, 5},
        {0, 10, TRUE, 7},
        {5, 4, FALSE, 0},
    };
    for (const Case &c : counts)
        EXPECT_EQ(c.faces, bk_CountFaces(c.first, c.last, c.cover))
            << c.first << ".." << c.last << " cover " << c.cover;

    struct SetCase {
        LONG first, last;
        WORD threshold;
        BOOL cover;
        int answer;
    } sets[] = {
        {0, 100, 0, FALSE, 2}, // threshold 0: never complete
        {0, 7, 2, FALSE, 1},
        {0, 6, 2, FALSE, 2},
        {0, 5, 2, TRUE, 1},
        {0, 4, 2, TRUE, 2}, // a covered set from page 0 is 2 pages short
        {8, 13, 2, TRUE, 2},
        {8, 15, 2, TRUE, 1},
    };
    for (const SetCase &c : sets)
        EXPECT_EQ(c.answer, bk_IsSetComplete(c.first, c.last, c.threshold, c.cover))
            << c.first << ".." << c.last << " threshold " << c.threshold << " cover " << c.cover;
}

TEST(BookletDivide, SubBookletsOfSheets)
{
    struct Case {
        WORD pages;
        BOOL reverse;
        WORD sheets;
        WORD count, base, remainder;
        std::vector<WORD> ranges;
    } cases[] = {
        {40, FALSE, 3, 4, 2, 2, {0, 11, 12, 23, 24, 31, 32, 39}},
        {40, TRUE, 3, 4, 2, 2, {32, 39, 24, 31, 12, 23, 0, 11}},
        {38, FALSE, 3, 4, 2, 2, {0, 11, 12, 23, 24, 31, 32, 37}}, // the last cut at the last page
        {40, FALSE, 0, 1, 10, 0, {0, 39}},                        // 0 sheets: one booklet
        {5, FALSE, 1, 2, 1, 0, {0, 3, 4, 4}},
        {0, FALSE, 3, 0, 0, 0, {}},
    };
    for (const Case &c : cases) {
        BookletDivision only = bk_DivideBooklet(c.pages, c.reverse, c.sheets, NULL);
        EXPECT_EQ(c.count, only.count) << c.pages << " by " << c.sheets;
        std::vector<WORD> ranges(2 * only.count + 2, 0x5555);
        BookletDivision filled = bk_DivideBooklet(c.pages, c.reverse, c.sheets, ranges.data());
        EXPECT_EQ(c.count, filled.count);
        EXPECT_EQ(c.base, filled.sheetsPerBooklet);
        EXPECT_EQ(c.remainder, filled.remainder);
        EXPECT_EQ(c.ranges, std::vector<WORD>(ranges.begin(), ranges.end() - 2)) << c.pages << " by " << c.sheets;
        EXPECT_EQ(0x5555, ranges[2 * only.count]) << "written past the count";
    }
}

TEST(BookletDivide, SetsAtJobEnd)
{
    struct Case {
        WORD pages, threshold;
        BOOL cover, reverse;
        std::vector<WORD> ranges;
    } cases[] = {
        {8, 2, FALSE, FALSE, {0, 7}},
        {9, 2, FALSE, FALSE, {0, 7, 8, 8}},
        {9, 2, FALSE, TRUE, {8, 8, 0, 7}}, // reverse order: the last set first
        {10, 2, TRUE, FALSE, {0, 9}},      // the last set takes the rest
        {14, 2, TRUE, FALSE, {0, 7, 8, 13}},
        {10, 0, FALSE, FALSE, {0, 9}}, // threshold 0: the whole range one booklet
        {0, 2, FALSE, FALSE, {}},
    };
    for (const Case &c : cases) {
        WORD count = bk_CountSets(c.pages, c.threshold, c.cover);
        EXPECT_EQ(c.ranges.size() / 2, count) << c.pages << " pages threshold " << c.threshold;
        std::vector<WORD> ranges(2 * count);
        EXPECT_EQ(count, bk_DivideSets(c.pages, c.threshold, c.cover, c.reverse, ranges.data()));
        EXPECT_EQ(c.ranges, ranges) << c.pages << " pages threshold " << c.threshold;
    }
}

/* The (first half, second half) pages of every face of pages first .. last. */
std::vector<std::pair<WORD, WORD>> Faces(LONG first, LONG last, WORD bindingSide, BOOL outerFirst, BOOL cover)
{
    std::vector<std::pair<WORD, WORD>> faces;
    WORD count = bk_CountFaces(first, last, cover);
    for (WORD i = 0; i < count; i++)
        faces.emplace_back(bk_GetFacePage(first, last, i, bindingSide, 0, outerFirst, cover),
                           bk_GetFacePage(first, last, i, bindingSide, 1, outerFirst, cover));
    return faces;
}

TEST(BookletFacePage, PagesOnEachFace)
{
    struct Case {
        LONG first, last;
        WORD bindingSide;
        BOOL outerFirst, cover;
        std::vector<std::pair<WORD, WORD>> faces;
    } cases[] = {
        {0, 7, 1, TRUE, FALSE, {{7, 0}, {1, 6}, {5, 2}, {3, 4}}},
        {0, 7, 1, FALSE, FALSE, {{3, 4}, {5, 2}, {1, 6}, {7, 0}}},
        {0, 7, 0, TRUE, FALSE, {{0, 7}, {6, 1}, {2, 5}, {4, 3}}},
        {8, 15, 1, TRUE, FALSE, {{15, 8}, {9, 14}, {13, 10}, {11, 12}}}, // a later sub-booklet
        {0, 0, 1, TRUE, FALSE, {{B, 0}, {B, B}}},                        // 1 page: the second face blank
        {0, 0, 0, TRUE, FALSE, {{0, B}, {B, B}}},
        {0, 4, 1, TRUE, FALSE, {{B, 0}, {1, B}, {B, 2}, {3, 4}}}, // 5 pages: three blank halves
        {0, 7, 1, TRUE, TRUE, {{B, 0}, {B, 1}, {2, 7}, {6, 3}, {4, 5}}},
        {0, 7, 1, FALSE, TRUE, {{4, 5}, {6, 3}, {2, 7}, {B, 1}, {B, 0}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.faces, Faces(c.first, c.last, c.bindingSide, c.outerFirst, c.cover))
            << c.first << ".." << c.last << " side " << c.bindingSide << " outer " << c.outerFirst << " cover "
            << c.cover;
}

// Whatever the order, side and cover, every page of the range is on exactly one half and
// every other half is blank.
TEST(BookletFacePage, EveryPageOnceInEveryOrder)
{
    for (LONG first : {0, 12})
        for (LONG pages = 1; pages <= 13; pages++)
            for (WORD side = 0; side < 2; side++)
                for (BOOL outer = 0; outer < 2; outer++)
                    for (BOOL cover = 0; cover < 2; cover++) {
                        LONG last = first + pages - 1;
                        std::vector<int> seen(pages, 0);
                        for (const auto &face : Faces(first, last, side, outer, cover))
                            for (WORD page : {face.first, face.second}) {
                                if (page == B)
                                    continue;
                                ASSERT_GE(page, first);
                                ASSERT_LE(page, last);
                                seen[page - first]++;
                            }
                        EXPECT_EQ(std::vector<int>(pages, 1), seen)
                            << first << ".." << last << " side " << side << " outer " << outer << " cover " << cover;
                    }
}

TEST(BookletFacePage, FaceOutsideTheRangeAndPageLimit)
{
    EXPECT_EQ(BK_PAGE_ERROR, bk_GetFacePage(0, 7, 4, 1, 0, TRUE, FALSE));
    EXPECT_EQ(BK_PAGE_ERROR, bk_GetFacePage(7, 0, 0, 1, 0, TRUE, FALSE));
    // 65436 is the blank marker: a booklet reaching it fails instead of losing the page.
    EXPECT_EQ(65432, bk_GetFacePage(65432, 65439, 0, 0, 0, TRUE, FALSE));
    EXPECT_EQ(BK_PAGE_ERROR, bk_GetFacePage(65432, 65439, 0, 0, 1, TRUE, FALSE));
    EXPECT_EQ(65435, bk_GetFacePage(65432, 65435, 0, 0, 1, TRUE, FALSE));
}

TEST(BookletHalf, TurnCodes)
{
    struct Case {
        WORD page;
        BOOL flag;
        WORD codes[6]; // for codes 0..5
    } cases[] = {
        {1, TRUE, {3, 2, 1, 0, 4, 4}},
        {3, FALSE, {1, 0, 3, 2, 4, 4}},
        {0, TRUE, {0, 1, 2, 3, 4, 4}},
        {2, FALSE, {0, 1, 2, 3, 4, 4}},
    };
    for (const Case &c : cases)
        for (WORD code = 0; code < 6; code++)
            EXPECT_EQ(c.codes[code], bk_GetHalfTurnCode(c.page, c.flag, code))
                << "page " << c.page << " flag " << c.flag << " code " << code;
}

TEST(BookletHalf, ScaleAndTenthMillimetres)
{
    struct Case {
        float width, height, scale;
    } cases[] = {
        {4960, 7016, 4960.0f / 7016}, // A4 upright at 600 dpi: limited by the width
        {7016, 4960, 0.5f * 4960 / 7016},
        {100, 200, 0.5f},
        {0, 200, 0},
        {100, 0, 0},
    };
    for (const Case &c : cases) {
        float scale = -1;
        bk_ScaleToHalf(&scale, c.width, c.height);
        EXPECT_FLOAT_EQ(c.scale, scale) << c.width << " x " << c.height;
    }
    bk_ScaleToHalf(NULL, 1, 1);

    float dots = 0;
    bk_TenthMmToDots(254, &dots, 600);
    EXPECT_NEAR(600.0f, dots, 0.001f);
    bk_TenthMmToDots(2100, &dots, 600);
    EXPECT_NEAR(4960.63f, dots, 0.01f);
    bk_TenthMmToDots(4200, &dots, 2400);
    EXPECT_NEAR(39685.04f, dots, 0.1f);
}

} // namespace
