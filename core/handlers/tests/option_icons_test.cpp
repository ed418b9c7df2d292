/*
 * Option icons: icon DIBs of 1, 4 and 8 bits made into icons with the expected planes,
 * each kind of bad DIB refused before any GDI call, nothing left after failures.
 */
#include "core/handlers/setting_handlers.h"

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_icons.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

/* An icon DIB of 32 x 32 pixels: pixel (x, y) (top row 0) has colour index (x + y) mod
 * colours; the top half of the mask is 0xFF, the bottom 0x00. */
struct DibShape {
    WORD headerSize = 40;
    LONG width = 32;
    LONG height = 64;
    WORD planes = 1;
    WORD bits = 4;
    DWORD compression = BI_RGB;
    DWORD clrUsed = 0;
};

std::vector<BYTE> MakeDib(const DibShape &s)
{
    DWORD colors = s.bits <= 8 ? (s.clrUsed ? s.clrUsed : 1u << s.bits) : 0;
    DWORD entry = s.headerSize == 12 ? 3 : 4;
    LONG rows = s.height / 2;
    DWORD stride = s.width > 0 ? ((s.width * s.bits + 31) / 32) * 4 : 0;
    std::vector<BYTE> dib(s.headerSize + colors * entry + (stride + 4) * (rows > 0 ? rows : 0));
    if (s.headerSize == 12) {
        BITMAPCOREHEADER h = {12, (WORD)s.width, (WORD)s.height, s.planes, s.bits};
        std::memcpy(dib.data(), &h, sizeof(h));
    } else {
        BITMAPINFOHEADER h = {s.headerSize, s.width, s.height, s.planes, s.bits, s.compression, 0, 0, 0, s.clrUsed, 0};
        std::memcpy(dib.data(), &h, sizeof(h));
    }
    BYTE *table = dib.data() + s.headerSize;
    for (DWORD i = 0; i < colors; ++i) {
        table[i * entry] = (BYTE)i;             /* blue */
        table[i * entry + 1] = (BYTE)(i * 2);   /* green */
        table[i * entry + 2] = (BYTE)(255 - i); /* red */
    }
    BYTE *image = table + colors * entry;
    for (LONG y = 0; y < rows && s.bits <= 8; ++y) {
        BYTE *row = image + (rows - 1 - y) * stride; /* bottom row first */
        for (LONG x = 0; x < s.width; ++x) {
            DWORD v = (x + y) % colors;
            DWORD bit = x * s.bits;
            row[bit / 8] |= (BYTE)(v << (8 - s.bits - bit % 8));
        }
    }
    BYTE *mask = image + stride * rows;
    for (LONG y = 0; y < rows; ++y) {
        BYTE value = y < rows / 2 ? 0xFF : 0x00; /* y counts from the top */
        std::memset(mask + (rows - 1 - y) * 4, value, 4);
    }
    return dib;
}

struct Live {
    DWORD dcs = qmt_LiveGdiObjects(QMT_GDI_DC);
    DWORD palettes = qmt_LiveGdiObjects(QMT_GDI_PALETTE);
    DWORD bitmaps = qmt_LiveGdiObjects(QMT_GDI_BITMAP);
    DWORD icons = qmt_LiveIcons();
    DWORD blocks = qmt_LiveGlobalBlocks();
    bool operator==(const Live &o) const
    {
        return dcs == o.dcs && palettes == o.palettes && bitmaps == o.bitmaps && icons == o.icons && blocks == o.blocks;
    }
};

TEST(OptionIcons, ValidDibsGiveIconsWithTheirPlanes)
{
    struct Case {
        WORD headerSize;
        WORD bits;
        DWORD clrUsed;
        bool palette;
    };
    static const Case cases[] = {
        {40, 1, 0, false},
        {40, 4, 0, false},
        {40, 8, 0, true},
        {40, 8, 16, false},
        {12, 4, 0, false},
        {12, 8, 0, true},
    };
    for (const Case &c : cases) {
        DibShape shape;
        shape.headerSize = c.headerSize;
        shape.bits = c.bits;
        shape.clrUsed = c.clrUsed;
        std::vector<BYTE> dib = MakeDib(shape);
        Live before;
        HICON icon = nullptr;
        HPALETTE palette = nullptr;
        ASSERT_TRUE(opt_CreateIconFromDib(nullptr, (const BITMAPINFO *)dib.data(), (DWORD)dib.size(), &icon, &palette))
            << c.headerSize << "/" << c.bits;
        EXPECT_EQ(c.palette, palette != nullptr) << c.bits;
        QmtIconPlanes planes;
        ASSERT_TRUE(qmt_GetIconPlanes(icon, &planes));
        EXPECT_EQ(32, planes.width);
        EXPECT_EQ(32, planes.height);
        EXPECT_EQ(32, planes.bitsPixel);
        /* The mask's top rows are the DIB's last stored rows. */
        EXPECT_EQ(0xFF, planes.andBits[0]);
        EXPECT_EQ(0x00, planes.andBits[31 * 4]);
        /* Pixel (x, y) shows colour (x + y) mod colours: red 255 - i, green 2i, blue i. */
        DWORD colors = c.clrUsed ? c.clrUsed : 1u << c.bits;
        for (int y : {0, 5, 31}) {
            for (int x : {0, 3, 31}) {
                DWORD i = (x + y) % colors;
                DWORD pixel = 0;
                std::memcpy(&pixel, planes.xorBits + (y * 32 + x) * 4, 4);
                EXPECT_EQ(((255 - i) & 0xFF) << 16 | ((i * 2) & 0xFF) << 8 | i, pixel) << x << "," << y;
            }
        }
        EXPECT_TRUE(DestroyIcon(icon));
        if (palette) {
            EXPECT_TRUE(DeleteObject(palette));
        }
        EXPECT_TRUE(before == Live()); /* no DC or bitmap left behind */
    }
}

TEST(OptionIcons, BadDibsAreRefusedBeforeAnyGdiCall)
{
    struct Case {
        const char *why;
        DibShape shape;
        LONG cut; /* bytes taken off the end */
    };
    auto shape = [](auto change) {
        DibShape s;
        change(s);
        return s;
    };
    const Case cases[] = {
        {"header of 20 bytes", shape([](DibShape &s) { s.headerSize = 20; }), 0},
        {"width 0", shape([](DibShape &s) { s.width = 0; }), 0},
        {"width 33", shape([](DibShape &s) { s.width = 33; }), 0},
        {"half height 0", shape([](DibShape &s) { s.height = 1; }), 0},
        {"half height 33", shape([](DibShape &s) { s.height = 66; }), 0},
        {"negative height", shape([](DibShape &s) { s.height = -64; }), 0},
        {"24 bits", shape([](DibShape &s) { s.bits = 24; }), 0},
        {"2 bits", shape([](DibShape &s) { s.bits = 2; }), 0},
        {"two planes", shape([](DibShape &s) { s.planes = 2; }), 0},
        {"compressed", shape([](DibShape &s) { s.compression = BI_RLE4; }), 0},
        {"more colours than the depth", shape([](DibShape &s) { s.clrUsed = 17; }), 0},
        {"mask one byte short", DibShape(), 1},
    };
    for (const Case &c : cases) {
        std::vector<BYTE> dib = MakeDib(c.shape);
        DWORD calls = qmt_GdiCalls();
        Live before;
        HICON icon = (HICON)1;
        HPALETTE palette = (HPALETTE)1;
        EXPECT_FALSE(opt_CreateIconFromDib(
            nullptr, (const BITMAPINFO *)dib.data(), (DWORD)(dib.size() - c.cut), &icon, &palette))
            << c.why;
        EXPECT_EQ(nullptr, icon) << c.why;
        EXPECT_EQ(nullptr, palette) << c.why;
        EXPECT_EQ(calls, qmt_GdiCalls()) << c.why;
        EXPECT_TRUE(before == Live()) << c.why;
    }
    /* A header that claims a full 256-colour table the DIB does not hold. */
    DibShape lying;
    lying.bits = 8;
    lying.clrUsed = 2;
    std::vector<BYTE> dib = MakeDib(lying);
    DWORD zero = 0;
    std::memcpy(dib.data() + offsetof(BITMAPINFOHEADER, biClrUsed), &zero, 4);
    HICON icon = nullptr;
    HPALETTE palette = nullptr;
    DWORD calls = qmt_GdiCalls();
    EXPECT_FALSE(opt_CreateIconFromDib(nullptr, (const BITMAPINFO *)dib.data(), (DWORD)dib.size(), &icon, &palette));
    EXPECT_EQ(calls, qmt_GdiCalls());
    EXPECT_FALSE(opt_CreateIconFromDib(nullptr, nullptr, 100, &icon, &palette));
}

TEST(OptionIcons, ARefusedAllocationLeavesNothing)
{
    DibShape shape;
    shape.bits = 8;
    std::vector<BYTE> dib = MakeDib(shape);
    for (DWORD after = 0; after < 64; ++after) {
        Live before;
        HICON icon = nullptr;
        HPALETTE palette = nullptr;
        qmt_FailAllocations(after, 1);
        BOOL ok = opt_CreateIconFromDib(nullptr, (const BITMAPINFO *)dib.data(), (DWORD)dib.size(), &icon, &palette);
        qmt_FailAllocations(0, 0);
        if (ok) {
            DestroyIcon(icon);
            DeleteObject(palette);
            EXPECT_TRUE(before == Live());
            return;
        }
        EXPECT_EQ(nullptr, icon);
        EXPECT_TRUE(before == Live()) << after;
    }
    ADD_FAILURE() << "never succeeded";
}

} // namespace
