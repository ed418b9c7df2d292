/*
 * Page-setup sequences, blank sides and the page commands as bytes read back through the
 * independent decoder; recorded pages and their replay through the page store.
 */
#include <memory>

#include "core/jobtext/job_info.h"
#include "render/driver/page/tests/page_fixture.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/stream/output_stream.h"

namespace page_test {
namespace {

using writer_test::F;

// Whether a line of the listing starts with the opcode.
bool Has(const Lines &lines, const char *opcode)
{
    for (const std::string &line : lines)
        if (line.compare(0, 2, opcode) == 0)
            return true;
    return false;
}

std::string AaLine(const Matrix2x3 &m)
{
    return "Aa " + F(m.a) + " " + F(m.b) + " " + F(m.c) + " " + F(m.d) + " " + F(m.e) + " " + F(m.f);
}

TEST_F(PageTest, PaperCodeAndSizeOfTheOutputPaper)
{
    const DddSize small = {900, 1480}, large = {2159, 3556}, a4 = {2100, 2970};
    const struct {
        const char *paper;
        WORD kind;
        DddSize minimum, maximum;
        WORD width, length;
        LONG result;
        Lines commands;
    } cases[] = {
        {"A4 on a variable custom paper", 'Q', small, large, 2100, 2970, 0, {"Ec 1 2 5"}},
        {"other sizes keep the custom code",
         'Q',
         small,
         large,
         2100,
         2971,
         0,
         {"Ec 1 2 81 " + F(210.0f) + " " + F(297.1f)}},
        {"fixed paper with a letter code", 3, a4, a4, 2100, 2970, 0, {"Ec 1 2 3"}},
        {"fixed custom paper keeps its size", 'Q', a4, a4, 2100, 2970, 0, {"Ec 1 2 81 210 297"}},
        {"no paper kind: custom", 0, small, large, 1000, 1500, 0, {"Ec 1 2 81 100 150"}},
        {"variable paper with a letter code fails", 3, small, large, 2100, 2970, -1, {"Ec 1 2 81 210 297"}},
    };
    for (const auto &c : cases) {
        outputRecord_ = PaperDescriptionRecord(c.kind, c.minimum, c.maximum);
        setup().page.output = Paper(9, c.width, c.length);
        Mark();
        DWORD pages = pdev_->job.jobInfo->pageTable->used;
        EXPECT_EQ(pg_WriteSheetPageSetup(pdev_), c.result) << c.paper;
        EXPECT_EQ(Commands(), c.commands) << c.paper;
        // Each page size adds the page's record of the job information.
        EXPECT_EQ(pdev_->job.jobInfo->pageTable->used, pages + 1) << c.paper;
        const PageInfoEntry *entry = job_GetCurrentPageRecord(pdev_->job.jobInfo->pageTable);
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->sizeName[0] == '*', c.commands[0].find(" 81 ") != std::string::npos) << c.paper;
    }
}

TEST_F(PageTest, SheetColourCodeFollowsTheColourKindOnAutomatic)
{
    setup().snapshot.colorMode = 0;
    const struct {
        WORD kind;
        LONG result;
        BYTE code;
    } cases[] = {{0, 0, 1}, {1, 0, 1}, {2, 0, 2}, {3, -1, 0}};
    for (const auto &c : cases) {
        setup().colorKind = c.kind;
        BYTE code = 0;
        EXPECT_EQ(pg_GetSheetColorCode(pdev_, &code), c.result) << c.kind;
        EXPECT_EQ(code, c.code) << c.kind;
        EXPECT_EQ(setup().colorKind, c.result == 0 ? 2 : c.kind);
    }
}

TEST_F(PageTest, TrayCodeFromTheSourcesRecord)
{
    BYTE tray = 0;
    EXPECT_EQ(pg_GetTrayCode(pdev_, 258, &tray), 0);
    EXPECT_EQ(tray, 3);
    EXPECT_EQ(setup().lastPaperSource, 258);
    EXPECT_EQ(pg_GetTrayCode(pdev_, 300, &tray), -1) << "no record for the source";
    EXPECT_EQ(setup().lastPaperSource, 300) << "the last source is kept also on failure";
    pdev_->modelFile = nullptr;
    EXPECT_EQ(pg_GetTrayCode(pdev_, 7, &tray), -1);
    EXPECT_EQ(setup().lastPaperSource, 7);
}

TEST_F(PageTest, BlankSideEndsByVersion)
{
    const struct {
        DWORD version;
        const char *end;
    } cases[] = {{0x01020000, "FE 17"}, {0x0101FFFF, "FB"}};
    for (const auto &c : cases) {
        Version(c.version);
        gsc_ResetGraphics(writer_->cache); // each side sends its transform
        Mark();
        DWORD sides = setup().sidesOutput;
        ASSERT_EQ(pg_WriteBlankSide(pdev_, 258), 0);
        Lines lines = Commands();
        ASSERT_EQ(lines.size(), 4u) << testing::PrintToString(lines);
        EXPECT_EQ(lines[0], "Ec 3 3 5") << "blank colour code 3, tray of source 258";
        EXPECT_EQ(lines[1].substr(0, 3), "Aa ");
        EXPECT_EQ(lines[2], c.end);
        EXPECT_EQ(lines[3], "ED");
        EXPECT_EQ(setup().sidesOutput, sides + 1);
        EXPECT_EQ(pdev_->job.pageState & PAGE_STATE_SHEET_OPEN, 0);
    }
    EXPECT_EQ(setup().colorKind, 1) << "blank sides below 0x01020000 leave colour kind 1";
}

TEST_F(PageTest, PerPageDuplexWritesTheDuplexPairOnce)
{
    setup().snapshot.perPageDuplex = 1;
    const struct {
        LONG duplex;
        const char *pair;
    } cases[] = {{1, "FH 0 2"}, {2, "FH 1 2"}, {3, "FH 1 1"}};
    for (const auto &c : cases) {
        Set(16, c.duplex);
        setup().duplexSetting = 0;
        setup().page.output = Paper(11, 1480, 2100);
        Mark();
        ASSERT_EQ(pg_WriteBlankSide(pdev_, 257), 0);
        Lines lines = Commands();
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], c.pair);
        EXPECT_EQ(lines[1], "Ec 3 2 5") << "the page paper became the output paper";
        EXPECT_EQ(setup().duplexSetting, c.duplex);
    }
    setup().snapshot.paper267 = 1;
    Mark();
    ASSERT_EQ(pg_WriteBlankSide(pdev_, 257), 0);
    Lines same = Commands();
    EXPECT_FALSE(Has(same, "FH") || Has(same, "FC")) << "same paper: neither FH nor FC";
    EXPECT_TRUE(Has(same, "Ec"));
    setup().page.page = Paper(11, 1480, 2100);
    Mark();
    ASSERT_EQ(pg_WriteBlankSide(pdev_, 257), 0);
    Lines lines = Commands();
    EXPECT_EQ(lines[0], "FC") << "a paper change";
    setup().noPaperKind = 1;
    setup().page.page = Paper(9, 2100, 2970);
    Mark();
    ASSERT_EQ(pg_WriteBlankSide(pdev_, 257), 0);
    EXPECT_FALSE(Has(Commands(), "FC")) << "no FC for a paper without paper kind";
    setup().snapshot.driverLayout = 1;
    setup().duplexSetting = 0;
    Mark();
    ASSERT_EQ(pg_RefreshPerPageDuplex(pdev_), 0);
    EXPECT_TRUE(Commands().empty()) << "the driver lays out pages";
}

TEST_F(PageTest, SourceChangeFollowUp)
{
    Version(0x01010903);
    Mark();
    ASSERT_EQ(pg_FollowSourceChange(pdev_, 257, 2), 0);
    EXPECT_EQ(Commands(), (Lines{"FC"}));
    Version(0x01010902);
    setup().sidesOutput = 2;
    Mark();
    ASSERT_EQ(pg_FollowSourceChange(pdev_, 257, 2), 0);
    EXPECT_TRUE(Commands().empty()) << "no back face due";
    setup().sidesOutput = 3;
    ASSERT_EQ(pg_FollowSourceChange(pdev_, 257, 1), 0);
    EXPECT_TRUE(Commands().empty()) << "kind 1 writes no blank side";
    ASSERT_EQ(pg_FollowSourceChange(pdev_, 257, 2), 0);
    Lines blank = Commands();
    ASSERT_FALSE(blank.empty());
    EXPECT_EQ(blank.front().substr(0, 2), "Ec") << "a blank back face";
    EXPECT_EQ(blank.back(), "ED");
    EXPECT_EQ(setup().sidesOutput, 4u);
    EXPECT_EQ(jc_IsBackFaceDue(pdev_, 2), 0);
    EXPECT_EQ(jc_IsBackFaceDue(nullptr, 2), 0);
}

// Nothing is written before the job's output begins, nor for missing arguments.
TEST_F(PageTest, RefusedBeforeTheOutputBegins)
{
    const float size[2] = {210, 297};
    Matrix2x3 identity;
    geo_Identity(&identity);
    setup().snapshot.perPageDuplex = 1;
    for (PDEV *pdev : {pdev_, (PDEV *)nullptr}) {
        pdev_->job.pageState = PAGE_STATE_DOC_OPEN;
        Mark();
        EXPECT_EQ(pg_WriteSheetPageSetup(pdev), -1);
        EXPECT_EQ(pg_WriteSourcePageSetup(pdev, 257), -1);
        EXPECT_EQ(pg_WriteBlankSide(pdev, 257), -1);
        EXPECT_EQ(pg_FollowSourceChange(pdev, 257, 2), -1);
        EXPECT_EQ(pg_RefreshPerPageDuplex(pdev), -1);
        EXPECT_EQ(pg_EmitMediaChange(pdev), -1);
        EXPECT_EQ(pg_EmitFE(pdev, 17), -1);
        EXPECT_EQ(pg_SetDuplexBySetting(pdev, 1), -1);
        EXPECT_EQ(pg_WritePageSize(pdev, 1, 2, 5, size, 0), -1);
        EXPECT_EQ(pg_EndPageFB(pdev), -1);
        EXPECT_EQ(pg_EndPageED(pdev), -1);
        EXPECT_EQ(pg_ResetClip(pdev), -1);
        EXPECT_EQ(jc_SetTransform(pdev, nullptr), -1);
        EXPECT_TRUE(Commands().empty());
        EXPECT_EQ(pdev_->job.setup.sidesOutput, 0u);
    }
    pdev_->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN;
    EXPECT_EQ(jc_SetTransform(pdev_, &identity), 0) << "no sheet open: nothing to write";
    EXPECT_EQ(pg_WritePageSize(pdev_, 1, 2, 5, nullptr, 0), -1);
    EXPECT_TRUE(Commands().empty());
}

TEST_F(PageTest, PaperSourceOfASheet)
{
    const struct {
        const char *rule;
        LONG s457, s13, s265, pages;
        LONG outputMode, duplex, fits;
        WORD side;
        DWORD sides;
        WORD source;
        LONG outputModeAfter, cover;
    } cases[] = {
        {"tray setting", 0, 258, 7, 1, 0, 1, 1, 0, 0, 258, 0, 0},
        {"tray 15 defers to 265", 0, 15, 4, 1, 0, 1, 1, 0, 0, 4, 0, 0},
        {"a tray ends output mode 1", 0, 258, 7, 1, 1, 1, 1, 0, 0, 258, 0, 0},
        {"setting 457 = 2 takes 265", 2, 258, 4, 1, 1, 1, 1, 0, 0, 264, 1, 0},
        {"265 = 258 defers to 13", 2, 257, 258, 1, 1, 1, 1, 0, 0, 257, 0, 0},
        {"refused output source sets the cover flag", 2, 258, 4, 1, 1, 2, 0, 0, 0, 264, 1, 1},
        {"one-sided later side leaves output mode", 2, 258, 4, 1, 1, 1, 1, 0, 3, 4, 0, 0},
        {"back side without cover keeps output source", 2, 258, 4, 1, 1, 2, 1, 1, 1, 264, 1, 0},
        {"N-up takes the first source", 2, 258, 5, 4, 0, 1, 1, 0, 2, 100, 0, 0},
    };
    for (const auto &c : cases) {
        Set(457, c.s457);
        Set(13, c.s13);
        Set(265, c.s265);
        PageSetupSnapshot &s = setup().snapshot;
        s.outputMode = c.outputMode;
        s.outputSource = 264;
        s.duplex = (WORD)c.duplex;
        s.firstSource = 100;
        s.coverFlag = 0;
        setup().page.pagesPerSheet = c.pages;
        setup().page.output.fits = c.fits;
        setup().sheetSide = c.side;
        setup().sidesOutput = c.sides;
        WORD source = 0;
        EXPECT_EQ(jc_SelectPaperSource(pdev_, &pdev_->devmode, &source), 0) << c.rule;
        EXPECT_EQ(source, c.source) << c.rule;
        EXPECT_EQ(s.outputMode, c.outputModeAfter) << c.rule;
        EXPECT_EQ(s.coverFlag, c.cover) << c.rule;
    }
    WORD source = 0;
    EXPECT_EQ(jc_SelectPaperSource(pdev_, nullptr, &source), -1);
    EXPECT_EQ(jc_SelectPaperSource(nullptr, &pdev_->devmode, &source), -1);
}

// The PDEV's papers in 1/18432 inch: A4 upright, printable 4.2 mm inside each edge.
void SetA4Descriptions(PDEV *pdev)
{
    for (PaperDescription &d : pdev->paper) {
        d.width = 152390;
        d.height = 215523;
        d.left = 3048;
        d.top = 3048;
        d.right = 152390 - 3048;
        d.bottom = 215523 - 3048;
    }
}

TEST_F(PageTest, PaperRecordsFromThePaperDescriptions)
{
    SetA4Descriptions(pdev_);
    Set(8, 9);
    Set(262, 9);
    PaperRecord page = {}, output = {};
    LONG turned = -1, noKind = -1;
    ASSERT_EQ(geo_ReadPagePaper(pdev_, &pdev_->devmode, &page, &turned, &noKind), 0);
    EXPECT_EQ(page.paperCode, 9);
    EXPECT_EQ(page.width, 2100);
    EXPECT_EQ(page.length, 2970);
    EXPECT_EQ(page.printableWidth, 2016);
    EXPECT_EQ(page.marginLeft, page.offsetX);
    EXPECT_EQ(page.marginRight, 2100 - 2016 - page.offsetX);
    EXPECT_EQ(turned, 0);
    EXPECT_EQ(noKind, 0);

    // Margins of the margin escape replace them, unless they leave no page.
    setup().snapshot.setting387 = 1;
    const WORD margins[4] = {100, 200, 300, 400};
    memcpy(setup().escapeMargins, margins, sizeof margins);
    ASSERT_EQ(geo_ReadPagePaper(pdev_, &pdev_->devmode, &page, &turned, &noKind), 0);
    EXPECT_EQ(page.marginRight, 200);
    setup().escapeMargins[1] = 2000;
    ASSERT_EQ(geo_ReadPagePaper(pdev_, &pdev_->devmode, &page, &turned, &noKind), 0);
    EXPECT_EQ(page.marginRight, 2100 - 2016 - page.offsetX);

    Set(7, 3);
    EXPECT_EQ(geo_ReadPagePaper(pdev_, &pdev_->devmode, &page, &turned, &noKind), -1) << "orientation 3";

    // Output paper: the extras decide whether the size fits.
    const struct {
        BYTE kind;
        DddSize minimum, maximum;
        LONG fits;
    } extras[] = {{2, {900, 1480}, {2159, 3556}, 1},
                  {2, {900, 1480}, {2000, 3556}, 0},
                  {0, {0, 0}, {0, 0}, 0},
                  {1, {0, 0}, {0, 0}, 1}};
    for (const auto &e : extras) {
        outputRecord_.byte2 = e.kind;
        outputRecord_.extra[0] = e.minimum;
        outputRecord_.extra[1] = e.maximum;
        ASSERT_EQ(geo_ReadOutputPaper(pdev_, &pdev_->devmode, &output), 0);
        EXPECT_EQ(output.fits, e.fits) << (int)e.kind;
    }
    EXPECT_EQ(output.paperCode, 9);
    EXPECT_EQ(output.marginLeft, output.marginRight);
    outputRecord_.head.format = 256;
    output.fits = 7;
    ASSERT_EQ(geo_ReadOutputPaper(pdev_, &pdev_->devmode, &output), 0);
    EXPECT_EQ(output.fits, 7) << "no extras: the flag keeps its value";
    setup().snapshot.setting383 = 1;
    ASSERT_EQ(geo_ReadOutputPaper(pdev_, &pdev_->devmode, &output), 0);
    EXPECT_EQ(output.printableLength, 2970);
    EXPECT_EQ(output.marginTop, 0);
}

TEST_F(PageTest, ReReadPageSetupKeepsTheOutputPaper)
{
    SetA4Descriptions(pdev_);
    Set(8, 9);
    Set(262, 9);
    ASSERT_EQ(pg_ReadPaperRecords(pdev_, &pdev_->devmode, FALSE), 0);
    EXPECT_EQ(setup().page.output.paperCode, 9);
    EXPECT_EQ(setup().page.page.width, 2100);
    const struct {
        WORD kind;
        LONG paper267;
        WORD outputCode;
    } cases[] = {{'Q', 1, 11}, {0xFFFF, 0, 11}, {0xFFFF, 1, 9}};
    for (const auto &c : cases) {
        DddPaper pageRecord = PaperDescriptionRecord(c.kind, DddSize{0, 0}, DddSize{0, 0});
        pdev_->paper[0].record = &pageRecord;
        setup().snapshot.paper267 = c.paper267;
        setup().page.output.paperCode = 11;
        ASSERT_EQ(pg_ReadPaperRecords(pdev_, &pdev_->devmode, TRUE), 0);
        EXPECT_EQ(setup().noPaperKind, c.kind == 0xFFFF);
        EXPECT_EQ(setup().page.output.paperCode, c.outputCode) << c.kind << "/" << c.paper267;
        pdev_->paper[0].record = nullptr;
    }
}

class RecordedPageTest : public PageTest
{
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        ASSERT_EQ(spl_PdevStartRecording(pdev_), 0);
    }
    void TearDown() override
    {
        spl_EndPageStore(stream_);
        PageTest::TearDown();
    }
    // Records one page with every page-command flag: raw bytes around the commands.
    // placementBits: recording-word bits stored with the transform.
    void RecordPage(WORD extraKind = 0xFFFF, WORD extraLength = 0, WORD placementBits = 0)
    {
        const float size[2] = {210, 297};
        Matrix2x3 identity;
        geo_Identity(&identity);
        ASSERT_EQ(spl_PdevBeginRecordedPage(pdev_, 0x3E), 0);
        pdev_->job.pageState |= PAGE_STATE_SHEET_OPEN;
        ASSERT_EQ(pdl_SetLineCap(writer_, 2), 0);
        ASSERT_EQ(pg_WritePageSize(pdev_, 1, 2, 5, size, 0), 0);
        pdev_->job.recordWord |= placementBits;
        ASSERT_EQ(jc_SetTransform(pdev_, &identity), 0);
        pdev_->job.recordWord &= (WORD)~placementBits;
        ASSERT_EQ(pdl_SetLineCap(writer_, 1), 0);
        ASSERT_EQ(pg_ResetClip(pdev_), 0);
        if (extraKind != 0xFFFF) {
            BYTE data[16] = {};
            ASSERT_EQ(spl_AppendStoreRecord(stream_, extraKind, extraLength, data), 0);
        }
        ASSERT_EQ(pg_EndPageFB(pdev_), 0);
        ASSERT_EQ(pg_EndPageED(pdev_), 0);
        ASSERT_EQ(spl_PdevEndRecordedPage(pdev_, nullptr), 0);
        pdev_->job.pageState &= (WORD)~PAGE_STATE_SHEET_OPEN;
        stream_->sinkKind = SINK_FILE; // the fixture's file takes the output again
    }
};

TEST_F(RecordedPageTest, RecordsWriteNothingAndReplayInOrder)
{
    Mark();
    RecordPage();
    EXPECT_TRUE(Commands().empty()) << "a recorded page writes nothing";
    Matrix2x3 identity, device;
    geo_Identity(&identity);
    geo_ToDeviceMatrix(&device, pdev_, &identity);
    const DWORD all = REPLAY_PAGE_SIZE | REPLAY_FB | REPLAY_ED | REPLAY_TRANSFORM | REPLAY_RESET_CLIP;
    setup().paperSource = 7;
    ASSERT_EQ(pg_ReplayPage(pdev_, 1, all, nullptr), 0);
    EXPECT_EQ(Commands(), (Lines{"AE 2", "Ec 1 2 5", AaLine(device), "AE 1", "AR", "FB", "ED"}));
    EXPECT_EQ(setup().paperSource, 257) << "the page's source comes back with its page size";
    Mark();
    ASSERT_EQ(pg_ReplayPage(pdev_, 1, REPLAY_ED, nullptr), 0);
    EXPECT_EQ(Commands(), (Lines{"AE 2", "AE 1", "ED"})) << "only the commands asked for";
    EXPECT_EQ(pg_ReplayPage(pdev_, 2, all, nullptr), -1) << "no such page";
}

TEST_F(RecordedPageTest, NupPageReplaysWithItsCellPlacement)
{
    RecordPage();
    PageBlock &block = setup().page;
    block.pagesPerSheet = 2;
    block.columns = 1;
    block.rows = 2;
    block.turnFlag = 1;
    block.setting264 = 3;
    Matrix2x3 placement, identity, device;
    ASSERT_EQ(geo_PlaceChecked(&pdev_->job, &placement, &block, 1, 0), 0);
    geo_Identity(&identity);
    geo_ToDeviceMatrix(&device, pdev_, &placement);
    Mark();
    ASSERT_EQ(pg_ReplayPage(pdev_, 1, REPLAY_TRANSFORM, &placement), 0);
    EXPECT_EQ(Commands(), (Lines{"AE 2", AaLine(device), "AE 1"}));
}

TEST_F(RecordedPageTest, BrokenRecordsEndTheReplay)
{
    RecordPage(9, 0);
    RecordPage(PAGE_RECORD_SIZE, 12);
    RecordPage();
    const DWORD all = REPLAY_PAGE_SIZE | REPLAY_FB | REPLAY_ED | REPLAY_TRANSFORM | REPLAY_RESET_CLIP;
    EXPECT_EQ(pg_ReplayPage(pdev_, 1, all, nullptr), -1) << "unknown kind";
    EXPECT_EQ(pg_ReplayPage(pdev_, 2, all, nullptr), -1) << "page size of the wrong size";
    EXPECT_EQ(pg_ReplayPage(pdev_, 3, all, nullptr), 0);
}

// What the replay refuses because it is not built: booklet halves and poster tiles, and
// a transform recorded with a half or tile placement. Each is refused before its 'Aa' is
// written, rather than written in the wrong place. The work that builds those placements
// replaces this test.
TEST_F(RecordedPageTest, PlacementsNotBuiltAreRefused)
{
    RecordPage();
    RecordPage(0xFFFF, 0, 0x80);
    const DWORD all = REPLAY_PAGE_SIZE | REPLAY_FB | REPLAY_ED | REPLAY_TRANSFORM | REPLAY_RESET_CLIP;
    Mark();
    EXPECT_EQ(pg_ReplayPage(pdev_, 2, all, nullptr), -1) << "a transform of a half or tile placement";
    for (int which = 0; which < 2; ++which) {
        setup().snapshot.bookletOn = which == 0;
        setup().snapshot.posterOn = which == 1;
        EXPECT_EQ(pg_ReplayPage(pdev_, 1, all, nullptr), -1) << (which == 0 ? "booklet" : "poster");
    }
    EXPECT_FALSE(Has(Commands(), "Aa"));
    setup().snapshot.bookletOn = 0;
    setup().snapshot.posterOn = 0;
    EXPECT_EQ(pg_ReplayPage(pdev_, 1, all, nullptr), 0);
}

} // namespace
} // namespace page_test
