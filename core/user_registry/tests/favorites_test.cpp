/*
 * Favorites: the values of a favorite and their round trip, the index list and free
 * numbers, favorites of another model, the preset favorites of the description data,
 * a favorite's paper margins, and a second process reading them back.
 */
#include "core/user_registry/tests/favorites_fixture.h"

#include <stdlib.h>
#include <sys/wait.h>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\FAVORITES_TEST_LOG.txt");
}

namespace {

using namespace favorites_test;

/* A number setting of a DEVMODE. */
DWORD Number(DriverDevmode *devmode, WORD functionId)
{
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR value = 0;
    EXPECT_EQ(0, dma_GetFunctionValue(functionId, devmode, nullptr, &type, &size, &value)) << functionId;
    return dma_ValueToDword(type, &value);
}

void SetShort(DriverDevmode *devmode, WORD functionId, SHORT value)
{
    ASSERT_EQ(0, dma_SetFunctionValue(functionId, devmode, nullptr, VT_SHORT, 2, &value)) << functionId;
}

void SetModel(DriverDevmode *devmode, const WCHAR *model)
{
    DWORD_PTR slot = (DWORD_PTR)model;
    ASSERT_TRUE(dma_SetValueSized(FID_MODEL_NAME, devmode, nullptr, (DWORD)-1, VT_STRING, &slot));
}

class FavoritesTest : public StoreTest
{
protected:
    std::vector<WORD> Index(DWORD capacity = 16)
    {
        std::vector<WORD> list(capacity);
        if (ureg_ReadFavoriteIndex(printer_, context_, list.data(), capacity) != UREG_READ_OK)
            return std::vector<WORD>();
        while (!list.empty() && list.back() == 0)
            list.pop_back();
        return list;
    }
    /* Loads favorite n with everything. */
    BOOL Load(DWORD n, DriverDevmode *out, std::u16string *name = nullptr, DWORD *flag = nullptr, Bytes *sp = nullptr)
    {
        WCHAR nameText[UREG_FAVORITE_NAME_CHARS];
        WCHAR comment[UREG_FAVORITE_COMMENT_CHARS];
        DWORD storedFlag = 99;
        void *spData = nullptr;
        DWORD spSize = 0;
        BOOL loaded = ureg_LoadFavorite(
            printer_, context_, devmode_, &block_, n, out, nameText, comment, &storedFlag, &spData, &spSize, 16);
        if (loaded && name)
            *name = (const char16_t *)nameText;
        if (flag)
            *flag = storedFlag;
        if (sp)
            *sp = spData ? Bytes((BYTE *)spData, (BYTE *)spData + spSize) : Bytes();
        if (spData)
            GlobalFree(spData);
        return loaded;
    }
    BOOL SaveUserFavorite(DWORD n, const WCHAR *name, DriverDevmode *devmode)
    {
        DWORD flag = 1;
        return ureg_SaveFavorite(printer_, context_, n, devmode, name, TEXT(""), &flag, nullptr, nullptr);
    }
};

TEST_F(FavoritesTest, AFavoriteRoundTrips)
{
    SetShort(devmode_, 16, 3);
    const WCHAR name[] = {'B', 0xFC, 'r', 'o', ' ', 0x2713, 0};
    const WCHAR comment[] = {0x65E5, 0x672C, ' ', 'x', 0};
    DWORD flag = 1;
    BYTE sp[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    DWORD spSize = sizeof(sp);
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 7, devmode_, name, comment, &flag, sp, &spSize));

    /* Favorite 7 lives under "UserSel07". */
    HKEY key = OpenUserKey(TEXT("Favorite\\UserSel07"));
    ASSERT_NE(nullptr, key);
    EXPECT_EQ((std::vector<std::u16string>{u"DEVMODE", u"Name", u"Comment", u"Flag", u"SPInfo", u"SPInfoSize"}),
              ValueNames(key));
    RegCloseKey(key);

    DriverDevmode *out = dm_AllocDevmode(0);
    WCHAR nameOut[UREG_FAVORITE_NAME_CHARS];
    WCHAR commentOut[UREG_FAVORITE_COMMENT_CHARS];
    DWORD flagOut = 0;
    void *spOut = nullptr;
    DWORD spOutSize = 0;
    ASSERT_TRUE(ureg_LoadFavorite(
        printer_, context_, devmode_, &block_, 7, out, nameOut, commentOut, &flagOut, &spOut, &spOutSize, 16));
    EXPECT_EQ(0, memcmp(devmode_, out, DM_FULL_SIZE));
    EXPECT_EQ(std::u16string((const char16_t *)name), std::u16string((const char16_t *)nameOut));
    EXPECT_EQ(std::u16string((const char16_t *)comment), std::u16string((const char16_t *)commentOut));
    EXPECT_EQ(1u, flagOut);
    ASSERT_EQ(sizeof(sp), spOutSize);
    EXPECT_EQ(0, memcmp(sp, spOut, sizeof(sp)));
    GlobalFree(spOut);

    /* A NULL size leaves the SP info; a size of 0 deletes it. */
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 7, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
    Bytes spBack;
    ASSERT_TRUE(Load(7, out, nullptr, nullptr, &spBack));
    EXPECT_EQ(Bytes(sp, sp + sizeof(sp)), spBack);
    DWORD zero = 0;
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 7, nullptr, nullptr, nullptr, nullptr, sp, &zero));
    ASSERT_TRUE(Load(7, out, nullptr, nullptr, &spBack));
    EXPECT_TRUE(spBack.empty());
    EXPECT_FALSE(ureg_DeleteFavoriteSPInfo(printer_, context_, 7));

    /* Numbers outside 1..99 and missing favorites. */
    EXPECT_FALSE(ureg_SaveFavorite(printer_, context_, 0, devmode_, name, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(ureg_SaveFavorite(printer_, context_, 100, devmode_, name, nullptr, nullptr, nullptr, nullptr));
    EXPECT_FALSE(Load(8, out));
    GlobalFree(out);
}

TEST_F(FavoritesTest, AnOlderDevmodeComesBackUpgraded)
{
    SetShort(devmode_, 16, 2);
    /* Version 0x5100 with the private part of its time (1384 bytes). */
    Bytes older((BYTE *)devmode_, (BYTE *)devmode_ + 220 + 1384);
    DEVMODEW *dm = (DEVMODEW *)older.data();
    WORD version = 0x5100;
    dm->dmDriverVersion = version;
    dm->dmDriverExtra = 1384;
    memcpy(older.data() + 220, &version, 2);
    ASSERT_TRUE(ureg_WriteValue(printer_,
                                context_,
                                older.data(),
                                (DWORD)older.size(),
                                REG_BINARY,
                                TEXT("Favorite\\UserSel02"),
                                TEXT("DEVMODE")));
    DriverDevmode *out = dm_AllocDevmode(0);
    ASSERT_TRUE(ureg_LoadFavorite(
        printer_, context_, devmode_, &block_, 2, out, nullptr, nullptr, nullptr, nullptr, nullptr, 16));
    EXPECT_EQ(devmode_->dm.dmDriverVersion, out->dm.dmDriverVersion);
    EXPECT_EQ(devmode_->dm.dmDriverExtra, out->dm.dmDriverExtra);
    EXPECT_EQ(0, memcmp(devmode_->priv.bytes, out->priv.bytes, 4));
    EXPECT_EQ(2u, Number(out, 16));
    GlobalFree(out);
}

TEST(FavoriteNumbers, TheFirstFreeNumber)
{
    struct Case {
        std::vector<WORD> list;
        DWORD count;
        LONG free;
    };
    std::vector<WORD> all(100);
    for (WORD i = 0; i < 99; ++i)
        all[i] = (WORD)(i + 1);
    const Case cases[] = {
        {{1, 2, 4, 0}, 4, 3},
        {{1, 2, 3}, 3, -1},
        {{0, 5}, 2, 1}, /* a 0 ends the list */
        {{2, 1, 7, 0, 0}, 5, 3},
        {all, 100, -1}, /* 1-99 held: never 100 */
        {{}, 0, -1},
    };
    for (const Case &c : cases) {
        std::vector<WORD> list = c.list;
        list.resize(c.count + 1, 0xEEEE); /* a guard behind the count */
        EXPECT_EQ(c.free, ureg_FindFreeFavoriteNumber(list.data(), c.count)) << c.count;
    }
    EXPECT_EQ(-1, ureg_FindFreeFavoriteNumber(nullptr, 4));
}

TEST_F(FavoritesTest, TheIndexIsReadWithinItsCapacity)
{
    std::vector<WORD> none(4, 0xEEEE);
    EXPECT_EQ((DWORD)UREG_NOT_PRESENT, ureg_ReadFavoriteIndex(printer_, context_, none.data(), 4));
    EXPECT_FALSE(ureg_SaveFavoriteIndex(printer_, context_, nullptr, 3));

    const WORD stored[] = {5, 3, 9, 1, 2, 0};
    ASSERT_TRUE(ureg_SaveFavoriteIndex(printer_, context_, stored, 6));
    WORD read[5] = {0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE};
    EXPECT_EQ((DWORD)UREG_READ_OK, ureg_ReadFavoriteIndex(printer_, context_, read + 1, 3));
    EXPECT_EQ(0xEEEE, read[0]);
    EXPECT_EQ(5, read[1]);
    EXPECT_EQ(3, read[2]);
    EXPECT_EQ(9, read[3]);
    EXPECT_EQ(0xEEEE, read[4]);

    /* Found by name and flag, in list order. */
    SaveUserFavorite(3, TEXT("Same"), devmode_);
    SaveUserFavorite(9, TEXT("Same"), devmode_);
    DWORD preset = 0;
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 5, devmode_, TEXT("Same"), nullptr, &preset, nullptr, nullptr));
    EXPECT_EQ(3, ureg_FindFavorite(printer_, context_, nullptr, stored, 6, TEXT("Same"), 1));
    EXPECT_EQ(5, ureg_FindFavorite(printer_, context_, nullptr, stored, 6, TEXT("Same"), 0));
    EXPECT_EQ(-1, ureg_FindFavorite(printer_, context_, nullptr, stored, 1, TEXT("Same"), 1));
    EXPECT_EQ(-1, ureg_FindFavorite(printer_, context_, nullptr, stored, 6, TEXT("Sam"), 1));
}

TEST_F(FavoritesTest, PresetsAreMadeOnceAndFoundAgainByName)
{
    WORD list[10] = {};
    ASSERT_TRUE(ureg_CreatePresetFavorites(printer_, context_, TEXT("Stored"), list, 10));
    EXPECT_EQ((std::vector<WORD>{1, 2}), Index());

    DriverDevmode *out = dm_AllocDevmode(0);
    std::u16string name;
    DWORD flag = 99;
    ASSERT_TRUE(Load(1, out, &name, &flag));
    EXPECT_EQ(u"Office", name);
    EXPECT_EQ(0u, flag);
    EXPECT_EQ(2u, Number(out, 16));
    WCHAR comment[UREG_FAVORITE_COMMENT_CHARS];
    ASSERT_TRUE(ureg_LoadFavorite(
        printer_, context_, devmode_, &block_, 1, nullptr, nullptr, comment, nullptr, nullptr, nullptr, 16));
    EXPECT_EQ(u"For the office", std::u16string((const char16_t *)comment));
    ASSERT_TRUE(Load(2, out, &name, &flag));
    EXPECT_EQ(u"Draft", name);
    EXPECT_EQ(1u, Number(out, 15));
    EXPECT_EQ(3u, Number(out, 16));

    /* A second run over the stored list with a user favorite first. */
    ASSERT_TRUE(SaveUserFavorite(3, TEXT("Mine"), devmode_));
    WORD again[10] = {3, 2, 1};
    ASSERT_TRUE(ureg_CreatePresetFavorites(printer_, context_, TEXT("Stored"), again, 10));
    EXPECT_EQ((std::vector<WORD>{3, 2, 1}), Index());

    /* A user favorite of a preset's name does not count: the preset gets its own number. */
    WORD fresh[10] = {1};
    ASSERT_TRUE(SaveUserFavorite(1, TEXT("Office"), devmode_));
    ASSERT_TRUE(ureg_CreatePresetFavorites(printer_, context_, TEXT("Stored"), fresh, 10));
    EXPECT_EQ((std::vector<WORD>{1, 2, 3}), Index());

    /* No number left: the presets made stay listed, the list is full. */
    WORD small[2] = {};
    EXPECT_FALSE(ureg_CreatePresetFavorites(printer_, context_, TEXT("Stored"), small, 1));
    EXPECT_EQ((std::vector<WORD>{1}), Index());
    GlobalFree(out);
}

class BrokenPresetTest : public FavoritesTest
{
protected:
    bool Broken() override
    {
        return true;
    }
};

TEST_F(BrokenPresetTest, AFailingRowStopsThePresetsAndTheListIsEnded)
{
    WORD list[6] = {0, 0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE, 0xEEEE};
    EXPECT_FALSE(ureg_CreatePresetFavorites(printer_, context_, TEXT("Stored"), list, 5));
    EXPECT_EQ(1, list[0]);
    EXPECT_EQ(2, list[1]);
    EXPECT_EQ(0, list[2]);
    EXPECT_EQ(0xEEEE, list[5]);
    EXPECT_EQ((std::vector<WORD>{1, 2}), Index());
    DriverDevmode *out = dm_AllocDevmode(0);
    EXPECT_FALSE(Load(3, out));
    GlobalFree(out);
}

TEST_F(FavoritesTest, AnotherModelsFavorites)
{
    DriverDevmode *other = dm_AllocDevmode(0);
    memcpy(other, devmode_, DM_FULL_SIZE);
    SetModel(other, TEXT("Model 99"));
    SetShort(other, 16, 3);

    /* The user's own favorite of another model cannot be loaded. */
    ASSERT_TRUE(SaveUserFavorite(4, TEXT("Theirs"), other));
    DriverDevmode *out = dm_AllocDevmode(0);
    EXPECT_FALSE(Load(4, out));

    /* A preset of another model makes the presets again; the list keeps the user's
       favorites and the loaded DEVMODE is this model's. */
    DWORD preset = 0;
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 1, other, TEXT("Office"), TEXT(""), &preset, nullptr, nullptr));
    const WORD index[] = {4, 1, 0};
    ASSERT_TRUE(ureg_SaveFavoriteIndex(printer_, context_, index, 3));
    std::u16string name;
    ASSERT_TRUE(Load(1, out, &name));
    EXPECT_EQ(u"Office", name);
    EXPECT_EQ(2u, Number(out, 16));
    EXPECT_EQ(std::u16string(u"Model 50-C/1"), std::u16string((const char16_t *)(out->priv.bytes + 4)));
    EXPECT_EQ((std::vector<WORD>{4, 1, 2}), Index());

    /* A preset that no longer exists stays another model's: 0. */
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 9, other, TEXT("Gone"), TEXT(""), &preset, nullptr, nullptr));
    EXPECT_FALSE(Load(9, out));
    GlobalFree(out);
    GlobalFree(other);
}

TEST_F(FavoritesTest, AFavoritesPaperMargins)
{
    /* All defaults: only "Num" = 0. */
    ASSERT_TRUE(ureg_SaveFavoritePaperMargins(printer_, context_, TRUE, 5, 1));
    HKEY key = OpenUserKey(TEXT("Favorite\\UserSel05\\PaperMargin"));
    ASSERT_NE(nullptr, key);
    EXPECT_EQ((std::vector<std::u16string>{u"Num"}), ValueNames(key));
    RegCloseKey(key);
    EXPECT_EQ(0u, ureg_ReadFavoriteMarginCount(printer_, context_, 5));

    /* A list entry and a user value differ: kept in stored orientation; old values go. */
    PaperMarginList *list = ureg_LoadMarginList(printer_);
    ASSERT_NE(nullptr, list);
    PaperMargins nine = Margins(1, 2, 3, 4);
    ASSERT_EQ(1, ureg_SetMarginsInList(nullptr, list, 9, &nine));
    ASSERT_EQ(1, ureg_SaveMarginList(printer_, list));
    ureg_FreeMarginList(list);
    PaperMargins shown = Margins(10, 20, 30, 40);
    ASSERT_EQ(1, ureg_WriteUserMargins(printer_, context_, 11, &shown, kBase, 1));
    ASSERT_TRUE(ureg_WriteFavoritePaperMargin(printer_, context_, 5, 1, TEXT("262"), &shown));
    ASSERT_TRUE(ureg_SaveFavoritePaperMargins(printer_, context_, TRUE, 5, 1));
    EXPECT_EQ(2u, ureg_ReadFavoriteMarginCount(printer_, context_, 5));
    ASSERT_TRUE(ureg_OpenFavoritePaperMarginKey(printer_, context_, &key, 5));
    EXPECT_EQ((std::vector<std::u16string>{u"9", u"11", u"Num"}), ValueNames(key));
    PaperMargins stored;
    DWORD size = sizeof(stored);
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, TEXT("9"), nullptr, nullptr, (BYTE *)&stored, &size));
    EXPECT_EQ(Margins(1, 2, 3, 4), stored);
    EXPECT_TRUE(ureg_ReadPaperMargin(nullptr, key, TEXT("11"), 1, &shown));
    EXPECT_EQ(Margins(10, 20, 30, 40), shown);
    RegCloseKey(key);

    /* Without the per-user flag the user's value does not count. */
    ASSERT_TRUE(ureg_SaveFavoritePaperMargins(printer_, context_, FALSE, 5, 1));
    EXPECT_EQ(1u, ureg_ReadFavoriteMarginCount(printer_, context_, 5));

    ASSERT_TRUE(ureg_WriteFavoriteMarginCount(printer_, context_, 5, 7));
    EXPECT_EQ(7u, ureg_ReadFavoriteMarginCount(printer_, context_, 5));
    ASSERT_TRUE(ureg_DeleteFavoritePaperMargins(printer_, context_, 5));
    EXPECT_EQ(nullptr, OpenUserKey(TEXT("Favorite\\UserSel05\\PaperMargin")));
    EXPECT_TRUE(ureg_DeleteFavoritePaperMargins(printer_, context_, 5));
    EXPECT_FALSE(ureg_SaveFavoritePaperMargins(printer_, context_, TRUE, 5, 3));
}

TEST_F(FavoritesTest, ASecondProcessReadsThemBack)
{
    SetShort(devmode_, 16, 3);
    DWORD flag = 1;
    ASSERT_TRUE(ureg_SaveFavorite(printer_, context_, 12, devmode_, TEXT("Kept"), TEXT("c"), &flag, nullptr, nullptr));
    const WORD index[] = {12, 0};
    ASSERT_TRUE(ureg_SaveFavoriteIndex(printer_, context_, index, 2));
    PaperMargins shown = Margins(1, 2, 3, 4);
    ASSERT_EQ(1, ureg_WriteUserMargins(printer_, context_, 9, &shown, kBase, 1));
    std::string self = testing::internal::GetArgvs()[0];
    std::string command = "QM_PERSIST_ROOT='" + std::string(getenv("QM_ROOT")) + "' '" + self +
                          "' --gtest_filter=FavoritesTest.ReadBackInASecondProcess 2>&1";
    FILE *child = popen(command.c_str(), "r");
    ASSERT_NE(nullptr, child);
    std::string output;
    char line[512];
    while (fgets(line, sizeof(line), child))
        output += line;
    int status = pclose(child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_NE(std::string::npos, output.find("[  PASSED  ] 1 test")) << output;
    EXPECT_EQ(std::string::npos, output.find("SKIPPED")) << output;
}

TEST_F(FavoritesTest, ReadBackInASecondProcess)
{
    const char *root = getenv("QM_PERSIST_ROOT");
    if (!root)
        GTEST_SKIP() << "run by ASecondProcessReadsThemBack";
    ddd_CloseContext(context_);
    ClosePrinter(printer_);
    context_ = nullptr;
    setenv("QM_ROOT", root, 1);
    qmt_ResetRoot();
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Stored"), &printer_, nullptr));
    context_ = ddd_OpenContext(printer_);
    ASSERT_NE(nullptr, context_);
    EXPECT_EQ((std::vector<WORD>{12}), Index());
    DriverDevmode *out = dm_AllocDevmode(0);
    std::u16string name;
    ASSERT_TRUE(Load(12, out, &name));
    EXPECT_EQ(u"Kept", name);
    EXPECT_EQ(3u, Number(out, 16));
    GlobalFree(out);
    PaperMargins shown;
    EXPECT_EQ(1, ureg_GetUserMargins(printer_, context_, 9, &shown, kBase, 1));
    EXPECT_EQ(Margins(1, 2, 3, 4), shown);
}

} // namespace
