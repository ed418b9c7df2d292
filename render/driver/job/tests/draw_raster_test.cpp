/*
 * Raster transfers (0x1072) drawn on a page: the image command of the first chunk with
 * its clip, raster operation, placement and palette, and each chunk's bytes passed on.
 */
#include "render/driver/escape/escape_private.h"

#include "core/protocol/escapes.h"
#include "render/driver/escape/tests/raster_record.h"
#include "render/driver/job/tests/job_fixture.h"

namespace job_test {
namespace {

using namespace raster_test;
using Strings = std::vector<std::string>;

class DrawRasterTest : public JobTest
{
protected:
    void Begin()
    {
        ASSERT_NO_FATAL_FAILURE(Open());
        ASSERT_TRUE(StartDoc());
        ASSERT_TRUE(DrvStartPage(surface_));
        ExtendedEscapeState &ext = Pdev()->job.control.ext;
        ext.modeOn = 1;
        ext.jobValues[0] = 0x01010701;
    }
    LONG Send(const std::vector<BYTE> &record)
    {
        return (LONG)esc_Dispatch(surface_, ESC_EXT_RASTER, (ULONG)record.size(), (PVOID)record.data(), 0, nullptr);
    }
    // The body lines after the page's transform up to the logical page end, offsets cut.
    Strings PageLines()
    {
        Strings out;
        bool on = false;
        for (const std::string &line : Listing()) {
            if (line.find("EndPage of Logical") != std::string::npos)
                break;
            if (on)
                out.push_back(line);
            on = on || line.find(" Aa ") != std::string::npos;
        }
        return out;
    }
};

// A JPEG transfer in two chunks: the clip, raster operation and image command once, then
// each chunk's bytes as they came.
TEST_F(DrawRasterTest, TwoChunkJpegTransfer)
{
    ASSERT_NO_FATAL_FAILURE(Begin());
    RasterFields first;
    first.total = 8;
    first.clip = true;
    first.value = 8;
    first.data = {0xFF, 0xD8, 0xFF, 0xE0};
    ASSERT_EQ(Send(RasterRecord(first)), 1);
    RasterFields second = first;
    second.offset = 4;
    second.id = 1;
    second.data = {0x00, 0x10, 0xFF, 0xD9};
    ASSERT_EQ(Send(RasterRecord(second)), 1);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
    // Image at (100, 200), 16 x 8 pixels into 32 x 16: scale 0.5; JPEG (5) coded 4.
    const Strings expected = {
        "body AR",
        "body AB 10 20 300 400",
        "body AL 2 204",
        "body Cq 100 200 0.5 0 0 0.5 0 0 16 8 1 2 5 4 8 1 8 data 8:ffd8ffe00010ffd9",
    };
    EXPECT_EQ(PageLines(), expected);
}

// An 8-bit PNG without a colour count carries 256 palette entries of three bytes each;
// without a clip rectangle the image is clipped to the page's printable area.
TEST_F(DrawRasterTest, PalettePngFillsTheWholePalette)
{
    ASSERT_NO_FATAL_FAILURE(Begin());
    RasterFields png;
    png.compression = 5;
    png.bits = 8;
    png.rotation = 90;
    png.value = 4;
    ASSERT_EQ(Send(RasterRecord(png)), 1);
    ASSERT_TRUE(DrvSendPage(surface_));
    ASSERT_TRUE(EndDoc());
    Strings lines = PageLines();
    ASSERT_EQ(lines.size(), 4u);
    // The printable area of the page in dots at 600 dpi, after a reset.
    EXPECT_EQ(lines[0], "body AR");
    EXPECT_EQ(lines[1], "body AB 0 0 4899 6361");
    // Turned a quarter: (0, -ky, kx, 0, 0, H); PNG coded 8 with the palette type 11.
    const std::string head = "body Cq 100 200 0 -0.5 0.5 0 0 8 16 8 1 2 11 8 256 768 768:00ff4001fe4002fd40";
    EXPECT_EQ(lines[3].substr(0, head.size()), head);
    const std::string tail = " 8 8 1 4 data 4:d8d8d8d8";
    ASSERT_GT(lines[3].size(), tail.size());
    EXPECT_EQ(lines[3].substr(lines[3].size() - tail.size()), tail);
}

// The placement of each rotation, with the scale of image to destination size.
TEST(RasterPlacement, FourRotations)
{
    struct Case {
        WORD rotation;
        float m[6];
    };
    // 16 x 8 pixels drawn into 32 x 16: kx = ky = 0.5.
    const Case cases[] = {
        {0, {0.5f, 0, 0, 0.5f, 0, 0}},
        {90, {0, -0.5f, 0.5f, 0, 0, 8}},
        {180, {-0.5f, 0, 0, -0.5f, 16, 8}},
        {270, {0, 0.5f, -0.5f, 0, 16, 0}},
    };
    for (const Case &c : cases) {
        float m[6] = {};
        esc_RasterPlacement(c.rotation, 16, 8, 32, 16, m);
        for (int i = 0; i < 6; ++i)
            EXPECT_FLOAT_EQ(m[i], c.m[i]) << c.rotation << " " << i;
    }
    float unscaled[6] = {};
    esc_RasterPlacement(0, 16, 8, 0, 16, unscaled);
    EXPECT_FLOAT_EQ(unscaled[0], 1.0f);
    EXPECT_FLOAT_EQ(unscaled[3], 1.0f);
    EXPECT_EQ(esc_RasterPaletteEntries(0), 256u);
    EXPECT_EQ(esc_RasterPaletteEntries(16), 16u);
    EXPECT_EQ(esc_RasterPaletteEntries(300), 256u);
}

} // namespace
} // namespace job_test
