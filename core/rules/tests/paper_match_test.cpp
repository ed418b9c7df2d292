/*
 * Paper matching against the printer's forms (the built-ins at their paper numbers, then
 * the forms added here), the reset from the printer's default, the form-name rule and the
 * paper centre offset.
 */
#include "core/rules/tests/rules_fixture.h"

#include "core/settings/setting_rules.h"

namespace {

using rules_test::HandList;
using rules_test::HandMap;
using rules_test::RulesFixture;

const WCHAR kFortyChars[] = TEXT("A form whose name has forty characters..");

class PaperMatchTest : public RulesFixture
{
public:
    void Forms()
    {
        AddPrinterForm(TEXT("A4 Tab"), 223000, 297000);
        AddPrinterForm(kFortyChars, 200000, 250000);
        AddPrinterForm(TEXT("Banner"), 210000, 900000); /* beyond the custom range */
        AddPrinterForm(TEXT("Card"), 120000, 180000);
    }
    /* The paper fields of the areas' DEVMODE. */
    void SetPaper(WORD paper, LONG width, LONG length, const WCHAR *name, DriverDevmode *dm = nullptr)
    {
        DriverDevmode *target = dm ? dm : &areas_->devmode;
        TestSettingsAreas *areas = areas_.get();
        DriverDevmode saved = areas->devmode;
        areas->devmode = *target;
        Set(FID_PAPER_SIZE, paper);
        Set(FID_PAPER_WIDTH, width);
        Set(FID_PAPER_LENGTH, length);
        SetText(FID_FORM_NAME, name);
        *target = areas->devmode;
        if (dm)
            areas->devmode = saved;
    }
    BOOL Match(DWORD mask, DriverDevmode *target = nullptr)
    {
        PaperRuleRequest request = {context_, target, &areas_->devmode, &areas_->block, printer_, mask};
        return opt_RuleMatchPaper(&request);
    }
};

TEST_F(PaperMatchTest, SizesNumbersAndNames)
{
    ASSERT_NE(nullptr, OpenSample());
    Forms();
    const DriverDevmode defaults = areas_->devmode;
    const DWORD dims = DM_PAPERLENGTH | DM_PAPERWIDTH;
    struct Case {
        const char *what;
        WORD paper;
        LONG width, length;
        const WCHAR *name;
        DWORD mask;
        LONG user5200;
        WORD expected;
        LONG width2, length2;
        const char16_t *name2;
        DWORD fieldsOn, fieldsOff;
    };
    static const Case cases[] = {
        {"A4 by size", 0, 2100, 2970, TEXT(""), dims, 0, 9, 2100, 2970, u"A4", 0, 0},
        {"one unit off each way", 0, 2110, 2960, TEXT(""), dims, 0, 9, 2100, 2970, u"A4", 0, 0},
        {"landscape", 0, 2970, 2100, TEXT(""), dims, 0, 9, 2100, 2970, u"A4", 0, 0},
        {"two units off: 256 without a name",
         0,
         2120,
         2970,
         TEXT("x"),
         dims,
         0,
         256,
         2120,
         2970,
         u"A4",
         dims,
         DM_FORMNAME},
        {"by number", 11, 0, 0, TEXT(""), DM_PAPERSIZE, 0, 11, 1480, 2100, u"A5", 0, 0},
        {"by name", 0, 0, 0, TEXT("Letter"), DM_FORMNAME, 0, 1, 2159, 2794, u"Letter", 0, 0},
        {"a form the data knows by size: its own name",
         0,
         0,
         0,
         TEXT("A4 Small"),
         DM_FORMNAME,
         0,
         9,
         2100,
         2970,
         u"A4",
         0,
         0},
        {"a form the data does not know, inside the range",
         0,
         0,
         0,
         TEXT("Card"),
         DM_FORMNAME,
         0,
         256,
         1200,
         1800,
         u"A4",
         dims,
         DM_FORMNAME},
        {"beyond the range: the target unchanged", 0, 0, 0, TEXT("A4 Tab"), DM_FORMNAME, 0, 9, 2100, 2970, u"A4", 0, 0},
        {"256 with 5200 on and both bits: its size kept",
         256,
         1000,
         2000,
         TEXT("mine"),
         dims | DM_PAPERSIZE,
         1,
         256,
         1000,
         2000,
         u"mine",
         dims,
         DM_FORMNAME},
        {"256 with 5200 off: by size", 256, 2100, 2970, TEXT(""), DM_PAPERSIZE, 0, 9, 2100, 2970, u"A4", 0, 0},
        {"256 with 5200 on, paper size only: no form 256, size kept",
         256,
         1000,
         2000,
         TEXT(""),
         DM_PAPERSIZE,
         1,
         256,
         1000,
         2000,
         u"",
         dims,
         DM_FORMNAME},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        areas_->devmode = defaults;
        Set(FID_USER_SIZE_ON, c.user5200);
        SetPaper(c.paper, c.width, c.length, c.name);
        Set(FID_FIELDS, (LONG)((DWORD)Get(FID_FIELDS) & ~(DWORD)(dims)));
        auto target = std::make_unique<DriverDevmode>(defaults);
        ASSERT_TRUE(Match(c.mask, target.get()));
        EXPECT_EQ(c.expected, Get(FID_PAPER_SIZE, target.get()));
        EXPECT_EQ(c.width2, Get(FID_PAPER_WIDTH, target.get()));
        EXPECT_EQ(c.length2, Get(FID_PAPER_LENGTH, target.get()));
        if (c.name2[0]) {
            EXPECT_EQ(c.name2, Text(FID_FORM_NAME, target.get()));
        }
        DWORD fields = (DWORD)Get(FID_FIELDS, target.get());
        EXPECT_EQ(c.fieldsOn, fields & c.fieldsOn);
        EXPECT_EQ(0u, fields & c.fieldsOff);
    }
}

TEST_F(PaperMatchTest, TheDimensionFlagFrom1353And1331)
{
    ASSERT_NE(nullptr, OpenSample());
    const DriverDevmode defaults = areas_->devmode;
    const DWORD dims = DM_PAPERLENGTH | DM_PAPERWIDTH;
    struct Case {
        LONG always, announced;
        DWORD expected;
    };
    static const Case cases[] = {{0, 0, 0}, {1, 0, dims}, {0, 1, dims}, {1, 1, dims}};
    for (const Case &c : cases) {
        areas_->devmode = defaults;
        Set(FID_PAPER_DIMS_ALWAYS, c.always);
        Set(FID_PAPER_DIMS_ANNOUNCED, c.announced);
        Set(FID_FIELDS, (LONG)((DWORD)Get(FID_FIELDS) & ~dims));
        SetPaper(11, 0, 0, TEXT(""));
        auto target = std::make_unique<DriverDevmode>(areas_->devmode);
        ASSERT_TRUE(Match(DM_PAPERSIZE, target.get()));
        EXPECT_EQ(11, Get(FID_PAPER_SIZE, target.get()));
        EXPECT_EQ(c.expected, (DWORD)Get(FID_FIELDS, target.get()) & dims) << c.always << c.announced;
    }
}

TEST_F(PaperMatchTest, NoPaperBitsAndNoMatch)
{
    ASSERT_NE(nullptr, OpenSample());
    Forms();
    /* No paper bit in the mask: nothing changes. */
    SetPaper(11, 1480, 2100, TEXT("A5"));
    EXPECT_TRUE(Match(DM_ORIENTATION));
    EXPECT_EQ(11, Get(FID_PAPER_SIZE));

    /* Two DEVMODEs and no match: the target stays as it was. */
    SetPaper(0, 0, 0, TEXT("Nothing like it"));
    auto target = std::make_unique<DriverDevmode>(areas_->devmode);
    SetPaper(11, 1480, 2100, TEXT("A5"), target.get());
    EXPECT_TRUE(Match(DM_FORMNAME, target.get()));
    EXPECT_EQ(11, Get(FID_PAPER_SIZE, target.get()));

    /* A banner outside the custom range matches nothing either. */
    SetPaper(0, 0, 0, TEXT("Banner"));
    EXPECT_TRUE(Match(DM_FORMNAME, target.get()));
    EXPECT_EQ(11, Get(FID_PAPER_SIZE, target.get()));

    /* One DEVMODE and no match, the printer without a stored DEVMODE: the defaults. */
    SetPaper(11, 1480, 2100, TEXT("Nothing like it"));
    EXPECT_TRUE(Match(DM_FORMNAME));
    EXPECT_EQ(9, Get(FID_PAPER_SIZE));
    EXPECT_EQ(2970, Get(FID_PAPER_LENGTH));
    EXPECT_EQ(2100, Get(FID_PAPER_WIDTH));
    EXPECT_EQ(u"A4", Text(FID_FORM_NAME));

    /* With a stored DEVMODE: its paper. */
    HANDLE admin = nullptr;
    PRINTER_DEFAULTSW access = {nullptr, nullptr, PRINTER_ALL_ACCESS};
    ASSERT_TRUE(OpenPrinterW((LPWSTR)TEXT("Sample"), &admin, &access));
    printers_.push_back(admin);
    auto stored = std::make_unique<DriverDevmode>(areas_->devmode);
    SetPaper(11, 1480, 2100, TEXT("A5"), stored.get());
    DWORD needed = 0;
    GetPrinterW(admin, 2, nullptr, 0, &needed);
    std::vector<BYTE> info(needed);
    ASSERT_TRUE(GetPrinterW(admin, 2, info.data(), needed, &needed));
    ((PRINTER_INFO_2W *)info.data())->pDevMode = &stored->dm;
    ASSERT_TRUE(SetPrinterW(admin, 2, info.data(), 0));
    SetPaper(9, 2100, 2970, TEXT("Nothing like it"));
    DWORD blocks = qmt_LiveGlobalBlocks();
    EXPECT_TRUE(Match(DM_FORMNAME));
    EXPECT_EQ(blocks, qmt_LiveGlobalBlocks());
    EXPECT_EQ(11, Get(FID_PAPER_SIZE));
    EXPECT_EQ(2100, Get(FID_PAPER_LENGTH));
    EXPECT_EQ(1480, Get(FID_PAPER_WIDTH));
    EXPECT_EQ(u"A5", Text(FID_FORM_NAME));
}

TEST_F(PaperMatchTest, TheDevicePaperListAcceptsFormsAndNamesAreCut)
{
    ASSERT_NE(nullptr, OpenSample());
    Forms();
    HandMap map(1, 1);
    HandList list;
    list.Add(9, u"A4", 210000, 297000, 9);
    list.Add(119, u"A4 Tab", 223000, 297000, 512, false);
    context_->fieldMap = &map.map;
    Set(FID_FIELD_MAP_SWITCH, 1);

    /* A 40-character form is accepted by its number as the list is in use; its name lands
       cut. */
    SetPaper(120, 0, 0, TEXT(""));
    auto target = std::make_unique<DriverDevmode>(areas_->devmode);
    EXPECT_TRUE(Match(DM_PAPERSIZE, target.get()));
    EXPECT_EQ(120, Get(FID_PAPER_SIZE, target.get()));
    EXPECT_EQ(std::u16string(kFortyChars).substr(0, 31), Text(FID_FORM_NAME, target.get()));

    /* The form-name rule reads the list's name of the paper id. */
    context_->paperList = handList_ = &list.list;
    SetPaper(512, 0, 0, TEXT(""));
    EXPECT_TRUE(opt_RuleSetFormNameFromPaper(context_, printer_, &areas_->devmode, &areas_->block));
    EXPECT_EQ(u"A4 Tab", Text(FID_FORM_NAME));
    EXPECT_EQ(119, Get(FID_PAPER_SIZE)); /* matched to the form: its number */
}

TEST_F(PaperMatchTest, TheFormNameRuleWithoutList)
{
    ASSERT_NE(nullptr, OpenSample());
    /* 262 is user slot 0: its name setting; 11 the paper record's name. */
    SetText(FID_SLOT_NAME, TEXT("My slot"));
    Set(FID_SLOT_WIDTH, 1000);
    Set(FID_SLOT_LENGTH, 2000);
    SetPaper(11, 0, 0, TEXT(""));
    EXPECT_TRUE(opt_RuleSetFormNameFromPaper(context_, printer_, &areas_->devmode, &areas_->block));
    EXPECT_EQ(u"A5", Text(FID_FORM_NAME));
    EXPECT_EQ(11, Get(FID_PAPER_SIZE));
    EXPECT_EQ(1480, Get(FID_PAPER_WIDTH));
}

TEST_F(PaperMatchTest, TheCustomRangeAndTheCentreOffset)
{
    ASSERT_NE(nullptr, OpenSample());
    DddSize low = {}, high = {};
    ASSERT_TRUE(opt_GetCustomPaperRange(context_, 262, &low, &high));
    EXPECT_EQ(816 + 42 + 43, low.width); /* imageable size plus both margin blocks */
    EXPECT_EQ(1380 + 50 + 51, low.height);
    EXPECT_EQ(2075 + 85, high.width);
    EXPECT_EQ(3456 + 101, high.height);
    EXPECT_FALSE(opt_GetCustomPaperRange(context_, 263, &low, &high));

    struct Case {
        LONG paper;
        LONG value;
        LONG expected;
    };
    Set(FID_SLOT_WIDTH, 3000); /* slot 0 holds 262 */
    Set(FID_SLOT_LENGTH, 1000);
    Set(FID_CUSTOM_WIDTH, 1200);
    Set(FID_CUSTOM_LENGTH, 3300);
    static const Case cases[] = {
        {9, 100, 1485 - 100},
        {267, 0, 1485},
        {262, 40, 1500 - 40},
        {256, 0, 1650},
        {11, -5, 1050 + 5},
    };
    for (const Case &c : cases) {
        Set(FID_OUTPUT_PAPER, c.paper);
        HalfEdgeRequest request = {&areas_->devmode, &areas_->block, context_->model, context_->base, c.value, 0};
        ASSERT_TRUE(opt_CalcHalfLongEdgeRemainder(&request)) << c.paper;
        EXPECT_EQ(c.expected, request.result) << c.paper;
    }
    Set(FID_OUTPUT_PAPER, 9);
    Set(FID_CENTRE_OFFSET, 85);
    HalfEdgeRequest request = {&areas_->devmode, &areas_->block, context_->model, context_->base, 0, 0};
    ASSERT_TRUE(opt_CalcSetting478Remainder(&request));
    EXPECT_EQ(1485 - 85, request.result);
    Set(FID_OUTPUT_PAPER, 99); /* no paper record */
    EXPECT_FALSE(opt_CalcHalfLongEdgeRemainder(&request));
    EXPECT_FALSE(opt_CalcHalfLongEdgeRemainder(nullptr));
}

} // namespace
