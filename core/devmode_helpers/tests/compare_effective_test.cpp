/*
 * Comparing DEVMODEs, the header check, effective values and the small helpers: preset
 * colours, the colour kind, user paper names, paper entries and the check table.
 */
#include "core/rules/tests/rules_fixture.h"

#include "core/constraints/verify_values.h"
#include "core/devmode_helpers/devmode_helpers.h"
#include "core/util/host_env.h"
#include "core/util/resource_module.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\HELPERS_TEST_LOG.txt");
}

namespace {

using rules_test::RulesFixture;

class HelpersTest : public RulesFixture
{
};

TEST_F(HelpersTest, CompareSettings)
{
    ASSERT_NE(nullptr, OpenSample());
    const DriverDevmode defaults = areas_->devmode;
    auto other = std::make_unique<DriverDevmode>(defaults);
    struct Case {
        const char *what;
        WORD functionId;
        LONG value;
        const WCHAR *stampName; /* set in the copy, or NULL */
        BOOL equal;
    };
    static const Case cases[] = {
        {"dmPaperLength is not compared", FID_PAPER_LENGTH, 1234, nullptr, TRUE},
        {"dmCopies is", FID_COPIES, 7, nullptr, FALSE},
        {"a never-compared private setting", FID_SECURITY_MARKING, 1, nullptr, TRUE},
        {"a compared private setting", FID_COLOR_MODE, 1, nullptr, FALSE},
        {"a second-part setting", FID_CUSTOM_WIDTH, 1500, nullptr, FALSE},
        {"stamp settings without names", 300, 1, nullptr, TRUE},
        {"stamp settings with a name", 300, 1, TEXT("Draft"), FALSE},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        areas_->devmode = defaults;
        Set(c.functionId, c.value);
        if (c.stampName)
            SetText(FID_STAMP_NAME, c.stampName);
        EXPECT_EQ(c.equal, dm_CompareSettings(&areas_->devmode, other.get(), &areas_->block));
    }
    EXPECT_FALSE(dm_CompareSettings(nullptr, other.get(), &areas_->block));
}

TEST_F(HelpersTest, HeaderValid)
{
    ASSERT_NE(nullptr, OpenSample());
    EXPECT_TRUE(dm_IsDevmodeHeaderValid(&areas_->devmode));
    EXPECT_FALSE(dm_IsDevmodeHeaderValid(nullptr));
    struct Case {
        WORD functionId;
        LONG value;
    };
    static const Case cases[] = {
        {FID_SPEC_VERSION, 1024}, {FID_SIZE, 156}, {FID_DRIVER_EXTRA, 0}, {FID_PRIVATE_VERSION, 0x5100}};
    const DriverDevmode defaults = areas_->devmode;
    for (const Case &c : cases) {
        areas_->devmode = defaults;
        Set(c.functionId, c.value);
        EXPECT_FALSE(dm_IsDevmodeHeaderValid(&areas_->devmode)) << c.functionId;
    }
}

TEST_F(HelpersTest, EffectiveValues)
{
    ASSERT_NE(nullptr, OpenSample());
    const DriverDevmode defaults = areas_->devmode;
    const PrinterDataBlock defaultBlock = areas_->block;
    struct Case {
        WORD functionId;
        WORD control;
        LONG controlValue;
        bool kept;
        DWORD zeroWidth;
    };
    static const Case cases[] = {
        {278, FID_COLOR_MODE, 1, false, 2},
        {281, FID_COLOR_MODE, 2, true, 0},
        {FID_COMPONENT_291, FID_COLOR_MODE, 1, false, 2},
        {273, FID_OS_293, 2, true, 0},
        {273, FID_OS_293, 3, false, 4},
        {276, FID_OS_293, 4, true, 0},
        {276, FID_OS_293, 1, false, 2},
        {288, FID_OS_293, 0, false, 2},
        {1303, FID_OS_293, 4, true, 0},
        {1304, FID_OS_293, 1, false, 4},
        {1833, FID_OS_293, 1, false, 4},
        {400, FID_COLOR_MODE, 1, false, 4},
        {392, FID_COLOR_MODE, 2, true, 0},
        {1317, FID_COLOR_MODE, 1, false, 4},
        {454, FID_COLOR_MODE, 1, true, 0},
        {454, FID_COLOR_MODE, 2, false, 1},
        {1308, FID_COLOR_MODE, 0, false, 4},
        {1311, FID_COLOR_MODE, 1, true, 0},
        {1318, FID_COLOR_MODE, 2, false, 4},
        {1307, FID_PRIVATE_271, 8, true, 0},
        {1307, FID_PRIVATE_271, 7, false, 4},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.functionId << " " << c.controlValue);
        areas_->devmode = defaults;
        areas_->block = defaultBlock;
        Set(FID_OS_293, 2);
        Set(FID_COLOR_MODE, 2);
        Set(c.control, c.controlValue);
        if (c.functionId != 1833)
            Set(c.functionId, 1);
        else
            SetText(c.functionId, TEXT("profile"));
        WORD type = 0;
        DWORD size = 0;
        DWORD_PTR value = 0;
        ASSERT_EQ(0, dma_QueryEffectiveValue(c.functionId, &areas_->devmode, &areas_->block, &type, &size, &value));
        if (c.kept) {
            EXPECT_NE(0u, value);
        } else {
            EXPECT_EQ(0u, value);
            EXPECT_EQ(c.zeroWidth, size);
        }
    }

    /* 346 by the resolution, 8205 by 336. */
    areas_->devmode = defaults;
    areas_->block = defaultBlock;
    Set(FID_OUTLINE_MIN_SIZE, 5);
    Set(FID_JOB_PDL_VERSION, 0x1010903);
    EffectiveNumberRequest n346 = {&areas_->devmode, &areas_->block, FID_OUTLINE_MIN_SIZE};
    EffectiveNumberRequest n8205 = {&areas_->devmode, &areas_->block, FID_JOB_PDL_VERSION};
    Set(FID_PRINT_QUALITY, 600);
    EXPECT_EQ(5, dma_GetEffectiveNumber(&n346));
    Set(FID_PRINT_QUALITY, 1200);
    EXPECT_EQ(0, dma_GetEffectiveNumber(&n346));
    Set(FID_STORED_JOB, 0);
    EXPECT_EQ(0x1010903, dma_GetEffectiveNumber(&n8205));
    Set(FID_STORED_JOB, 1);
    EXPECT_EQ(0x1010802, dma_GetEffectiveNumber(&n8205));

    /* Texts are places: -1; so are failures. */
    EffectiveNumberRequest text = {&areas_->devmode, &areas_->block, FID_STAMP_TEXT};
    EXPECT_EQ(-1, dma_GetEffectiveNumber(&text));
    EffectiveNumberRequest none = {&areas_->devmode, &areas_->block, 20000};
    EXPECT_EQ(-1, dma_GetEffectiveNumber(&none));
    EXPECT_EQ(-1, dma_GetEffectiveNumber(nullptr));
    WORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(3, dma_QueryEffectiveValue(FID_COPIES, &areas_->devmode, &areas_->block, &type, &size, nullptr));
    /* A zeroed byte setting read back as a number: zero-extended from its width. */
    Set(FID_COLOR_MODE, 1);
    Set(FID_PRIVATE_454, 200);
    EffectiveNumberRequest n454 = {&areas_->devmode, &areas_->block, FID_PRIVATE_454};
    EXPECT_EQ(200, dma_GetEffectiveNumber(&n454));
}

TEST_F(HelpersTest, SmallHelpers)
{
    struct Preset {
        int key, index;
        BOOL ok;
        COLORREF color;
    };
    static const Preset presets[] = {
        {1, -1, TRUE, 0x000033FF},
        {7, -1, TRUE, 0x00000000},
        {0, -1, FALSE, 0},
        {8, -1, FALSE, 0},
        {0, 0, TRUE, 0x000033FF},
        {99, 5, TRUE, 0x0093518D},
        {0, 6, TRUE, 0x00000000},
        {0, 7, FALSE, 0},
        {0, -2, FALSE, 0},
    };
    for (const Preset &p : presets) {
        COLORREF color = 0xDEADBEEF;
        EXPECT_EQ(p.ok, opt_GetPresetColor(p.key, &color, p.index)) << p.key << " " << p.index;
        EXPECT_EQ(p.ok ? p.color : 0xDEADBEEF, color);
    }
    EXPECT_FALSE(opt_GetPresetColor(1, nullptr, -1));

    DWORD blocks = qmt_LiveGlobalBlocks();
    ItemCheckTable *table = opt_AllocItemCheckTable();
    ASSERT_NE(nullptr, table);
    EXPECT_EQ(800u, GlobalSize(table));
    EXPECT_EQ(0u, table->rows[99].flag);
    GlobalFree(table);
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(-1, ddd_GetColorKind(nullptr));
}

TEST_F(HelpersTest, ColourKindByEntry5)
{
    struct Case {
        const char *entry;
        int kind;
    };
    static const Case cases[] = {{"  5: 0 ", -1}, {"  5: 2 ", 2}, {"  5: 18 ", 1}};
    for (const Case &c : cases) {
        std::string printer = std::string("P") + c.entry;
        std::u16string name(printer.begin(), printer.end());
        ASSERT_NE(nullptr, OpenSample({{"  5: 1 ", c.entry}}, (const WCHAR *)name.c_str()));
        EXPECT_EQ(c.kind, ddd_GetColorKind(context_)) << c.entry;
        CloseSample();
    }
}

TEST_F(HelpersTest, CollationByFeatureLevel)
{
    /* Capability 0x20000 present and 0x10000 absent: level 3, collation cleared. */
    ASSERT_NE(nullptr, OpenSample({{"26: 0x00400001", "26: 0x00420001"}}));
    Set(FID_FIELDS, (LONG)(Get(FID_FIELDS) | DM_COLLATE));
    EXPECT_TRUE(opt_RuleSyncCollateField(&areas_->devmode, &areas_->block, context_));
    EXPECT_EQ(0, Get(FID_FIELDS) & DM_COLLATE);
    EXPECT_FALSE(opt_RuleSyncCollateField(nullptr, &areas_->block, context_));
}

TEST_F(HelpersTest, UserPaperNames)
{
    ASSERT_NE(nullptr, OpenSample());
    for (WORD i = 0; i < 20; ++i)
        SetText((WORD)(FID_SLOT_NAME + i), TEXT(""));
    SetText(FID_SLOT_NAME + 3, TEXT("Photo"));
    WCHAR display[48] = {};
    util_FormatUserDefinedName(4, display, 48);
    std::u16string withDisplay = std::u16string(display) + u" extra";
    struct Case {
        WORD mode;
        const WCHAR *name;
        DWORD expected;
    };
    const Case cases[] = {
        {1, TEXT("Photo 10x15"), 0x10001},
        {1, TEXT("Phot"), 0x10000},
        {1, TEXT("Anything"), 0x10000}, /* empty slot names match nothing */
        {2, (const WCHAR *)withDisplay.c_str(), 0x20001},
        {2, TEXT("Photo"), 0x20000},
        {3, TEXT("Photo"), 0x30000},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.expected, opt_FindUserPaperName(c.mode, &areas_->devmode, &areas_->block, c.name)) << c.mode;
}

TEST_F(HelpersTest, PaperEntriesAndTheDevmodesPaperOption)
{
    ASSERT_NE(nullptr, OpenSample());
    FORM_INFO_1W *forms = nullptr;
    DWORD needed = 0, count = 0;
    ASSERT_EQ(1u, util_EnumFormsAlloc(printer_, &forms, &needed, &count));
    SetText(FID_SLOT_NAME, TEXT("Tabloid"));
    WCHAR name[PAPER_NAME_CHARS] = {};
    PaperMatch paper = {0, 0, 0, name};
    struct Case {
        WORD mode;
        DWORD index;
        BOOL found;
    };
    static const Case cases[] = {
        {PAPER_ENTRY_BY_NAME, 10, TRUE},     /* A5 */
        {PAPER_ENTRY_BY_NAME, 2, FALSE},     /* Tabloid: not a paper of the data */
        {PAPER_ENTRY_USER_OR_NAME, 2, TRUE}, /* but a user paper name */
        {PAPER_ENTRY_BY_NUMBER, 8, TRUE},    /* number 9 */
        {PAPER_ENTRY_BY_NUMBER, 9, FALSE},   /* number 10 */
        {2, 10, FALSE},
    };
    for (const Case &c : cases) {
        DWORD indexes[2] = {50, c.index};
        EXPECT_EQ(c.found,
                  opt_MatchPaperEntry(context_, &areas_->devmode, &areas_->block, c.mode, forms, indexes, 2, &paper))
            << c.mode << " " << c.index;
        if (c.found) {
            EXPECT_EQ(c.index + 1, paper.number);
            EXPECT_EQ(std::u16string(forms[c.index].pName), std::u16string(name));
        }
    }
    GlobalFree(forms);

    SetText(FID_FORM_NAME, TEXT("A5"));
    ASSERT_TRUE(opt_ResolvePaperOption(context_, &areas_->devmode, &areas_->block, &paper));
    EXPECT_EQ(11, paper.number);
    SetText(FID_FORM_NAME, TEXT("no such"));
    Set(FID_PAPER_WIDTH, 2159);
    Set(FID_PAPER_LENGTH, 2794);
    ASSERT_TRUE(opt_ResolvePaperOption(context_, &areas_->devmode, &areas_->block, &paper));
    EXPECT_EQ(1, paper.number);
    EXPECT_EQ(u"Letter", std::u16string(name));
    Set(FID_PAPER_WIDTH, 100);
    EXPECT_FALSE(opt_ResolvePaperOption(context_, &areas_->devmode, &areas_->block, &paper));
}

} // namespace
