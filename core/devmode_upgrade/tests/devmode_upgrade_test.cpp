/*
 * The DEVMODE upgrade: which inputs are copied, converted or replaced by the defaults,
 * each fix-up of a recent input with its condition met and not met, and a refused
 * allocation anywhere giving either the whole conversion or the defaults.
 */
#include "core/devmode_upgrade/devmode_upgrade.h"

#include "core/devmode_upgrade/tests/upgrade_fixture.h"

#include <string.h>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\UPGRADE_TEST_LOG.txt");
}

namespace {

using namespace upgrade_test;

class DevmodeUpgradeTest : public UpgradeTest
{
protected:
    void SetUp() override
    {
        UpgradeTest::SetUp();
        defaults_ = Defaults();
    }
    Header Current(WORD version)
    {
        return Header{version, 8644, nullptr, 220, defaults_->dm.dmSpecVersion, 1384};
    }
    /* Upgrades input on the model into a first part framed by guard bytes. */
    LONG Upgrade(const Input &input, DriverDevmode *output, const Model &model = kPlainModel)
    {
        std::vector<BYTE> framed(sizeof(DriverDevmode), 0xEE);
        LONG result = dm_UpgradeDevmode(input.get(), (DriverDevmode *)framed.data(), TEXT("P"), Context(model));
        for (size_t i = DM_SHORT_SIZE; i < framed.size(); ++i)
            EXPECT_EQ(0xEE, framed[i]) << "written behind the first part at " << i;
        memcpy(output, framed.data(), sizeof(*output));
        return result;
    }
    std::unique_ptr<DriverDevmode> defaults_;
};

TEST_F(DevmodeUpgradeTest, InputsAreCopiedConvertedOrReplaced)
{
    struct Case {
        const char *why;
        Header header;
        LONG result;
    };
    const WORD specVersion = defaults_->dm.dmSpecVersion;
    const Case cases[] = {
        {"current version: copied", {0x5220, 8644, nullptr, 220, specVersion, 1384}, DMU_COPIED},
        {"current version, other layout: copied", {0x5220, 8000, nullptr, 220, specVersion, 1384}, DMU_COPIED},
        {"current version with the full private part: copied",
         {0x5220, 8644, nullptr, 220, specVersion, 5652},
         DMU_COPIED},
        {"model name in other case: same model",
         {0x5220, 8644, TEXT("MODEL 50-c/1"), 220, specVersion, 1384},
         DMU_COPIED},
        {"current version too short to copy", {0x5220, 8644, nullptr, 220, specVersion, 1000}, DMU_DEFAULTS},
        {"newer version", {0x5221, 8644, nullptr, 220, specVersion, 1384}, DMU_DEFAULTS},
        {"old version 0x4007", {0x4007, 8644, nullptr, 220, specVersion, 1384}, DMU_DEFAULTS},
        {"old version 0x5002", {0x5002, 8644, nullptr, 220, specVersion, 1384}, DMU_DEFAULTS},
        {"first recent version", {0x5003, 8000, nullptr, 220, specVersion, 1384}, DMU_CONVERTED},
        {"last recent version", {0x521F, 8644, nullptr, 220, specVersion, 1384}, DMU_CONVERTED},
        {"recent with the bare private header", {0x5100, 8644, nullptr, 220, specVersion, 69}, DMU_CONVERTED},
        {"recent, private part longer than the current one",
         {0x5100, 8644, nullptr, 220, specVersion, 1385},
         DMU_DEFAULTS},
        {"another model", {0x5220, 8644, TEXT("Model 99"), 220, specVersion, 1384}, DMU_DEFAULTS},
        {"private part without the whole header", {0x5220, 8644, nullptr, 220, specVersion, 68}, DMU_DEFAULTS},
        {"another dmSpecVersion", {0x5220, 8644, nullptr, 220, (WORD)(specVersion - 1), 1384}, DMU_DEFAULTS},
        {"public part only, 156 bytes", {0x5220, 8644, nullptr, 156, specVersion, 0}, DMU_DEFAULTS},
        {"public part only, 220 bytes", {0x5220, 8644, nullptr, 220, specVersion, 0}, DMU_DEFAULTS},
        {"old public size with a private part", {0x5220, 8644, nullptr, 156, specVersion, 1384}, DMU_DEFAULTS},
    };
    std::unique_ptr<DriverDevmode> source = Defaults();
    SetNumber(source.get(), nullptr, FID_COPIES, 7);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.why);
        Input input = MakeInput(*source, c.header);
        DriverDevmode output;
        ASSERT_EQ(c.result, Upgrade(input, &output));
        if (c.result == DMU_DEFAULTS) {
            EXPECT_EQ(FirstPart(defaults_.get()), FirstPart(&output));
            continue;
        }
        EXPECT_EQ(8644u, Number(&output, nullptr, FID_LAYOUT_ID));
        EXPECT_EQ(7u, Number(&output, nullptr, FID_COPIES));
        if (c.result == DMU_COPIED) {
            Bytes expected = FirstPart(input.get());
            memcpy(&expected[222], "\xC4\x21", 2);
            EXPECT_EQ(expected, FirstPart(&output));
            continue;
        }
        /* Converted: the current header words whatever the input's. */
        EXPECT_EQ(0x5220u, Number(&output, nullptr, FID_PRIVATE_VERSION));
        EXPECT_EQ(defaults_->dm.dmDriverVersion, output.dm.dmDriverVersion);
        EXPECT_EQ(220, output.dm.dmSize);
        EXPECT_EQ(1384, output.dm.dmDriverExtra);
    }

    DriverDevmode output;
    EXPECT_EQ(DMU_DEFAULTS, dm_UpgradeDevmode(nullptr, &output, TEXT("P"), Context()));
    EXPECT_EQ(FirstPart(defaults_.get()), FirstPart(&output));
    Input input = MakeInput(*source, Current(0x5220));
    EXPECT_EQ(DMU_FAILED, dm_UpgradeDevmode(input.get(), nullptr, TEXT("P"), Context()));
    EXPECT_EQ(DMU_FAILED, dm_UpgradeDevmode(input.get(), &output, TEXT("P"), nullptr));

    /* In place: the input buffer receives its own conversion. */
    Input recent = MakeInput(*source, Current(0x5100));
    DriverDevmode expected;
    ASSERT_EQ(DMU_CONVERTED, Upgrade(recent, &expected));
    DriverDevmode inPlace = {};
    memcpy(&inPlace, recent.get(), recent.size);
    ASSERT_EQ(DMU_CONVERTED, dm_UpgradeDevmode(&inPlace.dm, &inPlace, TEXT("P"), Context()));
    EXPECT_EQ(FirstPart(&expected), FirstPart(&inPlace));
}

/* One fix-up case: the input's settings, the model, and the settings expected after. */
struct Setting {
    WORD id;
    DWORD value; /* kModelDefault: the model's default */
};

static const DWORD kModelDefault = 0xFFFFFFFF;

struct FixupCase {
    const char *why;
    WORD version;
    Model model;
    std::vector<Setting> input;
    std::vector<Setting> expected;
};

TEST_F(DevmodeUpgradeTest, EachFixupWithItsConditionMetAndNotMet)
{
    const Model class20 = {0x25, false, false};
    const Model class410 = {0x413, false, false};
    const Model booklet = {0x101, true, false};
    const FixupCase cases[] = {
        {"271 reset on a 0x20-class model", 0x5200, class20, {{271, 5}}, {{271, 71}}},
        {"271 kept on other models", 0x5200, class410, {{271, 5}}, {{271, 5}}},
        {"350 at 0 takes its default", 0x5200, kPlainModel, {{350, 0}}, {{350, 35}}},
        {"350 set is kept", 0x5200, kPlainModel, {{350, 3}}, {{350, 3}}},
        {"454 and 455 from their flags below 0x5005",
         0x5004,
         kPlainModel,
         {{1308, 1}, {1311, 1}, {1306, 0}, {1309, 1}, {454, 9}, {455, 9}},
         {{454, 3}, {455, 2}}},
        {"454 and 455 from one flag each", 0x5003, kPlainModel, {{1308, 1}, {1306, 1}}, {{454, 1}, {455, 1}}},
        {"454 and 455 kept from 0x5005",
         0x5005,
         kPlainModel,
         {{1308, 1}, {1306, 1}, {454, 9}, {455, 8}},
         {{454, 9}, {455, 8}}},
        {"473 := 3 with 1354 on below 0x5200", 0x51FF, kPlainModel, {{1354, 1}, {473, 5}}, {{473, 3}}},
        {"473 kept with 1354 off", 0x51FF, kPlainModel, {{1354, 0}, {473, 5}}, {{473, 5}}},
        {"473 kept from 0x5200", 0x5200, kPlainModel, {{1354, 1}, {473, 5}}, {{473, 5}}},
        {"448 := 6 under binding position 9",
         0x513F,
         kPlainModel,
         {{448, 1}, {320, 9}, {1329, 1}},
         {{448, 6}, {1329, 1}}},
        {"448 := 6 under second binding position 5", 0x513F, kPlainModel, {{448, 1}, {320, 1}, {341, 5}}, {{448, 6}}},
        {"1329 cleared otherwise",
         0x513F,
         kPlainModel,
         {{448, 1}, {320, 1}, {341, 0}, {1329, 1}},
         {{448, 1}, {1329, 0}}},
        {"448 and 1329 kept with 448 not 1",
         0x513F,
         kPlainModel,
         {{448, 2}, {320, 9}, {1329, 1}},
         {{448, 2}, {1329, 1}}},
        {"448 and 1329 kept from 0x5140", 0x5140, kPlainModel, {{448, 1}, {320, 9}, {1329, 1}}, {{448, 1}, {1329, 1}}},
        {"1328 moves to 465 under layout 2",
         0x503F,
         booklet,
         {{321, 2}, {1328, 1}, {465, 0}, {320, 9}, {448, 3}},
         {{465, 2}, {1328, 0}, {320, kModelDefault}, {448, 4}}},
        {"1328 cleared under another layout", 0x503F, booklet, {{321, 1}, {1328, 1}, {465, 0}}, {{465, 0}, {1328, 0}}},
        {"1328 kept without capability 45",
         0x503F,
         kPlainModel,
         {{321, 2}, {1328, 1}, {465, 0}},
         {{465, 0}, {1328, 1}}},
        {"1328 kept from 0x5040", 0x5040, booklet, {{321, 2}, {1328, 1}, {465, 0}}, {{465, 0}, {1328, 1}}},
        {"0x111 becomes 0x112 on a 0x410-class model",
         0x5120,
         class410,
         {{265, 0x111}, {13, 0x111}},
         {{265, 0x112}, {13, 0x112}}},
        {"0x111 kept on other models", 0x5120, class20, {{265, 0x111}, {13, 0x111}}, {{265, 0x111}, {13, 0x111}}},
        {"0x111 kept in other versions", 0x5121, class410, {{265, 0x111}, {13, 0x111}}, {{265, 0x111}, {13, 0x111}}},
    };
    for (const FixupCase &c : cases) {
        SCOPED_TRACE(c.why);
        std::unique_ptr<DriverDevmode> source = Defaults(c.model);
        for (const Setting &s : c.input)
            SetNumber(source.get(), nullptr, s.id, s.value);
        Input input = MakeInput(*source, Current(c.version));
        DriverDevmode output;
        ASSERT_EQ(DMU_CONVERTED, Upgrade(input, &output, c.model));
        std::unique_ptr<DriverDevmode> defaults = Defaults(c.model);
        for (const Setting &s : c.expected) {
            DWORD expected = s.value == kModelDefault ? Number(defaults.get(), nullptr, s.id) : s.value;
            EXPECT_EQ(expected, Number(&output, nullptr, s.id)) << "setting " << s.id;
        }
    }
}

TEST_F(DevmodeUpgradeTest, ARefusedAllocationGivesTheWholeConversionOrTheDefaults)
{
    const Model model = {0x25, true, false};
    std::unique_ptr<DriverDevmode> source = Defaults(model);
    std::unique_ptr<DriverDevmode> defaults = Defaults(model);
    SetNumber(source.get(), nullptr, FID_COPIES, 7);
    SetNumber(source.get(), nullptr, 321, 2);
    SetNumber(source.get(), nullptr, 1328, 1);
    SetNumber(source.get(), nullptr, 350, 0);
    Input input = MakeInput(*source, Current(0x5004));
    DriverDevmode converted;
    ASSERT_EQ(DMU_CONVERTED, Upgrade(input, &converted, model));
    DWORD blocks = qmt_LiveGlobalBlocks();
    bool sawDefaults = false;
    for (DWORD after = 0;; ++after) {
        SCOPED_TRACE(after);
        DriverDevmode output;
        memset(&output, 0xAB, sizeof(output));
        qmt_FailAllocations(after, 1);
        LONG result = dm_UpgradeDevmode(input.get(), &output, TEXT("P"), Context(model));
        qmt_FailAllocations(0, 0);
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
        if (result == DMU_CONVERTED) {
            EXPECT_EQ(FirstPart(&converted), FirstPart(&output));
            break;
        }
        if (result == DMU_DEFAULTS) {
            sawDefaults = true;
            EXPECT_EQ(FirstPart(defaults.get()), FirstPart(&output));
        } else {
            ASSERT_EQ(DMU_FAILED, result);
        }
        ASSERT_LT(after, 10000u);
    }
    EXPECT_TRUE(sawDefaults) << "no refusal reached the fix-ups";
}

} // namespace
