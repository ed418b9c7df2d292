/*
 * The job PDL version: setting 8205 kept within the versions the driver writes.
 */
#include "render/pdl/writer/job_version.h"
#include "render/pdl/writer/tests/writer_fixture.h"

namespace writer_test {
namespace {

class JobVersionTest : public WriterTest
{
};

TEST_F(JobVersionTest, SettingIsClampedToTheWrittenVersions)
{
    const struct {
        LONG setting;
        DWORD version;
    } cases[] = {
        {0, 0x01010501},
        {0x01010500, 0x01010501},
        {0x01010501, 0x01010501},
        {0x01010903, 0x01010903},
        {0x0102000D, 0x0102000D},
        {0x0102000E, 0x0102000D},
        {0x7FFFFFFF, 0x0102000D},
    };
    for (const auto &c : cases) {
        Set(8205, c.setting);
        EXPECT_EQ(jc_GetJobPdlVersion(&pdev_->devmode, pdev_->printerData), c.version) << c.setting;
    }
}

TEST_F(JobVersionTest, MissingArgumentsGiveTheLowestVersion)
{
    Set(8205, 0x01020000);
    EXPECT_EQ(jc_GetJobPdlVersion(nullptr, pdev_->printerData), 0x01010501u);
    EXPECT_EQ(jc_GetJobPdlVersion(&pdev_->devmode, nullptr), 0x01010501u);
    EXPECT_TRUE(jc_IsPdlVersionAtLeast(nullptr, nullptr, 0x01010501));
    EXPECT_FALSE(jc_IsPdlVersionAtLeast(nullptr, nullptr, 0x01010502));
}

TEST_F(JobVersionTest, AtLeastComparesTheClampedVersion)
{
    Set(8205, 0x01010903);
    EXPECT_TRUE(jc_IsPdlVersionAtLeast(&pdev_->devmode, pdev_->printerData, 0x01010903));
    EXPECT_FALSE(jc_IsPdlVersionAtLeast(&pdev_->devmode, pdev_->printerData, 0x01010904));
    Set(8205, 0x02000000);
    EXPECT_TRUE(jc_IsPdlVersionAtLeast(&pdev_->devmode, pdev_->printerData, 0x0102000D));
    EXPECT_FALSE(jc_IsPdlVersionAtLeast(&pdev_->devmode, pdev_->printerData, 0x0102000E));
}

} // namespace
} // namespace writer_test
