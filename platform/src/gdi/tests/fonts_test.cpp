/*
 * Installed font families through the desktop DC, and the character set table.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/testing/qm_testing_gdi.h"

namespace {

int CALLBACK CollectFamily(const LOGFONTW *lf, const TEXTMETRICW *, DWORD type, LPARAM param)
{
    auto *names = (std::vector<std::u16string> *)param;
    names->emplace_back((const char16_t *)lf->lfFaceName);
    EXPECT_EQ(type, (DWORD)TRUETYPE_FONTTYPE);
    return names->size() < 2 ? 1 : 0; // stops after the second family
}

TEST(GdiFonts, DesktopDcEnumeratesTheDeclaredFamiliesUntilTheCallbackStops)
{
    HDC dc = GetDC(GetDesktopWindow());
    ASSERT_NE(dc, nullptr);
    std::vector<std::u16string> names;
    EXPECT_EQ(EnumFontFamiliesW(dc, nullptr, CollectFamily, (LPARAM)&names), 1);
    EXPECT_TRUE(names.empty()); // nothing installed by default

    const LPCWSTR installed[] = {TEXT("Arial"), TEXT("Courier New"), TEXT("Times New Roman")};
    ASSERT_TRUE(qmt_SetInstalledFontFamilies(installed, 3));
    EXPECT_EQ(EnumFontFamiliesW(dc, nullptr, CollectFamily, (LPARAM)&names), 0);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(names[1], u"Courier New");

    names.clear();
    EXPECT_EQ(EnumFontFamiliesW(dc, TEXT("times new roman"), CollectFamily, (LPARAM)&names), 1);
    ASSERT_EQ(names.size(), 1u);

    EXPECT_EQ(qmt_LiveDisplayDCs(), 1u);
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), dc), 1);
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), dc), 0);
    EXPECT_EQ(qmt_LiveDisplayDCs(), 0u);
    EXPECT_EQ(EnumFontFamiliesW(dc, nullptr, CollectFamily, (LPARAM)&names), 0);
}

TEST(GdiFonts, CharsetsTranslateToTheirCodePages)
{
    const struct {
        UINT charset;
        UINT codePage;
    } cases[] = {{0, 1252}, {128, 932}, {129, 949}, {134, 936}, {136, 950}, {2, 42}, {238, 1250}};
    for (const auto &c : cases) {
        CHARSETINFO info = {};
        ASSERT_TRUE(TranslateCharsetInfo((DWORD *)(ULONG_PTR)c.charset, &info, TCI_SRCCHARSET)) << c.charset;
        EXPECT_EQ(info.ciACP, c.codePage);
        EXPECT_EQ(info.ciCharset, c.charset);
    }
    CHARSETINFO info = {};
    EXPECT_FALSE(TranslateCharsetInfo((DWORD *)(ULONG_PTR)1, &info, TCI_SRCCHARSET)); // DEFAULT_CHARSET
    EXPECT_FALSE(TranslateCharsetInfo((DWORD *)(ULONG_PTR)0, &info, TCI_SRCCODEPAGE));
}

} // namespace
