/*
 * The field map's accessors and the paper list's lookups on hand-built data, and the
 * handlers of dmDefaultSource and dmCollate under an active map.
 */
#include "core/rules/tests/rules_fixture.h"

namespace {

using rules_test::HandList;
using rules_test::HandMap;
using rules_test::RulesFixture;

TEST(FieldMap, TablesMergeAndModeInAndOutOfRange)
{
    HandMap hand(1, 1);
    for (int n = 0; n < FIELD_MAP_TABLE_COUNT; ++n) {
        hand.tables[n].merge = (WORD)(10 + n);
        hand.tables[n].mode = (WORD)(20 + n);
    }
    DevmodeFieldMap *map = &hand.map;
    for (WORD n = 0; n <= 7; ++n) {
        SCOPED_TRACE(n);
        FieldMapTable *table = nullptr;
        EXPECT_EQ(n < 6 ? 1 : -1, dm_GetFieldMapTable(map, &table, n));
        EXPECT_EQ(n < 6 ? &hand.tables[n] : nullptr, table);
        WORD merge = 0, mode = 0;
        EXPECT_EQ(n >= 1 && n <= 4 ? 1 : -2, dm_GetFieldMapMerge(map, n, &merge));
        EXPECT_EQ(n >= 1 && n <= 4 ? 10 + n : 0, merge);
        EXPECT_EQ(n == 2 || n == 5 ? 1 : -2, dm_GetFieldMapMode(map, n, &mode));
        EXPECT_EQ(n == 2 || n == 5 ? 20 + n : 0, mode);
        EXPECT_EQ(-1, dm_GetFieldMapTable(nullptr, &table, n));
        EXPECT_EQ(-1, dm_GetFieldMapMerge(nullptr, n, &merge));
        EXPECT_EQ(-1, dm_GetFieldMapMode(nullptr, n, &mode));
    }
    FieldMapTable *table = nullptr;
    EXPECT_EQ(-1, dm_GetFieldMapTable(map, nullptr, 0));
    EXPECT_EQ(1u, dm_IsFieldMapActive(map));
    EXPECT_TRUE(dm_IsFormDbMode(map));
    EXPECT_EQ(0u, dm_IsFieldMapActive(nullptr));
    EXPECT_FALSE(dm_IsFormDbMode(nullptr));
    hand.map.formdb = 2;
    EXPECT_FALSE(dm_IsFormDbMode(map));
    (void)table;
}

TEST(PaperList, FindByEachKeyAndField)
{
    DriverContext context = {};
    WORD id = 9;
    WORD out = 0;
    EXPECT_EQ(-2, opt_FindPaper(&context, PAPER_KEY_ID, &id, PAPER_FIELD_FORM, &out));
    EXPECT_EQ(-1, opt_FindPaper(nullptr, PAPER_KEY_ID, &id, PAPER_FIELD_FORM, &out));

    HandList hand;
    hand.Add(9, u"A4", 210000, 297000, 9);
    hand.Add(0, u"User", 100000, 200000, 256);
    hand.Add(119, u"A4 Tab", 223000, 297000, 512, false);
    hand.Add(120, u"A4", 211000, 298000, 513, false); /* a second "A4": the first wins */
    context.paperList = &hand.list;

    struct Case {
        int keyKind;
        WORD number;
        const WCHAR *name;
        int field;
        int result;
        LONG expected; /* WORD fields and the width of kind 4 */
        LONG height;
        const char16_t *text;
    };
    static const Case cases[] = {
        {PAPER_KEY_ID, 512, nullptr, PAPER_FIELD_FORM, 1, 119, 0, nullptr},
        {PAPER_KEY_ID, 256, nullptr, PAPER_FIELD_NAME, 1, 0, 0, u"User"},
        {PAPER_KEY_FORM, 120, nullptr, PAPER_FIELD_ID, 1, 513, 0, nullptr},
        {PAPER_KEY_FORM, 0, nullptr, PAPER_FIELD_SIZE, 1, 1000, 2000, nullptr},
        {PAPER_KEY_NAME, 0, TEXT("A4"), PAPER_FIELD_ID, 1, 9, 0, nullptr},
        {PAPER_KEY_NAME, 0, TEXT("A4 Tab"), PAPER_FIELD_SIZE, 1, 2230, 2970, nullptr},
        {PAPER_KEY_NAME, 0, TEXT("a4"), PAPER_FIELD_ID, -3, 0, 0, nullptr},
        {PAPER_KEY_ID, 11, nullptr, PAPER_FIELD_ID, -3, 0, 0, nullptr},
        {4, 9, nullptr, PAPER_FIELD_ID, -100, 0, 0, nullptr},
        {PAPER_KEY_ID, 9, nullptr, 5, -100, 0, 0, nullptr},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.keyKind << " " << c.number << " " << c.field);
        LONG size[2] = {};
        const WCHAR *text = nullptr;
        WORD word = 0;
        void *place = c.field == PAPER_FIELD_SIZE   ? (void *)size
                      : c.field == PAPER_FIELD_NAME ? (void *)&text
                                                    : (void *)&word;
        const void *key = c.keyKind == PAPER_KEY_NAME ? (const void *)c.name : (const void *)&c.number;
        ASSERT_EQ(c.result, opt_FindPaper(&context, c.keyKind, key, c.field, place));
        if (c.result != 1)
            continue;
        if (c.field == PAPER_FIELD_SIZE) {
            EXPECT_EQ(c.expected, size[0]);
            EXPECT_EQ(c.height, size[1]);
        } else if (c.field == PAPER_FIELD_NAME) {
            EXPECT_EQ(std::u16string(c.text), std::u16string(text));
        } else {
            EXPECT_EQ(c.expected, word);
        }
    }
    EXPECT_EQ(-100, opt_FindPaper(&context, PAPER_KEY_ID, nullptr, PAPER_FIELD_ID, &out));
    EXPECT_EQ(-100, opt_FindPaper(&context, PAPER_KEY_ID, &id, PAPER_FIELD_ID, nullptr));
}

TEST(PaperList, InUseOnlyWithFormDbAnd5201)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    DriverContext context = {};
    PaperListUseRequest request = {&context, &areas->block};
    struct Case {
        DWORD active;
        WORD formdb;
        LONG setting5201;
        DWORD expected;
    };
    static const Case cases[] = {{1, 1, 1, 1}, {1, 1, 3, 3}, {1, 1, 0, 0}, {1, 0, 1, 0}, {0, 1, 1, 1}};
    for (const Case &c : cases) {
        HandMap map(c.active, c.formdb);
        context.fieldMap = &map.map;
        areas->set(FID_FIELD_MAP_SWITCH, c.setting5201);
        EXPECT_EQ(c.expected, opt_UsesDevicePaperList(&request)) << c.active << c.formdb << c.setting5201;
    }
    context.fieldMap = nullptr;
    EXPECT_EQ(0u, opt_UsesDevicePaperList(&request));
    EXPECT_EQ(0u, opt_UsesDevicePaperList(nullptr));
}

class FieldMapHandlersTest : public RulesFixture
{
};

TEST_F(FieldMapHandlersTest, AnActiveMapLetsSourceAndCollateThroughUnchecked)
{
    ASSERT_NE(nullptr, OpenSample());
    Set(FID_DEFAULT_SOURCE, 999);
    Set(FID_COLLATE, 7);
    HandMap map;
    map.tables[FIELD_MAP_BIN].merge = 1;
    map.tables[FIELD_MAP_COLLATE].merge = 1;
    struct Case {
        bool withMap;
        DWORD active;
        LONG setting5201;
        BOOL accepted;
    };
    static const Case cases[] = {{false, 1, 1, FALSE}, {true, 1, 1, TRUE}, {true, 1, 0, FALSE}, {true, 0, 1, FALSE}};
    for (const Case &c : cases) {
        map.map.active = c.active;
        context_->fieldMap = c.withMap ? &map.map : nullptr;
        Set(FID_FIELD_MAP_SWITCH, c.setting5201);
        for (WORD id : {FID_DEFAULT_SOURCE, FID_COLLATE}) {
            ValidateRequest request = {context_, id, &areas_->devmode, &areas_->block, HC_VALIDATE};
            EXPECT_EQ(c.accepted, opt_ValidateSetting(&request)) << id << " " << c.withMap << c.active;
        }
    }
}

} // namespace
