/*
 * The fax side of a job: the cover destination record, the feed-direction classifiers and
 * the cover page geometry, then fax jobs run through the entry points on the fax sibling
 * of the sample model (its range record 0x8002 names papers 1, 9 and 11 with the feed
 * sub-words 1, 2 and 3): the prepared cover file, the list escape and the fax file a job
 * names.
 */
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "core/protocol/escapes.h"
#include "core/settings/settings_types.h"
#include "platform/include/qmhost.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/binding/dma_binding.h"
#include "render/driver/fax/fax.h"
#include "render/driver/job/job_control.h"
#include "render/driver/job/tests/job_fixture.h"

namespace {

using job_test::JobTest;

const size_t kHead = sizeof(FaxSendList), kDestination = sizeof(FaxDestination);

// A list of count destinations; destination i has the number "0123-4567<i>".
std::vector<BYTE> MakeList(int count)
{
    std::vector<BYTE> bytes(kHead + kDestination * count, 0);
    FaxSendList *head = (FaxSendList *)bytes.data();
    memcpy(head->tag, u"DFAX001", 16);
    head->count = (WORD)count;
    for (int i = 0; i < count; ++i) {
        std::u16string number = u"0123-4567" + std::u16string(1, (char16_t)(u'0' + i));
        memcpy(bytes.data() + kHead + kDestination * i + 2, number.data(), number.size() * 2);
    }
    return bytes;
}

// Head strings filling their whole fields, no terminator: the record cuts them to 40 and
// 670 characters, terminates them and writes nothing past its 2166 bytes.
TEST(FaxRecordTest, HeadStringsAreCutAndTerminatedInsideTheRecord)
{
    std::vector<BYTE> bytes = MakeList(2);
    FaxSendList *head = (FaxSendList *)bytes.data();
    for (WCHAR &c : head->list1)
        c = u'a';
    for (WCHAR &c : head->list2)
        c = u'b';
    struct Guarded {
        BYTE before[32];
        FaxCoverDestination record;
        BYTE after[32];
    } guarded;
    memset(&guarded, 0xCC, sizeof guarded);
    ASSERT_TRUE(job_GetFaxDestinationStrings(head, 1, &guarded.record));
    EXPECT_EQ(lstrlenW(guarded.record.headText1), FAX_HEAD_TEXT1_CHARS);
    EXPECT_EQ(lstrlenW(guarded.record.headText2), FAX_HEAD_TEXT2_CHARS);
    EXPECT_EQ(memcmp(&guarded.record.destination, bytes.data() + kHead + kDestination, kDestination), 0);
    for (BYTE b : guarded.before)
        EXPECT_EQ(b, 0xCC);
    for (BYTE b : guarded.after)
        EXPECT_EQ(b, 0xCC);

    // No destination 2 and no list: FALSE and a zeroed record.
    EXPECT_FALSE(job_GetFaxDestinationStrings(head, 2, &guarded.record));
    EXPECT_EQ(guarded.record.headText1[0], 0);
    EXPECT_EQ(guarded.record.destination.number[0], 0);
    EXPECT_FALSE(job_GetFaxDestinationStrings(nullptr, 0, &guarded.record));
    EXPECT_FALSE(job_GetFaxDestinationStrings(head, 0, nullptr));
}

// Every feed code with the papers that decide it, the first code of the pair before the
// second.
TEST(FeedDirectionTest, ClassifiesByFeedCodeAndPaper)
{
    struct Case {
        WORD codes[2];
        WORD paper;
        WORD direction;
    };
    const Case cases[] = {
        {{257, 0}, 11, 1},    {{514, 0}, 11, 1},  {{771, 0}, 9, 2},    {{1028, 0}, 3, 2},   {{1542, 0}, 1, 2},
        {{1542, 0}, 9, 2},    {{1542, 0}, 13, 2}, {{1542, 0}, 258, 2}, {{1542, 0}, 283, 2}, {{1542, 0}, 3, 1},
        {{1542, 0}, 8, 1},    {{1542, 0}, 12, 1}, {{1542, 0}, 257, 1}, {{1542, 0}, 282, 1}, {{1542, 0}, 11, 0},
        {{1542, 771}, 11, 2}, {{257, 771}, 9, 1}, {{0, 1028}, 9, 2},   {{0, 0}, 9, 0},      {{1, 2}, 9, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fax_ClassifyFeedBySize(c.codes, c.paper), c.direction)
            << c.codes[0] << "/" << c.codes[1] << " paper " << c.paper;
    }
    EXPECT_EQ(fax_ClassifyFeedBySize(nullptr, 9), 0);
}

TEST(FeedDirectionTest, PageDirectionRules)
{
    struct Case {
        WORD orientation, flag, paperType, value, direction;
    };
    const Case cases[] = {
        {1, 0, 2, 0, 1},
        {2, 0, 8, 0, 2},
        {7, 0, 2, 0, 2}, // the flag off on paper types 2 and 8
        {1, 1, 2, 2, 2},
        {2, 1, 0, 1, 1}, // the flag on: its value
        {1, 0, 0, 0, 2},
        {2, 0, 5, 0, 1},
        {7, 0, 0, 0, 1}, // otherwise
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fax_GetPageDirection(c.orientation, c.flag, c.paperType, c.value), c.direction)
            << c.orientation << " " << c.flag << " " << c.paperType << " " << c.value;
    }
}

class FaxJobTest : public JobTest
{
protected:
    // The fax list escape of the user-interface driver.
    ULONG SendList(const std::vector<BYTE> &list)
    {
        return DrvEscape(surface_, ESC_FAX_LIST, (ULONG)list.size(), (PVOID)list.data(), 0, nullptr);
    }
    // A string setting: the library takes the address of the text's pointer.
    void SetText(WORD functionId, const std::u16string &text)
    {
        const WCHAR *pointer = (const WCHAR *)text.c_str();
        ASSERT_EQ(
            dma_CallSetValue(
                functionId, &Pdev()->devmode, Pdev()->printerData, VT_STRING, (DWORD)(text.size() + 1) * 2, &pointer),
            0);
    }
    // A fax job: cover sheet of a kind (0: none), one destination, started with its list.
    void StartFax(DWORD coverKind)
    {
        Open("QM50F1");
        Set(376, coverKind != 0);
        Set(377, coverKind == 2);
        Set(380, 1);
        ASSERT_TRUE(StartDoc());
        ASSERT_EQ(SendList(MakeList(1)), 1u);
    }
};

// Paper 9 on a tray feeding 1542 goes in direction 2, on 257 in direction 1; the model's
// record decides when the feed codes do not, with sub-word 3 by tray code 4 and the flag.
TEST_F(FaxJobTest, FeedDirectionByRecordAndTurn)
{
    Open("QM50F1");
    PDEV *pdev = Pdev();
    struct Case {
        WORD paper;
        BYTE tray;
        WORD flag;
        WORD direction;
    };
    const Case cases[] = {
        {1, 1, 0, 1},
        {9, 1, 0, 2},
        {11, 4, 0, 1},
        {11, 4, 1, 2},
        {11, 1, 0, 2},
        {11, 1, 1, 2},
        {13, 1, 0, 0},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(fax_ClassifyFeedByRecord(pdev, c.paper, c.tray, c.flag), c.direction)
            << "paper " << c.paper << " tray " << (int)c.tray << " flag " << c.flag;
    }
    FaxFeedQuery query = {};
    query.paperCode = 9;
    query.orientation = 1; // portrait: direction 2
    query.feedCodes[0] = 1542;
    EXPECT_EQ(fax_IsPageTurnNeeded(pdev, &query), 0u);
    query.feedCodes[0] = 257;
    EXPECT_EQ(fax_IsPageTurnNeeded(pdev, &query), 1u);
    query.feedCodes[0] = 0; // the record: paper 9 is fed in direction 2
    EXPECT_EQ(fax_IsPageTurnNeeded(pdev, &query), 0u);
    query.orientation = 7;
    EXPECT_EQ(fax_IsPageTurnNeeded(pdev, &query), 1u);
    query.paperCode = 13; // no feed direction known: never turned
    EXPECT_EQ(fax_IsPageTurnNeeded(pdev, &query), 0u);
}

TEST_F(FaxJobTest, CoverGeometryFromPaperRecordNine)
{
    Open("QM50F1");
    PaperRecord paper;
    WORD code = 0;
    POINTL origin = {5, 5};
    ASSERT_EQ(fax_GetCoverGeometry(Pdev(), &paper, &code, &origin), 0);
    EXPECT_EQ(code, 9);
    EXPECT_EQ(paper.paperCode, 9);
    EXPECT_EQ(paper.width, 2100);
    EXPECT_EQ(paper.length, 2970);
    EXPECT_EQ(paper.printableWidth, 2016);
    EXPECT_EQ(paper.printableLength, 2870);
    EXPECT_EQ(paper.offsetX, 42);
    EXPECT_EQ(paper.offsetY, 50);
    EXPECT_EQ(paper.marginLeft, 42);
    EXPECT_EQ(paper.marginTop, 50);
    EXPECT_EQ(paper.marginRight, 43);
    EXPECT_EQ(paper.marginBottom, 51);
    EXPECT_EQ(origin.x, 0);
    EXPECT_EQ(origin.y, 0);
}

// The list escape answers 1 on the fax model and keeps a copy; a list that is not whole
// is refused by the escape, and when it reaches job control the job is left without a
// list, so its cover sheet aborts the job.
TEST_F(FaxJobTest, ListEscapeAndAFailedLoad)
{
    StartFax(2);
    EXPECT_NE(Pdev()->job.faxList, nullptr);
    EXPECT_EQ(Pdev()->job.faxJob, 1u);
    std::vector<BYTE> broken = MakeList(2);
    broken.resize(kHead + kDestination); // one destination short
    EXPECT_EQ(SendList(broken), (ULONG)-1);
    EXPECT_NE(Pdev()->job.faxList, nullptr);
    EXPECT_EQ(jc_LoadFaxSendList(Pdev(), broken.data(), (DWORD)broken.size()), -1);
    EXPECT_EQ(Pdev()->job.faxList, nullptr);
    EXPECT_FALSE(Pages(1));
    EndDoc();
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_ABORTED);
}

// Cover kind 1: the prepared cover file goes into the stream byte for byte (a file of
// more than one copy piece); without the file the cover sheet fails and the job aborts.
TEST_F(FaxJobTest, PreparedCoverFileCopiedWholeOrTheJobAborts)
{
    std::string prepared;
    for (int i = 0; prepared.size() < 20000; ++i) {
        prepared += (i % 2) ? "AR" : "AK\x02";
    }
    HANDLE file = CreateFileW(TEXT("C:\\drv\\qmcover.dat"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file, prepared.data(), (DWORD)prepared.size(), &written, nullptr));
    CloseHandle(file);
    StartFax(1);
    ASSERT_TRUE(Pages(1));
    ASSERT_TRUE(EndDoc());
    std::vector<BYTE> bytes = Bytes();
    std::string stream(bytes.begin(), bytes.end());
    EXPECT_NE(stream.find(prepared), std::string::npos) << "the prepared file is not in the stream whole";
    Close();

    ASSERT_TRUE(DeleteFileW(TEXT("C:\\drv\\qmcover.dat")));
    endDone_ = FALSE;
    StartFax(1);
    EXPECT_FALSE(Pages(1));
    EXPECT_FALSE(EndDoc());
    EXPECT_EQ(JobStatus(), (DWORD)QMH_JOB_ABORTED);
}

// One spool job per destination: each holds its own header, cover sheet and the recorded
// pages, and its job information counts its own pages only.
TEST_F(FaxJobTest, EachDestinationItsOwnSpoolJobAndJobInformation)
{
    Open("QM50FJ");
    Set(376, 1);
    Set(377, 1); // the document name: no prepared file needed
    Set(380, 2);
    ASSERT_TRUE(StartDoc());
    ASSERT_EQ(SendList(MakeList(2)), 1u);
    ASSERT_TRUE(Pages(2));
    ASSERT_TRUE(EndDoc());
    QMH_JOB_INFO jobs[8] = {};
    DWORD count = qmh_EnumJobs(TEXT("QM Job QM50FJ"), jobs, 8);
    std::vector<std::string> streams;
    for (DWORD i = 0; i < count && i < 8; ++i) {
        if (jobs[i].JobId < job_) {
            continue;
        }
        EXPECT_EQ(jobs[i].Status, (DWORD)QMH_JOB_COMPLETED);
        std::vector<BYTE> bytes(jobs[i].Bytes);
        DWORD needed = 0;
        ASSERT_TRUE(qmh_ReadJobData(jobs[i].JobId, bytes.data(), (DWORD)bytes.size(), &needed));
        streams.emplace_back(bytes.begin(), bytes.end());
    }
    ASSERT_EQ(streams.size(), 2u);
    for (size_t i = 0; i < streams.size(); ++i) {
        const std::string &stream = streams[i];
        EXPECT_NE(stream.find("0123-4567" + std::to_string(i)), std::string::npos) << i;
        size_t pages = 0;
        for (size_t at = stream.find("]StartPage"); at != std::string::npos; at = stream.find("]StartPage", at + 1))
            ++pages;
        EXPECT_EQ(pages, 3u) << "destination " << i << ": the cover sheet and two pages";
    }
    // The job-information lines of the two spool jobs are the same.
    auto infoLines = [](const std::string &stream) {
        std::string lines;
        for (size_t at = stream.find("QMJOBINFO"); at != std::string::npos; at = stream.find("QMJOBINFO", at + 1))
            lines += stream.substr(at, stream.find('\n', at) - at) + "\n";
        return lines;
    };
    EXPECT_FALSE(infoLines(streams[0]).empty());
    EXPECT_EQ(infoLines(streams[0]), infoLines(streams[1]));
}

// The fax file a job names (setting 375) is deleted after completed, empty and aborted
// jobs when it is a one-time fax destination file; any other file stays.
TEST_F(FaxJobTest, OneTimeFaxFileDeletedPlainFileKept)
{
    CreateDirectoryW(TEXT("C:\\fax"), nullptr);
    std::vector<BYTE> oneTime = MakeList(2);
    struct Run {
        const char *name;
        int pages;
        FLONG endFlags;
    };
    const Run runs[] = {{"completed", 1, 0}, {"empty", 0, 0}, {"aborted", 1, ED_ABORTDOC}};
    for (const Run &run : runs) {
        for (bool plain : {false, true}) {
            std::u16string path = plain ? u"C:\\fax\\notes.txt" : u"C:\\fax\\onetime.fax";
            std::vector<BYTE> content = oneTime;
            if (plain) {
                content.push_back(0); // a byte more than the list's size: not a fax file
            }
            HANDLE file = CreateFileW((LPCWSTR)path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            ASSERT_NE(file, INVALID_HANDLE_VALUE);
            DWORD written = 0;
            WriteFile(file, content.data(), (DWORD)content.size(), &written, nullptr);
            CloseHandle(file);

            endDone_ = FALSE;
            Open("QM50F1");
            SetText(375, path);
            ASSERT_TRUE(StartDoc());
            ASSERT_EQ(SendList(MakeList(1)), 1u);
            Pages(run.pages);
            EndDoc(run.endFlags);
            Close();
            BOOL exists = GetFileAttributesW((LPCWSTR)path.c_str()) != INVALID_FILE_ATTRIBUTES;
            EXPECT_EQ(exists, plain ? TRUE : FALSE) << run.name << (plain ? " plain" : " one-time");
            DeleteFileW((LPCWSTR)path.c_str());
        }
    }
}

} // namespace
