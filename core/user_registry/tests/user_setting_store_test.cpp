/*
 * The user setting record in the per-user store: loading each older format, short and
 * unknown records, records from the printer data, saving part by part, the refresh on a
 * changed account setting, and ureg_IsUserSettingId.
 */
#include "core/user_registry/user_registry.h"

#include "core/stored/stored.h"
#include "core/stored/tests/stored_fixture.h"

#include <string.h>

#include <algorithm>

namespace {

using stored_test::Bytes;

/* One byte move of an older format: source offset, destination offset, size. */
struct Move {
    DWORD from;
    DWORD to;
    DWORD size;
};

static const Move kFormat1[] = {{72, 432, 64},
                                {136, 496, 2},
                                {138, 498, 24},
                                {162, 522, 2},
                                {164, 76, 48},
                                {212, 124, 2},
                                {214, 126, 8},
                                {222, 134, 2},
                                {224, 136, 2},
                                {226, 138, 256},
                                {482, 394, 2}};
static const Move kFormat2[] = {{74, 76, 352}, {426, 428, 2}, {430, 432, 124}, {554, 556, 2}};
static const Move kFormat3[] = {{74, 76, 352},  {426, 428, 2},  {432, 432, 64}, {496, 496, 2},  {498, 498, 24},
                                {522, 522, 2},  {524, 524, 32}, {556, 556, 2},  {558, 558, 64}, {622, 622, 2},
                                {624, 624, 1},  {628, 628, 4},  {632, 632, 4},  {636, 636, 4},  {640, 640, 2},
                                {808, 642, 48}, {856, 690, 2},  {858, 692, 32}, {890, 724, 2},  {642, 730, 64},
                                {706, 794, 2},  {708, 796, 32}, {740, 828, 2},  {742, 830, 64}, {806, 894, 2},
                                {894, 896, 48}, {942, 944, 2},  {944, 946, 32}, {976, 978, 2},  {892, 980, 1}};

class UserSettingStoreTest : public stored_test::StoredTest
{
protected:
    void SetUp() override
    {
        StoredTest::SetUp();
        ASSERT_TRUE(ureg_BuildDefaultUserSettingInfo(printer_, context_, &defaults_));
    }
    /* A record of format, size bytes, a distinct byte at each position. */
    static Bytes Pattern(WORD format, DWORD size, BYTE seed = 3)
    {
        Bytes bytes(size);
        for (DWORD i = 0; i < size; ++i)
            bytes[i] = (BYTE)(i * 7 + seed + i / 251);
        memcpy(bytes.data(), &format, 2);
        return bytes;
    }
    static Bytes AsBytes(const UserSettingInfo &record)
    {
        return Bytes((const BYTE *)&record, (const BYTE *)&record + sizeof(record));
    }
    void StoreForUser(const Bytes &record)
    {
        ASSERT_TRUE(ureg_WriteValue(
            printer_, context_, record.data(), (DWORD)record.size(), REG_BINARY, nullptr, TEXT("UserSettingInfo")));
    }
    Bytes UserValue()
    {
        void *data = nullptr;
        DWORD size = 0;
        DWORD type = 0;
        if (ureg_ReadValueAlloc(context_, printer_, &data, &size, &type, nullptr, TEXT("UserSettingInfo")) !=
            UREG_READ_OK)
            return Bytes();
        Bytes bytes((BYTE *)data, (BYTE *)data + size);
        GlobalFree(data);
        return bytes;
    }
    /* Part ranges with their length words. */
    static void CopyPart(Bytes &to, const Bytes &from, int part)
    {
        static const DWORD kStart[] = {74, 430, 728, 982};
        ASSERT_TRUE(to.size() >= 984 && from.size() >= 984);
        std::copy(from.begin() + kStart[part - 1], from.begin() + kStart[part], to.begin() + kStart[part - 1]);
    }
    UserSettingInfo defaults_{};
};

TEST_F(UserSettingStoreTest, OlderFormatsLandEveryMovedField)
{
    struct Case {
        WORD format;
        const Move *moves;
        size_t count;
        DWORD size;
    };
    const Case cases[] = {{1, kFormat1, sizeof(kFormat1) / sizeof(Move), 484},
                          {2, kFormat2, sizeof(kFormat2) / sizeof(Move), 556},
                          {3, kFormat3, sizeof(kFormat3) / sizeof(Move), 978}};
    for (const Case &c : cases) {
        for (BOOL upgrade : {FALSE, TRUE}) {
            SCOPED_TRACE(testing::Message() << "format " << c.format << " upgrade " << upgrade);
            Bytes old = Pattern(c.format, c.size);
            StoreForUser(old);
            Bytes expected = AsBytes(defaults_);
            for (size_t i = 0; i < c.count; ++i)
                memcpy(expected.data() + c.moves[i].to, old.data() + c.moves[i].from, c.moves[i].size);
            expected[0] = 4;
            expected[1] = 0;
            if (upgrade && c.format != 3) {
                expected[640] = 7;
                expected[641] = 0;
            }
            UserSettingInfo loaded;
            ASSERT_TRUE(ureg_LoadUserSettingInfo(printer_, context_, &loaded, USI_ALL_PARTS, upgrade));
            EXPECT_EQ(expected, AsBytes(loaded));
        }
    }
}

TEST_F(UserSettingStoreTest, ShortAndUnknownRecordsGiveTheDefaults)
{
    const Bytes records[] = {
        Pattern(5, 984), Pattern(1, 483), Pattern(2, 555), Pattern(3, 977), Pattern(4, 983), Bytes(1, 4)};
    for (const Bytes &record : records) {
        SCOPED_TRACE(record.size());
        StoreForUser(record);
        UserSettingInfo loaded;
        ASSERT_TRUE(ureg_LoadUserSettingInfo(printer_, context_, &loaded, USI_ALL_PARTS, FALSE));
        EXPECT_EQ(AsBytes(defaults_), AsBytes(loaded));
    }
    /* Nothing stored anywhere: the defaults. */
    UserSettingInfo loaded;
    ASSERT_TRUE(ureg_DeleteUserSettingInfo(printer_, context_));
    ASSERT_TRUE(ureg_LoadUserSettingInfo(printer_, context_, &loaded, USI_ALL_PARTS, FALSE));
    EXPECT_EQ(AsBytes(defaults_), AsBytes(loaded));
    EXPECT_FALSE(ureg_LoadUserSettingInfo(printer_, context_, nullptr, USI_ALL_PARTS, FALSE));
}

TEST_F(UserSettingStoreTest, ARecordFromPrinterDataGivesOnlyPart1)
{
    Bytes shared = Pattern(4, 984, 11);
    ASSERT_TRUE(pd_WriteStoredValue(printer_, shared.data(), 984, SVK_USER_SETTING_INFO));
    Bytes expected = shared;
    CopyPart(expected, AsBytes(defaults_), 2);
    CopyPart(expected, AsBytes(defaults_), 3);
    expected[72] = USI_PART1;
    expected[73] = 0;
    UserSettingInfo loaded;
    ASSERT_TRUE(ureg_LoadUserSettingInfo(printer_, context_, &loaded, USI_PART2, FALSE));
    EXPECT_EQ(expected, AsBytes(loaded));

    /* The user's record lacks part 1 and part 1 is wanted: it comes from the printer data. */
    Bytes mine = Pattern(4, 984, 5);
    mine[72] = USI_PART2;
    mine[73] = 0;
    StoreForUser(mine);
    expected = mine;
    CopyPart(expected, AsBytes(defaults_), 3);
    CopyPart(expected, shared, 1);
    expected[72] = USI_PART1 | USI_PART2;
    ASSERT_TRUE(ureg_LoadUserSettingInfo(printer_, context_, &loaded, USI_PART1, FALSE));
    EXPECT_EQ(expected, AsBytes(loaded));
}

TEST_F(UserSettingStoreTest, SavingMergesWithTheStoredParts)
{
    Bytes first = Pattern(4, 984, 1);
    first[72] = USI_ALL_PARTS;
    first[73] = 0;
    UserSettingInfo record;
    memcpy(&record, first.data(), sizeof(record));
    ASSERT_TRUE(ureg_SaveUserSettingInfo(printer_, context_, &record, USI_ALL_PARTS));
    EXPECT_EQ(first, UserValue());

    /* Flags 1: part 2 from the caller, parts 1 and 3 kept. */
    Bytes second = Pattern(4, 984, 2);
    second[72] = USI_PART2;
    second[73] = 0;
    memcpy(&record, second.data(), sizeof(record));
    ASSERT_TRUE(ureg_SaveUserSettingInfo(printer_, context_, &record, USI_PART2));
    Bytes expected = second;
    CopyPart(expected, first, 1);
    CopyPart(expected, first, 3);
    expected[72] = USI_ALL_PARTS;
    Bytes value = UserValue();
    ASSERT_EQ(984u, value.size());
    for (size_t i = 0; i < 984; ++i)
        ASSERT_EQ(expected[i], value[i]) << i;

    /* Nothing stored: the part flags are the flags. */
    ASSERT_TRUE(ureg_DeleteUserSettingInfo(printer_, context_));
    ASSERT_TRUE(ureg_SaveUserSettingInfo(printer_, context_, &record, USI_PART3));
    EXPECT_EQ(USI_PART3, UserValue()[72]);

    /* Flag 0x100: the printer data, with the low byte as the part flags. */
    ASSERT_TRUE(ureg_SaveUserSettingInfo(printer_, context_, &record, (DWORD)UREG_LOAD_PRINTER_DATA_ONLY | USI_PART1));
    Bytes shared(984);
    DWORD size = 984;
    ASSERT_TRUE(pd_ReadStoredValue(printer_, SVK_USER_SETTING_INFO, shared.data(), &size));
    expected = second;
    expected[72] = USI_PART1;
    EXPECT_EQ(expected, shared);
}

TEST_F(UserSettingStoreTest, RefreshResetsPart3WhenTheAccountSettingsChanged)
{
    PrinterDataBlock block;
    ASSERT_TRUE(pd_LoadPrinterData(printer_, &block, context_));
    const WCHAR *mine = TEXT("Mine");
    ASSERT_EQ(0, dma_SetFunctionValue(5174, nullptr, &block, VT_STRING, 10, &mine));
    BOOL changed = TRUE;
    ASSERT_TRUE(ureg_RefreshUserSettings(printer_, context_, &block, &changed));
    EXPECT_FALSE(changed);
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR text = 0;
    ASSERT_EQ(0, dma_GetFunctionValue(5174, nullptr, &block, &type, &size, &text));
    EXPECT_EQ(u"Mine", std::u16string((const char16_t *)text));

    LONG other = 0;
    ASSERT_EQ(0, dma_SetFunctionValue(5169, nullptr, &block, VT_LONG, 4, &other));
    ASSERT_TRUE(ureg_RefreshUserSettings(printer_, context_, &block, &changed));
    EXPECT_TRUE(changed);
    ASSERT_EQ(0, dma_GetFunctionValue(5174, nullptr, &block, &type, &size, &text));
    EXPECT_EQ(u"U5174", std::u16string((const char16_t *)text));
    EXPECT_FALSE(ureg_RefreshUserSettings(printer_, context_, nullptr, &changed));
}

TEST(UserSettingIds, ThePartsFieldsOnly)
{
    for (WORD id : {5129, 5159, 5150, 5182, 5174, 5183})
        EXPECT_TRUE(ureg_IsUserSettingId(id)) << id;
    for (WORD id : {0, 8203, 8204, 5137, 5168, 4097})
        EXPECT_FALSE(ureg_IsUserSettingId(id)) << id;
}

} // namespace
