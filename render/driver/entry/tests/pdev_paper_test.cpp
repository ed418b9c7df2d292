/*
 * The papers of a PDEV over a model made for the paper rules: the page by number, by
 * default, by its own size and by form name, with the record's margins, the margin rule or
 * a spooler form's imageable area; the output paper by its number, by the page's name or
 * from the default paper; the fax settings a reset carries on this fax model. And the
 * sample model itself, with its device font.
 */
#include <gtest/gtest.h>
#include <windows.h>
#include <winddi.h>
#include <winspool.h>

#include <string.h>

#include <string>

#include "core/ddd/ddd.h"
#include "core/settings/function_ids.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/binding/pdev_settings.h"
#include "render/driver/entry/tests/pdev_fixture.h"
#include "render/driver/forms/pdev_paper.h"

namespace {

using pdev_test::Counts;
using pdev_test::Now;

// A form the paper tests add: 150 x 200 mm, imageable 5 mm in at the left, 6 mm at the top.
const WCHAR kTestForm[] = TEXT("Test card 150");

class PaperRuleTest : public pdev_test::PdevFixture
{
protected:
    PaperRuleTest() : PdevFixture(TEXT("QM Paper"), QM_PAPER_MODEL) {}
    void SetUp() override
    {
        PdevFixture::SetUp();
        FORM_INFO_1W form = {};
        form.pName = (LPWSTR)kTestForm;
        form.Size = {150000, 200000};
        form.ImageableArea = {5000, 6000, 145000, 190000};
        AddFormW(printer_, 1, (LPBYTE)&form); // kept from an earlier test when it fails
    }

    // The page asked by paper number, by its own size or by form name.
    void ByNumber(WORD number, bool withField = true)
    {
        Dm()->dmPaperSize = (short)number;
        if (!withField) {
            Dm()->dmFields &= ~(DWORD)DM_PAPERSIZE;
        }
    }
    void BySize(short width, short length)
    {
        Dm()->dmFields |= DM_PAPERWIDTH | DM_PAPERLENGTH;
        Dm()->dmPaperWidth = width;
        Dm()->dmPaperLength = length;
    }
    void ByForm(const char16_t *name)
    {
        Dm()->dmFields |= DM_FORMNAME;
        memset(Dm()->dmFormName, 0, sizeof Dm()->dmFormName);
        memcpy(Dm()->dmFormName, name, std::char_traits<char16_t>::length(name) * sizeof(WCHAR));
    }
};

// A paper's name, size and printable area in tenths of a millimetre.
struct Expected {
    const char16_t *name;
    LONG width, height, left, top, right, bottom;
};

// A PaperDescription measures in 1/18432 inch. One inch is 254 tenths of a millimetre, so
// a length of t tenths is t x 18432 / 254 units, the fraction dropped: A4's 2100 x 2970 is
// 152390 x 215523 (from 152390.55 and 215523.78), a margin of 42 is 3047 (3047.81).
LONG Units(LONG tenths)
{
    return (LONG)((long long)tenths * 18432 / 254);
}

void ExpectPaper(const PaperDescription &paper, const Expected &e, const char *what)
{
    EXPECT_EQ(std::u16string(e.name), std::u16string(paper.name)) << what;
    EXPECT_EQ(Units(e.width), paper.width) << what;
    EXPECT_EQ(Units(e.height), paper.height) << what;
    EXPECT_EQ(Units(e.left), paper.left) << what;
    EXPECT_EQ(Units(e.top), paper.top) << what;
    EXPECT_EQ(Units(e.right), paper.right) << what;
    EXPECT_EQ(Units(e.bottom), paper.bottom) << what;
}

// The key of a paper's description record, 0 without one.
WORD RecordKey(const PaperDescription &paper)
{
    return paper.record != nullptr ? ((const DddPaper *)paper.record)->head.key : 0;
}

// The A4 record: 2100 x 2970 with margins 42, 50, 43, 51.
const Expected kA4 = {u"A4", 2100, 2970, 42, 50, 2057, 2919};

TEST_F(PaperRuleTest, ThePageByNumberSizeOrFormName)
{
    struct Case {
        const char *what;
        char how; // 'n' number, 'd' number without DM_PAPERSIZE, 's' own size, 'f' form name
        WORD number;
        short width, length;
        const char16_t *form;
        DWORD paperList; // the trailer's device-paper-list value
        BYTE noMargins;  // setting 383
        Expected page;
        WORD record; // key of the page's description record
    };
    const Case cases[] = {
        {"fixed record by number", 'n', 9, 0, 0, nullptr, 0, 0, kA4, 9},
        {"fixed record without margins", 'n', 9, 0, 0, nullptr, 0, 1, {u"A4", 2100, 2970, 0, 0, 2100, 2970}, 9},
        {"no DM_PAPERSIZE: the model's default paper", 'd', 1, 0, 0, nullptr, 0, 0, kA4, 9},
        {"own size within 10 of A4 takes its margins",
         's',
         0,
         2105,
         2965,
         nullptr,
         0,
         0,
         {u"A4", 2105, 2965, 42, 50, 2062, 2914},
         9},
        // 11 tenths off: the custom-size margins, the image of 1800 centred, then aligned to 8.
        {"own size 11 off: the margin rule",
         's',
         0,
         2111,
         2970,
         nullptr,
         0,
         0,
         {u"", 2111, 2970, 163, 52, 1956, 2919},
         0},
        {"the margin rule ignores setting 383",
         's',
         0,
         2111,
         2970,
         nullptr,
         0,
         1,
         {u"", 2111, 2970, 163, 52, 1956, 2919},
         0},
        // The user-defined paper comes first but is skipped; the custom size is variable.
        {"near a variable paper: its name, the margin rule",
         's',
         0,
         905,
         1485,
         nullptr,
         0,
         0,
         {u"Custom size", 905, 1485, 43, 55, 862, 1434},
         262},
        {"form of the number, margin rule", 'n', 8, 0, 0, nullptr, 0, 0, {u"", 2970, 4200, 587, 600, 2385, 3600}, 0},
        {"form of the number, device paper list", 'n', 8, 0, 0, nullptr, 1, 0, {u"", 2970, 4200, 0, 0, 2970, 4200}, 0},
        {"own size of a form, device paper list",
         's',
         0,
         1500,
         2000,
         nullptr,
         1,
         0,
         {u"", 1500, 2000, 50, 60, 1450, 1900},
         0},
        {"form name with a fixed record", 'f', 1, 0, 0, u"A4", 0, 0, kA4, 9},
        {"form name without record, device paper list",
         'f',
         9,
         0,
         0,
         kTestForm,
         1,
         0,
         {kTestForm, 1500, 2000, 50, 60, 1450, 1900},
         0},
    };
    std::vector<BYTE> defaults = devmode_;
    Counts start = Now();
    for (const Case &c : cases) {
        devmode_ = defaults;
        switch (c.how) {
        case 'n': ByNumber(c.number); break;
        case 'd': ByNumber(c.number, false); break;
        case 's': BySize(c.width, c.length); break;
        default:
            ByNumber(c.number);
            ByForm(c.form);
            break;
        }
        SetTrailerPaperList(c.paperList);
        SetSetting(FID_NO_MARGINS, 8, 1, c.noMargins);
        PDEV *pdev = Enable(Dm());
        ASSERT_NE(pdev, nullptr) << c.what;
        ExpectPaper(pdev->paper[0], c.page, c.what);
        EXPECT_EQ(RecordKey(pdev->paper[0]), c.record) << c.what;
        DrvDisablePDEV((DHPDEV)pdev);
        EXPECT_TRUE(Now() == start) << c.what;
    }
}

TEST_F(PaperRuleTest, TheOutputPaper)
{
    struct Case {
        const char *what;
        WORD number;    // the page by number (0: by its own size 2111 x 2970)
        WORD output;    // setting 262
        WORD paperSize; // setting 8 for a page of its own size
        DWORD paperList;
        BYTE noMargins;
        Expected paper;
        WORD record;
        DWORD defaultPaper;
    };
    const Expected ownSize = {u"", 2111, 2970, 163, 52, 1956, 2919};
    const Case cases[] = {
        {"a record named like a form: the form's size",
         9,
         1,
         0,
         0,
         0,
         {u"Letter", 2159, 2794, 42, 50, 2116, 2743},
         1,
         0},
        {"the form's size without margins", 9, 1, 0, 0, 1, {u"Letter", 2159, 2794, 0, 0, 2159, 2794}, 1, 0},
        {"a fixed record of no form", 9, 301, 0, 0, 0, {u"Sample card", 1200, 1800, 30, 40, 1150, 1740}, 301, 0},
        {"a variable record is dropped: the page's record", 9, 262, 0, 0, 0, kA4, 9, 0},
        {"no output paper: the page's record", 9, 267, 0, 0, 0, kA4, 9, 0},
        {"a record without paper kind: the default paper", 300, 267, 0, 0, 0, kA4, 9, 1},
        {"no record of the page: the default paper", 0, 267, 9, 0, 0, kA4, 9, 1},
        {"a user-defined size: a copy of the page", 0, 267, 256, 0, 0, ownSize, 0, 0},
        {"the device paper list: a copy of the page", 0, 267, 9, 1, 0, ownSize, 0, 0},
    };
    std::vector<BYTE> defaults = devmode_;
    Counts start = Now();
    for (const Case &c : cases) {
        devmode_ = defaults;
        if (c.number != 0) {
            ByNumber(c.number);
        } else {
            BySize(2111, 2970);
            Dm()->dmPaperSize = (short)c.paperSize;
        }
        SetTrailerPaperList(c.paperList);
        SetSetting(FID_NO_MARGINS, 8, 1, c.noMargins);
        SetSetting(FID_OUTPUT_PAPER, 2, 2, c.output);
        PDEV *pdev = Enable(Dm());
        ASSERT_NE(pdev, nullptr) << c.what;
        ExpectPaper(pdev->paper[1], c.paper, c.what);
        EXPECT_EQ(RecordKey(pdev->paper[1]), c.record) << c.what;
        EXPECT_EQ(pdev->paper[1].defaultPaper, c.defaultPaper) << c.what;
        DrvDisablePDEV((DHPDEV)pdev);
        EXPECT_TRUE(Now() == start) << c.what;
    }
}

// Before the job's output has begun, a fax model's new PDEV keeps its own DEVMODE but
// takes the job's fax settings and its print mode from the old one.
TEST_F(PaperRuleTest, ResetBeforeOutputCarriesTheFaxSettings)
{
    PDEV *oldPdev = Enable(Dm());
    ASSERT_NE(oldPdev, nullptr);
    PDEV *newPdev = Enable(Dm());
    ASSERT_NE(newPdev, nullptr);
    ASSERT_TRUE(newPdev->faxModel);
    const WCHAR path[] = TEXT("C:\\fax\\send.tmp");
    const WCHAR *pathValue = path;
    WORD destinations = 3;
    BYTE coverOnly = 1;
    ASSERT_EQ(dma_CallSetValue(380, &oldPdev->devmode, oldPdev->printerData, 3, 2, &destinations), 0);
    ASSERT_EQ(dma_CallSetValue(381, &oldPdev->devmode, oldPdev->printerData, 8, 1, &coverOnly), 0);
    ASSERT_EQ(dma_CallSetValue(375, &oldPdev->devmode, oldPdev->printerData, 6, sizeof path, &pathValue), 0);
    oldPdev->flags |= PDEV_FLAG_DOC_STARTED;
    ASSERT_TRUE(DrvResetPDEV((DHPDEV)oldPdev, (DHPDEV)newPdev));
    EXPECT_EQ(pdev_GetSetting32(newPdev, 380), 3u);
    EXPECT_EQ(pdev_GetSetting32(newPdev, 381), 1u);
    const WCHAR *carried = pdev_GetSettingString(newPdev, 375);
    ASSERT_NE(carried, nullptr);
    EXPECT_EQ(std::u16string(path), std::u16string(carried));
    EXPECT_EQ(newPdev->devmode.dm.dmPaperSize, 9); // its own DEVMODE otherwise
    newPdev->flags = 0;
    DrvDisablePDEV((DHPDEV)oldPdev);
    DrvDisablePDEV((DHPDEV)newPdev);
}

class SampleModelTest : public pdev_test::PdevFixture
{
protected:
    SampleModelTest() : PdevFixture(TEXT("QM Sample model"), QM_SAMPLE_MODEL) {}
};

// The shipped model enables, and its device font becomes the default fonts of DEVINFO.
TEST_F(SampleModelTest, EnablesWithItsDeviceFont)
{
    Counts start = Now();
    PDEV *pdev = Enable(Dm());
    ASSERT_NE(pdev, nullptr);
    EXPECT_EQ(info_.cFonts, 1u);
    EXPECT_EQ(std::u16string(u"Mono Device"), std::u16string(info_.lfDefaultFont.lfFaceName));
    EXPECT_EQ(info_.lfDefaultFont.lfHeight, 600 * 10 / -72);
    EXPECT_EQ(info_.lfDefaultFont.lfWeight, 400);
    EXPECT_EQ(info_.lfDefaultFont.lfPitchAndFamily, 0x31);
    EXPECT_EQ(std::u16string(u"Helvetica"), std::u16string(info_.lfAnsiVarFont.lfFaceName));
    EXPECT_EQ(info_.lfAnsiVarFont.lfPitchAndFamily, 0x22);
    EXPECT_EQ(info_.lfAnsiVarFont.lfHeight, info_.lfDefaultFont.lfHeight);
    EXPECT_EQ(std::u16string(u"Courier"), std::u16string(info_.lfAnsiFixFont.lfFaceName));
    EXPECT_EQ(info_.lfAnsiFixFont.lfPitchAndFamily, 0x31);
    EXPECT_EQ(info_.lfAnsiFixFont.lfCharSet, 0);
    EXPECT_EQ(gdi_.szlPhysSize.cx, 4961);
    DrvDisablePDEV((DHPDEV)pdev);
    EXPECT_TRUE(Now() == start);

    // Device fonts switched off: none counted, the default fonts all the same.
    SetSetting(FID_FONT_SUBSTITUTION, 8, 1, 1);
    pdev = Enable(Dm());
    ASSERT_NE(pdev, nullptr);
    EXPECT_EQ(info_.cFonts, 0u);
    EXPECT_EQ(std::u16string(u"Mono Device"), std::u16string(info_.lfDefaultFont.lfFaceName));
    DrvDisablePDEV((DHPDEV)pdev);

    // A default device font the model does not have fails the PDEV and leaves nothing.
    SetSetting(FID_DEFAULT_DEVICE_FONT, 3, 2, 0x1B);
    EXPECT_EQ(Enable(Dm()), nullptr);
    EXPECT_TRUE(Now() == start);
}

} // namespace
