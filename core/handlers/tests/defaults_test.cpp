/*
 * Defaults over the sample printer: the default DEVMODE and printer-data block, one
 * setting's default, and validation by handler and by description data.
 */
#include "core/handlers/handler_rows.h"

#include "core/constraints/verify_values.h"
#include "core/context/tests/driver_files.h"
#include "core/ddd/tests/ddd_test_support.h"
#include "core/devmode_helpers/devmode_helpers.h"
#include "core/paperlist/paper_list.h"
#include "core/settings/settings.h"
#include "core/util/caches.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_icons.h"
#include "platform/testing/qm_testing_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\HANDLERS_TEST_LOG.txt");
}

namespace {

using driver_files::HostFile;

class DefaultsTest : public testing::Test
{
protected:
    void SetUp() override
    {
        module_ = driver_files::PinModuleDirectory();
        driver_files::CopyIn(HostFile(QM_MODELS_DIR "/QM50C1.DDD"), u"QM50C1.DDD");
        driver_files::CopyIn(HostFile(QM_MODELS_DIR "/QM50BASE.DDD"), u"QM50BASE.DDD");
        qmt_PinLocale(0x0407);
        devmode_ = dm_AllocDevmode(0);
        block_ = (PrinterDataBlock *)GlobalAlloc(GPTR, sizeof(PrinterDataBlock));
    }
    void TearDown() override
    {
        for (DriverContext *context : contexts_)
            ddd_CloseContext(context);
        for (HANDLE printer : printers_)
            ClosePrinter(printer);
        GlobalFree(devmode_);
        GlobalFree(block_);
        util_SetModuleHandle(nullptr);
        FreeLibrary(module_);
        qmt_PinLocale(0);
    }
    DriverContext *Open(const WCHAR *name, const std::u16string &dataFile)
    {
        HANDLE printer = driver_files::InstallPrinter(name, dataFile);
        printers_.push_back(printer);
        DriverContext *context = ddd_OpenContext(printer);
        EXPECT_NE(nullptr, context);
        contexts_.push_back(context);
        return context;
    }
    DriverContext *OpenSample()
    {
        return Open(TEXT("Sample"), u"C:\\drv\\QM50C1.DDD");
    }
    /* A model without base compiled from records. */
    DriverContext *OpenCompiled(const char *entries, const char *records)
    {
        dddc::Bytes bytes = ddd_test::Compile(ddd_test::Source(8192, entries, records));
        driver_files::WriteFileBytes(u"C:\\drv\\VARIANT.DDD", std::string(bytes.begin(), bytes.end()));
        return Open(TEXT("Variant"), u"C:\\drv\\VARIANT.DDD");
    }
    LONG Number(WORD functionId)
    {
        WORD type = 0;
        DWORD size = 0;
        DWORD_PTR value = 0;
        EXPECT_EQ(0, dma_GetFunctionValue(functionId, devmode_, block_, &type, &size, &value)) << functionId;
        return dma_ValueToLong(type, &value);
    }
    std::u16string Text(WORD functionId)
    {
        return (const WCHAR *)dma_GetTypedValue(devmode_, block_, functionId, VT_STRING);
    }
    HMODULE module_ = nullptr;
    DriverDevmode *devmode_ = nullptr;
    PrinterDataBlock *block_ = nullptr;
    std::vector<HANDLE> printers_;
    std::vector<DriverContext *> contexts_;
};

TEST_F(DefaultsTest, TheSampleGivesADefaultDevmodeAndBlock)
{
    DriverContext *context = OpenSample();
    ASSERT_TRUE(opt_SetAllDefaults(context, devmode_, block_, TEXT("P"))); /* fills the caches of first use */
    DWORD blocks = qmt_LiveGlobalBlocks();
    FillMemory(devmode_, sizeof(*devmode_), 0xAB);
    ASSERT_TRUE(
        opt_SetAllDefaults(context, devmode_, block_, TEXT("A printer name longer than thirty-one characters")));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks()); /* every default released */

    struct Case {
        WORD functionId;
        LONG expected;
    };
    static const Case numbers[] = {
        {2, 1025},    {3, 21024},   {4, 220},     {5, 1384},    {7, 1},        {8, 9},       {9, 2970},
        {10, 2100},   {12, 1},      {13, 7},      {15, 2},      {16, 1},       {18, 1},      {22, 1},
        {23, 0},      {257, 21024}, {258, 8644},  {274, 0},     {1793, 21024}, {5889, 2100}, {5908, 2100},
        {5909, 2970}, {5928, 2970}, {8202, 5452}, {8203, 8644}, {8204, 21024}, {4097, 1},
    };
    for (const Case &c : numbers) {
        EXPECT_EQ(c.expected, Number(c.functionId)) << c.functionId;
    }
    EXPECT_EQ(u"A printer name longer than thir", Text(1));
    EXPECT_EQ(u"A4", Text(19));
    EXPECT_EQ(u"Model 50-C/1", Text(259));
    EXPECT_EQ(u"", Text(298));
    EXPECT_EQ(u"", Text(305));
    std::u16string slot0 = Text(5929);
    EXPECT_FALSE(slot0.empty());
    EXPECT_LE(slot0.size(), 14u);
    EXPECT_EQ(u'1', slot0.back());
    EXPECT_EQ(u'0', Text(5938).back()); /* slot 9: "...10" */
    EXPECT_EQ(220, devmode_->dm.dmSize);
    EXPECT_EQ(0, devmode_->second.bytes[DM_SECOND_PART_SIZE - 1]); /* the whole buffer cleared */
    /* dmFields: the default form on this system class; the sample's device flag is on, so
       the colour-matching, media and dither fields are in. */
    DWORD expectedFields = DM_ORIENTATION | DM_PAPERSIZE | DM_SCALE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY |
                           DM_COLOR | DM_DUPLEX | DM_YRESOLUTION | DM_TTOPTION | DM_COLLATE | DM_FORMNAME |
                           DM_ICMMETHOD | DM_ICMINTENT | DM_MEDIATYPE | DM_DITHERTYPE;
    EXPECT_EQ(expectedFields, devmode_->dm.dmFields);
    /* The stamp font without a resource module: numbers 0, the face name "Undefined". */
    WORD type = 0;
    DWORD size = 0;
    DWORD_PTR slot = 0;
    ASSERT_EQ(0, dma_GetFunctionValue(357, devmode_, block_, &type, &size, &slot));
    const LOGFONTW *font = (const LOGFONTW *)slot;
    ASSERT_NE(nullptr, font);
    EXPECT_EQ(400, font->lfWeight);
    EXPECT_EQ(2, font->lfQuality);
    EXPECT_EQ(u"Undefined", std::u16string(font->lfFaceName));
    EXPECT_EQ(u"Undefined", Text(358));
}

TEST_F(DefaultsTest, ADevmodeAloneLeavesTheBlockUntouched)
{
    DriverContext *context = OpenSample();
    ASSERT_TRUE(opt_SetAllDefaults(context, devmode_, nullptr, TEXT("P")));
    EXPECT_EQ(1384, devmode_->dm.dmDriverExtra);
    ASSERT_TRUE(opt_SetAllDefaults(context, nullptr, block_, TEXT("P")));
    EXPECT_EQ(5452, Number(8202));
}

TEST_F(DefaultsTest, OneDefaultByRowByDatabaseAndNone)
{
    DriverContext *context = OpenSample();
    DefaultRequest request = {context, 4, nullptr, nullptr, 0, 0, 0};
    ASSERT_EQ(OPT_DEFAULT_OK, opt_GetDefault(&request));
    EXPECT_EQ(VT_WORD, request.valueType);
    EXPECT_EQ(220u, request.value);
    EXPECT_EQ(2u, request.size);

    request = {context, 16, nullptr, nullptr, 0, 0, 0}; /* no default command: the database */
    ASSERT_EQ(OPT_DEFAULT_OK, opt_GetDefault(&request));
    EXPECT_EQ(1u, request.value);

    request = {context, 439, nullptr, nullptr, 0, 0, 0}; /* its spec is not used: mask 0 */
    EXPECT_EQ(OPT_DEFAULT_NONE, opt_GetDefault(&request));

    request = {context, 20, nullptr, nullptr, 0, 0, 0}; /* no descriptor */
    EXPECT_EQ(OPT_DEFAULT_FAILED, opt_GetDefault(&request));
    EXPECT_EQ(OPT_DEFAULT_FAILED, opt_GetDefault(nullptr));

    SetDefaultRequest set = {context, devmode_, 20, nullptr};
    EXPECT_TRUE(opt_SetDefaultValue(&set)); /* nothing to write */
    set = {context, devmode_, 439, nullptr};
    EXPECT_TRUE(opt_SetDefaultValue(&set)); /* no default: keeps its zero */
    set = {context, devmode_, 7, nullptr};
    EXPECT_TRUE(opt_SetDefaultValue(&set));
    EXPECT_EQ(1, devmode_->dm.dmOrientation);
}

TEST_F(DefaultsTest, AFailedDefaultMakesTheResetFail)
{
    /* The default paper has no paper record: dmPaperLength's handler fails, which is a
       failure and not "no default". */
    DriverContext *context = OpenCompiled("",
                                          "  - {type: 4, key: 8, caption: S, control: 2, default: 1, options: [801]}\n"
                                          "  - {type: 14, key: 801, caption: P, value: {type: 2, value: 9}}\n");
    DefaultRequest request = {context, 9, nullptr, nullptr, 0, 0, 0};
    EXPECT_EQ(OPT_DEFAULT_FAILED, opt_GetDefault(&request));
    EXPECT_FALSE(opt_SetAllDefaults(context, devmode_, block_, TEXT("P")));
    EXPECT_EQ(21024, Number(1793));      /* the other groups still went through */
    EXPECT_EQ(0, Number(8202));          /* group 3 ended at the first user slot: this model has no A4 */
    EXPECT_EQ(220, devmode_->dm.dmSize); /* group 4 up to the failure */
    EXPECT_EQ(9, devmode_->dm.dmPaperSize);
    EXPECT_EQ(0, devmode_->dm.dmCopies); /* ... and nothing after it */
}

/* Writes a value of the setting's type (numbers only). */
void Store(DriverDevmode *devmode, PrinterDataBlock *block, WORD functionId, LONG value)
{
    const SettingLocation *row = dma_FindSettingRow(functionId, nullptr);
    ASSERT_NE(nullptr, row);
    ASSERT_EQ(0,
              dma_SetTypedValue(
                  devmode, block, functionId, row->storedType, dma_GetTypeWidth(row->storedType), (DWORD_PTR)value));
}

TEST_F(DefaultsTest, ValidationByHandlerAndByDatabase)
{
    DriverContext *context = OpenSample();
    ASSERT_TRUE(opt_SetAllDefaults(context, devmode_, block_, TEXT("P")));
    struct Case {
        WORD functionId;
        LONG value;
        int valid2;  /* command 2 */
        int valid16; /* command 16 */
    };
    static const Case cases[] = {
        {2, 1025, 1, 0},    {2, 1024, 0, 0}, {3, 21024, 1, 0}, {4, 220, 1, 0},  {4, 212, 1, 0},    {4, 1604, 1, 0},
        {4, 221, 0, 0},     {5, 1384, 1, 0}, {5, 5676, 1, 0},  {5, 1385, 0, 0}, {7, 2, 1, 1},      {7, 3, 0, 0},
        {11, 1, 1, 1},      {11, 0, 0, 0},   {12, 0, 0, 0},    {12, 999, 1, 1}, {12, 1000, 0, 1},  {13, 258, 1, 1},
        {13, 3, 0, 1},      {16, 3, 1, 1},   {16, 4, 0, 0},    {17, 4, 1, 1},   {17, 5, 0, 0},     {18, 1, 1, 1},
        {18, 2, 0, 0},      {15, 2, 1, 1},   {15, 3, 0, 0},    {24, 5, 0, 1},   {258, 8644, 1, 0}, {8204, 21025, 0, 0},
        {8202, 5452, 0, 0}, /* no handler function: the database, which has no options */
    };
    for (const Case &c : cases) {
        Store(devmode_, block_, c.functionId, c.value);
        ValidateRequest check = {context, c.functionId, devmode_, block_, HC_VALIDATE};
        EXPECT_EQ(c.valid2, opt_ValidateSetting(&check) ? 1 : 0) << c.functionId << " = " << c.value;
        check.command = HC_VALIDATE2;
        EXPECT_EQ(c.valid16, opt_ValidateSetting(&check) ? 1 : 0) << c.functionId << " = " << c.value << " (16)";
    }
    ValidateRequest check = {context, 259, devmode_, block_, HC_VALIDATE};
    EXPECT_TRUE(opt_ValidateSetting(&check)); /* the default model name */
    const WCHAR *other = TEXT("Model 60");
    ASSERT_EQ(0, dma_SetFunctionValue(259, devmode_, block_, VT_STRING, 18, &other));
    EXPECT_FALSE(opt_ValidateSetting(&check));
    check.functionId = 20;
    EXPECT_FALSE(opt_ValidateSetting(&check));
    EXPECT_FALSE(opt_ValidateSetting(nullptr));
}

} // namespace

namespace {

TEST_F(DefaultsTest, ListsFromDatabaseAndHandlers)
{
    DriverContext *context = OpenSample();
    Store(devmode_, block_, 1863, 1500);
    Store(devmode_, block_, 1864, 2500);
    ListRequest request = {nullptr, context, 8, GetModuleHandleW(nullptr), 0, 0, devmode_, block_, {0, 0}};
    opt_FreeList(opt_CreateFilledList(&request)); /* fills the caches of first use */
    DWORD blocks = qmt_LiveGlobalBlocks();

    OptionList *papers = opt_CreateFilledList(&request); /* the database */
    ASSERT_NE(nullptr, papers);
    EXPECT_EQ(OK_LIST, papers->controlKind);
    EXPECT_EQ(VT_SHORT, papers->valueType);
    EXPECT_NE(nullptr, papers->caption);
    static const DWORD paperValues[] = {1, 9, 11, 5, 256, 262};
    ASSERT_EQ(6u, papers->count);
    for (LONG i = 0; i < 6; ++i) {
        EXPECT_EQ(paperValues[i], opt_GetItemData(papers, i)) << i;
    }
    EXPECT_EQ(u"A4", std::u16string(opt_GetItemText(papers, 1)));
    EXPECT_EQ(opt_GetItem(papers, 1), opt_FindItemByText(papers, TEXT("A4")));
    EXPECT_EQ(opt_GetItem(papers, 4), opt_FindItemByText(papers, TEXT("User")));
    EXPECT_EQ(u"User defined size (150 x 250 mm)", std::u16string(opt_GetItemText(papers, 4)));
    EXPECT_EQ(nullptr, opt_FindItemByText(papers, TEXT("B5")));
    EXPECT_EQ(nullptr, opt_GetItem(papers, 6));
    EXPECT_EQ(nullptr, opt_GetItem(papers, -1));
    EXPECT_TRUE(opt_FreeList(papers));

    request.functionId = 12; /* the handler: 1, the maximum copy count, 1 */
    OptionList *copies = opt_CreateFilledList(&request);
    ASSERT_NE(nullptr, copies);
    EXPECT_EQ(OK_RANGE, copies->controlKind);
    ASSERT_EQ(3u, copies->count);
    EXPECT_EQ(1u, opt_GetItemData(copies, 0));
    EXPECT_EQ(999u, opt_GetItemData(copies, 1));
    EXPECT_EQ(u"999", std::u16string(opt_GetItemText(copies, 1)));
    EXPECT_EQ(1u, opt_GetItemData(copies, 2));
    EXPECT_TRUE(opt_FreeList(copies));

    static const WCHAR *faces[] = {TEXT("Sans"), TEXT("Serif")};
    request = {nullptr, context, 305, nullptr, 2, (DWORD_PTR)faces, devmode_, block_, {0, 0}};
    OptionList *names = opt_CreateFilledList(&request); /* the creator's texts */
    ASSERT_NE(nullptr, names);
    EXPECT_EQ(VT_STRING, names->valueType);
    ASSERT_EQ(2u, names->count);
    EXPECT_EQ(u"Serif", std::u16string((const WCHAR *)opt_GetItemData(names, 1)));
    EXPECT_NE((DWORD_PTR)faces[1], opt_GetItemData(names, 1)); /* a copy */
    EXPECT_TRUE(opt_FreeList(names));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());

    request.count = 0; /* 305 without texts */
    EXPECT_EQ(nullptr, opt_CreateFilledList(&request));
    request.functionId = 298; /* no stamps key: the six built-in names and the list's own item */
    OptionList *stamps = opt_CreateList(&request);
    ASSERT_NE(nullptr, stamps);
    EXPECT_EQ(7u, stamps->count);
    EXPECT_TRUE(opt_FreeList(stamps));
    request.functionId = 20; /* no descriptor */
    EXPECT_EQ(nullptr, opt_CreateList(&request));
    request.functionId = 274; /* a shell without items */
    OptionList *shell = opt_CreateList(&request);
    ASSERT_NE(nullptr, shell);
    EXPECT_EQ(2u, shell->count);
    EXPECT_EQ(nullptr, shell->items);
    EXPECT_TRUE(opt_FreeList(shell));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_FALSE(opt_FreeList(nullptr));
}

} // namespace

namespace {

struct LiveObjects {
    DWORD icons = qmt_LiveIcons();
    DWORD palettes = qmt_LiveGdiObjects(QMT_GDI_PALETTE);
    DWORD bitmaps = qmt_LiveGdiObjects(QMT_GDI_BITMAP);
    DWORD dcs = qmt_LiveGdiObjects(QMT_GDI_DC);
    DWORD blocks = qmt_LiveGlobalBlocks();
    bool operator==(const LiveObjects &o) const
    {
        return icons == o.icons && palettes == o.palettes && bitmaps == o.bitmaps && dcs == o.dcs && blocks == o.blocks;
    }
};

TEST_F(DefaultsTest, OptionIconsComeWithTheListAndGoWithIt)
{
    DriverContext *context = OpenSample();
    ListRequest request = {nullptr, context, 7, nullptr, 0, 0, devmode_, block_, {0, 0}};
    opt_FreeList(opt_CreateFilledList(&request)); /* fills the caches of first use */
    LiveObjects before;
    OptionList *list = opt_CreateFilledList(&request);
    ASSERT_NE(nullptr, list);
    ASSERT_EQ(2u, list->count);
    for (LONG i = 0; i < 2; ++i) {
        QmtIconPlanes planes;
        ASSERT_TRUE(qmt_GetIconPlanes(opt_GetItemIcon(list, i), &planes)) << i;
        EXPECT_EQ(32, planes.width);
        EXPECT_EQ(32, planes.height);
        EXPECT_EQ(0xFF, planes.andBits[31 * 4]); /* the DIB's first stored mask row is the bottom one */
        EXPECT_EQ(0x00, planes.andBits[0]);
    }
    EXPECT_EQ(2u, qmt_LiveIcons() - before.icons);
    EXPECT_TRUE(opt_FreeList(list));
    EXPECT_TRUE(before == LiveObjects());
}

/* Lists of a fixed shape given by a value spec (flags 4 and 8), one per control kind. */
TEST_F(DefaultsTest, ShapesFromAValueSpec)
{
    DriverContext *context = OpenSample();
    static const DWORD listValues[] = {7};
    static const OptionShapeList listData = {1, 703, listValues}; /* one string in the test resources */
    static const OptionShapeRange rangeData = {500, 10};
    static const OptionShape onOff = {OK_ONOFF, nullptr};
    static const OptionShape list = {OK_LIST, &listData};
    static const OptionShape single = {OK_SINGLE, nullptr};
    static const OptionShape range = {OK_RANGE, &rangeData};
    static const OptionShape range3 = {OK_RANGE3, &rangeData};
    static const OptionShape unknown = {5, nullptr};
    struct Case {
        const OptionShape *shape;
        DWORD count;
        DWORD values[3];
        WORD valueType;
    };
    const Case cases[] = {
        {&onOff, 2, {1, 0}, VT_SHORT},
        {&list, 1, {7}, VT_SHORT},
        {&single, 1, {42}, VT_SHORT},
        {&range, 3, {10, 500, 42}, VT_SHORT},
        {&range3, 3, {10, 500, 0}, VT_WORD}, /* the third option has no value */
        {&unknown, 0, {}, 0},
    };
    for (const Case &c : cases) {
        const SettingValueSpec spec = {SVS_SHAPE | SVS_OPTIONS, VT_SHORT, (DWORD)-1, 42, c.shape};
        const SettingHandlerRow row = {&spec, nullptr, HC_ADJUST | HC_TEXTS};
        const SettingDescriptor descriptor = {274, &row};
        ListRequest request = {nullptr, context, 274, GetModuleHandleW(nullptr), 0, 0, devmode_, block_, {0, 0}};
        OptionList *made = hdl_CreateFilledListFor(&request, &descriptor);
        if (c.count == 0) {
            EXPECT_EQ(nullptr, made);
            continue;
        }
        ASSERT_NE(nullptr, made) << c.shape->controlKind;
        EXPECT_EQ(c.shape->controlKind, made->controlKind);
        EXPECT_EQ(c.valueType, made->valueType) << c.shape->controlKind;
        ASSERT_EQ(c.count, made->count);
        for (LONG i = 0; i < (LONG)c.count; ++i) {
            EXPECT_EQ(c.values[i], opt_GetItemData(made, i)) << c.shape->controlKind << " option " << i;
        }
        if (c.shape == &list) {
            EXPECT_EQ(u"(%s x %s mm)", std::u16string(opt_GetItemText(made, 0))); /* string base + 0 */
        }
        EXPECT_TRUE(opt_FreeList(made));
    }
}

TEST_F(DefaultsTest, TheStampChoiceListsTheStoredNames)
{
    DriverContext *context = OpenSample();
    const SettingHandlerRow *row = opt_FindDescriptor(298)->handler;
    static const WCHAR names[] = TEXT("Draft\0Secret\0");
    StampNames stamps = {2, (WCHAR *)names};
    OptionList list = {};
    SettingItem item;
    item.shape = {nullptr, &list, 0, &stamps};
    ASSERT_TRUE(row->handler(context, HC_ADJUST, 298, &item));
    EXPECT_EQ(OK_LIST, list.controlKind);
    EXPECT_EQ(3u, list.count);
    const WCHAR *text = nullptr;
    DWORD_PTR value = 0;
    item.text = {nullptr, &text, &value, 0, 2, 0, &stamps};
    ASSERT_TRUE(row->handler(context, HC_TEXTS, 298, &item));
    EXPECT_EQ(u"Secret", std::u16string(text));
    EXPECT_EQ(VT_STRING, item.text.valueType);
    item.text.index = 3;
    EXPECT_FALSE(row->handler(context, HC_TEXTS, 298, &item));
    item.shape = {nullptr, &list, 0, nullptr};
    EXPECT_FALSE(row->handler(context, HC_ADJUST, 298, &item)); /* no names: no list */
    /* The stamp store is empty: the list is not made. */
    ListRequest request = {nullptr, context, 298, nullptr, 0, 0, devmode_, block_, {0, 0}};
    EXPECT_EQ(nullptr, opt_CreateFilledList(&request));
}

TEST_F(DefaultsTest, PaperSizesFromTheDevicePaperListKeepTheirNames)
{
    DriverContext *context = OpenSample();
    ASSERT_TRUE(opt_SetAllDefaults(context, devmode_, block_, TEXT("P")));
    ListRequest request = {nullptr, context, 8, GetModuleHandleW(nullptr), 0, 0, devmode_, block_, {0, 0}};
    /* Without a device list: the database papers, the user paper slot (262) named as its slot. */
    OptionList *papers = opt_CreateFilledList(&request);
    ASSERT_NE(nullptr, papers);
    ASSERT_EQ(6u, papers->count);
    EXPECT_EQ(262u, opt_GetItemData(papers, 5));
    EXPECT_EQ(Text(5929) + u" (210 x 297 mm)", std::u16string(opt_GetItemText(papers, 5)));
    EXPECT_TRUE(opt_FreeList(papers));

    PaperListEntry entries[3] = {};
    const WCHAR *entryNames[3] = {TEXT("A4"), TEXT("Custom"), TEXT("A4 Tab")};
    const WORD ids[3] = {9, 256, 512};
    for (int i = 0; i < 3; ++i) {
        lstrcpyW(entries[i].name, entryNames[i]);
        entries[i].paperId = ids[i];
        entries[i].formNumber = (SHORT)(i == 1 ? 0 : i + 1);
    }
    PaperList device = {entries, 2, 1};
    context->paperList = &device;
    papers = opt_CreateFilledList(&request);
    context->paperList = nullptr;
    ASSERT_NE(nullptr, papers);
    EXPECT_EQ(OK_LIST, papers->controlKind);
    ASSERT_EQ(3u, papers->count);
    for (LONG i = 0; i < 3; ++i) {
        EXPECT_EQ(ids[i], opt_GetItemData(papers, i));
        EXPECT_EQ(std::u16string(entryNames[i]), std::u16string(opt_GetItemText(papers, i))); /* no size text */
        EXPECT_EQ(nullptr, opt_GetItemIcon(papers, i));
    }
    EXPECT_TRUE(opt_FreeList(papers));
}

} // namespace

namespace {

/* Every descriptor of every group over the sample: its default is there (or there is
 * none), its list builds, and the value the reset wrote validates. */
TEST_F(DefaultsTest, EveryDescriptorDefaultsValidatesAndListsItsOptions)
{
    DriverContext *context = OpenSample();
    ASSERT_TRUE(opt_SetAllDefaults(context, devmode_, block_, TEXT("P")));
    std::vector<WORD> noDefault, noList, invalid;
    for (WORD group = 0; group < 13; ++group) {
        DWORD count = 0;
        const SettingDescriptor *descriptors = nullptr;
        ASSERT_TRUE(opt_GetSettingGroup(&count, nullptr, &descriptors, group));
        for (DWORD i = 0; i < count; ++i) {
            WORD id = (WORD)descriptors[i].functionId;
            DefaultRequest request = {context, id, block_, TEXT("P"), 0, 0, 0};
            int status = opt_GetDefault(&request);
            ASSERT_NE(OPT_DEFAULT_FAILED, status) << id;
            if (status == OPT_DEFAULT_NONE) {
                noDefault.push_back(id);
                continue;
            }
            EXPECT_TRUE(opt_FreeDefault(id, request.value, request.valueType)) << id;
            ListRequest list = {nullptr, context, id, GetModuleHandleW(nullptr), 1, 0, devmode_, block_, {0, 0}};
            OptionList *made = opt_CreateFilledList(&list);
            if (!made) {
                noList.push_back(id);
            }
            opt_FreeList(made);
            ValidateRequest check = {context, id, devmode_, block_, HC_VALIDATE};
            if (!opt_ValidateSetting(&check)) {
                invalid.push_back(id);
            }
        }
    }
    auto show = [](const std::vector<WORD> &ids) {
        std::string text;
        for (WORD id : ids)
            text += std::to_string(id) + " ";
        return text;
    };
    auto range = [](std::string text, WORD first, WORD last) {
        for (WORD id = first; id <= last; ++id)
            text += std::to_string(id) + " ";
        return text;
    };
    /* The sample defines far fewer settings than the catalogue holds: the rest have no
       default and keep the reset's zero. */
    EXPECT_LT(noDefault.size(), 1045u);
    /* Without a list: the rows whose handler serves only the default, the stamp choice
       (the stamp store is empty), 305 (its texts come from the list's creator) and the
       font record 304 (a record value has no 4-byte slot). */
    std::string slots = range("", 5889, 5948);
    EXPECT_EQ(slots + "8202 8203 8204 1 2 3 4 5 6 9 10 15 19 22 257 258 259 298 304 305 357 358 1793 ", show(noList));
    /* Not valid by command 2: the rows that give only a default (a handler answers 0 for a
       command it does not serve), 8202 whose value has no option in the data, and 304. */
    EXPECT_EQ(slots + "8202 1 6 9 10 19 298 304 305 357 358 ", show(invalid));
}

} // namespace

namespace {

/* A model where long-edge duplex (16 = 2) conflicts with A5 (8 = 11). */
const char kConflictRecords[] = "  - {type: 4, key: 16, caption: Duplex, control: 2, default: 1, options: [161, 162]}\n"
                                "  - {type: 14, key: 161, caption: Off, value: {type: 2, value: 1}}\n"
                                "  - {type: 14, key: 162, caption: Long, value: {type: 2, value: 2}, keys1: [1]}\n"
                                "  - {type: 4, key: 8, caption: Paper, control: 2, default: 1, options: [81, 82]}\n"
                                "  - {type: 14, key: 81, caption: A4, value: {type: 2, value: 9}}\n"
                                "  - {type: 14, key: 82, caption: A5, value: {type: 2, value: 11}}\n"
                                "  - {type: 7, key: 1, value: {function: 16, byte: 1, type: 2, value: 2}, word1: 1,"
                                " flagged: [{function: 8, byte: 1, type: 2, value: 11, flag: 4}]}\n";

TEST_F(DefaultsTest, AConflictIsHandedBackTwiceThenReported)
{
    DriverContext *context = OpenCompiled("", kConflictRecords);
    Store(devmode_, block_, 8, 11);
    Store(devmode_, block_, 16, 1);
    ItemCheckTable table = {};
    WORD pending = 0;
    WCHAR *message = nullptr;
    VerifyRequest request = {GetModuleHandleW(nullptr),
                             printers_.back(),
                             context,
                             devmode_,
                             block_,
                             &message,
                             (HWND)0x1234,
                             &table,
                             &pending};
    EXPECT_EQ(1, opt_VerifyValuesInOptionLists(&request)); /* no conflict */
    EXPECT_EQ(0, pending);

    Store(devmode_, block_, 16, 2);
    qmt_ResetMessageBoxes();
    EXPECT_EQ(2, opt_VerifyValuesInOptionLists(&request)); /* first time: handed back */
    EXPECT_EQ(16, pending);
    EXPECT_EQ(0, table.rows[0].functionId);
    EXPECT_EQ(2, opt_VerifyValuesInOptionLists(&request)); /* still there after the fix: kept */
    EXPECT_EQ(16, pending);
    EXPECT_EQ(16, table.rows[0].functionId);
    EXPECT_EQ(0u, qmt_MessageBoxCount());
    EXPECT_EQ(-1, opt_VerifyValuesInOptionLists(&request)); /* flagged, skipped, reported */
    ASSERT_EQ(1u, qmt_MessageBoxCount());
    QmtMessageBoxCall box;
    ASSERT_TRUE(qmt_MessageBoxLog(0, &box));
    EXPECT_EQ(u"DDMID = 0x10 could not be set to its default.", std::u16string(box.text));
    EXPECT_EQ(u"Default Set Err", std::u16string(box.caption));
    EXPECT_EQ((UINT)MB_ICONERROR, box.type);
    EXPECT_EQ((HWND)0x1234, box.hWnd);

    /* Fixed: every value fits again, though the table keeps the setting. */
    Store(devmode_, block_, 16, 1);
    EXPECT_EQ(1, opt_VerifyValuesInOptionLists(&request));
    EXPECT_EQ(0u, table.rows[0].flag);
    EXPECT_EQ(-1, opt_VerifyValuesInOptionLists(nullptr));
}

} // namespace

namespace {

/* dmFields by Windows class: the classes the driver does not serve give nothing, the form
 * name is not a field before NT 4, the device-dependent fields need NT 5 or a later 9x. */
TEST_F(DefaultsTest, SupportedFieldsByWindowsClass)
{
    DriverContext *context = OpenSample(); /* its device flag is on */
    const DWORD common = DM_ORIENTATION | DM_PAPERSIZE | DM_SCALE | DM_COPIES | DM_DEFAULTSOURCE | DM_PRINTQUALITY |
                         DM_COLOR | DM_DUPLEX | DM_YRESOLUTION | DM_TTOPTION | DM_COLLATE;
    const DWORD device = DM_ICMMETHOD | DM_ICMINTENT | DM_MEDIATYPE | DM_DITHERTYPE;
    struct Case {
        DWORD platform, major, minor;
        BOOL ok;
        DWORD fields;
    };
    const Case cases[] = {
        {1, 3, 10, FALSE, 0},                           /* class 256 */
        {1, 4, 0, TRUE, common},                        /* 257: not a modern system */
        {1, 4, 10, TRUE, common | device},              /* 258 */
        {2, 3, 51, FALSE, 0},                           /* 512 */
        {2, 4, 0, TRUE, common | DM_FORMNAME},          /* 513 */
        {2, 5, 1, TRUE, common | DM_FORMNAME | device}, /* 514 */
    };
    for (const Case &c : cases) {
        OSVERSIONINFOEXW info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        info.dwPlatformId = c.platform;
        info.dwMajorVersion = c.major;
        info.dwMinorVersion = c.minor;
        qmt_PinOsVersion(&info);
        util_ResetCaches();
        DWORD fields = 0xFFFFFFFF;
        EXPECT_EQ(c.ok, dm_GetSupportedFields(context, &fields, DM_FIELDS_DEFAULT_FORM)) << c.major << "." << c.minor;
        EXPECT_EQ(c.fields, fields) << c.major << "." << c.minor;
    }
    qmt_PinOsVersion(nullptr);
    util_ResetCaches();
    EXPECT_FALSE(dm_GetSupportedFields(context, nullptr, DM_FIELDS_DEFAULT_FORM));
}

/* A paper source's custom size option (275) shows the size set for that source: the
 * first and last source of each run of paper-size settings with their width and height. */
TEST_F(DefaultsTest, ASourcesCustomSizeOptionShowsItsSize)
{
    static const WORD kSources[][3] = {{6145, 6190, 6205}, {6159, 6204, 6219}, {6220, 6265, 6280}, {6223, 6268, 6283}};
    std::string records;
    int option = 1;
    for (const auto &source : kSources) {
        std::string a4 = std::to_string(option++), custom = std::to_string(option++);
        records += "  - {type: 4, key: " + std::to_string(source[0]) +
                   ", caption: Tray, control: 2, default: 1, options: [" + a4 + ", " + custom + "]}\n" +
                   "  - {type: 14, key: " + a4 + ", caption: A4, value: {type: 3, value: 9}}\n" +
                   "  - {type: 14, key: " + custom + ", caption: Custom, value: {type: 3, value: 275}}\n";
    }
    DriverContext *context = OpenCompiled("", records.c_str());
    int width = 1000; // each source its own width, so that another source's size shows
    for (const auto &source : kSources) {
        Store(devmode_, block_, source[1], width);
        Store(devmode_, block_, source[2], 1500);
        std::u16string expected = u"Custom (" + std::u16string(1, (char16_t)(u'0' + width / 1000)) +
                                  std::u16string(1, (char16_t)(u'0' + width / 100 % 10)) + u"0 x 150 mm)";
        width += 100;
        ListRequest request = {nullptr, context, source[0], GetModuleHandleW(nullptr), 0, 0, devmode_, block_, {0, 0}};
        OptionList *list = opt_CreateFilledList(&request);
        ASSERT_NE(nullptr, list) << source[0];
        EXPECT_EQ(u"A4", std::u16string(opt_GetItemText(list, 0)));
        EXPECT_EQ(expected, std::u16string(opt_GetItemText(list, 1))) << source[0];
        EXPECT_TRUE(opt_FreeList(list));
    }
}

} // namespace
