/*
 * The stream driven through the PDEV: writes only after the output began, the recording
 * word protocol, and closing whichever channel is open.
 */
#include "render/driver/pdev/pdev_output.h"

#include <memory>

#include "render/stream/tests/output_fixture.h"
#include "testing/settings_areas.h"

namespace output_test {
namespace {

class PdevOutputTest : public StreamTest
{
protected:
    void SetUp() override
    {
        StreamTest::SetUp();
        pdev_.reset(new PDEV());
        pdev_->printer = printer_;
        pdev_->job.stream = stream_; // the fixture's stream, destroyed by the fixture
        ASSERT_EQ(spl_PdevOpenChannel(pdev_.get()), 0);
    }
    std::unique_ptr<PDEV> pdev_;
};

TEST_F(PdevOutputTest, WritesOnlyOnceTheOutputBegan)
{
    BYTE bytes[3] = {1, 2, 3};
    EXPECT_EQ(spl_PdevWrite(pdev_.get(), 3, bytes), -1);
    pdev_->job.pageState = PAGE_STATE_DOC_OPEN | PAGE_STATE_OUTPUT_BEGUN;
    EXPECT_EQ(spl_PdevWrite(pdev_.get(), 3, bytes), 3);
    EXPECT_EQ(spl_PdevCloseChannel(pdev_.get(), FALSE), 0);
    EXPECT_EQ(JobBytes(job_), (std::vector<BYTE>{1, 2, 3}));
}

TEST_F(PdevOutputTest, ClosingEndsASecondJobOrTheOwnChannel)
{
    pdev_->job.pageState = PAGE_STATE_OUTPUT_BEGUN;
    ASSERT_EQ(spl_PdevOpenSecondJob(pdev_.get(), TEXT("copy 2")), 0);
    BYTE byte = 9;
    spl_PdevWrite(pdev_.get(), 1, &byte);
    EXPECT_EQ(spl_PdevCloseChannel(pdev_.get(), TRUE), 0);
    EXPECT_EQ(JobInfo(Jobs().back()).Status, (DWORD)QMH_JOB_ABORTED);
    ASSERT_EQ(spl_PdevOpenChannel(pdev_.get()), 0);
    EXPECT_EQ(spl_PdevCloseChannel(pdev_.get(), FALSE), 0);
    EXPECT_EQ(JobInfo(job_).Status, (DWORD)QMH_JOB_OPEN) << "the driver's own job is left to the engine";
}

TEST_F(PdevOutputTest, TemporaryOutputFileKeepsItsPath)
{
    pdev_->job.pageState = PAGE_STATE_OUTPUT_BEGUN;
    ASSERT_EQ(spl_PdevOpenTempOutputFile(pdev_.get()), 0);
    std::u16string path = pdev_->job.tempOutputPath;
    EXPECT_EQ(path.substr(0, 11), u"C:\\TEMP\\QMP");
    BYTE bytes[2] = {4, 5};
    spl_PdevWrite(pdev_.get(), 2, bytes);
    DWORD end = 0;
    EXPECT_EQ(spl_CloseOutputFile(stream_, &end), 0);
    EXPECT_EQ(end, 2u);
    EXPECT_EQ(FileBytes(path.c_str()), (std::vector<BYTE>{4, 5}));
}

// The user's output file named by the job's settings, beside the spooler.
TEST_F(PdevOutputTest, UserOutputFileFromTheSettings)
{
    auto areas = std::make_unique<TestSettingsAreas>();
    areas->set_text(FID_OUTPUT_FOLDER, TEXT("C:\\jobs\\out"));
    areas->set_text(FID_STORED_JOB_NAME, TEXT("report"));
    memcpy(&pdev_->devmode, &areas->devmode, sizeof(areas->devmode));
    pdev_->printerData = &areas->block;
    pdev_->job.pageState = PAGE_STATE_OUTPUT_BEGUN;
    ASSERT_EQ(spl_OpenUserOutputFile(pdev_.get()), 0);
    BYTE bytes[2] = {8, 9};
    spl_PdevWrite(pdev_.get(), 2, bytes);
    EXPECT_EQ(spl_PdevCloseUserOutputFile(pdev_.get()), 0);
    EXPECT_EQ(FileBytes(TEXT("C:\\jobs\\out\\report.prn")), (std::vector<BYTE>{8, 9}));
    EXPECT_EQ(JobBytes(job_), (std::vector<BYTE>{8, 9}));
}

// The recording word: 0 -> 0x8000 -> mode | 0x8001 per page -> 0x8000 -> 0.
TEST_F(PdevOutputTest, RecordingWordProtocol)
{
    PDEV *pdev = pdev_.get();
    pdev->job.pageState = PAGE_STATE_OUTPUT_BEGUN;
    EXPECT_EQ(spl_PdevBeginRecordedPage(pdev, 4), -1) << "not recording";
    ASSERT_EQ(spl_PdevStartRecording(pdev), 0);
    EXPECT_EQ(pdev->job.recordWord, RECORD_ON);
    EXPECT_EQ(spl_PdevStartRecording(pdev), -1);
    for (WORD mode : {0, 1, 64, 0x40 | 4})
        EXPECT_EQ(spl_PdevBeginRecordedPage(pdev, mode), -1) << mode;
    ASSERT_EQ(spl_PdevBeginRecordedPage(pdev, 62), 0);
    EXPECT_EQ(pdev->job.recordWord, 62 | RECORD_PAGE_OPEN);
    EXPECT_EQ(spl_PdevBeginRecordedPage(pdev, 4), -1) << "a page is open";
    EXPECT_EQ(spl_PdevEndRecording(pdev), -1) << "a page is open";
    BYTE byte = 7, setup[PAGE_ENTRY_SETUP_SIZE], entry[PAGE_ENTRY_SIZE] = {};
    memset(setup, 0x33, sizeof(setup));
    spl_PdevWrite(pdev, 1, &byte);
    ASSERT_EQ(spl_PdevEndRecordedPage(pdev, setup), 0);
    EXPECT_EQ(pdev->job.recordWord, RECORD_ON);
    EXPECT_EQ(pdev->job.storedPages, 1);
    EXPECT_EQ(spl_PdevEndRecordedPage(pdev, setup), -1);
    ASSERT_EQ(spl_PdevGetPageEntry(pdev, 1, entry), 0);
    EXPECT_EQ(entry[PAGE_ENTRY_SETUP_OFFSET - 1], 0);
    EXPECT_EQ(entry[PAGE_ENTRY_SETUP_OFFSET], 0x33);
    EXPECT_EQ(entry[PAGE_ENTRY_SETUP_OFFSET + PAGE_ENTRY_SETUP_SIZE], 0);
    ASSERT_EQ(spl_PdevBeginRecordedPage(pdev, 2), 0);
    ASSERT_EQ(spl_PdevEndRecordedPage(pdev, NULL), 0);
    EXPECT_EQ(pdev->job.storedPages, 2);
    EXPECT_EQ(spl_PdevEndRecording(pdev), 0);
    EXPECT_EQ(pdev->job.recordWord, 0);
    EXPECT_TRUE(JobBytes(job_).empty()) << "recorded pages stay in the store";
}

} // namespace
} // namespace output_test
