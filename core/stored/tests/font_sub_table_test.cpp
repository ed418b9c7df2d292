/*
 * The font substitution table: built from the model's type-11 records, looked up,
 * edited, stored (an empty table too) and read back.
 */
#include "core/stored/stored.h"

#include "core/stored/tests/stored_fixture.h"

#include <string>

namespace {

using stored_test::Bytes;

/* A table from pairs written as "face|device|face|device" (an empty text: no pairs). */
std::u16string Table(const std::u16string &pairs)
{
    std::u16string table = pairs;
    for (char16_t &c : table) {
        if (c == u'|')
            c = 0;
    }
    if (!pairs.empty())
        table.push_back(0);
    table.push_back(0);
    return table;
}

/* The table's characters through its closing empty string. */
std::u16string Chars(const WCHAR *table)
{
    return std::u16string(table, pd_GetFontSubTableSize(table) / 2);
}

class FontSubTableTest : public stored_test::StoredTest
{
};

TEST_F(FontSubTableTest, BuiltFromTheTypeElevenRecords)
{
    WCHAR *table = pd_BuildFontSubTable(context_);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(
        Table(
            u"Fixed Sans|Mono Device|Typewriter|Mono Device|Courier New|Courier Device|Lucida Console|Courier Device"),
        Chars(table));
    EXPECT_EQ(u"Courier Device", std::u16string(pd_LookupFontSub(table, TEXT("Lucida Console"))));
    EXPECT_EQ(nullptr, pd_LookupFontSub(table, TEXT("courier new"))); /* case-sensitive */
    EXPECT_EQ(nullptr, pd_LookupFontSub(table, TEXT("Mono Device"))); /* device names are no faces */
    GlobalFree(table);
    EXPECT_EQ(nullptr, pd_BuildFontSubTable(nullptr));
}

TEST_F(FontSubTableTest, EditsGiveNewTables)
{
    struct Case {
        const char *why;
        std::u16string before;
        const WCHAR *face;
        const WCHAR *device;
        std::u16string after;
    };
    const Case cases[] = {
        {"replace", u"A|X|B|Y", TEXT("A"), TEXT("Longer"), u"A|Longer|B|Y"},
        {"replace the last", u"A|X|B|Y", TEXT("B"), TEXT("Z"), u"A|X|B|Z"},
        {"remove the first", u"A|X|B|Y", TEXT("A"), nullptr, u"B|Y"},
        {"remove the only", u"A|X", TEXT("A"), nullptr, u""},
        {"append", u"A|X", TEXT("C"), TEXT("W"), u"A|X|C|W"},
        {"append to an empty table", u"", TEXT("C"), TEXT("W"), u"C|W"},
        {"absent, nothing to add: a copy", u"A|X", TEXT("C"), nullptr, u"A|X"},
    };
    for (const Case &c : cases) {
        std::u16string before = Table(c.before);
        WCHAR *edited = pd_EditFontSubTable((const WCHAR *)before.c_str(), c.face, c.device);
        ASSERT_NE(nullptr, edited) << c.why;
        EXPECT_EQ(Table(c.after), Chars(edited)) << c.why;
        EXPECT_EQ(Table(c.before), before) << c.why; /* the old table stays */
        GlobalFree(edited);
    }
    std::u16string table = Table(u"A|X");
    EXPECT_EQ(nullptr, pd_EditFontSubTable(nullptr, TEXT("A"), TEXT("X")));
    EXPECT_EQ(nullptr, pd_EditFontSubTable((const WCHAR *)table.c_str(), nullptr, TEXT("X")));
}

TEST_F(FontSubTableTest, ALongFaceNameGrowsTheTable)
{
    /* Pairs beyond the first 1279 bytes make the build grow; an edit takes any length. */
    std::u16string face(600, u'f');
    std::u16string empty = Table(u"");
    WCHAR *table = pd_EditFontSubTable((const WCHAR *)empty.c_str(), (const WCHAR *)face.c_str(), TEXT("Dev"));
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(Table(face + u"|Dev"), Chars(table));
    ASSERT_TRUE(pd_WriteFontSubTable(printer_, 0, table));
    GlobalFree(table);
    table = pd_ReadFontSubTable(printer_, 0);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(Table(face + u"|Dev"), Chars(table));
    GlobalFree(table);
}

TEST_F(FontSubTableTest, TheStoredTableWinsAndAnEmptyOneIsStored)
{
    /* Nothing stored: the description's table, and Ensure stores it. */
    EXPECT_EQ(nullptr, pd_ReadFontSubTable(printer_, 0));
    WCHAR *table = pd_GetFontSubTable(printer_, 0);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(u"Mono Device", std::u16string(pd_LookupFontSub(table, TEXT("Fixed Sans"))));
    GlobalFree(table);
    ASSERT_TRUE(pd_EnsureFontSubTable(printer_, 0, context_));
    EXPECT_FALSE(Value(TEXT("FontSubTable1")).empty());

    /* An empty table is stored with its two bytes, and then wins over the description. */
    std::u16string empty = Table(u"");
    ASSERT_TRUE(pd_WriteFontSubTable(printer_, 0, (const WCHAR *)empty.c_str()));
    EXPECT_EQ(Bytes({2, 0, 0, 0}), Value(TEXT("FontSubTableSize")));
    EXPECT_EQ(Bytes({0, 0}), Value(TEXT("FontSubTable1")));
    table = pd_GetFontSubTable(printer_, 0);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(empty, Chars(table));
    GlobalFree(table);
    EXPECT_TRUE(pd_EnsureFontSubTable(printer_, 0, context_));
    EXPECT_EQ(Bytes({0, 0}), Value(TEXT("FontSubTable1")));
    EXPECT_FALSE(pd_WriteFontSubTable(printer_, 0, nullptr));
}

TEST_F(FontSubTableTest, ADamagedStoredTableIsRefusedForTheDescriptionsTable)
{
    /* Stored bytes every user of the table would walk past: refused whole, and the table
     * built from the description data takes their place. */
    struct Case {
        const char *why;
        Bytes bytes;
    };
    const Case cases[] = {
        {"an odd size", {'A', 0, 0, 0, 0}},
        {"a face name without its terminator", {'A', 0}},
        {"a device name without its terminator", {'A', 0, 0, 0, 'X', 0}},
        {"no closing empty string after a pair", {'A', 0, 0, 0, 'X', 0, 0, 0}},
        {"an empty device name and no closing string", {'A', 0, 0, 0, 0, 0}},
    };
    for (const Case &c : cases) {
        ASSERT_TRUE(pd_WriteStoredValue(printer_, c.bytes.data(), (DWORD)c.bytes.size(), SVK_FONT_SUB_TABLE)) << c.why;
        EXPECT_EQ(nullptr, pd_ReadFontSubTable(printer_, 0)) << c.why;
        WCHAR *table = pd_GetFontSubTable(printer_, 0);
        ASSERT_NE(nullptr, table) << c.why;
        EXPECT_EQ(u"Mono Device", std::u16string(pd_LookupFontSub(table, TEXT("Fixed Sans")))) << c.why;
        GlobalFree(table);
    }
    /* A whole table with bytes behind its closing string is read; the bytes are not used. */
    Bytes tail = {'A', 0, 0, 0, 'X', 0, 0, 0, 0, 0, 'Z', 0};
    ASSERT_TRUE(pd_WriteStoredValue(printer_, tail.data(), (DWORD)tail.size(), SVK_FONT_SUB_TABLE));
    WCHAR *table = pd_ReadFontSubTable(printer_, 0);
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(Table(u"A|X"), Chars(table));
    GlobalFree(table);
}

} // namespace
