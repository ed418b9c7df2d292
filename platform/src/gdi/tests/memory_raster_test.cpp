/*
 * The raster of memory DCs: raster operations on 2 x 2 bitmaps give exact pixels, a
 * key-colour picture composed through a monochrome mask shows the background under its key
 * pixels and itself exactly elsewhere, selection rules of bitmaps, and nothing left behind.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/testing/qm_testing_gdi.h"
#include "platform/testing/qm_testing_icons.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);

/* A colour bitmap of 32 bits a pixel, rows top first. */
HBITMAP NewColourBitmap(int width, int height)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    return CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
}

/* A memory DC holding a new 2 x 2 bitmap of four colours, rows top first. */
struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas(COLORREF a, COLORREF b, COLORREF c, COLORREF d, bool mono = false)
    {
        dc = CreateCompatibleDC(NULL);
        bitmap = mono ? CreateBitmap(2, 2, 1, 1, NULL) : NewColourBitmap(2, 2);
        old = SelectObject(dc, bitmap);
        SetPixel(dc, 0, 0, a);
        SetPixel(dc, 1, 0, b);
        SetPixel(dc, 0, 1, c);
        SetPixel(dc, 1, 1, d);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    std::vector<COLORREF> Pixels() const
    {
        return {GetPixel(dc, 0, 0), GetPixel(dc, 1, 0), GetPixel(dc, 0, 1), GetPixel(dc, 1, 1)};
    }
};

class MemoryRaster : public ::testing::Test
{
protected:
    void SetUp() override
    {
        bitmaps_ = qmt_LiveGdiObjects(QMT_GDI_BITMAP);
        dcs_ = qmt_LiveGdiObjects(QMT_GDI_DC);
    }
    void TearDown() override
    {
        EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_BITMAP), bitmaps_);
        EXPECT_EQ(qmt_LiveGdiObjects(QMT_GDI_DC), dcs_);
    }
    DWORD bitmaps_ = 0, dcs_ = 0;
};

TEST_F(MemoryRaster, RasterOperationsGiveExactPixels)
{
    const COLORREF d0 = RGB(0x12, 0x34, 0x56), d1 = RGB(0xFF, 0x00, 0x0F), d2 = RGB(0, 0, 0), d3 = RGB(255, 255, 255);
    const COLORREF s0 = RGB(0xF0, 0xF0, 0xF0), s1 = RGB(0x0F, 0x0F, 0x0F), s2 = RGB(0xAA, 0x55, 0x00),
                   s3 = RGB(0x01, 0x02, 0x03);
    const COLORREF brush = RGB(0x80, 0x40, 0x20);
    auto each = [](COLORREF a, COLORREF b, COLORREF (*op)(COLORREF, COLORREF)) { return op(a, b) & 0xFFFFFF; };
    const struct {
        const char *name;
        DWORD rop;
        COLORREF (*op)(COLORREF dest, COLORREF src);
    } cases[] = {
        {"SRCCOPY", SRCCOPY, [](COLORREF, COLORREF s) { return s; }},
        {"SRCAND", SRCAND, [](COLORREF d, COLORREF s) { return d & s; }},
        {"SRCINVERT", SRCINVERT, [](COLORREF d, COLORREF s) { return d ^ s; }},
        {"SRCPAINT", SRCPAINT, [](COLORREF d, COLORREF s) { return d | s; }},
        {"DSTINVERT", DSTINVERT, [](COLORREF d, COLORREF) { return ~d; }},
        {"PATCOPY", PATCOPY, [](COLORREF, COLORREF) { return RGB(0x80, 0x40, 0x20); }},
    };
    for (const auto &c : cases) {
        Canvas dest(d0, d1, d2, d3);
        Canvas src(s0, s1, s2, s3);
        HBRUSH b = CreateSolidBrush(brush);
        HGDIOBJ old = SelectObject(dest.dc, b);
        EXPECT_TRUE(BitBlt(dest.dc, 0, 0, 2, 2, src.dc, 0, 0, c.rop)) << c.name;
        SelectObject(dest.dc, old);
        DeleteObject(b);
        std::vector<COLORREF> expected = {
            each(d0, s0, c.op), each(d1, s1, c.op), each(d2, s2, c.op), each(d3, s3, c.op)};
        EXPECT_EQ(dest.Pixels(), expected) << c.name;
    }
}

TEST_F(MemoryRaster, AKeyColourIsMaskedOut)
{
    const COLORREF back[4] = {RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90), RGB(100, 110, 120)};
    Canvas picture(kKey, RGB(1, 2, 3), RGB(200, 100, 50), kKey);
    Canvas scene(back[0], back[1], back[2], back[3]);
    Canvas mask(0, 0, 0, 0, true);
    // The mask: white where the picture has the key colour (its DC's background).
    SetBkColor(picture.dc, kKey);
    ASSERT_TRUE(BitBlt(mask.dc, 0, 0, 2, 2, picture.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(mask.Pixels(), (std::vector<COLORREF>{RGB(255, 255, 255), 0, 0, RGB(255, 255, 255)}));
    // The scene keeps its pixels under white (SRCAND with black text, white background).
    SetTextColor(scene.dc, RGB(0, 0, 0));
    SetBkColor(scene.dc, RGB(255, 255, 255));
    ASSERT_TRUE(BitBlt(scene.dc, 0, 0, 2, 2, mask.dc, 0, 0, SRCAND));
    // The picture goes black under the key (DSna: the destination and not the source).
    SetTextColor(picture.dc, RGB(0, 0, 0));
    SetBkColor(picture.dc, RGB(255, 255, 255));
    ASSERT_TRUE(BitBlt(picture.dc, 0, 0, 2, 2, mask.dc, 0, 0, 0x00220326));
    ASSERT_TRUE(BitBlt(scene.dc, 0, 0, 2, 2, picture.dc, 0, 0, SRCPAINT));
    EXPECT_EQ(scene.Pixels(), (std::vector<COLORREF>{back[0], RGB(1, 2, 3), RGB(200, 100, 50), back[3]}));
}

TEST_F(MemoryRaster, StretchingTakesTheNearestPixel)
{
    Canvas src(RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0), RGB(4, 0, 0));
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP big = NewColourBitmap(4, 4);
    HGDIOBJ old = SelectObject(dc, big);
    ASSERT_TRUE(StretchBlt(dc, 0, 0, 4, 4, src.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(GetPixel(dc, 1, 1), RGB(1, 0, 0));
    EXPECT_EQ(GetPixel(dc, 2, 1), RGB(2, 0, 0));
    EXPECT_EQ(GetPixel(dc, 1, 3), RGB(3, 0, 0));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(4, 0, 0));
    EXPECT_EQ(GetPixel(dc, 4, 0), CLR_INVALID) << "outside the bitmap";
    SelectObject(dc, old);
    DeleteObject(big);
    DeleteDC(dc);
}

TEST_F(MemoryRaster, OversizedRectanglesAreRefused)
{
    Canvas dest(0, 0, 0, 0);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 1;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    DWORD pixel = 0x00FFFFFF;
    EXPECT_EQ(StretchDIBits(dest.dc, 0, 0, 2, 2, 0, 0, 1 << 20, 1 << 20, &pixel, &info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(StretchDIBits(dest.dc, 0, 0, 1 << 20, 1 << 20, 0, 0, 1, 1, &pixel, &info, DIB_RGB_COLORS, SRCCOPY), 0);
    EXPECT_EQ(dest.Pixels(), (std::vector<COLORREF>{0, 0, 0, 0}));
    EXPECT_EQ(StretchDIBits(dest.dc, 1, 1, 1, 1, 0, 0, 1, 1, &pixel, &info, DIB_RGB_COLORS, SRCCOPY), 1);
    EXPECT_EQ(GetPixel(dest.dc, 1, 1), RGB(255, 255, 255));
}

TEST_F(MemoryRaster, ABitmapBelongsToOneDc)
{
    HDC fresh = CreateCompatibleDC(NULL);
    HBITMAP compatible = CreateCompatibleBitmap(fresh, 2, 2);
    HGDIOBJ stock = SelectObject(fresh, compatible);
    SetPixel(fresh, 0, 0, RGB(10, 200, 10));
    EXPECT_EQ(GetPixel(fresh, 0, 0), RGB(0, 0, 0)) << "a new memory DC's compatible bitmap is monochrome";
    SelectObject(fresh, stock);
    DeleteObject(compatible);
    DeleteDC(fresh);

    Canvas a(0, 0, 0, 0);
    HDC other = CreateCompatibleDC(NULL);
    EXPECT_EQ(SelectObject(other, a.bitmap), nullptr) << "held by the first DC";
    EXPECT_FALSE(DeleteObject(a.bitmap)) << "still selected";
    DeleteDC(other);
}

TEST_F(MemoryRaster, DibSectionsShowTheirPixelsInTheirRowOrder)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 2; // bottom-up
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HBITMAP section = CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    ASSERT_NE(section, nullptr);
    ASSERT_NE(bits, nullptr);
    static_cast<DWORD *>(bits)[0] = 0x00FF0000; // the bottom-left pixel, red
    HDC dc = CreateCompatibleDC(NULL);
    HGDIOBJ old = SelectObject(dc, section);
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(0, 0, 0));
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
    info.bmiHeader.biBitCount = 8;
    EXPECT_EQ(CreateDIBSection(NULL, &info, DIB_RGB_COLORS, &bits, NULL, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

TEST_F(MemoryRaster, ShapesAreFilledThenOutlined)
{
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = NewColourBitmap(6, 6);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 6, 6, WHITENESS);
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(0, 0, 255));
    HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    ASSERT_TRUE(Rectangle(dc, 1, 1, 5, 5));
    const COLORREF W = RGB(255, 255, 255), B = RGB(0, 0, 255), R = RGB(255, 0, 0);
    const COLORREF expected[6][6] = {
        {W, W, W, W, W, W},
        {W, B, B, B, B, W},
        {W, B, R, R, B, W},
        {W, B, R, R, B, W},
        {W, B, B, B, B, W},
        {W, W, W, W, W, W},
    };
    for (int y = 0; y < 6; ++y) {
        for (int x = 0; x < 6; ++x) {
            EXPECT_EQ(GetPixel(dc, x, y), expected[y][x]) << x << ", " << y;
        }
    }
    // A line through XOR turns the pixels it crosses back on a second pass.
    SetROP2(dc, R2_XORPEN);
    MoveToEx(dc, 0, 0, NULL);
    ASSERT_TRUE(LineTo(dc, 5, 0));
    EXPECT_EQ(GetPixel(dc, 3, 0), RGB(255, 255, 0));
    MoveToEx(dc, 0, 0, NULL);
    ASSERT_TRUE(LineTo(dc, 5, 0));
    EXPECT_EQ(GetPixel(dc, 3, 0), W);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

TEST_F(MemoryRaster, SavedStatesComeBack)
{
    HDC dc = CreateCompatibleDC(NULL);
    HPEN pen = CreatePen(PS_SOLID, 0, RGB(1, 2, 3));
    HGDIOBJ stock = SelectObject(dc, pen);
    SetROP2(dc, R2_XORPEN);
    EXPECT_EQ(SaveDC(dc), 1);
    SelectObject(dc, stock);
    SetROP2(dc, R2_BLACK);
    EXPECT_EQ(SaveDC(dc), 2);
    EXPECT_FALSE(DeleteObject(pen)) << "a saved state holds it";
    EXPECT_TRUE(RestoreDC(dc, 1));
    EXPECT_EQ(GetROP2(dc), R2_XORPEN);
    EXPECT_FALSE(RestoreDC(dc, -1)) << "both saved states are used";
    EXPECT_EQ(SelectObject(dc, stock), (HGDIOBJ)pen);
    EXPECT_TRUE(DeleteObject(pen));
    DeleteDC(dc);
}

TEST_F(MemoryRaster, APictureOfWhatIsPainted)
{
    // Bands of solid colours blitted with each operation, saved for a person to look at.
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = NewColourBitmap(64, 48);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colors[4] = {RGB(255, 255, 255), RGB(200, 30, 30), RGB(30, 160, 60), RGB(40, 60, 220)};
    for (int i = 0; i < 4; ++i) {
        HBRUSH b = CreateSolidBrush(colors[i]);
        HGDIOBJ was = SelectObject(dc, b);
        EXPECT_TRUE(PatBlt(dc, i * 16, 0, 16, 48, PATCOPY));
        SelectObject(dc, was);
        DeleteObject(b);
    }
    EXPECT_TRUE(PatBlt(dc, 8, 16, 48, 16, DSTINVERT));
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    EXPECT_TRUE(Ellipse(dc, 20, 4, 44, 30));
    POINT star[5] = {{32, 2}, {38, 22}, {22, 10}, {42, 10}, {26, 22}};
    SelectObject(dc, GetStockObject(WHITE_BRUSH));
    SetPolyFillMode(dc, WINDING);
    EXPECT_TRUE(Polygon(dc, star, 5));
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    HRGN clip = CreateEllipticRgn(0, 0, 64, 48);
    SelectClipRgn(dc, clip);
    DeleteObject(clip);
    EXPECT_TRUE(PatBlt(dc, 0, 40, 64, 8, BLACKNESS));
    EXPECT_EQ(GetPixel(dc, 32, 47), RGB(0, 0, 0)) << "inside the ellipse";
    EXPECT_EQ(GetPixel(dc, 0, 47), RGB(255, 255, 255)) << "outside the ellipse";
    EXPECT_EQ(GetPixel(dc, 17, 20), RGB(55, 225, 225)) << "inverted";
    EXPECT_TRUE(qmt_SaveBitmapPng(bitmap, "memory_raster.png"));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

} // namespace
