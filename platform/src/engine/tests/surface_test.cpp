/* Engine surfaces: device surfaces tied to a device, engine bitmaps, erasing. */
#include <windows.h>
#include <winddi.h>
#include <qmhost_engine.h>

#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <string.h>

TEST(EngineSurface, DeviceSurfaceTakesTheDevicesPdevAndHooks)
{
    HDEV hdev = qmh_CreateDevice();
    DHPDEV dhpdev = reinterpret_cast<DHPDEV>(0x1234);
    ASSERT_TRUE(qmh_BindDevicePdev(hdev, dhpdev));
    DWORD before = qmt_LiveSurfaces();

    SIZEL size = {4961, 7016};
    HSURF hsurf = EngCreateDeviceSurface(reinterpret_cast<DHSURF>(dhpdev), size, BMF_24BPP);
    ASSERT_NE(hsurf, nullptr);
    EXPECT_EQ(qmt_LiveSurfaces(), before + 1);
    ASSERT_TRUE(EngAssociateSurface(hsurf, hdev, 0x24EB));
    EXPECT_EQ(qmh_SurfaceHooks(hsurf),
              static_cast<FLONG>(HOOK_BITBLT | HOOK_STRETCHBLT | HOOK_TEXTOUT | HOOK_STROKEPATH | HOOK_FILLPATH |
                                 HOOK_STROKEANDFILLPATH | HOOK_COPYBITS | HOOK_STRETCHBLTROP));

    SURFOBJ *so = EngLockSurface(hsurf);
    ASSERT_NE(so, nullptr);
    EXPECT_EQ(so->hsurf, hsurf);
    EXPECT_EQ(so->dhpdev, dhpdev);
    EXPECT_EQ(so->hdev, hdev);
    EXPECT_EQ(so->iType, STYPE_DEVICE);
    EXPECT_EQ(so->iBitmapFormat, static_cast<ULONG>(BMF_24BPP));
    EXPECT_EQ(so->sizlBitmap.cx, 4961);
    EXPECT_EQ(so->pvBits, nullptr);
    EngUnlockSurface(so);

    EXPECT_TRUE(EngDeleteSurface(hsurf));
    EXPECT_EQ(qmt_LiveSurfaces(), before);
    SetLastError(0);
    EXPECT_FALSE(EngDeleteSurface(hsurf));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_TRUE(qmh_DeleteDevice(hdev));
}

TEST(EngineSurface, AssociateRefusesUnknownSurfaceOrDevice)
{
    HDEV hdev = qmh_CreateDevice();
    SIZEL size = {10, 10};
    HSURF hsurf = EngCreateDeviceSurface(nullptr, size, BMF_24BPP);
    EXPECT_FALSE(EngAssociateSurface(hsurf, reinterpret_cast<HDEV>(0x999), HOOK_BITBLT));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(EngAssociateSurface(reinterpret_cast<HSURF>(0x999), hdev, HOOK_BITBLT));
    EXPECT_TRUE(EngDeleteSurface(hsurf));
    EXPECT_TRUE(qmh_DeleteDevice(hdev));
}

TEST(EngineSurface, RefusedCreationLeavesNothing)
{
    DWORD before = qmt_LiveSurfaces();
    qmt_EngineFailCall(QMT_ENGINE_SURFACE, 0, 1);
    SIZEL size = {10, 10};
    EXPECT_EQ(EngCreateDeviceSurface(nullptr, size, BMF_24BPP), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_ENOUGH_MEMORY));
    EXPECT_EQ(qmt_LiveSurfaces(), before);
    HSURF h = EngCreateDeviceSurface(nullptr, size, BMF_24BPP);
    EXPECT_NE(h, nullptr);
    EngDeleteSurface(h);
}

/* Bitmaps of each format: row stride padded to 4 bytes, bottom-up unless asked. */
TEST(EngineSurface, BitmapsOfEveryFormat)
{
    struct Case {
        ULONG format;
        LONG stride; /* for 5 pixels */
    } const cases[] = {{BMF_1BPP, 4}, {BMF_4BPP, 4}, {BMF_8BPP, 8}, {BMF_16BPP, 12}, {BMF_24BPP, 16}, {BMF_32BPP, 20}};
    for (const Case &c : cases) {
        for (BOOL topDown : {FALSE, TRUE}) {
            SURFOBJ *so = qmt_EngineBitmap(5, 3, c.format, topDown);
            ASSERT_NE(so, nullptr) << c.format;
            EXPECT_EQ(so->iType, STYPE_BITMAP);
            EXPECT_EQ(so->cjBits, static_cast<ULONG>(c.stride * 3));
            BYTE *bits = static_cast<BYTE *>(so->pvBits);
            if (topDown) {
                EXPECT_EQ(so->lDelta, c.stride);
                EXPECT_EQ(so->pvScan0, so->pvBits);
                EXPECT_TRUE(so->fjBitmap & BMF_TOPDOWN);
            } else {
                EXPECT_EQ(so->lDelta, -c.stride);
                EXPECT_EQ(so->pvScan0, bits + 2 * c.stride);
            }
            qmt_EngineFreeBitmap(so);
        }
    }
    EXPECT_EQ(qmt_LiveSurfaces(), 0u);
}

TEST(EngineSurface, CreateBitmapRefusesBadArguments)
{
    SIZEL zero = {0, 5}, ok = {5, 5};
    EXPECT_EQ(EngCreateBitmap(zero, 0, BMF_8BPP, 0, nullptr), nullptr);
    EXPECT_EQ(EngCreateBitmap(ok, 0, BMF_JPEG, 0, nullptr), nullptr);
    BYTE mine[20];
    EXPECT_EQ(EngCreateBitmap(ok, 3, BMF_8BPP, 0, mine), nullptr); /* rows shorter than 5 pixels */
    EXPECT_EQ(qmt_LiveSurfaces(), 0u);
}

/* Erasing writes the colour in the surface's own format, cut to the surface. */
TEST(EngineSurface, EraseFillsTheRectangleInThePixelFormat)
{
    struct Case {
        ULONG format;
        ULONG color;
        BYTE row0[8]; /* first row bytes after erasing x 1..2 of a 4-pixel row */
        size_t n;
    } const cases[] = {
        {BMF_1BPP, 1, {0x60}, 1},
        {BMF_4BPP, 0xA, {0x0A, 0xA0}, 2},
        {BMF_8BPP, 0x7F, {0, 0x7F, 0x7F, 0}, 4},
        {BMF_16BPP, 0xF800, {0, 0, 0x00, 0xF8, 0x00, 0xF8, 0, 0}, 8},
        {BMF_24BPP, 0xFFFFFFFF, {0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, 8},
        {BMF_32BPP, 0x11223344, {0, 0, 0, 0, 0x44, 0x33, 0x22, 0x11}, 8},
    };
    for (const Case &c : cases) {
        SURFOBJ *so = qmt_EngineBitmap(4, 2, c.format, TRUE);
        ASSERT_NE(so, nullptr);
        RECTL r = {1, 0, 3, 1};
        ASSERT_TRUE(EngEraseSurface(so, &r, c.color));
        EXPECT_EQ(memcmp(so->pvScan0, c.row0, c.n), 0) << c.format;
        BYTE *row1 = static_cast<BYTE *>(so->pvScan0) + so->lDelta;
        for (size_t i = 0; i < c.n; ++i)
            EXPECT_EQ(row1[i], 0) << c.format;
        qmt_EngineFreeBitmap(so);
    }
}

TEST(EngineSurface, EraseIsCutToTheSurface)
{
    SURFOBJ *so = qmt_EngineBitmap(2, 2, BMF_8BPP, TRUE);
    RECTL r = {-5, -5, 100, 100};
    EXPECT_TRUE(EngEraseSurface(so, &r, 9));
    BYTE *bits = static_cast<BYTE *>(so->pvBits);
    EXPECT_EQ(bits[0], 9);
    EXPECT_EQ(bits[1], 9);
    EXPECT_EQ(bits[2], 0); /* padding untouched */
    EXPECT_EQ(bits[4], 9);
    EXPECT_FALSE(EngEraseSurface(so, nullptr, 0));
    qmt_EngineFreeBitmap(so);
}

/* The engine's blit on bitmaps: ROP3 by truth table, translation, clip and mask. */
TEST(EngineBlit, RopsTranslationClipAndMask)
{
    SURFOBJ *src = qmt_EngineBitmap(4, 1, BMF_8BPP, TRUE);
    BYTE *s = static_cast<BYTE *>(src->pvScan0);
    s[0] = 0;
    s[1] = 1;
    s[2] = 2;
    s[3] = 3;
    const ULONG table[4] = {0x10, 0x20, 0x30, 0x40};
    XLATEOBJ *xo = qmt_EngineXlateTable(table, 4);
    SURFOBJ *dst = qmt_EngineBitmap(4, 1, BMF_8BPP, TRUE);
    BYTE *d = static_cast<BYTE *>(dst->pvScan0);
    RECTL all = {0, 0, 4, 1};
    POINTL origin = {0, 0};

    ASSERT_TRUE(EngCopyBits(dst, src, nullptr, xo, &all, &origin));
    EXPECT_EQ(d[0], 0x10);
    EXPECT_EQ(d[3], 0x40);

    BRUSHOBJ solid = {0x0F, nullptr, 0};
    ASSERT_TRUE(EngBitBlt(
        dst, nullptr, nullptr, nullptr, nullptr, &all, nullptr, nullptr, &solid, nullptr, 0x5A5A)); /* PATINVERT */
    EXPECT_EQ(d[0], 0x1F);
    ASSERT_TRUE(EngBitBlt(dst, nullptr, nullptr, nullptr, nullptr, &all, nullptr, nullptr, nullptr, nullptr, 0x0000));
    EXPECT_EQ(d[2], 0);

    RECTL clipRect = {1, 0, 2, 1};
    CLIPOBJ *co = qmt_EngineClip(&clipRect, 1);
    ASSERT_TRUE(EngBitBlt(dst, nullptr, nullptr, co, nullptr, &all, nullptr, nullptr, nullptr, nullptr, 0xFFFF));
    EXPECT_EQ(d[0], 0);
    EXPECT_EQ(d[1], 0xFF);
    EXPECT_EQ(d[2], 0);

    SURFOBJ *mask = qmt_EngineBitmap(4, 1, BMF_1BPP, TRUE);
    static_cast<BYTE *>(mask->pvScan0)[0] = 0xA0; /* pixels 0 and 2 set */
    ASSERT_TRUE(EngBitBlt(
        dst, src, mask, nullptr, nullptr, &all, &origin, &origin, nullptr, nullptr, 0xAACC)); /* copy where set */
    EXPECT_EQ(d[0], 0);
    EXPECT_EQ(d[1], 0xFF);
    EXPECT_EQ(d[2], 2);
    EXPECT_EQ(d[3], 0);

    BRUSHOBJ pattern = {0xFFFFFFFF, nullptr, 0};
    EXPECT_FALSE(EngBitBlt(dst, nullptr, nullptr, nullptr, nullptr, &all, nullptr, nullptr, &pattern, nullptr, 0xF0F0));
    EXPECT_FALSE(EngCopyBits(dst, nullptr, nullptr, nullptr, &all, &origin));
    qmt_EngineFreeClip(co);
    qmt_EngineFreeXlate(xo);
    for (SURFOBJ *so : {src, dst, mask})
        qmt_EngineFreeBitmap(so);
}
