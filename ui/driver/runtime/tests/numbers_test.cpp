/* Numbers: strict parsing, fixed-point and value texts, units, margins, range texts and
 * scaling for the screen. */
#include "ui/driver/runtime/numbers.h"

#include "platform/testing/qm_testing_gdi.h"
#include "runtime_fixture.h"

namespace {

using Numbers = RuntimeTest;

std::u16string Take(WCHAR *text)
{
    std::u16string result = text != nullptr ? std::u16string(text) : u"<null>";
    if (text != nullptr)
        GlobalFree(text);
    return result;
}

TEST(ParseInteger, StrictDigitsAndTheThirtyTwoBitEdges)
{
    struct Case {
        const char *text;
        int answer;
        DWORD value;
    };
    static const Case kCases[] = {
        {"4294967295", 1, 0xFFFFFFFFu},
        {"4294967296", 0, 0},
        {"12345678901", 0, 0},
        {"-2147483648", 1, 0x80000000u},
        {"-2147483649", 0, 0},
        {"-", 0, 0},
        {"+", 0, 0},
        {"", 0, 0},
        {"+17", 1, 17},
        {"-1", 1, 0xFFFFFFFFu},
        {"0000000042", 1, 42},
        {"12a", 0, 0},
        {" 12", 0, 0},
        {"12 ", 0, 0},
        {"--1", 0, 0},
        {"9999999999", 0, 0},
        {"-0", 1, 0},
    };
    for (const Case &c : kCases) {
        DWORD value = 0x5A5A5A5A;
        EXPECT_EQ(c.answer, ui_ParseIntegerA(c.text, &value)) << c.text;
        EXPECT_EQ(c.answer ? c.value : 0x5A5A5A5Au, value) << c.text;
    }
    EXPECT_EQ(0, ui_ParseIntegerA(nullptr, nullptr));
}

TEST_F(Numbers, FixedPointTexts)
{
    struct Case {
        WORD decimals;
        BOOL signedFlag;
        DWORD flags;
        LONG value;
        const char16_t *text;
    };
    static const Case kCases[] = {
        {2, FALSE, 0x40, 1205, u"12.05"},
        {2, FALSE, 0x140, 1200, u"12"}, // a zero fraction left out
        {2, FALSE, 0x40, 1200, u"12.00"},
        {2, FALSE, 0x140, 1205, u"12.05"},
        {2, TRUE, 0x40, -1205, u"-12.05"},
        {1, TRUE, 0x40, -5, u"-0.5"},
        {3, FALSE, 0x40, 7, u"0.007"},
        {2, FALSE, 0x40, -1, u"42949672.95"}, // without the signed flag: unsigned
        {0, TRUE, 0x40, -12, u"-12"},
        {2, FALSE, 0x100, 1205, u"<null>"}, // 0x40 missing
        {10, FALSE, 0x40, 1205, u"<null>"},
    };
    for (const Case &c : kCases) {
        WCHAR *text = nullptr;
        int answer = ui_FormatFixedPoint(&text, c.decimals, c.signedFlag, c.flags, c.value);
        EXPECT_EQ(std::u16string(c.text), Take(text)) << c.value;
        EXPECT_EQ(text != nullptr || std::u16string(c.text) != u"<null>" ? 1 : 0, answer);
    }
}

TEST_F(Numbers, ValueTextsByType)
{
    struct Case {
        WORD decimals;
        WORD valueType;
        LONG value;
        const char16_t *text;
    };
    static const Case kCases[] = {
        {0, VT_LONG32, -5, u"-5"},
        {0, VT_DWORD, -1, u"4294967295"},
        {0, VT_SHORT, -300, u"-300"},
        {1, VT_LONG32, -25, u"-2.5"},
    };
    for (const Case &c : kCases) {
        WCHAR *text = nullptr;
        EXPECT_EQ(1, ui_FormatValueText(&text, c.decimals, TRUE, c.valueType, c.value));
        EXPECT_EQ(std::u16string(c.text), Take(text));
    }
}

TEST(Units, MetricToInchAndDecimals)
{
    struct Conversion {
        LONG value;
        WORD functionId;
        LONG inch;
    };
    static const Conversion kConversions[] = {
        {254, 0, 100},
        {1, 0, 0},
        {2, 0, 1},
        {-2, 0, -1},
        {2100, 0, 827},
        {100, 268, 19},
        {-100, 268, -19},
        {48, 482, 19},
        {100, 311, 39}, // 311 is not clamped
    };
    for (const Conversion &c : kConversions)
        EXPECT_EQ(c.inch, ui_MetricToInch(c.value, c.functionId)) << c.value;
    EXPECT_EQ(254, ui_InchToMetric(100));
    EXPECT_EQ(-254, ui_InchToMetric(-100));

    struct Decimals {
        WORD functionId;
        DWORD unit;
        int answer;
        WORD decimals;
    };
    static const Decimals kDecimals[] = {
        {268, 0, 1, 0},
        {268, 1, 1, 1},
        {481, 0, 1, 2},
        {481, 1, 1, 3},
        {478, 0, 1, 1},
        {1864, 1, 1, 2},
        {5889, 0, 1, 1},
        {5928, 1, 1, 2},
        {5929, 0, 0, 0},
        {311, 0, 0, 0},
    };
    for (const Decimals &d : kDecimals) {
        WORD decimals = 77;
        EXPECT_EQ(d.answer, ui_GetUnitDecimals(d.functionId, d.unit, &decimals)) << d.functionId;
        EXPECT_EQ(d.answer ? d.decimals : 77, decimals) << d.functionId;
    }
}

TEST(Margins, OneOrAllByIndex)
{
    PaperMargins margins = {1, 2, 3, 4};
    const LONG values[4] = {10, 20, 30, 40};
    EXPECT_EQ(1, ui_SetMargins(&margins, 2, values));
    EXPECT_EQ(30, margins.right);
    EXPECT_EQ(1, margins.left);
    LONG out[4] = {};
    EXPECT_EQ(1, ui_GetMargins(&margins, 2, out));
    EXPECT_EQ(30, out[2]);
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(1, ui_SetMargins(&margins, UI_MARGINS_ALL, values));
    EXPECT_EQ(1, ui_GetMargins(&margins, UI_MARGINS_ALL, out));
    EXPECT_EQ(10, out[0]);
    EXPECT_EQ(20, out[1]);
    EXPECT_EQ(40, out[3]);
    EXPECT_EQ(0, ui_SetMargins(&margins, 5, values));
    EXPECT_EQ(0, ui_GetMargins(nullptr, 0, out));
}

TEST_F(Numbers, RangeTexts)
{
    HMODULE module = util_GetResourceModule();
    WCHAR *text = nullptr;
    EXPECT_EQ(1, ui_FormatRangeText(module, 1000, 2970, 1, 0, &text));
    EXPECT_EQ(std::u16string(u"100.0 - 297.0 mm"), Take(text));
    EXPECT_EQ(1, ui_FormatRangeText(module, 394, 1169, 2, 1, &text));
    EXPECT_EQ(std::u16string(u"3.94 - 11.69 in"), Take(text));
    EXPECT_EQ(0, ui_FormatRangeText(nullptr, 1, 2, 0, 0, &text));
    EXPECT_EQ(nullptr, text);
}

TEST(Dpi, ScalesFromVistaOn)
{
    OSVERSIONINFOEXW vista = {};
    vista.dwOSVersionInfoSize = sizeof(vista);
    vista.dwMajorVersion = 6;
    vista.dwPlatformId = VER_PLATFORM_WIN32_NT;
    qmt_PinOsVersion(&vista);
    struct Case {
        int dpi;
        int scaled;
    };
    static const Case kCases[] = {{96, 100}, {120, 125}, {144, 150}};
    for (const Case &c : kCases) {
        qmt_PinDpi(c.dpi);
        EXPECT_EQ(c.scaled, ui_ScaleForDpi(nullptr, 100, LOGPIXELSX));
        HDC dc = GetDC(nullptr);
        EXPECT_EQ(c.scaled, ui_ScaleForDpi(dc, 100, LOGPIXELSY));
        ReleaseDC(nullptr, dc);
    }
    EXPECT_EQ(0u, qmt_LiveDisplayDCs());
    qmt_PinDpi(0);
}

TEST(Dpi, UnscaledBeforeVista)
{
    qmt_PinOsVersion(nullptr); // 5.1
    qmt_PinDpi(144);
    EXPECT_EQ(100, ui_ScaleForDpi(nullptr, 100, LOGPIXELSX));
    qmt_PinDpi(0);
}

} // namespace
