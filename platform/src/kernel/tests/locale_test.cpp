#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

std::u16string field(LCID lcid, LCTYPE type)
{
    WCHAR text[16] = {};
    int n = GetLocaleInfoW(lcid, type, text, 16);
    EXPECT_EQ(n, lstrlenW(text) + 1);
    return text;
}

class Locale : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qmt_PinLocale(0);
    }
};

} // namespace

TEST_F(Locale, HostPlaysUnitedStatesEnglish)
{
    EXPECT_EQ(GetUserDefaultLCID(), 0x0409u);
    EXPECT_EQ(GetSystemDefaultLCID(), 0x0409u);
    EXPECT_EQ(GetUserDefaultLangID(), 0x0409);
    EXPECT_EQ(GetSystemDefaultLangID(), 0x0409);
    EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
    EXPECT_EQ(GetThreadLocale(), 0x0409u);
    EXPECT_EQ(field(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY), u"1");
    EXPECT_EQ(field(LOCALE_USER_DEFAULT, LOCALE_IMEASURE), u"1");
    EXPECT_EQ(field(LOCALE_USER_DEFAULT, LOCALE_IDATE), u"0");
    EXPECT_EQ(field(LOCALE_USER_DEFAULT, LOCALE_ILANGUAGE), u"0409");
}

TEST_F(Locale, PinnedLocaleAnswersItsFields)
{
    struct {
        LCID lcid;
        const char16_t *country, *measure, *date, *acp;
    } rows[] = {
        {0x0411, u"81", u"0", u"2", u"932"},
        {0x0809, u"44", u"0", u"1", u"1252"},
        {0x1009, u"2", u"0", u"0", u"1252"},
        {0x0407, u"49", u"0", u"1", u"1252"},
    };
    for (const auto &row : rows) {
        qmt_PinLocale(row.lcid);
        EXPECT_EQ(GetUserDefaultLangID(), (LANGID)row.lcid);
        EXPECT_EQ(field(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY), row.country);
        EXPECT_EQ(field(LOCALE_SYSTEM_DEFAULT, LOCALE_IMEASURE), row.measure);
        EXPECT_EQ(field(row.lcid, LOCALE_IDATE | LOCALE_NOUSEROVERRIDE), row.date);
        EXPECT_EQ(field(row.lcid, LOCALE_IDEFAULTANSICODEPAGE), row.acp);
    }
    DWORD number = 0;
    EXPECT_EQ(GetLocaleInfoW(0x0411, LOCALE_ICOUNTRY | LOCALE_RETURN_NUMBER, (LPWSTR)&number, 2), 2);
    EXPECT_EQ(number, 81u);
}

TEST_F(Locale, SizeProtocolAndErrors)
{
    WCHAR text[4];
    EXPECT_EQ(GetLocaleInfoW(0x0411, LOCALE_ICOUNTRY, nullptr, 0), 3);
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(0x0411, LOCALE_ICOUNTRY, text, 2), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(0x0C0A, LOCALE_ICOUNTRY, text, 4), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoW(0x0409, 0x7777, text, 4), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_FLAGS);
}
