#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/testing/qm_testing.h"

namespace {

std::u16string to_wide(UINT cp, const std::string &bytes, DWORD flags = 0)
{
    int n = MultiByteToWideChar(cp, flags, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::u16string out(n, u'\0');
    if (n) {
        EXPECT_EQ(MultiByteToWideChar(cp, flags, bytes.data(), (int)bytes.size(), out.data(), n), n);
    }
    return out;
}

std::string to_bytes(UINT cp, const std::u16string &wide, BOOL *used_default = nullptr, LPCSTR default_char = nullptr)
{
    int n = WideCharToMultiByte(cp, 0, wide.data(), (int)wide.size(), nullptr, 0, default_char, used_default);
    std::string out(n, '\0');
    if (n) {
        EXPECT_EQ(WideCharToMultiByte(cp, 0, wide.data(), (int)wide.size(), out.data(), n, default_char, used_default),
                  n);
    }
    return out;
}

class CodePage : public ::testing::Test
{
protected:
    void TearDown() override
    {
        qmt_PinAnsiCodePage(0);
    }
};

} // namespace

TEST_F(CodePage, Windows1252RoundTripsEveryByte)
{
    std::string all;
    for (int b = 1; b < 256; ++b)
        all.push_back((char)b);
    std::u16string wide = to_wide(1252, all);
    ASSERT_EQ(wide.size(), 255u);
    EXPECT_EQ(wide[0x80 - 1], u'\u20AC'); /* euro sign */
    EXPECT_EQ(wide[0x81 - 1], u'\u0081'); /* undefined in the chart, kept as its own code */
    EXPECT_EQ(wide[0x9F - 1], u'\u0178');
    EXPECT_EQ(wide[0xE9 - 1], u'\u00E9');
    BOOL used = TRUE;
    EXPECT_EQ(to_bytes(1252, wide, &used), all);
    EXPECT_FALSE(used);
}

TEST_F(CodePage, ShiftJisKeepsTrailBytesThatLookLikeAscii)
{
    /* 0x83 0x5C is katakana SO: its trail byte is the backslash, which must not split it */
    const std::string sjis = "C:\\\x83\x5C\\\x93\xFA\x96\x7B\x8C\xEA\xB1~";
    std::u16string wide = to_wide(932, sjis);
    EXPECT_EQ(wide, u"C:\\\u30BD\\\u65E5\u672C\u8A9E\uFF71~");
    EXPECT_EQ(to_bytes(932, wide), sjis);

    struct {
        BYTE byte;
        BOOL lead;
    } leads[] = {
        {0x80, FALSE},
        {0x81, TRUE},
        {0x9F, TRUE},
        {0xA0, FALSE},
        {0xB1, FALSE},
        {0xDF, FALSE},
        {0xE0, TRUE},
        {0xFC, TRUE},
        {0xFD, FALSE},
        {0x5C, FALSE},
    };
    for (const auto &row : leads) {
        EXPECT_EQ(IsDBCSLeadByteEx(932, row.byte), row.lead) << std::hex << (int)row.byte;
        EXPECT_FALSE(IsDBCSLeadByteEx(1252, row.byte));
    }
}

TEST_F(CodePage, ShiftJisRoundTripsEveryDoubleByteCharacter)
{
    /* Every defined pair decodes to one character that encodes back to a pair giving the
     * same character; pairs that repeat a character elsewhere encode to Windows' choice. */
    int defined = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (!IsDBCSLeadByteEx(932, (BYTE)lead))
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F)
                continue;
            char pair[2] = {(char)lead, (char)trail};
            WCHAR ch = 0;
            ASSERT_EQ(MultiByteToWideChar(932, 0, pair, 2, &ch, 1), 1);
            if (MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, pair, 2, &ch, 1) != 1)
                continue;
            ++defined;
            std::string back = to_bytes(932, std::u16string(1, ch));
            ASSERT_EQ(back.size(), 2u) << std::hex << lead << " " << trail;
            EXPECT_EQ(to_wide(932, back), std::u16string(1, ch));
        }
    }
    EXPECT_GT(defined, 7000);
    struct {
        char16_t ch;
        const char *bytes;
    } preferred[] = {
        {u'\u2252', "\x81\xE0"}, /* also at 0x8790 */
        {u'\u2160', "\x87\x54"}, /* also at 0xFA4A */
        {u'\uFFE2', "\x81\xCA"}, /* also at 0xEEF9 and 0xFA54 */
        {u'\u7E8A', "\xFA\x5C"}, /* also at 0xED40 */
    };
    for (const auto &row : preferred) {
        EXPECT_EQ(to_bytes(932, std::u16string(1, row.ch)), std::string(row.bytes)) << std::hex << (int)row.ch;
    }
}

TEST_F(CodePage, UnmappableCharactersBecomeTheDefaultCharacter)
{
    BOOL used = FALSE;
    EXPECT_EQ(to_bytes(1252, u"a\u3042b", &used), "a?b");
    EXPECT_TRUE(used);
    EXPECT_EQ(to_bytes(1252, u"a\u3042b", &used, "*"), "a*b");
    EXPECT_EQ(to_bytes(932, u"\u00E9\u3042", &used), "?\x82\xA0");
    EXPECT_TRUE(used);
    EXPECT_EQ(to_bytes(932, u"\u00E9", &used, "\x81\x45"), "\x81\x45");

    /* undefined or cut-off sequences: the default character, or a failure when asked */
    EXPECT_EQ(to_wide(932, "a\x82"), u"a\u30FB");
    EXPECT_EQ(to_wide(932, "\x85\x40z"), u"\u30FBz");
    EXPECT_EQ(to_wide(932, "\x82\x0Az"), u"\u30FB\nz");
    WCHAR out[8];
    for (const char *bad : {"a\x82", "\x85\x40"}) {
        SetLastError(0);
        EXPECT_EQ(MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, bad, -1, out, 8), 0);
        EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_UNICODE_TRANSLATION);
    }
}

TEST_F(CodePage, Utf8HandlesSurrogatesAndIllFormedInput)
{
    const std::u16string wide = u"x\u00E9\u65E5\U0001F600";
    const std::string utf8 = "x\xC3\xA9\xE6\x97\xA5\xF0\x9F\x98\x80";
    EXPECT_EQ(to_bytes(CP_UTF8, wide), utf8);
    EXPECT_EQ(to_wide(CP_UTF8, utf8), wide);
    EXPECT_EQ(to_bytes(CP_UTF8, u"a\xD800z"), "a\xEF\xBF\xBDz");
    EXPECT_EQ(to_wide(CP_UTF8, "\xC3(\xE0\x80\x80\xED\xA0\x80"), u"\uFFFD(\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");

    WCHAR wout[8];
    char bout[8];
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xC3(", 2, wout, 8), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_UNICODE_TRANSLATION);
    const WCHAR lone[] = {u'a', 0xDC00};
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, 2, bout, 8, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_NO_UNICODE_TRANSLATION);
}

TEST_F(CodePage, SizeProtocol)
{
    /* -1 counts the terminator, an explicit length does not add one */
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, nullptr, 0), 4);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, nullptr, 0), 3);
    EXPECT_EQ(WideCharToMultiByte(932, 0, u"\u65E5a", -1, nullptr, 0, nullptr, nullptr), 4);
    WCHAR wide[4] = {9, 9, 9, 9};
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", 3, wide, 4), 3);
    EXPECT_EQ(wide[3], 9);
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "abc", -1, wide, 3), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    char bytes[3];
    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(932, 0, u"a\u65E5", -1, bytes, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WideCharToMultiByte(932, 0, u"a\u65E5", 2, bytes, 3, nullptr, nullptr), 3);
}

TEST_F(CodePage, BadArgumentsFailWithTheirErrors)
{
    WCHAR wide[8];
    char bytes[8];
    BOOL used;
    struct {
        std::function<int()> call;
        DWORD error;
    } cases[] = {
        {[&] { return MultiByteToWideChar(1252, 0, nullptr, 3, wide, 8); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(1252, 0, "a", 0, wide, 8); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(1252, 0, "a", 1, nullptr, 8); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(1234, 0, "a", 1, wide, 8); }, ERROR_INVALID_PARAMETER},
        {[&] { return MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", 1, wide, 8); }, ERROR_INVALID_FLAGS},
        {[&] { return MultiByteToWideChar(1252, MB_PRECOMPOSED | MB_COMPOSITE, "a", 1, wide, 8); },
         ERROR_INVALID_FLAGS},
        {[&] { return WideCharToMultiByte(1252, 0, u"a", 0, bytes, 8, nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(1252, 0, u"a", 1, bytes, -1, nullptr, nullptr); }, ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(CP_UTF8, 0, u"a", 1, bytes, 8, nullptr, &used); }, ERROR_INVALID_PARAMETER},
        {[&] { return WideCharToMultiByte(1252, WC_ERR_INVALID_CHARS, u"a", 1, bytes, 8, nullptr, nullptr); },
         ERROR_INVALID_FLAGS},
    };
    for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
        SetLastError(0);
        EXPECT_EQ(cases[i].call(), 0) << i;
        EXPECT_EQ(GetLastError(), cases[i].error) << i;
    }
    CPINFO info;
    SetLastError(0);
    EXPECT_FALSE(GetCPInfo(1234, &info));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    SetLastError(0);
    EXPECT_FALSE(IsDBCSLeadByteEx(1234, 0x81));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
}

TEST_F(CodePage, PinnedAnsiCodePageDrivesAcpCallsAndCodePageInfo)
{
    EXPECT_EQ(GetACP(), 1252u);
    EXPECT_EQ(GetOEMCP(), 437u);
    EXPECT_FALSE(IsDBCSLeadByte(0x82));
    CPINFO info;
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    EXPECT_EQ(info.MaxCharSize, 1u);
    EXPECT_EQ(info.DefaultChar[0], '?');
    EXPECT_EQ(info.LeadByte[0], 0);

    qmt_PinAnsiCodePage(932);
    EXPECT_EQ(GetACP(), 932u);
    EXPECT_EQ(GetOEMCP(), 932u);
    EXPECT_TRUE(IsDBCSLeadByte(0x82));
    EXPECT_EQ(to_wide(CP_ACP, "\x82\xA0"), u"\u3042");
    ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
    EXPECT_EQ(info.MaxCharSize, 2u);
    const BYTE leads[] = {0x81, 0x9F, 0xE0, 0xFC, 0, 0};
    EXPECT_EQ(memcmp(info.LeadByte, leads, sizeof(leads)), 0);

    EXPECT_TRUE(IsValidCodePage(932));
    EXPECT_TRUE(IsValidCodePage(CP_UTF8));
    EXPECT_FALSE(IsValidCodePage(1234));
    ASSERT_TRUE(GetCPInfo(CP_UTF8, &info));
    EXPECT_EQ(info.MaxCharSize, 4u);

    qmt_PinAnsiCodePage(0);
    EXPECT_EQ(GetACP(), 1252u);
}
