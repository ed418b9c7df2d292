/*
 * The job-information comment: the preset block, completeness, resumable writing through
 * a small buffer, page lines and counts, restarting, line ends and the page table.
 */
#include "core/jobtext/job_info.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("\\JOBINFO_TEST_LOG.txt");
}

namespace {

const std::string P = "@PJL COMMENT QMJOBINFO ";

struct Record {
    JobInfoRecord *r;
    explicit Record(WORD pages = 4, DWORD tag = 100) : r(job_NewJobInfo(pages, tag)) {}
    ~Record()
    {
        job_FreeJobInfo(r);
    }
};

/* Writes a whole block with one call of the given capacity. */
std::string WriteAll(JobInfoRecord *r, DWORD capacity = 8192, WORD *flags = nullptr)
{
    std::string out(capacity, '\0');
    DWORD more = 7;
    WORD f = 0;
    DWORD n = job_WriteJobInfoLines(r, out.data(), capacity, &more, &f);
    EXPECT_EQ(0u, more);
    if (flags)
        *flags = f;
    return out.substr(0, n);
}

/* A print job of three pages, the second one empty. */
void FillPrintJob(JobInfoRecord *r)
{
    job_SetJobInfoPdl(r, 1, "1.8.2");
    job_SetJobInfoJobType(r, 0);
    r->jobCopies = 2;
    r->present[JI_JOBCOPIES] = 1;
    r->pageCopies = 1;
    r->present[JI_PAGECOPIES] = 1;
    r->outputTray = 2;
    r->outputBin = 3;
    r->present[JI_OUTTRAY] = 1;
    r->punchHoles = 2;
    r->punchPosition = 1;
    r->present[JI_PUNCH] = 1;
    for (int code = JI_PAGEINFO; code <= JI_ITEM_POS; ++code)
        r->present[code] = 1;
    PageInfoTable *t = r->pageTable;
    t->used = 3;
    const PageInfoEntry pages[3] = {
        {1, 4, 1, 0, 1, 100, "A4"},
        {3, 0, 1, 1, 2, 2000, "A4"},
        {2, 0, 2, 2, 3, 30000, "LETTER"},
    };
    for (DWORD n = 1; n <= 3; ++n) {
        ASSERT_TRUE(job_SelectPageRecord(t, n));
        *job_GetCurrentPageRecord(t) = pages[n - 1];
    }
}

TEST(JobInfo, PresetBlock)
{
    Record rec;
    ASSERT_NE(nullptr, rec.r);
    WORD flags = 9;
    EXPECT_EQ(P + "VERSION=1.2.0\n" + P + "BEGIN\n" + P + "END\n", WriteAll(rec.r, 8192, &flags));
    EXPECT_EQ(JI_ERROR_INCOMPLETE, flags) << "the zeroed job type is 0, whose codes are missing";
    EXPECT_EQ(P + "VERSION=1.2.0\n" + P + "BEGIN\n" + P + "END\n", WriteAll(rec.r))
        << "a second block starts again at VERSION";
    job_SetJobInfoLineEnd(rec.r, 1);
    EXPECT_EQ(P + "VERSION=1.2.0\r\n" + P + "BEGIN\r\n" + P + "END\r\n", WriteAll(rec.r));
}

TEST(JobInfo, IncompletePrintJobIsStillWritten)
{
    Record rec;
    job_SetJobInfoPdl(rec.r, 1, "1.8.2");
    job_SetJobInfoJobType(rec.r, 0);
    WORD flags = 0;
    EXPECT_EQ(P + "VERSION=1.2.0\n" + P + "BEGIN\n" + P + "PDLTYPE=PDL[LUMIQ]:VERSION[1.8.2]\n" + P +
                  "JOBTYPE=PRINT\n" + P + "END\n",
              WriteAll(rec.r, 8192, &flags));
    EXPECT_EQ(JI_ERROR_INCOMPLETE, flags) << "copies and pages missing";
}

TEST(JobInfo, PagesThroughASmallBufferEqualOneCall)
{
    Record whole, pieces;
    FillPrintJob(whole.r);
    FillPrintJob(pieces.r);
    WORD flags = 9;
    const std::string expected = WriteAll(whole.r, 8192, &flags);
    EXPECT_EQ(0, flags);
    EXPECT_NE(std::string::npos, expected.find(P + "PHYSICALPAGES=2\n")) << "the empty page is not counted";
    EXPECT_NE(std::string::npos, expected.find(P + "OUTTRAY=OUTBIN3\n"));
    EXPECT_NE(std::string::npos, expected.find(P + "PUNCH=HOLES[TWO]:POSITION[LEFT]\n"));
    EXPECT_NE(std::string::npos,
              expected.find(P +
                            "PAGEINFO=SIZE[A4]:MODE[COLOR]:COLORS[4]:INTRAY[1]:DUPLEX[SIMPLEX]:"
                            "ORIENTATION[PORTRAIT]:POS[100]\n" +
                            P +
                            "PAGEINFO=SIZE[A4]:MODE[EMPTY]:INTRAY[1]:DUPLEX[DUPLEX]:ORIENTATION[LANDSCAPE]:"
                            "POS[2000]\n"))
        << expected;

    std::string joined;
    DWORD more = 1, calls = 0;
    while (more && calls < 50) {
        char buffer[513];
        memset(buffer, 0x7f, sizeof(buffer));
        DWORD n = job_WriteJobInfoLines(pieces.r, buffer, sizeof(buffer), &more, &flags);
        ASSERT_TRUE(n > 0 || !more) << "no progress";
        ASSERT_EQ('\0', buffer[n]);
        ASSERT_TRUE(n == 0 || buffer[n - 1] == '\n') << "no line is split";
        joined.append(buffer, n);
        ++calls;
    }
    EXPECT_GT(calls, 1u);
    EXPECT_EQ(expected, joined);
}

TEST(JobInfo, CapacityBelowOneLineWritesNothing)
{
    Record rec;
    char buffer[10];
    DWORD more = 0;
    EXPECT_EQ(0u, job_WriteJobInfoLines(rec.r, buffer, sizeof(buffer), &more, nullptr));
    EXPECT_EQ(1u, more);
    const std::string first = P + "VERSION=1.2.0\n";
    std::string exact(first.size() + 1, '\0');
    EXPECT_EQ(first.size(), job_WriteJobInfoLines(rec.r, exact.data(), (DWORD)exact.size(), &more, nullptr));
    EXPECT_EQ(1u, more) << "a line fits when written + line + 1 <= capacity";
}

TEST(JobInfo, ValuesOutsideTheirTablesWriteNoLine)
{
    Record rec;
    job_SetJobInfoPdl(rec.r, 4, "x");
    rec.r->staple = 10;
    rec.r->present[JI_STAPLE] = 1;
    rec.r->bookletType = 2; /* needs a threshold */
    rec.r->present[JI_BOOKLETTYPE] = 1;
    rec.r->fold = 8;
    rec.r->present[JI_FOLD] = 1;
    EXPECT_EQ(P + "VERSION=1.2.0\n" + P + "BEGIN\n" + P + "FOLD=TRICFOLDOUTSIDE\n" + P + "END\n", WriteAll(rec.r));
}

TEST(JobInfo, PageTableChunksAndCursor)
{
    Record rec(1700, 100);
    PageInfoTable *t = rec.r->pageTable;
    EXPECT_EQ(40u, sizeof(PageInfoEntry));
    EXPECT_EQ(2u, t->chunkCount) << "1600 items per chunk, then the rest";
    EXPECT_EQ(1700, t->capacity);
    EXPECT_EQ(100u, t->growthStep);
    t->used = 1700;
    ASSERT_TRUE(job_SelectPageRecord(t, 1700));
    PageInfoEntry *last = job_GetCurrentPageRecord(t);
    ASSERT_NE(nullptr, last);
    last->position = 77;
    EXPECT_FALSE(job_SelectPageRecord(t, 1701)) << "beyond the used count";
    EXPECT_EQ(1700u, job_GetCurrentPageIndex(t)) << "nothing changed";
    EXPECT_FALSE(job_SelectPageRecord(t, 0));

    // Appending to the full table adds a chunk of the growth step; the last chunk, not
    // full, is not enlarged, so no entry moves.
    PageInfoEntry *appended = job_AppendPageRecord(t);
    ASSERT_NE(nullptr, appended);
    EXPECT_EQ(appended, job_GetPageRecord(t, 1701));
    EXPECT_EQ(1800, t->capacity);
    EXPECT_EQ(3u, t->chunkCount);
    EXPECT_EQ(last, job_GetPageRecord(t, 1700)) << "entries do not move";
    EXPECT_EQ(77u, job_GetPageRecord(t, 1700)->position);
    PageInfoEntry zero = {}, added = *job_GetPageRecord(t, 1800);
    EXPECT_EQ(0, memcmp(&zero, &added, sizeof(zero))) << "added chunks are zeroed";
    EXPECT_FALSE(job_AllocPageChunks(t, 0xFFFF)) << "the capacity stays 16-bit";
    EXPECT_EQ(1800, t->capacity);
    ASSERT_TRUE(job_SelectPageRecord(t, 1700));
    PageInfoEntry copy = {};
    EXPECT_TRUE(job_CopyCurrentPageRecord(t, &copy));
    EXPECT_EQ(77u, copy.position);
    job_FreeJobInfo(nullptr);
}

} // namespace
