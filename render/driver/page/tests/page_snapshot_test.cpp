/*
 * The page-setup snapshot: one row per derivation rule and end correction.
 */
#include "render/driver/page/page_setup.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/testing/qm_testing.h"
#include "testing/settings_areas.h"

namespace {

using Settings = std::vector<std::pair<WORD, LONG>>;
using Field = std::function<LONG(const PageSetupSnapshot &)>;

// Capability words: a mask of the first word, or bit n - 32 of the second.
ModelCapabilities Caps(DWORD first, std::initializer_list<int> numbers = {})
{
    ModelCapabilities caps = {{first, 0}};
    for (int n : numbers)
        caps.bits[1] |= 1UL << (n - 32);
    return caps;
}

const DWORD kVersion = 0x01020008;

struct Row {
    const char *rule;
    Settings settings;
    ModelCapabilities caps;
    DWORD version;
    Field field;
    LONG expected;
    LONG result;
};

#define FIELD(name) [](const PageSetupSnapshot &s) { return (LONG)s.name; }

TEST(PageSnapshot, EachRuleAndCorrection)
{
    const ModelCapabilities none = Caps(0);
    const Row rows[] = {
        {"version clamped up", {}, none, 0x01010500, FIELD(pdlVersion), 0x01010501, 0},
        {"version clamped down", {}, none, 0x0102000E, FIELD(pdlVersion), 0x0102000D, 0},
        {"copies", {{12, 3}}, none, kVersion, FIELD(copies), 3, 0},
        {"collate", {{18, 1}}, none, kVersion, FIELD(collate), 1, 0},
        {"job information", {}, Caps(0x40000), kVersion, FIELD(jobInfoOn), 1, 0},
        {"print mode out of range", {{334, 4}}, none, kVersion, FIELD(printMode), 0, 0},
        {"grey", {{270, 1}}, none, kVersion, FIELD(colorMode), 1, 0},
        {"automatic by flag", {{270, 3}, {1289, 1}}, none, kVersion, FIELD(colorMode), 0, 0},
        {"colour without flag", {{270, 3}}, none, kVersion, FIELD(colorMode), 2, 0},
        {"colour set", {{4129, 1}, {5153, 1}, {5126, 0x105}}, none, kVersion, FIELD(colorSetLimit), 5, 0},
        {"colour set mode", {{4129, 1}, {5153, 1}, {5126, 0x205}}, none, kVersion, FIELD(colorSetMode), 2, 0},
        {"colour set mode 3 turns it off",
         {{4129, 1}, {5153, 1}, {5126, 0x305}},
         none,
         kVersion,
         FIELD(colorSetOn),
         0,
         0},
        {"colour set needs automatic colour",
         {{4129, 1}, {5153, 1}, {270, 1}},
         none,
         kVersion,
         FIELD(colorSetOn),
         0,
         0},
        {"duplex 0 fails", {{16, 0}}, none, kVersion, FIELD(duplex), 0, -1},
        {"duplex 3 is two-sided", {{16, 3}}, none, kVersion, FIELD(duplex), 2, 0},
        {"4-up", {{295, 4}}, none, kVersion, FIELD(nupCount), 4, 0},
        {"6 pages per sheet is 1-up", {{295, 6}}, none, kVersion, FIELD(nupCount), 1, 0},
        {"poster 2 x 2", {{321, 1}, {296, 514}}, none, kVersion, FIELD(posterRows), 2, 0},
        {"poster 513 is no poster", {{321, 1}, {296, 513}}, none, kVersion, FIELD(posterOn), 0, 0},
        {"poster overlap", {{1285, 1}}, none, kVersion, FIELD(posterOverlap), 1, 0},
        {"booklet", {{321, 2}}, none, kVersion, FIELD(bookletOn), 1, 0},
        {"no booklet in mode 3", {{321, 2}, {334, 3}}, Caps(0, {42}), kVersion, FIELD(bookletOn), 0, 0},
        {"booklet threshold of type 2", {{446, 2}, {323, 7}}, none, kVersion, FIELD(threshold), 7, 0},
        {"booklet count by setting 465",
         {{321, 2}, {446, 1}, {465, 2}},
         Caps(0x4000000, {45}),
         kVersion,
         FIELD(headerDeferred),
         1,
         0},
        {"booklet count by setting 1328",
         {{321, 2}, {446, 1}, {1328, 1}},
         Caps(0x4000000),
         kVersion,
         FIELD(bookletCountFlag),
         1,
         0},
        {"no booklet count without booklet",
         {{446, 1}, {1328, 1}},
         Caps(0x4000000),
         kVersion,
         FIELD(headerDeferred),
         0,
         0},
        {"stored job defers the header", {{336, 1}}, none, kVersion, FIELD(headerDeferred), 1, 0},
        {"marking defers the header", {{1339, 1}}, none, kVersion, FIELD(headerDeferred), 1, 0},
        {"name text", {{339, 1}}, none, kVersion, FIELD(nameTextOn), 1, 0},
        {"separator with 441", {{1313, 1}, {441, 1}}, none, kVersion, FIELD(separatorMode), 2, 0},
        {"no output paper", {{262, 267}}, none, kVersion, FIELD(paper267), 1, 0},
        {"N-up clears the per-sheet set-up", {{262, 267}, {295, 4}}, none, kVersion, FIELD(pageSetupPerSheet), 0, 0},
        {"empty pages skipped", {{1334, 1}}, none, kVersion, FIELD(skipEmptyPages), 1, 0},
        {"per-page duplex", {{1350, 1}, {4103, 1}}, none, kVersion, FIELD(perPageDuplex), 1, 0},
        {"per-page duplex needs 0x01020008", {{1350, 1}, {4103, 1}}, none, 0x01020007, FIELD(perPageDuplex), 0, 0},
        {"4-up has no per-page duplex", {{1350, 1}, {4103, 1}, {295, 4}}, none, kVersion, FIELD(perPageDuplex), 0, 0},
        {"print mode 3 has no per-page duplex",
         {{1350, 1}, {4103, 1}, {334, 3}},
         none,
         kVersion,
         FIELD(perPageDuplex),
         0,
         0},
        {"separator has no per-page duplex",
         {{1350, 1}, {4103, 1}, {1313, 1}},
         none,
         kVersion,
         FIELD(perPageDuplex),
         0,
         0},
        {"FF not sent before 0x01010701", {{1293, 1}}, none, 0x01010700, FIELD(ffFlag), -1, 0},
        {"AI sent from 0x01010701", {{1294, 1}}, none, 0x01010701, FIELD(aiFlag), 1, 0},
        {"output mode 2", {{332, 2}}, none, 0x01020000, FIELD(outputMode), 2, 0},
        {"output mode 2 needs 0x01020000", {{332, 2}}, none, 0x0101FFFF, FIELD(outputMode), 0, 0},
        {"output source", {{332, 1}, {333, 258}}, none, kVersion, FIELD(outputSource), 258, 0},
        {"output option source", {{404, 1}, {407, 7}, {1340, 1}}, Caps(0, {38}), kVersion, FIELD(outputMode), 1, 0},
        {"output option source 264",
         {{404, 1}, {407, 264}, {1340, 1}},
         Caps(0, {38}),
         kVersion,
         FIELD(outputMode),
         2,
         0},
        {"option A", {{405, 1}, {408, 12}}, Caps(0, {38}), kVersion, FIELD(optionAValue), 12, 0},
        {"option B list", {{406, 1}, {1853, 4}}, Caps(0, {38}), kVersion, FIELD(optionBList[19]), 4, 0},
        {"mode 3 clears the output mode", {{332, 1}, {334, 3}}, Caps(0, {42}), kVersion, FIELD(outputMode), 0, 0},
        {"bit option value", {{1297, 1}, {352, 9}}, none, kVersion, FIELD(bitOptionValues[1]), 9, 0},
        {"bit option off", {{1297, 1}}, none, kVersion, FIELD(bitOptionValues[0]), -1, 0},
        {"bit option turn", {{1296, 1}, {321, 2}, {295, 1}}, Caps(0, {53}), kVersion, FIELD(bitOptionTurn), 1, 0},
        {"no border", {{383, 1}}, none, kVersion, FIELD(setting383), 1, 0},
        {"turning refused", {{1343, 1}}, none, kVersion, FIELD(turnAllowed), 0, 0},
        {"1343 lays out in the driver", {{1343, 1}}, none, kVersion, FIELD(driverLayout), 1, 0},
        {"the device collates",
         {{12, 2}, {18, 1}, {8205, 0x01010903}},
         Caps(0x30000),
         kVersion,
         FIELD(deviceCollates),
         1,
         0},
        {"reverse order", {{1312, 1}}, none, kVersion, FIELD(driverLayout), 1, 0},
    };
    for (const Row &row : rows) {
        auto areas = std::make_unique<TestSettingsAreas>();
        areas->set(16, 1);
        areas->set(12, 1);
        for (const auto &s : row.settings)
            areas->set(s.first, s.second);
        PageSetupSnapshot snapshot;
        EXPECT_EQ(jc_BuildPageSetupSnapshot(&snapshot, row.version, &areas->devmode, &areas->block, &row.caps),
                  row.result)
            << row.rule;
        EXPECT_EQ(row.field(snapshot), row.expected) << row.rule;
    }
}

TEST(PageSnapshot, FormsNeedBothStampNames)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(16, 1);
    areas->set(1288, 1);
    areas->set(1287, 1);
    areas->set_text(297, TEXT("Draft"));
    PageSetupSnapshot snapshot;
    ASSERT_EQ(jc_BuildPageSetupSnapshot(&snapshot, kVersion, &areas->devmode, &areas->block, nullptr), 0);
    EXPECT_EQ(snapshot.formFirst, 0);
    areas->set_text(299, TEXT("Copy"));
    ASSERT_EQ(jc_BuildPageSetupSnapshot(&snapshot, kVersion, &areas->devmode, &areas->block, nullptr), 0);
    EXPECT_EQ(snapshot.formFirst, 1);
    EXPECT_EQ(snapshot.formOptionA, 0);
    EXPECT_EQ(snapshot.formOptionB, 1);
}

TEST(PageSnapshot, RebuildKeepsTheJobsOwnWords)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(16, 1);
    areas->set(12, 1);
    PageSetupSnapshot snapshot;
    ASSERT_EQ(jc_BuildPageSetupSnapshot(&snapshot, kVersion, &areas->devmode, &areas->block, nullptr), 0);
    snapshot.coverFlag = 1;
    snapshot.firstSource = 258;
    snapshot.settingsLock = SNAPSHOT_LOCK_SETTINGS;
    snapshot.escapePageSetup = 0x1234;
    snapshot.replayRequest = 1;
    areas->set(12, 4);
    ASSERT_EQ(jc_RebuildPageSetupSnapshot(&snapshot, kVersion, &areas->devmode, &areas->block, nullptr), 0);
    EXPECT_EQ(snapshot.copies, 4);
    EXPECT_EQ(snapshot.coverFlag, 1);
    EXPECT_EQ(snapshot.firstSource, 258);
    EXPECT_EQ(snapshot.settingsLock, SNAPSHOT_LOCK_SETTINGS);
    EXPECT_EQ(snapshot.escapePageSetup, 0x1234u);
    EXPECT_EQ(snapshot.replayRequest, 1);
}

TEST(PageSnapshot, OperatingSystemVersion)
{
    OSVERSIONINFOEXW version = {};
    version.dwMajorVersion = 6;
    version.dwMinorVersion = 2;
    qmt_PinOsVersion(&version);
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set(16, 1);
    PageSetupSnapshot snapshot;
    ASSERT_EQ(jc_BuildPageSetupSnapshot(&snapshot, kVersion, &areas->devmode, &areas->block, nullptr), 0);
    qmt_PinOsVersion(nullptr);
    EXPECT_EQ(snapshot.osMajor, 6);
    EXPECT_EQ(snapshot.osMinor, 2);
}

TEST(PageSnapshot, VersionSwitch)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    EXPECT_EQ(jc_ApplyVersionSwitch(0x01020005, &areas->devmode, &areas->block), 0x01010501u);
    areas->set(1332, 1);
    EXPECT_EQ(jc_ApplyVersionSwitch(0x01020005, &areas->devmode, &areas->block), 0x01020005u);
    EXPECT_EQ(jc_ApplyVersionSwitch(0x01020005, nullptr, nullptr), 0x01010501u);
}

} // namespace
