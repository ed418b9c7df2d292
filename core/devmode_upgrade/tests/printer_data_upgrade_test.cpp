/*
 * The printer-data block upgrade: copies, conversions with each fix-up met and not met,
 * blocks that get the defaults, and a refused allocation never handing back old bytes.
 */
#include "core/devmode_upgrade/printer_data_upgrade.h"

#include "core/devmode_upgrade/tests/upgrade_fixture.h"

#include <string>
#include <string.h>

namespace {

using namespace upgrade_test;

static const DWORD kModelDefault = 0xFFFFFFFF;

struct Setting {
    WORD id;
    DWORD value; /* kModelDefault: the model's default */
};

class PrinterDataUpgradeTest : public UpgradeTest
{
protected:
    /* The model's default block with a recognisable device setting and the header words. */
    std::unique_ptr<PrinterDataBlock> Stored(const Model &model, WORD version, WORD layout = 8644, int modelCode = -1)
    {
        std::unique_ptr<PrinterDataBlock> block = DefaultBlock(model);
        SetNumber(nullptr, block.get(), 4097, 1);
        SetNumber(nullptr, block.get(), FID_BLOCK_VERSION, version);
        SetNumber(nullptr, block.get(), FID_BLOCK_LAYOUT_ID, layout);
        if (modelCode >= 0)
            SetNumber(nullptr, block.get(), FID_MODEL_CODE, (DWORD)modelCode);
        return block;
    }
    static Bytes AsBytes(const PrinterDataBlock &block)
    {
        return Bytes(block.bytes, block.bytes + sizeof(block));
    }
};

TEST_F(PrinterDataUpgradeTest, CopiesAndDefaults)
{
    const Model class350 = {0x351, false, false};
    std::unique_ptr<PrinterDataBlock> defaults = DefaultBlock();
    struct Case {
        const char *why;
        Model model;
        WORD version;
        WORD layout;
        int modelCode; /* -1: the model's */
        LONG result;
    };
    const Case cases[] = {
        {"current: copied", kPlainModel, 0x5220, 8644, -1, PDU_COPIED},
        {"current, other layout: copied with 8203 current", kPlainModel, 0x5220, 8000, -1, PDU_COPIED},
        {"first recent version", kPlainModel, 0x5040, 8644, -1, PDU_CONVERTED},
        {"below the recent versions", kPlainModel, 0x503F, 8644, -1, PDU_DEFAULTS},
        {"newer", kPlainModel, 0x5221, 8644, -1, PDU_DEFAULTS},
        {"another model code", kPlainModel, 0x5220, 8644, 0x102, PDU_DEFAULTS},
        {"0x5100 on a 0x350-class model: the current code", class350, 0x5100, 8644, 0x999, PDU_CONVERTED},
        {"0x5101 on a 0x350-class model: its own code", class350, 0x5101, 8644, 0x999, PDU_DEFAULTS},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        std::unique_ptr<PrinterDataBlock> stored = Stored(c.model, c.version, c.layout, c.modelCode);
        PrinterDataBlock output;
        memset(&output, 0xAB, sizeof(output));
        ASSERT_EQ(c.result, pd_UpgradePrinterData(stored.get(), &output, Context(c.model)));
        std::unique_ptr<PrinterDataBlock> modelDefaults = DefaultBlock(c.model);
        if (c.result == PDU_DEFAULTS) {
            EXPECT_EQ(AsBytes(*modelDefaults), AsBytes(output));
            continue;
        }
        EXPECT_EQ(1u, Number(nullptr, &output, 4097));
        EXPECT_EQ(8644u, Number(nullptr, &output, FID_BLOCK_LAYOUT_ID));
        if (c.result == PDU_COPIED) {
            Bytes expected = AsBytes(*stored);
            expected[0] = 0xC4;
            expected[1] = 0x21;
            EXPECT_EQ(expected, AsBytes(output));
        } else {
            for (WORD id : {FID_BLOCK_VERSION, FID_BLOCK_SIZE, FID_MODEL_CODE})
                EXPECT_EQ(Number(nullptr, modelDefaults.get(), id), Number(nullptr, &output, id)) << id;
        }
    }
    PrinterDataBlock output;
    EXPECT_EQ(PDU_FAILED, pd_UpgradePrinterData(nullptr, &output, Context()));
    EXPECT_EQ(PDU_FAILED, pd_UpgradePrinterData(defaults.get(), nullptr, Context()));
    EXPECT_EQ(PDU_FAILED, pd_UpgradePrinterData(defaults.get(), &output, nullptr));
}

TEST_F(PrinterDataUpgradeTest, EachFixupWithItsConditionMetAndNotMet)
{
    const Model monitor = {0x101, false, true};
    const Model class410 = {0x413, false, false};
    const Model class540 = {0x541, false, false};
    struct Case {
        const char *why;
        Model model;
        WORD version;
        std::vector<Setting> input;
        std::vector<Setting> expected;
    };
    const Case cases[] = {
        {"5204 := 2 below 0x5120 with capability 0x2000000", monitor, 0x511F, {{5204, 1}}, {{5204, 2}}},
        {"5204 kept from 0x5120", monitor, 0x5120, {{5204, 1}}, {{5204, 1}}},
        {"5204 kept without the capability", kPlainModel, 0x511F, {{5204, 1}}, {{5204, 1}}},
        {"4623 moves to 4624 at 0x5120 on a 0x410-class model",
         class410,
         0x5120,
         {{4623, 1}, {4624, 0}},
         {{4623, 0}, {4624, 1}}},
        {"4623 kept in other versions", class410, 0x5121, {{4623, 1}, {4624, 0}}, {{4623, 1}, {4624, 0}}},
        {"4623 kept on other models", class540, 0x5120, {{4623, 1}, {4624, 0}}, {{4623, 1}, {4624, 0}}},
        {"4365 reset at 0x5140 on a 0x540-class model", class540, 0x5140, {{4365, 9}}, {{4365, 65}}},
        {"4365 kept in other versions", class540, 0x5141, {{4365, 9}}, {{4365, 9}}},
        {"4365 kept on other models", class410, 0x5140, {{4365, 9}}, {{4365, 9}}},
        {"tray settings reset below 0x5220",
         kPlainModel,
         0x521F,
         {{6222, 1}, {6223, 1}, {6237, 1}, {6238, 1}, {6252, 1}, {6253, 1}, {6312, 1}, {6313, 1}, {6224, 7}},
         {{6222, 22}, {6223, 23}, {6237, 37}, {6238, 38}, {6252, 52}, {6253, 53}, {6312, 12}, {6313, 13}, {6224, 7}}},
        {"5153 and 4129 always reset", kPlainModel, 0x521F, {{5153, 9}, {4129, 0}}, {{5153, 53}, {4129, 1}}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        std::unique_ptr<PrinterDataBlock> stored = Stored(c.model, c.version);
        for (const Setting &s : c.input)
            SetNumber(nullptr, stored.get(), s.id, s.value);
        PrinterDataBlock output;
        ASSERT_EQ(PDU_CONVERTED, pd_UpgradePrinterData(stored.get(), &output, Context(c.model)));
        for (const Setting &s : c.expected)
            EXPECT_EQ(s.value, Number(nullptr, &output, s.id)) << "setting " << s.id;
        EXPECT_EQ(1u, Number(nullptr, &output, 4097));
    }
}

TEST_F(PrinterDataUpgradeTest, TheDeviceAddressTakesSetting8209BelowVersion0x5140)
{
    for (WORD version : {(WORD)0x513F, (WORD)0x5140}) {
        SCOPED_TRACE(version);
        std::unique_ptr<PrinterDataBlock> stored = Stored(kPlainModel, version);
        SetNumber(nullptr, stored.get(), FID_CONFIG_8209, 1234);
        const WCHAR *address = TEXT("10.0.0.1");
        ASSERT_EQ(0, dma_SetFunctionValue(FID_DEVICE_ADDRESS, nullptr, stored.get(), VT_STRING, 18, &address));
        PrinterDataBlock output;
        ASSERT_EQ(PDU_CONVERTED, pd_UpgradePrinterData(stored.get(), &output, Context()));
        WORD type = 0;
        DWORD size = 0;
        DWORD_PTR text = 0;
        ASSERT_EQ(0, dma_GetFunctionValue(FID_DEVICE_ADDRESS, nullptr, &output, &type, &size, &text));
        EXPECT_EQ(version < 0x5140 ? u"1234" : u"10.0.0.1", std::u16string((const WCHAR *)text));
    }
}

TEST_F(PrinterDataUpgradeTest, ARefusedAllocationNeverHandsBackTheOldBlock)
{
    const Model model = {0x541, false, true};
    std::unique_ptr<PrinterDataBlock> stored = Stored(model, 0x5140);
    std::unique_ptr<PrinterDataBlock> defaults = DefaultBlock(model);
    SetNumber(nullptr, stored.get(), 4365, 9);
    PrinterDataBlock converted;
    ASSERT_EQ(PDU_CONVERTED, pd_UpgradePrinterData(stored.get(), &converted, Context(model)));
    DWORD blocks = qmt_LiveGlobalBlocks();
    for (DWORD after = 0;; ++after) {
        SCOPED_TRACE(after);
        PrinterDataBlock output;
        memset(&output, 0xAB, sizeof(output));
        qmt_FailAllocations(after, 1);
        LONG result = pd_UpgradePrinterData(stored.get(), &output, Context(model));
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
        if (result == PDU_CONVERTED) {
            EXPECT_EQ(AsBytes(converted), AsBytes(output));
            break;
        }
        if (result == PDU_DEFAULTS)
            EXPECT_EQ(AsBytes(*defaults), AsBytes(output));
        else
            ASSERT_EQ(PDU_FAILED, result);
        ASSERT_LT(after, 10000u);
    }
}

} // namespace
