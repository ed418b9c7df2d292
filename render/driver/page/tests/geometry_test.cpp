/*
 * Matrices, unit conversions and the placement of logical pages in their N-up cells.
 */
#include "render/driver/page/page_setup.h"

#include <cmath>
#include <cstring>
#include <memory>
#include <set>
#include <utility>

#include <gtest/gtest.h>

#include "render/driver/page/nup_grid.h"
#include "render/pdl/writer/matrix2x3.h"

namespace {

const float kPoints = 72.0f / 254.0f;

struct Box {
    float x0, y0, x1, y1;
};

void Apply(const Matrix2x3 &m, float x, float y, float *ox, float *oy)
{
    *ox = x * m.a + y * m.c + m.e;
    *oy = x * m.b + y * m.d + m.f;
}

PaperRecord Paper(WORD width, WORD length)
{
    PaperRecord paper = {};
    paper.width = width;
    paper.length = length;
    return paper;
}

// The page's corners under the placement, as a box.
Box Placed(const Matrix2x3 &m, const PaperRecord &page)
{
    Box box = {1e9f, 1e9f, -1e9f, -1e9f};
    for (float x : {0.0f, page.width * kPoints})
        for (float y : {0.0f, page.length * kPoints}) {
            float px, py;
            Apply(m, x, y, &px, &py);
            box.x0 = std::fmin(box.x0, px);
            box.y0 = std::fmin(box.y0, py);
            box.x1 = std::fmax(box.x1, px);
            box.y1 = std::fmax(box.y1, py);
        }
    return box;
}

PageBlock Layout(LONG pages, LONG order, BOOL turned, const PaperRecord &page)
{
    PageBlock block = {};
    block.output = Paper(2100, 2970);
    block.page = page;
    block.pagesPerSheet = pages;
    block.setting264 = order;
    block.turnFlag = turned;
    block.scale = 100;
    NupGridHead grid = {};
    jc_SetNupGrid(&grid, (WORD)pages);
    block.columns = grid.columns;
    block.rows = grid.rows;
    return block;
}

Box Cell(const PageBlock &block, LONG row, LONG column)
{
    float w = block.output.width * kPoints / block.columns, h = block.output.length * kPoints / block.rows;
    return Box{column * w, row * h, (column + 1) * w, (row + 1) * h};
}

TEST(Geometry, ComposeWithIdentityOnEitherSide)
{
    Matrix2x3 m = {2, 0.5f, -1, 3, 10, -20}, identity, out;
    geo_Identity(&identity);
    geo_Compose(&identity, &out, &m);
    EXPECT_EQ(0, memcmp(&out, &m, sizeof m));
    geo_Compose(&m, &out, &identity);
    EXPECT_EQ(0, memcmp(&out, &m, sizeof m));
    // Inner first: a move then a doubling moves twice as far.
    Matrix2x3 move, twice;
    geo_Translate(&move, 5, 0);
    geo_ScaleAxes(&twice, 2, 2);
    geo_Compose(&twice, &out, &move);
    EXPECT_FLOAT_EQ(out.e, 10);
}

TEST(Geometry, DeviceMatrixTurnsAtThePaperLength)
{
    auto pdev = std::make_unique<PDEV>();
    pdev->job.setup.page.page = Paper(2100, 2970);
    Matrix2x3 identity, device;
    geo_Identity(&identity);
    ASSERT_EQ(geo_ToDeviceMatrix(&device, pdev.get(), &identity), 0);
    float x, y;
    Apply(device, 72, 0, &x, &y);
    EXPECT_FLOAT_EQ(x, 600) << "600 dpi when the resolution is not set";
    EXPECT_NEAR(y, 2970 * 600 / 254.0, 1e-2) << "y = 0 is the bottom edge of the paper";
    pdev->job.setup.resolutionY = 300;
    ASSERT_EQ(geo_ToDeviceMatrix(&device, pdev.get(), &identity), 0);
    Apply(device, 0, 72, &x, &y);
    EXPECT_NEAR(y, 2970 * 300 / 254.0 - 300, 1e-2);
    EXPECT_EQ(geo_ToDeviceMatrix(&device, nullptr, &identity), -1);
}

TEST(Geometry, UnitConversions)
{
    const struct {
        DWORD dots;
        int tenths;
    } cases[] = {{18432, 254}, {36, 0}, {37, 1}, {152390, 2100}, {0xFFFFFFFF, 59186290}};
    for (const auto &c : cases)
        EXPECT_EQ(geo_Dots18432ToTenthMm(c.dots), c.tenths) << c.dots;
    EXPECT_FLOAT_EQ(geo_TenthMmToDots(2540, 600), 6000);
    EXPECT_EQ(geo_TenthMmToDotsInt(2970, 600), 7015);
}

TEST(Geometry, PlacementRefusesBadArguments)
{
    PageBlock block = Layout(4, 3, FALSE, Paper(2100, 2970));
    Matrix2x3 m;
    EXPECT_EQ(geo_PlaceChecked(nullptr, &m, &block, 31, 1), 0);
    EXPECT_EQ(geo_PlaceChecked(nullptr, &m, &block, 32, 0), -1);
    EXPECT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, 2), -1);
    EXPECT_EQ(geo_PlaceChecked(nullptr, &m, &block, -1, 0), -1);
    EXPECT_EQ(geo_PlaceChecked(nullptr, nullptr, &block, 0, 0), -1);
    EXPECT_EQ(geo_PlaceChecked(nullptr, &m, nullptr, 0, 0), -1);
    block.output.width = 0;
    EXPECT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, 0), -1) << "no paper read yet";
}

TEST(Geometry, OnePageOnItsOwnPaperIsTheIdentity)
{
    PaperRecord a4 = Paper(2100, 2970);
    a4.marginLeft = a4.marginRight = 42;
    a4.marginTop = a4.marginBottom = 50;
    PageBlock block = Layout(1, 0, FALSE, a4);
    block.output = a4;
    Matrix2x3 m;
    ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, 0), 0);
    const float expected[6] = {1, 0, 0, 1, 0, 0};
    const float *got = &m.a;
    for (int i = 0; i < 6; ++i)
        EXPECT_NEAR(got[i], expected[i], 1e-4) << i;
}

// A landscape page draws on its upright paper turned: its left edge lands on the
// sheet's top and the page fills the sheet.
TEST(Geometry, LandscapePageTurnsOntoItsSheet)
{
    PageBlock block = Layout(1, 0, TRUE, Paper(2100, 2970));
    block.turned = 1;
    Matrix2x3 m;
    ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, 0), 0);
    float width = 2970 * kPoints, length = 2100 * kPoints; // the drawing area
    float x, y;
    Apply(m, 0, length / 2, &x, &y);
    EXPECT_NEAR(y, 2970 * kPoints, 0.01f) << "left edge on top";
    EXPECT_NEAR(x, 1050 * kPoints, 0.01f);
    Apply(m, width, length, &x, &y);
    EXPECT_NEAR(x, 2100 * kPoints, 0.01f) << "top right corner at the sheet's bottom right";
    EXPECT_NEAR(y, 0, 0.01f);
}

// The fitting factor is the smaller ratio of cell to page, or the fixed percentage; no
// square-root-of-two stretch of the cell: Letter turned into half an A4 sheet fits by
// height, 1485 / 2159.
TEST(Geometry, FitFactorIsTheSmallerRatioOrThePercentage)
{
    PageBlock block = Layout(2, 3, TRUE, Paper(2159, 2794));
    ASSERT_EQ(block.columns * block.rows, 2);
    float cellWidth = 2100.0f / block.columns, cellHeight = 2970.0f / block.rows;
    float expected = std::fmin(cellWidth / 2794.0f, cellHeight / 2159.0f);
    EXPECT_NEAR(expected, 1485.0f / 2159.0f, 1e-6f);
    Matrix2x3 m;
    ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, 0), 0);
    EXPECT_NEAR(std::hypot(m.a, m.b), expected, 1e-5f);
    block.scalingOn = 1;
    block.scale = 50;
    ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, 0), 0);
    EXPECT_NEAR(std::hypot(m.a, m.b), 0.5f, 1e-5f);
}

TEST(Geometry, OrderTypes)
{
    const struct {
        LONG pages, order;
        BOOL turned;
        int type;
    } cases[] = {{1, 3, TRUE, 4},
                 {2, 3, TRUE, 1},
                 {2, 5, TRUE, 5},
                 {2, 4, FALSE, 5},
                 {2, 6, FALSE, 1},
                 {4, 3, TRUE, 1},
                 {4, 4, TRUE, 0},
                 {4, 5, TRUE, 5},
                 {4, 6, TRUE, 4},
                 {8, 3, FALSE, 4},
                 {8, 4, FALSE, 5},
                 {8, 5, FALSE, 6},
                 {8, 6, FALSE, 7},
                 {16, 1, FALSE, 4},
                 {32, 0, TRUE, 1}};
    for (const auto &c : cases)
        EXPECT_EQ(geo_GetOrderType(c.pages, c.order, c.turned), c.type) << c.pages << "/" << c.order << "/" << c.turned;
}

// Every page of every layout lands inside a cell of its own, filling it along one side.
TEST(Geometry, EachPageInItsOwnCell)
{
    for (LONG pages : {2, 4, 8, 16, 32})
        for (LONG order = 3; order <= 6; ++order)
            for (BOOL turned : {FALSE, TRUE}) {
                PageBlock block = Layout(pages, order, turned, Paper(2159, 2794));
                std::set<std::pair<LONG, LONG>> used;
                for (LONG i = 0; i < pages; ++i) {
                    Matrix2x3 m;
                    ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, i, 0), 0);
                    Box box = Placed(m, block.page);
                    float cx = (box.x0 + box.x1) / 2, cy = (box.y0 + box.y1) / 2;
                    LONG column = (LONG)(cx / (block.output.width * kPoints / block.columns));
                    LONG row = (LONG)(cy / (block.output.length * kPoints / block.rows));
                    Box cell = Cell(block, row, column);
                    const char *where = "page outside its cell";
                    EXPECT_GE(box.x0, cell.x0 - 0.01f) << where << pages << "/" << order << "/" << turned << "/" << i;
                    EXPECT_LE(box.x1, cell.x1 + 0.01f) << where << pages << "/" << order << "/" << turned << "/" << i;
                    EXPECT_GE(box.y0, cell.y0 - 0.01f) << where << pages << "/" << order << "/" << turned << "/" << i;
                    EXPECT_LE(box.y1, cell.y1 + 0.01f) << where << pages << "/" << order << "/" << turned << "/" << i;
                    bool fills = std::fabs((box.x1 - box.x0) - (cell.x1 - cell.x0)) < 0.01f ||
                                 std::fabs((box.y1 - box.y0) - (cell.y1 - cell.y0)) < 0.01f;
                    EXPECT_TRUE(fills) << pages << "/" << order << "/" << turned << "/" << i;
                    EXPECT_TRUE(used.insert({row, column}).second) << "two pages in one cell";
                }
            }
}

// The sequence of the cells on a 2 x 2 sheet, rows counted from the bottom.
TEST(Geometry, CellSequenceFollowsTheOrderType)
{
    using Cells = std::vector<std::pair<LONG, LONG>>; // row, column
    const struct {
        LONG order;
        BOOL turned;
        Cells cells;
    } cases[] = {
        {3, FALSE, {{1, 0}, {1, 1}, {0, 0}, {0, 1}}}, // type 4
        {4, FALSE, {{1, 0}, {0, 0}, {1, 1}, {0, 1}}}, // type 5
        {5, FALSE, {{1, 1}, {1, 0}, {0, 1}, {0, 0}}}, // type 6
        {6, FALSE, {{1, 1}, {0, 1}, {1, 0}, {0, 0}}}, // type 7
        {3, TRUE, {{0, 0}, {1, 0}, {0, 1}, {1, 1}}},  // type 1
        {4, TRUE, {{0, 0}, {0, 1}, {1, 0}, {1, 1}}},  // type 0
        {1, FALSE, {{1, 0}, {1, 1}, {0, 0}, {0, 1}}}, // as order 3
    };
    for (const auto &c : cases) {
        PageBlock block = Layout(4, c.order, c.turned, Paper(2100, 2970));
        for (LONG i = 0; i < 8; ++i) {
            Matrix2x3 m;
            ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, i, 0), 0);
            Box box = Placed(m, block.page);
            auto expected = c.cells[(size_t)(i % 4)];
            Box cell = Cell(block, expected.first, expected.second);
            bool inside = box.x0 >= cell.x0 - 0.01f && box.x1 <= cell.x1 + 0.01f && box.y0 >= cell.y0 - 0.01f &&
                          box.y1 <= cell.y1 + 0.01f;
            EXPECT_TRUE(inside) << c.order << "/" << c.turned << "/" << i;
        }
    }
}

// Alignment codes 0-4 put the page against the cell's edges; on a back side of a
// two-sided layout the code is mirrored about the binding edge.
TEST(Geometry, AlignmentAndBackSideMirroring)
{
    enum Edge { LOW, HIGH, MID };
    const struct {
        BOOL turned;
        LONG duplex, side, code;
        Edge x, y;
    } cases[] = {
        {FALSE, 0, 0, 0, LOW, HIGH},
        {FALSE, 0, 0, 1, HIGH, HIGH},
        {FALSE, 0, 0, 2, HIGH, LOW},
        {FALSE, 0, 0, 3, LOW, LOW},
        {FALSE, 0, 0, 4, MID, MID},
        {TRUE, 0, 0, 0, LOW, LOW},
        {TRUE, 0, 0, 1, LOW, HIGH},
        {TRUE, 0, 0, 2, HIGH, HIGH},
        {TRUE, 0, 0, 3, HIGH, LOW},
        {TRUE, 0, 0, 4, MID, MID},
        // back sides: long edge upright mirrors left and right, short edge top and bottom
        {FALSE, 2, 1, 0, HIGH, HIGH},
        {FALSE, 2, 1, 2, LOW, LOW},
        {FALSE, 1, 1, 0, LOW, LOW},
        {FALSE, 1, 1, 1, HIGH, LOW},
        {TRUE, 1, 1, 0, LOW, HIGH},
        {TRUE, 2, 1, 0, HIGH, LOW},
        {FALSE, 2, 1, 4, MID, MID},
        {FALSE, 0, 1, 1, HIGH, HIGH},
    };
    for (const auto &c : cases) {
        // A page at half its size leaves free space on both axes of its cell.
        PageBlock block = Layout(4, 3, c.turned, Paper(1000, 1000));
        block.scalingOn = 1;
        block.scale = 50;
        block.setting382 = c.code;
        block.duplex = c.duplex;
        Matrix2x3 m;
        ASSERT_EQ(geo_PlaceChecked(nullptr, &m, &block, 0, c.side), 0);
        Box box = Placed(m, block.page);
        auto cellIndex = c.turned ? std::make_pair(0, 0) : std::make_pair(1, 0);
        Box cell = Cell(block, cellIndex.first, cellIndex.second);
        auto at = [](Edge edge, float low, float high, float cellLow, float cellHigh) {
            if (edge == LOW)
                return std::fabs(low - cellLow) < 0.01f;
            if (edge == HIGH)
                return std::fabs(high - cellHigh) < 0.01f;
            return std::fabs((low + high) - (cellLow + cellHigh)) < 0.01f;
        };
        EXPECT_TRUE(at(c.x, box.x0, box.x1, cell.x0, cell.x1)) << c.turned << "/" << c.duplex << "/" << c.code;
        EXPECT_TRUE(at(c.y, box.y0, box.y1, cell.y0, cell.y1)) << c.turned << "/" << c.duplex << "/" << c.code;
    }
}

} // namespace
