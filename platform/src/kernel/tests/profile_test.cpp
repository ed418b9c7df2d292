#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_wide.h"

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

std::string utf16(const qm_wstring &s)
{
    std::string out = "\xFF\xFE";
    for (WCHAR c : s) {
        out += (char)(c & 0xFF);
        out += (char)(c >> 8);
    }
    return out;
}

qm_wstring get(LPCWSTR section, LPCWSTR key, LPCWSTR def, LPCWSTR file, DWORD size = 100)
{
    WCHAR buf[100];
    DWORD n = GetPrivateProfileStringW(section, key, def, buf, size, file);
    return qm_wstring(buf, n);
}

/* A double-NUL list as returned, with the NULs as '|'. */
qm_wstring list(DWORD n, const WCHAR *buf)
{
    qm_wstring out(buf, n + 1);
    for (WCHAR &c : out)
        if (c == 0)
            c = QMW('|');
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

LPCWSTR const kFile = QMW("C:\\odd.ini");

} // namespace

TEST(Profile, OddSpacingDuplicatesAndQuotesReadAsWindows)
{
    write_bytes(kFile, kOdd);
    struct Case {
        LPCWSTR section;
        LPCWSTR key;
        const WCHAR *value;
    };
    const Case cases[] = {
        {QMW("print settings"), QMW("COPIES"), QMW("3")}, /* the first of two wins */
        {QMW("Print Settings"), QMW("name"), QMW("Quoted Value")},
        {QMW("Print Settings"), QMW("single"), QMW("x")},
        {QMW("Print Settings"), QMW("Empty"), QMW("")},
        {QMW("Print Settings"), QMW("Late"), QMW("9")}, /* from the second section of that name */
        {QMW("other"), QMW("key"), QMW("1")},
        {QMW("OTHER"), QMW("CAF\xC9"), QMW("latin")},
        {QMW("other"), QMW("stray"), QMW("dflt")},
        {QMW("missing"), QMW("key"), QMW("dflt")},
    };
    for (const Case &c : cases)
        EXPECT_EQ(get(c.section, c.key, QMW("dflt  "), kFile), c.value) << (const char *)c.key;
    SetLastError(0);
    EXPECT_EQ(get(QMW("other"), QMW("none"), nullptr, kFile), QMW(""));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(get(QMW("Print Settings"), QMW("Name"), nullptr, kFile, 5), QMW("Quot")); /* cut, result nSize - 1 */
    EXPECT_EQ(get(QMW("other"), QMW("none"), QMW("default"), kFile, 4), QMW("def"));
    EXPECT_EQ(get(QMW("a"), QMW("b"), QMW("from a missing file"), QMW("C:\\none.ini")), QMW("from a missing file"));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(GetPrivateProfileIntW(QMW("print settings"), QMW("copies"), 7, kFile), 3u);
    EXPECT_EQ(GetPrivateProfileIntW(QMW("other"), QMW("hex"), 7, kFile), 31u);
    EXPECT_EQ(GetPrivateProfileIntW(QMW("other"), QMW("neg"), 7, kFile), (UINT)-5);
    EXPECT_EQ(GetPrivateProfileIntW(QMW("other"), QMW("word"), 7, kFile), 0u);
    EXPECT_EQ(GetPrivateProfileIntW(QMW("Print Settings"), QMW("Empty"), 7, kFile), 7u);
    EXPECT_EQ(GetPrivateProfileIntW(QMW("other"), QMW("none"), -2, kFile), (UINT)-2);
}

TEST(Profile, ListsAndSectionBlocksEndWithTwoNuls)
{
    write_bytes(kFile, kOdd);
    WCHAR buf[200];
    DWORD n = GetPrivateProfileSectionNamesW(buf, 200, kFile);
    EXPECT_EQ(list(n, buf), QMW("Print Settings|other||"));
    n = GetPrivateProfileSectionNamesW(buf, 8, kFile);
    EXPECT_EQ(n, 6u); /* cut: nSize - 2, two NULs */
    EXPECT_EQ(list(n + 1, buf), QMW("Print ||"));
    EXPECT_EQ(buf[7], 0);
    n = GetPrivateProfileStringW(QMW("print settings"), nullptr, QMW("x"), buf, 200, kFile);
    EXPECT_EQ(list(n, buf), QMW("Copies|Name|Single|Empty|Flag|Late||"));
    n = GetPrivateProfileSectionW(QMW("Print Settings"), buf, 200, kFile);
    EXPECT_EQ(list(n, buf), QMW("Copies=3|Name=\"Quoted Value\"|Single='x'|Name=second|Empty=|Flag|Late=9|Copies=4||"));
    n = GetPrivateProfileSectionW(QMW("Print Settings"), buf, 12, kFile);
    EXPECT_EQ(n, 10u);
    EXPECT_EQ(list(n + 1, buf), QMW("Copies=3|N||"));
    buf[0] = buf[1] = QMW('#');
    EXPECT_EQ(GetPrivateProfileSectionW(QMW("Missing"), buf, 200, kFile), 0u);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[1], 0);
    EXPECT_EQ(GetPrivateProfileStringW(nullptr, nullptr, nullptr, buf, 200, QMW("C:\\none.ini")), 0u);
    EXPECT_EQ(buf[0], 0);
}

TEST(Profile, WritesChangeOnlyTheLinesConcerned)
{
    /* A bare file name is a file of the Windows directory. */
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("Sec"), QMW("a"), QMW("1"), QMW("new.ini")));
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("sec"), QMW("B"), QMW("2"), QMW("new.ini")));
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("Other"), QMW("x"), QMW("y"), QMW("new.ini")));
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("SEC"), QMW("A"), QMW("10"), QMW("new.ini")));
    EXPECT_EQ(read_bytes(QMW("C:\\WINDOWS\\NEW.INI")), "[Sec]\r\na=10\r\nB=2\r\n\r\n[Other]\r\nx=y\r\n");

    write_bytes(kFile, kOdd);
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("print settings"), QMW("copies"), QMW("5"), kFile));
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("Print Settings"), QMW("name"), nullptr, kFile)); /* both lines */
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("Print Settings"), QMW("New"), QMW("n"), kFile));
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("other"), QMW("absent"), nullptr, kFile));
    std::string expected = kOdd;
    expected.replace(expected.find("  Copies   =   3   "), 19, "Copies=5");
    expected.erase(expected.find("Name = \"Quoted"), 25);
    expected.erase(expected.find("Name = second"), 15);
    expected.insert(expected.find("Flag\r\n") + 6, "New=n\r\n");
    expected.replace(expected.find("latin\n"), 6, "latin\r\n");
    expected += "\r\n";
    EXPECT_EQ(read_bytes(kFile), expected);

    ASSERT_TRUE(WritePrivateProfileStringW(QMW("PRINT settings"), nullptr, nullptr, kFile));
    WCHAR buf[100];
    DWORD n = GetPrivateProfileSectionNamesW(buf, 100, kFile);
    EXPECT_EQ(list(n, buf), QMW("other||"));
    EXPECT_EQ(get(QMW("other"), QMW("key"), nullptr, kFile), QMW("1"));

    SetLastError(0);
    EXPECT_FALSE(WritePrivateProfileStringW(QMW("s"), QMW("k"), QMW("v"), QMW("C:\\No\\Dir.ini")));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_PATH_NOT_FOUND);
    EXPECT_FALSE(WritePrivateProfileStringW(nullptr, QMW("k"), QMW("v"), kFile));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_INVALID_PARAMETER);
    ASSERT_TRUE(SetFileAttributesW(kFile, FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WritePrivateProfileStringW(QMW("s"), QMW("k"), QMW("v"), kFile));
    EXPECT_EQ(GetLastError(), (DWORD)ERROR_ACCESS_DENIED);
}

TEST(Profile, Utf16FilesAreReadAndWrittenBackAsUtf16)
{
    LPCWSTR file = QMW("C:\\wide.ini");
    write_bytes(file, utf16(QMW("[Sektion]\r\nSchl\u00FCssel = Wert \u65E5\u672C\r\n")));
    EXPECT_EQ(get(QMW("SEKTION"), QMW("SCHL\u00DCSSEL"), nullptr, file), QMW("Wert \u65E5\u672C"));
    ASSERT_TRUE(WritePrivateProfileStringW(QMW("Sektion"), QMW("Neu"), QMW("\u00E9t\u00E9"), file));
    EXPECT_EQ(read_bytes(file), utf16(QMW("[Sektion]\r\nSchl\u00FCssel = Wert \u65E5\u672C\r\nNeu=\u00E9t\u00E9\r\n")));
    EXPECT_EQ(get(QMW("Sektion"), QMW("neu"), nullptr, file), QMW("\u00E9t\u00E9"));
}
