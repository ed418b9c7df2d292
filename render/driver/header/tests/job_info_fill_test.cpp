/*
 * Job information filled by the render side: the page fields of each page-size command,
 * the refresh at sheet end, the job fields at job end, and the page table's growth.
 */
#include <string>

#include "core/jobtext/job_info.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/header/job_header.h"
#include "render/driver/header/tests/header_fixture.h"

namespace header_test {
namespace {

using JobInfoTest = HeaderTest;

// The whole block as one large buffer holds it.
std::string Block(JobInfoRecord *record)
{
    static char buffer[65536];
    DWORD more = 0;
    DWORD length = job_WriteJobInfoLines(record, buffer, sizeof buffer, &more, NULL);
    EXPECT_EQ(more, 0u);
    return std::string(buffer, length);
}

// The value of a job line ("@PJL COMMENT QMJOBINFO NAME=value"), or "-" when absent.
std::string Line(const std::string &block, const std::string &name)
{
    std::string key = "@PJL COMMENT QMJOBINFO " + name + "=";
    size_t at = block.find(key);
    if (at == std::string::npos) {
        return "-";
    }
    size_t end = block.find('\n', at);
    return block.substr(at + key.size(), end - at - key.size());
}

// Page fields from the page state: SIZE from the page record's edges (short first, "*"
// for a custom size), MODE by colour result, snapshot colour mode and colour kind, COLORS
// with the colour set on a colour page, INTRAY by the source map, DUPLEX by booklet,
// per-page duplex or the page record's duplex kind.
TEST_F(JobInfoTest, PageFields)
{
    struct Case {
        WORD width, length;
        int custom;
        WORD colorResult;
        LONG colorMode;
        WORD colorKind;
        LONG colorSetOn;
        WORD source;
        LONG booklet, perPage;
        WORD duplexSetting;
        LONG duplexKind;
        const char *expected;
    } cases[] = {
        {2100, 2970, 0, 0, 0, 0, 0, 7, 0, 0, 0, 0, "SIZE[210.0X297.0]:MODE[EMPTY]:INTRAY[0]:DUPLEX[SIMPLEX]"},
        {2970, 2100, 1, 2, 2, 0, 0, 1, 0, 0, 0, 1, "SIZE[*210.0X297.0]:MODE[COLOR]:COLORS[0]:INTRAY[1]:DUPLEX[TUMBLE]"},
        {1000, 1485, 0, 2, 1, 0, 0, 272, 0, 0, 0, 2, "SIZE[100.0X148.5]:MODE[MONOCHROME]:INTRAY[1]:DUPLEX[DUPLEX]"},
        {2159,
         2794,
         0,
         2,
         0,
         2,
         1,
         271,
         0,
         1,
         2,
         0,
         "SIZE[215.9X279.4]:MODE[COLOR]:COLORS[5]:INTRAY[2]:DUPLEX[DUPLEX]"},
        {2159, 2794, 0, 1, 0, 2, 1, 261, 0, 1, 3, 0, "SIZE[215.9X279.4]:MODE[MONOCHROME]:INTRAY[3]:DUPLEX[TUMBLE]"},
        {2159, 2794, 0, 2, 0, 1, 0, 262, 1, 1, 2, 2, "SIZE[215.9X279.4]:MODE[MONOCHROME]:INTRAY[4]:DUPLEX[TUMBLE]"},
        {2159, 2794, 0, 3, 5, 0, 0, 260, 0, 1, 4, 0, "SIZE[215.9X279.4]:MODE[UNKNOWN]:INTRAY[5]:DUPLEX[SIMPLEX]"},
        {2159,
         2794,
         0,
         2,
         0,
         2,
         0,
         265,
         0,
         0,
         0,
         0,
         "SIZE[215.9X279.4]:MODE[COLOR]:COLORS[0]:INTRAY[201]:DUPLEX[SIMPLEX]"},
        {2159, 2794, 0, 0, 0, 0, 0, 267, 0, 0, 0, 0, "SIZE[215.9X279.4]:MODE[EMPTY]:INTRAY[203]:DUPLEX[SIMPLEX]"},
        {2159, 2794, 0, 0, 0, 0, 0, 999, 0, 0, 0, 0, "SIZE[215.9X279.4]:MODE[EMPTY]:INTRAY[32768]:DUPLEX[SIMPLEX]"},
    };
    for (const Case &c : cases) {
        jc_FreeJobInfo(pdev_);
        ASSERT_EQ(jc_CreateJobInfo(pdev_), 0);
        pdev_->job.setup.page.page.width = c.width;
        pdev_->job.setup.page.page.length = c.length;
        pdev_->job.setup.page.duplex = c.duplexKind;
        pdev_->job.colorResult = c.colorResult;
        pdev_->job.setup.colorKind = c.colorKind;
        pdev_->job.colorSet.count = 5;
        pdev_->job.setup.snapshot.colorMode = c.colorMode;
        pdev_->job.setup.snapshot.colorSetOn = c.colorSetOn;
        pdev_->job.setup.snapshot.bookletOn = c.booklet;
        pdev_->job.setup.snapshot.perPageDuplex = c.perPage;
        pdev_->job.setup.paperSource = c.source;
        pdev_->job.setup.duplexSetting = c.duplexSetting;
        ASSERT_EQ(jc_FillJobInfoPage(pdev_, c.custom), 0);
        EXPECT_EQ(Line(Block(pdev_->job.jobInfo), "PAGEINFO"), c.expected);
    }
}

// The record is filled when the page size is written, before the page's colour is known;
// the refresh at sheet end gives the drawn page its MODE and COLORS.
TEST_F(JobInfoTest, RefreshGivesTheDrawnPageItsColour)
{
    EXPECT_EQ(jc_RefreshJobInfoPage(pdev_), -1) << "no page record yet";
    pdev_->job.setup.page.page.width = 2100;
    pdev_->job.setup.page.page.length = 2970;
    pdev_->job.setup.snapshot.colorSetOn = 1;
    ASSERT_EQ(jc_FillJobInfoPage(pdev_, 0), 0);
    pdev_->job.colorResult = 2;
    pdev_->job.setup.colorKind = 2;
    pdev_->job.colorSet.count = 7;
    ASSERT_EQ(jc_RefreshJobInfoPage(pdev_), 0);
    std::string block = Block(pdev_->job.jobInfo);
    EXPECT_EQ(Line(block, "PAGEINFO"), "SIZE[210.0X297.0]:MODE[COLOR]:COLORS[7]:INTRAY[32768]:DUPLEX[SIMPLEX]");
    EXPECT_EQ(Line(block, "PHYSICALPAGES"), "1");
}

// 250 pages grow the table past its first 100 records; a stored job keeps one record; a
// refused allocation answers -1 and leaves the table as it was.
TEST_F(JobInfoTest, PageTableGrowthStoredJobAndRefusedAllocation)
{
    pdev_->job.setup.page.page.width = 2100;
    pdev_->job.setup.page.page.length = 2970;
    for (int i = 0; i < 250; ++i) {
        ASSERT_EQ(jc_FillJobInfoPage(pdev_, 0), 0) << i;
    }
    PageInfoTable *table = pdev_->job.jobInfo->pageTable;
    EXPECT_EQ(job_GetPageCount(table), 250u);
    EXPECT_EQ(job_GetCurrentPageIndex(table), 250u);
    EXPECT_STREQ(job_GetPageRecord(table, 250)->sizeName, "210.0X297.0");

    // The table is full at 300: the next record needs an allocation.
    for (int i = 250; i < 300; ++i) {
        ASSERT_EQ(jc_FillJobInfoPage(pdev_, 0), 0) << i;
    }
    qmt_FailAllocations(0, 10);
    EXPECT_EQ(jc_FillJobInfoPage(pdev_, 0), -1);
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(job_GetPageCount(table), 300u);
    EXPECT_EQ(job_GetCurrentPageIndex(table), 300u);
    EXPECT_EQ(jc_FillJobInfoPage(pdev_, 0), 0);
    EXPECT_EQ(job_GetPageCount(table), 301u);

    jc_FreeJobInfo(pdev_);
    ASSERT_EQ(jc_CreateJobInfo(pdev_), 0);
    pdev_->job.setup.snapshot.storedJob = 1;
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(jc_FillJobInfoPage(pdev_, 0), 0);
    }
    EXPECT_EQ(job_GetPageCount(pdev_->job.jobInfo->pageTable), 1u);
}

// The job fields by the job's settings and layout.
TEST_F(JobInfoTest, JobFields)
{
    struct Setting {
        WORD id;
        LONG value;
    };
    struct Case {
        const char *name;
        std::vector<Setting> settings;
        LONG deviceCollates, bookletOn, posterOn, separator, storedPages, faxJob;
        LONG duplexKind, pagesPerSheet;
        std::vector<std::pair<std::string, std::string>> expected;
    } cases[] = {
        {"plain",
         {{12, 3}},
         0,
         0,
         0,
         0,
         0,
         0,
         0,
         1,
         {{"PDLTYPE", "PDL[LUMIQ]:VERSION[1.5.1]"},
          {"JOBTYPE", "PRINT"},
          {"STOREDJOBTYPE", "IMMEDIATE"},
          {"JOBCOPIES", "1"},
          {"PAGECOPIES", "3"},
          {"DUPLEXTYPE", "SIMPLEX"},
          {"NUP", "1"},
          {"POSTER", "1"},
          {"BOOKLETTYPE", "TYPE[NOBOOKLET]"},
          {"PAGEORDER", "1TON"},
          {"SLIPSHEET", "NOSLIPSHEET"},
          {"TONERSAVE", "OFF"},
          {"LOGICALPAGES", "5"},
          {"ESTIMATEDSHEETS", "15"}}},
        {"collated, proof, reverse, toner save, separator",
         {{12, 2}, {18, 1}, {334, 2}, {1312, 1}, {1320, 1}, {8205, 0x0102000D}},
         0,
         0,
         0,
         2,
         0,
         0,
         2,
         4,
         {{"PDLTYPE", "PDL[LUMIQ]:VERSION[2.0.13]"},
          {"STOREDJOBTYPE", "PROOF"},
          {"JOBCOPIES", "2"},
          {"PAGECOPIES", "1"},
          {"DUPLEXTYPE", "DUPLEX"},
          {"NUP", "4"},
          {"PAGEORDER", "NTO1"},
          {"SLIPSHEET", "COPY"},
          {"TONERSAVE", "ON"},
          {"ESTIMATEDSHEETS", "10"}}},
        {"device collates",
         {{12, 4}, {18, 1}, {334, 3}},
         1,
         0,
         0,
         0,
         0,
         0,
         1,
         1,
         {{"STOREDJOBTYPE", "PERSONALBOX"}, {"JOBCOPIES", "1"}, {"PAGECOPIES", "1"}, {"DUPLEXTYPE", "TUMBLE"}}},
        {"booklet, threshold from 4364",
         {{12, 2}, {446, 1}, {4364, 6}},
         0,
         1,
         0,
         0,
         9,
         0,
         0,
         1,
         {{"BOOKLETTYPE", "TYPE[AUTODIVIDE]:THRESHOLD[6]"}, {"DUPLEXTYPE", "TUMBLE"}, {"ESTIMATEDSHEETS", "6"}}},
        {"booklet, threshold from 323",
         {{446, 2}, {323, 3}},
         0,
         1,
         0,
         0,
         4,
         0,
         0,
         1,
         {{"BOOKLETTYPE", "TYPE[MANUALDIVIDE]:THRESHOLD[3]"}, {"ESTIMATEDSHEETS", "1"}}},
        {"booklet type 0", {{446, 0}}, 0, 1, 0, 0, 4, 0, 0, 1, {{"BOOKLETTYPE", "TYPE[NONEDIVIDE]"}}},
        {"poster 2 x 2", {{12, 2}, {321, 1}}, 0, 0, 1, 0, 0, 0, 0, 1, {{"POSTER", "4"}, {"ESTIMATEDSHEETS", "40"}}},
        {"stored job", {{336, 1}}, 0, 0, 0, 0, 0, 0, 0, 1, {{"JOBTYPE", "FORMREGISTRATION"}, {"ESTIMATEDSHEETS", "0"}}},
        {"fax with cover sheet",
         {{376, 1}, {1800, 1}},
         0,
         0,
         0,
         0,
         0,
         1,
         0,
         1,
         {{"JOBTYPE", "DIRECTFAX"}, {"STOREDJOBTYPE", "DELAY"}, {"ESTIMATEDSHEETS", "6"}}},
        {"fax cover only",
         {{376, 1}, {381, 1}},
         0,
         0,
         0,
         0,
         0,
         1,
         0,
         1,
         {{"JOBTYPE", "PRINT"}, {"ESTIMATEDSHEETS", "5"}}},
    };
    for (const Case &c : cases) {
        ResetSettings();
        for (const Setting &s : c.settings) {
            Set(s.id, s.value);
        }
        jc_FreeJobInfo(pdev_);
        ASSERT_EQ(jc_CreateJobInfo(pdev_), 0);
        pdev_->job.setup.snapshot.deviceCollates = c.deviceCollates;
        pdev_->job.setup.snapshot.bookletOn = c.bookletOn;
        pdev_->job.setup.snapshot.posterOn = c.posterOn;
        pdev_->job.setup.snapshot.posterColumns = 2;
        pdev_->job.setup.snapshot.posterRows = 2;
        pdev_->job.setup.snapshot.separatorMode = c.separator;
        pdev_->job.storedPages = (WORD)c.storedPages;
        pdev_->job.faxJob = (DWORD)c.faxJob;
        pdev_->job.setup.page.duplex = c.duplexKind;
        pdev_->job.setup.page.pagesPerSheet = c.pagesPerSheet;
        pdev_->job.logicalPages = 5;
        ASSERT_EQ(jc_FillJobInfoJob(pdev_), 0);
        std::string block = Block(pdev_->job.jobInfo);
        for (const auto &field : c.expected) {
            EXPECT_EQ(Line(block, field.first), field.second) << c.name << ": " << field.first;
        }
    }
}

// The job information goes out in pieces of at most 513 bytes, never splitting a line;
// together they are the block one large buffer holds.
TEST_F(JobInfoTest, ChunksJoinToTheWholeBlock)
{
    pdev_->job.setup.page.page.width = 2100;
    pdev_->job.setup.page.page.length = 2970;
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(jc_FillJobInfoPage(pdev_, 0), 0);
    }
    ASSERT_EQ(jc_FillJobInfoJob(pdev_), 0);
    std::string whole = Block(pdev_->job.jobInfo);
    ASSERT_GT(whole.size(), 2u * JOB_INFO_CHUNK_BYTES);
    EXPECT_EQ(jc_GetJobInfoChunkSize(), 513u);
    std::string joined;
    int more = 0;
    int pieces = 0;
    do {
        char buffer[JOB_INFO_CHUNK_BYTES];
        LONG length = jc_WriteJobInfoChunk(pdev_, buffer, &more);
        ASSERT_GT(length, 0);
        ASSERT_LT(length, (LONG)JOB_INFO_CHUNK_BYTES);
        EXPECT_EQ(buffer[length - 1], '\n') << "a piece ends with a whole line";
        joined.append(buffer, (size_t)length);
        ++pieces;
    } while (more && pieces < 100);
    EXPECT_GE(pieces, 3);
    EXPECT_EQ(joined, whole);

    int flag = 0;
    EXPECT_EQ(jc_WriteJobInfoChunk(NULL, NULL, &flag), -1);
    jc_FreeJobInfo(pdev_);
    char buffer[JOB_INFO_CHUNK_BYTES];
    EXPECT_EQ(jc_WriteJobInfoChunk(pdev_, buffer, &flag), -1) << "no job information";
    EXPECT_EQ(jc_FillJobInfoPage(pdev_, 0), -1);
    EXPECT_EQ(jc_FillJobInfoJob(pdev_), -1);
}

} // namespace
} // namespace header_test
