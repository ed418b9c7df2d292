/*
 * The DC sequence over the sample model: a DC made and deleted as GDI does leaves nothing
 * behind, and neither does one the driver refuses; the leak report names what was left.
 */
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/include/qmhost_engine.h"
#include "platform/testing/qm_testing.h"
#include "platform/testing/qm_testing_engine.h"
#include "tools/printhost/print_host.h"

extern "C" LPCWSTR WINAPI trc_GetLogFileName(void)
{
    return TEXT("printhost_tests.log");
}

namespace {

class DcSequenceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        start_ = ph_CountLive();
        std::string error;
        ASSERT_TRUE(ph_InstallPrinter(PH_PRINTER_NAME, QM_SAMPLE_MODEL, &error)) << error;
        ASSERT_TRUE(ph_LoadDriver(PH_DRIVER_NAME, &host_));
    }
    void TearDown() override
    {
        ph_UnloadDriver(&host_);
        LiveCounts end = ph_CountLive();
        const char *leaked = ph_LeakedKind(&start_, &end);
        EXPECT_EQ(leaked, nullptr) << leaked;
    }

    LiveCounts start_;
    DriverHost host_;
};

TEST_F(DcSequenceTest, ADcOfTheSampleModel)
{
    DeviceContext dc;
    ASSERT_TRUE(ph_CreateDc(&host_, PH_PRINTER_NAME, &dc));
    EXPECT_EQ(dc.devmode.size(), 5896u);
    EXPECT_EQ(dc.gdiInfo.ulVersion, 0x400u);
    EXPECT_EQ(dc.devInfo.cFonts, 1u);
    EXPECT_NE(dc.devInfo.hpalDefault, nullptr);
    EXPECT_EQ(qmh_SurfaceHooks(dc.surface), 0x24EBu);
    ph_DeleteDc(&host_, &dc);
    EXPECT_EQ(dc.pdev, nullptr);
}

TEST_F(DcSequenceTest, ARefusedPdevLeavesNothing)
{
    qmt_EngineFailCall(QMT_ENGINE_PALETTE, 0, 1);
    DeviceContext dc;
    EXPECT_FALSE(ph_CreateDc(&host_, PH_PRINTER_NAME, &dc));
    qmt_EngineReset();
    EXPECT_EQ(dc.printer, nullptr);
}

// Each kind of object left behind is named; fewer objects than at the start are no leak.
TEST(LeakReport, NamesTheKindLeftBehind)
{
    const LiveCounts start = {3, 10, 1, 1, 2, 1};
    struct Case {
        const char *kind; // NULL: no leak
        LiveCounts now;
    };
    const Case cases[] = {
        {nullptr, start},
        {nullptr, {2, 9, 0, 0, 1, 0}},
        {"heap", {4, 10, 1, 1, 2, 1}},
        {"global block", {3, 11, 1, 1, 2, 1}},
        {"surface", {3, 10, 2, 1, 2, 1}},
        {"palette", {3, 10, 1, 2, 2, 1}},
        {"module load", {3, 10, 1, 1, 3, 1}},
        {"spooler handle", {3, 10, 1, 1, 2, 2}},
    };
    for (const Case &c : cases) {
        const char *kind = ph_LeakedKind(&start, &c.now);
        EXPECT_EQ(std::string(c.kind ? c.kind : "none"), std::string(kind ? kind : "none"));
    }
}

} // namespace
