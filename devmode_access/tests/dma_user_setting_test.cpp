/* The user setting record through the exports: read from the block, written back from
 * records of formats 1 to 4. */
#include "devmode_access/tests/dma_api.h"

#include <memory>

#include "core/user_registry/user_setting_info.h"
#include "core/user_registry/user_setting_upgrade.h"
#include "platform/testing/qm_testing.h"

namespace {

class DmaUserSetting : public ::testing::Test
{
protected:
    void SetUp() override
    {
        api_.load();
        // A block with a value in every field of the record.
        static const WORD kGroups[] = {0, USI_PART1, USI_PART2, USI_PART3};
        for (WORD group : kGroups) {
            for (const UserSettingRow *row = ureg_GetUserSettingRows(group); row->functionId; ++row) {
                WORD value = (WORD)(row->functionId - 5000);
                if (row->valueType == VT_STRING) {
                    WCHAR text[] = {'v', (WCHAR)('0' + row->functionId % 10), 0};
                    const WCHAR *pointer = text;
                    ASSERT_EQ(SST_OK, dma_SetValue(row->functionId, nullptr, &a_->block, VT_STRING, 6, &pointer));
                } else {
                    DWORD slot = value & (row->valueType == VT_BYTE ? 0xFF : 0xFFFF);
                    ASSERT_EQ(SST_OK,
                              dma_SetValue(row->functionId,
                                           nullptr,
                                           &a_->block,
                                           row->valueType,
                                           dma_GetTypeWidth(row->valueType),
                                           &slot));
                }
            }
        }
    }

    UserSettingInfo Get()
    {
        UserSettingInfo record;
        DWORD size = sizeof(record);
        EXPECT_EQ(DMA_SUCCESS, api_.GetUserSettingInfo(&a_->handle, &record, &size));
        return record;
    }

    DmaApi api_;
    std::unique_ptr<DmaAreas> a_ = std::make_unique<DmaAreas>();
};

TEST_F(DmaUserSetting, ReadFromTheBlock)
{
    DWORD size = 0;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetUserSettingInfo(&a_->handle, nullptr, &size));
    EXPECT_EQ(984u, size);
    struct {
        UserSettingInfo record;
        char guard[4];
    } out;
    memset(&out, '#', sizeof(out));
    size = 983;
    EXPECT_EQ(DMA_MORE_DATA, api_.GetUserSettingInfo(&a_->handle, &out.record, &size));
    EXPECT_EQ(984u, size);
    EXPECT_EQ('#', ((char *)&out.record)[0]);

    // A model name of 40 characters: 31 of them and a zero.
    memset(a_->handle.modelName, 'M', 40);
    ASSERT_EQ(DMA_SUCCESS, api_.GetUserSettingInfo(&a_->handle, &out.record, &size));
    EXPECT_EQ(0, memcmp(out.guard, "####", 4));
    const UserSettingInfo &r = out.record;
    EXPECT_EQ(4, r.format);
    EXPECT_EQ(7, r.partFlags);
    EXPECT_EQ(0, r.part1Length); // the part lengths stay 0
    EXPECT_EQ(0, r.part3Length);
    EXPECT_EQ(31u, dma_CountWideChars(r.modelName, 32));
    EXPECT_EQ('M', r.modelName[30]);
    EXPECT_EQ(8203 - 5000, r.layoutId);
    EXPECT_EQ(5137 - 5000, r.modelCode);
    EXPECT_EQ(u"v9", std::u16string(r.s5129));
    EXPECT_EQ(5169 - 5000u, r.d5169);
    EXPECT_EQ((BYTE)(5183 - 5000), r.b5183);
}

TEST_F(DmaUserSetting, WrittenBackFromEveryFormat)
{
    // Format 4 as read, with changes in each part.
    UserSettingInfo record = Get();
    record.s5130[0] = 'P';
    record.d5171 = 77;
    record.s5185[0] = 'Q';
    ASSERT_EQ(DMA_SUCCESS, api_.SetUserSettingInfo(&a_->handle, &record, 0));
    UserSettingInfo again = Get();
    EXPECT_EQ('P', again.s5130[0]);
    EXPECT_EQ(77u, again.d5171);
    EXPECT_EQ('Q', again.s5185[0]);

    // Format 2 moves parts 1 and 2; part 3 keeps the block's values. With 5163 = 1 the
    // upgrade sets 5178 to 7.
    BYTE old[984] = {};
    old[0] = 2;
    memcpy(old + 74, &record.s5129, 352);
    memcpy(old + 430, &record.s5150, 124);
    ((WCHAR *)(old + 74))[0] = 'Z';
    DWORD flag = 1;
    ASSERT_EQ(SST_OK, dma_SetValue(5163, nullptr, &a_->block, VT_BYTE, 1, &flag));
    ASSERT_EQ(DMA_SUCCESS, api_.SetUserSettingInfo(&a_->handle, old, 0));
    again = Get();
    EXPECT_EQ('Z', again.s5129[0]);
    EXPECT_EQ(7, again.w5178);
    EXPECT_EQ('Q', again.s5185[0]);

    // Format 1: the 48-byte text at 164 becomes 5129, the one at 72 becomes 5150.
    memset(old, 0, sizeof(old));
    old[0] = 1;
    memcpy(old + 164, u"one", 8);
    memcpy(old + 72, u"two", 8);
    ASSERT_EQ(DMA_SUCCESS, api_.SetUserSettingInfo(&a_->handle, old, 0));
    again = Get();
    EXPECT_EQ(u"one", std::u16string(again.s5129));
    EXPECT_EQ(u"two", std::u16string(again.s5150));
    EXPECT_EQ('Q', again.s5185[0]);
}

TEST_F(DmaUserSetting, RefusedRecordsChangeNothing)
{
    UserSettingInfo record = Get();
    DmaAreas::Snapshot before;
    a_->save(&before);
    UserSettingInfo broken = record;
    for (WCHAR &c : broken.s5147)
        c = 'x'; // no terminator inside its field
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetUserSettingInfo(&a_->handle, &broken, 0));
    broken = record;
    broken.format = 5;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetUserSettingInfo(&a_->handle, &broken, 0));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetUserSettingInfo(&a_->handle, nullptr, 0));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetUserSettingInfo(nullptr, &record, 0));
    DWORD size = 984;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetUserSettingInfo(nullptr, &record, &size));
    a_->handle.printerData = nullptr;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetUserSettingInfo(&a_->handle, &record, &size));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetUserSettingInfo(&a_->handle, &record, 0));
    EXPECT_TRUE(a_->same(before));
}

TEST(UserSettingUpgrade, MovesOfTheOlderFormats)
{
    UserSettingInfo record;
    memset(&record, 0xEE, sizeof(record));
    BYTE old[984] = {};
    old[0] = 3;
    old[892] = 0x42;             // 892 -> 980 (5183)
    memcpy(old + 642, u"p3", 6); // 642 -> 730 (5174)
    ASSERT_TRUE(ureg_UpgradeUserSettingInfo(old, &record, TRUE));
    EXPECT_EQ(4, record.format);
    EXPECT_EQ(0x42, record.b5183);
    EXPECT_EQ(u"p3", std::u16string(record.s5174));
    EXPECT_EQ(0, record.w5178);          // 640 -> 640; formats 1 and 2 only are marked upgraded
    EXPECT_EQ(0xEEEE, record.modelCode); // no move writes it

    old[0] = 0;
    EXPECT_FALSE(ureg_UpgradeUserSettingInfo(old, &record, FALSE));
    old[0] = 5;
    EXPECT_FALSE(ureg_UpgradeUserSettingInfo(old, &record, FALSE));
    EXPECT_FALSE(ureg_UpgradeUserSettingInfo(nullptr, &record, FALSE));
}

} // namespace
