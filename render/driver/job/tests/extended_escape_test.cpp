/*
 * The extended escape state: its set-up at DrvEnableSurface and the setting overrides it
 * writes into the job's DEVMODE and restores on every end of the job.
 */
#include "render/driver/job/extended_escape.h"

#include "render/driver/job/job_control.h"
#include "render/driver/job/tests/job_fixture.h"

namespace job_test {
namespace {

class ExtendedEscapeTest : public JobTest
{
protected:
    // Overrides of 295 (2), 264 (1), 294 (1), 296 (0), duplex (2) and the job mode.
    void Arm()
    {
        ExtendedEscapeState *ext = &Pdev()->job.control.ext;
        ext->overrides[0] = 2;
        ext->overrides[1] = 1;
        ext->overrides[2] = 1;
        ext->overrides[4] = 0;
        ext->duplexOverride = 2;
        ext->jobModeFlag = 1;
    }
    void Remember()
    {
        for (int i = 0; i < 7; ++i)
            before_[i] = Get(kIds[i]);
    }
    void ExpectRestored(const char *what)
    {
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(Get(kIds[i]), before_[i]) << what << ": setting " << kIds[i];
        EXPECT_EQ(Pdev()->job.control.ext.savedFlag, 0u) << what;
    }
    static constexpr WORD kIds[7] = {295, 264, 294, 321, 296, 16, 270};
    DWORD before_[7] = {};
};

TEST_F(ExtendedEscapeTest, SurfaceSetUpClearsTheOverridesAndKeepsTheJobValues)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    const ExtendedEscapeState &ext = Pdev()->job.control.ext;
    EXPECT_EQ(ext.modeOn, 0u);
    for (WORD word : ext.overrides)
        EXPECT_EQ(word, EXT_NO_OVERRIDE);
    EXPECT_EQ(ext.duplexOverride, EXT_NO_OVERRIDE);
    EXPECT_GE(ext.jobValues[0], 0x01010501u);
    EXPECT_EQ(ext.jobValues[2], 0u); // the test model's colour kind is 1
}

TEST_F(ExtendedEscapeTest, OverridesAreWrittenThenRestoredAndAnEarlierJobsValuesComeBackFirst)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    Set(270, 2);
    Remember();
    Arm();
    ASSERT_EQ(esc_ApplyJobOverrides(Pdev()), 0);
    EXPECT_EQ(Get(295), 2u);
    EXPECT_EQ(Get(264), 1u);
    EXPECT_EQ(Get(16), 2u);
    EXPECT_EQ(Get(270), 0u); // the job mode forces the colour mode
    // A second apply without a restore in between starts from the first job's values.
    Pdev()->job.control.ext.overrides[0] = 4;
    ASSERT_EQ(esc_ApplyJobOverrides(Pdev()), 0);
    EXPECT_EQ(Get(295), 4u);
    EXPECT_EQ(Pdev()->job.control.ext.saved[0], before_[0]);
    ASSERT_EQ(esc_RestoreJobOverrides(Pdev()), 0);
    ExpectRestored("restore");
    EXPECT_EQ(esc_RestoreJobOverrides(Pdev()), 0); // nothing saved: nothing written
}

// However the job ends, the overrides do not leak into the next job.
TEST_F(ExtendedEscapeTest, EveryEndOfAJobRestoresTheOverrides)
{
    struct Case {
        const char *what;
        int pages;
        bool abort;
        bool failWrite;
    };
    const Case cases[] = {
        {"completed", 1, false, false},
        {"empty", 0, false, false},
        {"aborted", 1, true, false},
        {"failed", 2, false, true},
    };
    for (const Case &c : cases) {
        ASSERT_NO_FATAL_FAILURE(Open());
        Remember();
        Arm();
        if (c.failWrite)
            qmt_SpoolerFailWrite(10, ERROR_DISK_FULL);
        ASSERT_TRUE(StartDoc()) << c.what;
        Pages(c.pages);
        EndDoc(c.abort ? ED_ABORTDOC : 0);
        qmt_SpoolerReset();
        ExpectRestored(c.what);
        Close();
    }
}

} // namespace
} // namespace job_test
