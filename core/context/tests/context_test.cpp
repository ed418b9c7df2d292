/*
 * Driver contexts: opening the sample printer with its special settings, refusals that
 * leave nothing open, and the lookups over the sample and over a model compiled here.
 */
#include "core/context/driver_context.h"

#include "core/devmode_merge/field_map_types.h"

#include "core/context/tests/driver_files.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/trace/trace.h"
#include "platform/testing/qm_testing.h"

#include <gtest/gtest.h>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\CONTEXT_TEST_LOG.txt");
}

namespace {

using driver_files::HostFile;

std::u16string Text(const WCHAR *text)
{
    return text ? std::u16string(text) : u"<null>";
}

/* What a leak check counts. */
struct Live {
    DWORD blocks, handles, views, modules, printers;
    static Live Now()
    {
        return {qmt_LiveGlobalBlocks(),
                qmt_LiveHandles(QMT_HANDLE_ANY),
                qmt_LiveMappedViews(),
                qmt_LiveModules(),
                qmt_LivePrinterHandles()};
    }
    bool operator==(const Live &o) const
    {
        return blocks == o.blocks && handles == o.handles && views == o.views && modules == o.modules &&
               printers == o.printers;
    }
};

/*
 * A model without base file, for the lookups the sample cannot show: defaults of each
 * width and papers near A4 in both orientations.
 */
const char kVariantRecords[] =
    "  - {type: 17, key: 1, first: [2970, 2100], second: [2970, 2100]}\n"
    "  - {type: 17, key: 2, first: [2105, 2965], second: [2105, 2965]}\n"
    "  - {type: 17, key: 3, first: [2112, 2970], second: [2112, 2970]}\n"
    "  - {type: 17, key: 9, first: [42, 50], second: [43, 51]}\n"
    "  - {type: 10, key: 101, name: \"A4 lying\", paper_size: 1, image_size: 1, margins: 9}\n"
    "  - {type: 10, key: 102, name: \"A4 near\", paper_size: 2, image_size: 2, margins: 9}\n"
    "  - {type: 10, key: 103, name: \"A4 too wide\", paper_size: 3, image_size: 3, margins: 9}\n"
    "  - {type: 4, key: 401, caption: P, control: 2, default: 1, options: [4013, 4011]}\n"
    "  - {type: 4, key: 402, caption: P, control: 2, default: 1, options: [4013, 4012]}\n"
    "  - {type: 4, key: 403, caption: P, control: 2, default: 1, options: [4013]}\n"
    "  - {type: 14, key: 4011, caption: L, target_type: 10, target: 101, value: {type: 2, value: 101}}\n"
    "  - {type: 14, key: 4012, caption: N, target_type: 10, target: 102, value: {type: 2, value: 102}}\n"
    "  - {type: 14, key: 4013, caption: W, target_type: 10, target: 103, value: {type: 2, value: 103}}\n"
    "  - {type: 4, key: 308, caption: B, control: 2, default: 1, options: [4101]}\n"
    "  - {type: 14, key: 4101, caption: B, value: {type: 8, value: 243}}\n"
    "  - {type: 4, key: 1863, caption: S, control: 2, default: 1, options: [4111]}\n"
    "  - {type: 14, key: 4111, caption: S, value: {type: 2, value: -5}}\n"
    "  - {type: 4, key: 303, caption: U, control: 2, default: 1, options: [4121]}\n"
    "  - {type: 14, key: 4121, caption: U, value: {type: 3, value: 65533}}\n"
    "  - {type: 4, key: 306, caption: D, control: 2, default: 1, options: [4131]}\n"
    "  - {type: 14, key: 4131, caption: D, value: {type: 10, value: 305419896}}\n"
    "  - {type: 4, key: 305, caption: T, control: 2, default: 1, options: [4141]}\n"
    "  - {type: 14, key: 4141, caption: T, value: {type: 6, value: Draft}}\n";

class ContextTest : public testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(HostFile(QM_MODELS_DIR "/QM50C1.DDD"), u"QM50C1.DDD");
        driver_files::CopyIn(HostFile(QM_MODELS_DIR "/QM50BASE.DDD"), u"QM50BASE.DDD");
        qmt_PinLocale(0x0407); /* A4 country: the paper defaults stay as the model gives them */
    }
    void TearDown() override
    {
        for (HANDLE printer : printers_)
            ClosePrinter(printer);
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        qmt_PinLocale(0);
    }
    HANDLE Printer(const WCHAR *name, const std::u16string &dataFile)
    {
        HANDLE printer = driver_files::InstallPrinter(name, dataFile);
        printers_.push_back(printer);
        return printer;
    }
    DriverContext *OpenSample()
    {
        return ddd_OpenContext(Printer(TEXT("Sample"), u"C:\\drv\\QM50C1.DDD"));
    }
    DriverContext *OpenVariant()
    {
        dddc::Bytes bytes = ddd_test::Compile(ddd_test::Source(8192, "", kVariantRecords));
        driver_files::WriteFileBytes(u"C:\\drv\\VARIANT.DDD", std::string(bytes.begin(), bytes.end()));
        return ddd_OpenContext(Printer(TEXT("Variant"), u"C:\\drv\\VARIANT.DDD"));
    }
    HMODULE module_ = nullptr;
    std::vector<HANDLE> printers_;
};

TEST_F(ContextTest, OpensTheSamplePrinterWithTheSpecialSettingsOfItsSection)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg",
                                 "[default]\r\nstaple.default=1\r\n[Model_50_C_1]\r\nduplex.default=3\r\n");
    HANDLE printer = Printer(TEXT("Sample"), u"C:\\drv\\QM50C1.DDD");
    Live before = Live::Now();
    DriverContext *context = ddd_OpenContext(printer);
    ASSERT_NE(nullptr, context);
    ASSERT_NE(nullptr, context->special);
    ASSERT_EQ(1, context->special->itemCount);
    EXPECT_EQ(16, context->special->items[0].functionId);
    EXPECT_EQ(3u, context->special->items[0].value);
    ASSERT_NE(nullptr, context->fieldMap); /* the file has no section DME,1: an inactive map */
    EXPECT_EQ(0u, context->fieldMap->active);
    EXPECT_EQ(nullptr, context->paperList);
    EXPECT_NE(nullptr, context->base->bytes);
    WCHAR *path = util_GetConfigFilePath(context);
    EXPECT_EQ(u"C:\\drv\\QM50BASE.cfg", Text(path));
    GlobalFree(path);
    EXPECT_EQ(TRUE, ddd_CloseContext(context));
    EXPECT_TRUE(before == Live::Now());
}

TEST_F(ContextTest, AModelWithoutItsSectionReadsTheDefaultSection)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[default]\r\nstaple.default=1\r\n");
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    ASSERT_NE(nullptr, context->special);
    ASSERT_EQ(1, context->special->itemCount);
    EXPECT_EQ(320, context->special->items[0].functionId);
    ddd_CloseContext(context);
}

TEST_F(ContextTest, OpeningReadsTheTraceConfigurationAgain)
{
    EXPECT_EQ(0u, trc_GetFlags()); /* read on first use: no trace configuration yet */
    driver_files::WriteFileBytes(u"C:\\drv\\qmkelv.cfg", "[LOG]\r\nLog=0x3\r\n");
    EXPECT_EQ(0u, trc_GetFlags());
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[default]\r\n");
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    EXPECT_EQ(3u, trc_GetFlags());
    ddd_CloseContext(context);
}

TEST_F(ContextTest, AMissingConfigurationFileGivesAContextWithoutSpecialSettings)
{
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    EXPECT_EQ(nullptr, context->special);
    EXPECT_EQ(nullptr, context->fieldMap);
    EXPECT_EQ(TRUE, ddd_CloseContext(context));
}

TEST_F(ContextTest, RefusedOpeningsLeaveNothingOpen)
{
    driver_files::CopyIn(HostFile(QM_MODELS_DIR "/QM50C1.DDD"), u"QM50C1.BIN");
    CreateDirectoryW(TEXT("C:\\lone"), nullptr);
    ASSERT_TRUE(CopyFileW(TEXT("C:\\drv\\QM50C1.DDD"), TEXT("C:\\lone\\QM50C1.DDD"), FALSE));
    struct Case {
        const WCHAR *printer;
        const char16_t *dataFile;
    } const cases[] = {
        {TEXT("Wrong extension"), u"C:\\drv\\QM50C1.BIN"},
        {TEXT("Missing model"), u"C:\\drv\\QM99.DDD"},
        {TEXT("Missing base"), u"C:\\lone\\QM50C1.DDD"},
    };
    for (const Case &c : cases) {
        HANDLE printer = Printer(c.printer, c.dataFile);
        Live before = Live::Now();
        EXPECT_EQ(nullptr, ddd_OpenContext(printer)) << Text(c.printer).size();
        EXPECT_TRUE(before == Live::Now()) << Text(c.dataFile).size();
    }
    EXPECT_EQ(nullptr, ddd_OpenContext(nullptr));
    EXPECT_EQ(FALSE, ddd_CloseContext(nullptr));
}

TEST_F(ContextTest, OutOfMemoryWhileOpeningLeavesNothingOpen)
{
    driver_files::WriteFileBytes(u"C:\\drv\\QM50BASE.cfg", "[Model_50_C_1]\r\nduplex.default=3\r\n");
    HANDLE printer = Printer(TEXT("Sample"), u"C:\\drv\\QM50C1.DDD");
    /* Every allocation in turn refused: each opening either fails whole or succeeds. */
    int opened = 0, refused = 0;
    for (DWORD after = 0; after < 60; ++after) {
        Live before = Live::Now();
        qmt_FailAllocations(after, 1);
        DriverContext *context = ddd_OpenContext(printer);
        qmt_FailAllocations(0, 0);
        if (context) {
            ++opened;
            ddd_CloseContext(context);
        } else {
            ++refused;
        }
        EXPECT_TRUE(before == Live::Now()) << after;
    }
    EXPECT_GT(opened, 0);
    EXPECT_GT(refused, 0);
}

TEST_F(ContextTest, AModelWithoutBaseOpensAndClosesWithZero)
{
    DriverContext *context = OpenVariant();
    ASSERT_NE(nullptr, context);
    EXPECT_EQ(nullptr, context->base->bytes);
    EXPECT_EQ(nullptr, util_GetConfigFilePath(context)); /* no base name, no configuration */
    EXPECT_EQ(FALSE, ddd_CloseContext(context));
}

TEST_F(ContextTest, DefinitionsItemListsAndNames)
{
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    FunctionDefRequest def = {context, 12, 0, 0, nullptr, nullptr, 9};
    ASSERT_TRUE(ddd_GetFunctionDef(&def));
    EXPECT_EQ(4, def.controlKind);
    EXPECT_EQ(3u, def.optionCount);
    EXPECT_EQ(u"Copies", Text(def.caption));
    EXPECT_EQ(0, def.status);
    EXPECT_TRUE(ddd_ReleaseRecord(def.record));

    DddItemList *items = nullptr;
    WORD status = 9;
    ASSERT_TRUE(ddd_GetFunctionItems(context, 16, 2, &items, &status));
    const void *data = nullptr;
    const WCHAR *text = nullptr;
    WORD type = 0;
    ASSERT_TRUE(ddd_GetItemsFields(items, &data, &text, &type, nullptr));
    EXPECT_EQ(DDD_VT_SHORT, type);
    EXPECT_EQ(2, *(const SHORT *)data);
    EXPECT_EQ(nullptr, text);
    void *record = items;
    EXPECT_TRUE(ddd_ReleaseRecordRef(&record));
    EXPECT_EQ(nullptr, record);
    EXPECT_TRUE(ddd_ReleaseRecordRef(&record));
    EXPECT_FALSE(ddd_GetItemsFields(nullptr, &data, &text, &type, nullptr));

    WCHAR *name = ddd_GetDefaultOptionName(context, 16, &status);
    EXPECT_EQ(u"Off", Text(name));
    GlobalFree(name);
    name = ddd_GetContextHeaderName(context, &status);
    EXPECT_EQ(u"Model 50-C/1", Text(name));
    GlobalFree(name);
    EXPECT_EQ(1, ddd_GetDeviceFlagByte(context));
    EXPECT_EQ(999, ddd_GetEntry4Word(context->model));

    /* Missing FunctionIDs and arguments. */
    def = {context, 999, 0, 0, nullptr, nullptr, 0};
    EXPECT_FALSE(ddd_GetFunctionDef(&def));
    EXPECT_NE(0, def.status);
    def = {nullptr, 12, 0, 0, nullptr, nullptr, 0};
    EXPECT_FALSE(ddd_GetFunctionDef(&def));
    EXPECT_EQ(1, def.status);
    EXPECT_FALSE(ddd_GetFunctionItems(context, 16, 1, nullptr, &status));
    EXPECT_EQ(1, status);
    EXPECT_EQ(-1, ddd_GetDeviceFlagByte(nullptr));
    EXPECT_EQ(nullptr, ddd_GetDefaultOptionName(nullptr, 16, &status));
    EXPECT_EQ(1, status);
    ddd_CloseContext(context);
}

TEST_F(ContextTest, StatusTranslationAndOptionListHeader)
{
    const WORD expected[][2] = {{0, 0}, {1, 1}, {2, 2}, {4, 3}, {8, 1}, {3, 1}};
    for (const auto &row : expected)
        EXPECT_EQ(row[1], ddd_ToUiStatus(row[0])) << row[0];
    EXPECT_EQ(-1, opt_GetListCount(nullptr));
    EXPECT_EQ(0, opt_GetListKind(nullptr));
    EXPECT_EQ(nullptr, opt_GetListCaption(nullptr));
    EXPECT_EQ(nullptr, opt_GetListItems(nullptr));
    EXPECT_FALSE(opt_SetListKind(nullptr, 2));
    WCHAR caption[] = TEXT("Staple");
    OptionList list = {274, caption, 2, 3, 4, nullptr};
    EXPECT_EQ(4, opt_GetListCount(&list));
    EXPECT_TRUE(opt_SetListKind(&list, 5));
    EXPECT_EQ(5, opt_GetListKind(&list));
    EXPECT_EQ(caption, opt_GetListCaption(&list));
}

TEST_F(ContextTest, ValuesInOptionsOfAListAndOfARange)
{
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    struct Case {
        WORD functionId;
        SHORT value;
        BOOL in;
    } const cases[] = {
        {16, 2, TRUE},
        {16, 4, FALSE}, /* a list: members only */
        {12, 1, TRUE},
        {12, 500, TRUE},
        {12, 999, TRUE}, /* a range: between the bounds */
        {12, 0, FALSE},
        {12, 1000, FALSE},
        {999, 1, FALSE}, /* no such setting */
    };
    for (const Case &c : cases) {
        ValueInOptionsRequest request = {context, c.functionId, &c.value};
        EXPECT_EQ(c.in, ddd_IsValueInOptions(&request)) << c.functionId << " " << c.value;
    }
    ddd_CloseContext(context);
}

TEST_F(ContextTest, OptionTargetsAndPaperSizes)
{
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    SHORT legal = 5;
    OptionTargetRequest target = {8, &legal, nullptr};
    WORD status = 9;
    ASSERT_TRUE(ddd_FetchOptionTarget(&target, &status, context));
    ASSERT_EQ(10, ((DddRecordHead *)target.record)->type);
    EXPECT_EQ(u"Legal", Text(((DddPaper *)target.record)->name)); /* from the base file */
    ddd_ReleaseRecord(target.record);
    SHORT portrait = 1;
    target = {7, &portrait, nullptr};
    EXPECT_FALSE(ddd_FetchOptionTarget(&target, &status, context)); /* an option without target */
    EXPECT_EQ(1, status);
    target = {8, nullptr, nullptr};
    EXPECT_FALSE(ddd_FetchOptionTarget(&target, &status, context));
    EXPECT_EQ(1, status);

    SHORT a5 = 11;
    PaperSizesRequest sizes = {context, 8, &a5, {}, {}, 9};
    ASSERT_TRUE(ddd_GetOptionPaperSizes(&sizes));
    EXPECT_EQ(1480, sizes.minSize.width);
    EXPECT_EQ(2100, sizes.minSize.height);
    sizes = {context, 8, nullptr, {}, {}, 9};
    ASSERT_TRUE(ddd_GetDefaultPaperSizes(&sizes)); /* A4 by the model's default */
    EXPECT_EQ(2100, sizes.minSize.width);
    EXPECT_EQ(2970, sizes.maxSize.height);
    EXPECT_EQ(0, sizes.status);
    ddd_CloseContext(context);
}

TEST_F(ContextTest, DefaultsFillTheSlotByTheirWidth)
{
    DriverContext *context = OpenVariant();
    ASSERT_NE(nullptr, context);
    struct Case {
        WORD functionId;
        WORD type;
        DWORD slot;
    } const cases[] = {
        {308, DDD_VT_BYTE, 243},          /* one byte, zero-extended */
        {1863, DDD_VT_SHORT, 0xFFFFFFFB}, /* -5 sign-extended */
        {303, DDD_VT_USHORT, 65533},      /* zero-extended */
        {306, DDD_VT_DWORD, 305419896},
    };
    /* The first read gives the model file its text buffers, kept until it closes. */
    DefaultValueRequest warm = {context, 308, 0, 0, 0};
    ddd_GetDefaultValue(&warm);
    for (const Case &c : cases) {
        Live before = Live::Now();
        DefaultValueRequest request = {context, c.functionId, 0x55555555, 0, 9};
        ASSERT_TRUE(ddd_GetDefaultValue(&request)) << c.functionId;
        EXPECT_EQ(c.type, request.valueType);
        EXPECT_EQ(c.slot, (DWORD)request.value) << c.functionId;
        EXPECT_EQ(0, request.status);
        EXPECT_TRUE(before == Live::Now()) << c.functionId; /* the value's block freed */
    }
    DefaultValueRequest text = {context, 305, 0, 0, 9};
    ASSERT_TRUE(ddd_GetDefaultValue(&text));
    EXPECT_EQ(DDD_VT_STRING, text.valueType);
    EXPECT_EQ(u"Draft", Text((const WCHAR *)text.value));
    EXPECT_TRUE(ddd_FreeDefaultValue(text.value, text.valueType));
    EXPECT_FALSE(ddd_FreeDefaultValue(0, DDD_VT_STRING));
    /* A number owns nothing: a default of 0 releases as well as any other. */
    EXPECT_TRUE(ddd_FreeDefaultValue(0, DDD_VT_USHORT));
    EXPECT_TRUE(ddd_FreeDefaultValue(0, DDD_VT_ULONG));

    DefaultValueRequest missing = {context, 999, 7, 0, 9};
    EXPECT_FALSE(ddd_GetDefaultValue(&missing));
    EXPECT_EQ(0u, missing.value);
    EXPECT_NE(0, missing.status);

    void *raw = nullptr;
    BYTE rawType = 0;
    WORD status = 9;
    ASSERT_TRUE(ddd_GetDefaultRaw(308, context, &status, &raw, &rawType));
    EXPECT_EQ(DDD_VT_BYTE, rawType);
    EXPECT_EQ(243, *(const BYTE *)raw);
    GlobalFree(raw);
    ddd_CloseContext(context);
}

TEST_F(ContextTest, FindsPaperOptionsByNumberSizeAndName)
{
    DriverContext *context = OpenSample();
    ASSERT_NE(nullptr, context);
    PaperFindRequest find = {context, 8, PAPER_MATCH_NUMBER, {5, 0, 0, nullptr}, {}, 9};
    ASSERT_TRUE(ddd_FindPaperOption(&find));
    EXPECT_EQ(5, find.match.number);
    EXPECT_EQ(2159, find.match.width);
    EXPECT_EQ(3556, find.match.height);
    EXPECT_EQ(u"Legal", Text(find.match.name));
    ddd_FreePaperMatchName(&find.match);
    EXPECT_EQ(nullptr, find.match.name);

    find = {context, 8, PAPER_MATCH_SIZE, {0, 2794, 2159, nullptr}, {}, 9}; /* Letter lying */
    ASSERT_TRUE(ddd_FindPaperOption(&find));
    EXPECT_EQ(1, find.match.number);
    ddd_FreePaperMatchName(&find.match);

    WCHAR a5[] = TEXT("A5");
    find = {context, 8, PAPER_MATCH_NAME, {0, 0, 0, a5}, {}, 9};
    ASSERT_TRUE(ddd_FindPaperOption(&find));
    EXPECT_EQ(11, find.match.number);
    ddd_FreePaperMatchName(&find.match);

    WCHAR b5[] = TEXT("B5");
    find = {context, 8, PAPER_MATCH_NAME, {0, 0, 0, b5}, {}, 9};
    EXPECT_FALSE(ddd_FindPaperOption(&find));
    EXPECT_EQ(2, find.status);
    find = {context, 8, PAPER_MATCH_NAME, {0, 0, 0, nullptr}, {}, 9}; /* mode 3 needs a name */
    EXPECT_FALSE(ddd_FindPaperOption(&find));
    EXPECT_EQ(1, find.status);
    find = {context, 999, PAPER_MATCH_NUMBER, {5, 0, 0, nullptr}, {}, 9};
    EXPECT_FALSE(ddd_FindPaperOption(&find));
    EXPECT_EQ(1, find.status);
    ddd_CloseContext(context);
}

TEST_F(ContextTest, PaperSizesMatchWithinTenUnitsInEitherOrientation)
{
    DriverContext *context = OpenVariant();
    ASSERT_NE(nullptr, context);
    /* Each definition lists the 2112 x 2970 paper first: it never matches 2100 x 2970. */
    struct Case {
        WORD functionId;
        BOOL found;
        WORD number;
    } const cases[] = {
        {401, TRUE, 101}, /* stored as 2970 x 2100 */
        {402, TRUE, 102}, /* stored as 2105 x 2965 */
        {403, FALSE, 0},  /* 2112 x 2970 only */
    };
    for (const Case &c : cases) {
        PaperFindRequest find = {context, c.functionId, PAPER_MATCH_SIZE, {0, 2100, 2970, nullptr}, {}, 9};
        EXPECT_EQ(c.found, ddd_FindPaperOption(&find)) << c.functionId;
        EXPECT_EQ(c.number, find.match.number);
        EXPECT_EQ(c.found ? 0 : 2, find.status);
        ddd_FreePaperMatchName(&find.match);
    }
    ddd_CloseContext(context);
}

} // namespace
