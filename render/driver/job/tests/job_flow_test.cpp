/*
 * Jobs through the entry points: the order of what each job writes, N-up and duplex
 * sheets, empty and skipped pages, aborts and failures, ResetDC between pages, jobs whose
 * sides are recorded and written at their end, and the features the driver refuses
 * before writing anything.
 */
#include "render/driver/job/job_control.h"

#include "core/protocol/escapes.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_text.h"
#include "render/driver/escape/escape.h"
#include "render/driver/job/job_private.h"
#include "render/driver/job/tests/job_fixture.h"
#include "render/driver/pdev/pdev_output.h"
#include "render/stream/output_stream.h"

namespace job_test {
namespace {

using Strings = std::vector<std::string>;

class JobFlowTest : public JobTest
{
protected:
    // A job of count pages, the first job-control escape sent with value before its
    // first page; the bytes that came out.
    std::vector<BYTE> JobBytes(DWORD value, int count)
    {
        EXPECT_TRUE(StartDoc());
        EXPECT_EQ(esc_Dispatch(surface_, ESC_JOB_CONTROL_FIRST, sizeof value, &value, 0, nullptr), 1u);
        EXPECT_TRUE(Pages(count));
        std::u16string store((const char16_t *)Pdev()->job.stream->store.path);
        recorded_ = Pdev()->job.storedPages;
        EXPECT_TRUE(EndDoc());
        if (!store.empty()) {
            EXPECT_EQ(GetFileAttributesW((LPCWSTR)store.c_str()), INVALID_FILE_ATTRIBUTES) << "page store left";
        }
        return Bytes();
    }
    WORD recorded_ = 0; // sides recorded before the job's end
};

// Checks that items occur in list in this order (others may lie between).
void ExpectInOrder(const Strings &list, const Strings &items)
{
    size_t at = 0;
    for (const std::string &item : items) {
        size_t found = Find(list, item, at);
        ASSERT_LT(found, list.size()) << "missing after position " << at << ": " << item;
        at = found + 1;
    }
}

TEST_F(JobFlowTest, OnePageJobWritesHeaderPageAndTrailerInOrder)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    const DWORD pageFlags = PDEV_FLAG_PAGE_OPEN | PDEV_FLAG_PAGE_STARTED;
    EXPECT_EQ(Pdev()->flags & pageFlags, pageFlags);
    EXPECT_EQ(Pdev()->pageBuffer.state, 3u);
    Pdev()->pageBuffer.state = 9;
    EXPECT_TRUE(DrvStartPage(surface_)); // a page is open: nothing changes
    EXPECT_EQ(Pdev()->pageBuffer.state, 9u);
    ASSERT_TRUE(DrvSendPage(surface_));
    EXPECT_EQ(Pdev()->flags & PDEV_FLAG_PAGE_OPEN, 0u);
    ASSERT_TRUE(EndDoc());
    EXPECT_EQ(Pdev()->flags & (PDEV_FLAG_DOC_STARTED | PDEV_FLAG_PAGE_STARTED), 0u);
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_COMPLETED);
    Strings lines = Listing();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "header UEL");
    EXPECT_LT(Find(lines, "header version \"%QMNQT-", 0, true), lines.size());
    EXPECT_LT(Find(lines, "header version \"%WINNT-", 0, true), lines.size());
    Strings commands = Commands();
    ExpectInOrder(commands,
                  {"EA",
                   "FA",
                   "EP",
                   "Ec",
                   "EP StartPage",
                   "Aa",
                   "EP EndPage of Logical",
                   "FB",
                   "ED",
                   "EP EndPage of Physical",
                   "EP EndJob",
                   "EB"});
    EXPECT_EQ(Count(commands, "Ec"), 1u);
    EXPECT_LT(Find(lines, "trailer UEL"), lines.size());
}

TEST_F(JobFlowTest, DocumentWithoutPagesWritesNothingAndCompletes)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(EndDoc());
    EXPECT_TRUE(Bytes().empty());
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_COMPLETED);
}

TEST_F(JobFlowTest, TwoUpLeavesAHalfSheetEndedAtJobEnd)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Set(295, 2);
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(3));
    ASSERT_TRUE(EndDoc());
    Strings commands = Commands();
    EXPECT_EQ(Count(commands, "Ec"), 2u);
    EXPECT_EQ(Count(commands, "EP StartPage"), 3u);
    EXPECT_EQ(Count(commands, "EP EndPage of Physical"), 2u);
    ExpectInOrder(
        commands,
        {"EP EndPage of Logical", "EP EndJob with left Nup", "FB", "ED", "EP EndPage of Physical", "EP EndJob"});
}

TEST_F(JobFlowTest, DuplexJobWithAnOddSideCountGetsABlankBackFace)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Set(16, 2);
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(3));
    ASSERT_TRUE(EndDoc());
    Strings commands = Commands();
    ExpectInOrder(commands, {"EP EndPage of Physical", "EP skip backface of duplex", "Ec", "ED", "EP EndJob"});
    EXPECT_EQ(Count(commands, "Ec"), 4u);
}

TEST_F(JobFlowTest, EmptyPagesAreSkippedWhenTheJobAsksSo)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Set(1334, 1);
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(2));
    ASSERT_TRUE(EndDoc());
    EXPECT_TRUE(Bytes().empty());
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_COMPLETED);
}

TEST_F(JobFlowTest, EndDocOnADrawnOpenPageEndsIt)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0); // as drawing does
    ASSERT_TRUE(EndDoc());
    ExpectInOrder(
        Commands(),
        {"EP StartPage", "EP EndJob without EndPage", "EP EndPage of Logical", "EP EndPage of Physical", "EP EndJob"});
}

TEST_F(JobFlowTest, AbortAfterAPageSkipsTheTrailerAndAbortsTheSpoolJob)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(1));
    EndDoc(ED_ABORTDOC);
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_ABORTED);
    std::vector<BYTE> bytes = Bytes();
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()).find("EOJ"), std::string::npos);
}

TEST_F(JobFlowTest, FailedWriteFailsTheJob)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    qmt_SpoolerFailWrite(100, ERROR_DISK_FULL);
    ASSERT_TRUE(StartDoc());
    Pages(2);
    EXPECT_FALSE(EndDoc());
    qmt_SpoolerReset();
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_ABORTED);
    EXPECT_NE(Pdev()->flags & PDEV_FLAG_JOB_FAILED, 0u);
}

TEST_F(JobFlowTest, ResetBetweenPagesKeepsOneHeaderAndOneTrailer)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(1));
    ASSERT_TRUE(Reset());
    EXPECT_NE(Pdev()->job.pageState & PAGE_STATE_REREAD, 0);
    ASSERT_TRUE(Pages(1));
    ASSERT_TRUE(EndDoc());
    Strings lines = Listing();
    EXPECT_EQ(Count(lines, "header UEL"), 1u);
    EXPECT_EQ(Count(lines, "trailer UEL"), 1u);
    EXPECT_EQ(Count(Commands(), "EP StartPage"), 2u);
}

// The replay request before the first page records the sides and writes them at job end:
// the same bytes as the job written directly, and no page store left behind.
TEST_F(JobFlowTest, RequestedReplayWritesTheDirectJobsBytes)
{
    const DWORD ticks = 1000; // the trace records carry the time since the job began
    qmt_PinTickCount(&ticks);
    ASSERT_NO_FATAL_FAILURE(Open());
    std::vector<BYTE> direct = JobBytes(0, 3);
    EXPECT_EQ(recorded_, 0);
    Close();
    ASSERT_NO_FATAL_FAILURE(Open());
    std::vector<BYTE> replayed = JobBytes(1, 3);
    EXPECT_EQ(recorded_, 3);
    qmt_PinTickCount(nullptr);
    ASSERT_FALSE(direct.empty());
    EXPECT_EQ(replayed, direct);
}

// Nothing of a recorded page reaches the spooler before job end; reverse order and the
// copies the driver makes write every side again at the end, each with its page setup.
TEST_F(JobFlowTest, RecordedSidesWaitForTheJobEnd)
{
    struct Case {
        const char *what;
        WORD reverse;
        WORD copies;
        size_t sides;
    };
    const Case cases[] = {
        {"reverse order", 1, 1, 3},
        {"two copies made by the driver", 0, 2, 6},
        {"both", 1, 2, 6},
    };
    for (const Case &c : cases) {
        ASSERT_NO_FATAL_FAILURE(Open());
        Set(1312, c.reverse);
        ASSERT_TRUE(StartDoc());
        Pdev()->job.jobControl[0] = 1;
        ASSERT_TRUE(Pages(3));
        EXPECT_EQ(Pdev()->job.recordWord, RECORD_ON) << c.what;
        EXPECT_EQ(Pdev()->job.storedPages, 3) << c.what;
        PageSetupSnapshot &snapshot = Pdev()->job.setup.snapshot;
        snapshot.copies = c.copies;
        snapshot.deviceCollates = c.copies > 1;
        ASSERT_TRUE(EndDoc()) << c.what;
        Strings commands = Commands();
        EXPECT_EQ(Count(commands, "Ec"), c.sides) << c.what;
        EXPECT_EQ(Count(commands, "EP StartPage"), c.sides) << c.what;
        EXPECT_EQ(Count(commands, "EP EndPage of Physical"), c.sides) << c.what;
        ExpectInOrder(commands, {"EA", "Ec", "FB", "ED", "EP EndJob", "EB"});
        EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_COMPLETED) << c.what;
        Close();
    }
}

// The order the recorded sides are written in: as recorded, or reversed by sheet with a
// two-sided sheet's front kept before its back.
TEST(ReplayOrder, ReverseOrderKeepsEachSheetsSides)
{
    struct Case {
        LONG reverse;
        WORD duplex;
        std::vector<WORD> order;
    };
    const Case cases[] = {
        {0, 0, {1, 2, 3}},
        {1, 0, {3, 2, 1}},
        {1, 1, {3, 2, 1}},
        {1, 2, {3, 4, 1, 2}},
        {1, 2, {3, 2, 1}}, // an odd count side by side
        {0, 2, {1, 2, 3, 4}},
    };
    for (const Case &c : cases) {
        PageSetupSnapshot snapshot = {};
        snapshot.reverseOrder = c.reverse;
        snapshot.duplex = c.duplex;
        std::vector<WORD> order;
        for (WORD i = 0; i < c.order.size(); ++i)
            order.push_back(jcp_ReplayedSide((WORD)c.order.size(), i, &snapshot));
        EXPECT_EQ(order, c.order) << c.reverse << " " << c.duplex;
    }
}

// An aborted recording job leaves nothing: no page reaches the spooler after the header
// and the page store file is gone.
TEST_F(JobFlowTest, AbortedRecordingDropsItsPageStore)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Set(1312, 1);
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(2));
    std::u16string store((const char16_t *)Pdev()->job.stream->store.path);
    ASSERT_FALSE(store.empty());
    EXPECT_NE(GetFileAttributesW((LPCWSTR)store.c_str()), INVALID_FILE_ATTRIBUTES);
    EndDoc(ED_ABORTDOC);
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_ABORTED);
    EXPECT_EQ(GetFileAttributesW((LPCWSTR)store.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(Count(Commands(), "Ec"), 0u);
}

// A replay request for the next page takes effect when the page it was set on is sent:
// the sides before went out at once, the later ones are recorded with the page geometry
// the job began with.
TEST_F(JobFlowTest, NextPageReplayRecordsFromTheNextSheet)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(Pages(1));
    PageBlock geometry = Pdev()->job.setup.page;
    Pdev()->job.control.nextPageReplay = 1;
    ASSERT_TRUE(Pages(1));
    EXPECT_EQ(Pdev()->job.control.nextPageReplay, 0u);
    EXPECT_EQ(memcmp(&Pdev()->job.setup.page, &geometry, sizeof geometry), 0);
    ASSERT_TRUE(Pages(2));
    EXPECT_EQ(Pdev()->job.storedPages, 2);
    ASSERT_TRUE(EndDoc());
    EXPECT_EQ(Count(Commands(), "Ec"), 4u);
}

// Jobs asking for what the driver does not print fail DrvStartDoc before writing a byte.
TEST_F(JobFlowTest, WaitingFeaturesAreRefusedBeforeAnythingIsWritten)
{
    struct Case {
        const char *what;
        const char *model;
        WORD id1;
        DWORD value1;
        WORD id2;
        DWORD value2;
    };
    const Case cases[] = {
        {"stored job", "QMJOB", 336, 1, 0, 0},
        {"poster", "QMJOB", 321, 1, 296, 514},
        {"booklet", "QMJOB", 321, 2, 0, 0},
    };
    for (const Case &c : cases) {
        ASSERT_NO_FATAL_FAILURE(Open(c.model));
        if (c.id1)
            Set(c.id1, c.value1);
        if (c.id2)
            Set(c.id2, c.value2);
        EXPECT_FALSE(StartDoc()) << c.what;
        EXPECT_FALSE(DrvStartPage(surface_)) << c.what;
        EXPECT_FALSE(EndDoc()) << c.what;
        EXPECT_TRUE(Bytes().empty()) << c.what;
        EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_ABORTED) << c.what;
        Close();
    }
}

TEST_F(JobFlowTest, CarryOverRefusesAnOpenPageOrAnAbortedJob)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    PDEV other = {};
    PDEV *pdev = Pdev();
    pdev->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN | PAGE_STATE_PAGE_OPEN;
    EXPECT_EQ(jc_CarryJobState(pdev, &other), -1);
    pdev->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_ABORT;
    EXPECT_EQ(jc_CarryJobState(pdev, &other), -1);
    pdev->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN;
    EXPECT_EQ(jc_CarryJobState(pdev, &other), 0);
    EXPECT_EQ(pdev->job.pageState & PAGE_STATE_REREAD, PAGE_STATE_REREAD);
    pdev->job.pageState = 0;
}

} // namespace
} // namespace job_test
