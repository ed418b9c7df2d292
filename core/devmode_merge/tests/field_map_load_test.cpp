/*
 * The public-field map from configuration files: the defaults, each table's keys, value
 * keys counted once or every time, formdb; translation and the pairs handed out.
 */
#include "core/context/tests/driver_files.h"
#include "core/devmode_merge/field_map.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\MERGE_TEST_LOG.txt");
}

namespace {

const WCHAR kPath[] = TEXT("C:\\drv\\map.cfg");

DevmodeFieldMap *Load(const std::string &text)
{
    driver_files::WriteFileBytes(u"C:\\drv\\map.cfg", text);
    FieldMapSource source = {kPath, 1};
    return dm_LoadFieldMap(&source);
}

const FieldMapEntry *Entry(const FieldMapTable &table, DWORD privateValue, DWORD windowsValue)
{
    for (WORD i = 0; i < table.entryCount; ++i) {
        if (table.entries[i].privateValue == privateValue && table.entries[i].windowsValue == windowsValue)
            return &table.entries[i];
    }
    return nullptr;
}

TEST(FieldMapLoad, DefaultsOfTheBuiltInDescription)
{
    FieldMapSource missing = {TEXT("C:\\drv\\none.cfg"), 1};
    EXPECT_EQ(nullptr, dm_LoadFieldMap(&missing));
    EXPECT_EQ(nullptr, dm_LoadFieldMap(nullptr));

    DWORD blocks = qmt_LiveGlobalBlocks();
    DevmodeFieldMap *map = Load("[DME,2]\r\nbin.merge=0\r\n");
    ASSERT_NE(nullptr, map);
    EXPECT_EQ(0u, map->active);
    EXPECT_EQ(0, map->formdb);
    ASSERT_EQ(6, map->tableCount);
    struct Row {
        WORD functionId, merge, defaultValue, mode, windowsValue, entries;
    };
    static const Row rows[] = {
        {6, 0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 18},
        {18, 1, 0, 0xFFFF, 0xFFFF, 2},
        {14, 1, 0, 0, 0xFFFF, 0},
        {13, 1, 0, 0xFFFF, 0, 20},
        {24, 0, 0, 0xFFFF, 0, 9},
        {15, 0xFFFF, 0xFFFF, 0, 0xFFFF, 0},
    };
    for (int n = 0; n < 6; ++n) {
        const FieldMapTable &t = map->tables[n];
        EXPECT_EQ(rows[n].functionId, t.functionId) << n;
        EXPECT_EQ(rows[n].merge, t.merge) << n;
        EXPECT_EQ(rows[n].defaultValue, t.defaultValue) << n;
        EXPECT_EQ(rows[n].mode, t.mode) << n;
        EXPECT_EQ(rows[n].windowsValue, t.windowsValue) << n;
        EXPECT_EQ(rows[n].entries, t.entryCount) << n;
        EXPECT_EQ(0u, t.changed) << n;
    }
    EXPECT_NE(nullptr, Entry(map->tables[FIELD_MAP_FIELDS], 0x10, 0));
    EXPECT_EQ(1, Entry(map->tables[FIELD_MAP_FIELDS], 0x10, 0)->differs);
    EXPECT_EQ(0, Entry(map->tables[FIELD_MAP_BIN], 265, 265)->differs);
    EXPECT_NE(nullptr, Entry(map->tables[FIELD_MAP_MEDIA], 17, 17));
    EXPECT_EQ(1, dm_FreeFieldMap(map));
    EXPECT_EQ(-1, dm_FreeFieldMap(nullptr));
    EXPECT_FALSE(dm_ReleaseFieldMap(nullptr));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

TEST(FieldMapLoad, KeysOfEachTable)
{
    struct Case {
        const char *text;
        std::function<void(const DevmodeFieldMap &)> check;
    };
    const std::vector<Case> cases = {
        {"[dme,1]\r\nbin.WindowsValue=1\r\n",
         [](const DevmodeFieldMap &m) {
             const FieldMapTable &bin = m.tables[FIELD_MAP_BIN];
             EXPECT_EQ(1, bin.windowsValue);
             EXPECT_EQ(26, bin.entryCount);
             EXPECT_EQ(1u, bin.changed);
             ASSERT_NE(nullptr, Entry(bin, 1, 14));
             EXPECT_EQ(1, Entry(bin, 1, 14)->differs);
             EXPECT_EQ(0, Entry(bin, 7, 7)->differs);
             EXPECT_EQ(0u, m.tables[FIELD_MAP_MEDIA].changed);
         }},
        {"[DME,1]\r\nmedia.PAPER_THICK=5\r\nmedia.PAPER_THICK=6\r\n",
         [](const DevmodeFieldMap &m) {
             const FieldMapTable &media = m.tables[FIELD_MAP_MEDIA];
             EXPECT_EQ(11, media.entryCount);
             EXPECT_NE(nullptr, Entry(media, 1, 5));
             EXPECT_NE(nullptr, Entry(media, 1, 6));
             EXPECT_NE(nullptr, Entry(media, 1, 1)); /* the identity entry stays */
             EXPECT_EQ(1u, media.changed);
         }},
        {"[DME,1]\r\nbin.TRAY2=1\r\n", /* Windows 1 given to private 3: the entry {1, 1} takes it */
         [](const DevmodeFieldMap &m) {
             EXPECT_EQ(20, m.tables[FIELD_MAP_BIN].entryCount);
             EXPECT_NE(nullptr, Entry(m.tables[FIELD_MAP_BIN], 3, 1));
             EXPECT_EQ(nullptr, Entry(m.tables[FIELD_MAP_BIN], 1, 1));
         }},
        {"[DME,1]\r\ncollate.merge=2\r\n",
         [](const DevmodeFieldMap &m) {
             EXPECT_EQ(2, m.tables[FIELD_MAP_COLLATE].merge);
             EXPECT_EQ(1u, m.tables[FIELD_MAP_COLLATE].changed);
         }},
        {"[DME,1]\r\nBIN.MERGE=0\r\nbin.merge=3\r\nBin.Merge=0\r\n", /* without case; the last counts */
         [](const DevmodeFieldMap &m) { EXPECT_EQ(0, m.tables[FIELD_MAP_BIN].merge); }},
        {"[DME,1]\r\nmedia.merge=1\r\n",
         [](const DevmodeFieldMap &m) { EXPECT_EQ(1, m.tables[FIELD_MAP_MEDIA].merge); }},
        {"[DME,1]\r\ncolor.mode=2\r\ncolor.merge=1\r\n", /* merge is not a key of "color" */
         [](const DevmodeFieldMap &m) {
             EXPECT_EQ(2, m.tables[FIELD_MAP_COLOR].mode);
             EXPECT_EQ(0xFFFF, m.tables[FIELD_MAP_COLOR].merge);
         }},
        {"[DME,1]\r\nresolution.mode=1\r\nresolution.default=0x10\r\n",
         [](const DevmodeFieldMap &m) {
             EXPECT_EQ(1, m.tables[FIELD_MAP_RESOLUTION].mode);
             EXPECT_EQ(16, m.tables[FIELD_MAP_RESOLUTION].defaultValue);
         }},
        {"[DME,1]\r\nfields.SCALE=1\r\nfields.COPIES=2\r\n",
         [](const DevmodeFieldMap &m) {
             EXPECT_NE(nullptr, Entry(m.tables[FIELD_MAP_FIELDS], 0x10, 1));
             EXPECT_NE(nullptr, Entry(m.tables[FIELD_MAP_FIELDS], 0x100, 2));
             EXPECT_EQ(1u, m.tables[FIELD_MAP_FIELDS].changed);
         }},
        {"[DME,1]\r\nformdb.mode=1\r\n", [](const DevmodeFieldMap &m) { EXPECT_EQ(1, m.formdb); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.text);
        DWORD blocks = qmt_LiveGlobalBlocks();
        DevmodeFieldMap *map = Load(c.text);
        ASSERT_NE(nullptr, map);
        EXPECT_EQ(1u, map->active);
        c.check(*map);
        dm_FreeFieldMap(map);
        EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    }
}

TEST(FieldMapLoad, TranslationAndPairs)
{
    FieldMapEntry entries[] = {{7, 7, 0}, {5, 7, 1}, {9, 8, 1}};
    FieldMapTable table = {13, 0, 1, 0, 0, 0, 3, entries};
    struct Case {
        WORD defaultValue;
        DWORD windows, expected;
    };
    static const Case cases[] = {{0, 7, 5}, {0, 8, 9}, {0, 4, 4}, {42, 4, 42}, {42, 7, 5}};
    for (const Case &c : cases) {
        table.defaultValue = c.defaultValue;
        DWORD out = 0;
        ASSERT_EQ(1, dm_MapWindowsToPrivate(&table, c.windows, &out));
        EXPECT_EQ(c.expected, out) << c.windows << " " << c.defaultValue;
    }
    entries[1].differs = 0; /* no differing entry: all in order */
    DWORD out = 0;
    dm_MapWindowsToPrivate(&table, 7, &out);
    EXPECT_EQ(7u, out);
    EXPECT_EQ(-1, dm_MapWindowsToPrivate(nullptr, 7, &out));

    DevmodeFieldMap *map = Load("[DME,1]\r\nbin.WindowsValue=1\r\n");
    ASSERT_NE(nullptr, map);
    for (WORD n = 0; n < 6; ++n) {
        WORD count = 99;
        FieldMapPair *pairs = nullptr;
        int result = dm_GetFieldMapPairs(map, n, &count, &pairs);
        if (n != 1 && n != 3 && n != 4) {
            EXPECT_EQ(-2, result) << n;
            continue;
        }
        ASSERT_EQ(1, result);
        EXPECT_EQ(n == 3 ? 7 : 0, count) << n;
        EXPECT_EQ(n == 3, pairs != nullptr);
        if (n == 3) {
            EXPECT_EQ(1u, pairs[0].privateValue);
            EXPECT_EQ(14u, pairs[0].windowsValue);
            EXPECT_EQ(4u, pairs[6].privateValue);
            EXPECT_EQ(10u, pairs[6].windowsValue);
        }
        GlobalFree(pairs);
    }
    WORD count = 0;
    FieldMapPair *pairs = nullptr;
    EXPECT_EQ(-1, dm_GetFieldMapPairs(nullptr, 3, &count, &pairs));
    dm_FreeFieldMap(map);
}

TEST(FieldMapLoad, InputFields)
{
    DevmodeFieldMap *map = Load("[DME,1]\r\nfields.SCALE=1\r\nfields.DUPLEX=2\r\nbin.merge=0\r\nmedia.merge=1\r\n");
    ASSERT_NE(nullptr, map);
    struct Case {
        WORD collateMerge;
        DWORD collate;
        DWORD in, expected;
    };
    const DWORD base = DM_SCALE | DM_DEFAULTSOURCE;
    const DWORD always = DM_DUPLEX | DM_PRINTQUALITY | DM_YRESOLUTION | DM_MEDIATYPE;
    static const Case cases[] = {
        {1, 1, base, always | DM_COLLATE},
        {2, 1, base | DM_COLLATE, always},
        {2, 0, base, always | DM_COLLATE},
        {0, 0, base | DM_COLLATE, always},
        {7, 0, base | DM_COLLATE, always | DM_COLLATE},
        {7, 0, base, always},
    };
    for (const Case &c : cases) {
        map->tables[FIELD_MAP_COLLATE].merge = c.collateMerge;
        DWORD out = 0;
        ASSERT_EQ(1, dm_MapInputFields(map, c.in, c.collate, &out));
        EXPECT_EQ(c.expected, out) << c.collateMerge << " " << c.collate;
    }
    DWORD out = 0;
    EXPECT_EQ(-1, dm_MapInputFields(nullptr, 0, 0, &out));
    dm_FreeFieldMap(map);
}

} // namespace
