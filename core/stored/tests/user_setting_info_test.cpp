/*
 * The user setting record: its rows against the settings catalogue, a record built from
 * a default block and from the description defaults, and parts applied to a block.
 */
#include "core/user_registry/user_setting_info.h"

#include "core/handlers/setting_handlers.h"
#include "core/settings/settings.h"
#include "core/stored/tests/stored_fixture.h"

#include <string.h>

namespace {

using stored_test::Bytes;

const WORD kGroups[] = {0, USI_PART1, USI_PART2, USI_PART3};

class UserSettingInfoTest : public stored_test::StoredTest
{
protected:
    void SetUp() override
    {
        StoredTest::SetUp();
        block_ = defaults_;
    }
    std::u16string Text(const UserSettingInfo &record, DWORD offset)
    {
        return std::u16string((const WCHAR *)((const BYTE *)&record + offset));
    }
    PrinterDataBlock block_{};
};

TEST_F(UserSettingInfoTest, EveryRowMatchesItsCatalogueRow)
{
    int rows = 0;
    for (WORD group : kGroups) {
        for (const UserSettingRow *row = ureg_GetUserSettingRows(group); row->functionId; ++row, ++rows) {
            WORD kind = 0;
            const SettingLocation *location = dma_FindSettingRow(row->functionId, &kind);
            ASSERT_NE(nullptr, location) << row->functionId;
            EXPECT_EQ(SK_PRINTER_DATA, kind) << row->functionId;
            EXPECT_EQ(row->valueType, location->storedType) << row->functionId;
            EXPECT_EQ(0, location->presentedType) << row->functionId;
            if (row->valueType == VT_STRING)
                EXPECT_EQ(row->size, location->capacity) << row->functionId;
            else
                EXPECT_EQ(row->size, dma_GetTypeWidth(row->valueType)) << row->functionId;
            DWORD mask = 0;
            EXPECT_FALSE(dma_GetFlagMask(row->functionId, &mask)) << row->functionId;
        }
    }
    EXPECT_EQ(25, rows);
    EXPECT_EQ(nullptr, ureg_GetUserSettingRows(3));
}

TEST_F(UserSettingInfoTest, ARecordBuiltFromADefaultBlockHoldsTheDefaults)
{
    UserSettingInfo record;
    memset(&record, 0xEE, sizeof(record));
    DWORD blocks = qmt_LiveGlobalBlocks();
    ASSERT_TRUE(ureg_BuildUserSettingInfo(printer_, context_, &block_, &record));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(4, record.format);
    EXPECT_EQ(7, record.partFlags);
    EXPECT_EQ(354, record.part1Length);
    EXPECT_EQ(296, record.part2Length);
    EXPECT_EQ(252, record.part3Length);
    EXPECT_EQ(8644, record.layoutId);
    EXPECT_EQ(21024, record.blockVersion);
    EXPECT_EQ(37, record.modelCode);
    EXPECT_EQ(u"Model 50-C/1", std::u16string(record.modelName));
    EXPECT_EQ(46, record.w5146);
    EXPECT_EQ(78, record.w5178);
    EXPECT_EQ(65, record.b5165);
    EXPECT_EQ(83, record.b5183);
    EXPECT_EQ(1u, record.d5169); /* type 1 holds on/off values */
    EXPECT_EQ(1u, record.d5171);
    EXPECT_EQ(1u, record.d5173);
    EXPECT_EQ(u"P130", std::u16string(record.s5130));
    for (WORD group : kGroups) {
        for (const UserSettingRow *row = ureg_GetUserSettingRows(group); row->functionId; ++row) {
            if (row->valueType != VT_STRING || row->functionId == 5130)
                continue;
            WCHAR expected[8];
            wsprintfW(expected, TEXT("U%d"), row->functionId);
            EXPECT_EQ(std::u16string(expected), Text(record, row->offset)) << row->functionId;
        }
    }
    /* Every byte the table does not name is zero. */
    EXPECT_EQ(0,
              record.reserved1[0] | record.reserved1[1] | record.reserved1[2] | record.reserved2 | record.reserved3[0] |
                  record.reserved3[1] | record.reserved3[2]);

    /* The description defaults give the same parts. */
    UserSettingInfo defaults;
    memset(&defaults, 0xEE, sizeof(defaults));
    ASSERT_TRUE(ureg_BuildDefaultUserSettingInfo(printer_, context_, &defaults));
    EXPECT_EQ(0, memcmp((BYTE *)&record + 72, (BYTE *)&defaults + 72, sizeof(record) - 72));
    EXPECT_EQ(4, defaults.format);
    EXPECT_EQ(0, defaults.layoutId); /* the header group is not part of the defaults */
}

TEST_F(UserSettingInfoTest, ALongModelNameIsCut)
{
    /* The header's 64-byte name field holds up to 63 characters (the compiler writes no
     * more than 31, so the field is filled here). */
    dddc::Bytes model = stored_test::CompileModel();
    std::fill(model.begin() + DDD_MODEL_NAME_OFFSET, model.begin() + DDD_MODEL_NAME_OFFSET + 63, 'M');
    model[DDD_MODEL_NAME_OFFSET + 30] = 'L';
    model[DDD_MODEL_NAME_OFFSET + 63] = 0;
    driver_files::WriteFileBytes(u"C:\\drv\\QM50LONG.DDD", std::string(model.begin(), model.end()));
    HANDLE printer = driver_files::InstallPrinter(TEXT("Long"), u"C:\\drv\\QM50LONG.DDD");
    DriverContext *context = ddd_OpenContext(printer);
    ASSERT_NE(nullptr, context);
    UserSettingInfo record;
    memset(&record, 0xEE, sizeof(record));
    EXPECT_TRUE(ureg_BuildUserSettingInfo(printer, context, &block_, &record));
    EXPECT_EQ(std::u16string(30, u'M') + u"L", std::u16string(record.modelName));
    EXPECT_EQ(0, record.partFlags & 0xFF00); /* the field ends before the part flags */
    ddd_CloseContext(context);
    ClosePrinter(printer);
}

TEST_F(UserSettingInfoTest, ApplyingAPartChangesOnlyItsSettings)
{
    UserSettingInfo record;
    ASSERT_TRUE(ureg_BuildUserSettingInfo(printer_, context_, &block_, &record));
    /* A record with other values in every field. */
    for (WORD group : kGroups) {
        for (const UserSettingRow *row = ureg_GetUserSettingRows(group); row->functionId; ++row) {
            BYTE *field = (BYTE *)&record + row->offset;
            if (row->valueType == VT_STRING)
                memcpy(field, TEXT("New"), 8);
            else
                field[0] ^= 0x5A;
        }
    }
    struct Case {
        WORD mask;
        WORD changedPart; /* 0: none */
    };
    static const Case cases[] = {
        {0, 0},
        {USI_PART1, USI_PART1},
        {0x102, USI_PART1},
        {USI_PART2, USI_PART2},
        {USI_PART3, USI_PART3},
        {0xF8, 0},
    };
    for (const Case &c : cases) {
        PrinterDataBlock block = block_;
        ASSERT_TRUE(ureg_ApplyUserSettingInfo(&block, &record, c.mask)) << c.mask;
        /* Expected: the default block with exactly that part's settings written. */
        PrinterDataBlock expected = block_;
        if (c.changedPart) {
            for (const UserSettingRow *row = ureg_GetUserSettingRows(c.changedPart); row->functionId; ++row) {
                const BYTE *field = (const BYTE *)&record + row->offset;
                const WCHAR *text = (const WCHAR *)field;
                ASSERT_EQ(0,
                          dma_SetFunctionValue(row->functionId,
                                               nullptr,
                                               &expected,
                                               row->valueType,
                                               row->size,
                                               row->valueType == VT_STRING ? (const void *)&text : field));
            }
        }
        EXPECT_EQ(0, memcmp(&expected, &block, sizeof(block))) << c.mask;
        EXPECT_EQ(c.changedPart != 0, memcmp(&block_, &block, sizeof(block)) != 0) << c.mask;
    }
    /* The header group is never applied. */
    PrinterDataBlock block = block_;
    record.layoutId = 1;
    ASSERT_TRUE(ureg_ApplyUserSettingInfo(&block, &record, USI_ALL_PARTS));
    EXPECT_EQ(8644u, (DWORD)dma_GetTypedValue(devmode_, &block, 8203, VT_WORD));
    /* A field without terminator is cut to its size. */
    for (int i = 0; i < 25; ++i)
        record.s5129[i] = u'x';
    ASSERT_TRUE(ureg_ApplyUserSettingInfo(&block, &record, USI_PART1));
    EXPECT_EQ(std::u16string(24, u'x'),
              std::u16string((const WCHAR *)dma_GetTypedValue(devmode_, &block, 5129, VT_STRING)));
}

TEST_F(UserSettingInfoTest, MissingArgumentsAndForeignValuesFail)
{
    UserSettingInfo record;
    EXPECT_FALSE(ureg_BuildUserSettingInfo(printer_, nullptr, &block_, &record));
    EXPECT_FALSE(ureg_BuildUserSettingInfo(printer_, context_, nullptr, &record));
    EXPECT_FALSE(ureg_BuildUserSettingInfo(printer_, context_, &block_, nullptr));
    EXPECT_FALSE(ureg_ApplyUserSettingInfo(nullptr, &record, USI_ALL_PARTS));
    EXPECT_FALSE(ureg_BuildDefaultUserSettingInfo(printer_, nullptr, &record));
    /* A block string without terminator is cut to the record's field. */
    PrinterDataBlock block = block_;
    memset(block.bytes + dma_FindSettingRow(5130, nullptr)->offset, 'z', 10);
    ASSERT_TRUE(ureg_BuildUserSettingInfo(printer_, context_, &block, &record));
    EXPECT_EQ(4u, std::u16string(record.s5130).size());
}

} // namespace
