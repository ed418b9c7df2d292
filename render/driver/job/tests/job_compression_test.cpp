/*
 * The job's outside compression component: bound at job open by the job's PDL version
 * from the model's plain file name, given back once at the job's release; a component
 * without every entry or without a handle is no component.
 */
#include "render/pdl/compression/compress_component.h"

#include "core/context/tests/driver_files.h"
#include "platform/testing/qm_testing.h"
#include "render/driver/job/tests/job_fixture.h"
#include "testing/standins/standin_controls.h"

namespace job_test {
namespace {

typedef CompressStandinControl *(WINAPI *ControlFn)(DWORD reset);

class JobCompressionTest : public JobTest
{
protected:
    void SetUp() override
    {
        JobTest::SetUp();
        driver_files::CopyIn(driver_files::HostFile(QM_STANDIN_DIR "/qmcmp50.dll"), u"qmcmp50.dll");
        // The test's own reference keeps the stand-in's state across the driver's loads.
        standin_ = LoadLibraryW(TEXT("C:\\drv\\qmcmp50.dll"));
        ASSERT_NE(standin_, nullptr);
        control_ = ((ControlFn)(void *)GetProcAddress(standin_, "QmCompressStandinControl"))(1);
        start_ = Now();
    }
    void TearDown() override
    {
        qmt_HideExport(NULL);
        JobTest::TearDown();
        FreeLibrary(standin_);
    }
    // One job of the component model at a PDL version; the bindings seen after job open.
    void Job(DWORD version, bool *text, bool *images)
    {
        ASSERT_NO_FATAL_FAILURE(Open("QMJOBCM"));
        Set(8205, version);
        ASSERT_TRUE(StartDoc());
        *text = Pdev()->job.textCompression != nullptr;
        *images = Pdev()->job.imageCompression != nullptr;
        if (*images) {
            EXPECT_EQ(Pdev()->job.imageCompression, Pdev()->job.textCompression);
        }
        ASSERT_TRUE(EndDoc());
        EXPECT_EQ(Pdev()->job.textCompression, nullptr);
        EXPECT_EQ(Pdev()->job.imageCompression, nullptr);
        Close();
    }
    HMODULE standin_ = nullptr;
    CompressStandinControl *control_ = nullptr;
};

TEST_F(JobCompressionTest, PdlVersionDecidesTheBindings)
{
    struct Case {
        DWORD version;
        bool text, images;
    } cases[] = {{0x01010800, false, false}, {0x01010801, true, false}, {0x01010901, true, true}};
    for (const Case &c : cases) {
        control_->loads = control_->frees = 0;
        bool text = false, images = false;
        ASSERT_NO_FATAL_FAILURE(Job(c.version, &text, &images));
        EXPECT_EQ(text, c.text) << std::hex << c.version;
        EXPECT_EQ(images, c.images) << std::hex << c.version;
        EXPECT_EQ(control_->loads, c.text ? 1u : 0u);
        EXPECT_EQ(control_->frees, control_->loads) << "released once";
    }
}

TEST_F(JobCompressionTest, AMissingEntryOrHandleIsNoComponent)
{
    bool text = true, images = true;
    control_->script = COMPRESS_NO_HANDLE;
    ASSERT_NO_FATAL_FAILURE(Job(0x01010901, &text, &images));
    EXPECT_FALSE(text);
    EXPECT_EQ(control_->frees, 0u);
    control_->script = COMPRESS_NORMAL;
    qmt_HideExport("qmcmp_GetBitmap");
    ASSERT_NO_FATAL_FAILURE(Job(0x01010901, &text, &images));
    EXPECT_FALSE(text);
    EXPECT_FALSE(images);
}

} // namespace
} // namespace job_test
