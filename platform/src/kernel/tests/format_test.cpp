#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

std::u16string fmt_w(const WCHAR *format, ...)
{
    WCHAR out[1100];
    va_list args;
    va_start(args, format);
    int n = wvsprintfW(out, format, args);
    va_end(args);
    EXPECT_EQ(n, lstrlenW(out));
    return out;
}

std::string fmt_a(const char *format, ...)
{
    char out[1100];
    va_list args;
    va_start(args, format);
    int n = wvsprintfA(out, format, args);
    va_end(args);
    EXPECT_EQ(n, lstrlenA(out));
    return out;
}

} // namespace

/* Results as Windows gives them for the same calls. */
TEST(Format, WideFormMatchesWindowsResults)
{
    const WCHAR *null_text = nullptr;
    struct {
        std::u16string got;
        const char16_t *want;
    } rows[] = {
        {fmt_w(u"%d", 42), u"42"},
        {fmt_w(u"%i|%d", -7, 0), u"-7|0"},
        {fmt_w(u"%5d|%-5d|%05d", 42, 42, -42), u"   42|42   |-0042"},
        {fmt_w(u"%.3d|%5.3d|%05.3d", 7, 7, 7), u"007|  007|  007"},
        {fmt_w(u"[%.0d|%.d|%.0x]", 0, 0, 0), u"[0|0|0]"}, /* precision 0 counts as 1 */
        {fmt_w(u"[%c%3c%hc]", 0, 0, 0), u"[]"},           /* zero characters are left out */
        {fmt_w(u"%Ix|%IX", 0xABCu, 0xABCu), u"abc|ABC"},
        {fmt_w(u"%u", -1), u"4294967295"},
        {fmt_w(u"%hd|%hu", 65535, 65537), u"-1|1"},
        {fmt_w(u"%ld|%lu|%lx", -7L, 3000000000UL, 0xDEADBEEFUL), u"-7|3000000000|deadbeef"},
        {fmt_w(u"%x|%X|%04X|%08X", 255, 255, 0xAB, 0x1234), u"ff|FF|00AB|00001234"},
        {fmt_w(u"%#x|%#X|%#x", 255, 255, 0), u"0xff|0XFF|0"},
        {fmt_w(u"DDMID = 0x%0x%s", 0x1A2, u"!"), u"DDMID = 0x1a2!"},
        {fmt_w(u"FunctionID:%d(0x%X)", 257, 257), u"FunctionID:257(0x101)"},
        {fmt_w(u"[0x%04x] = [0x%02x]", 0x1F, 5), u"[0x001f] = [0x05]"},
        {fmt_w(u"%s|%5s|%-5s|%.2s", u"abc", u"abc", u"abc", u"abc"), u"abc|  abc|abc  |ab"},
        {fmt_w(u"'%04s'|'%04s'", u"12", u"123456"), u"'0012'|'123456'"},
        {fmt_w(u"%S|%hs|%ls|%ws", "narrow", "hs", u"ls", u"ws"), u"narrow|hs|ls|ws"},
        {fmt_w(u"%c%C%3c|%lc", u'A', 'B', u'C', u'D'), u"AB  C|D"},
        {fmt_w(u"%s", null_text), u"(null)"},
        {fmt_w(u"100%%|%y|%"), u"100%|y|"},
        {fmt_w(u"%p", (void *)0x12AB), sizeof(void *) == 8 ? u"00000000000012AB" : u"000012AB"},
        {fmt_w(u"%04d/%02d/%02d %02d:%02d:%02d:%03d", 2026, 1, 2, 3, 4, 5, 6), u"2026/01/02 03:04:05:006"},
        {fmt_w(u"%u.%02u", 21u, 7u), u"21.07"},
        {fmt_w(u"%s%d", u"\u30E6\u30FC\u30B6\u30FC", 3), u"\u30E6\u30FC\u30B6\u30FC3"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row.got, std::u16string(row.want));
}

TEST(Format, NarrowFormSwapsTheStringWidths)
{
    EXPECT_EQ(fmt_a("%s|%S|%hs|%ls|%c|%C", "a", u"b", "c", u"d", 'e', u'f'), "a|b|c|d|e|f");
    EXPECT_EQ(fmt_a("%-4d|%#X|%s", 5, 0xBEEF, (const char *)nullptr), "5   |0XBEEF|(null)");
}

TEST(Format, WidthsMeetTheAnsiCodePage)
{
    qmt_PinAnsiCodePage(932);
    EXPECT_EQ(fmt_w(u"[%S]", "\x93\xFA\x96\x7B"), u"[\u65E5\u672C]");
    EXPECT_EQ(fmt_a("[%S]", u"\u65E5\u00E9"), "[\x93\xFA?]");
    qmt_PinAnsiCodePage(0);
}

TEST(Format, OutputStopsAt1023Characters)
{
    std::u16string long_text(1500, u'x');
    WCHAR out[1100];
    EXPECT_EQ(wsprintfW(out, u"%s", long_text.c_str()), 1023);
    EXPECT_EQ(lstrlenW(out), 1023);
    EXPECT_EQ(wsprintfW(out, long_text.c_str()), 1023);
    EXPECT_EQ(wsprintfW(out, u"%2000d", 1), 1023);
    EXPECT_EQ(out[1022], u' '); /* the padding comes first and fills the limit */
    char narrow[1100];
    EXPECT_EQ(wsprintfA(narrow, "%1500s", "y"), 1023);
    EXPECT_EQ(narrow[1023], '\0');
}
