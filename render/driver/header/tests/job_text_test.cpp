/*
 * The job-start and job-end text: version lines, the pinned job-start text of the sample
 * model, the trailers, the prepared job-attribute sets with the booklet patch, and every
 * failure path with the PDEV heap back to empty.
 */
#include <string>
#include <vector>

#include "core/jobtext/job_attr.h"
#include "core/jobtext/job_info.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/header/job_header.h"
#include "render/driver/header/tests/booklet_standin.h"
#include "render/driver/header/tests/header_fixture.h"

namespace header_test {
namespace {

using JobTextTest = HeaderTest;

const std::string kUel = "\x1b%-12345X";

// A JobAttributeSet list in a global block: count entries of entrySize bytes, then the
// placeholder offsets.
struct SetList {
    JobAttrSetHead *head = nullptr;
    DWORD size = 0;
};

SetList MakeSets(DWORD entrySize, const std::vector<std::string> &texts, const std::vector<DWORD> &offsets,
                 DWORD storedLengthOf0 = 0)
{
    DWORD count = (DWORD)texts.size();
    SetList list;
    list.size = job_GetJobAttrSetListSize(count, entrySize - 4);
    list.head = (JobAttrSetHead *)GlobalAlloc(GPTR, list.size);
    list.head->count = count;
    list.head->entrySize = entrySize;
    BYTE *entries = (BYTE *)(list.head + 1);
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = i == 0 && storedLengthOf0 != 0 ? storedLengthOf0 : (DWORD)texts[i].size();
        memcpy(entries + i * entrySize, &length, 4);
        memcpy(entries + i * entrySize + 4, texts[i].data(), texts[i].size());
        memcpy(entries + count * entrySize + i * 4, &offsets[i], 4);
    }
    return list;
}

TEST_F(JobTextTest, VersionLines)
{
    struct Case {
        DWORD version;
        bool osFails;
        const char *expected;
    } cases[] = {
        {0x01010400, false, "%QMNQT-1.5.1%\n%WINNT-5.1,NQTDRV-2704.1%\n"},
        {0x01010901, false, "%QMNQT-1.9.1%\n%WINNT-5.1,NQTDRV-2704.1%\n"},
        {0x01030000, false, "%QMNQT-2.0.13%\n%WINNT-5.1,NQTDRV-2704.1%\n"},
        {0x01010501, true, "%QMNQT-1.5.1%\n%WINNT-5.0,NQTDRV-2704.1%\n"},
    };
    for (const Case &c : cases) {
        Set(8205, (LONG)c.version);
        qmt_FailVersionQuery(c.osFails);
        Mark();
        EXPECT_EQ(jc_WriteVersionLines(pdev_), 0);
        qmt_FailVersionQuery(FALSE);
        EXPECT_EQ(Text(Bytes()), c.expected) << std::hex << c.version;
    }
    FailWrites(true);
    EXPECT_EQ(jc_WriteVersionLines(pdev_), -1);
    FailWrites(false);
    EXPECT_EQ(jc_WriteVersionLines(NULL), -1);
}

// The whole job-start text of the sample model under the pinned machine.
TEST_F(JobTextTest, PinnedJobStartTextOfTheSampleModel)
{
    ASSERT_EQ(jc_StartTraceClock(pdev_), 0);
    Mark();
    ASSERT_EQ(jc_BeginJobText(pdev_, 0), 0);
    // Header built from the sample's job-attribute records (bare form), the version lines,
    // 'EA' 0x90, 'FA' 1 200, and the three job-start records: the description file's name
    // and stamps, Windows 5.1 build 2600 (0xa28) platform 2, the job version.
    std::string expected = kUel +
                           "@PJL JOB NAME=\"Model 50 job\"\n"
                           "@PJL SET JOBATTR=tester\n"
                           "@PJL SET JOBATTR=1\n"
                           "@PJL SET JOBATTR=A4\n"
                           "%QMNQT-1.5.1%\n%WINNT-5.1,NQTDRV-2704.1%\n"
                           "EA\x90"
                           "FA\x01" +
                           std::string(1, '\0') +
                           "\xc8"
                           "EP0\"[2024,01/02,03:04:05][Sample job][IP_10.0.0.1]\""
                           "EPF\"[0ms][QM50C1.DDD:2010131:100000c][5:1:a28:2:Service Pack 2][1010501]\""
                           "EP \"[0ms][PF02070301][DRV-WIN2000]\"";
    std::string bytes = Text(Bytes());
    EXPECT_EQ(bytes, expected);
}

// A model without capability 0x40000 ends the job with ESC "%-12345X@EOJO" and LF only;
// with it the universal exit line, the job-information block and "@PJL EOJ" follow each
// other, the block in pieces of at most 513 bytes that join to the whole block.
TEST_F(JobTextTest, Trailers)
{
    Mark();
    ASSERT_EQ(jc_WriteJobTrailerText(pdev_), 0);
    EXPECT_EQ(Text(Bytes()), "\x1b%-12345X@EOJO\n");
    EXPECT_EQ(Bytes().size(), 15u);

    OpenModel(true);
    pdev_->job.setup.page.page.width = 2100;
    pdev_->job.setup.page.page.length = 2970;
    for (int i = 0; i < 12; ++i) {
        ASSERT_EQ(jc_FillJobInfoPage(pdev_, 0), 0);
    }
    ASSERT_EQ(jc_FillJobInfoJob(pdev_), 0);
    static char block[65536];
    DWORD more = 0;
    DWORD length = job_WriteJobInfoLines(pdev_->job.jobInfo, block, sizeof block, &more, NULL);
    ASSERT_GT(length, 2u * JOB_INFO_CHUNK_BYTES);
    Mark();
    ASSERT_EQ(jc_WriteJobTrailerText(pdev_), 0);
    EXPECT_EQ(Text(Bytes()), kUel + std::string(block, length) + "@PJL EOJ\n");
    // The record keeps its place between pieces and starts again for the next trailer,
    // also after a trailer that broke off after its first piece (the second piece's
    // buffer refused).
    Mark();
    ASSERT_EQ(jc_WriteJobTrailerText(pdev_), 0);
    EXPECT_EQ(Text(Bytes()), kUel + std::string(block, length) + "@PJL EOJ\n");
    qmt_FailAllocations(2, 1);
    EXPECT_EQ(jc_WriteJobTrailerText(pdev_), -1);
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(HeapBlocks(), 0u);
    Mark();
    ASSERT_EQ(jc_WriteJobTrailerText(pdev_), 0);
    EXPECT_EQ(Text(Bytes()), kUel + std::string(block, length) + "@PJL EOJ\n");
}

// The job-end text: the "EndJob" record, 'EB', the job fields, then the trailer.
TEST_F(JobTextTest, JobEndText)
{
    OpenModel(true);
    pdev_->job.logicalPages = 2;
    ASSERT_EQ(jc_StartTraceClock(pdev_), 0);
    Mark();
    ASSERT_EQ(jc_EndJobText(pdev_), 0);
    std::string bytes = Text(Bytes());
    std::string record = "\"[0ms]EndJob\"";
    std::string end = "EP" + std::string(1, (char)record.size()) + record + "EB" + kUel;
    ASSERT_EQ(bytes.substr(0, end.size()), end);
    EXPECT_NE(bytes.find("QMJOBINFO LOGICALPAGES=2\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 9), "@PJL EOJ\n");
}

// The job's stored-job and name texts ('EE', 'EH', at most 9 characters) and the 'FA'
// resolution.
TEST_F(JobTextTest, JobStartCommands)
{
    struct Case {
        LONG stored, nameOn;
        DWORD version;
        std::vector<std::pair<WORD, LONG>> settings;
        std::vector<std::string> expected; // commands after the version lines
    } cases[] = {
        {0, 0, 0x01010501, {}, {"EA 144", "FA 1 200"}},
        {0, 0, 0x01010501, {{348, 600}}, {"EA 144", "FA 1 600"}},
        {0, 0, 0x01010501, {{386, 1}, {14, 1200}, {348, 600}}, {"EA 144", "FA 1 1200"}},
        {0, 1, 0x01010901, {}, {"EA 144", "FA 1 200"}},
        {0, 1, 0x01010902, {}, {"EA 144", "EH 1 9 \"NAMETEXT1\"", "FA 1 200"}},
        {1, 0, 0x01010501, {}, {"EA 144", "EE 9 \"STOREDJOB\""}},
    };
    for (const Case &c : cases) {
        ResetSettings();
        Set(8205, (LONG)c.version);
        SetText(338, TEXT("STOREDJOB"));
        SetText(340, TEXT("NAMETEXT1"));
        for (const auto &s : c.settings) {
            Set(s.first, s.second);
        }
        pdev_->job.setup.snapshot.storedJob = c.stored;
        pdev_->job.setup.snapshot.nameTextOn = c.nameOn;
        pdl_DestroyWriter(pdev_->job.writer);
        pdev_->job.writer = pdl_CreateWriter(pdev_->job.stream, &pdev_->devmode, pdev_->printerData, 0);
        ASSERT_NE(pdev_->job.writer, nullptr);
        pdev_->printer = NULL; // no port and no description records
        Mark();
        ASSERT_EQ(jc_BeginJobText(pdev_, 0), 0);
        std::string bytes = Text(Bytes());
        size_t lines = bytes.find("NQTDRV-2704.1%\n");
        ASSERT_NE(lines, std::string::npos);
        std::vector<std::string> commands = Commands(lines + 15);
        commands.resize(commands.size() - 1); // the time and names record
        EXPECT_EQ(commands, c.expected) << std::hex << c.version;
    }
}

// Prepared sets: set i is the header as it stands; a list whose index, stored length or
// size is wrong is not used and the header is built instead.
TEST_F(JobTextTest, PreparedSetsAndTheirChecks)
{
    Mark();
    ASSERT_EQ(jc_WriteJobHeader(pdev_, 0), 0);
    std::string built = Text(Bytes());
    ASSERT_EQ(built.substr(0, kUel.size()), kUel);

    struct Case {
        const char *name;
        WORD index;
        DWORD storedLength; // 0: the text's own
        bool shortList;
        const char *expected; // NULL: the built header
    } cases[] = {
        {"set 0", 0, 0, false, "SET ZERO\n"},
        {"set 1", 1, 0, false, "SET ONE\n"},
        {"index past the count", 2, 0, false, NULL},
        {"stored length above the entry", 0, 61, false, NULL},
        {"list shorter than its head says", 0, 0, true, NULL},
    };
    for (const Case &c : cases) {
        SetList list = MakeSets(64, {"SET ZERO\n", "SET ONE\n"}, {0, 0}, c.storedLength);
        pdev_->job.attrSets = list.head;
        pdev_->job.attrSetsSize = c.shortList ? list.size - 1 : list.size;
        Mark();
        EXPECT_EQ(jc_WriteJobHeader(pdev_, c.index), 0) << c.name;
        EXPECT_EQ(Text(Bytes()), c.expected ? c.expected : built) << c.name;
        pdev_->job.attrSets = nullptr;
        GlobalFree(list.head);
    }
}

// The booklet count over the placeholder: the PJL form with capability 0x40000, else the
// bare form; no terminator, nothing outside the placeholder; a placeholder too short for
// the attribute leaves the text alone.
TEST_F(JobTextTest, BookletCountPatch)
{
    std::string pjl = "AB" + std::string(38, ' ') + "\nZ";
    std::string bare = "AB" + std::string(20, ' ') + "\nZ";
    struct Case {
        bool jobInfo;
        std::string text;
        DWORD offset;
        DWORD length; // 0: the text's
        LONG result;
        std::string expected;
    } cases[] = {
        {true, pjl, 2, 0, 1, "AB@PJL SET JOBATTR=\"@BKTP=12\"" + std::string(11, ' ') + "\nZ"},
        {false, bare, 2, 0, 1, "AB@BKTP=12" + std::string(12, ' ') + "\nZ"},
        {false, "AB@BKTP", 2, 0, -1, "AB@BKTP"},
        {true, bare, 2, 0, -1, bare},
        {false, bare, 30, 0, -1, bare},
        {false, bare, 2, 9, -1, bare},
    };
    for (const Case &c : cases) {
        OpenModel(c.jobInfo);
        std::string text = c.text;
        DWORD length = c.length != 0 ? c.length : (DWORD)text.size();
        EXPECT_EQ(jc_PatchBookletCount(pdev_->modelFile, pdev_->baseFile, 12, &text[0], c.offset, length), c.result)
            << c.text;
        EXPECT_EQ(text, c.expected);
    }
    EXPECT_EQ(jc_PatchBookletCount(pdev_->modelFile, pdev_->baseFile, 12, NULL, 2, 10), 1);
    qmt_FailAllocations(0, 1);
    std::string text = bare;
    EXPECT_EQ(jc_PatchBookletCount(pdev_->modelFile, pdev_->baseFile, 12, &text[0], 2, (DWORD)text.size()), 0);
    qmt_FailAllocations(0, 0);
    EXPECT_EQ(text, bare);
}

// A job that needs the booklet face count and gets none cannot have its header: -1,
// nothing written.
TEST_F(JobTextTest, BookletCountJobIsRefused)
{
    g_BookletFaces = 0;
    pdev_->job.setup.snapshot.bookletCountFlag = 1;
    Mark();
    EXPECT_EQ(jc_BeginJobText(pdev_, 0), -1);
    EXPECT_TRUE(Bytes().empty());
}

// Every failure answers -1 (a failed user-name lookup its own code) and leaves nothing on
// the PDEV heap: no description file (the estimate fails), a user name that does not fit,
// failing writes, and each allocation refused in turn.
TEST_F(JobTextTest, FailurePathsLeaveTheHeapEmpty)
{
    DddFile *model = pdev_->modelFile;
    pdev_->modelFile = NULL;
    EXPECT_EQ(jc_BeginJobText(pdev_, 0), -1);
    EXPECT_EQ(jc_WriteJobTrailerText(pdev_), -1);
    pdev_->modelFile = model;
    EXPECT_EQ(HeapBlocks(), 0u);

    qmt_PinUserName((LPCWSTR)std::u16string(100, u'u').c_str());
    EXPECT_EQ(jc_WriteJobHeader(pdev_, 0), -1);
    qmt_PinUserName(TEXT("tester"));
    EXPECT_EQ(HeapBlocks(), 0u);

    EXPECT_EQ(jc_BeginJobText(NULL, 0), -1);
    EXPECT_EQ(jc_EndJobText(NULL), -1);
    EXPECT_EQ(jc_WriteJobHeader(NULL, 0), -1);
    EXPECT_EQ(jc_WriteJobTrailerText(NULL), -1);

    OpenModel(true);
    FailWrites(true);
    EXPECT_EQ(jc_BeginJobText(pdev_, 0), -1);
    EXPECT_EQ(jc_EndJobText(pdev_), -1);
    FailWrites(false);
    EXPECT_EQ(HeapBlocks(), 0u);

    // Refuse the first, second, ... allocation until the job text goes through whole.
    DWORD globals = qmt_LiveGlobalBlocks();
    bool done = false;
    for (DWORD n = 0; n < 400 && !done; ++n) {
        pdl_DestroyWriter(pdev_->job.writer);
        pdev_->job.writer = pdl_CreateWriter(pdev_->job.stream, &pdev_->devmode, pdev_->printerData, 0);
        ASSERT_NE(pdev_->job.writer, nullptr);
        Mark();
        qmt_FailAllocations(n, 1);
        LONG begin = jc_BeginJobText(pdev_, 0);
        LONG end = jc_EndJobText(pdev_);
        qmt_FailAllocations(0, 0);
        EXPECT_TRUE(begin == 0 || begin == -1) << n;
        EXPECT_TRUE(end == 0 || end == -1) << n;
        EXPECT_EQ(HeapBlocks(), 0u) << n;
        EXPECT_EQ(qmt_LiveGlobalBlocks(), globals) << n;
        done = begin == 0 && end == 0 && Text(Bytes()).find("@PJL EOJ\n") != std::string::npos &&
               Text(Bytes()).find("DRV-WIN2000") != std::string::npos;
    }
    EXPECT_TRUE(done);
}

} // namespace
} // namespace header_test
