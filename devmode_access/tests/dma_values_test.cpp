/* Number settings, the fax count, record sizes and the translation through the exports. */
#include "devmode_access/tests/dma_api.h"

#include <memory>

#include "core/settings/dmaid.h"
#include "devmode_access/dma_private.h"

namespace {

class DmaValues : public ::testing::Test
{
protected:
    void SetUp() override
    {
        api_.load();
    }

    DmaApi api_;
    std::unique_ptr<DmaAreas> a_ = std::make_unique<DmaAreas>();
};

TEST(DmaTranslation, EveryTranslatedFunctionIdIsASettingBut2490)
{
    for (const DmaIdRange *range = g_DmaIdRanges; range->pairs != nullptr; range++) {
        for (const DmaIdPair *pair = range->pairs; pair->publicId != 0; pair++) {
            bool setting = dma_FindSettingRow(pair->functionId, nullptr) != nullptr;
            EXPECT_EQ(pair->functionId != 2490, setting) << pair->publicId << " -> " << pair->functionId;
        }
    }
    EXPECT_EQ(0, dma_PublicIdToFunctionId(448));
    EXPECT_EQ(0, dma_PublicIdToFunctionId(1282));
    // The reverse finds the row-9 and row-13 identifiers before row 15.
    static const WORD kReverse[][2] = {
        {1858, 552}, {5159, 1063}, {5160, 1064}, {5161, 1065}, {5175, 1079}, {5181, 1085}, {5182, 1086}, {5185, 1089}};
    for (const auto &r : kReverse)
        EXPECT_EQ(r[1], dma_FunctionIdToPublicId(r[0])) << r[0];
    EXPECT_EQ(0, dma_FunctionIdToPublicId(483));
}

TEST_F(DmaValues, TranslatesAndRefusesByType)
{
    struct Case {
        WORD id;
        LONG result;
    };
    static const Case kCases[] = {
        {1, DMA_IS_STRING}, // dmDeviceName
        {304, DMA_IS_LOGFONT},
        {40961, DMA_IS_STRING},
        {40962, DMA_IS_STRING},
        {600, DMA_UNKNOWN_ID},
        {448, DMA_UNKNOWN_ID},
        {1282, DMA_UNKNOWN_ID},
        {0, DMA_UNKNOWN_ID},
        {2490, DMA_BAD_ARGUMENT}, // translated, but no setting
        {415, DMA_SUCCESS},
        {4097, DMA_SUCCESS},
        {513, DMA_SUCCESS},
    };
    for (const Case &c : kCases) {
        DWORD value = 0;
        EXPECT_EQ(c.result, api_.GetValue(&a_->handle, c.id, &value)) << c.id;
        EXPECT_EQ(c.result, api_.SetValue(&a_->handle, c.id, 0)) << c.id;
    }
}

TEST_F(DmaValues, ReachesTheSettingOfTheTranslatedFunctionId)
{
    struct Case {
        WORD id;
        WORD functionId;
        DWORD value;
    };
    static const Case kCases[] = {
        {415, 1834, 0x1234},
        {4097, 448, 0x56},
        {513, 1793, 21024},
        {7, 7, 2},
        {1313, 5891, 77},
    };
    for (const Case &c : kCases) {
        ASSERT_EQ(DMA_SUCCESS, api_.SetValue(&a_->handle, c.id, c.value)) << c.id;
        WORD type;
        DWORD size;
        DWORD direct = 0;
        ASSERT_EQ(SST_OK, dma_GetValue(c.functionId, &a_->devmode, &a_->block, &type, &size, &direct, nullptr));
        EXPECT_EQ(c.value, direct) << c.id;
        DWORD value = 0xFFFFFFFF;
        EXPECT_EQ(DMA_SUCCESS, api_.GetValue(&a_->handle, c.id, &value));
        EXPECT_EQ(c.value, value) << c.id;
    }
    // Narrow values come out zero-extended, and take the low bytes of what is given.
    ASSERT_EQ(DMA_SUCCESS, api_.SetValue(&a_->handle, 7, 0xFFFFFFFF));
    DWORD value = 0;
    EXPECT_EQ(DMA_SUCCESS, api_.GetValue(&a_->handle, 7, &value));
    EXPECT_EQ(0xFFFFu, value);
    EXPECT_EQ(-1, (SHORT)a_->devmode.dm.dmOrientation);
}

TEST_F(DmaValues, FaxCountIsCheckedBeforeAnythingIsWritten)
{
    ASSERT_EQ(DMA_SUCCESS, api_.SetFaxAddressNum(&a_->handle, 2, FALSE));
    WORD count = 0;
    ASSERT_EQ(DMA_SUCCESS, api_.GetFaxAddressNum(a_->faxList, &count));
    EXPECT_EQ(2, count);

    DmaAreas::Snapshot before;
    a_->save(&before);
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetFaxAddressNum(&a_->handle, -3, TRUE));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetFaxAddressNum(&a_->handle, 65536, FALSE));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetFaxAddressNum(&a_->handle, 0x7FFFFFFF, TRUE));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetFaxAddressNum(&a_->handle, -1, FALSE));
    EXPECT_TRUE(a_->same(before));

    ASSERT_EQ(DMA_SUCCESS, api_.SetFaxAddressNum(&a_->handle, 1, TRUE));
    ASSERT_EQ(DMA_SUCCESS, api_.GetFaxAddressNum(a_->faxList, &count));
    EXPECT_EQ(3, count);
    DWORD value = 0;
    ASSERT_EQ(DMA_SUCCESS, api_.GetValue(&a_->handle, 380, &value));
    EXPECT_EQ(3u, value);
    ASSERT_EQ(DMA_SUCCESS, api_.SetFaxAddressNum(&a_->handle, 65535, FALSE));

    a_->faxList[0] = 'X'; // not a fax list
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetFaxAddressNum(a_->faxList, &count));
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.GetFaxAddressNum(nullptr, &count));
    a_->handle.faxList = nullptr;
    EXPECT_EQ(DMA_BAD_ARGUMENT, api_.SetFaxAddressNum(&a_->handle, 1, FALSE));
}

TEST_F(DmaValues, StructSizesOfTheDataKinds)
{
    static const LONG kSizes[] = {0, 0, 308, 706, 20, 742, 1442, 0};
    for (DWORD kind = 0; kind < 8; kind++)
        EXPECT_EQ(kSizes[kind], api_.QueryStructSize(kind)) << kind;
    EXPECT_EQ(0, api_.QueryStructSize(0xFFFFFFFF));
}

TEST_F(DmaValues, TwoHandlesStayIndependent)
{
    std::unique_ptr<DmaAreas> other = std::make_unique<DmaAreas>();
    for (DWORD i = 0; i < 4; i++) {
        ASSERT_EQ(DMA_SUCCESS, api_.SetValue(&a_->handle, 12, 10 + i));
        ASSERT_EQ(DMA_SUCCESS, api_.SetValue(&other->handle, 12, 20 + i));
        ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&a_->handle, 1, i % 2 ? "first" : "one", 10));
        ASSERT_EQ(DMA_SUCCESS, api_.SetStringData(&other->handle, 1, "second", 10));
    }
    DWORD value = 0;
    EXPECT_EQ(DMA_SUCCESS, api_.GetValue(&a_->handle, 12, &value));
    EXPECT_EQ(13u, value);
    EXPECT_EQ(DMA_SUCCESS, api_.GetValue(&other->handle, 12, &value));
    EXPECT_EQ(23u, value);
    char text[64];
    DWORD size = sizeof(text);
    EXPECT_EQ(DMA_SUCCESS, api_.GetStringData(&a_->handle, 1, text, &size));
    EXPECT_STREQ("first", text);
    EXPECT_EQ(DMA_SUCCESS, api_.GetStringData(&other->handle, 1, text, &size));
    EXPECT_STREQ("second", text);
}

} // namespace
