/*
 * Drawing on printer DCs of CreateDCW: what the render driver receives for each drawing
 * call (paths, clips, pens, brushes, mixes, transforms), calls refused unsent when the
 * driver lacks a hook or capability, the stroke-and-fill retry, bad input, and nothing left
 * behind.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <qmhost.h>
#include <winspool.h>

#include <functional>
#include <initializer_list>
#include <string.h>
#include <string>

#include "platform/src/gdi/tests/recording_driver.h"
#include "platform/testing/qm_testing_engine.h"
#include "platform/testing/qm_testing_icons.h"

namespace {

const WCHAR kPrinter[] = TEXT("Recording Printer");

const FLONG kAllCaps = GCAPS_BEZIERS | GCAPS_ALTERNATEFILL | GCAPS_WINDINGFILL | GCAPS_GEOMETRICWIDE;
const FLONG kAllHooks = HOOK_STROKEPATH | HOOK_FILLPATH | HOOK_STROKEANDFILLPATH | HOOK_BITBLT | HOOK_COPYBITS |
                        HOOK_STRETCHBLT | HOOK_STRETCHBLTROP;

std::u16string ProgramDirectory()
{
    WCHAR self[MAX_PATH] = {};
    GetModuleFileNameW(NULL, self, MAX_PATH);
    std::u16string path(self);
    return path.substr(0, path.find_last_of(u'\\') + 1);
}

struct LiveCounts {
    DWORD surfaces, palettes, paths, rbrushes, pens, brushes, regions, dcs;
    bool operator==(const LiveCounts &o) const
    {
        return surfaces == o.surfaces && palettes == o.palettes && paths == o.paths && rbrushes == o.rbrushes &&
               pens == o.pens && brushes == o.brushes && regions == o.regions && dcs == o.dcs;
    }
};

LiveCounts CountLive()
{
    return {qmt_LiveSurfaces(),
            qmt_LivePalettes(),
            qmt_LiveEnginePaths(),
            qmt_LiveRealizedBrushes(),
            qmt_LiveGdiObjects(7),
            qmt_LiveGdiObjects(8),
            qmt_LiveGdiObjects(QMT_GDI_REGION),
            qmt_LiveGdiObjects(QMT_GDI_PRINTER_DC)};
}

class PrinterDrawing : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::u16string driver = ProgramDirectory() + REC_MODULE_NAME;
        module_ = LoadLibraryW((LPCWSTR)driver.c_str());
        ASSERT_NE(module_, nullptr);
        setup_ = (REC_SETUP_PROC)(void *)GetProcAddress(module_, "rec_Setup");
        takeLog_ = (REC_TAKE_LOG_PROC)(void *)GetProcAddress(module_, "rec_TakeLog");
        ASSERT_TRUE(setup_ && takeLog_);
        QMH_PRINTER_SETUP printer = {kPrinter,
                                     TEXT("LPT1:"),
                                     TEXT("Recording Driver"),
                                     (LPCWSTR)driver.c_str(),
                                     TEXT("C:\\recording.ddd"),
                                     TEXT("C:\\recording_ui.dll"),
                                     NULL,
                                     NULL,
                                     0};
        ASSERT_TRUE(qmh_InstallPrinter(&printer)) << GetLastError();
        start_ = CountLive();
    }
    void TearDown() override
    {
        EXPECT_TRUE(CountLive() == start_) << "something the calls made was left behind";
        FreeLibrary(module_);
    }

    /* A DC of the recording printer whose driver announces `caps` and hooks `hooks`. */
    HDC Create(FLONG caps = kAllCaps, FLONG hooks = kAllHooks, BOOL strokeAndFill = TRUE)
    {
        REC_SETUP s = {caps, hooks, PAL_BGR, 600, strokeAndFill};
        setup_(&s);
        HDC dc = CreateDCW(TEXT("WINSPOOL"), kPrinter, NULL, NULL);
        takeLog_();
        return dc;
    }

    std::string Log()
    {
        return takeLog_();
    }

    /* Draws each case on a new DC and compares what the driver received. */
    template <size_t N, typename Case> void RunCases(const Case (&cases)[N])
    {
        for (const Case &c : cases) {
            HDC dc = Create();
            ASSERT_NE(dc, nullptr) << c.name;
            EXPECT_TRUE(c.draw(dc)) << c.name;
            EXPECT_EQ(Log(), c.expected) << c.name;
            DeleteDC(dc);
        }
    }

    HMODULE module_ = NULL;
    REC_SETUP_PROC setup_ = NULL;
    REC_TAKE_LOG_PROC takeLog_ = NULL;
    LiveCounts start_;
};

struct DrawingCase {
    const char *name;
    std::function<BOOL(HDC)> draw;
    const char *expected;
};

/* Selects a new object, draws, and deletes what it made after restoring the defaults. */
BOOL WithObjects(HDC dc, HGDIOBJ pen, HGDIOBJ brush, const std::function<BOOL(HDC)> &draw)
{
    HGDIOBJ oldPen = pen ? SelectObject(dc, pen) : NULL;
    HGDIOBJ oldBrush = brush ? SelectObject(dc, brush) : NULL;
    BOOL done = draw(dc);
    if (oldPen) {
        SelectObject(dc, oldPen);
        DeleteObject(pen);
    }
    if (oldBrush) {
        SelectObject(dc, oldBrush);
        DeleteObject(brush);
    }
    return done;
}

TEST_F(PrinterDrawing, EachCallReachesTheDriverWithItsObjects)
{
    const DrawingCase cases[] = {
        {"rectangle, red brush, 1-pixel black pen",
         [](HDC dc) {
             return WithObjects(dc, CreatePen(PS_SOLID, 1, RGB(0, 0, 0)), CreateSolidBrush(RGB(255, 0, 0)), [](HDC d) {
                 return Rectangle(d, 10, 10, 110, 60);
             });
         },
         "DrvStrokeAndFillPath M(160, 160) L(1744, 160) (1744, 944) (160, 944) close; clip trivial; pen cosmetic "
         "0x00000000; fill 0x00FF0000; mix 0x0D0D; alternate; xform [1 0 0 1 0 0]\n"},
        {"one inch square under MM_LOMETRIC at 600 dpi, null pen",
         [](HDC dc) {
             SetMapMode(dc, MM_LOMETRIC);
             return WithObjects(
                 dc, GetStockObject(NULL_PEN), NULL, [](HDC d) { return Rectangle(d, 0, 0, 254, -254); });
         },
         "DrvFillPath M(0, 0) L(9584, 0) (9584, 9584) (0, 9584) close; clip trivial; fill 0x00FFFFFF; mix 0x0D0D; "
         "alternate\n"},
        {"lines from the current position, dashed",
         [](HDC dc) {
             return WithObjects(dc, CreatePen(PS_DASH, 0, RGB(0, 0, 255)), NULL, [](HDC d) {
                 MoveToEx(d, 5, 6, NULL);
                 POINT to[2] = {{20, 6}, {20, 30}};
                 POINT at = {};
                 BOOL done = PolylineTo(d, to, 2) && GetCurrentPositionEx(d, &at);
                 return done && at.x == 20 && at.y == 30;
             });
         },
         "DrvStrokePath M(80, 96) L(320, 96) (320, 480); clip trivial; pen cosmetic style 3 1 0x000000FF; mix 0x0D0D; "
         "xform [1 0 0 1 0 0]\n"},
        {"a wide pen under XOR, a Bezier curve (its width reaches past the page)",
         [](HDC dc) {
             SetROP2(dc, R2_XORPEN);
             return WithObjects(dc, CreatePen(PS_SOLID, 8, RGB(0, 128, 0)), NULL, [](HDC d) {
                 POINT pts[4] = {{0, 0}, {10, 20}, {30, 20}, {40, 0}};
                 return PolyBezier(d, pts, 4);
             });
         },
         "DrvStrokePath M(0, 0) B(160, 320) (480, 320) (640, 0); clip rect (0, 0, 5100, 6600); pen geometric 8 join 0 "
         "cap 0 "
         "0x00008000; mix 0x0707; xform [1 0 0 1 0 0]\n"},
        {"a winding star",
         [](HDC dc) {
             SetPolyFillMode(dc, WINDING);
             return WithObjects(dc, GetStockObject(NULL_PEN), GetStockObject(BLACK_BRUSH), [](HDC d) {
                 POINT star[5] = {{50, 0}, {80, 90}, {0, 35}, {100, 35}, {20, 90}};
                 return Polygon(d, star, 5);
             });
         },
         "DrvFillPath M(800, 0) L(1280, 1440) (0, 560) (1600, 560) (320, 1440) close; clip trivial; fill 0x00000000; "
         "mix 0x0D0D; winding\n"},
        {"a transparent hatch: shape and pattern blit",
         [](HDC dc) {
             SetBkMode(dc, TRANSPARENT);
             return WithObjects(dc, GetStockObject(NULL_PEN), CreateHatchBrush(HS_CROSS, RGB(0, 0, 255)), [](HDC d) {
                 return Rectangle(d, 0, 0, 11, 11) && PatBlt(d, 0, 0, 10, 10, PATCOPY);
             });
         },
         "DrvFillPath M(0, 0) L(160, 0) (160, 160) (0, 160) close; clip trivial; fill hatch 4 {0x000000FF, "
         "0x00FFFFFF}; mix 0x0B0D; alternate\n"
         "DrvBitBlt (0, 0, 10, 10); clip trivial; brush hatch 4 {0x000000FF, 0x00FFFFFF}; rop4 0xAAF0\n"},
        {"an opaque pattern blit",
         [](HDC dc) { return PatBlt(dc, 10, 20, -5, 5, DSTINVERT); },
         "DrvBitBlt (5, 20, 10, 25); clip trivial; brush 0x00FFFFFF; rop4 0x5555\n"},
        {"an ellipse",
         [](HDC dc) { return Ellipse(dc, 0, 0, 21, 11); },
         "DrvStrokeAndFillPath M(320, 80) B(320, 36) (248, 0) (160, 0) B(72, 0) (0, 36) (0, 80) B(0, 124) (72, 160) "
         "(160, 160) B(248, 160) (320, 124) (320, 80) close ellipse; clip trivial; pen cosmetic 0x00000000; fill "
         "0x00FFFFFF; mix 0x0D0D; alternate; xform [1 0 0 1 0 0]\n"},
    };
    RunCases(cases);
}

TEST_F(PrinterDrawing, ClipsGoToTheDriverAsBandedRectangles)
{
    const DrawingCase cases[] = {
        {"a rectangle region",
         [](HDC dc) {
             HRGN r = CreateRectRgn(2, 2, 8, 8);
             SelectClipRgn(dc, r);
             DeleteObject(r);
             return PatBlt(dc, 0, 0, 10, 10, PATCOPY);
         },
         "DrvBitBlt (0, 0, 10, 10); clip rect (2, 2, 8, 8); brush 0x00FFFFFF; rop4 0xF0F0\n"},
        {"a rectangle cut out",
         [](HDC dc) {
             IntersectClipRect(dc, 0, 0, 10, 4);
             ExcludeClipRect(dc, 3, 1, 5, 3);
             return PatBlt(dc, 0, 0, 10, 10, PATCOPY);
         },
         "DrvBitBlt (0, 0, 10, 10); clip complex (0, 0, 10, 1) (0, 1, 3, 3) (5, 1, 10, 3) (0, 3, 10, 4); brush "
         "0x00FFFFFF; rop4 0xF0F0\n"},
        {"an elliptic region",
         [](HDC dc) {
             HRGN r = CreateEllipticRgn(0, 0, 4, 4);
             SelectClipRgn(dc, r);
             DeleteObject(r);
             return PatBlt(dc, 0, 0, 10, 10, PATCOPY);
         },
         "DrvBitBlt (0, 0, 10, 10); clip complex (1, 0, 3, 1) (0, 1, 4, 3) (1, 3, 3, 4); brush 0x00FFFFFF; rop4 "
         "0xF0F0\n"},
        {"a clip the call misses draws nothing",
         [](HDC dc) {
             IntersectClipRect(dc, 100, 100, 110, 110);
             return PatBlt(dc, 0, 0, 10, 10, PATCOPY);
         },
         ""},
        {"the clip removed",
         [](HDC dc) {
             IntersectClipRect(dc, 100, 100, 110, 110);
             SelectClipRgn(dc, NULL);
             return PatBlt(dc, 0, 0, 10, 10, PATCOPY);
         },
         "DrvBitBlt (0, 0, 10, 10); clip trivial; brush 0x00FFFFFF; rop4 0xF0F0\n"},
        {"a call over the page's edge",
         [](HDC dc) { return PatBlt(dc, -5, -5, 10, 10, PATCOPY); },
         "DrvBitBlt (-5, -5, 5, 5); clip rect (0, 0, 5100, 6600); brush 0x00FFFFFF; rop4 0xF0F0\n"},
    };
    RunCases(cases);
}

TEST_F(PrinterDrawing, PathsAreRecordedThenDrawnOrClipped)
{
    const DrawingCase cases[] = {
        {"a triangle of lines closed and filled",
         [](HDC dc) {
             BeginPath(dc);
             MoveToEx(dc, 0, 0, NULL);
             LineTo(dc, 10, 0);
             LineTo(dc, 0, 10);
             CloseFigure(dc);
             EndPath(dc);
             return FillPath(dc);
         },
         "DrvFillPath M(0, 0) L(160, 0) (0, 160) close; clip trivial; fill 0x00FFFFFF; mix 0x0D0D; alternate\n"},
        {"two figures stroked, a curve among them",
         [](HDC dc) {
             BeginPath(dc);
             MoveToEx(dc, 0, 0, NULL);
             LineTo(dc, 4, 0);
             POINT curve[3] = {{5, 1}, {6, 2}, {7, 3}};
             PolyBezierTo(dc, curve, 3);
             Rectangle(dc, 10, 10, 12, 12);
             EndPath(dc);
             return StrokePath(dc);
         },
         "DrvStrokePath M(0, 0) L(64, 0) B(80, 16) (96, 32) (112, 48) M(160, 160) L(176, 160) (176, 176) (160, 176) "
         "close; clip trivial; pen cosmetic 0x00000000; mix 0x0D0D; xform [1 0 0 1 0 0]\n"},
        {"nothing is drawn inside the bracket",
         [](HDC dc) { return BeginPath(dc) && Rectangle(dc, 0, 0, 5, 5) && PatBlt(dc, 0, 0, 1, 1, PATCOPY) == TRUE; },
         "DrvBitBlt (0, 0, 1, 1); clip trivial; brush 0x00FFFFFF; rop4 0xF0F0\n"},
        {"the path as the clip",
         [](HDC dc) {
             BeginPath(dc);
             Rectangle(dc, 2, 2, 6, 5);
             EndPath(dc);
             return SelectClipPath(dc, RGN_COPY) && PatBlt(dc, 0, 0, 10, 10, PATCOPY);
         },
         "DrvBitBlt (0, 0, 10, 10); clip rect (2, 2, 5, 4); brush 0x00FFFFFF; rop4 0xF0F0\n"},
        {"a path is used once",
         [](HDC dc) {
             BeginPath(dc);
             Rectangle(dc, 2, 2, 6, 5);
             EndPath(dc);
             return StrokeAndFillPath(dc) && !StrokePath(dc) && GetLastError() == ERROR_CAN_NOT_COMPLETE;
         },
         "DrvStrokeAndFillPath M(32, 32) L(80, 32) (80, 64) (32, 64) close; clip trivial; pen cosmetic 0x00000000; "
         "fill "
         "0x00FFFFFF; mix 0x0D0D; alternate; xform [1 0 0 1 0 0]\n"},
        {"an unfinished path is not drawn",
         [](HDC dc) {
             BeginPath(dc);
             Rectangle(dc, 2, 2, 6, 5);
             return !FillPath(dc) && AbortPath(dc) && !EndPath(dc);
         },
         ""},
    };
    RunCases(cases);
}

/* A DIB of 2 x 2 pixels (2 x 1 for 1 bit) with a colour table of up to four entries
 * {red, blue, green, white}, rows as given in memory order. */
struct Dib {
    BITMAPINFOHEADER header;
    DWORD colors[4];
    BYTE bits[16];
};

Dib MakeDib(WORD bitCount, LONG height, DWORD compression, std::initializer_list<BYTE> bits, DWORD colorsUsed = 0)
{
    Dib d = {};
    d.header.biSize = sizeof(BITMAPINFOHEADER);
    d.header.biWidth = 2;
    d.header.biHeight = height;
    d.header.biPlanes = 1;
    d.header.biBitCount = bitCount;
    d.header.biCompression = compression;
    d.header.biClrUsed = colorsUsed;
    // RGBQUAD: blue, green, red, reserved.
    const DWORD table[4] = {0x00FF0000, 0x000000FF, 0x0000FF00, 0x00FFFFFF};
    memcpy(d.colors, table, sizeof table);
    size_t i = 0;
    for (BYTE b : bits) {
        d.bits[i++] = b;
    }
    return d;
}

int DrawDib(HDC dc, const Dib &d, int x, int y, int w, int h, DWORD rop, UINT usage = DIB_RGB_COLORS)
{
    LONG rows = d.header.biHeight < 0 ? -d.header.biHeight : d.header.biHeight;
    return StretchDIBits(dc, x, y, w, h, 0, 0, 2, rows, d.bits, (const BITMAPINFO *)&d, usage, rop);
}

TEST_F(PrinterDrawing, ImagesReachTheDriverOverTheirOwnPixels)
{
    const DrawingCase cases[] = {
        {"8 bits, bottom-up",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(8, 2, BI_RGB, {2, 3, 0, 0, 0, 1, 0, 0}, 4), 10, 10, 2, 2, SRCCOPY) == 2;
         },
         "DrvCopyBits (10, 10, 12, 12) from (0, 0, 2, 2); source 8bpp 2x2 up; xlate table 4; first 0x00FF0000 last "
         "0x00FFFFFF; clip trivial\n"},
        {"8 bits, top-down",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(8, -2, BI_RGB, {2, 3, 0, 0, 0, 1, 0, 0}, 4), 10, 10, 2, 2, SRCCOPY) == 2;
         },
         "DrvCopyBits (10, 10, 12, 12) from (0, 0, 2, 2); source 8bpp 2x2 down; xlate table 4; first 0x0000FF00 last "
         "0x000000FF; clip trivial\n"},
        {"4 bits, two colours used",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(4, -2, BI_RGB, {0x01, 0, 0, 0, 0x10, 0, 0, 0}, 2), 0, 0, 2, 2, SRCCOPY);
         },
         "DrvCopyBits (0, 0, 2, 2) from (0, 0, 2, 2); source 4bpp 2x2 down; xlate table 2; first 0x00FF0000 last "
         "0x00FF0000; clip trivial\n"},
        {"1 bit",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(1, -2, BI_RGB, {0x40, 0, 0, 0, 0x80, 0, 0, 0}), 0, 0, 2, 2, SRCCOPY);
         },
         "DrvCopyBits (0, 0, 2, 2) from (0, 0, 2, 2); source 1bpp 2x2 down; xlate table 2; first 0x00FF0000 last "
         "0x00FF0000; clip trivial\n"},
        {"16 bits, 5-5-5",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(16, -2, BI_RGB, {0x00, 0x7C, 0, 0, 0, 0, 0x1F, 0x00}), 0, 0, 2, 2, SRCCOPY);
         },
         "DrvCopyBits (0, 0, 2, 2) from (0, 0, 2, 2); source 16bpp 2x2 down; xlate masks; first 0x00FF0000 last "
         "0x000000FF; clip trivial\n"},
        {"24 bits, bottom-up",
         [](HDC dc) {
             return DrawDib(
                 dc, MakeDib(24, 2, BI_RGB, {1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0}), 0, 0, 2, 2, SRCCOPY);
         },
         "DrvCopyBits (0, 0, 2, 2) from (0, 0, 2, 2); source 24bpp 2x2 up; xlate trivial; first 0x00090807 last "
         "0x00060504; clip trivial\n"},
        {"32 bits, top-down",
         [](HDC dc) {
             return DrawDib(
                 dc, MakeDib(32, -2, BI_RGB, {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}), 0, 0, 2, 2, SRCCOPY);
         },
         "DrvCopyBits (0, 0, 2, 2) from (0, 0, 2, 2); source 32bpp 2x2 down; xlate trivial; first 0x00030201 last "
         "0x000C0B0A; clip trivial\n"},
        {"scaled",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(8, 2, BI_RGB, {2, 3, 0, 0, 0, 1, 0, 0}, 4), 0, 0, 4, 6, SRCCOPY);
         },
         "DrvStretchBlt (0, 0, 4, 6) from (0, 0, 2, 2); source 8bpp 2x2 up; xlate table 4; first 0x00FF0000 last "
         "0x00FFFFFF; clip trivial; mode 3\n"},
        {"another raster operation",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(8, 2, BI_RGB, {2, 3, 0, 0, 0, 1, 0, 0}, 4), 0, 0, 2, 2, SRCAND);
         },
         "DrvBitBlt (0, 0, 2, 2) from (0, 0, 2, 2); source 8bpp 2x2 up; xlate table 4; first 0x00FF0000 last "
         "0x00FFFFFF; clip trivial; brush none; rop4 0x8888\n"},
        {"another raster operation, scaled",
         [](HDC dc) {
             return DrawDib(dc, MakeDib(8, 2, BI_RGB, {2, 3, 0, 0, 0, 1, 0, 0}, 4), 0, 0, 4, 4, SRCPAINT);
         },
         "DrvStretchBltROP (0, 0, 4, 4) from (0, 0, 2, 2); source 8bpp 2x2 up; xlate table 4; first 0x00FF0000 last "
         "0x00FFFFFF; clip trivial; mode 3; brush none; rop4 0xEEEE\n"},
        {"a source rectangle beyond the image is cut, the destination in proportion",
         [](HDC dc) {
             Dib d = MakeDib(8, -2, BI_RGB, {2, 3, 0, 0, 0, 1, 0, 0}, 4);
             return StretchDIBits(
                        dc, 0, 0, 8, 4, 0, 0, 4, 2, d.bits, (const BITMAPINFO *)&d, DIB_RGB_COLORS, SRCCOPY) == 2;
         },
         "DrvStretchBlt (0, 0, 4, 4) from (0, 0, 2, 2); source 8bpp 2x2 down; xlate table 4; first 0x0000FF00 last "
         "0x000000FF; clip trivial; mode 3\n"},
        {"a memory DC's bitmap",
         [](HDC dc) {
             HDC memory = CreateCompatibleDC(dc);
             HBITMAP bitmap = CreateCompatibleBitmap(dc, 2, 2);
             HGDIOBJ old = SelectObject(memory, bitmap);
             SetPixel(memory, 0, 0, RGB(255, 0, 0));
             SetPixel(memory, 1, 1, RGB(0, 0, 255));
             BOOL done = BitBlt(dc, 5, 5, 2, 2, memory, 0, 0, SRCCOPY);
             SelectObject(memory, old);
             DeleteObject(bitmap);
             DeleteDC(memory);
             return done;
         },
         "DrvCopyBits (5, 5, 7, 7) from (0, 0, 2, 2); source 32bpp 2x2 down; xlate trivial; first 0x00FF0000 last "
         "0x000000FF; clip trivial\n"},
    };
    RunCases(cases);
}

TEST_F(PrinterDrawing, BrokenImagesFailBeforeTheDriver)
{
    const struct {
        const char *name;
        Dib dib;
        UINT usage;
    } cases[] = {
        {"2 bits a pixel", MakeDib(2, 2, BI_RGB, {}), DIB_RGB_COLORS},
        {"run-length coded", MakeDib(8, 2, 1 /* BI_RLE8 */, {}), DIB_RGB_COLORS},
        {"bit fields at 8 bits", MakeDib(8, 2, BI_BITFIELDS, {}), DIB_RGB_COLORS},
        {"more colours used than 2^bits", MakeDib(1, 2, BI_RGB, {}, 3), DIB_RGB_COLORS},
        {"height 0", MakeDib(8, 0, BI_RGB, {}), DIB_RGB_COLORS},
        {"palette indices", MakeDib(8, 2, BI_RGB, {}, 4), DIB_PAL_COLORS},
    };
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    for (const auto &c : cases) {
        EXPECT_EQ(DrawDib(dc, c.dib, 0, 0, 2, 2, SRCCOPY, c.usage), 0) << c.name;
        EXPECT_EQ(Log(), "") << c.name;
    }
    Dib wide = MakeDib(32, 2, BI_RGB, {});
    wide.header.biWidth = 0x10000;
    wide.header.biHeight = 0x10000; // 2^34 bytes
    EXPECT_EQ(DrawDib(dc, wide, 0, 0, 2, 2, SRCCOPY), 0);
    EXPECT_EQ(Log(), "");
    DeleteDC(dc);
}

TEST_F(PrinterDrawing, WhatTheDriverDoesNotTakeFailsUnsent)
{
    struct Missing {
        const char *name;
        FLONG caps;
        FLONG hooks;
        std::function<BOOL(HDC)> draw;
    };
    const Missing cases[] = {
        {"curves without GCAPS_BEZIERS",
         kAllCaps & ~GCAPS_BEZIERS,
         kAllHooks,
         [](HDC dc) { return Ellipse(dc, 0, 0, 10, 10); }},
        {"winding fill without GCAPS_WINDINGFILL",
         kAllCaps & ~GCAPS_WINDINGFILL,
         kAllHooks,
         [](HDC dc) {
             SetPolyFillMode(dc, WINDING);
             POINT p[3] = {{0, 0}, {10, 0}, {0, 10}};
             return Polygon(dc, p, 3);
         }},
        {"alternate fill without GCAPS_ALTERNATEFILL",
         kAllCaps & ~GCAPS_ALTERNATEFILL,
         kAllHooks,
         [](HDC dc) { return Rectangle(dc, 0, 0, 10, 10); }},
        {"a wide pen without GCAPS_GEOMETRICWIDE",
         kAllCaps & ~GCAPS_GEOMETRICWIDE,
         kAllHooks,
         [](HDC dc) {
             return WithObjects(dc, CreatePen(PS_SOLID, 5, 0), NULL, [](HDC d) { return LineTo(d, 10, 10); });
         }},
        {"lines without HOOK_STROKEPATH",
         kAllCaps,
         kAllHooks & ~HOOK_STROKEPATH,
         [](HDC dc) { return LineTo(dc, 10, 10); }},
        {"shapes without HOOK_STROKEANDFILLPATH",
         kAllCaps,
         kAllHooks & ~HOOK_STROKEANDFILLPATH,
         [](HDC dc) { return Rectangle(dc, 0, 0, 10, 10); }},
        {"fills without HOOK_FILLPATH",
         kAllCaps,
         kAllHooks & ~HOOK_FILLPATH,
         [](HDC dc) {
             return WithObjects(dc, GetStockObject(NULL_PEN), NULL, [](HDC d) { return Rectangle(d, 0, 0, 10, 10); });
         }},
        {"images without HOOK_COPYBITS",
         kAllCaps,
         kAllHooks & ~HOOK_COPYBITS,
         [](HDC dc) { return (BOOL)DrawDib(dc, MakeDib(8, 2, BI_RGB, {}, 4), 0, 0, 2, 2, SRCCOPY); }},
        {"scaled images without HOOK_STRETCHBLT",
         kAllCaps,
         kAllHooks & ~HOOK_STRETCHBLT,
         [](HDC dc) { return (BOOL)DrawDib(dc, MakeDib(8, 2, BI_RGB, {}, 4), 0, 0, 4, 4, SRCCOPY); }},
        {"scaled raster operations without HOOK_STRETCHBLTROP",
         kAllCaps,
         kAllHooks & ~HOOK_STRETCHBLTROP,
         [](HDC dc) { return (BOOL)DrawDib(dc, MakeDib(8, 2, BI_RGB, {}, 4), 0, 0, 4, 4, SRCAND); }},
        {"pattern blits without HOOK_BITBLT",
         kAllCaps,
         kAllHooks & ~HOOK_BITBLT,
         [](HDC dc) { return PatBlt(dc, 0, 0, 10, 10, PATCOPY); }},
    };
    for (const Missing &c : cases) {
        HDC dc = Create(c.caps, c.hooks);
        ASSERT_NE(dc, nullptr) << c.name;
        SetLastError(0);
        EXPECT_FALSE(c.draw(dc)) << c.name;
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_NOT_SUPPORTED) << c.name;
        EXPECT_EQ(Log(), "") << c.name;
        // The DC stays usable.
        EXPECT_TRUE(MoveToEx(dc, 0, 0, NULL)) << c.name;
        DeleteDC(dc);
    }
}

TEST_F(PrinterDrawing, ARefusedStrokeAndFillIsFilledThenStroked)
{
    HDC dc = Create(kAllCaps, kAllHooks, FALSE);
    ASSERT_NE(dc, nullptr);
    EXPECT_TRUE(Rectangle(dc, 0, 0, 3, 3));
    EXPECT_EQ(Log(),
              "DrvStrokeAndFillPath M(0, 0) L(32, 0) (32, 32) (0, 32) close; clip trivial; pen cosmetic 0x00000000; "
              "fill 0x00FFFFFF; mix 0x0D0D; alternate; xform [1 0 0 1 0 0]\n"
              "DrvFillPath M(0, 0) L(32, 0) (32, 32) (0, 32) close; clip trivial; fill 0x00FFFFFF; mix 0x0D0D; "
              "alternate\n"
              "DrvStrokePath M(0, 0) L(32, 0) (32, 32) (0, 32) close; clip trivial; pen cosmetic 0x00000000; mix "
              "0x0D0D; xform [1 0 0 1 0 0]\n");
    DeleteDC(dc);
}

TEST_F(PrinterDrawing, BadInputFailsBeforeTheDriver)
{
    const POINT pts[5] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}};
    const POINT far[2] = {{0, 0}, {1 << 28, 0}};
    const INT zero[2] = {3, 0};
    const struct {
        const char *name;
        std::function<BOOL(HDC)> draw;
    } cases[] = {
        {"Polyline of one point", [&](HDC dc) { return Polyline(dc, pts, 1); }},
        {"Polygon of one point", [&](HDC dc) { return Polygon(dc, pts, 1); }},
        {"PolyBezier of five points", [&](HDC dc) { return PolyBezier(dc, pts, 5); }},
        {"PolyBezierTo of four points", [&](HDC dc) { return PolyBezierTo(dc, pts, 4); }},
        {"PolyPolygon with a zero count", [&](HDC dc) { return PolyPolygon(dc, pts, zero, 2); }},
        {"PolyPolygon of no polygon", [&](HDC dc) { return PolyPolygon(dc, pts, zero, 0); }},
        {"a point beyond the device range", [&](HDC dc) { return Polyline(dc, far, 2); }},
        {"a rectangle beyond the device range", [&](HDC dc) { return Rectangle(dc, 0, 0, 1 << 28, 10); }},
        {"PatBlt with a source operation", [&](HDC dc) { return PatBlt(dc, 0, 0, 4, 4, SRCCOPY); }},
    };
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    for (const auto &c : cases) {
        EXPECT_FALSE(c.draw(dc)) << c.name;
        EXPECT_EQ(Log(), "") << c.name;
    }
    DeleteDC(dc);
    EXPECT_FALSE(Rectangle(dc, 0, 0, 10, 10)) << "a deleted DC";
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_HANDLE);
}

TEST_F(PrinterDrawing, SelectedObjectsStayUntilDeselected)
{
    HDC dc = Create();
    ASSERT_NE(dc, nullptr);
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(1, 2, 3));
    HGDIOBJ old = SelectObject(dc, pen);
    EXPECT_EQ(old, GetStockObject(BLACK_PEN));
    EXPECT_FALSE(DeleteObject(pen)) << "a selected pen stays";
    EXPECT_EQ(SelectObject(dc, old), (HGDIOBJ)pen);
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(dc, pen), nullptr) << "a stale handle";
    EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH))) << "stock objects are left alone";
    EXPECT_EQ(CreatePen(PS_SOLID, -1, 0), nullptr);
    EXPECT_EQ(CreateHatchBrush(HS_DIAGCROSS + 1, 0), nullptr);
    DeleteDC(dc);
}

} // namespace
