/* Text in code pages 1252 and 932: exact conversion, byte lengths, validation against the
 * resource module's tables and against tables that do not read, and cutting, removal and
 * extraction that never split a double-byte character. */
#include "ui/driver/runtime/text.h"

#include "runtime_fixture.h"

namespace {

using Text = RuntimeTest;

const WCHAR kHiraganaA[] = u"\x3042";
const WCHAR kDoubleSpace = 0x3000;

TEST_F(Text, ExactConversionRefusesUnmappableCharacters)
{
    struct Case {
        UINT page;
        const WCHAR *text;
        int exact;
        DWORD bytes;
    };
    static const Case kCases[] = {
        {1252, u"caf\x00E9", 1, 4},
        {1252, kHiraganaA, 0, 1}, // only the best-fit conversion answers ("?")
        {1252, u"\x0100", 0, 1},  // A with macron: best fit gives "A", exact refuses
        {932, kHiraganaA, 1, 2},  // a lead byte counts 2
        {932, u"a\x3042z", 1, 4},
        {932, u"\x00E9", 0, 1},
    };
    for (const Case &c : kCases) {
        qmt_PinAnsiCodePage(c.page);
        char *out = (char *)1;
        DWORD length = 0;
        EXPECT_EQ(c.exact, ui_WideToMultiByteExact(c.text, &out, &length)) << c.page;
        if (c.exact) {
            EXPECT_EQ(c.bytes, length);
            GlobalFree(out);
        } else {
            EXPECT_EQ(nullptr, out);
        }
        EXPECT_EQ(1, ui_WideToMultiByte(c.text, &out, &length));
        EXPECT_EQ(c.bytes, length);
        EXPECT_EQ(c.bytes, ui_GetMultiByteLength(c.text));
        WCHAR *back = nullptr;
        DWORD chars = 0;
        EXPECT_EQ(1, ui_MultiByteToWide(out, &back, &chars));
        if (c.exact) {
            EXPECT_EQ(std::u16string(c.text), std::u16string(back));
        }
        GlobalFree(out);
        GlobalFree(back);
    }
}

TEST_F(Text, ValidationAgainstTheModuleTables)
{
    static const UINT kAscii[] = {9219, 9220, 0};
    static const UINT kLeads[] = {9221, 9222, 0};
    static const UINT kForbidden[] = {9231, 0};
    static const UINT kForbiddenPairs[] = {9233, 0};
    static const UINT kKana[] = {9279, 9280, 0};
    std::u16string blanks2(3, kDoubleSpace);
    std::u16string mixedBlanks = u" " + blanks2 + u" ";
    struct Case {
        UINT page;
        std::u16string text;
        const UINT *singles;
        DWORD flags;
        DWORD limit;
        int valid;
    };
    const Case kCases[] = {
        {932, u"abc", kAscii, 0, 0, 1},
        {932, u"a*c", kAscii, 0, 0, 0},    // forbidden single byte
        {932, u"a\tc", kAscii, 0, 0, 0},   // outside the single ranges
        {932, u"\xFF71", kAscii, 0, 0, 0}, // half-width katakana: not ASCII
        {932, u"\xFF71", kKana, 0, 0, 1},
        {932, u"a\x3042", kAscii, 0, 0, 1}, // a double-byte character in the lead ranges
        {932, u"\xFF3C", kAscii, 0, 0, 0},  // the double-byte backslash is forbidden
        {932, u"", kAscii, 0, 0, 0},        // empty
        {932, u"", kAscii, 0x200, 0, 1},
        {932, blanks2, kAscii, 0, 0, 1},
        {932, blanks2, kAscii, 0x100, 0, 0}, // double-byte spaces only
        {932, mixedBlanks, kAscii, 0x100, 0, 0},
        {932, u"  a", kAscii, 0x100, 0, 1},
        {932, u"a\x3042", kAscii, 0x41, 3, 1}, // 3 bytes within the limit
        {932, u"a\x3042", kAscii, 0x41, 2, 0},
        {932, u"a\x3042", kAscii, 0x40, 2, 1}, // one bit alone checks nothing
        {1252, u"caf\x00E9", nullptr, 0, 0, 1},
        {1252, u"caf\x00E9", kAscii, 0, 0, 0},
        {1252, kHiraganaA, nullptr, 0, 0, 0}, // unmappable
        {1252, u"   ", nullptr, 0x100, 0, 0},
    };
    for (const Case &c : kCases) {
        qmt_PinAnsiCodePage(c.page);
        EXPECT_EQ(c.valid,
                  ui_ValidateText(c.text.c_str(), c.singles, kLeads, kForbidden, kForbiddenPairs, c.flags, c.limit))
            << c.page << " case " << (&c - kCases);
    }
}

TEST_F(Text, TruncationKeepsDoubleByteCharactersWhole)
{
    qmt_PinAnsiCodePage(932);
    struct Case {
        DWORD maxBytes;
        std::u16string text;
        std::u16string result;
        BOOL truncated;
    };
    const Case kCases[] = {
        {5, u"\x3042\x3044\x3046", u"\x3042\x3044", TRUE}, // the odd byte drops the whole character
        {6, u"\x3042\x3044\x3046", u"\x3042\x3044\x3046", FALSE},
        {3, u"ab\x3042", u"ab", TRUE},
        {4, u"ab\x3042", u"ab\x3042", FALSE},
        {0, u"a", u"", TRUE},
    };
    for (const Case &c : kCases) {
        std::u16string text = c.text;
        BOOL truncated = 7;
        EXPECT_EQ(1, ui_TruncateToBytes(c.maxBytes, text.data(), &truncated));
        EXPECT_EQ(c.result, std::u16string(text.c_str()));
        EXPECT_EQ(c.truncated, truncated);
    }
    EXPECT_EQ(0, ui_TruncateToBytes(4, nullptr, nullptr));
}

TEST_F(Text, RemovalAndExtractionReadDoubleByteCharactersWhole)
{
    // 0x95 0x5C is one character in code page 932; its trail byte is a backslash.
    struct Case {
        UINT page;
        const char *text;
        const char *removed;
    };
    static const Case kRemovals[] = {
        {932,
         "a\x95\x5C\\b",
         "a\x95\x5C"
         "b"},
        {1252,
         "a\x95\x5C\\b",
         "a\x95"
         "b"},
        {932, "x\x95\x5Cy\x95\x5C", "x\x95\x5Cy\x95\x5C"},
    };
    for (const Case &c : kRemovals) {
        qmt_PinAnsiCodePage(c.page);
        std::string text = c.text;
        EXPECT_EQ(1, ui_RemoveCharacters(text.data(), "\\"));
        EXPECT_EQ(std::string(c.removed), std::string(text.c_str()));
    }
    qmt_PinAnsiCodePage(932);
    std::string text = "x\x95\x5Cy\x95\x5C";
    EXPECT_EQ(1, ui_RemoveCharacters(text.data(), "\x95\x5C")); // a double-byte character removed whole
    EXPECT_EQ(std::string("xy"), std::string(text.c_str()));

    // 0x83 0x5D holds a "]" as its trail byte.
    char *out = nullptr;
    DWORD length = 0;
    EXPECT_EQ(1, ui_ExtractDelimitedText(&out, &length, "[ab]\x83\x5D", '[', ']'));
    EXPECT_EQ(std::string("ab"), std::string(out));
    EXPECT_EQ(2u, length);
    GlobalFree(out);
    EXPECT_EQ(1, ui_ExtractDelimitedText(&out, &length, "<a<b>c>", '<', '>')); // first opening, last closing
    EXPECT_EQ(std::string("a<b>c"), std::string(out));
    GlobalFree(out);
    EXPECT_EQ(0, ui_ExtractDelimitedText(&out, &length, "a]b[", '[', ']'));
    EXPECT_EQ(nullptr, out);
}

TEST_F(Text, ParenthesisAppendAndFileName)
{
    struct Case {
        const char16_t *text;
        DWORD mode;
        int answer;
        const char16_t *result;
    };
    static const Case kCases[] = {
        {u"Letter (8.5 x 11)", 0, 1, u"Letter "},
        {u"Letter (8.5 x 11)", 1, 1, u"Letter"}, // the separator of string 2009 dropped too
        {u"A (x) B (y) C", 2, 1, u"A (x) B  C"},
        {u"A (x", 2, 1, u"A "},
        {u"Plain", 0, 0, u"Plain"},
        {u"A (x)", 3, 0, u"A (x)"},
    };
    for (const Case &c : kCases) {
        std::u16string text = c.text;
        EXPECT_EQ(c.answer, ui_StripParenthesis(text.data(), c.mode)) << (&c - kCases);
        EXPECT_EQ(std::u16string(c.result), std::u16string(text.c_str())) << (&c - kCases);
    }
    WCHAR cut[] = u"Name (1)";
    EXPECT_EQ(1, ui_CutAtParenthesis(cut));
    EXPECT_EQ(std::u16string(u"Name "), std::u16string(cut));

    WCHAR buffer[8] = u"abc";
    EXPECT_EQ(1, ui_AppendBounded(buffer, u"de", 8));
    EXPECT_EQ(0, ui_AppendBounded(buffer, u"fghij", 8)); // cut to the capacity
    EXPECT_EQ(std::u16string(u"abcdefg"), std::u16string(buffer));

    EXPECT_EQ(std::u16string(u"file.txt"), std::u16string(ui_GetFileNamePart(u"C:\\dir\\file.txt")));
    EXPECT_EQ(std::u16string(u"file.txt"), std::u16string(ui_GetFileNamePart(u"file.txt")));
    EXPECT_EQ(std::u16string(u""), std::u16string(ui_GetFileNamePart(u"C:\\dir\\")));
}

TEST(BrokenTables, AnswerInvalidWithoutReadingPast)
{
    // The stand-in module plays driver and resource module: its string 32767 names itself.
    HMODULE broken = LoadLibraryExW(WindowsPath(QM_TEST_MODULE).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(nullptr, broken);
    util_SetModuleHandle(broken);
    ASSERT_NE(nullptr, util_GetResourceModule());
    struct Case {
        UINT ids[3];
        int valid;
    };
    static const Case kCases[] = {
        {{110, 0, 0}, 1},   // reads
        {{100, 0, 0}, 0},   // no terminator
        {{101, 0, 0}, 0},   // not hexadecimal
        {{102, 0, 0}, 0},   // three digits
        {{103, 0, 0}, 0},   // an empty number
        {{104, 0, 0}, 0},   // a range without its end
        {{105, 0, 0}, 0},   // a sign
        {{110, 999, 0}, 0}, // a missing string
    };
    for (const Case &c : kCases)
        for (int table = 0; table < 4; ++table) {
            const UINT *ids[4] = {};
            ids[table] = c.ids;
            // A table that does not read answers 0 even where the text needs none of it.
            EXPECT_EQ(c.valid, ui_ValidateText(u"42", ids[0], ids[1], ids[2], ids[3], 0, 0))
                << (&c - kCases) << " table " << table;
        }
    util_ReleaseResourceModule();
    util_SetModuleHandle(nullptr);
    FreeLibrary(broken);
}

} // namespace
