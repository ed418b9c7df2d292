/*
 * Paper margins: the turn between stored and shown orientation, the printer's list and
 * what an unreadable list must not lead to, the user's margins seeded from the
 * machine-wide key, the effective margins (user, list, built-in) and the margin values
 * of an open key.
 */
#include "core/user_registry/tests/favorites_fixture.h"

#include "core/stored/stored.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\PAPER_MARGINS_TEST_LOG.txt");
}

namespace {

using namespace favorites_test;

TEST(MarginOrientation, BothKindsAndBothDirections)
{
    struct Case {
        DWORD kind;
        PaperMargins shown; /* of stored {1, 2, 3, 4} */
    };
    const Case cases[] = {{1, Margins(1, 2, 4, 3)}, {2, Margins(3, 4, 1, 2)}};
    for (const Case &c : cases) {
        /* Direction 2 writes the second record only. */
        PaperMargins stored = Margins(1, 2, 3, 4);
        PaperMargins shown = Margins(0, 0, 0, 0);
        EXPECT_EQ(1, ureg_OrientMargins(2, c.kind, &stored, &shown));
        EXPECT_EQ(c.shown, shown) << c.kind;
        EXPECT_EQ(Margins(1, 2, 3, 4), stored);
        /* Direction 1 writes the first record only, and turns back. */
        PaperMargins back = Margins(0, 0, 0, 0);
        EXPECT_EQ(1, ureg_OrientMargins(1, c.kind, &back, &shown));
        EXPECT_EQ(Margins(1, 2, 3, 4), back) << c.kind;
        EXPECT_EQ(c.shown, shown);
        /* In place. */
        PaperMargins same = Margins(1, 2, 3, 4);
        EXPECT_EQ(1, ureg_OrientMargins(2, c.kind, &same, &same));
        EXPECT_EQ(c.shown, same);
    }
    PaperMargins a = Margins(1, 2, 3, 4);
    PaperMargins b = Margins(5, 6, 7, 8);
    const DWORD bad[][2] = {{0, 1}, {3, 1}, {1, 0}, {2, 3}};
    for (const auto &args : bad) {
        EXPECT_EQ(-5, ureg_OrientMargins(args[0], args[1], &a, &b));
        EXPECT_EQ(Margins(1, 2, 3, 4), a);
        EXPECT_EQ(Margins(5, 6, 7, 8), b);
    }
    EXPECT_EQ(-5, ureg_OrientMargins(1, 1, nullptr, &b));
}

TEST(MarginOrientation, DefaultsAndTheSettingsTable)
{
    PaperMarginEntry entry = {9, 0, Margins(0, 0, 0, 0)};
    EXPECT_EQ(1, ureg_GetDefaultMargins(&entry));
    EXPECT_EQ(Margins(46, 46, 46, 46), entry.margins);
    EXPECT_EQ(9, entry.paper);
    EXPECT_EQ(-100, ureg_GetDefaultMargins(nullptr));
    PaperMargins shown;
    EXPECT_EQ(1, ureg_GetOrientedDefaultMargins(&shown, 2));
    EXPECT_EQ(Margins(46, 46, 46, 46), shown);
    EXPECT_EQ(-5, ureg_GetOrientedDefaultMargins(&shown, 3));

    const MarginSettingRow expected[] = {{1827, 0}, {1828, 1}, {1826, 2}, {1825, 3}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(expected[i].functionId, g_MarginSettingRows[i].functionId) << i;
        EXPECT_EQ(expected[i].index, g_MarginSettingRows[i].index) << i;
    }
}

class PaperMarginsTest : public StoreTest
{
protected:
    Bytes StoredList()
    {
        DWORD size = 0;
        if (!pd_ReadStoredValue(printer_, SVK_PAPER_MARGIN_ARRAY, nullptr, &size))
            return Bytes();
        Bytes bytes(size);
        EXPECT_TRUE(pd_ReadStoredValue(printer_, SVK_PAPER_MARGIN_ARRAY, bytes.data(), &size));
        return bytes;
    }
    /* A list holding papers 9 {5, 6, 7, 8} and 11 {10, 11, 12, 13}, stored. */
    void StoreList()
    {
        PaperMarginList *list = ureg_LoadMarginList(printer_);
        ASSERT_NE(nullptr, list);
        PaperMargins nine = Margins(5, 6, 7, 8);
        PaperMargins eleven = Margins(10, 11, 12, 13);
        ASSERT_EQ(1, ureg_SetMarginsInList(nullptr, list, 9, &nine));
        ASSERT_EQ(1, ureg_SetMarginsInList(nullptr, list, 11, &eleven));
        ASSERT_EQ(1, ureg_SaveMarginList(printer_, list));
        ureg_FreeMarginList(list);
    }
};

TEST_F(PaperMarginsTest, TheListIsLoadedChangedAndSaved)
{
    PaperMarginList *list = ureg_LoadMarginList(printer_);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(0u, list->count);
    EXPECT_EQ(0u, list->size);

    /* An empty list is not saved. */
    EXPECT_EQ(-5, ureg_SaveMarginList(printer_, list));
    EXPECT_TRUE(StoredList().empty());

    PaperMargins a = Margins(1, 2, 3, 4);
    PaperMargins b = Margins(9, 8, 7, 6);
    EXPECT_EQ(1, ureg_SetMarginsInList(nullptr, list, 9, &a));
    EXPECT_EQ(1, ureg_SetMarginsInList(nullptr, list, 65535, &b));
    EXPECT_EQ(-100, ureg_SetMarginsInList(nullptr, list, 65536, &b));
    ASSERT_EQ(2u, list->count);
    EXPECT_EQ(40u, list->size);
    EXPECT_EQ(1, ureg_SetMarginsInList(nullptr, list, 9, &b)); /* replaced: the count stays */
    EXPECT_EQ(2u, list->count);
    PaperMargins found;
    EXPECT_EQ(1, ureg_FindMargins(nullptr, list, 9, &found));
    EXPECT_EQ(b, found);
    EXPECT_EQ(-100, ureg_FindMargins(nullptr, list, 10, &found));

    /* Shown margins are kept in stored orientation. */
    PaperMargins shown = Margins(1, 2, 4, 3);
    EXPECT_EQ(1, ureg_PutMarginsInList(printer_, 11, &shown, list, 1));
    EXPECT_EQ(-5, ureg_PutMarginsInList(printer_, 12, &shown, list, 7));
    EXPECT_EQ(1, ureg_FindMargins(nullptr, list, 11, &found));
    EXPECT_EQ(Margins(1, 2, 3, 4), found);
    EXPECT_EQ(1, ureg_GetListMargins(printer_, 11, &found, list, 2));
    EXPECT_EQ(Margins(3, 4, 1, 2), found);

    ASSERT_EQ(1, ureg_SaveMarginList(printer_, list));
    Bytes stored = StoredList();
    ASSERT_EQ(60u, stored.size());
    Bytes first = {9, 0, 0, 0, 9, 0, 0, 0, 8, 0, 0, 0, 7, 0, 0, 0, 6, 0, 0, 0};
    EXPECT_EQ(first, Bytes(stored.begin(), stored.begin() + 20));
    EXPECT_EQ(1, ureg_FreeMarginList(list));
    EXPECT_EQ(-100, ureg_FreeMarginList(nullptr));

    /* Saving an empty list leaves the stored one. */
    PaperMarginList empty = {nullptr, 0, 0};
    EXPECT_EQ(-5, ureg_SaveMarginList(printer_, &empty));
    EXPECT_EQ(stored, StoredList());

    list = ureg_LoadMarginList(printer_);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(3u, list->count);
    EXPECT_EQ(1, ureg_FindMargins(nullptr, list, 65535, &found));
    EXPECT_EQ(b, found);
    ureg_FreeMarginList(list);

    EXPECT_EQ(1, ureg_ClearMargins(printer_, context_, FALSE, kBase));
    list = ureg_LoadMarginList(printer_);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(0u, list->count);
    ureg_FreeMarginList(list);
}

TEST_F(PaperMarginsTest, AnUnreadableListIsNotSavedOver)
{
    struct Case {
        const char *why;
        Bytes size;  /* "PaperMarginArraySize" */
        Bytes chunk; /* "PaperMarginArray1", none when empty */
    };
    const Case cases[] = {
        {"30 bytes", {30, 0, 0, 0}, Bytes(30, 7)},
        {"chunk missing", {40, 0, 0, 0}, Bytes()},
        {"chunk short", {40, 0, 0, 0}, Bytes(20, 7)},
        {"size not a number", {1, 2}, Bytes(20, 7)},
    };
    for (const Case &c : cases) {
        ASSERT_EQ(ERROR_SUCCESS,
                  SetPrinterDataW(printer_,
                                  (LPWSTR)TEXT("PaperMarginArraySize"),
                                  c.size.size() == 4 ? REG_DWORD : REG_BINARY,
                                  (BYTE *)c.size.data(),
                                  (DWORD)c.size.size()));
        DeletePrinterDataW(printer_, (LPWSTR)TEXT("PaperMarginArray1"));
        if (!c.chunk.empty()) {
            ASSERT_EQ(ERROR_SUCCESS,
                      SetPrinterDataW(printer_,
                                      (LPWSTR)TEXT("PaperMarginArray1"),
                                      REG_BINARY,
                                      (BYTE *)c.chunk.data(),
                                      (DWORD)c.chunk.size()));
        }
        PaperMarginList *list = ureg_LoadMarginList(printer_);
        EXPECT_EQ(nullptr, list) << c.why;
        /* The caller that sets one margin and saves stops at the load. */
        PaperMargins margins = Margins(1, 2, 3, 4);
        EXPECT_EQ(-100, ureg_SetMarginsInList(nullptr, list, 9, &margins)) << c.why;
        EXPECT_EQ(-5, ureg_SaveMarginList(printer_, list)) << c.why;
        EXPECT_EQ(c.chunk, Value(TEXT("PaperMarginArray1"))) << c.why;
        EXPECT_EQ(c.size, Value(TEXT("PaperMarginArraySize"))) << c.why;
        /* The effective margins then come from the user or the defaults. */
        PaperMargins shown;
        EXPECT_EQ(1, ureg_GetMargins(printer_, context_, 9, &shown, kBase, FALSE, list, 1)) << c.why;
        EXPECT_EQ(Margins(46, 46, 46, 46), shown);
    }
    /* Clearing still removes it. */
    ASSERT_EQ(ERROR_SUCCESS,
              SetPrinterDataW(printer_, (LPWSTR)TEXT("PaperMarginArraySize"), REG_DWORD, (BYTE *)"\x1e\0\0\0", 4));
    ASSERT_EQ(ERROR_SUCCESS,
              SetPrinterDataW(printer_, (LPWSTR)TEXT("PaperMarginArray1"), REG_BINARY, (BYTE *)Bytes(30).data(), 30));
    EXPECT_EQ(1, ureg_ClearMargins(printer_, context_, FALSE, kBase));
    EXPECT_TRUE(Value(TEXT("PaperMarginArraySize")).empty());
    PaperMarginList *list = ureg_LoadMarginList(printer_);
    ASSERT_NE(nullptr, list);
    EXPECT_EQ(0u, list->count);
    ureg_FreeMarginList(list);
}

TEST_F(PaperMarginsTest, UserOverListOverDefaults)
{
    /* The machine-wide tree: paper 9 in stored orientation, a value of another size. */
    BYTE nine[20] = {9};
    PaperMargins stored = Margins(1, 2, 3, 4);
    memcpy(nine + 4, &stored, 16);
    SetMachineValue(TEXT("Paper Margin"), TEXT("9"), REG_BINARY, nine, 20);
    SetMachineValue(TEXT("Paper Margin"), TEXT("11"), REG_BINARY, nine, 16);
    StoreList();
    PaperMarginList *list = ureg_LoadMarginList(printer_);
    ASSERT_NE(nullptr, list);

    struct Case {
        DWORD paper;
        BOOL perUser;
        PaperMargins shown; /* kind 1 */
    };
    const Case cases[] = {
        {9, TRUE, Margins(1, 2, 4, 3)},      /* the user's, copied from the machine-wide key */
        {9, FALSE, Margins(5, 6, 8, 7)},     /* the list's */
        {11, TRUE, Margins(10, 11, 13, 12)}, /* the user's value of another size is absent */
        {1, TRUE, Margins(46, 46, 46, 46)},  /* nothing stored */
        {256, FALSE, Margins(46, 46, 46, 46)},
    };
    for (const Case &c : cases) {
        PaperMargins shown = Margins(0, 0, 0, 0);
        EXPECT_EQ(1, ureg_GetMargins(printer_, context_, c.paper, &shown, kBase, c.perUser, list, 1)) << c.paper;
        EXPECT_EQ(c.shown, shown) << c.paper << " " << c.perUser;
    }
    PaperMargins shown;
    EXPECT_EQ(-5, ureg_GetMargins(printer_, context_, 1, &shown, kBase, FALSE, list, 9));
    EXPECT_EQ(-2, ureg_ReadUserMargins(printer_, context_, kBase, 11, &shown));

    /* The machine-wide key is copied on the first opening only. */
    HKEY key = OpenUserKey(TEXT("Paper Margin"));
    ASSERT_NE(nullptr, key);
    EXPECT_EQ(2u, ValueNames(key).size());
    RegCloseKey(key);
    SetMachineValue(TEXT("Paper Margin"), TEXT("1"), REG_BINARY, nine, 20);
    EXPECT_EQ(-2, ureg_ReadUserMargins(printer_, context_, kBase, 1, &shown));

    /* Written in stored orientation, 20 bytes with the paper number. */
    PaperMargins mine = Margins(21, 22, 23, 24);
    EXPECT_EQ(1, ureg_WriteUserMargins(printer_, context_, 1, &mine, kBase, 2));
    EXPECT_EQ(-5, ureg_WriteUserMargins(printer_, context_, 1, &mine, kBase, 0));
    key = OpenUserKey(TEXT("Paper Margin"));
    ASSERT_NE(nullptr, key);
    BYTE value[24];
    DWORD size = sizeof(value);
    DWORD type = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, TEXT("1"), nullptr, &type, value, &size));
    RegCloseKey(key);
    EXPECT_EQ(20u, size);
    EXPECT_EQ((DWORD)REG_BINARY, type);
    BYTE expected[20] = {1, 0, 0, 0, 23, 0, 0, 0, 24, 0, 0, 0, 21, 0, 0, 0, 22, 0, 0, 0};
    EXPECT_EQ(0, memcmp(expected, value, 20));
    EXPECT_EQ(1, ureg_GetUserMargins(printer_, context_, 1, &shown, kBase, 2));
    EXPECT_EQ(mine, shown);

    /* Cleared: the key stays, empty, and is not seeded again. */
    EXPECT_EQ(1, ureg_ClearMargins(printer_, context_, TRUE, kBase));
    key = OpenUserKey(TEXT("Paper Margin"));
    ASSERT_NE(nullptr, key);
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);
    EXPECT_EQ(1, ureg_GetMargins(printer_, context_, 9, &shown, kBase, TRUE, list, 1));
    EXPECT_EQ(Margins(5, 6, 8, 7), shown);
    ureg_FreeMarginList(list);
}

TEST_F(PaperMarginsTest, WithoutMachineWideKeyTheUserKeyStartsEmpty)
{
    PaperMargins shown;
    EXPECT_EQ(-2, ureg_ReadUserMargins(printer_, context_, kBase, 9, &shown));
    HKEY key = nullptr;
    WCHAR path[UREG_MAX_PATH_CHARS + 1];
    EXPECT_EQ(1, ureg_OpenUserMarginKey(printer_, context_, kBase, &key, path));
    ASSERT_NE(nullptr, key);
    EXPECT_TRUE(ValueNames(key).empty());
    RegCloseKey(key);
    std::u16string text((const char16_t *)path);
    EXPECT_EQ(0u, text.find(u"Software\\Qm\\Model 50\\"));
    EXPECT_NE(std::u16string::npos, text.find(u"\\Paper Margin"));
}

TEST_F(PaperMarginsTest, MarginValuesOfAnOpenKey)
{
    HKEY key = nullptr;
    ASSERT_TRUE(ureg_OpenFavoritePaperMarginKey(printer_, context_, &key, 3));
    PaperMargins stored = Margins(1, 2, 3, 4);
    DWORD count = 2;
    std::u16string longName(300, u'7');
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("Num"), 0, REG_DWORD, (BYTE *)&count, 4));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("9"), 0, REG_BINARY, (BYTE *)&stored, 16));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("5"), 0, REG_BINARY, (BYTE *)&stored, 12));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, (LPCWSTR)longName.c_str(), 0, REG_BINARY, (BYTE *)&stored, 16));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, TEXT("11"), 0, REG_BINARY, (BYTE *)&stored, 16));

    WCHAR name[UREG_MARGIN_NAME_CHARS];
    PaperMargins shown;
    std::vector<std::u16string> names;
    for (DWORD i = 0; ureg_EnumPaperMargin(nullptr, key, i, 2, name, &shown); ++i) {
        names.push_back(std::u16string((const char16_t *)name));
        EXPECT_EQ(Margins(3, 4, 1, 2), shown);
    }
    EXPECT_EQ((std::vector<std::u16string>{u"9", u"11"}), names);
    EXPECT_FALSE(ureg_EnumPaperMargin(nullptr, key, 0, 5, name, &shown));

    EXPECT_TRUE(ureg_ReadPaperMargin(nullptr, key, TEXT("9"), 1, &shown));
    EXPECT_EQ(Margins(1, 2, 4, 3), shown);
    EXPECT_FALSE(ureg_ReadPaperMargin(nullptr, key, TEXT("5"), 1, &shown));
    EXPECT_FALSE(ureg_ReadPaperMargin(nullptr, key, TEXT("Num"), 1, &shown));
    EXPECT_FALSE(ureg_ReadPaperMargin(nullptr, key, TEXT("12"), 1, &shown));
    RegCloseKey(key);
}

} // namespace
