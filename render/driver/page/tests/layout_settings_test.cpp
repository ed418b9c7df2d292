/*
 * The layout settings read into the page block: one table of refused values and of
 * accepted values with where they land.
 */
#include "render/driver/page/layout_settings.h"

#include "core/settings/settings.h"

#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "testing/settings_areas.h"

namespace {

struct Setting {
    WORD id;
    LONG value;
};

struct Case {
    const char *name;
    std::vector<Setting> settings; // on top of a plain portrait one-up job
    LONG posterOn, posterColumns, posterRows, bookletOn, printMode;
    BOOL bindingCapability;
    LONG result;
    LONG PageBlock::*field; // checked when the result is 0
    LONG expected;
};

TEST(LayoutSettings, RefusedAndMappedValues)
{
    using B = PageBlock;
    const Case cases[] = {
        {"437 outside 0-3", {{437, 4}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"437 kept", {{437, 3}}, 0, 0, 0, 0, 0, FALSE, 0, &B::setting437, 3},
        {"duplex 0", {{16, 0}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"duplex 1", {{16, 1}}, 0, 0, 0, 0, 0, FALSE, 0, &B::duplex, 0},
        {"duplex 2", {{16, 2}}, 0, 0, 0, 0, 0, FALSE, 0, &B::duplex, 2},
        {"duplex 3", {{16, 3}}, 0, 0, 0, 0, 0, FALSE, 0, &B::duplex, 1},
        {"duplex under booklet", {{16, 2}}, 0, 0, 0, 1, 0, FALSE, 0, &B::duplex, 0},
        {"267 above 8", {{267, 9}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"267 of 3", {{267, 3}}, 0, 0, 0, 0, 0, FALSE, 0, &B::binding267, 1},
        {"267 of 7", {{267, 7}}, 0, 0, 0, 0, 0, FALSE, 0, &B::binding267, 2},
        {"267 of 6", {{267, 6}}, 0, 0, 0, 0, 0, FALSE, 0, &B::binding267, 3},
        {"267 of 8", {{267, 8}}, 0, 0, 0, 0, 0, FALSE, 0, &B::binding267, 4},
        {"267 reads 268", {{267, 1}, {268, 30}}, 0, 0, 0, 0, 0, FALSE, 0, &B::setting268, 30},
        {"267 under poster", {{267, 2}}, 1, 2, 2, 0, 0, FALSE, 0, &B::binding267, 0},
        {"267 with bit 42 and mode 3", {{267, 2}}, 0, 0, 0, 0, 3, TRUE, 0, &B::binding267, 0},
        {"267 with bit 42, mode 2", {{267, 2}}, 0, 0, 0, 0, 2, TRUE, 0, &B::binding267, 2},
        {"459 of 3", {{459, 3}}, 0, 0, 0, 0, 0, FALSE, 0, &B::setting459, 0},
        {"459 of 1 reads 460", {{459, 1}, {460, 12}}, 0, 0, 0, 0, 0, FALSE, 0, &B::setting460, 12},
        {"scale 24", {{1281, 1}, {263, 24}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"scale 401", {{1281, 1}, {263, 401}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"scale 400", {{1281, 1}, {263, 400}}, 0, 0, 0, 0, 0, FALSE, 0, &B::scale, 400},
        {"scale off", {{263, 24}}, 0, 0, 0, 0, 0, FALSE, 0, &B::scale, 100},
        {"scaling clears 1283", {{1281, 1}, {263, 50}, {1283, 1}}, 0, 0, 0, 0, 0, FALSE, 0, &B::flag1283, 0},
        {"N-up clears scaling", {{1281, 1}, {263, 50}, {295, 4}}, 0, 0, 0, 0, 0, FALSE, 0, &B::scale, 100},
        {"264 of 7", {{264, 7}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"pages 3", {{295, 3}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"pages 8 rows", {{295, 8}}, 0, 0, 0, 0, 0, FALSE, 0, &B::rows, 4},
        {"pages 8 turned", {{295, 8}}, 0, 0, 0, 0, 0, FALSE, 0, &B::turnFlag, 1},
        {"pages 8 landscape", {{295, 8}, {7, 2}}, 0, 0, 0, 0, 0, FALSE, 0, &B::turnFlag, 0},
        {"pages 4 landscape", {{295, 4}, {294, 2}}, 0, 0, 0, 0, 0, FALSE, 0, &B::turnFlag, 1},
        {"orientation 3", {{7, 3}}, 0, 0, 0, 0, 0, FALSE, -1, nullptr, 0},
        {"294 before 7", {{294, 2}, {7, 3}}, 0, 0, 0, 0, 0, FALSE, 0, &B::landscape, 1},
        {"382 of 5", {{382, 5}}, 0, 0, 0, 0, 0, FALSE, 0, &B::setting382, 0},
        {"382 of 4", {{382, 4}}, 0, 0, 0, 0, 0, FALSE, 0, &B::setting382, 4},
        {"poster columns 0", {}, 1, 0, 2, 0, 0, FALSE, -1, nullptr, 0},
        {"poster rows 5", {}, 1, 2, 5, 0, 0, FALSE, -1, nullptr, 0},
        {"poster 3 x 4", {{295, 4}, {382, 2}}, 1, 3, 4, 0, 0, FALSE, 0, &B::posterRows, 4},
        {"poster makes one-up", {{295, 4}}, 1, 3, 4, 0, 0, FALSE, 0, &B::pagesPerSheet, 1},
        {"poster clears 382", {{382, 2}}, 1, 3, 4, 0, 0, FALSE, 0, &B::setting382, 0},
        {"no poster: counts 1", {}, 0, 0, 0, 0, 0, FALSE, 0, &B::posterColumns, 1},
        {"322 of 2", {{322, 2}}, 0, 0, 0, 1, 0, FALSE, -1, nullptr, 0},
        {"322 of 1", {{322, 1}}, 0, 0, 0, 1, 0, FALSE, 0, &B::bookletMode, 2},
        {"booklet N-up marker", {{295, 2}}, 0, 0, 0, 1, 0, FALSE, 0, &B::nupMarker, 1},
        {"322 ignored without booklet", {{322, 2}}, 0, 0, 0, 0, 0, FALSE, 0, &B::bookletMode, 0},
        {"480 of 3", {{1363, 1}, {480, 3}}, 0, 0, 0, 1, 0, FALSE, -1, nullptr, 0},
        {"480 of 2 reads 481", {{1363, 1}, {480, 2}, {481, 7}}, 0, 0, 0, 1, 0, FALSE, 0, &B::value480, 7},
        {"480 of 1 reads 4371", {{1363, 1}, {480, 1}, {4371, 9}}, 0, 0, 0, 1, 0, FALSE, 0, &B::value480, 9},
        {"1292 reads 482", {{1363, 1}, {1292, 1}, {482, 5}}, 0, 0, 0, 1, 0, FALSE, 0, &B::value482, 5},
    };
    for (const Case &c : cases) {
        auto areas = std::make_unique<TestSettingsAreas>();
        areas->set(16, 1);
        areas->set(7, 1);
        areas->set(295, 1);
        for (const Setting &s : c.settings) {
            WORD type = 0;
            DWORD size = 0, current = 0;
            dma_GetFunctionValue(s.id, &areas->devmode, &areas->block, &type, &size, &current);
            WORD word = (WORD)s.value;
            if (type == VT_WORD &&
                dma_SetFunctionValue(s.id, &areas->devmode, &areas->block, VT_WORD, sizeof(word), &word) == SST_OK)
                continue;
            if (type != VT_WORD) {
                areas->set(s.id, s.value);
                continue;
            }
            // A byte the settings layer refuses to store (a broken DEVMODE) is put in place.
            WORD kind = 0;
            const SettingLocation *row = dma_FindSettingRow(s.id, &kind);
            ASSERT_TRUE(row && kind == SK_DEVMODE && row->storedType == VT_BYTE) << c.name;
            ((BYTE *)&areas->devmode)[row->offset] = (BYTE)s.value;
        }
        if (::testing::Test::HasFatalFailure())
            return;
        PageSetupSnapshot snapshot = {};
        snapshot.posterOn = c.posterOn;
        snapshot.posterColumns = (WORD)c.posterColumns;
        snapshot.posterRows = (WORD)c.posterRows;
        snapshot.bookletOn = c.bookletOn;
        snapshot.printMode = c.printMode;
        ModelCapabilities caps = {};
        if (c.bindingCapability)
            caps.bits[1] = 1u << (42 - 32);
        PageBlock block = {};
        EXPECT_EQ(jc_ReadLayoutSettings(&block, &snapshot, &areas->devmode, &areas->block, &caps, nullptr), c.result)
            << c.name;
        if (c.result == 0 && c.field) {
            EXPECT_EQ(block.*c.field, c.expected) << c.name;
        }
    }
}

} // namespace
