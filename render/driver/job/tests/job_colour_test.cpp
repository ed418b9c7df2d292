/*
 * The job's colour pipeline on the PDEV: opened from the job's colour settings (as the
 * device uses them) when output begins, released with the job; the page's colour set
 * emptied at every logical page.
 */
#include "render/pdl/colour/colour_session.h"

#include "render/driver/job/job_control.h"
#include "render/pdl/compression/colour_analysis.h"
#include "render/driver/job/tests/job_fixture.h"
#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"
#include "testing/standins/standin_controls.h"

namespace job_test {
namespace {

class JobColourTest : public JobTest
{
};

TEST_F(JobColourTest, SettingsAsTheDeviceUsesThemBuildTheSession)
{
    struct Case {
        const char *name;
        std::vector<std::pair<WORD, DWORD>> settings;
        DWORD flags;
    } cases[] = {
        {"common adjustment", {{293, 2}, {273, 7}, {274, 30}}, CLR_SETUP_COMMON_MATRIX},
        {"adjustment off without 293 at 2", {{293, 0}, {273, 7}, {274, 30}}, 0},
        {"saturation ignored under grey output", {{293, 2}, {270, 1}, {273, 7}, {278, 30}}, 0},
        {"fixed table", {{293, 4}, {286, 1}}, CLR_SETUP_FIXED_TABLE},
    };
    for (const Case &c : cases) {
        ASSERT_NO_FATAL_FAILURE(Open());
        for (const auto &s : c.settings)
            Set(s.first, s.second);
        ASSERT_TRUE(StartDoc()) << c.name;
        ASSERT_TRUE(DrvStartPage(surface_)) << c.name;
        ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0) << c.name;
        ASSERT_NE(Pdev()->job.colorSession, nullptr) << c.name;
        EXPECT_EQ(Pdev()->job.colorSession->setupFlags, c.flags) << c.name;
        ASSERT_TRUE(DrvSendPage(surface_));
        ASSERT_TRUE(EndDoc()) << c.name;
        EXPECT_EQ(Pdev()->job.colorSession, nullptr) << c.name;
        Close();
    }
}

TEST_F(JobColourTest, EveryPageStartsWithAnEmptySet)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
    Pdev()->job.colorSet.count = 4;
    Pdev()->job.colorSet.slots[0] = 0x123456;
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
    EXPECT_EQ(Pdev()->job.colorSet.count, 0);
    EXPECT_EQ(Pdev()->job.colorSet.slots[0], 0xFFFFFFu);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
}

// The analysis marks the page coloured only while it is undecided and adds the image's
// colours to the page's set.
TEST_F(JobColourTest, ImageAnalysisMarksThePageAndFillsTheSet)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
    Pdev()->job.colorResult = 0;
    clr_InitColorSet(&Pdev()->job.colorSet, TRUE, 15, COLOR_SET_SKIP_WHITE);
    const BYTE grey[6] = {9, 9, 9, 0xFF, 0xFF, 0xFF};
    const BYTE colour[6] = {9, 9, 9, 0xFF, 0, 0};
    LONG result = 0;
    EXPECT_EQ(img_AnalyseImageColor(&result, &Pdev()->job.colorSet, Pdev(), grey, 2, 1, nullptr, 0, 4, 24), 0);
    EXPECT_EQ(Pdev()->job.colorResult, 0);
    EXPECT_EQ(Pdev()->job.colorSet.count, 1); // white is not counted
    EXPECT_EQ(img_AnalyseImageColor(&result, &Pdev()->job.colorSet, Pdev(), colour, 2, 1, nullptr, 0, 4, 24), 0);
    EXPECT_EQ(result, IMG_ANALYSIS_COLOUR);
    EXPECT_EQ(Pdev()->job.colorResult, 2);
    EXPECT_EQ(Pdev()->job.colorSet.count, 2);
    // Decided: nothing is scanned, and that counts as success.
    EXPECT_EQ(img_AnalyseImageColor(&result, &Pdev()->job.colorSet, Pdev(), colour, 2, 1, nullptr, 0, 4, 24), 0);
    EXPECT_EQ(result, IMG_ANALYSIS_NONE);
    EXPECT_EQ(img_AnalyseImageColor(&result, nullptr, nullptr, colour, 2, 1, nullptr, 0, 4, 24), -1);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
}

// A model naming the colour component: bound when setting 291 asks for it, loaded and
// freed once with the job.
TEST_F(JobColourTest, TheModelsColourComponentIsBoundForTheJob)
{
    driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmkrv50.dll"), u"qmkrv50.dll");
    HMODULE standin = LoadLibraryW(TEXT("C:\\drv\\qmkrv50.dll"));
    ASSERT_NE(standin, nullptr);
    typedef ColourStandinControl *(WINAPI * ControlFn)(DWORD);
    ColourStandinControl *control = ((ControlFn)(void *)GetProcAddress(standin, "QmColourStandinControl"))(1);
    ASSERT_NO_FATAL_FAILURE(Open("QMJOBKR"));
    Set(291, 3);
    ASSERT_TRUE(StartDoc());
    ASSERT_TRUE(DrvStartPage(surface_));
    ASSERT_EQ(jc_EnsurePageStarted(Pdev()), 0);
    ASSERT_NE(Pdev()->job.colorSession, nullptr);
    EXPECT_NE(Pdev()->job.colorSession->component.handle, nullptr);
    EXPECT_EQ(control->loads, 1u);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
    EXPECT_EQ(control->frees, 1u);
    Close();
    FreeLibrary(standin); // the fixture then finds every module given back
}

} // namespace
} // namespace job_test
