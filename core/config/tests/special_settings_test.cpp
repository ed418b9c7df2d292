/* Special settings: reading items and switches, applying them to the settings areas. */
#include "core/config/special_private.h"

#include "core/config/tests/config_test_support.h"
#include "core/settings/settings.h"
#include "platform/testing/qm_testing.h"
#include "testing/settings_areas.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>
#include <vector>

namespace {

const WCHAR kPath[] = TEXT("C:\\drv\\QM50BASE.cfg");

const std::u16string kFixture =
    u"[Model_50_C_1]\r\n"
    u"ColorMode.enforced=gray\r\n"
    u"ColorMode.default=color\r\n" // the enforced key is tried first
    u"duplex.default=3\r\n"
    u"banner.display=dimout\r\n" // display only
    u"JobType.default=secure_print\r\n"
    u"JobType.default=box_print\r\n" // repeated: the first line counts
    u"staple.default=abc\r\n"        // no conversion: value 0
    u"Option_Finisher.enforced=FinisherA\r\n"
    u"Option_Finisher.display=show\r\n"
    u"Paper_Setting.default=000000000000000000000000000000799\r\n" // 33 characters: cut to 31
    u"Option_Duplex.enforced=7\r\n"                                // not in the value map: never applied
    u"MONOCOLOR_PRINT=on\r\n"
    u"DUPLEX_PRINT_LONG=off\r\n"
    u"LOG=3\r\n"
    u"SECURE_PRINT=maybe\r\n" // no conversion: not recorded
    u"[default]\r\n"
    u"duplex.default=abc\r\n";

struct Freer {
    void operator()(SpecialSettings *settings) const
    {
        opt_FreeSpecialSettings(settings);
    }
};
using SettingsPtr = std::unique_ptr<SpecialSettings, Freer>;

SettingsPtr read_settings(const WCHAR *model)
{
    SpecialSettingsRequest request = {model, kPath, g_SpecialItemNames, g_SpecialValueNames, g_SpecialSwitchNames};
    return SettingsPtr(cfg_ReadSpecialSettings(&request));
}

class SpecialSettingsTest : public testing::TestWithParam<bool>
{
protected:
    void SetUp() override
    {
        write_config(kPath, kFixture, GetParam());
    }
};

TEST_P(SpecialSettingsTest, ReadsItemsAndSwitchesInReverseOrder)
{
    SettingsPtr settings = read_settings(TEXT("Model 50-C/1"));
    ASSERT_NE(nullptr, settings);
    // In reverse order of reading, which follows the item name table.
    static const SpecialItem kItems[] = {
        {4359, 10, SPECIAL_ENFORCED | SPECIAL_DISPLAY_2},
        {4356, 7, SPECIAL_DEFAULT}, // "000...0799" cut to "000...07"
        {4103, 7, SPECIAL_ENFORCED},
        {320, 0, SPECIAL_DEFAULT},   // "abc" does not convert: 0
        {332, 0, SPECIAL_DISPLAY_1}, // display only: value 0 and its display flag
        {16, 3, SPECIAL_DEFAULT},
        {334, 1, SPECIAL_DEFAULT},  // the first of two lines
        {270, 1, SPECIAL_ENFORCED}, // enforced gray; the default line changes nothing
    };
    ASSERT_EQ(sizeof(kItems) / sizeof(kItems[0]), settings->itemCount);
    for (WORD i = 0; i < settings->itemCount; i++) {
        EXPECT_EQ(kItems[i].functionId, settings->items[i].functionId) << i;
        EXPECT_EQ(kItems[i].value, settings->items[i].value) << kItems[i].functionId;
        EXPECT_EQ(kItems[i].flags, settings->items[i].flags) << kItems[i].functionId;
    }
    static const SpecialSwitch kSwitches[] = {{999, 3}, {4, 0}, {1, 1}}; // "maybe" is not recorded
    ASSERT_EQ(3, settings->switchCount);
    for (WORD i = 0; i < 3; i++) {
        EXPECT_EQ(kSwitches[i].number, settings->switches[i].number);
        EXPECT_EQ(kSwitches[i].value, settings->switches[i].value);
    }

    // Another model reads "default"; without either section there is nothing.
    settings = read_settings(TEXT("Model 70"));
    ASSERT_NE(nullptr, settings);
    ASSERT_EQ(1, settings->itemCount);
    EXPECT_EQ(16, settings->items[0].functionId);
    EXPECT_EQ(0u, settings->items[0].value);
    EXPECT_EQ((DWORD)SPECIAL_DEFAULT, settings->items[0].flags);
    EXPECT_EQ(0, settings->switchCount);
    write_config(kPath, u"[other]\r\nduplex.default=2\r\n", GetParam());
    EXPECT_EQ(nullptr, read_settings(TEXT("Model 70")));
}

TEST_P(SpecialSettingsTest, NumbersBeyondTheLongRangeDoNotConvert)
{
    // The largest number converts; one more, or more digits, converts to nothing.
    write_config(kPath,
                 u"[default]\r\n"
                 u"duplex.default=2147483648\r\n"
                 u"staple.default=2147483647\r\n"
                 u"MONOCOLOR_PRINT=99999999999999999999\r\n"
                 u"BANNER_PRINT=2147483647\r\n",
                 GetParam());
    SettingsPtr settings = read_settings(TEXT("Model 70"));
    ASSERT_NE(nullptr, settings);
    ASSERT_EQ(2, settings->itemCount);
    EXPECT_EQ(320, settings->items[0].functionId);
    EXPECT_EQ(2147483647u, settings->items[0].value);
    EXPECT_EQ(16, settings->items[1].functionId);
    EXPECT_EQ(0u, settings->items[1].value); // no conversion: 0
    ASSERT_EQ(1, settings->switchCount);     // no conversion: not recorded
    EXPECT_EQ(3, settings->switches[0].number);
    EXPECT_EQ(2147483647u, settings->switches[0].value);
}

TEST_P(SpecialSettingsTest, OutOfMemoryGivesNullAndLeaksNothing)
{
    DWORD before = qmt_LiveGlobalBlocks();
    for (DWORD after = 0;; after++) {
        qmt_FailAllocations(after, 1);
        SettingsPtr settings = read_settings(TEXT("Model 50-C/1"));
        qmt_FailAllocations(0, 0);
        if (settings != nullptr) {
            EXPECT_EQ(8, settings->itemCount);
            break;
        }
        EXPECT_EQ(before, qmt_LiveGlobalBlocks()) << after;
        ASSERT_LT(after, 200u);
    }
}

using Areas = TestSettingsAreas;

TEST_P(SpecialSettingsTest, AppliesExactlyTheMappedValues)
{
    SettingsPtr settings = read_settings(TEXT("Model 50-C/1"));
    ASSERT_NE(nullptr, settings);

    Areas applied;
    ASSERT_TRUE(opt_ApplySpecialSettings(settings.get(), &applied.devmode, &applied.block, SPECIAL_APPLY_ALL));
    Areas expected;
    expected.set(4359, 8); // finisher A is option 8
    expected.set(16, 3);
    expected.set(334, 1);
    expected.set(270, 1);             // enforced, and by the monochrome switch
    EXPECT_TRUE(applied == expected); // 4356 = 7 and 4103 = 7 are not in the map; 332 is display only

    Areas enforcedOnly;
    ASSERT_TRUE(
        opt_ApplySpecialSettings(settings.get(), &enforcedOnly.devmode, &enforcedOnly.block, SPECIAL_APPLY_ENFORCED));
    Areas expectedEnforced;
    expectedEnforced.set(4359, 8);
    expectedEnforced.set(270, 1);
    EXPECT_TRUE(enforcedOnly == expectedEnforced);
    EXPECT_FALSE(opt_ApplySpecialSettings(nullptr, &applied.devmode, &applied.block, SPECIAL_APPLY_ALL));

    // Flags: switch lists first, then the items.
    struct Query {
        WORD functionId;
        BOOL found;
        DWORD flags;
        BOOL enforced;
    };
    static const Query kQueries[] = {
        {270, TRUE, SPECIAL_ENFORCED, TRUE},
        {332, TRUE, SPECIAL_DISPLAY_1, FALSE},
        {16, TRUE, SPECIAL_DEFAULT, FALSE}, // the long-edge switch is off
        {4359, TRUE, SPECIAL_ENFORCED | SPECIAL_DISPLAY_2, TRUE},
        {5153, FALSE, 0, FALSE},
    };
    for (const Query &q : kQueries) {
        SpecialFlagsRequest request = {q.functionId, settings.get(), 0};
        EXPECT_EQ(q.found, opt_GetSpecialSettingFlags(&request)) << q.functionId;
        EXPECT_EQ(q.flags, request.flags) << q.functionId;
        EXPECT_EQ(q.enforced, opt_IsSettingEnforced(settings.get(), q.functionId)) << q.functionId;
    }
    WORD type = 0;
    DWORD slot = 0xFFFFFFFF;
    ASSERT_TRUE(opt_GetSpecialSettingValue(settings.get(), 4359, &type, &slot));
    EXPECT_EQ(VT_WORD, type);
    EXPECT_EQ(8u, slot);
    EXPECT_FALSE(opt_GetSpecialSettingValue(settings.get(), 4356, &type, &slot)); // 7 is not mapped
}

INSTANTIATE_TEST_SUITE_P(AnsiAndUtf16, SpecialSettingsTest, testing::Values(false, true));

TEST(SpecialSettingsApply, StringsAndFontsAreSkipped)
{
    static const SpecialValuePair kAny[] = {{1, 1}};
    static const SpecialValueMapRow kMap[] = {{259, 1, kAny}, {304, 1, kAny}, {332, 1, kAny}, {0, 0, nullptr}};
    static const SpecialSwitchRow kNoSwitches[] = {{SPECIAL_SWITCH_END, 0, nullptr}};
    SpecialItem items[] = {{259, 1, SPECIAL_ENFORCED}, {304, 1, SPECIAL_ENFORCED}, {332, 1, SPECIAL_ENFORCED}};
    SpecialSettings settings = {3, 0, items, nullptr};
    Areas applied;
    ASSERT_TRUE(opt_ApplySpecialSettingsWith(
        &settings, &applied.devmode, &applied.block, SPECIAL_APPLY_ALL, kMap, kNoSwitches));
    Areas expected;
    expected.set(332, 1);
    EXPECT_TRUE(applied == expected);
}

TEST(SpecialSettingsTables, EveryNameHasItsRowInTheSameOrder)
{
    int rows = 0;
    for (const SpecialNameRow *row = g_SpecialItemNames; row->name[0] != 0; row++, rows++) {
        // Every item has a row of the value map, in the same order, and is a setting.
        EXPECT_EQ(row->number, g_SpecialValueMap[rows].functionId) << rows;
        EXPECT_NE(nullptr, dma_FindSettingRow(row->number, nullptr)) << row->number;
    }
    rows = 0;
    for (const SpecialNameRow *row = g_SpecialSwitchNames; row->name[0] != 0; row++, rows++)
        EXPECT_EQ(row->number, g_SpecialSwitchTable[rows].number);
}

} // namespace
