#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_wide.h"

TEST(String, LengthsAndCopiesTolerateNullAndTruncate)
{
    EXPECT_EQ(lstrlenW(nullptr), 0);
    EXPECT_EQ(lstrlenW(QMW("abc")), 3);
    EXPECT_EQ(lstrlenA("abcd"), 4);
    WCHAR buf[8] = {};
    EXPECT_EQ(lstrcpynW(buf, QMW("abcdef"), 4), buf);
    EXPECT_EQ(qm_wstring(buf), QMW("abc"));
    lstrcpynW(buf, QMW("xy"), 8);
    EXPECT_EQ(qm_wstring(buf), QMW("xy"));
    lstrcpynW(buf, QMW("zz"), 1);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(lstrcpyW(buf, nullptr), nullptr);
    lstrcpyW(buf, QMW("ab"));
    EXPECT_EQ(lstrcatW(buf, QMW("cd")), buf);
    EXPECT_EQ(qm_wstring(buf), QMW("abcd"));
    char narrow[4];
    lstrcpynA(narrow, "hello", 4);
    EXPECT_STREQ(narrow, "hel");
}

TEST(String, ComparisonsOrderAsTheWordSortDoes)
{
    struct {
        const WCHAR *a;
        const WCHAR *b;
        int cmp;
        int cmpi;
    } rows[] = {
        {QMW("abc"), QMW("abc"), 0, 0},
        {QMW("abc"), QMW("ABC"), -1, 0}, /* lower case first, equal ignoring case */
        {QMW("a"), QMW("B"), -1, -1},    /* letters without regard to case */
        {QMW("Zeta"), QMW("alpha"), 1, 1},
        {QMW("ab"), QMW("abc"), -1, -1},
        {QMW("_x"), QMW("ax"), -1, -1}, /* symbols before letters */
        {QMW("9"), QMW("a"), -1, -1},   /* digits before letters */
        {QMW("\u00E9t\u00E9"), QMW("\u00C9T\u00C9"), -1, 0},
        {QMW("\u0434\u0430"), QMW("\u0414\u0410"), -1, 0},
        {nullptr, QMW(""), -1, -1},
        {nullptr, nullptr, 0, 0},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(lstrcmpW(row.a, row.b), row.cmp);
        EXPECT_EQ(lstrcmpW(row.b, row.a), -row.cmp);
        EXPECT_EQ(lstrcmpiW(row.a, row.b), row.cmpi);
    }
    EXPECT_EQ(lstrcmpiA("System", "SYSTEM"), 0);
    EXPECT_EQ(lstrcmpA("a", "b"), -1);
}

TEST(String, CaseMappingInPlaceAndOfSingleCharacters)
{
    WCHAR text[] = QMW("ab\u00E9\u00FF\u0101\u03B1\u0430\u0451\uFF41\u00DF1_z");
    EXPECT_EQ(CharUpperW(text), text);
    EXPECT_EQ(qm_wstring(text), QMW("AB\u00C9\u0178\u0100\u0391\u0410\u0401\uFF21\u00DF1_Z"));
    EXPECT_EQ(CharLowerBuffW(text, 3), 3u);
    EXPECT_EQ(qm_wstring(text), QMW("ab\u00E9\u0178\u0100\u0391\u0410\u0401\uFF21\u00DF1_Z"));
    CharLowerW(text);
    EXPECT_EQ(qm_wstring(text), QMW("ab\u00E9\u00FF\u0101\u03B1\u0430\u0451\uFF41\u00DF1_z"));
    /* a value below 0x10000 in place of the pointer is one character, returned converted */
    EXPECT_EQ((UINT_PTR)CharUpperW((LPWSTR)(UINT_PTR)QMW('q')), (UINT_PTR)QMW('Q'));
    EXPECT_EQ((UINT_PTR)CharLowerW((LPWSTR)(UINT_PTR)0x00C9), (UINT_PTR)0x00E9);
    const WCHAR *s = QMW("ab");
    EXPECT_EQ(CharNextW(s), s + 1);
    EXPECT_EQ(CharNextW(s + 2), s + 2);
    EXPECT_EQ(CharPrevW(s, s), s);
}

TEST(String, DecimalParsing)
{
    struct {
        const WCHAR *text;
        long value;
    } rows[] = {
        {QMW("42"), 42},
        {QMW("  -17x"), -17},
        {QMW("+8"), 8},
        {QMW("\t 0012"), 12},
        {QMW("abc"), 0},
        {QMW(""), 0},
        {QMW("2147483647"), 2147483647L},
        {QMW("99999999999"), 2147483647L},
        {QMW("-2147483648"), -2147483647L - 1},
        {QMW("-99999999999"), -2147483647L - 1},
        {nullptr, 0},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(_wtol(row.text), row.value);
        EXPECT_EQ(_wtoi(row.text), (int)row.value);
    }
}
