/* The engine objects a printer DC builds for its drawing calls: shape paths, pens, mixes,
 * colours, regions and clips. */
#include <windows.h>
#include <winddi.h>

#include "platform/src/engine/drawing_objects.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

/* One line per run: flags letters, then the points in 28.4. */
std::string Listing(PATHOBJ *ppo)
{
    std::string out;
    PATHOBJ_vEnumStart(ppo);
    PATHDATA pd;
    BOOL more;
    do {
        more = PATHOBJ_bEnum(ppo, &pd);
        if (pd.count == 0)
            break;
        out += (pd.flags & PD_BEGINSUBPATH) ? "B" : "-";
        out += (pd.flags & PD_BEZIERS) ? "Z" : "L";
        out += (pd.flags & PD_ENDSUBPATH) ? "E" : "-";
        out += (pd.flags & PD_CLOSEFIGURE) ? "C" : "-";
        for (ULONG i = 0; i < pd.count; ++i)
            out += " (" + std::to_string(pd.pptfx[i].x) + ", " + std::to_string(pd.pptfx[i].y) + ")";
        out += "\n";
    } while (more);
    return out;
}

std::string Rects(const std::vector<RECTL> &rects)
{
    std::string out;
    for (const RECTL &r : rects)
        out += "[" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
               std::to_string(r.bottom) + ")";
    return out;
}

std::string ClipRects(CLIPOBJ *pco)
{
    struct {
        ULONG c;
        RECTL arcl[8];
    } er;
    std::vector<RECTL> all;
    CLIPOBJ_cEnumStart(pco, TRUE, CT_RECTANGLES, CD_ANY, 0);
    BOOL more;
    do {
        more = CLIPOBJ_bEnum(pco, sizeof(er), reinterpret_cast<ULONG *>(&er));
        all.insert(all.end(), er.arcl, er.arcl + er.c);
    } while (more);
    return Rects(all);
}

} // namespace

/* Rectangle(10, 10, 110, 60) in device pixels is the closed figure through (109, 59). */
TEST(EngineShapes, RectangleAndEllipseFigures)
{
    DWORD paths = qmt_LiveEnginePaths();
    PATHOBJ *ppo = qme::NewEnginePath();
    RECTL box = qme::ShapeBox(POINTL{110, 60}, POINTL{10, 10});
    EXPECT_EQ(Rects({box}), "[10,10,109,59)");
    qme::PathAddRectangle(ppo, box);
    EXPECT_EQ(Listing(ppo), "BLEC (160, 160) (1744, 160) (1744, 944) (160, 944)\n");
    EXPECT_EQ(ppo->cCurves, 3u);
    EXPECT_EQ(ppo->fl & (PO_BEZIERS | PO_ELLIPSE), 0u);
    EngDeletePath(ppo);

    /* A 0..100 x 0..50 box: centre (50, 25), radii 50 and 25, controls 27.614 and 13.807
     * pixels from the axis points. */
    ppo = qme::NewEnginePath();
    qme::PathAddEllipse(ppo, RECTL{0, 0, 100, 50});
    EXPECT_EQ(Listing(ppo),
              "BZEC (1600, 400)"
              " (1600, 179) (1242, 0) (800, 0)"
              " (358, 0) (0, 179) (0, 400)"
              " (0, 621) (358, 800) (800, 800)"
              " (1242, 800) (1600, 621) (1600, 400)\n");
    EXPECT_EQ(ppo->fl & (PO_BEZIERS | PO_ELLIPSE), static_cast<FLONG>(PO_BEZIERS | PO_ELLIPSE));
    EXPECT_EQ(ppo->cCurves, 4u);
    EngDeletePath(ppo);

    /* Figures one after another: a move ends the open one unclosed. */
    ppo = qme::NewEnginePath();
    const POINTFIX line[2] = {{16, 0}, {16, 16}};
    const POINTFIX curve[4] = {{32, 0}, {48, 0}, {64, 16}, {99, 99}}; /* the fourth ignored */
    qme::PathMoveTo(ppo, POINTFIX{0, 0});
    qme::PathLinesTo(ppo, line, 2);
    qme::PathBeziersTo(ppo, curve, 4);
    qme::PathMoveTo(ppo, POINTFIX{5, 5});
    qme::PathLinesTo(ppo, line, 1);
    EXPECT_EQ(Listing(ppo),
              "BL-- (0, 0) (16, 0) (16, 16)\n"
              "-ZE- (32, 0) (48, 0) (64, 16)\n"
              "BL-- (5, 5) (16, 0)\n");
    EngDeletePath(ppo);
    EXPECT_EQ(qmt_LiveEnginePaths(), paths);
}

TEST(EnginePens, CosmeticAndGeometric)
{
    const struct {
        DWORD style;
        double width;
        FLONG fl;
        std::vector<LONG> units;
    } cosmetic[] = {
        {PS_SOLID, 0, 0, {}},
        {PS_SOLID, 1.0, 0, {}},
        {PS_DASH, 0, LA_STYLED, {3, 1}},
        {PS_DOT, 0.5, LA_STYLED, {1, 1}},
        {PS_DASHDOT, 1, LA_STYLED, {3, 1, 1, 1}},
        {PS_DASHDOTDOT, 0, LA_STYLED, {3, 1, 1, 1, 1, 1}},
        {PS_ALTERNATE, 0, LA_ALTERNATE, {}},
        {PS_INSIDEFRAME, 1, 0, {}},
    };
    for (const auto &c : cosmetic) {
        qme::LineAttrs pen, copy;
        ASSERT_TRUE(qme::MakeLineAttrs(c.style, c.width, &pen)) << c.style;
        qme::CopyLineAttrs(pen, &copy);
        EXPECT_EQ(copy.la.fl, c.fl) << c.style;
        EXPECT_EQ(copy.la.elWidth.l, 1) << c.style;
        ASSERT_EQ(copy.la.cstyle, c.units.size()) << c.style;
        EXPECT_EQ(copy.la.pstyle != nullptr, !c.units.empty()) << c.style;
        if (copy.la.pstyle) {
            EXPECT_EQ(copy.la.pstyle, copy.style); /* the copy's own array */
        }
        for (size_t i = 0; i < c.units.size(); ++i)
            EXPECT_EQ(copy.la.pstyle[i].l, c.units[i]) << c.style << " " << i;
    }

    qme::LineAttrs pen;
    /* Wider than a pixel: geometric, solid, round join and cap as CreatePen makes it. */
    ASSERT_TRUE(qme::MakeLineAttrs(PS_DASH, 4.5, &pen));
    EXPECT_EQ(pen.la.fl, static_cast<FLONG>(LA_GEOMETRIC));
    EXPECT_EQ(pen.la.elWidth.e, 4.5f);
    EXPECT_EQ(pen.la.iJoin, static_cast<ULONG>(JOIN_ROUND));
    EXPECT_EQ(pen.la.iEndCap, static_cast<ULONG>(ENDCAP_ROUND));
    EXPECT_EQ(pen.la.cstyle, 0u);
    /* PS_GEOMETRIC at any width, with its join and cap. */
    ASSERT_TRUE(qme::MakeLineAttrs(PS_GEOMETRIC | PS_JOIN_MITER | PS_ENDCAP_FLAT, 1.0, &pen));
    EXPECT_EQ(pen.la.fl, static_cast<FLONG>(LA_GEOMETRIC));
    EXPECT_EQ(pen.la.iJoin, static_cast<ULONG>(JOIN_MITER));
    EXPECT_EQ(pen.la.iEndCap, static_cast<ULONG>(ENDCAP_BUTT));
    ASSERT_TRUE(qme::MakeLineAttrs(PS_GEOMETRIC | PS_JOIN_BEVEL | PS_ENDCAP_SQUARE, 3, &pen));
    EXPECT_EQ(pen.la.iJoin, static_cast<ULONG>(JOIN_BEVEL));
    EXPECT_EQ(pen.la.iEndCap, static_cast<ULONG>(ENDCAP_SQUARE));

    EXPECT_FALSE(qme::MakeLineAttrs(PS_NULL, 1, &pen));
    EXPECT_FALSE(qme::MakeLineAttrs(PS_USERSTYLE, 1, &pen));
    EXPECT_FALSE(qme::MakeLineAttrs(9, 1, &pen));
    EXPECT_FALSE(qme::MakeLineAttrs(PS_SOLID, 1, nullptr));
}

TEST(EngineMixes, MixRop4AndColours)
{
    EXPECT_EQ(qme::MixOf(R2_COPYPEN, false), 0x0D0Du);
    EXPECT_EQ(qme::MixOf(R2_COPYPEN, true), 0x0B0Du);
    EXPECT_EQ(qme::MixOf(R2_XORPEN, false), 0x0707u);
    EXPECT_EQ(qme::Rop4Of(PATCOPY, false), 0xF0F0u);
    EXPECT_EQ(qme::Rop4Of(PATCOPY, true), 0xAAF0u);
    EXPECT_EQ(qme::Rop4Of(SRCCOPY, false), 0xCCCCu);
    EXPECT_EQ(qme::Rop4Of(SRCAND, false), 0x8888u);
    EXPECT_EQ(qme::Rop4Of(SRCPAINT, false), 0xEEEEu);

    EXPECT_EQ(qme::DeviceColor(RGB(255, 0, 0), PAL_BGR), 0x00FF0000u);
    EXPECT_EQ(qme::DeviceColor(RGB(0x12, 0x34, 0x56), PAL_BGR), 0x00123456u);
    EXPECT_EQ(qme::DeviceColor(RGB(0x12, 0x34, 0x56), PAL_RGB), 0x00563412u);
    EXPECT_EQ(qme::DeviceColor(0xFF000000 | RGB(0, 0, 255), PAL_BGR), 0x000000FFu); /* flags dropped */
}

TEST(EngineRegions, ShapesAndCombinations)
{
    qme::Region a, b, out;
    ASSERT_TRUE(qme::RectRegion(RECTL{10, 20, 0, 0}, &a)); /* corners in any order */
    EXPECT_EQ(Rects(a.rects), "[0,0,10,20)");
    ASSERT_TRUE(qme::RectRegion(RECTL{5, 5, 5, 30}, &b));
    EXPECT_TRUE(b.rects.empty());
    EXPECT_FALSE(qme::RectRegion(RECTL{0, 0, qme::kRegionCoordLimit + 1, 1}, &b));

    /* Two overlapping squares under each operation, as y-bands. */
    ASSERT_TRUE(qme::RectRegion(RECTL{0, 0, 10, 10}, &a));
    ASSERT_TRUE(qme::RectRegion(RECTL{5, 5, 15, 15}, &b));
    const struct {
        int op;
        const char *rects;
    } ops[] = {
        {RGN_AND, "[5,5,10,10)"},
        {RGN_OR, "[0,0,10,5)[0,5,15,10)[5,10,15,15)"},
        {RGN_XOR, "[0,0,10,5)[0,5,5,10)[10,5,15,10)[5,10,15,15)"},
        {RGN_DIFF, "[0,0,10,5)[0,5,5,10)"},
        {RGN_COPY, "[0,0,10,10)"},
    };
    for (const auto &c : ops) {
        ASSERT_TRUE(qme::CombineRegions(a, b, c.op, &out)) << c.op;
        EXPECT_EQ(Rects(out.rects), c.rects) << c.op;
    }
    EXPECT_FALSE(qme::CombineRegions(a, b, 6, &out));
    /* Side by side rectangles join; bands with the same columns merge. */
    ASSERT_TRUE(qme::RectRegion(RECTL{10, 0, 20, 10}, &b));
    ASSERT_TRUE(qme::CombineRegions(a, b, RGN_OR, &out));
    EXPECT_EQ(Rects(out.rects), "[0,0,20,10)");
    qme::OffsetRegion(&out, 3, -2);
    EXPECT_EQ(Rects({qme::RegionBounds(out)}), "[3,-2,23,8)");

    /* A pixel is inside a polygon when its centre is: a right triangle over 4 x 4. */
    const POINTL triangle[3] = {{0, 0}, {4, 0}, {0, 4}};
    ASSERT_TRUE(qme::PolygonRegion(triangle, 3, ALTERNATE, &out));
    EXPECT_EQ(Rects(out.rects), "[0,0,3,1)[0,1,2,2)[0,2,1,3)"); /* centres on the slope are out */

    /* A five-pointed star: the middle is out under ALTERNATE and in under WINDING. */
    const POINTL star[5] = {{50, 0}, {79, 90}, {2, 35}, {98, 35}, {21, 90}};
    qme::Region alt, wind;
    ASSERT_TRUE(qme::PolygonRegion(star, 5, ALTERNATE, &alt));
    ASSERT_TRUE(qme::PolygonRegion(star, 5, WINDING, &wind));
    auto covers = [](const qme::Region &r, LONG x, LONG y) {
        for (const RECTL &rc : r.rects)
            if (x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom)
                return true;
        return false;
    };
    EXPECT_FALSE(covers(alt, 50, 50));
    EXPECT_TRUE(covers(wind, 50, 50));
    EXPECT_TRUE(covers(alt, 50, 10) && covers(wind, 50, 10));
    EXPECT_FALSE(covers(wind, 50, 89));

    /* Two polygons at once; counts below 2 refused. */
    const POINTL squares[8] = {{0, 0}, {2, 0}, {2, 2}, {0, 2}, {4, 0}, {6, 0}, {6, 2}, {4, 2}};
    const INT counts[2] = {4, 4};
    ASSERT_TRUE(qme::PolyPolygonRegion(squares, counts, 2, ALTERNATE, &out));
    EXPECT_EQ(Rects(out.rects), "[0,0,2,2)[4,0,6,2)");
    const INT bad[2] = {4, 1};
    EXPECT_FALSE(qme::PolyPolygonRegion(squares, bad, 2, ALTERNATE, &out));
    EXPECT_FALSE(qme::PolygonRegion(squares, 2, ALTERNATE, &out));
    EXPECT_FALSE(qme::PolygonRegion(squares, 4, 3, &out));
    const POINTL tall[3] = {{0, 0}, {1, 0}, {0, qme::kRegionRowLimit + 1}};
    EXPECT_FALSE(qme::PolygonRegion(tall, 3, ALTERNATE, &out));

    /* An ellipse over 0..8 x 0..4 by pixel centres, symmetric. */
    ASSERT_TRUE(qme::EllipseRegion(RECTL{0, 0, 8, 4}, &out));
    EXPECT_EQ(Rects(out.rects), "[1,0,7,1)[0,1,8,3)[1,3,7,4)");
}

/* DC_TRIVIAL only without clip region and inside the surface; DC_RECT for one rectangle. */
TEST(EngineClips, ComplexityFollowsTheClip)
{
    const SIZEL page = {100, 200};
    qme::Region one, two, far;
    ASSERT_TRUE(qme::RectRegion(RECTL{10, 10, 50, 50}, &one));
    const POINTL squares[8] = {{0, 0}, {20, 0}, {20, 20}, {0, 20}, {40, 0}, {60, 0}, {60, 20}, {40, 20}};
    const INT counts[2] = {4, 4};
    ASSERT_TRUE(qme::PolyPolygonRegion(squares, counts, 2, WINDING, &two));
    ASSERT_TRUE(qme::RectRegion(RECTL{90, 190, 150, 250}, &far));

    const struct {
        const qme::Region *clip;
        RECTL call;
        BYTE complexity;
        const char *rects; /* enumerated */
        const char *bounds;
    } cases[] = {
        {nullptr, {0, 0, 100, 200}, DC_TRIVIAL, "", "[0,0,100,200)"},
        {nullptr, {-5, 0, 10, 10}, DC_RECT, "[0,0,100,200)", "[0,0,100,200)"},
        {&one, {0, 0, 100, 200}, DC_RECT, "[10,10,50,50)", "[10,10,50,50)"},
        {&two, {0, 0, 30, 30}, DC_COMPLEX, "[0,0,20,20)[40,0,60,20)", "[0,0,60,20)"},
        {&far, {0, 0, 100, 200}, DC_RECT, "[90,190,100,200)", "[90,190,100,200)"}, /* cut to the page */
    };
    for (const auto &c : cases) {
        CLIPOBJ *pco = qme::NewEngineClip(c.clip, page, c.call);
        ASSERT_NE(pco, nullptr) << c.rects;
        EXPECT_EQ(pco->iDComplexity, c.complexity) << c.rects;
        EXPECT_EQ(Rects({pco->rclBounds}), c.bounds);
        if (pco->iDComplexity != DC_TRIVIAL) {
            EXPECT_EQ(ClipRects(pco), c.rects);
        }
        qme::DeleteEngineClip(pco);
    }
    /* Nothing to draw: the call off the page, or outside the clip region. */
    EXPECT_EQ(qme::NewEngineClip(nullptr, page, RECTL{100, 0, 120, 10}), nullptr);
    EXPECT_EQ(qme::NewEngineClip(&one, page, RECTL{60, 60, 70, 70}), nullptr);
    qme::Region empty;
    EXPECT_EQ(qme::NewEngineClip(&empty, page, RECTL{0, 0, 10, 10}), nullptr);
}

namespace {

/* A header with room for masks or a 256-entry colour table after it. */
struct DibHeader {
    BITMAPINFOHEADER h;
    DWORD extra[256];
};

DibHeader Header(LONG width, LONG height, WORD bits, DWORD compression = BI_RGB, DWORD used = 0)
{
    DibHeader d = {};
    d.h.biSize = sizeof(BITMAPINFOHEADER);
    d.h.biWidth = width;
    d.h.biHeight = height;
    d.h.biPlanes = 1;
    d.h.biBitCount = bits;
    d.h.biCompression = compression;
    d.h.biClrUsed = used;
    return d;
}

const BITMAPINFO *Info(const DibHeader &d)
{
    return reinterpret_cast<const BITMAPINFO *>(&d);
}

} // namespace

TEST(EngineDibs, HeadersRefusedBeforeAnyPixelIsRead)
{
    DibHeader small = Header(4, 4, 8);
    small.h.biSize = 12;
    const struct {
        const char *what;
        DibHeader header;
        UINT usage;
    } bad[] = {
        {"short header", small, DIB_RGB_COLORS},
        {"width 0", Header(0, 4, 8), DIB_RGB_COLORS},
        {"negative width", Header(-4, 4, 8), DIB_RGB_COLORS},
        {"height 0", Header(4, 0, 8), DIB_RGB_COLORS},
        {"lowest height", Header(4, LONG(0x80000000), 8), DIB_RGB_COLORS},
        {"2 bits", Header(4, 4, 2), DIB_RGB_COLORS},
        {"0 bits", Header(4, 4, 0), DIB_RGB_COLORS},
        {"run-length", Header(4, 4, 8, BI_RLE8), DIB_RGB_COLORS},
        {"bit fields at 24", Header(4, 4, 24, BI_BITFIELDS), DIB_RGB_COLORS},
        {"bit fields at 8", Header(4, 4, 8, BI_BITFIELDS), DIB_RGB_COLORS},
        {"17 colours of 16", Header(4, 4, 4, BI_RGB, 17), DIB_RGB_COLORS},
        {"2^31 bytes", Header(0x20000000, 2, 32), DIB_RGB_COLORS}, /* 64-bit sum: exactly 2^32 */
        {"just 2^31", Header(0x40000000, 1, 16), DIB_RGB_COLORS},
        {"palette indices", Header(4, 4, 8), DIB_PAL_COLORS},
    };
    qme::DibLayout layout;
    for (const auto &c : bad)
        EXPECT_FALSE(qme::ReadDibHeader(Info(c.header), c.usage, &layout)) << c.what;
    EXPECT_FALSE(qme::ReadDibHeader(nullptr, DIB_RGB_COLORS, &layout));
    DibHeader ok = Header(0x1FFFFFFF, 1, 32); /* 2^31 - 4 bytes */
    EXPECT_TRUE(qme::ReadDibHeader(Info(ok), DIB_RGB_COLORS, &layout));
}

/* Every depth in both row orders: the surface lies over the caller's pixels. */
TEST(EngineDibs, SurfacesOverTheImagesOwnPixels)
{
    DWORD surfaces = qmt_LiveSurfaces();
    const struct {
        WORD bits;
        ULONG format;
        ULONG stride; /* for 5 pixels */
    } depths[] = {
        {1, BMF_1BPP, 4},
        {4, BMF_4BPP, 4},
        {8, BMF_8BPP, 8},
        {16, BMF_16BPP, 12},
        {24, BMF_24BPP, 16},
        {32, BMF_32BPP, 20},
    };
    std::vector<BYTE> pixels(20 * 3);
    for (const auto &d : depths) {
        for (LONG height : {3, -3}) {
            DibHeader header = Header(5, height, d.bits);
            qme::DibLayout layout;
            ASSERT_TRUE(qme::ReadDibHeader(Info(header), DIB_RGB_COLORS, &layout)) << d.bits;
            EXPECT_EQ(layout.stride, d.stride) << d.bits;
            EXPECT_EQ(layout.imageBytes, d.stride * 3) << d.bits;
            EXPECT_EQ(layout.topDown, height < 0);
            SURFOBJ *pso = qme::NewDibSurface(layout, pixels.data());
            ASSERT_NE(pso, nullptr) << d.bits;
            EXPECT_EQ(pso->iBitmapFormat, d.format);
            EXPECT_EQ(pso->pvBits, pixels.data());
            if (height < 0) {
                EXPECT_EQ(pso->pvScan0, pixels.data());
                EXPECT_EQ(pso->lDelta, LONG(d.stride));
            } else {
                EXPECT_EQ(pso->pvScan0, pixels.data() + 2 * d.stride); /* the top row is the last */
                EXPECT_EQ(pso->lDelta, -LONG(d.stride));
            }
            qme::DeleteEngineSurface(pso);
        }
    }
    EXPECT_EQ(qmt_LiveSurfaces(), surfaces);
}

TEST(EngineDibs, ColoursTranslateToTheDevicePalette)
{
    /* Two table entries into PAL_BGR and PAL_RGB. */
    DibHeader header = Header(8, 1, 1, BI_RGB, 2);
    header.extra[0] = 0x00112233; /* RGBQUAD: blue 0x33, green 0x22, red 0x11 */
    header.extra[1] = 0x00FFFFFF;
    qme::DibLayout layout;
    ASSERT_TRUE(qme::ReadDibHeader(Info(header), DIB_RGB_COLORS, &layout));
    EXPECT_EQ(layout.colors, 2u);
    XLATEOBJ *xo = qme::NewDibXlate(Info(header), layout, PAL_BGR);
    ASSERT_NE(xo, nullptr);
    EXPECT_EQ(xo->flXlate, static_cast<FLONG>(XO_TABLE));
    EXPECT_EQ(xo->cEntries, 2u);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 0), 0x00112233u);
    qme::DeleteEngineXlate(xo);
    xo = qme::NewDibXlate(Info(header), layout, PAL_RGB);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 0), 0x00332211u);
    qme::DeleteEngineXlate(xo);

    /* 8 bits without a count: 256 entries. 24 bits into PAL_BGR: nothing to translate. */
    header = Header(8, 1, 8);
    ASSERT_TRUE(qme::ReadDibHeader(Info(header), DIB_RGB_COLORS, &layout));
    EXPECT_EQ(layout.colors, 256u);
    header = Header(8, 1, 24);
    ASSERT_TRUE(qme::ReadDibHeader(Info(header), DIB_RGB_COLORS, &layout));
    xo = qme::NewDibXlate(Info(header), layout, PAL_BGR);
    EXPECT_EQ(xo->flXlate, static_cast<FLONG>(XO_TRIVIAL));
    qme::DeleteEngineXlate(xo);

    /* 16 bits: 5-5-5 unless bit fields say otherwise (here 5-6-5). */
    header = Header(8, 1, 16);
    ASSERT_TRUE(qme::ReadDibHeader(Info(header), DIB_RGB_COLORS, &layout));
    xo = qme::NewDibXlate(Info(header), layout, PAL_BGR);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 0x7C00), 0x00FF0000u);
    qme::DeleteEngineXlate(xo);
    header = Header(8, 1, 16, BI_BITFIELDS);
    header.extra[0] = 0xF800;
    header.extra[1] = 0x07E0;
    header.extra[2] = 0x001F;
    ASSERT_TRUE(qme::ReadDibHeader(Info(header), DIB_RGB_COLORS, &layout));
    xo = qme::NewDibXlate(Info(header), layout, PAL_BGR);
    ULONG masks[3];
    ASSERT_EQ(XLATEOBJ_cGetPalette(xo, XO_SRCBITFIELDS, 3, masks), 3u);
    EXPECT_EQ(masks[1], 0x07E0u);
    EXPECT_EQ(XLATEOBJ_iXlate(xo, 0x07E0), 0x0000FF00u);
    qme::DeleteEngineXlate(xo);
}
