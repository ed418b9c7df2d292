#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"

namespace {

void write_bytes(LPCWSTR name, const std::string &bytes)
{
    HANDLE h = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    DWORD done;
    WriteFile(h, bytes.data(), (DWORD)bytes.size(), &done, nullptr);
    CloseHandle(h);
}

std::string read_bytes(LPCWSTR name)
{
    HANDLE h = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return "<missing>";
    std::string out(GetFileSize(h, nullptr), '\0');
    DWORD done;
    ReadFile(h, out.data(), (DWORD)out.size(), &done, nullptr);
    CloseHandle(h);
    return out;
}

std::string utf16(const std::u16string &s)
{
    std::string out = "\xFF\xFE";
    for (char16_t c : s) {
        out += (char)(c & 0xFF);
        out += (char)(c >> 8);
    }
    return out;
}

std::u16string get(LPCWSTR section, LPCWSTR key, LPCWSTR def, LPCWSTR file, DWORD size = 100)
{
    WCHAR buf[100];
    DWORD n = GetPrivateProfileStringW(section, key, def, buf, size, file);
    return std::u16string(buf, n);
}

/* A double-NUL list as returned, with the NULs as '|'. */
std::u16string list(DWORD n, const WCHAR *buf)
{
    std::u16string out(buf, n + 1);
    for (char16_t &c : out)
        if (c == 0)
            c = u'|';
    return out;
}

const char kOdd[] = "; comment\r\n"
                    "stray=before any section\r\n"
                    "[  Print Settings  ]\r\n"
                    "  Copies   =   3   \r\n"
                    "Name = \"Quoted Value\"  \r\n"
                    "Single='x'\r\n"
                    "Name = second\r\n"
                    "Empty=\r\n"
                    "Flag\r\n"
                    "\r\n"
                    " [other]  trailing text\r\n"
                    "key=1\r\n"
                    "hex = 0x1F\r\n"
                    "neg=-5\r\n"
                    "word=abc\r\n"
                    "Caf\xE9=latin\n" /* a bare LF ends a line too */
                    "[PRINT SETTINGS]\r\n"
                    "Late = 9\r\n"
                    "Copies = 4";

LPCWSTR const kFile = u"C:\\odd.ini";

} // namespace

TEST(Profile, OddSpacingDuplicatesAndQuotesReadAsWindows)
{
    write_bytes(kFile, kOdd);
    struct Case {
        LPCWSTR section;
        LPCWSTR key;
        const char16_t *value;
    };
    const Case cases[] = {
        {u"print settings", u"COPIES", u"3"}, /* the first of two wins */
        {u"Print Settings", u"name", u"Quoted Value"},
        {u"Print Settings", u"single", u"x"},
        {u"Print Settings", u"Empty", u""},
        {u"Print Settings", u"Late", u"9"}, /* from the second section of that name */
        {u"other", u"key", u"1"},
        {u"OTHER", u"CAF\xC9", u"latin"},
        {u"other", u"stray", u"dflt"},
        {u"missing", u"key", u"dflt"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(get(c.section, c.key, u"dflt  ", kFile), c.value) << (const char *)c.key;
    SetLastError(0);
    EXPECT_EQ(get(u"other", u"none", nullptr, kFile), u"");
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(get(u"Print Settings", u"Name", nullptr, kFile, 5), u"Quot"); /* cut, result nSize - 1 */
    EXPECT_EQ(get(u"other", u"none", u"default", kFile, 4), u"def");
    EXPECT_EQ(get(u"a", u"b", u"from a missing file", u"C:\\none.ini"), u"from a missing file");
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(GetPrivateProfileIntW(u"print settings", u"copies", 7, kFile), 3u);
    EXPECT_EQ(GetPrivateProfileIntW(u"other", u"hex", 7, kFile), 31u);
    EXPECT_EQ(GetPrivateProfileIntW(u"other", u"neg", 7, kFile), (UINT)-5);
    EXPECT_EQ(GetPrivateProfileIntW(u"other", u"word", 7, kFile), 0u);
    EXPECT_EQ(GetPrivateProfileIntW(u"Print Settings", u"Empty", 7, kFile), 7u);
    EXPECT_EQ(GetPrivateProfileIntW(u"other", u"none", -2, kFile), (UINT)-2);
}

TEST(Profile, ListsAndSectionBlocksEndWithTwoNuls)
{
    write_bytes(kFile, kOdd);
    WCHAR buf[200];
    DWORD n = GetPrivateProfileSectionNamesW(buf, 200, kFile);
    EXPECT_EQ(list(n, buf), u"Print Settings|other||");
    n = GetPrivateProfileSectionNamesW(buf, 8, kFile);
    EXPECT_EQ(n, 6u); /* cut: nSize - 2, two NULs */
    EXPECT_EQ(list(n + 1, buf), u"Print ||");
    EXPECT_EQ(buf[7], 0);
    n = GetPrivateProfileStringW(u"print settings", nullptr, u"x", buf, 200, kFile);
    EXPECT_EQ(list(n, buf), u"Copies|Name|Single|Empty|Flag|Late||");
    n = GetPrivateProfileSectionW(u"Print Settings", buf, 200, kFile);
    EXPECT_EQ(list(n, buf), u"Copies=3|Name=\"Quoted Value\"|Single='x'|Name=second|Empty=|Flag|Late=9|Copies=4||");
    n = GetPrivateProfileSectionW(u"Print Settings", buf, 12, kFile);
    EXPECT_EQ(n, 10u);
    EXPECT_EQ(list(n + 1, buf), u"Copies=3|N||");
    buf[0] = buf[1] = u'#';
    EXPECT_EQ(GetPrivateProfileSectionW(u"Missing", buf, 200, kFile), 0u);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, nullptr, buf, 200, u"C:\\none.ini"), 0u);
    EXPECT_EQ(buf[0], 0);
}

TEST(Profile, WritesChangeOnlyTheLinesConcerned)
{
    /* A bare file name is a file of the Windows directory. */
    ASSERT_TRUE(WritePrivateProfileStringW(u"Sec", u"a", u"1", u"new.ini"));
    ASSERT_TRUE(WritePrivateProfileStringW(u"sec", u"B", u"2", u"new.ini"));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Other", u"x", u"y", u"new.ini"));
    ASSERT_TRUE(WritePrivateProfileStringW(u"SEC", u"A", u"10", u"new.ini"));
    EXPECT_EQ(read_bytes(u"C:\\WINDOWS\\NEW.INI"), "[Sec]\r\na=10\r\nB=2\r\n\r\n[Other]\r\nx=y\r\n");

    write_bytes(kFile, kOdd);
    ASSERT_TRUE(WritePrivateProfileStringW(u"print settings", u"copies", u"5", kFile));
    ASSERT_TRUE(WritePrivateProfileStringW(u"Print Settings", u"name", nullptr, kFile)); /* both lines */
    ASSERT_TRUE(WritePrivateProfileStringW(u"Print Settings", u"New", u"n", kFile));
    ASSERT_TRUE(WritePrivateProfileStringW(u"other", u"absent", nullptr, kFile));
    std::string expected = kOdd;
    expected.replace(expected.find("  Copies   =   3   "), 19, "Copies=5");
    expected.erase(expected.find("Name = \"Quoted"), 25);
    expected.erase(expected.find("Name = second"), 15);
    expected.insert(expected.find("Flag\r\n") + 6, "New=n\r\n");
    expected.replace(expected.find("latin\n"), 6, "latin\r\n");
    expected += "\r\n";
    EXPECT_EQ(read_bytes(kFile), expected);

    ASSERT_TRUE(WritePrivateProfileStringW(u"PRINT settings", nullptr, nullptr, kFile));
    WCHAR buf[100];
    DWORD n = GetPrivateProfileSectionNamesW(buf, 100, kFile);
    EXPECT_EQ(list(n, buf), u"other||");
    EXPECT_EQ(get(u"other", u"key", nullptr, kFile), u"1");

    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringW(u"s", u"k", u"v", u"C:\\No\\Dir.ini"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(WritePrivateProfileStringW(nullptr, u"k", u"v", kFile));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    ASSERT_TRUE(SetFileAttributesW(kFile, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WritePrivateProfileStringW(u"s", u"k", u"v", kFile));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
}

TEST(Profile, Utf16FilesAreReadAndWrittenBackAsUtf16)
{
    LPCWSTR file = u"C:\\wide.ini";
    write_bytes(file, utf16(u"[Sektion]\r\nSchl\u00FCssel = Wert \u65E5\u672C\r\n"));
    EXPECT_EQ(get(u"SEKTION", u"SCHL\u00DCSSEL", nullptr, file), u"Wert \u65E5\u672C");
    ASSERT_TRUE(WritePrivateProfileStringW(u"Sektion", u"Neu", u"\u00E9t\u00E9", file));
    EXPECT_EQ(read_bytes(file), utf16(u"[Sektion]\r\nSchl\u00FCssel = Wert \u65E5\u672C\r\nNeu=\u00E9t\u00E9\r\n"));
    EXPECT_EQ(get(u"Sektion", u"neu", nullptr, file), u"\u00E9t\u00E9");
}
