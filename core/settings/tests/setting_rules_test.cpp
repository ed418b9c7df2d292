/* Setting rules: resolution limit, custom paper size, job-start dialog, passcode length. */
#include "core/settings/setting_rules.h"

#include "core/settings/settings.h"
#include "core/util/codepage_text.h"
#include "testing/settings_areas.h"

#include <gtest/gtest.h>

#include <string.h>

#include <memory>

namespace {

using Areas = TestSettingsAreas;

TEST(SettingRules, ResolutionLimitOfLongPaper)
{
    struct Case {
        short length;
        short quality;
        BOOL result;
        short after;
    };
    static const Case kCases[] = {
        {4572, 1200, TRUE, 1200}, // limit 1555 keeps 1200 dpi
        {11900, 1200, TRUE, 300}, // limit 597 lowers 1200 to 300
        {10000, 1200, TRUE, 600}, // limit 711
        {30000, 600, TRUE, 200},  // limit 237
        {32000, 222, TRUE, 222},  // limit 222: fits
        {32000, 600, TRUE, 200},  // limit 222 >= 201
        {-1, 600, FALSE, 600},    // a negative dimension: 0, nothing changed
        {0, 600, FALSE, 600},     // a zero dimension: 0, nothing changed
    };
    for (const Case &c : kCases) {
        auto areas = std::make_unique<Areas>();
        areas->devmode.dm.dmPaperWidth = 2100;
        areas->devmode.dm.dmPaperLength = c.length;
        areas->devmode.dm.dmPrintQuality = c.quality;
        areas->devmode.dm.dmYResolution = c.quality;
        DriverDevmode before = areas->devmode;
        EXPECT_EQ(c.result, dm_LimitResolutionForPaperSize(&areas->devmode)) << c.length;
        EXPECT_EQ(c.after, areas->devmode.dm.dmPrintQuality) << c.length;
        EXPECT_EQ(c.after, areas->devmode.dm.dmYResolution) << c.length;
        if (!c.result) {
            EXPECT_EQ(0, memcmp(&before, &areas->devmode, sizeof(before)));
        }
    }
    // The longest paper a DEVMODE can hold (32767) still gives 217: the limit never falls
    // below 201 through the public fields.
    EXPECT_FALSE(dm_LimitResolutionForPaperSize(nullptr));
}

TEST(SettingRules, CustomPaperSizeBothWays)
{
    auto areas = std::make_unique<Areas>();
    areas->set(1863, 2100);
    areas->set(1864, 2970);
    CustomPaperSizeRequest request = {&areas->devmode, &areas->block, 0, 0};
    ASSERT_TRUE(dm_GetCustomPaperSize(&request));
    EXPECT_EQ(2100, request.width);
    EXPECT_EQ(2970, request.length);

    ASSERT_TRUE(dm_SyncCustomPaperSize(DM_SYNC_TO_PUBLIC, &areas->devmode, &areas->block));
    EXPECT_EQ(2970, areas->devmode.dm.dmPaperLength);
    EXPECT_EQ(2100, areas->devmode.dm.dmPaperWidth);

    areas->devmode.dm.dmPaperLength = 1480;
    areas->devmode.dm.dmPaperWidth = 1050;
    ASSERT_TRUE(dm_SyncCustomPaperSize(DM_SYNC_FROM_PUBLIC, &areas->devmode, &areas->block));
    ASSERT_TRUE(dm_GetCustomPaperSize(&request));
    EXPECT_EQ(1050, request.width);
    EXPECT_EQ(1480, request.length);
    EXPECT_FALSE(dm_SyncCustomPaperSize(2, &areas->devmode, &areas->block));
    // Without the second part (NULL block is fine, a NULL DEVMODE is not).
    EXPECT_FALSE(dm_SyncCustomPaperSize(DM_SYNC_TO_PUBLIC, nullptr, &areas->block));
}

TEST(SettingRules, JobStartDialogAndOption5200)
{
    struct Case {
        BYTE option5204, option4367;
        BOOL fax;
        BOOL needed;
    };
    static const Case kCases[] = {
        {0, 3, FALSE, FALSE},
        {0, 0, FALSE, TRUE},
        {1, 3, FALSE, TRUE},
        {2, 3, FALSE, TRUE},
        {0, 0, TRUE, TRUE},
        {1, 0, TRUE, FALSE},
        {2, 3, TRUE, FALSE},
        {2, 1, TRUE, TRUE},
    };
    for (const Case &c : kCases) {
        auto areas = std::make_unique<Areas>();
        areas->set(5204, c.option5204);
        areas->set(4367, c.option4367);
        EXPECT_EQ(c.needed, dma_NeedsJobStartDialog(&areas->devmode, &areas->block, c.fax))
            << (int)c.option5204 << " " << (int)c.option4367 << " " << c.fax;
    }
    auto areas = std::make_unique<Areas>();
    areas->set(5200, 77);
    SettingsAreas both = {&areas->devmode, &areas->block};
    EXPECT_EQ(77u, util_GetDeviceOption5200(&both));
    SettingsAreas noBlock = {&areas->devmode, nullptr};
    EXPECT_EQ(0u, util_GetDeviceOption5200(&noBlock));
    EXPECT_EQ(0u, util_GetDeviceOption5200(nullptr));
}

TEST(SettingRules, PasscodeLength)
{
    struct Case {
        BOOL encoded;
        const WCHAR *passcode;
        WORD minimum;
        BOOL ok;
    };
    static const Case kCases[] = {
        {FALSE, TEXT("1234"), 4, TRUE},
        {FALSE, TEXT("123"), 4, FALSE},
        {FALSE, TEXT(""), 0, TRUE},
        {TRUE, TEXT("123456789012"), 4, TRUE},
        {TRUE, TEXT("12345"), 6, FALSE},
        {TRUE, TEXT("123456"), 6, TRUE},
    };
    for (const Case &c : kCases) {
        auto areas = std::make_unique<Areas>();
        areas->set(4366, c.minimum);
        WCHAR *stored = nullptr;
        if (c.encoded) {
            TranscodeRequest request = {UTIL_TRANSCODE_ENCODE, c.passcode, nullptr};
            ASSERT_TRUE(util_TranscodeStoredText(&request));
            stored = request.result;
            areas->set_text(5159, stored);
        } else {
            areas->set_text(5130, c.passcode);
        }
        PasscodeLengthRequest request = {&areas->devmode, &areas->block, c.encoded, 0, 0};
        EXPECT_EQ(c.ok, job_CheckPasscodeLength(&request)) << c.encoded << " " << c.minimum;
        EXPECT_EQ(c.encoded ? 12 : 4, request.maximum);
        EXPECT_EQ(c.minimum, request.minimum);
        if (stored != nullptr)
            GlobalFree(stored);
    }
}

} // namespace
