/* Logical to device coordinates: the eight mapping modes, origins and extents. */
#include <gtest/gtest.h>
#include <windows.h>
#include <winddi.h>

#include "platform/src/gdi/mapping.h"
#include "platform/testing/qm_testing.h"

#include <climits>

/* One logical point under each mode of a 600 x 300 dpi device, origins moved. */
TEST(GdiMapping, ModesAtPrinterResolution)
{
    const struct {
        int mode;
        POINT in;
        POINTL device;
        POINTFIX fix;
    } cases[] = {
        {MM_TEXT, {10, 10}, {10, 10}, {160, 160}},
        {MM_LOMETRIC, {254, -254}, {600, 300}, {9600, 4800}},  /* an inch right and down */
        {MM_LOMETRIC, {100, 100}, {236, -118}, {3780, -1890}}, /* 236.22 and -118.11 pixels */
        {MM_HIMETRIC, {2540, -1270}, {600, 150}, {9600, 2400}},
        {MM_LOENGLISH, {100, -50}, {600, 150}, {9600, 2400}},
        {MM_HIENGLISH, {1, -1}, {1, 0}, {10, 5}}, /* 0.6 and 0.3 pixels */
        {MM_TWIPS, {1440, -2880}, {600, 600}, {9600, 9600}},
        {MM_ANISOTROPIC, {7, -7}, {7, -7}, {112, -112}}, /* MM_TEXT's extents kept */
    };
    for (const auto &c : cases) {
        qmg::Mapping m;
        qmg::ResetMapping(&m, 600, 300);
        EXPECT_EQ(qmg::SetMappingMode(&m, c.mode), MM_TEXT);
        POINTL d;
        POINTFIX f;
        ASSERT_TRUE(qmg::ToDevice(m, c.in, &d)) << c.mode;
        ASSERT_TRUE(qmg::ToDeviceFix(m, c.in, &f)) << c.mode;
        EXPECT_EQ(d.x, c.device.x) << c.mode;
        EXPECT_EQ(d.y, c.device.y) << c.mode;
        EXPECT_EQ(f.x, c.fix.x) << c.mode;
        EXPECT_EQ(f.y, c.fix.y) << c.mode;
    }

    /* Origins: window origin subtracted in logical units, viewport origin added in pixels. */
    qmg::Mapping m;
    qmg::ResetMapping(&m, 600, 600);
    qmg::SetMappingMode(&m, MM_LOMETRIC);
    m.windowOrg = POINT{100, 0};
    m.viewportOrg = POINT{0, 6600};
    POINTL d;
    ASSERT_TRUE(qmg::ToDevice(m, POINT{354, 254}, &d));
    EXPECT_EQ(d.x, 600);
    EXPECT_EQ(d.y, 6000);
    POINT l;
    ASSERT_TRUE(qmg::ToLogical(m, POINT{600, 6000}, &l));
    EXPECT_EQ(l.x, 354);
    EXPECT_EQ(l.y, 254);
    EXPECT_EQ(qmg::SetMappingMode(&m, 0), 0);
    EXPECT_EQ(qmg::SetMappingMode(&m, MM_ANISOTROPIC + 1), 0);
    EXPECT_EQ(m.mode, MM_LOMETRIC);

    /* Results beyond 2^27 pixels are refused. */
    qmg::SetMappingMode(&m, MM_TEXT);
    m.windowOrg = POINT{0, 0};
    m.viewportOrg = POINT{0, 0};
    EXPECT_TRUE(qmg::ToDevice(m, POINT{1 << 27, -(1 << 27)}, &d));
    EXPECT_FALSE(qmg::ToDevice(m, POINT{(1 << 27) + 1, 0}, &d));
    POINTFIX f;
    EXPECT_FALSE(qmg::ToDeviceFix(m, POINT{0, INT_MIN}, &f));
}

/* MM_ISOTROPIC narrows the viewport extent whose unit is longer, by physical length. */
TEST(GdiMapping, IsotropicKeepsUnitsSquare)
{
    const struct {
        LONG dpiX, dpiY;
        SIZE window, viewport;
        SIZE result;
    } cases[] = {
        {600, 600, {100, 100}, {400, -200}, {200, -200}},
        {600, 600, {100, 200}, {400, 400}, {200, 400}},
        {600, 300, {100, 100}, {600, 600}, {600, 300}}, /* half the pixels down for the same length */
        {600, 600, {-100, 100}, {300, 300}, {300, 300}},
    };
    for (const auto &c : cases) {
        qmg::Mapping m;
        qmg::ResetMapping(&m, c.dpiX, c.dpiY);
        qmg::SetMappingMode(&m, MM_ISOTROPIC);
        ASSERT_TRUE(qmg::SetWindowExtent(&m, c.window));
        ASSERT_TRUE(qmg::SetViewportExtent(&m, c.viewport));
        EXPECT_EQ(m.viewportExt.cx, c.result.cx) << c.viewport.cx << " " << c.window.cy;
        EXPECT_EQ(m.viewportExt.cy, c.result.cy) << c.viewport.cx << " " << c.window.cy;
    }
    qmg::Mapping m;
    qmg::ResetMapping(&m, 600, 600);
    EXPECT_FALSE(qmg::SetWindowExtent(&m, SIZE{0, 1}));
    EXPECT_TRUE(qmg::SetWindowExtent(&m, SIZE{5, 5})); /* ignored under MM_TEXT */
    EXPECT_EQ(m.windowExt.cx, 1);
}

/* The calls on a DC: previous values, conversions in place, refused handles. */
TEST(GdiMapping, CallsOnAMemoryDc)
{
    HDC hdc = CreateDCW(TEXT("DISPLAY"), nullptr, nullptr, nullptr);
    ASSERT_NE(hdc, nullptr);
    EXPECT_EQ(GetMapMode(hdc), MM_TEXT);
    EXPECT_EQ(SetMapMode(hdc, MM_ANISOTROPIC), MM_TEXT);
    SIZE oldExt;
    ASSERT_TRUE(SetWindowExtEx(hdc, 10, 10, &oldExt));
    EXPECT_EQ(oldExt.cx, 1);
    ASSERT_TRUE(SetViewportExtEx(hdc, 20, -30, nullptr));
    POINT oldOrg;
    ASSERT_TRUE(SetWindowOrgEx(hdc, 5, 5, nullptr));
    ASSERT_TRUE(SetViewportOrgEx(hdc, 100, 200, &oldOrg));
    EXPECT_EQ(oldOrg.x, 0);
    POINT pts[2] = {{5, 5}, {15, 15}};
    ASSERT_TRUE(LPtoDP(hdc, pts, 2));
    EXPECT_EQ(pts[0].x, 100);
    EXPECT_EQ(pts[0].y, 200);
    EXPECT_EQ(pts[1].x, 120);
    EXPECT_EQ(pts[1].y, 170);
    ASSERT_TRUE(DPtoLP(hdc, pts, 2));
    EXPECT_EQ(pts[1].x, 15);
    EXPECT_EQ(pts[1].y, 15);
    EXPECT_FALSE(SetViewportExtEx(hdc, 0, 5, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    POINT far[2] = {{0, 0}, {INT_MAX, 0}};
    EXPECT_FALSE(LPtoDP(hdc, far, 2));
    EXPECT_EQ(far[0].x, 0); /* none converted */
    EXPECT_FALSE(LPtoDP(hdc, pts, -1));
    ASSERT_TRUE(DeleteDC(hdc));
    EXPECT_EQ(SetMapMode(hdc, MM_TEXT), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_FALSE(LPtoDP(hdc, pts, 1));
}
