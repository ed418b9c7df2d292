/*
 * The device paper list over the sample printer with "formdb.mode=1": model entries in
 * record order, the custom entry, the extra forms, a failed build, the arrays and margins,
 * and the blocks it holds.
 */
#include "core/rules/tests/rules_fixture.h"

#include <string>
#include <vector>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\PAPERLIST_TEST_LOG.txt");
}

namespace {

using rules_test::HandList;
using rules_test::RulesFixture;

class PaperListBuildTest : public RulesFixture
{
public:
    /* The sample with formdb on, 5201 set, and the form printer initialisation adds for the
       model's "Custom size" paper unless told otherwise. */
    void OpenWithList(bool customForm = true, const rules_test::Patches &patches = {})
    {
        driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[DME,1]\r\nformdb.mode=1\r\n");
        ASSERT_NE(nullptr, OpenSample(patches));
        if (customForm)
            AddPrinterForm(TEXT("Custom size"), 150000, 200000);
        Set(FID_FIELD_MAP_SWITCH, 1);
    }
    int Build()
    {
        PaperListBuildRequest request = {printer_, context_, &areas_->block};
        return opt_BuildPaperList(&request);
    }
    const PaperList *List()
    {
        return (const PaperList *)context_->paperList;
    }
};

TEST_F(PaperListBuildTest, ModelEntriesTheCustomEntryAndExtras)
{
    OpenWithList();
    ASSERT_EQ(1, Build());
    const PaperList *list = List();
    ASSERT_NE(nullptr, list);
    struct Row {
        SHORT form;
        const char16_t *name;
        LONG width, height;
        WORD id;
    };
    /* The model's records in order (the base file's Legal after the model's own), then the
       forms inside the custom range that are no model paper, while entry 41 (8) allows. */
    static const Row rows[] = {
        {1, u"Letter", 215900, 279400, 1},
        {9, u"A4", 210000, 297000, 9},
        {11, u"A5", 148000, 210000, 11},
        {0, u"User defined size", 210000, 297000, 256},
        {119, u"Custom size", 150000, 200000, 262},
        {5, u"Legal", 215900, 355600, 5},
        {2, u"Letter Small", 215900, 279400, 512},
        {6, u"Statement", 139700, 215900, 513},
    };
    ASSERT_EQ(6, list->modelCount);
    ASSERT_EQ(2, list->extraCount);
    for (size_t i = 0; i < sizeof rows / sizeof rows[0]; ++i) {
        const PaperListEntry &e = list->entries[i];
        EXPECT_EQ(rows[i].form, e.formNumber) << i;
        EXPECT_EQ(std::u16string(rows[i].name), std::u16string(e.name)) << i;
        EXPECT_EQ(rows[i].width, e.width) << i;
        EXPECT_EQ(rows[i].height, e.height) << i;
        EXPECT_EQ(rows[i].id, e.paperId) << i;
    }
    /* The custom entry: left a1, top a2, right width - b1, bottom height - b2. */
    const PaperListEntry &custom = list->entries[3];
    EXPECT_EQ(4200, custom.left);
    EXPECT_EQ(5000, custom.top);
    EXPECT_EQ(210000 - 4300, custom.right);
    EXPECT_EQ(297000 - 5100, custom.bottom);

    LONG size[2], imageable[2], leftBottom[2], rightTop[2];
    ASSERT_EQ(1, opt_GetPaperMargins(context_, 256, size, imageable, leftBottom, rightTop));
    EXPECT_EQ(2100, size[0]);
    EXPECT_EQ(2970, size[1]);
    EXPECT_EQ(2015, imageable[0]);
    EXPECT_EQ(2869, imageable[1]);
    EXPECT_EQ(42, leftBottom[0]);
    EXPECT_EQ(51, leftBottom[1]);
    EXPECT_EQ(43, rightTop[0]);
    EXPECT_EQ(50, rightTop[1]);
    ASSERT_EQ(1, opt_GetPaperMargins(context_, 9, size, imageable, leftBottom, rightTop));
    EXPECT_EQ(2100, imageable[0]); /* the built-in forms print to the edge */
    EXPECT_EQ(0, leftBottom[1]);
    EXPECT_EQ(-3, opt_GetPaperMargins(context_, 8, size, imageable, leftBottom, rightTop));
    EXPECT_EQ(-100, opt_GetPaperMargins(context_, 9, nullptr, imageable, leftBottom, rightTop));

    WORD all = 0, noCustom = 0;
    EXPECT_EQ(1, opt_CountPapers(context_, &all, PAPER_COUNT_ALL));
    EXPECT_EQ(1, opt_CountPapers(context_, &noCustom, PAPER_COUNT_ALL_BUT_CUSTOM));
    EXPECT_EQ(all - 1, noCustom);
}

TEST_F(PaperListBuildTest, ArraysWithAndWithoutTheCustomEntry)
{
    OpenWithList();
    ASSERT_EQ(1, Build());
    struct Case {
        int kind;
        BOOL withCustom;
        WORD bytes;
    };
    static const Case cases[] = {{1, TRUE, 16},
                                 {1, FALSE, 14},
                                 {2, TRUE, 16},
                                 {2, FALSE, 14},
                                 {3, TRUE, 8 * 128},
                                 {3, FALSE, 7 * 128},
                                 {4, TRUE, 64},
                                 {4, FALSE, 56}};
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.withCustom);
        void *array = nullptr, *custom = nullptr;
        WORD bytes = 0;
        ASSERT_EQ(1, opt_GetPaperListArrays(context_, c.kind, &array, &bytes, c.withCustom, &custom));
        EXPECT_EQ(c.bytes, bytes);
        EXPECT_EQ(c.withCustom ? (BYTE *)array + 3 * (bytes / 8) : nullptr, custom);
        if (c.kind == 1) {
            EXPECT_EQ(c.withCustom ? 256 : 262, ((WORD *)array)[3]);
        } else if (c.kind == 2) {
            EXPECT_EQ(c.withCustom ? 0 : 119, ((WORD *)array)[3]);
        } else if (c.kind == 3) {
            EXPECT_EQ(u"Statement", std::u16string((WCHAR *)array + (bytes / 2 - 64)));
        } else {
            EXPECT_EQ(2159, ((LONG *)array)[0]);
            EXPECT_EQ(2794, ((LONG *)array)[1]);
        }
        GlobalFree(array);
    }
    void *array = nullptr;
    WORD bytes = 0;
    EXPECT_EQ(-100, opt_GetPaperListArrays(context_, 5, &array, &bytes, FALSE, nullptr));
    EXPECT_EQ(-100, opt_GetPaperListArrays(context_, 1, &array, &bytes, TRUE, nullptr));
}

TEST_F(PaperListBuildTest, LongNamesAndOversizedArrays)
{
    DriverContext context = {};
    HandList hand;
    std::u16string seventy(70, u'n');
    hand.Add(1, seventy, 100000, 100000, 1);
    context.paperList = &hand.list;
    void *array = nullptr;
    WORD bytes = 0;
    ASSERT_EQ(1, opt_GetPaperListArrays(&context, 3, &array, &bytes, FALSE, nullptr));
    EXPECT_EQ(std::u16string(63, u'n'), std::u16string((WCHAR *)array));
    GlobalFree(array);
    for (int i = 0; i < 510; ++i)
        hand.Add(2, u"x", 100000, 100000, 2, false);
    context.paperList = &hand.list;
    ASSERT_EQ(1, opt_GetPaperListArrays(&context, 3, &array, &bytes, FALSE, nullptr));
    EXPECT_EQ(511 * 128, bytes); /* 65,408 */
    GlobalFree(array);
    hand.Add(2, u"x", 100000, 100000, 2, false);
    context.paperList = &hand.list;
    array = nullptr;
    EXPECT_EQ(-100, opt_GetPaperListArrays(&context, 3, &array, &bytes, FALSE, nullptr)); /* 65,536 */
    EXPECT_EQ(nullptr, array);
}

TEST_F(PaperListBuildTest, NotInUseAFormMissingAndRebuilding)
{
    OpenWithList(false);
    DWORD blocks = qmt_LiveGlobalBlocks();
    EXPECT_EQ(-100, Build()); /* "Custom size" has no form */
    EXPECT_FALSE(opt_HasPaperList(context_));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    AddPrinterForm(TEXT("Custom size"), 150000, 200000);
    Set(FID_FIELD_MAP_SWITCH, 0);
    EXPECT_EQ(1, Build()); /* not in use: no list */
    EXPECT_FALSE(opt_HasPaperList(context_));

    Set(FID_FIELD_MAP_SWITCH, 1);
    ASSERT_EQ(1, Build());
    DWORD withList = qmt_LiveGlobalBlocks();
    ASSERT_EQ(1, Build()); /* the previous list is freed */
    EXPECT_EQ(withList, qmt_LiveGlobalBlocks());
    EXPECT_EQ(1, opt_FreePaperList(context_));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(1, opt_FreePaperList(context_));
    EXPECT_EQ(-1, opt_FreePaperList(nullptr));
    PaperListBuildRequest none = {printer_, nullptr, &areas_->block};
    EXPECT_EQ(-1, opt_BuildPaperList(&none));
    EXPECT_EQ(-100, opt_BuildPaperList(nullptr));
}

TEST_F(PaperListBuildTest, ClosingAContextWithMapAndListLeavesNothing)
{
    OpenWithList();
    CloseSample();
    DWORD blocks = qmt_LiveGlobalBlocks();
    DriverContext *context = ddd_OpenContext(printer_);
    ASSERT_NE(nullptr, context);
    ASSERT_NE(nullptr, context->fieldMap);
    EXPECT_EQ(1u, context->fieldMap->active);
    PaperListBuildRequest request = {printer_, context, &areas_->block};
    ASSERT_EQ(1, opt_BuildPaperList(&request));
    ASSERT_TRUE(opt_HasPaperList(context));
    ddd_CloseContext(context);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
}

} // namespace
