/*
 * The rule driver and the single rules it runs: each step with its condition on and off,
 * their order, the field map in use or not, and a failing step that stops the rest.
 */
#include "core/rules/tests/rules_fixture.h"

#include "core/devmode_helpers/devmode_helpers.h"

#include <functional>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\RULES_TEST_LOG.txt");
}

namespace {

using rules_test::HandMap;
using rules_test::RulesFixture;

enum : LONG { PAIR_600 = 600 * 65536 + 600, PAIR_1200 = 1200 * 65536 + 1200, PAIR_400 = 400 * 65536 + 400 };

class RuleDriverTest : public RulesFixture
{
public:
    /* One run over output (the areas) and an input made from them. */
    struct Run {
        DWORD supported = 0xFFFFFFFF;
        DWORD inputFields = 0;
        WORD command = HC_VALIDATE;
        BOOL map = FALSE;
        HANDLE printer = nullptr; /* the test's printer unless set */
        BOOL noPrinter = FALSE;
    };
    BOOL RunRules(const Run &run)
    {
        DependentRulesRequest request = {context_,
                                         &areas_->devmode,
                                         input_.get(),
                                         &areas_->block,
                                         run.noPrinter ? nullptr : printer_,
                                         run.supported,
                                         run.inputFields,
                                         run.command,
                                         run.map};
        return opt_RunDependentRules(&request);
    }
    void MakeInput()
    {
        input_ = std::make_unique<DriverDevmode>(areas_->devmode);
    }
    void SetInput(WORD functionId, LONG value)
    {
        WORD type = 0;
        DWORD size = 0;
        DWORD_PTR current = 0;
        ASSERT_EQ(0, dma_GetFunctionValue(functionId, input_.get(), &areas_->block, &type, &size, &current));
        DWORD_PTR slot = 0;
        dma_StoreValueInSlot(type, &slot, &value);
        ASSERT_EQ(0, dma_SetFunctionValue(functionId, input_.get(), &areas_->block, type, size, &slot));
    }
    std::unique_ptr<DriverDevmode> input_;
};

TEST_F(RuleDriverTest, EachStepWithItsConditionOnAndOff)
{
    ASSERT_NE(nullptr, OpenSample());
    const DriverDevmode defaults = areas_->devmode;
    const PrinterDataBlock defaultBlock = areas_->block;
    HandMap map;
    map.tables[FIELD_MAP_COLOR].mode = 1;
    map.tables[FIELD_MAP_MEDIA].merge = 1;

    struct Case {
        const char *what;
        std::function<void(RuleDriverTest &, Run &)> setup;
        std::function<void(RuleDriverTest &)> check;
    };
    const std::vector<Case> cases = {
        {"1: no source, private automatic",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_DEFAULT_SOURCE, 0);
             t.Set(FID_PAPER_SOURCE, 258);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(7, t.Get(FID_DEFAULT_SOURCE)); }},
        {"1: no source, private tray",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_DEFAULT_SOURCE, -3);
             t.Set(FID_PAPER_SOURCE, 257);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(15, t.Get(FID_DEFAULT_SOURCE)); }},
        {"1: a source is kept",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_DEFAULT_SOURCE, 4);
             t.Set(FID_PAPER_SOURCE, 258);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(4, t.Get(FID_DEFAULT_SOURCE)); }},
        {"9 after 1: the fixed source copied back",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_DEFAULT_SOURCE, 0);
             t.Set(FID_PAPER_SOURCE, 258);
             t.Set(FID_SOURCE_CHOICE, 1);
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(7, t.Get(FID_DEFAULT_SOURCE));
             EXPECT_EQ(7, t.Get(FID_PAPER_SOURCE));
         }},
        {"9: 457 at 2 copies nothing back",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_DEFAULT_SOURCE, 4);
             t.Set(FID_PAPER_SOURCE, 258);
             t.Set(FID_SOURCE_CHOICE, 2);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(258, t.Get(FID_PAPER_SOURCE)); }},
        {"9: source 15 is not copied back",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_DEFAULT_SOURCE, 15);
             t.Set(FID_PAPER_SOURCE, 257);
             t.Set(FID_SOURCE_CHOICE, 1);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(257, t.Get(FID_PAPER_SOURCE)); }},
        {"2: the input's paper when asked",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_PAPER_SIZE, 11);
             run.inputFields = DM_PAPERSIZE;
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(11, t.Get(FID_PAPER_SIZE));
             EXPECT_EQ(1480, t.Get(FID_PAPER_WIDTH));
             EXPECT_EQ(u"A5", t.Text(FID_FORM_NAME));
         }},
        {"2: not asked for by the input",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_PAPER_SIZE, 11);
             run.inputFields = DM_ORIENTATION;
         },
         [](RuleDriverTest &t) { EXPECT_EQ(9, t.Get(FID_PAPER_SIZE)); }},
        {"2: not supported",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_PAPER_SIZE, 11);
             run.inputFields = DM_PAPERSIZE;
             run.supported = ~(DWORD)RULE_PAPER_FIELDS;
         },
         [](RuleDriverTest &t) { EXPECT_EQ(9, t.Get(FID_PAPER_SIZE)); }},
        {"3: a known quality pair, command 2",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_QUALITY_PAIR, PAIR_1200);
             run.inputFields = DM_PRINTQUALITY;
             t.Set(FID_FIELDS, (LONG)(t.Get(FID_FIELDS) & ~(DM_PRINTQUALITY | DM_YRESOLUTION)));
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(PAIR_1200, t.Get(FID_QUALITY_PAIR));
             EXPECT_EQ(DM_PRINTQUALITY | DM_YRESOLUTION, t.Get(FID_FIELDS) & (DM_PRINTQUALITY | DM_YRESOLUTION));
         }},
        {"3: an unknown pair changes nothing",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_QUALITY_PAIR, PAIR_400);
             run.inputFields = DM_YRESOLUTION;
             t.Set(FID_FIELDS, (LONG)(t.Get(FID_FIELDS) & ~(DM_PRINTQUALITY | DM_YRESOLUTION)));
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(PAIR_600, t.Get(FID_QUALITY_PAIR));
             EXPECT_EQ(0, t.Get(FID_FIELDS) & (DM_PRINTQUALITY | DM_YRESOLUTION));
         }},
        {"3: command 16 with a device-independent quality",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_PRINT_QUALITY, -3);
             run.inputFields = DM_PRINTQUALITY;
             run.command = HC_VALIDATE2;
             t.Set(FID_FIELDS, (LONG)(t.Get(FID_FIELDS) & ~(DM_PRINTQUALITY | DM_YRESOLUTION)));
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(PAIR_600, t.Get(FID_QUALITY_PAIR));
             EXPECT_EQ(0, t.Get(FID_FIELDS) & (DM_PRINTQUALITY | DM_YRESOLUTION));
         }},
        {"3: command 16 with 1200",
         [](RuleDriverTest &t, Run &run) {
             t.MakeInput();
             t.SetInput(FID_PRINT_QUALITY, 1200);
             run.inputFields = DM_PRINTQUALITY;
             run.command = HC_VALIDATE2;
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(1200, t.Get(FID_PRINT_QUALITY));
             EXPECT_EQ(1200, t.Get(FID_Y_RESOLUTION));
         }},
        {"4: bitmap TrueType turns substitution on",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_TT_OPTION, 1);
             t.Set(FID_FONT_SUBSTITUTION, 0);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(1, t.Get(FID_FONT_SUBSTITUTION)); }},
        {"4: another option keeps substitution off",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_TT_OPTION, 2);
             t.Set(FID_FONT_SUBSTITUTION, 0);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(0, t.Get(FID_FONT_SUBSTITUTION)); }},
        {"4: another option makes substitution 2",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_TT_OPTION, 2);
             t.Set(FID_FONT_SUBSTITUTION, 1);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(2, t.Get(FID_FONT_SUBSTITUTION)); }},
        {"5: map in use, colour dmColor gives colour mode 2",
         [](RuleDriverTest &t, Run &run) {
             run.map = TRUE;
             t.Set(FID_COLOR, 2);
             t.Set(FID_COLOR_MODE, 1);
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(2, t.Get(FID_COLOR_MODE));
             EXPECT_EQ(2, t.Get(FID_COLOR));
         }},
        {"5: map not in use",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_COLOR, 2);
             t.Set(FID_COLOR_MODE, 1);
             t.Set(FID_COLOR_345, 1);
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(1, t.Get(FID_COLOR_MODE));
             EXPECT_EQ(1, t.Get(FID_COLOR)); /* step 6 from 345 and 270 */
         }},
        {"6 after 5: 5202 forces monochrome over the map",
         [](RuleDriverTest &t, Run &run) {
             run.map = TRUE;
             t.Set(FID_COLOR, 2);
             t.Set(FID_FINISHING_OFF_5202, 1);
             t.Set(FID_COLOR_345, 1);
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(1, t.Get(FID_COLOR_MODE));
             EXPECT_EQ(1, t.Get(FID_COLOR));
             EXPECT_EQ(DM_COLOR, t.Get(FID_FIELDS) & DM_COLOR);
         }},
        {"6: dmColor colour unless both are 1",
         [](RuleDriverTest &t, Run &) {
             t.Set(FID_COLOR_MODE, 1);
             t.Set(FID_COLOR_345, 0);
             t.Set(FID_FIELDS, (LONG)(t.Get(FID_FIELDS) & ~DM_COLOR));
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(2, t.Get(FID_COLOR));
             EXPECT_EQ(DM_COLOR, t.Get(FID_FIELDS) & DM_COLOR);
         }},
        {"7: scale announced",
         [](RuleDriverTest &t, Run &) { t.Set(FID_SCALE_ANNOUNCED, 1); },
         [](RuleDriverTest &t) { EXPECT_EQ(DM_SCALE, t.Get(FID_FIELDS) & DM_SCALE); }},
        {"7: scale not announced",
         [](RuleDriverTest &t, Run &) { t.Set(FID_SCALE_ANNOUNCED, 0); },
         [](RuleDriverTest &t) { EXPECT_EQ(0, t.Get(FID_FIELDS) & DM_SCALE); }},
        {"8: collation by the feature level (1 for the sample)",
         [](RuleDriverTest &t, Run &) { t.Set(FID_FIELDS, (LONG)(t.Get(FID_FIELDS) & ~DM_COLLATE)); },
         [](RuleDriverTest &t) { EXPECT_EQ(DM_COLLATE, t.Get(FID_FIELDS) & DM_COLLATE); }},
        {"10: system colour matching",
         [](RuleDriverTest &t, Run &) { t.Set(FID_OS_293, 3); },
         [](RuleDriverTest &t) {
             EXPECT_EQ(2, t.Get(FID_ICM_METHOD));
             EXPECT_EQ(DM_ICMMETHOD, t.Get(FID_FIELDS) & DM_ICMMETHOD);
         }},
        {"10: none otherwise",
         [](RuleDriverTest &t, Run &) { t.Set(FID_OS_293, 2); },
         [](RuleDriverTest &t) { EXPECT_EQ(1, t.Get(FID_ICM_METHOD)); }},
        {"11: media copied with the map in use",
         [](RuleDriverTest &t, Run &run) {
             run.map = TRUE;
             run.inputFields = DM_MEDIATYPE;
             t.Set(FID_MEDIA_TYPE, 3);
         },
         [](RuleDriverTest &t) {
             EXPECT_EQ(3, t.Get(FID_MANUAL_TRAY));
             EXPECT_EQ(3, t.Get(FID_MEDIA_453));
         }},
        {"11: not asked for",
         [](RuleDriverTest &t, Run &run) {
             run.map = TRUE;
             t.Set(FID_MEDIA_TYPE, 3);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(0, t.Get(FID_MEDIA_453)); }},
        {"11: map not in use",
         [](RuleDriverTest &t, Run &run) {
             run.inputFields = DM_MEDIATYPE;
             t.Set(FID_MEDIA_TYPE, 3);
         },
         [](RuleDriverTest &t) { EXPECT_EQ(0, t.Get(FID_MEDIA_453)); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        areas_->devmode = defaults;
        areas_->block = defaultBlock;
        input_.reset();
        Run run;
        c.setup(*this, run);
        if (!input_)
            MakeInput();
        context_->fieldMap = run.map ? &map.map : nullptr;
        EXPECT_TRUE(RunRules(run));
        c.check(*this);
    }
    context_->fieldMap = nullptr;
}

TEST_F(RuleDriverTest, AFailingStepStopsTheRest)
{
    ASSERT_NE(nullptr, OpenSample());
    Set(FID_DEFAULT_SOURCE, 0);
    Set(FID_PAPER_SOURCE, 258);
    Set(FID_TT_OPTION, 1);
    Set(FID_FONT_SUBSTITUTION, 0);
    MakeInput();
    SetInput(FID_PAPER_SIZE, 11);
    Run run;
    run.inputFields = DM_PAPERSIZE;
    run.noPrinter = TRUE; /* the forms cannot be listed: step 2 fails */
    EXPECT_FALSE(RunRules(run));
    EXPECT_EQ(7, Get(FID_DEFAULT_SOURCE));    /* step 1 ran */
    EXPECT_EQ(9, Get(FID_PAPER_SIZE));        /* step 2 wrote nothing */
    EXPECT_EQ(0, Get(FID_FONT_SUBSTITUTION)); /* step 4 never ran */
    DependentRulesRequest none = {};
    EXPECT_FALSE(opt_RunDependentRules(&none));
    EXPECT_FALSE(opt_RunDependentRules(nullptr));
}

TEST_F(RuleDriverTest, SingleRulesOfTheSheets)
{
    ASSERT_NE(nullptr, OpenSample());
    DriverDevmode *dm = &areas_->devmode;
    PrinterDataBlock *block = &areas_->block;

    /* The TrueType option from 292. */
    TrueTypeRuleRequest tt = {dm, block, FID_FONT_SUBSTITUTION};
    Set(FID_FONT_SUBSTITUTION, 1);
    EXPECT_TRUE(opt_RuleSyncTrueTypeOption(&tt));
    EXPECT_EQ(1, Get(FID_TT_OPTION));
    Set(FID_FONT_SUBSTITUTION, 2);
    EXPECT_TRUE(opt_RuleSyncTrueTypeOption(&tt));
    EXPECT_EQ(3, Get(FID_TT_OPTION));

    /* Paper dimension bits by 1331. */
    Set(FID_PAPER_DIMS_ANNOUNCED, 1);
    EXPECT_TRUE(opt_RuleSyncPaperDimFields(dm));
    EXPECT_EQ(DM_PAPERLENGTH | DM_PAPERWIDTH, Get(FID_FIELDS) & (DM_PAPERLENGTH | DM_PAPERWIDTH));
    Set(FID_PAPER_DIMS_ANNOUNCED, 0);
    EXPECT_TRUE(opt_RuleSyncPaperDimFields(dm));
    EXPECT_EQ(0, Get(FID_FIELDS) & (DM_PAPERLENGTH | DM_PAPERWIDTH));

    /* The default source from 265, unless 258 or under 457 at 0. */
    Set(FID_SOURCE_CHOICE, 1);
    Set(FID_PAPER_SOURCE, 257);
    EXPECT_TRUE(opt_RuleSyncDefaultSource(dm, block));
    EXPECT_EQ(257, Get(FID_DEFAULT_SOURCE));
    Set(FID_PAPER_SOURCE, 258);
    EXPECT_TRUE(opt_RuleSyncDefaultSource(dm, block));
    EXPECT_EQ(257, Get(FID_DEFAULT_SOURCE));
    Set(FID_SOURCE_CHOICE, 0);
    Set(FID_PAPER_SOURCE, 4);
    EXPECT_TRUE(opt_RuleSyncDefaultSource(dm, block));
    EXPECT_EQ(257, Get(FID_DEFAULT_SOURCE));

    /* The used component mask: component 1 alone, or components 2-4 with 1314. */
    struct Mask {
        LONG flag1314;
        WORD setting;
        LONG expected;
    };
    static const Mask masks[] = {
        {0, 0, 0},
        {0, 274, 7},
        {0, 278, 7},
        {0, 286, 0},
        {0, 275, 0},
        {1, 275, 1},
        {1, 280, 2},
        {1, 285, 4},
        {1, 274, 0},
    };
    for (const Mask &m : masks) {
        for (WORD id = 274; id <= 285; ++id)
            Set(id, 0);
        Set(FID_COMPONENTS_2_TO_4, m.flag1314);
        if (m.setting)
            Set(m.setting, 1);
        EXPECT_TRUE(opt_RuleSetUsedComponentMask(dm, block));
        EXPECT_EQ(m.expected, Get(FID_USED_COMPONENT_MASK)) << m.flag1314 << " " << m.setting;
    }
}

TEST_F(RuleDriverTest, PublicFieldsAndTheDriverHeader)
{
    ASSERT_NE(nullptr, OpenSample());
    DriverDevmode *dm = &areas_->devmode;
    EXPECT_TRUE(opt_IsDriverDevmodeHeader(context_, dm, &areas_->block));
    EXPECT_FALSE(opt_IsDriverDevmodeHeader(context_, nullptr, &areas_->block));
    SetText(FID_MODEL_NAME, TEXT("Another model"));
    EXPECT_FALSE(opt_IsDriverDevmodeHeader(context_, dm, &areas_->block));
    SetText(FID_MODEL_NAME, TEXT("Model 50-C/1"));
    dm->dm.dmDriverExtra = 100; /* fails at 5, before the private part is read */
    EXPECT_FALSE(opt_IsDriverDevmodeHeader(context_, dm, &areas_->block));
    dm->dm.dmDriverExtra = 1384;

    struct Field {
        WORD functionId;
        WORD dmSize;
        LONG value;
        BOOL accepted;
    };
    static const Field fields[] = {
        {FID_COPIES, 220, 5, TRUE},
        {FID_COPIES, 220, 0, FALSE},
        {FID_COPIES, 220, 1000, FALSE},
        {FID_ORIENTATION, 220, 3, FALSE},
        {FID_ICM_METHOD, 212, 1, TRUE},
        {FID_ICM_METHOD, 188, 1, FALSE},
        {FID_MEDIA_TYPE, 156, 0, FALSE},
        {FID_PAPER_SIZE, 156, 999, TRUE}, /* not tested here */
    };
    for (const Field &f : fields) {
        auto input = std::make_unique<DriverDevmode>(*dm);
        Set(f.functionId, f.value);
        input->dm = dm->dm;
        input->dm.dmSize = f.dmSize;
        EXPECT_EQ(f.accepted, opt_ValidatePublicField(f.functionId, context_, input.get(), &areas_->block, HC_VALIDATE))
            << f.functionId << " " << f.dmSize << " " << f.value;
    }
}

} // namespace
